#pragma once

// The F100's custom settings (CSM01 to CSM22, four bytes on the wire) and its shooting
// data settings (one byte), held as records with one byte per setting, with the bit
// packing in both directions, the preset text and the option texts the windows offer.
//
// Pure functions on values; any thread may call them. Nothing here throws.

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

struct TF100CustomSettings
{
    uint8_t CSM01 = 0;  // automatic film rewind at the end of the roll
    uint8_t CSM02 = 0;  // exposure value steps: 0 1/3, 1 1/2, 2 full steps
    uint8_t CSM03 = 0;  // bracketing order
    uint8_t CSM04 = 0;  // autofocus activated with the shutter release button
    uint8_t CSM05 = 0;  // warning with non-DX-coded film
    uint8_t CSM06 = 0;  // focus area selection wraps around
    uint8_t CSM07 = 0;  // AE lock when the shutter release is pressed
    uint8_t CSM08 = 0;  // film advance when the camera back is closed
    uint8_t CSM09 = 0;  // dynamic AF closest subject priority, single servo
    uint8_t CSM10 = 0;  // dynamic AF closest subject priority, continuous servo
    uint8_t CSM11 = 0;  // AE / flash bracketing options
    uint8_t CSM12 = 0;  // command dial operations switched
    uint8_t CSM13 = 0;  // easy exposure compensation
    uint8_t CSM14 = 0;  // film advance in multiple exposure
    uint8_t CSM15 = 0;  // meter switch-off delay
    uint8_t CSM16 = 0;  // self-timer delay
    uint8_t CSM17 = 0;  // display illuminated by any button
    uint8_t CSM18 = 0;  // data imprint on frame 0
    uint8_t CSM19 = 0;  // aperture control
    uint8_t CSM20 = 0;  // release confirmation with the self-timer lamp
    uint8_t CSM21 = 0;  // AE-L / AF-L button options
    uint8_t CSM22 = 0;  // aperture set with the lens aperture ring
    // Camera bits the program does not interpret. A write always takes them from the
    // settings just read, so the program never changes them.
    uint8_t KeepB3Bit1 = 0;
    uint8_t KeepB3Bit6 = 0;
    uint8_t KeepB3Bit7 = 0;

    friend bool operator==(const TF100CustomSettings&, const TF100CustomSettings&) = default;
};

struct TF100DataSettings
{
    uint8_t MemoryFullAction = 0;     // 0 delete old data, 1 stop shooting
    uint8_t RecordShootingData = 0;   // boolean
    uint8_t RecordingMode = 0;        // 0 simple (5-byte frames), 1 detailed (13-byte frames)
    uint8_t ShootingDataPresent = 0;  // boolean, reported by the camera only
    // Bits 2, 5, 6 and 7 of the camera byte, written back as read.
    uint8_t KeepBit2 = 0;
    uint8_t KeepBit5 = 0;
    uint8_t KeepBit6 = 0;
    uint8_t KeepBit7 = 0;

    friend bool operator==(const TF100DataSettings&, const TF100DataSettings&) = default;
};

// Bit packing. The 32-bit value holds B1 in its most significant byte down to B4 in its
// least, the order the bytes travel on the wire. Decoding accepts every pattern; those
// the encoder never produces decode by priority, so re-encoding a decoded record may
// differ from the raw bytes: compare encodings of records, never raw bytes.
uint32_t EncodeCustomSettings(const TF100CustomSettings& settings);
TF100CustomSettings DecodeCustomSettings(uint32_t value);
TF100CustomSettings DecodeCustomSettings(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4);
uint8_t EncodeDataSettings(const TF100DataSettings& settings);
TF100DataSettings DecodeDataSettings(uint8_t value);

// Preset text: 22 characters, one digit per setting CSM01..CSM22. The kept camera bits
// are not stored and read back as 0. A text of any other length reads as the all-zero
// record; unexpected characters read as the setting's fallback, never fail.
QString CustomSettingsToText(const TF100CustomSettings& settings);
TF100CustomSettings TextToCustomSettings(const QString& text);

// The fields of a custom settings record in order: CSM01..CSM22 (numbers 1..22) then
// the three kept bits. ValueCount is how many values the field takes; a boolean is on
// for any non-zero value, a choice takes 0 to ValueCount - 1.
struct TCustomSettingField
{
    const char* Name;
    uint8_t TF100CustomSettings::*Member;
    uint8_t ValueCount;
    bool Boolean;
};
const std::array<TCustomSettingField, 25>& CustomSettingFields();

// A setting by its number 1..22; nothing for any other number.
std::optional<uint8_t> CSMValue(const TF100CustomSettings& settings, int number);
// Sets a setting by number; false, leaving the record unchanged, when the number is not
// 1..22 or the value is outside the setting's range.
bool SetCSMValue(TF100CustomSettings& settings, int number, int value);

// The shooting data settings that a window shows, in record order.
enum class TDataSetting { MemoryFullAction, RecordShootingData, RecordingMode, ShootingDataPresent };

struct TDataSettingField
{
    const char* Name;
    uint8_t TF100DataSettings::*Member;
};
const std::array<TDataSettingField, 8>& DataSettingFields();

// Option texts (translated) of a multi-valued setting, the position being the value; a
// setting without options (a boolean, or a number outside 1..22) gives an empty list.
QStringList CSMOptionList(int settingNumber);
QStringList DSOptionList(TDataSetting setting);

// Value to option text, "UNKNOWN" for a value outside the list; option text to value,
// the position of the exactly equal text or 0 when none is.
QString OptionToText(const QStringList& options, int value);
int TextToOption(const QStringList& options, const QString& text);
QString CSMValueToText(int settingNumber, int value);
int TextToCSMValue(int settingNumber, const QString& text);
QString DSValueToText(TDataSetting setting, int value);
int TextToDSValue(TDataSetting setting, const QString& text);
