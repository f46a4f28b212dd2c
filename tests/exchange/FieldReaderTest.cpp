#include "exchange/FieldReader.h"

#include <QLocale>

#include <gtest/gtest.h>

TEST(ExchangeFieldReader, TakesFieldsUpToEachSeparatorAndNeverTheEndOfTheLine)
{
    TFieldReader fields(QStringLiteral(" 7\t  a b\t\tlast"), QStringLiteral("\t"));
    EXPECT_EQ(fields.takeFirstField(), QStringLiteral(" 7"));  // kept as it stands
    EXPECT_EQ(fields.takeField(), QStringLiteral("a b"));
    EXPECT_EQ(fields.takeField(), QString());
    EXPECT_EQ(fields.takeField(), QString());  // no separator follows: empty, nothing taken
    EXPECT_EQ(fields.rest(), QStringLiteral("last"));

    TFieldReader semicolons(QStringLiteral("1;;;x"), QStringLiteral(";"));
    semicolons.takeFirstField();
    EXPECT_TRUE(semicolons.nextTwoFieldsEmpty());
}

TEST(ExchangeFieldReader, InterpretsEnumeratedFields)
{
    const struct
    {
        const char* text;
        uint8_t exposure, metering, flashMode, flashType;
    } cases[] = {
        {"P MODE", 1, 1, 0, 4},
        {"PROGRAM", 1, 1, 0, 4},
        {"A MODE", 2, 1, 0, 4},
        {"APERTURE PRIORITY AUTO", 2, 1, 0, 4},
        {"M MODE", 4, 1, 0, 4},
        {"MANUAL", 4, 1, 0, 4},
        {"SHUTTER PRIORITY", 3, 1, 0, 4},
        {"SPOT", 3, 3, 0, 4},
        {"CENTER WEIGHTED", 3, 2, 0, 4},
        {"CENTRE WEIGHTED", 3, 2, 0, 4},
        {"NORMAL", 3, 1, 1, 4},
        {"SLOW", 3, 1, 2, 4},
        {"REAR", 3, 1, 3, 4},
        {"RED-EYE", 3, 1, 4, 4},
        {"RED-EYE & SLOW", 3, 1, 5, 4},
        {"RED-EYE+SLOW", 3, 1, 5, 4},
        {"OFF", 3, 1, 0, 1},
        {"NON-TTL", 3, 1, 0, 2},
        {"TTL", 3, 1, 0, 3},
        {"", 3, 1, 0, 4},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(InterpretExposureMode(text), c.exposure) << c.text;
        EXPECT_EQ(InterpretMetering(text), c.metering) << c.text;
        EXPECT_EQ(InterpretFlashMode(text), c.flashMode) << c.text;
        EXPECT_EQ(InterpretFlashType(text), c.flashType) << c.text;
    }
    EXPECT_EQ(InterpretFlashType(QStringLiteral("ttl")), 3);  // compared in upper case
}

TEST(ExchangeFieldReader, ReadsApertureAndLensMaximumAperture)
{
    const struct
    {
        const char* field;
        uint8_t single, atMin, atMax;
    } cases[] = {
        {"f/2.8", 18, 18, 18},
        {"F2,8", 18, 18, 18},
        {"-Unknown-", 100, 100, 100},  // the unknown lens is one value, not a range
        {"unknown", 100, 100, 100},
        {"f/3.5 - f/4.5", 0, 22, 26},
        {"F3.5 - F4.5", 0, 22, 26},
        {"3.5-4.5", 0, 22, 26},
        {"", 0, 0, 0},
    };
    for (const auto& c : cases) {
        const QString field = QString::fromLatin1(c.field);
        EXPECT_EQ(InterpretAperture(field), c.single) << c.field;
        EXPECT_EQ(InterpretMaxApertureRange(field), TCodePair(c.atMin, c.atMax)) << c.field;
        // Inside a line, the range never reaches into the following fields.
        TFieldReader fields(QStringLiteral("  ") + field + QStringLiteral("\t  TTL   Rear\t"),
                            QStringLiteral("\t"));
        EXPECT_EQ(fields.takeMaxApertureRange(), TCodePair(c.atMin, c.atMax)) << c.field;
        EXPECT_EQ(fields.takeSoftTALKFlash(), TCodePair(3, 3)) << c.field;
    }
}

TEST(ExchangeFieldReader, ReadsTheSoftTALKFlashField)
{
    const struct
    {
        const char* line;
        uint8_t type, mode;
    } cases[] = {
        {"  TTL   Rear\tnext", 3, 3},
        {"Non-TTL   Red-eye & Slow\tnext", 2, 5},
        {"  Off\tnext", 1, 0},
        {"off   Normal\tnext", 1, 0},
        {"Unknown   Normal\tnext", 4, 1},
        {"\tnext", 0, 0},
        {"TTL\tnext", 3, 0},
    };
    for (const auto& c : cases) {
        TFieldReader fields(QString::fromLatin1(c.line), QStringLiteral("\t"));
        EXPECT_EQ(fields.takeSoftTALKFlash(), TCodePair(c.type, c.mode)) << c.line;
        EXPECT_EQ(fields.rest(), QStringLiteral("next")) << c.line;
    }
}

TEST(ExchangeFieldReader, ReadsCompensationWithADecimalComma)
{
    TFieldReader fields(QStringLiteral("0,7\t-1,0\t0,0\t+0.5\t"), QStringLiteral("\t"));
    EXPECT_EQ(fields.takeEV(), 4);
    EXPECT_EQ(fields.takeEV(), 250);
    EXPECT_EQ(fields.takeEV(), 0);
    EXPECT_EQ(fields.takeEV(), 3);
}

TEST(ExchangeFieldReader, MultipleExposureFieldIsAlwaysConsumed)
{
    TFieldReader on(QStringLiteral(" On\t12/31/2003\t"), QStringLiteral("\t"));
    EXPECT_TRUE(on.takeMultipleExposure());
    EXPECT_EQ(on.takeDate(), QDate(2003, 12, 31));

    // "Off" must not shift the date into the next field.
    TFieldReader off(QStringLiteral("Off\t12/31/2003\t14:05:00\t"), QStringLiteral("\t"));
    EXPECT_FALSE(off.takeMultipleExposure());
    EXPECT_EQ(off.takeDate(), QDate(2003, 12, 31));
    EXPECT_EQ(off.takeTime(), QTime(14, 5));
}

TEST(ExchangeFieldReader, ParsesDatesAndTimes)
{
    const struct
    {
        const char* text;
        QDate date;
    } dates[] = {
        {"12/31/2003", QDate(2003, 12, 31)},
        {"1/2/2004", QDate(2004, 1, 2)},
        {" 02/29/2004 ", QDate(2004, 2, 29)},
        {"02/29/2003", QDate()},
        {"13/01/2003", QDate()},
        {"", QDate()},
        {"Off", QDate()},
    };
    for (const auto& c : dates)
        EXPECT_EQ(ParseFieldDate(QString::fromLatin1(c.text)), c.date) << c.text;

    const struct
    {
        const char* text;
        QTime time;
    } times[] = {
        {"14:05:00", QTime(14, 5)},
        {"9:07", QTime(9, 7)},
        {"25:00:00", QTime()},
        {"", QTime()},
    };
    for (const auto& c : times)
        EXPECT_EQ(ParseFieldTime(QString::fromLatin1(c.text)), c.time) << c.text;
}

TEST(ExchangeFieldReader, FallsBackToTheLocalesDateFormat)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QDate date = ParseFieldDate(QStringLiteral("31.12.03"));
    QLocale::setDefault(before);
    EXPECT_EQ(date.month(), 12);
    EXPECT_EQ(date.day(), 31);
}

TEST(ExchangeFieldReader, ReadsIntegers)
{
    const struct
    {
        const char* text;
        std::optional<int32_t> leading, strict;
    } cases[] = {
        {"12", 12, 12},
        {"  12abc", 12, std::nullopt},
        {" 12 ", 12, 12},
        {"abc", 0, std::nullopt},
        {"", 0, std::nullopt},
        {"-3", -3, -3},
        {"+5", 5, 5},
        {"-", 0, std::nullopt},
        {"2147483647", 2147483647, 2147483647},
        {"2147483648", std::nullopt, std::nullopt},
        {"99999999999999999999", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingInteger(QString::fromLatin1(c.text)), c.leading) << c.text;
        EXPECT_EQ(StrictInteger(QString::fromLatin1(c.text)), c.strict) << c.text;
    }
}
