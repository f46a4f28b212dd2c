#include "model/ColumnTexts.h"

#include <gtest/gtest.h>

namespace {

TRKFrame DetailedFrame()
{
    TRKFrame frame;
    frame.RecordingMode = 1;
    frame.ShutterSpeed = 42;
    frame.Aperture = 30;
    frame.Focal = 80;
    frame.FlashType = 3;
    frame.LensMinFocal = 54;
    frame.LensMaxFocal = 98;
    frame.MaxApertureAtMin = 22;
    frame.MaxApertureAtMax = 26;
    frame.ExposureValueDiff = 250;
    frame.ExposureComp = 2;
    frame.FlashComp = 255;
    frame.ExposureMode = 4;
    frame.MeterMode = 1;
    frame.FlashMode = 3;
    frame.MultipleExposure = true;
    return frame;
}

}  // namespace

TEST(ColumnTexts, DetailedFrameFillsEveryColumn)
{
    const TFrameColumnTexts expected{"1/125", "f5.6", "50mm", "TTL", "24-85mm", "f3.5-f4.5",
                                     "Manual + ME", "Matrix", "-1.0", "+0.3", "REAR", "-0.2"};
    EXPECT_EQ(FrameColumnTexts(DetailedFrame()), expected);
}

TEST(ColumnTexts, FlashOffLeavesFlashModeAndCompensationEmpty)
{
    for (const uint8_t flashType : {uint8_t(1), uint8_t(129)}) {
        TRKFrame frame = DetailedFrame();
        frame.FlashType = flashType;
        const TFrameColumnTexts texts = FrameColumnTexts(frame);
        EXPECT_EQ(texts.FlashType, "OFF");
        EXPECT_EQ(texts.FlashMode, "");
        EXPECT_EQ(texts.FlashComp, "");
        EXPECT_EQ(texts.ExposureComp, "+0.3");
    }
    TRKFrame nonTTL = DetailedFrame();
    nonTTL.FlashType = 2;
    nonTTL.FlashMode = 0;
    nonTTL.FlashComp = 0;
    EXPECT_EQ(FrameColumnTexts(nonTTL).FlashMode, "");
    EXPECT_EQ(FrameColumnTexts(nonTTL).FlashComp, "0.0");
}

TEST(ColumnTexts, DetailedFrameWithoutLensInformation)
{
    TRKFrame frame = DetailedFrame();
    frame.Focal = 0;
    frame.LensMinFocal = 0;
    frame.LensMaxFocal = 0;
    const TFrameColumnTexts texts = FrameColumnTexts(frame);
    EXPECT_EQ(texts.Focal, "-");
    EXPECT_EQ(texts.Lens, "-");
}

TEST(ColumnTexts, SimpleFrameKeepsOnlyItsOwnValues)
{
    // Values a simple record does not carry are ignored even when set; any recording
    // mode other than 1 counts as simple.
    for (const uint8_t mode : {uint8_t(0), uint8_t(2)}) {
        TRKFrame frame = DetailedFrame();
        frame.RecordingMode = mode;
        frame.FlashType = 1;
        TFrameColumnTexts expected;
        expected.ShutterSpeed = "1/125";
        expected.Aperture = "f5.6";
        expected.Focal = "50";
        expected.FlashType = "OFF";
        expected.ExposureMode = "ME";
        EXPECT_EQ(FrameColumnTexts(frame), expected) << int(mode);

        frame.MultipleExposure = false;
        expected.ExposureMode = "";
        EXPECT_EQ(FrameColumnTexts(frame), expected) << int(mode);
    }
}

TEST(ColumnTexts, RollISO)
{
    const std::pair<int, const char*> cases[] = {{19, "400"}, {0, "UNKNOWN"}, {40, "??"}};
    for (const auto& [iso, text] : cases) {
        TRKRoll roll;
        roll.ISO = static_cast<uint8_t>(iso);
        EXPECT_EQ(RollISOText(roll), QString::fromLatin1(text)) << iso;
    }
}
