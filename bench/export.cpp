// Exporting a large archive: 2,000 rolls of 36 detailed frames.
//   export_csv_ms                       our CSV export of every roll (both files)
//   sqlite_csv_ms                       "sqlite3 -csv" dumping the same two tables
//   export_csv_vs_sqlite_ratio          the two, measured in the same run (goal <= 3)
//   export_photosecretary_all_rolls_ms  a PhotoSecretary export, one file per roll

#include "db/Database.h"
#include "db/DatabaseAdder.h"
#include "db/Schema.h"
#include "exchange/ExportRolls.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int RollCount = 2000;
constexpr int FramesPerRoll = 36;

TRKRollSet archive()
{
    TRKRollSet set;
    for (int r = 1; r <= RollCount; ++r) {
        TRKRoll roll;
        roll.RollNumber = r;
        roll.ISO = static_cast<uint8_t>(10 + r % 12);
        roll.Photographer = QStringLiteral("Ansel Adams");
        roll.CameraType = QStringLiteral("F100");
        roll.Comment = QStringLiteral("Roll %1, \"quoted\" words").arg(r);
        roll.Date = QDateTime(QDate(2000, 1, 1).addDays(r), QTime());
        set.Rolls << roll;
        for (int f = 1; f <= FramesPerRoll; ++f) {
            TRKFrame frame;
            frame.RecordingMode = 1;
            frame.RollNumber = r;
            frame.FrameNumber = static_cast<uint8_t>(f);
            frame.ShutterSpeed = static_cast<uint8_t>(20 + (r + f) % 50);
            frame.Aperture = static_cast<uint8_t>((r * f) % 70);
            frame.Focal = static_cast<uint8_t>(60 + f);
            frame.LensMinFocal = 54;
            frame.LensMaxFocal = 98;
            frame.MaxApertureAtMin = 22;
            frame.MaxApertureAtMax = 26;
            frame.ExposureMode = static_cast<uint8_t>(1 + f % 4);
            frame.MeterMode = static_cast<uint8_t>(1 + f % 3);
            frame.FlashType = static_cast<uint8_t>(1 + f % 3);
            frame.FlashMode = static_cast<uint8_t>(1 + f % 5);
            frame.ExposureComp = static_cast<uint8_t>(f % 7);
            frame.MultipleExposure = f % 9 == 0;
            frame.Comment = QStringLiteral("Frame %1").arg(f);
            frame.Date = roll.Date;
            set.Frames << frame;
        }
    }
    return set;
}

QList<int32_t> allRolls()
{
    QList<int32_t> numbers;
    for (int r = 1; r <= RollCount; ++r)
        numbers << r;
    return numbers;
}

// Milliseconds of one export of every roll, with the files it wrote.
double timeExport(const QString& databaseFile, TExchangeFormat format, const QString& out,
                  qsizetype expectedFiles)
{
    TDatabase database;
    database.FileName = databaseFile;
    database.OpenDatabase();
    QElapsedTimer timer;
    timer.start();
    const TExportResult result = ExportRolls(out, format, allRolls(), database.frames(), database.rolls());
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (!result.Success || result.Files.size() != expectedFiles)
        std::fprintf(stderr, "the export failed or wrote %lld files\n", static_cast<long long>(result.Files.size()));
    return ms;
}

double timeSqliteCSV(const QString& databaseFile, const QString& out)
{
    QProcess process;
    process.setStandardOutputFile(out);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral("sqlite3"),
                  {QStringLiteral("-csv"), QStringLiteral("-header"), databaseFile,
                   QStringLiteral("SELECT * FROM Rolls ORDER BY RollNumber;"),
                   QStringLiteral("SELECT * FROM Frames ORDER BY RollNumber, FrameNumber;")});
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        std::fprintf(stderr, "sqlite3 failed: %s\n", qPrintable(process.errorString()));
        return -1;
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString databaseFile = dir.filePath(QStringLiteral("archive.rkdb"));
    const TDownloadIntoDatabaseResult added = DownloadIntoDatabase(archive(), databaseFile, true);
    if (added.FramesAdded != RollCount * FramesPerRoll) {
        std::fprintf(stderr, "the archive could not be built: %s\n", qPrintable(added.Message));
        return 1;
    }

    // Best of three, alternating, so both sides see the same state of the caches.
    double ours = 1e300;
    double sqlite = 1e300;
    for (int run = 0; run < 3; ++run) {
        ours = std::min(ours, timeExport(databaseFile, efCSV, dir.filePath(QStringLiteral("ours.csv")), 2));
        sqlite = std::min(sqlite, timeSqliteCSV(databaseFile, dir.filePath(QStringLiteral("sqlite.csv"))));
    }
    const double photoSecretary =
        timeExport(databaseFile, efPhotoSecretary, dir.filePath(QStringLiteral("ps/roll.txt")), RollCount);

    std::printf("export_csv_ms=%.1f\n", ours);
    std::printf("sqlite_csv_ms=%.1f\n", sqlite);
    std::printf("export_csv_vs_sqlite_ratio=%.2f\n", ours / sqlite);
    std::printf("export_photosecretary_all_rolls_ms=%.1f\n", photoSecretary);
    return 0;
}
