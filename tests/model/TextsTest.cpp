#include "model/CameraSettings.h"
#include "model/ColumnTexts.h"
#include "model/FrameTexts.h"
#include "model/Texts.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

// A language in which the stored value texts differ from the source texts.
class GermanTexts : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        if (qstrcmp(context, "Rollkeeper") != 0)
            return {};
        const std::pair<const char*, const char*> words[] = {
            {"UNKNOWN", "UNBEKANNT"}, {"OFF", "AUS"},        {"TTL", "TTL-Blitz"},
            {"Matrix", "Mehrfeld"},   {"ME", "ME-Belichtung"}, {"6 seconds", "6 Sekunden"},
        };
        for (const auto& [source, translation] : words) {
            if (qstrcmp(sourceText, source) == 0)
                return QString::fromUtf8(translation);
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

class TranslatedTexts : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QCoreApplication::installTranslator(&m_translator)); }
    void TearDown() override { QCoreApplication::removeTranslator(&m_translator); }

private:
    GermanTexts m_translator;
};

}  // namespace

// What a conversion stores in one language, the reverse conversion reads back in it,
// and a comparison with a value text uses the translated text.
TEST_F(TranslatedTexts, StoredAndComparedInTheSameLanguage)
{
    EXPECT_EQ(ApertureToText(100), "UNBEKANNT");
    EXPECT_EQ(TextToAperture("UNBEKANNT"), 100);
    EXPECT_EQ(MaxApertureToText(100, 26), "UNBEKANNT");
    EXPECT_EQ(MaxApertureToText(22, 100), "f3.5");
    EXPECT_EQ(ISOToText(0), "UNBEKANNT");
    EXPECT_EQ(FlashTypeToText(4), "UNBEKANNT");
    EXPECT_EQ(TextToFlashType("AUS"), 1);
    EXPECT_EQ(TextToFlashType("OFF"), 4);
    EXPECT_EQ(TextToFlashType("TTL-Blitz"), 3);
    EXPECT_EQ(TextToFlashType("Non-TTL"), 2);
    EXPECT_EQ(ExposureModeToText(4, true), "Manual + ME-Belichtung");
    EXPECT_EQ(CSMValueToText(15, 1), "6 Sekunden");
    EXPECT_EQ(TextToCSMValue(15, "6 Sekunden"), 1);
    EXPECT_EQ(TextToCSMValue(15, "6 seconds"), 0);
    EXPECT_EQ(CSMValueToText(15, 9), "UNBEKANNT");

    TRKFrame frame;
    frame.RecordingMode = 1;
    frame.FlashType = 1;
    frame.FlashMode = 1;
    frame.MeterMode = 1;
    const TFrameColumnTexts texts = FrameColumnTexts(frame);
    EXPECT_EQ(texts.FlashType, "AUS");
    EXPECT_EQ(texts.FlashMode, "");  // still recognised as flash off
    EXPECT_EQ(texts.MeterMode, "Mehrfeld");
}

TEST(Texts, UntranslatedSourceTexts)
{
    EXPECT_EQ(RKText(rktext::Unknown), "UNKNOWN");
    EXPECT_EQ(RKText(rktext::CameraF100), "F100");
    EXPECT_EQ(RKText(""), "");
}
