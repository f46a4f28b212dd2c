#include "model/CameraSettings.h"

#include "model/BitManip.h"
#include "model/Texts.h"

#include <span>

namespace {

using S = TF100CustomSettings;

constexpr std::array<TCustomSettingField, 25> kCustomFields{{
    {"CSM01", &S::CSM01, 2, true},  {"CSM02", &S::CSM02, 3, false},
    {"CSM03", &S::CSM03, 2, false}, {"CSM04", &S::CSM04, 2, true},
    {"CSM05", &S::CSM05, 2, false}, {"CSM06", &S::CSM06, 2, true},
    {"CSM07", &S::CSM07, 2, true},  {"CSM08", &S::CSM08, 2, true},
    {"CSM09", &S::CSM09, 2, true},  {"CSM10", &S::CSM10, 2, true},
    {"CSM11", &S::CSM11, 3, false}, {"CSM12", &S::CSM12, 2, true},
    {"CSM13", &S::CSM13, 2, true},  {"CSM14", &S::CSM14, 2, false},
    {"CSM15", &S::CSM15, 4, false}, {"CSM16", &S::CSM16, 4, false},
    {"CSM17", &S::CSM17, 2, true},  {"CSM18", &S::CSM18, 2, true},
    {"CSM19", &S::CSM19, 2, false}, {"CSM20", &S::CSM20, 2, true},
    {"CSM21", &S::CSM21, 4, false}, {"CSM22", &S::CSM22, 2, true},
    {"KeepB3Bit1", &S::KeepB3Bit1, 2, false},
    {"KeepB3Bit6", &S::KeepB3Bit6, 2, false},
    {"KeepB3Bit7", &S::KeepB3Bit7, 2, false},
}};

constexpr int kCSMCount = 22;

using D = TF100DataSettings;

constexpr std::array<TDataSettingField, 8> kDataFields{{
    {"MemoryFullAction", &D::MemoryFullAction},
    {"RecordShootingData", &D::RecordShootingData},
    {"RecordingMode", &D::RecordingMode},
    {"ShootingDataPresent", &D::ShootingDataPresent},
    {"KeepBit2", &D::KeepBit2},
    {"KeepBit5", &D::KeepBit5},
    {"KeepBit6", &D::KeepBit6},
    {"KeepBit7", &D::KeepBit7},
}};

std::span<const char* const> CSMOptionSources(int settingNumber)
{
    switch (settingNumber) {
    case 2: return rktext::CSM02Options;
    case 3: return rktext::CSM03Options;
    case 5: return rktext::CSM05Options;
    case 11: return rktext::CSM11Options;
    case 14: return rktext::CSM14Options;
    case 15: return rktext::CSM15Options;
    case 16: return rktext::CSM16Options;
    case 19: return rktext::CSM19Options;
    case 21: return rktext::CSM21Options;
    default: return {};
    }
}

std::span<const char* const> DSOptionSources(TDataSetting setting)
{
    switch (setting) {
    case TDataSetting::MemoryFullAction: return rktext::MemoryFullActionOptions;
    case TDataSetting::RecordingMode: return rktext::RecordingModeOptions;
    case TDataSetting::RecordShootingData:
    case TDataSetting::ShootingDataPresent: break;
    }
    return {};
}

QStringList TranslatedList(std::span<const char* const> sources)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(sources.size()));
    for (const char* source : sources)
        list.append(RKText(source));
    return list;
}

}  // namespace

uint32_t EncodeCustomSettings(const TF100CustomSettings& s)
{
    uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;

    b1 = SetBitTo(b1, 0, s.CSM08);
    b1 = SetBitTo(b1, 1, s.CSM21 == 1);
    b1 = SetBitTo(b1, 2, s.CSM21 == 2);
    b1 = SetBitTo(b1, 3, s.CSM21 == 3);
    b1 = SetBitTo(b1, 4, s.CSM22);
    b1 = SetBitTo(b1, 5, s.CSM11 == 1);
    b1 = SetBitTo(b1, 6, s.CSM11 == 2);
    b1 = SetBitTo(b1, 7, s.CSM12);

    b2 = SetBitTo(b2, 0, s.CSM01);
    b2 = SetBitTo(b2, 1, s.CSM02 == 1 || s.CSM02 == 2);
    b2 = SetBitTo(b2, 2, s.CSM02 == 2);
    b2 = SetBitTo(b2, 3, s.CSM03 == 1);
    b2 = SetBitTo(b2, 4, s.CSM04 == 0);  // the camera stores this one inverted
    b2 = SetBitTo(b2, 5, s.CSM10);
    b2 = SetBitTo(b2, 6, s.CSM06);
    b2 = SetBitTo(b2, 7, s.CSM07);

    b3 = SetBitTo(b3, 0, s.CSM18);
    b3 = SetBitTo(b3, 1, s.KeepB3Bit1);
    b3 = SetBitTo(b3, 2, s.CSM19 == 1);
    b3 = SetBitTo(b3, 3, s.CSM20);
    b3 = SetBitTo(b3, 4, s.CSM05 == 1);
    b3 = SetBitTo(b3, 5, s.CSM09 == 0);  // inverted as well
    b3 = SetBitTo(b3, 6, s.KeepB3Bit6);
    b3 = SetBitTo(b3, 7, s.KeepB3Bit7);

    b4 = SetBitTo(b4, 0, s.CSM13);
    // Meter switch-off: 4 s = bits 1+2, 6 s = none, 8 s = bit 1, 16 s = bit 2.
    b4 = SetBitTo(b4, 1, s.CSM15 == 0 || s.CSM15 == 2);
    b4 = SetBitTo(b4, 2, s.CSM15 == 0 || s.CSM15 == 3);
    // Self-timer: 2 s = bit 3, 5 s = bits 3+4, 10 s = none, 20 s = bits 3+5.
    b4 = SetBitTo(b4, 3, s.CSM16 == 0 || s.CSM16 == 1 || s.CSM16 == 3);
    b4 = SetBitTo(b4, 4, s.CSM16 == 1);
    b4 = SetBitTo(b4, 5, s.CSM16 == 3);
    b4 = SetBitTo(b4, 6, s.CSM14 == 1);
    b4 = SetBitTo(b4, 7, s.CSM17);

    return (uint32_t(b1) << 24) | (uint32_t(b2) << 16) | (uint32_t(b3) << 8) | b4;
}

TF100CustomSettings DecodeCustomSettings(uint32_t value)
{
    return DecodeCustomSettings(uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8),
                                uint8_t(value));
}

TF100CustomSettings DecodeCustomSettings(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4)
{
    TF100CustomSettings s;
    s.CSM08 = BitIsSet(b1, 0);
    s.CSM21 = BitIsSet(b1, 1) ? 1 : BitIsSet(b1, 2) ? 2 : BitIsSet(b1, 3) ? 3 : 0;
    s.CSM22 = BitIsSet(b1, 4);
    s.CSM11 = BitIsSet(b1, 5) ? 1 : BitIsSet(b1, 6) ? 2 : 0;
    s.CSM12 = BitIsSet(b1, 7);

    s.CSM01 = BitIsSet(b2, 0);
    s.CSM02 = !BitIsSet(b2, 1) ? 0 : BitIsSet(b2, 2) ? 2 : 1;
    s.CSM03 = BitIsSet(b2, 3);
    s.CSM04 = !BitIsSet(b2, 4);
    s.CSM10 = BitIsSet(b2, 5);
    s.CSM06 = BitIsSet(b2, 6);
    s.CSM07 = BitIsSet(b2, 7);

    s.CSM18 = BitIsSet(b3, 0);
    s.KeepB3Bit1 = BitIsSet(b3, 1);
    s.CSM19 = BitIsSet(b3, 2);
    s.CSM20 = BitIsSet(b3, 3);
    s.CSM05 = BitIsSet(b3, 4);
    s.CSM09 = !BitIsSet(b3, 5);
    s.KeepB3Bit6 = BitIsSet(b3, 6);
    s.KeepB3Bit7 = BitIsSet(b3, 7);

    s.CSM13 = BitIsSet(b4, 0);
    const bool bit1 = BitIsSet(b4, 1), bit2 = BitIsSet(b4, 2);
    s.CSM15 = bit1 ? (bit2 ? 0 : 2) : (bit2 ? 3 : 1);
    s.CSM16 = !BitIsSet(b4, 3) ? 2 : BitIsSet(b4, 4) ? 1 : BitIsSet(b4, 5) ? 3 : 0;
    s.CSM14 = BitIsSet(b4, 6);
    s.CSM17 = BitIsSet(b4, 7);
    return s;
}

uint8_t EncodeDataSettings(const TF100DataSettings& s)
{
    uint8_t b = 0;
    b = SetBitTo(b, 0, s.MemoryFullAction == 0);  // set means "delete old data"
    b = SetBitTo(b, 1, s.RecordShootingData);
    b = SetBitTo(b, 2, s.KeepBit2);
    b = SetBitTo(b, 3, s.RecordingMode == 1);
    b = SetBitTo(b, 4, s.ShootingDataPresent);
    b = SetBitTo(b, 5, s.KeepBit5);
    b = SetBitTo(b, 6, s.KeepBit6);
    b = SetBitTo(b, 7, s.KeepBit7);
    return b;
}

TF100DataSettings DecodeDataSettings(uint8_t b)
{
    TF100DataSettings s;
    s.MemoryFullAction = BitIsSet(b, 0) ? 0 : 1;
    s.RecordShootingData = BitIsSet(b, 1);
    s.KeepBit2 = BitIsSet(b, 2);
    s.RecordingMode = BitIsSet(b, 3);
    s.ShootingDataPresent = BitIsSet(b, 4);
    s.KeepBit5 = BitIsSet(b, 5);
    s.KeepBit6 = BitIsSet(b, 6);
    s.KeepBit7 = BitIsSet(b, 7);
    return s;
}

QString CustomSettingsToText(const TF100CustomSettings& settings)
{
    QString text;
    text.reserve(kCSMCount);
    for (int i = 0; i < kCSMCount; ++i) {
        const TCustomSettingField& field = kCustomFields[i];
        const uint8_t value = settings.*field.Member;
        int digit = 0;
        if (field.Boolean)
            digit = value != 0 ? 1 : 0;
        else if (value < field.ValueCount)
            digit = value;
        text.append(QChar(u'0' + digit));
    }
    return text;
}

TF100CustomSettings TextToCustomSettings(const QString& text)
{
    TF100CustomSettings settings;
    if (text.size() != kCSMCount)
        return settings;
    for (int i = 0; i < kCSMCount; ++i) {
        const TCustomSettingField& field = kCustomFields[i];
        const char16_t ch = text.at(i).unicode();
        uint8_t value = 0;
        if (field.Boolean)
            value = ch != u'0' ? 1 : 0;
        else if (ch >= u'1' && ch < u'0' + field.ValueCount)
            value = static_cast<uint8_t>(ch - u'0');
        settings.*field.Member = value;
    }
    return settings;
}

const std::array<TCustomSettingField, 25>& CustomSettingFields()
{
    return kCustomFields;
}

const std::array<TDataSettingField, 8>& DataSettingFields()
{
    return kDataFields;
}

std::optional<uint8_t> CSMValue(const TF100CustomSettings& settings, int number)
{
    if (number < 1 || number > kCSMCount)
        return std::nullopt;
    return settings.*kCustomFields[number - 1].Member;
}

bool SetCSMValue(TF100CustomSettings& settings, int number, int value)
{
    if (number < 1 || number > kCSMCount)
        return false;
    const TCustomSettingField& field = kCustomFields[number - 1];
    if (value < 0 || value >= field.ValueCount)
        return false;
    settings.*field.Member = static_cast<uint8_t>(value);
    return true;
}

QStringList CSMOptionList(int settingNumber)
{
    return TranslatedList(CSMOptionSources(settingNumber));
}

QStringList DSOptionList(TDataSetting setting)
{
    return TranslatedList(DSOptionSources(setting));
}

QString OptionToText(const QStringList& options, int value)
{
    if (value < 0 || value >= options.size())
        return RKText(rktext::Unknown);
    return options.at(value);
}

int TextToOption(const QStringList& options, const QString& text)
{
    const qsizetype position = options.indexOf(text);
    return position < 0 ? 0 : static_cast<int>(position);
}

QString CSMValueToText(int settingNumber, int value)
{
    return OptionToText(CSMOptionList(settingNumber), value);
}

int TextToCSMValue(int settingNumber, const QString& text)
{
    return TextToOption(CSMOptionList(settingNumber), text);
}

QString DSValueToText(TDataSetting setting, int value)
{
    return OptionToText(DSOptionList(setting), value);
}

int TextToDSValue(TDataSetting setting, const QString& text)
{
    return TextToOption(DSOptionList(setting), text);
}
