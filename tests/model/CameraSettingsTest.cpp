#include "model/CameraSettings.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr uint32_t kAllZeroEncoding = 0x0010200E;

TF100CustomSettings With(int number, int value)
{
    TF100CustomSettings settings;
    const auto& field = CustomSettingFields()[number - 1];
    settings.*field.Member = static_cast<uint8_t>(value);
    return settings;
}

TF100CustomSettings RandomLegalRecord(std::mt19937& random)
{
    TF100CustomSettings settings;
    for (const auto& field : CustomSettingFields())
        settings.*field.Member = static_cast<uint8_t>(random() % field.ValueCount);
    return settings;
}

}  // namespace

TEST(CameraSettings, KnownEncodings)
{
    TF100CustomSettings rewindHalfSteps;
    rewindHalfSteps.CSM01 = 1;
    rewindHalfSteps.CSM02 = 1;
    EXPECT_EQ(EncodeCustomSettings({}), 0x0010200Eu);
    EXPECT_EQ(EncodeCustomSettings(rewindHalfSteps), 0x0013200Eu);
    EXPECT_EQ(DecodeCustomSettings(0x0010200Eu), TF100CustomSettings{});
    EXPECT_EQ(DecodeCustomSettings(0x00, 0x13, 0x20, 0x0E), rewindHalfSteps);
}

// Where each setting lives on the wire: the encoding of one field set alone, every
// other field at 0. The round trip cannot catch two settings swapped; this can.
TEST(CameraSettings, EachSettingSetsItsOwnBits)
{
    struct Case { int number; int value; uint32_t encoding; };
    const Case cases[] = {
        {1, 1, 0x0011200E},  {2, 1, 0x0012200E},  {2, 2, 0x0016200E},
        {3, 1, 0x0018200E},  {4, 1, 0x0000200E},  {5, 1, 0x0010300E},
        {6, 1, 0x0050200E},  {7, 1, 0x0090200E},  {8, 1, 0x0110200E},
        {9, 1, 0x0010000E},  {10, 1, 0x0030200E}, {11, 1, 0x2010200E},
        {11, 2, 0x4010200E}, {12, 1, 0x8010200E}, {13, 1, 0x0010200F},
        {14, 1, 0x0010204E}, {15, 1, 0x00102008}, {15, 2, 0x0010200A},
        {15, 3, 0x0010200C}, {16, 1, 0x0010201E}, {16, 2, 0x00102006},
        {16, 3, 0x0010202E}, {17, 1, 0x0010208E}, {18, 1, 0x0010210E},
        {19, 1, 0x0010240E}, {20, 1, 0x0010280E}, {21, 1, 0x0210200E},
        {21, 2, 0x0410200E}, {21, 3, 0x0810200E}, {22, 1, 0x1010200E},
        {23, 1, 0x0010220E}, {24, 1, 0x0010600E}, {25, 1, 0x0010A00E},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << CustomSettingFields()[c.number - 1].Name << "=" << c.value);
        const TF100CustomSettings settings = With(c.number, c.value);
        EXPECT_EQ(EncodeCustomSettings(settings), c.encoding);
        EXPECT_EQ(DecodeCustomSettings(c.encoding), settings);
    }
}

TEST(CameraSettings, AllBitsSetDecodeByPriority)
{
    TF100CustomSettings expected;
    for (const auto& field : CustomSettingFields())
        expected.*field.Member = 1;
    expected.CSM02 = 2;
    expected.CSM04 = 0;
    expected.CSM09 = 0;
    expected.CSM15 = 0;
    EXPECT_EQ(DecodeCustomSettings(0xFFFFFFFFu), expected);
    EXPECT_EQ(DecodeCustomSettings(0xFF, 0xFF, 0xFF, 0xFF), expected);
}

TEST(CameraSettings, EveryEncodableRecordDecodesBack)
{
    // Each field over its whole range, once on the zero record and once on a record
    // with every other field at its highest value.
    TF100CustomSettings high;
    for (const auto& field : CustomSettingFields())
        high.*field.Member = field.ValueCount - 1;
    for (const TF100CustomSettings& base : {TF100CustomSettings{}, high}) {
        for (const auto& field : CustomSettingFields()) {
            for (int value = 0; value < field.ValueCount; ++value) {
                TF100CustomSettings settings = base;
                settings.*field.Member = static_cast<uint8_t>(value);
                EXPECT_EQ(DecodeCustomSettings(EncodeCustomSettings(settings)), settings)
                    << field.Name << "=" << value;
            }
        }
    }
    std::mt19937 random(20261211);
    for (int i = 0; i < 20000; ++i) {
        const TF100CustomSettings settings = RandomLegalRecord(random);
        ASSERT_EQ(DecodeCustomSettings(EncodeCustomSettings(settings)), settings) << i;
    }
}

TEST(CameraSettings, ReencodingAnyDecodedPatternIsStable)
{
    // Patterns the encoder never writes decode by priority; what that record encodes to
    // must itself decode to the same record, or the write verification would never agree.
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        const uint32_t raw = random();
        const TF100CustomSettings decoded = DecodeCustomSettings(raw);
        ASSERT_EQ(DecodeCustomSettings(EncodeCustomSettings(decoded)), decoded) << std::hex << raw;
    }
}

TEST(CameraSettings, DataSettingsByte)
{
    TF100DataSettings stopShooting;
    stopShooting.MemoryFullAction = 1;
    EXPECT_EQ(DecodeDataSettings(0x00), stopShooting);

    TF100DataSettings detailed;
    detailed.MemoryFullAction = 0;
    detailed.RecordShootingData = 1;
    detailed.RecordingMode = 1;
    EXPECT_EQ(DecodeDataSettings(0x0B), detailed);
    EXPECT_EQ(EncodeDataSettings({}), 0x01);

    TF100DataSettings present;
    present.ShootingDataPresent = 1;
    present.KeepBit5 = 1;
    EXPECT_EQ(EncodeDataSettings(present), 0x31);

    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(EncodeDataSettings(DecodeDataSettings(uint8_t(byte))), byte);
}

TEST(CameraSettings, PresetTextRoundTrip)
{
    TF100CustomSettings rewindHalfSteps;
    rewindHalfSteps.CSM01 = 1;
    rewindHalfSteps.CSM02 = 1;
    EXPECT_EQ(CustomSettingsToText(rewindHalfSteps), "11" + QString(20, u'0'));
    EXPECT_EQ(CustomSettingsToText({}), QString(22, u'0'));

    std::mt19937 random(99);
    for (int i = 0; i < 2000; ++i) {
        TF100CustomSettings settings = RandomLegalRecord(random);
        const QString text = CustomSettingsToText(settings);
        ASSERT_EQ(text.size(), 22);
        // The kept camera bits are not part of a preset.
        settings.KeepB3Bit1 = settings.KeepB3Bit6 = settings.KeepB3Bit7 = 0;
        ASSERT_EQ(TextToCustomSettings(text), settings) << text.toStdString();
    }
}

TEST(CameraSettings, PresetTextReadsLeniently)
{
    struct Case { QString text; TF100CustomSettings expected; };
    TF100CustomSettings lenient;
    lenient.CSM01 = 1;   // 'x': any character but '0' turns a boolean on
    lenient.CSM02 = 0;   // '3': out of range for three values
    lenient.CSM03 = 0;   // '2': a two-valued setting reads only '1'
    lenient.CSM15 = 3;
    lenient.CSM16 = 0;   // ' '
    const Case cases[] = {
        {QString(21, u'1'), {}},
        {QString(23, u'1'), {}},
        {QString(), {}},
        {"x32" + QString(11, u'0') + "3 " + QString(6, u'0'), lenient},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextToCustomSettings(c.text), c.expected) << c.text.toStdString();
}

TEST(CameraSettings, OptionTexts)
{
    EXPECT_EQ(CSMOptionList(15),
              QStringList({"4 seconds", "6 seconds", "8 seconds", "16 seconds"}));
    EXPECT_EQ(DSOptionList(TDataSetting::RecordingMode), QStringList({"Simple mode", "Detailed mode"}));
    EXPECT_EQ(DSOptionList(TDataSetting::MemoryFullAction).size(), 2);
    EXPECT_TRUE(DSOptionList(TDataSetting::RecordShootingData).isEmpty());

    // Every multi-valued setting offers exactly one text per value; booleans none.
    for (int number = 0; number <= 23; ++number) {
        const bool inRange = number >= 1 && number <= 22;
        const auto& field = CustomSettingFields()[inRange ? number - 1 : 0];
        const qsizetype expected = inRange && !field.Boolean ? field.ValueCount : 0;
        EXPECT_EQ(CSMOptionList(number).size(), expected) << number;
    }

    EXPECT_EQ(TextToCSMValue(15, "6 seconds"), 1);
    EXPECT_EQ(TextToCSMValue(15, "6 Seconds"), 0);
    EXPECT_EQ(TextToCSMValue(15, "6 Sekunden"), 0);
    EXPECT_EQ(TextToCSMValue(21, "AF lock only"), 2);
    EXPECT_EQ(CSMValueToText(21, 3), "AE lock remains after removing finger from button");
    EXPECT_EQ(CSMValueToText(2, 3), "UNKNOWN");
    EXPECT_EQ(CSMValueToText(2, -1), "UNKNOWN");
    EXPECT_EQ(DSValueToText(TDataSetting::MemoryFullAction, 1), "Stop shooting");
    EXPECT_EQ(TextToDSValue(TDataSetting::RecordingMode, "Detailed mode"), 1);
}

TEST(CameraSettings, SettingsByNumber)
{
    TF100CustomSettings settings;
    EXPECT_TRUE(SetCSMValue(settings, 15, 2));
    EXPECT_EQ(settings.CSM15, 2);
    EXPECT_EQ(CSMValue(settings, 15), 2);
    EXPECT_TRUE(SetCSMValue(settings, 1, 1));
    EXPECT_EQ(settings.CSM01, 1);

    const TF100CustomSettings before = settings;
    EXPECT_FALSE(SetCSMValue(settings, 15, 4));
    EXPECT_FALSE(SetCSMValue(settings, 1, 2));
    EXPECT_FALSE(SetCSMValue(settings, 3, -1));
    EXPECT_FALSE(SetCSMValue(settings, 0, 0));
    EXPECT_FALSE(SetCSMValue(settings, 23, 0));  // kept camera bits are not settings
    EXPECT_EQ(settings, before);
    EXPECT_FALSE(CSMValue(settings, 0).has_value());
    EXPECT_FALSE(CSMValue(settings, 23).has_value());

    EXPECT_STREQ(CustomSettingFields()[21].Name, "CSM22");
    EXPECT_STREQ(CustomSettingFields()[24].Name, "KeepB3Bit7");
    EXPECT_STREQ(DataSettingFields()[2].Name, "RecordingMode");
}
