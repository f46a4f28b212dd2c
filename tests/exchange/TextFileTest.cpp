#include "exchange/ExchangeErrors.h"
#include "exchange/TextFile.h"

#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

// Without the codec every exchange file would be read and written wrongly; this must
// fail loudly rather than let the other tests pass on ASCII data alone.
TEST(ExchangeTextFile, Windows1252CodecIsAvailable)
{
    ASSERT_TRUE(Windows1252Available())
        << "Qt has no windows-1252 codec: install a Qt built with ICU";
    EXPECT_EQ(DecodeWindows1252("\x80\xE9\x9F"), QString::fromUtf8("€éŸ"));
}

TEST(ExchangeTextFile, EncodesWindows1252AndMarksWhatItCannotHold)
{
    EXPECT_EQ(EncodeWindows1252(QString::fromUtf8("Café €5")), QByteArray("Caf\xE9 \x80" "5"));
    EXPECT_EQ(EncodeWindows1252(QString::fromUtf8("a\u3042b\U0001F600c")), QByteArray("a?b?c"));
}

TEST(ExchangeTextFile, SplitsLinesAtCrLfLfAndCrCrLf)
{
    const struct
    {
        QByteArray data;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\r\nb\r\n", {"a", "b"}},  // a SoftTALK comment line
        {"\r\n\r\nx", {"", "", "x"}},
        {"a\rb\r\n", {"a\rb"}},        // a lone CR is part of the line
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitTextLines(c.data), c.lines) << c.data.toStdString();
}

TEST(ExchangeTextFile, WritesReplacingAndReportsFailures)
{
    rktest::TempDir dir;
    const QString file = dir.path(QStringLiteral("out.txt"));
    WriteTextFile(file, QStringLiteral("old"));
    WriteTextFile(file, QString::fromUtf8("n\u00e9w\r\n"));
    EXPECT_EQ(rktest::readFile(file), QByteArray("n\xE9w\r\n"));
    EXPECT_EQ(LoadSourceFile(file).Data, QByteArray("n\xE9w\r\n"));

    EXPECT_THROW(WriteTextFile(dir.path(QStringLiteral("missing/out.txt")), QStringLiteral("x")),
                 EFileError);
    EXPECT_THROW(LoadSourceFile(dir.path(QStringLiteral("absent.txt"))), EFileError);

    // A name taken by a directory: nothing is replaced and nothing is left behind.
    QDir(dir.path()).mkdir(QStringLiteral("taken.txt"));
    EXPECT_THROW(WriteTextFile(dir.path(QStringLiteral("taken.txt")), QStringLiteral("x")), EFileError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({QStringLiteral("out.txt")}));
}
