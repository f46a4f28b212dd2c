#include "model/CodeTables.h"
#include "model/FrameTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

// Entries checked one by one against the published tables, spread over every row and
// over the codes that share or lack a text.
TEST(CodeTables, SpotChecks)
{
    struct Case { const char* table; int code; const char* text; };
    const Case cases[] = {
        {"shutter", 0, "1\""},      {"shutter", 1, "1/1.1"},    {"shutter", 7, "1/2"},
        {"shutter", 11, "1/3.5"},   {"shutter", 19, "1/9"},     {"shutter", 25, "1/17"},
        {"shutter", 29, "1/27"},    {"shutter", 37, "1/65"},    {"shutter", 42, "1/125"},
        {"shutter", 47, "1/225"},   {"shutter", 49, "1/280"},   {"shutter", 57, "1/750"},
        {"shutter", 61, "1/1100"},  {"shutter", 67, "1/2250"},  {"shutter", 71, "1/3600"},
        {"shutter", 77, "1/7100"},  {"shutter", 78, "1/8000"},  {"shutter", 79, "HI"},
        {"shutter", 80, "??"},      {"shutter", 111, "??"},     {"shutter", 112, "1.45\""},
        {"shutter", 113, "Invalid"}, {"shutter", 114, "??"},    {"shutter", 223, "??"},
        {"shutter", 224, "LO"},     {"shutter", 225, "BULB"},   {"shutter", 226, "30\""},
        {"shutter", 231, "17\""},   {"shutter", 237, "9\""},    {"shutter", 243, "4.5\""},
        {"shutter", 249, "2.2\""},  {"shutter", 255, "1.1\""},
        {"aperture", 0, "f1"},      {"aperture", 2, "f1.1"},    {"aperture", 9, "f1.7"},
        {"aperture", 13, "f2.1"},   {"aperture", 18, "f2.8"},   {"aperture", 23, "f3.8"},
        {"aperture", 29, "f5.3"},   {"aperture", 33, "f6.7"},   {"aperture", 35, "f7.6"},
        {"aperture", 37, "f8.5"},   {"aperture", 42, "f11"},    {"aperture", 45, "f13"},
        {"aperture", 53, "f21"},    {"aperture", 58, "f29"},    {"aperture", 61, "f34"},
        {"aperture", 65, "f43"},    {"aperture", 68, "f51"},    {"aperture", 73, "f68"},
        {"aperture", 76, "f81"},    {"aperture", 78, "f90"},    {"aperture", 79, "??"},
        {"aperture", 99, "??"},     {"aperture", 100, "UNKNOWN"}, {"aperture", 101, "??"},
        {"focal", 0, "-"},          {"focal", 1, "5"},          {"focal", 5, "5.5"},
        {"focal", 14, "7.5"},       {"focal", 26, "10.5"},      {"focal", 29, "11.5"},
        {"focal", 53, "23"},        {"focal", 63, "31"},        {"focal", 68, "35"},
        {"focal", 84, "56"},        {"focal", 88, "62"},        {"focal", 99, "86"},
        {"focal", 109, "116"},      {"focal", 111, "122"},      {"focal", 115, "135"},
        {"focal", 127, "195"},      {"focal", 129, "210"},      {"focal", 139, "270"},
        {"focal", 155, "440"},      {"focal", 162, "550"},      {"focal", 175, "800"},
        {"focal", 182, "950"},      {"focal", 188, "1150"},     {"focal", 191, "1250"},
        {"focal", 195, "1400"},     {"focal", 207, "2000"},     {"focal", 219, "2800"},
        {"focal", 234, "4300"},     {"focal", 237, "4700"},     {"focal", 240, "5100"},
        {"focal", 254, "7600"},     {"focal", 255, "-"},
        {"iso", 0, "UNKNOWN"},      {"iso", 1, "6"},            {"iso", 8, "32"},
        {"iso", 11, "64"},          {"iso", 19, "400"},         {"iso", 24, "1250"},
        {"iso", 31, "6400"},        {"iso", 32, "??"},          {"iso", 255, "??"},
    };
    for (const Case& c : cases) {
        const QString table = QString::fromLatin1(c.table);
        const uint8_t code = static_cast<uint8_t>(c.code);
        const QString text = table == "shutter" ? ShutterSpeedToText(code)
                             : table == "aperture" ? ApertureToText(code)
                             : table == "focal" ? FocalToText(code)
                                                : ISOToText(code);
        EXPECT_EQ(text, QString::fromLatin1(c.text)) << c.table << " " << c.code;
    }
}

TEST(CodeTables, SizesAndSearchOrder)
{
    std::vector<int> order;
    for (const TCodeText& entry : ShutterSpeedTable())
        order.push_back(entry.Code);
    std::vector<int> expected;
    for (int code = 0; code <= 79; ++code)
        expected.push_back(code);
    expected.push_back(112);
    expected.push_back(113);
    for (int code = 224; code <= 255; ++code)
        expected.push_back(code);
    EXPECT_EQ(order, expected);

    EXPECT_EQ(ApertureTable().size(), 79u);
    EXPECT_EQ(FocalTable().size(), 256u);
    EXPECT_EQ(ISOTable().size(), 32u);
    EXPECT_EQ(EVTable().size(), 256u);
}

TEST(CodeTables, SecondsMarkOnLongExposuresOnly)
{
    for (const TCodeText& entry : ShutterSpeedTable()) {
        const bool seconds = entry.Code == 0 || entry.Code == 112 || entry.Code >= 226;
        const QString text = QString::fromLatin1(entry.Text);
        EXPECT_EQ(text.endsWith(u'"'), seconds) << int(entry.Code);
        EXPECT_EQ(text.count(u'"'), seconds ? 1 : 0) << int(entry.Code);
    }
}

// Every EV text against the rule worked out independently: value in stops, limited to
// twenty stops either way, one decimal, signed, "0.0" for zero.
TEST(CodeTables, EVTextsFollowTheRule)
{
    for (int code = 0; code < 256; ++code) {
        const int sixths = static_cast<int8_t>(code);
        double stops = sixths / 6.0;
        stops = std::clamp(stops, -20.0, 20.0);
        char expected[16];
        std::snprintf(expected, sizeof expected, sixths == 0 ? "%.1f" : "%+.1f", stops);
        EXPECT_EQ(EVToText(uint8_t(code)), QString::fromLatin1(expected)) << code;
    }
    const std::pair<int, const char*> examples[] = {
        {0, "0.0"},    {1, "+0.2"},   {3, "+0.5"},   {8, "+1.3"},   {119, "+19.8"},
        {120, "+20.0"}, {127, "+20.0"}, {128, "-20.0"}, {136, "-20.0"}, {137, "-19.8"},
        {250, "-1.0"}, {255, "-0.2"},
    };
    for (const auto& [code, text] : examples)
        EXPECT_EQ(EVToText(uint8_t(code)), QString::fromLatin1(text)) << code;
}

// Reading back any stored text gives a code with that same text (the first of the codes
// that share it), so a database exported and imported again keeps its texts.
TEST(CodeTables, EveryStoredTextReadsBack)
{
    for (int i = 0; i < 256; ++i) {
        const uint8_t code = static_cast<uint8_t>(i);
        const QString shutter = ShutterSpeedToText(code);
        if (shutter != "??") {
            EXPECT_EQ(ShutterSpeedToText(TextToShutterSpeed(shutter)), shutter) << i;
        }
        const QString aperture = ApertureToText(code);
        if (aperture != "??") {
            EXPECT_EQ(ApertureToText(TextToAperture(aperture)), aperture) << i;
        }
        EXPECT_EQ(FocalToText(TextToFocal(FocalToText(code))), FocalToText(code)) << i;
        EXPECT_EQ(FocalToText(TextToFocal(FocalToText(code) + "mm")), FocalToText(code)) << i;
        if (i < 32) {
            EXPECT_EQ(TextToISO(ISOToText(code)), code) << i;
        }
        EXPECT_EQ(EVToText(TextToEV(EVToText(code))), EVToText(code)) << i;
    }
}
