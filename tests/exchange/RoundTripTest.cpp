// Export a database as PhotoSecretary and SoftTALK files, import the files into an empty
// database, and compare the stored texts. Columns the formats do not carry are listed
// with the reason, and checked to come back as the format makes them.

#include "exchange/ExportRolls.h"
#include "exchange/ImportFiles.h"

#include "DatabaseFixture.h"
#include "TestSupport.h"

#include "db/DatabaseAdder.h"

#include <gtest/gtest.h>

namespace {

TRKFrame detailed(uint8_t number, uint8_t shutter, uint8_t aperture, uint8_t focal, uint8_t lensMin,
                  uint8_t lensMax, uint8_t maxAtMin, uint8_t maxAtMax, uint8_t exposureMode, uint8_t meterMode,
                  uint8_t flashType, uint8_t flashMode, uint8_t evDiff, uint8_t comp, uint8_t flashComp,
                  bool multiple, const char* comment)
{
    TRKFrame frame;
    frame.RecordingMode = 1;
    frame.RollNumber = 5;
    frame.FrameNumber = number;
    frame.ShutterSpeed = shutter;
    frame.Aperture = aperture;
    frame.Focal = focal;
    frame.LensMinFocal = lensMin;
    frame.LensMaxFocal = lensMax;
    frame.MaxApertureAtMin = maxAtMin;
    frame.MaxApertureAtMax = maxAtMax;
    frame.ExposureMode = exposureMode;
    frame.MeterMode = meterMode;
    frame.FlashType = flashType;
    frame.FlashMode = flashMode;
    frame.ExposureValueDiff = evDiff;
    frame.ExposureComp = comp;
    frame.FlashComp = flashComp;
    frame.MultipleExposure = multiple;
    frame.Comment = QString::fromLatin1(comment);
    frame.Date = QDateTime(QDate(2003, 12, 31), QTime());
    return frame;
}

// A roll as a download and the user's typing leave it.
TRKRollSet archive()
{
    TRKRollSet set;
    TRKRoll roll;
    roll.RollNumber = 5;
    roll.ISO = 13;
    roll.Photographer = QStringLiteral("Ansel Adams");
    roll.CameraType = QStringLiteral("F100");
    roll.Comment = QStringLiteral("Yosemite\r\nsecond day");
    roll.Date = QDateTime(QDate(2003, 12, 31), QTime());
    set.Rolls << roll;
    set.Frames << detailed(1, 48, 30, 68, 60, 92, 22, 26, 2, 3, 3, 3, 254, 4, 250, false, "Half Dome")
               << detailed(2, 250, 100, 80, 80, 80, 6, 6, 1, 1, 1, 0, 0, 0, 0, true, "")
               << detailed(3, 78, 54, 114, 96, 128, 100, 100, 4, 2, 2, 5, 120, 128, 3, false, "El Capitan")
               << detailed(4, 36, 18, 80, 80, 80, 6, 6, 3, 3, 3, 4, 0, 2, 0, true, "")
               << detailed(5, 0, 41, 54, 54, 98, 22, 26, 1, 1, 4, 2, 6, 0, 0, false, "");
    return set;
}

QList<TGoldenRoll> roundTrip(TExchangeFormat format, const QString& fileName)
{
    rktest::TempDir dir;
    const TDownloadIntoDatabaseResult added =
        DownloadIntoDatabase(archive(), dir.path(QStringLiteral("source.rkdb")), true);
    EXPECT_EQ(added.FramesAdded, 5);

    TDatabase source;
    source.FileName = dir.path(QStringLiteral("source.rkdb"));
    EXPECT_TRUE(source.OpenDatabase());
    const TExportResult exported =
        ExportRolls(dir.path(fileName), format, {5}, source.frames(), source.rolls());
    EXPECT_TRUE(exported.Success);

    CreateDatabaseFile(kNativeDatabaseFormat, dir.path(QStringLiteral("target.rkdb")));
    TDatabase target;
    target.FileName = dir.path(QStringLiteral("target.rkdb"));
    EXPECT_TRUE(target.OpenDatabase());
    const TImportResult imported =
        ImportFiles(target, {TImportRow{dir.path(fileName), 5}}, QStringLiteral("Importer"));
    EXPECT_TRUE(imported.Added) << imported.Message.toStdString();
    return rktest::readDatabase(target);
}

QList<TGoldenRoll> original()
{
    rktest::TempDir dir;
    DownloadIntoDatabase(archive(), dir.path(QStringLiteral("a.rkdb")), true);
    TDatabase database;
    database.FileName = dir.path(QStringLiteral("a.rkdb"));
    database.OpenDatabase();
    return rktest::readDatabase(database);
}

void expectSameExposureTexts(const TExportFrame& back, const TExportFrame& stored)
{
    const std::pair<const char*, std::pair<const QString*, const QString*>> columns[] = {
        {"ShutterSpeed", {&back.ShutterSpeed, &stored.ShutterSpeed}},
        {"Aperture", {&back.Aperture, &stored.Aperture}},
        {"Lens", {&back.Lens, &stored.Lens}},
        {"Focal", {&back.Focal, &stored.Focal}},
        {"MaxAperture", {&back.MaxAperture, &stored.MaxAperture}},
        {"ExposureMode", {&back.ExposureMode, &stored.ExposureMode}},
        {"MeterMode", {&back.MeterMode, &stored.MeterMode}},
        {"ExposureValueDiff", {&back.ExposureValueDiff, &stored.ExposureValueDiff}},
        {"ExposureComp", {&back.ExposureComp, &stored.ExposureComp}},
        {"FlashType", {&back.FlashType, &stored.FlashType}},
        {"FlashMode", {&back.FlashMode, &stored.FlashMode}},
        {"FlashComp", {&back.FlashComp, &stored.FlashComp}},
    };
    for (const auto& [name, texts] : columns)
        EXPECT_EQ(*texts.first, *texts.second) << "frame " << stored.FrameNumber << " column " << name;
}

// The roll and frame count come back, the roll's numbers and texts as the format
// carries them.
void expectRollCarried(const QList<TGoldenRoll>& after, const QList<TGoldenRoll>& before,
                       const QString& comment)
{
    ASSERT_EQ(after.size(), 1);
    ASSERT_EQ(after.first().Frames.size(), before.first().Frames.size());
    const TExportRoll& roll = after.first().Roll;
    EXPECT_EQ(roll.RollNumber, 5);
    EXPECT_EQ(roll.ISO, before.first().Roll.ISO);
    EXPECT_EQ(roll.CameraType, before.first().Roll.CameraType);
    EXPECT_EQ(roll.Comment, comment);
    EXPECT_EQ(roll.Photographer, QStringLiteral("Importer"));
}

}  // namespace

// Carried: the roll number, ISO, camera type and every exposure column of detailed F100
// frames; SoftTALK also the roll comment with its lines and the frame comments.
// Not carried, by the formats themselves:
// - Photographer: no field; the importing photographer's setting is stored.
// - roll and frame Date: no roll date in either format, and our files leave the frame
//   date empty; the file's modification day is stored.
// - PictureFileName: no field.
// - FrameNumber: counted by the readers, so gaps in the numbering close up.
// - simple frames come back detailed (the formats have no simple record).
// - PhotoSecretary: frame comments (the field stays empty) and line breaks of the roll
//   comment (one line).
TEST(ExchangeRoundTrip, SoftTALKCarriesExposureTextsAndComments)
{
    const QList<TGoldenRoll> before = original();
    const QList<TGoldenRoll> after = roundTrip(efSoftTALK, QStringLiteral("roll.sdf"));
    expectRollCarried(after, before, before.first().Roll.Comment);
    if (HasFatalFailure())
        return;
    for (qsizetype i = 0; i < after.first().Frames.size(); ++i) {
        const TExportFrame& back = after.first().Frames.at(i);
        const TExportFrame& stored = before.first().Frames.at(i);
        expectSameExposureTexts(back, stored);
        EXPECT_EQ(back.FrameNumber, stored.FrameNumber);
        EXPECT_EQ(back.Comment, stored.Comment);
        EXPECT_EQ(back.PictureFileName, QString());
    }
}

TEST(ExchangeRoundTrip, PhotoSecretaryCarriesExposureTexts)
{
    const QList<TGoldenRoll> before = original();
    const QList<TGoldenRoll> after = roundTrip(efPhotoSecretary, QStringLiteral("roll.txt"));
    expectRollCarried(after, before, QStringLiteral("Yosemite second day"));
    if (HasFatalFailure())
        return;
    for (qsizetype i = 0; i < after.first().Frames.size(); ++i) {
        const TExportFrame& back = after.first().Frames.at(i);
        expectSameExposureTexts(back, before.first().Frames.at(i));
        EXPECT_EQ(back.Comment, QString());
    }
}
