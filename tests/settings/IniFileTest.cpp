#include "settings/IniFile.h"
#include "settings/SettingsError.h"

#include "QStringPrinter.h"
#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

const QByteArray kHandEdited = "; Rollkeeper settings, edited by hand\n"
                               "[Program]\n"
                               "Port = COM1\n"
                               "# an old comment\n"
                               "UnknownKey=kept\n"
                               "\n"
                               "[Plugins]\n"
                               "Colour=blue\n"
                               "a line without equals sign\n"
                               "\n"
                               "[CustomSettings.F100]\n"
                               "Zebra=1100000000000000000000\n"
                               "alpha=0000000000000000000000\n";

TEST(IniFile, RewriteKeepsEverythingItDidNotChange)
{
    IniFile ini = IniFile::parse(kHandEdited);
    ini.setValue(QStringLiteral("PROGRAM"), QStringLiteral("port"), QStringLiteral("ttyUSB0"));
    ini.setValue(QStringLiteral("Program"), QStringLiteral("Photographer"), QStringLiteral("Ann"));
    ini.setValue(QStringLiteral("RecentFiles"), QStringLiteral("File0"), QStringLiteral("/a.rkdb"));

    EXPECT_EQ(ini.serialize(), QByteArray("; Rollkeeper settings, edited by hand\r\n"
                                          "[Program]\r\n"
                                          "Port=ttyUSB0\r\n"
                                          "# an old comment\r\n"
                                          "UnknownKey=kept\r\n"
                                          "Photographer=Ann\r\n"
                                          "\r\n"
                                          "[Plugins]\r\n"
                                          "Colour=blue\r\n"
                                          "a line without equals sign\r\n"
                                          "\r\n"
                                          "[CustomSettings.F100]\r\n"
                                          "Zebra=1100000000000000000000\r\n"
                                          "alpha=0000000000000000000000\r\n"
                                          "\r\n"
                                          "[RecentFiles]\r\n"
                                          "File0=/a.rkdb\r\n"));
    // What was written reads back the same.
    const IniFile reread = IniFile::parse(ini.serialize());
    EXPECT_EQ(reread.serialize(), ini.serialize());
    EXPECT_EQ(reread.keys(QStringLiteral("customsettings.f100")),
              (QStringList{QStringLiteral("Zebra"), QStringLiteral("alpha")}));
}

TEST(IniFile, SectionsAndKeysIgnoreCase)
{
    const IniFile ini = IniFile::parse("[Program]\nPhotographer = Ann Smith \n[main]\nTOP=5\n");
    const struct
    {
        const char* section;
        const char* key;
        std::optional<QString> expected;
    } cases[] = {
        {"Program", "Photographer", QStringLiteral("Ann Smith")},
        {"PROGRAM", "photographer", QStringLiteral("Ann Smith")},
        {"Main", "Top", QStringLiteral("5")},
        {"Main", "Photographer", std::nullopt},
        {"Database", "Top", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ini.value(QString::fromLatin1(c.section), QString::fromLatin1(c.key)),
                  c.expected);
    }
}

TEST(IniFile, ReadsUtf8AndFallsBackToWindows1252)
{
    const struct
    {
        QByteArray bytes;
        QString photographer;
    } cases[] = {
        {"[P]\nName=J\xc3\xbcrgen \xe2\x82\xac\n", QStringLiteral(u"Jürgen €")},
        {"\xef\xbb\xbf[P]\nName=J\xc3\xbcrgen\n", QStringLiteral(u"Jürgen")},  // byte order mark
        {"[P]\nName=J\xfcrgen \x80\n", QStringLiteral(u"Jürgen €")},            // ANSI file
    };
    for (const auto& c : cases) {
        const IniFile ini = IniFile::parse(c.bytes);
        EXPECT_EQ(ini.value(QStringLiteral("P"), QStringLiteral("Name")), c.photographer);
        // Always written back as UTF-8.
        EXPECT_TRUE(ini.serialize().contains(c.photographer.toUtf8()));
    }
}

TEST(IniFile, ReadsAnyLineEnding)
{
    for (const QByteArray& bytes : {QByteArray("[A]\r\nx=1\r\ny=2\r\n"), QByteArray("[A]\nx=1\ny=2"),
                                    QByteArray("[A]\rx=1\ry=2\r")}) {
        const IniFile ini = IniFile::parse(bytes);
        EXPECT_EQ(ini.keys(QStringLiteral("A")), (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
        EXPECT_EQ(ini.serialize(), QByteArray("[A]\r\nx=1\r\ny=2\r\n"));
    }
}

TEST(IniFile, FirstDuplicateCountsAndAWriteDropsTheOthers)
{
    IniFile ini = IniFile::parse("[A]\nk=1\nK=2\nother=3\n[a]\nk=4\n");
    EXPECT_EQ(ini.value(QStringLiteral("A"), QStringLiteral("k")), QStringLiteral("1"));
    EXPECT_EQ(ini.keys(QStringLiteral("A")), (QStringList{QStringLiteral("k"), QStringLiteral("other")}));

    ini.setValue(QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("9"));
    EXPECT_EQ(ini.keyLines(QStringLiteral("A")),
              (QStringList{QStringLiteral("k=9"), QStringLiteral("other=3")}));

    ini.removeKey(QStringLiteral("a"), QStringLiteral("OTHER"));
    EXPECT_EQ(ini.keys(QStringLiteral("A")), QStringList{QStringLiteral("k")});

    ini.eraseSection(QStringLiteral("a"));  // both sections of that name
    EXPECT_TRUE(ini.sections().isEmpty());
}

TEST(IniFile, RefusesWhatTheLineFormatCannotHold)
{
    const struct
    {
        const char* key;
        const char* value;
    } cases[] = {
        {"a=b", "x"}, {"", "x"}, {" padded", "x"}, {";note", "x"}, {"#note", "x"}, {"[x]", "x"},
        {"two\nlines", "x"}, {"key", "two\nlines"}, {"key", "cr\rlf"},
    };
    IniFile ini = IniFile::parse("[A]\nkey=old\n");
    const QByteArray before = ini.serialize();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_THROW(ini.setValue(QStringLiteral("A"), QString::fromUtf8(c.key),
                                  QString::fromUtf8(c.value)),
                     ESettingsError);
        EXPECT_EQ(ini.serialize(), before);
    }
}

TEST(IniFile, MissingFileIsEmptyAndUnreadableFileThrows)
{
    const rktest::TempDir dir;
    EXPECT_TRUE(IniFile::load(dir.path(QStringLiteral("none.ini"))).sections().isEmpty());
    try {
        IniFile::load(dir.path());
        FAIL() << "a directory loaded as an ini file";
    } catch (const ESettingsError& error) {
        EXPECT_TRUE(error.message().contains(dir.path())) << error.message().toStdString();
    }
}

TEST(IniFile, SaveCreatesTheDirectory)
{
    const rktest::TempDir dir;
    const QString file = dir.path(QStringLiteral("config/Rollkeeper/Rollkeeper.ini"));
    IniFile ini;
    ini.setValue(QStringLiteral("Program"), QStringLiteral("Port"), QStringLiteral("COM3"));
    ini.save(file);
    EXPECT_EQ(rktest::readFile(file), QByteArray("[Program]\r\nPort=COM3\r\n"));
}

TEST(IniFile, FailedSaveNamesTheFileAndLeavesTheOldOne)
{
    const rktest::TempDir dir;
    const QString file = dir.path(QStringLiteral("Rollkeeper.ini"));
    rktest::writeFile(file, kHandEdited);
    rktest::writeFile(dir.path(QStringLiteral("plain")), "not a directory");

    IniFile ini = IniFile::parse(kHandEdited);
    ini.setValue(QStringLiteral("Big"), QStringLiteral("Value"), QString(200000, u'x'));

    // A directory that cannot be created: nothing is written.
    const QString blocked = dir.path(QStringLiteral("plain/Rollkeeper.ini"));
    EXPECT_THROW(ini.save(blocked), ESettingsError);

#ifdef Q_OS_UNIX
    // The disk fills half-way through the write: a file size limit makes write() fail
    // after the first bytes, as a full disk does.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    try {
        ini.save(file);
        ADD_FAILURE() << "a save that could not be completed succeeded";
    } catch (const ESettingsError& error) {
        EXPECT_TRUE(error.message().contains(file)) << error.message().toStdString();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(rktest::readFile(file), kHandEdited);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "the unfinished file was left behind";
#endif
}

}  // namespace
