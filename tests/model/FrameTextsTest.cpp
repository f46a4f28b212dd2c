#include "model/FrameTexts.h"

#include <gtest/gtest.h>

namespace {

struct ReverseCase
{
    const char* text;
    int code;
};

template <typename Convert>
void ExpectCodes(Convert convert, std::initializer_list<ReverseCase> cases)
{
    for (const ReverseCase& c : cases)
        EXPECT_EQ(convert(QString::fromUtf8(c.text)), c.code) << '"' << c.text << '"';
}

}  // namespace

TEST(FrameTexts, TextToShutterSpeed)
{
    ExpectCodes(TextToShutterSpeed, {
        {"1/125", 42}, {"125", 42},     {"2s", 250},     {"2S", 250},    {"2\"", 250},
        {"1/2", 6},    {"2", 6},        {"1/3", 9},      {"HI", 79},     {"BULB", 225},
        {"LO", 224},   {"20s", 229},    {"1.45s", 112},  {"Invalid", 113}, {"8000", 78},
        {"1.1", 1},    {"1.1s", 255},   {"1\"", 0},      {"fast", 0},    {"", 0},
        {"30 s", 0},   {"1/125s", 0},
    });
}

TEST(FrameTexts, TextToAperture)
{
    ExpectCodes(TextToAperture, {
        {"f2.8", 18},  {"F/5.6", 30},  {"5,6", 30},     {"f/2,8", 18},  {"f 1.4", 6},
        {"11", 41},    {"f1.1", 1},    {"1", 0},        {"UNKNOWN", 100}, {"unknown", 0},
        {"f/95", 0},   {"", 0},        {"f", 0},
    });
}

TEST(FrameTexts, TextToFocalIsoAndEV)
{
    ExpectCodes(TextToFocal, {
        {"50mm", 80}, {"50", 80}, {"24mm", 54}, {"85mm", 98}, {"-", 0}, {"5.5", 2},
        {"135mm", 114}, {"7600", 254}, {"mm50", 80}, {"50 mm", 0}, {"50MM", 0}, {"", 0},
    });
    ExpectCodes(TextToISO, {
        {"400", 19}, {"6", 1}, {"6400", 31}, {"UNKNOWN", 0}, {"ISO 400", 0}, {"", 0},
    });
    ExpectCodes(TextToEV, {
        {"0.3", 2},     {"+0.3", 2},    {"+20.0", 120}, {"20.0", 120}, {"-20.0", 128},
        {"0.0", 0},     {"-1.0", 250},  {"1.0", 6},     {"-0.2", 255}, {"abc", 0},
        {"", 0},        {"+0.0", 0},    {"0,3", 0},
    });
}

TEST(FrameTexts, EnumeratedValues)
{
    struct Case { QString text; QString expected; };
    const Case cases[] = {
        {FlashTypeToText(0), ""},          {FlashTypeToText(1), "OFF"},
        {FlashTypeToText(2), "Non-TTL"},   {FlashTypeToText(3), "TTL"},
        {FlashTypeToText(4), "UNKNOWN"},   {FlashTypeToText(5), "??"},
        {FlashTypeToText(128), ""},        {FlashTypeToText(129), "OFF"},
        {FlashModeToText(0), ""},          {FlashModeToText(1), "NORMAL"},
        {FlashModeToText(2), "SLOW"},      {FlashModeToText(3), "REAR"},
        {FlashModeToText(4), "RED-EYE"},   {FlashModeToText(5), "RED-EYE+SLOW"},
        {FlashModeToText(6), "??"},        {FlashModeToText(133), "RED-EYE+SLOW"},
        {MeterModeToText(0), "??"},        {MeterModeToText(1), "Matrix"},
        {MeterModeToText(2), "Centre"},    {MeterModeToText(3), "Spot"},
        {MeterModeToText(4), "??"},        {MeterModeToText(129), "??"},
        {ExposureModeToText(1, false), "Program"},
        {ExposureModeToText(2, false), "Aperture priority"},
        {ExposureModeToText(3, false), "Shutter priority"},
        {ExposureModeToText(4, true), "Manual + ME"},
        {ExposureModeToText(0, true), "?? + ME"},
        {ExposureModeToText(5, false), "??"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, c.expected);

    ExpectCodes(TextToFlashType, {
        {"TTL", 3}, {"Non-TTL", 2}, {"OFF", 1}, {"None", 0}, {"none", 0}, {"NONE", 0},
        {"ttl", 4}, {"off", 4}, {"", 4}, {"UNKNOWN", 4},
    });
}

TEST(FrameTexts, LensAndMaxAperture)
{
    struct Case { QString text; QString expected; };
    const Case cases[] = {
        {LensToText(54, 98), "24-85mm"},    {LensToText(80, 80), "50mm"},
        {LensToText(0, 98), "-"},           {LensToText(98, 255), "-"},
        {LensToText(51, 52), "22-22mm"},    // two codes of one text are still a range
        {MaxApertureToText(22, 26), "f3.5-f4.5"}, {MaxApertureToText(30, 30), "f5.6"},
        {MaxApertureToText(100, 26), "UNKNOWN"},  {MaxApertureToText(22, 100), "f3.5"},
        {MaxApertureToText(79, 26), "?\?-f4.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, c.expected);
}

TEST(FrameTexts, TextToFocalAndLens)
{
    struct Case { const char* text; TFocalAndLens expected; };
    const Case cases[] = {
        {"50mm (24-85mm)", {80, 54, 98}},
        {"35mm (28mm-70mm)", {68, 60, 92}},  // as the PhotoSecretary exporter writes it
        {"35 (28-70)", {68, 60, 92}},        // as the SoftTALK exporter writes it
        {"50mm(24-85mm)", {80, 54, 98}},
        {"50mm", {80, 80, 80}},              // a prime lens
        {"50mm (50mm)", {80, 80, 80}},
        {"50 (24", {80, 54, 54}},
        {"50mm (", {80, 0, 0}},
        {"(", {0, 0, 0}},
        {"(-)", {0, 0, 0}},
        {")(-", {0, 0, 0}},
        {"", {0, 0, 0}},
        {"zoom (wide-tele)", {0, 0, 0}},
    };
    for (const Case& c : cases) {
        const TFocalAndLens result = TextToFocalAndLens(QString::fromUtf8(c.text));
        EXPECT_EQ(result, c.expected) << c.text << " gave " << int(result.Focal) << ", "
                                      << int(result.LensMinFocal) << ", "
                                      << int(result.LensMaxFocal);
    }
}
