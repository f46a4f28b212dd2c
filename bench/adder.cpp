// Adding a downloaded roll set through the background adder, against the fastest raw
// SQLite insert of the same rows, and into a large archive against an empty one.
//   adder_vs_raw_ratio         13,000 simple frames: adder (with its per-row progress
//                              calls) / raw prepared insert in one transaction
//   adder_large_vs_empty_ratio 1,000 frames into 100,000 stored / into an empty file

#include "db/AddDataThread.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "db/Sqlite.h"
#include "model/ColumnTexts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>

namespace {

// Rolls of 36 simple frames numbered from firstRoll, frameCount frames in all.
TRKRollSet makeSet(int firstRoll, int frameCount)
{
    TRKRollSet set;
    for (int i = 0; i < frameCount; ++i) {
        const int roll = firstRoll + i / 36;
        if (i % 36 == 0) {
            TRKRoll r;
            r.RollNumber = roll;
            r.ISO = 13;
            r.Date = QDateTime(QDate(2004, 7, 9), QTime(12, 0));
            set.Rolls.append(r);
        }
        TRKFrame f;
        f.RollNumber = roll;
        f.FrameNumber = static_cast<uint8_t>(i % 36 + 1);
        f.ShutterSpeed = static_cast<uint8_t>(20 + i % 50);
        f.Aperture = static_cast<uint8_t>(i % 70);
        f.Focal = static_cast<uint8_t>(60 + i % 100);
        f.FlashType = static_cast<uint8_t>(i % 4);
        f.Date = QDateTime(QDate(2004, 7, 9), QTime(12, 0));
        set.Frames.append(f);
    }
    return set;
}

QString newDatabase(const QTemporaryDir& dir, const char* name)
{
    const QString file = dir.filePath(QLatin1String(name));
    CreateDatabaseFile(kNativeDatabaseFormat, file);
    return file;
}

// Milliseconds for the adder to write the set, progress receiver included.
double timeAdder(const QString& file, const TRKRollSet& set)
{
    TDatabase database;
    database.FileName = file;
    database.OpenDatabase();
    QString shownCount;
    QString shownStage;
    QEventLoop loop;
    QElapsedTimer timer;
    timer.start();
    TAddDataThread thread(
        true, -1, -1, [&](TAddDataThread&) { loop.quit(); },
        [&](const QString& count, const QString& stage) {
            // What the view's status bar does: change a panel only when its text differs.
            if (shownCount != count)
                shownCount = count;
            if (shownStage != stage)
                shownStage = stage;
        },
        set, database.frames(), database.rolls(), false);
    thread.setOnFailure([](const QString& message) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    thread.start();
    loop.exec();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Milliseconds for one prepared statement to insert the same rows in one transaction.
double timeRaw(const QString& file, const TRKRollSet& set)
{
    struct Row
    {
        int roll, frame;
        TFrameColumnTexts texts;
        QString date;
    };
    QList<Row> rows;
    for (const TRKFrame& f : set.Frames)
        rows.append({f.RollNumber, f.FrameNumber, FrameColumnTexts(f), f.Date.date().toString(Qt::ISODate)});

    sqlite3* db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    ExecuteSql(db, QStringLiteral("PRAGMA foreign_keys=ON; PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL"));
    QElapsedTimer timer;
    timer.start();
    ExecuteSql(db, QStringLiteral("BEGIN"));
    {
        TSqlStatement rolls(db, QStringLiteral("INSERT INTO Rolls (RollNumber, Photographer, CameraType, ISO, Comment, Date) VALUES (?,?,?,?,?,?)"));
        for (const TRKRoll& r : set.Rolls) {
            rolls.bindInteger(1, r.RollNumber);
            rolls.bindText(2, r.Photographer);
            rolls.bindText(3, r.CameraType);
            rolls.bindText(4, RollISOText(r));
            rolls.bindText(5, r.Comment);
            rolls.bindText(6, r.Date.date().toString(Qt::ISODate));
            rolls.step();
            rolls.reset();
        }
        TSqlStatement frames(db, QStringLiteral(
            "INSERT INTO Frames (RollNumber, FrameNumber, ShutterSpeed, Aperture, Lens, Focal, MaxAperture, "
            "ExposureMode, MeterMode, ExposureValueDiff, ExposureComp, FlashType, FlashMode, FlashComp, Date, "
            "Comment, PictureFileName) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        for (const Row& row : rows) {
            const TFrameColumnTexts& t = row.texts;
            int i = 1;
            frames.bindInteger(i++, row.roll);
            frames.bindInteger(i++, row.frame);
            for (const QString* text : {&t.ShutterSpeed, &t.Aperture, &t.Lens, &t.Focal, &t.MaxAperture,
                                        &t.ExposureMode, &t.MeterMode, &t.ExposureValueDiff, &t.ExposureComp,
                                        &t.FlashType, &t.FlashMode, &t.FlashComp})
                frames.bindText(i++, *text);
            frames.bindText(i++, row.date);
            frames.bindText(i++, QString());
            frames.bindText(i++, QString());
            frames.step();
            frames.reset();
        }
    }
    ExecuteSql(db, QStringLiteral("COMMIT"));
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    sqlite3_close(db);
    return ms;
}

// The best of a few runs, each on a fresh copy, so one slow moment of a shared machine
// does not decide the figure.
template <typename Run>
double best(int runs, Run run)
{
    double result = 1e12;
    for (int i = 0; i < runs; ++i)
        result = std::min(result, run(i));
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;

    const TRKRollSet set = makeSet(1, 13000);
    const double adder = best(3, [&](int i) {
        return timeAdder(newDatabase(dir, QByteArray("adder" + QByteArray::number(i)).constData()), set);
    });
    const double raw = best(3, [&](int i) {
        return timeRaw(newDatabase(dir, QByteArray("raw" + QByteArray::number(i)).constData()), set);
    });
    std::printf("adder_ms=%.1f\nraw_ms=%.1f\nadder_vs_raw_ratio=%.2f\n", adder, raw, adder / raw);

    const QString large = newDatabase(dir, "large.rkdb");
    timeRaw(large, makeSet(1, 100000));
    const TRKRollSet thousand = makeSet(100000, 1000);
    const QString largeCopy = dir.filePath(QStringLiteral("large-copy.rkdb"));
    const double intoLarge = best(3, [&](int) {
        QFile::remove(largeCopy);
        QFile::copy(large, largeCopy);
        return timeAdder(largeCopy, thousand);
    });
    const double intoEmpty = best(3, [&](int i) {
        return timeAdder(newDatabase(dir, QByteArray("empty" + QByteArray::number(i)).constData()), thousand);
    });
    std::printf("adder_large_ms=%.1f\nadder_empty_ms=%.1f\nadder_large_vs_empty_ratio=%.2f\n",
                intoLarge, intoEmpty, intoLarge / intoEmpty);
    return 0;
}
