#include "settings/LocaleIds.h"
#include "settings/Settings.h"
#include "settings/SettingsError.h"

#include "QStringPrinter.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<Settings> settingsFrom(const QByteArray& text)
{
    return std::make_unique<Settings>(QString(), IniFile::parse(text));
}

TEST(Settings, MissingFileGivesEveryDefault)
{
    const rktest::TempDir dir;
    const auto settings = Settings::open(dir.path(QStringLiteral("Rollkeeper.ini")));
    EXPECT_TRUE(settings->readShowSplashScreen());
    EXPECT_TRUE(settings->readSaveWindowPositions());
    EXPECT_TRUE(settings->readShowHint());
    EXPECT_EQ(settings->readPort(), QString());
    EXPECT_EQ(settings->readPhotographer(), QStringLiteral("Insert your name here"));
    EXPECT_EQ(settings->readStartupAction(), 1);
    EXPECT_EQ(settings->readStartupFilename(), QString());
    EXPECT_EQ(settings->readLanguage(), SystemLocaleId());
    EXPECT_FALSE(settings->readCanEditAllFields());
    EXPECT_EQ(settings->readLastActiveReport(), QString());
    EXPECT_TRUE(settings->readViewRollDetails());
    EXPECT_TRUE(settings->readViewFrameDetails());
    EXPECT_FALSE(settings->readConfirmRollChange());
    EXPECT_FALSE(settings->readConfirmFrameChange());
    EXPECT_EQ(settings->readMainRect(), std::nullopt);
    EXPECT_EQ(settings->readDatabaseRect(), std::nullopt);
    EXPECT_FALSE(settings->readMaximized());
    EXPECT_EQ(settings->readTopPanel(), -1);
    EXPECT_EQ(settings->readLvRollsWidth(), -1);
    EXPECT_EQ(settings->readLvFramesWidth(), -1);
    EXPECT_TRUE(settings->presetNames().isEmpty());
    EXPECT_TRUE(settings->readRecentFiles().isEmpty());
}

TEST(Settings, StoredNumbersAndTheirReadings)
{
    const struct
    {
        const char* stored;
        int startupAction;
        bool confirmRollChange;  // default false
        bool viewRollDetails;    // default true
        int topPanel;
    } cases[] = {
        {"0", 0, false, false, 0},
        {"1", 1, true, true, 1},
        {"2", 2, true, true, 2},
        {"7", 0, true, true, 7},
        {"-3", 0, true, true, -3},
        {" 2 ", 2, true, true, 2},
        {"", 1, false, true, -1},
        {"two", 1, false, true, -1},
        {"1.5", 1, false, true, -1},
        {"99999999999", 1, false, true, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        const QByteArray value(c.stored);
        const auto settings =
            settingsFrom("[Program]\nStartupAction=" + value + "\nConfirmRollChange=" + value
                         + "\nViewRollDetails=" + value + "\n[Database]\nTopPanel=" + value);
        EXPECT_EQ(settings->readStartupAction(), c.startupAction);
        EXPECT_EQ(settings->readConfirmRollChange(), c.confirmRollChange);
        EXPECT_EQ(settings->readViewRollDetails(), c.viewRollDetails);
        EXPECT_EQ(settings->readTopPanel(), c.topPanel);
    }
}

TEST(Settings, LanguageNeverReadsNegative)
{
    EXPECT_EQ(settingsFrom("[Program]\nLanguage=1031\n")->readLanguage(), 1031);
    EXPECT_EQ(settingsFrom("[Program]\nLanguage=-1\n")->readLanguage(), SystemLocaleId());
    EXPECT_EQ(settingsFrom("[Program]\nLanguage=German\n")->readLanguage(), SystemLocaleId());
}

TEST(Settings, OnlyStartupActionsZeroToTwoAreWritten)
{
    const auto settings = settingsFrom("");
    for (const auto& [written, read] : {std::pair{2, 2}, {7, 0}, {-1, 0}, {1, 1}}) {
        settings->writeStartupAction(written);
        EXPECT_EQ(settings->readStartupAction(), read);
    }
}

TEST(Settings, RectangleWithoutBottomAndRightIsNotStored)
{
    const struct
    {
        const char* section;
        std::optional<TWindowRect> expected;
    } cases[] = {
        {"[Main]\nTop=100\nLeft=50\nHeight=0\nWidth=0\n", std::nullopt},
        {"[Main]\nTop=100\nLeft=50\n", std::nullopt},
        {"[Main]\nTop=100\nLeft=50\nHeight=0\nWidth=640\n", TWindowRect{100, 0, 50, 640}},
        {"[Main]\nTop=10\nHeight=480\nLeft=20\nWidth=640\n", TWindowRect{10, 480, 20, 640}},
        {"[Main]\nTop=x\nHeight=480\nLeft=20\nWidth=640\n", TWindowRect{0, 480, 20, 640}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.section);
        EXPECT_EQ(settingsFrom(c.section)->readMainRect(), c.expected);
    }
}

TEST(Settings, RectangleKeysAreWrittenTopHeightLeftWidth)
{
    const rktest::TempDir dir;
    Settings settings(dir.path(QStringLiteral("r.ini")), IniFile());
    settings.writeDatabaseRect(TWindowRect{10, 480, 20, 640});
    settings.writeToDisk();
    EXPECT_EQ(rktest::readFile(settings.fileName()),
              QByteArray("[Database]\r\nTop=10\r\nHeight=480\r\nLeft=20\r\nWidth=640\r\n"));
    EXPECT_EQ(settings.readDatabaseRect(), (TWindowRect{10, 480, 20, 640}));
    EXPECT_EQ(settings.readMainRect(), std::nullopt);
}

TEST(Settings, RecentFilesReadRule)
{
    const struct
    {
        const char* section;
        QStringList expected;
    } cases[] = {
        {"[RecentFiles]\nFile0=a.rkdb\nRecent1=b.rkdb\nfile2=c.rkdb\n",
         {QStringLiteral("a.rkdb"), QStringLiteral("c.rkdb")}},
        {"[RecentFiles]\nFILE2=C:\\x=y.mdb\nFile1=b\n; File0=comment\nFiles=z\n",
         {QStringLiteral("b"), QStringLiteral("C:\\x=y.mdb"), QStringLiteral("z")}},
        {"[recentfiles]\nFile0=\nFile1=kept\n", {QStringLiteral("kept")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.section);
        EXPECT_EQ(settingsFrom(c.section)->readRecentFiles(), c.expected);
    }
}

TEST(Settings, TwelveRecentFilesKeepTheirNumericOrder)
{
    QByteArray section = "[RecentFiles]\n";
    QStringList expected;
    for (int i = 0; i < 12; ++i)
        expected.append(QStringLiteral("/rolls/%1.rkdb").arg(i));
    for (int i : {10, 2, 11, 0, 9, 1, 3, 4, 5, 6, 7, 8})
        section += QStringLiteral("File%1=/rolls/%1.rkdb\n").arg(i).toUtf8();
    const auto settings = settingsFrom(section);
    EXPECT_EQ(settings->readRecentFiles(), expected);

    // Writing replaces the whole list.
    settings->writeRecentFiles({QStringLiteral("/new.rkdb"), QStringLiteral("/rolls/0.rkdb")});
    EXPECT_EQ(settings->readRecentFiles(),
              (QStringList{QStringLiteral("/new.rkdb"), QStringLiteral("/rolls/0.rkdb")}));

    // A path the file cannot hold is refused and the old list stays.
    EXPECT_THROW(settings->writeRecentFiles({QStringLiteral("/a"), QStringLiteral("/b\nc")}),
                 ESettingsError);
    EXPECT_EQ(settings->readRecentFiles().size(), 2);
}

TEST(Settings, PresetsKeepFileOrder)
{
    const auto settings = settingsFrom("[CustomSettings.F100]\nWedding=1100000000000000000000\n"
                                       "Birds=0000000000000000000001\n");
    settings->writePreset(QStringLiteral("Astro"), QStringLiteral("0101010101010101010101"));
    settings->writePreset(QStringLiteral("birds"), QStringLiteral("1111111111111111111111"));
    EXPECT_EQ(settings->presetNames(), (QStringList{QStringLiteral("Wedding"), QStringLiteral("Birds"),
                                                   QStringLiteral("Astro")}));
    EXPECT_EQ(settings->readPreset(QStringLiteral("BIRDS")), QStringLiteral("1111111111111111111111"));

    settings->deletePreset(QStringLiteral("wedding"));
    EXPECT_EQ(settings->presetNames(), (QStringList{QStringLiteral("Birds"), QStringLiteral("Astro")}));
    EXPECT_EQ(settings->readPreset(QStringLiteral("Wedding")), QString());
    EXPECT_THROW(settings->writePreset(QStringLiteral("a=b"), QStringLiteral("0")), ESettingsError);
}

TEST(Settings, EveryValueSurvivesTheDiskAlongWithUnknownLines)
{
    const rktest::TempDir dir;
    const QString file = dir.path(QStringLiteral("Rollkeeper.ini"));
    rktest::writeFile(file, "; mine\n[Program]\nFutureOption=on\n[Other]\nx=1\n");
    {
        const auto settings = Settings::open(file);
        settings->writeShowSplashScreen(false);
        settings->writeSaveWindowPositions(false);
        settings->writeShowHint(false);
        settings->writePort(QStringLiteral("/dev/ttyUSB0"));
        settings->writePhotographer(QStringLiteral(u"Zoë"));
        settings->writeStartupAction(2);
        settings->writeStartupFilename(QStringLiteral("/home/zoe/rolls.rkdb"));
        settings->writeLanguage(1031);
        settings->writeCanEditAllFields(true);
        settings->writeLastActiveReport(QStringLiteral("Contact sheet"));
        settings->writeViewRollDetails(false);
        settings->writeViewFrameDetails(false);
        settings->writeConfirmRollChange(true);
        settings->writeConfirmFrameChange(true);
        settings->writeMainRect(TWindowRect{1, 2, 3, 4});
        settings->writeMaximized(true);
        settings->writeTopPanel(120);
        settings->writeLvRollsWidth(300);
        settings->writeLvFramesWidth(400);
        settings->writeColumnLayout(QStringLiteral("lvRolls"),
                                    {TListColumn{QStringLiteral("Roll"), Qt::AlignRight, 45}});
        settings->writeToDisk();
    }
    const auto settings = Settings::open(file);
    EXPECT_FALSE(settings->readShowSplashScreen());
    EXPECT_FALSE(settings->readSaveWindowPositions());
    EXPECT_FALSE(settings->readShowHint());
    EXPECT_EQ(settings->readPort(), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(settings->readPhotographer(), QStringLiteral(u"Zoë"));
    EXPECT_EQ(settings->readStartupAction(), 2);
    EXPECT_EQ(settings->readStartupFilename(), QStringLiteral("/home/zoe/rolls.rkdb"));
    EXPECT_EQ(settings->readLanguage(), 1031);
    EXPECT_TRUE(settings->readCanEditAllFields());
    EXPECT_EQ(settings->readLastActiveReport(), QStringLiteral("Contact sheet"));
    EXPECT_FALSE(settings->readViewRollDetails());
    EXPECT_FALSE(settings->readViewFrameDetails());
    EXPECT_TRUE(settings->readConfirmRollChange());
    EXPECT_TRUE(settings->readConfirmFrameChange());
    EXPECT_EQ(settings->readMainRect(), (TWindowRect{1, 2, 3, 4}));
    EXPECT_TRUE(settings->readMaximized());
    EXPECT_EQ(settings->readTopPanel(), 120);
    EXPECT_EQ(settings->readLvRollsWidth(), 300);
    EXPECT_EQ(settings->readLvFramesWidth(), 400);
    QList<TListColumn> columns{TListColumn{QStringLiteral("R"), Qt::AlignLeft, 10}};
    settings->readColumnLayout(QStringLiteral("lvRolls"), columns);
    EXPECT_EQ(columns.first().caption, QStringLiteral("Roll"));
    EXPECT_EQ(columns.first().alignment, Qt::AlignRight);
    EXPECT_EQ(columns.first().width, 45);

    const QByteArray text = rktest::readFile(file);
    EXPECT_TRUE(text.startsWith("; mine\r\n[Program]\r\nFutureOption=on\r\nShowSplashScreen=0\r\n"));
    EXPECT_TRUE(text.contains("[Other]\r\nx=1\r\n"));
}

TEST(Settings, UnreadableFileThrows)
{
    const rktest::TempDir dir;
    EXPECT_THROW(Settings::open(dir.path()), ESettingsError);
}

TEST(Settings, LocatesExplicitThenBesideTheProgramThenConfigDir)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Rollkeeper.ini"));
    ASSERT_FALSE(QFile::exists(beside));
    const QString config = QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                               .filePath(QStringLiteral("Rollkeeper.ini"));

    EXPECT_EQ(Settings::locateFile(QStringLiteral("/tmp/mine.ini")), QStringLiteral("/tmp/mine.ini"));
    EXPECT_EQ(Settings::locateFile(QString()), config);
    rktest::writeFile(beside, "");
    EXPECT_EQ(Settings::locateFile(QString()), beside);
    EXPECT_EQ(Settings::locateFile(QStringLiteral("/tmp/mine.ini")), QStringLiteral("/tmp/mine.ini"));
    QFile::remove(beside);
}

}  // namespace
