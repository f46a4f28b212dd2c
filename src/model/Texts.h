#pragma once

// Every text of the model that a user sees. The texts stored in the database ("UNKNOWN",
// "OFF", "Matrix", ...) and the option texts of the camera settings are translatable
// source texts of the "Rollkeeper" context: code keeps the source here and calls
// RKText() where it needs the text, so a conversion that stores a text and one that
// compares with it always use the same translated text.
//
// Only the source texts live in this header, as constant data that tables can point to;
// nothing here allocates. Safe to call from any thread once translators are installed.

#include <QString>
#include <QtGlobal>

#include <array>

// The translated text of one of the source texts below.
QString RKText(const char* sourceText);

namespace rktext {

// Stands for a code or value that has no entry in its table. Not translated: it is the
// same in every language and importers never read it back.
inline constexpr char NoEntry[] = "??";

// The seconds mark that ends the texts of long exposures ("2\"") and the unit of
// focal lengths. Not translated: photographic notation.
inline constexpr char SecondsMark = '"';
inline constexpr char Millimetres[] = "mm";

inline constexpr char Unknown[] = QT_TRANSLATE_NOOP("Rollkeeper", "UNKNOWN");

// Camera names stored in a roll.
inline constexpr char CameraF100[] = QT_TRANSLATE_NOOP("Rollkeeper", "F100");
inline constexpr char CameraF5[] = QT_TRANSLATE_NOOP("Rollkeeper", "F5");

// Enumerated frame values as stored in the database, indexed by value; nullptr marks a
// value without an entry (shown as NoEntry).
inline constexpr char FlashTypeOff[] = QT_TRANSLATE_NOOP("Rollkeeper", "OFF");
inline constexpr char FlashTypeNonTTL[] = QT_TRANSLATE_NOOP("Rollkeeper", "Non-TTL");
inline constexpr char FlashTypeTTL[] = QT_TRANSLATE_NOOP("Rollkeeper", "TTL");
inline constexpr std::array<const char*, 5> FlashTypes{
    "", FlashTypeOff, FlashTypeNonTTL, FlashTypeTTL, Unknown,
};
// Exchange files write "no flash type given" as this word, in any case. Not translated:
// it belongs to the file formats, not to the user.
inline constexpr char FlashTypeNone[] = "None";

inline constexpr std::array<const char*, 4> MeterModes{
    nullptr,
    QT_TRANSLATE_NOOP("Rollkeeper", "Matrix"),
    QT_TRANSLATE_NOOP("Rollkeeper", "Centre"),
    QT_TRANSLATE_NOOP("Rollkeeper", "Spot"),
};
inline constexpr std::array<const char*, 5> ExposureModes{
    nullptr,
    QT_TRANSLATE_NOOP("Rollkeeper", "Program"),
    QT_TRANSLATE_NOOP("Rollkeeper", "Aperture priority"),
    QT_TRANSLATE_NOOP("Rollkeeper", "Shutter priority"),
    QT_TRANSLATE_NOOP("Rollkeeper", "Manual"),
};
inline constexpr std::array<const char*, 6> FlashModes{
    "",
    QT_TRANSLATE_NOOP("Rollkeeper", "NORMAL"),
    QT_TRANSLATE_NOOP("Rollkeeper", "SLOW"),
    QT_TRANSLATE_NOOP("Rollkeeper", "REAR"),
    QT_TRANSLATE_NOOP("Rollkeeper", "RED-EYE"),
    QT_TRANSLATE_NOOP("Rollkeeper", "RED-EYE+SLOW"),
};
// Marks a frame of a multiple exposure, alone or after the exposure mode.
inline constexpr char MultipleExposure[] = QT_TRANSLATE_NOOP("Rollkeeper", "ME");
// A prime lens's focal length in exchange files that name it instead of a number.
inline constexpr char Prime[] = QT_TRANSLATE_NOOP("Rollkeeper", "Prime");

// Option texts of the multi-valued camera settings; the position is the value.
inline constexpr std::array<const char*, 3> CSM02Options{
    QT_TRANSLATE_NOOP("Rollkeeper", "1/3 steps"),
    QT_TRANSLATE_NOOP("Rollkeeper", "1/2 steps"),
    QT_TRANSLATE_NOOP("Rollkeeper", "1 steps"),
};
inline constexpr std::array<const char*, 2> CSM03Options{
    QT_TRANSLATE_NOOP("Rollkeeper", "Centre, down, up"),
    QT_TRANSLATE_NOOP("Rollkeeper", "Negative value to positive value"),
};
inline constexpr std::array<const char*, 2> CSM05Options{
    QT_TRANSLATE_NOOP("Rollkeeper", "When film is loaded"),
    QT_TRANSLATE_NOOP("Rollkeeper", "When power switch is on"),
};
inline constexpr std::array<const char*, 3> CSM11Options{
    QT_TRANSLATE_NOOP("Rollkeeper", "AS: Both AE/Flash bracketing"),
    QT_TRANSLATE_NOOP("Rollkeeper", "AE: Only AE bracketing"),
    QT_TRANSLATE_NOOP("Rollkeeper", "SB: Only flash bracketing"),
};
inline constexpr std::array<const char*, 2> CSM14Options{
    QT_TRANSLATE_NOOP("Rollkeeper", "Single frame shooting"),
    QT_TRANSLATE_NOOP("Rollkeeper", "Continuous shooting"),
};
inline constexpr std::array<const char*, 4> CSM15Options{
    QT_TRANSLATE_NOOP("Rollkeeper", "4 seconds"),
    QT_TRANSLATE_NOOP("Rollkeeper", "6 seconds"),
    QT_TRANSLATE_NOOP("Rollkeeper", "8 seconds"),
    QT_TRANSLATE_NOOP("Rollkeeper", "16 seconds"),
};
inline constexpr std::array<const char*, 4> CSM16Options{
    QT_TRANSLATE_NOOP("Rollkeeper", "2 seconds"),
    QT_TRANSLATE_NOOP("Rollkeeper", "5 seconds"),
    QT_TRANSLATE_NOOP("Rollkeeper", "10 seconds"),
    QT_TRANSLATE_NOOP("Rollkeeper", "20 seconds"),
};
inline constexpr std::array<const char*, 2> CSM19Options{
    QT_TRANSLATE_NOOP("Rollkeeper", "Aperture value remains"),
    QT_TRANSLATE_NOOP("Rollkeeper", "Aperture step from lens maximum remains unchanged"),
};
inline constexpr std::array<const char*, 4> CSM21Options{
    QT_TRANSLATE_NOOP("Rollkeeper", "Simultaneous AE/AF lock"),
    QT_TRANSLATE_NOOP("Rollkeeper", "AE lock only"),
    QT_TRANSLATE_NOOP("Rollkeeper", "AF lock only"),
    QT_TRANSLATE_NOOP("Rollkeeper", "AE lock remains after removing finger from button"),
};
inline constexpr std::array<const char*, 2> MemoryFullActionOptions{
    QT_TRANSLATE_NOOP("Rollkeeper", "Delete old data"),
    QT_TRANSLATE_NOOP("Rollkeeper", "Stop shooting"),
};
inline constexpr std::array<const char*, 2> RecordingModeOptions{
    QT_TRANSLATE_NOOP("Rollkeeper", "Simple mode"),
    QT_TRANSLATE_NOOP("Rollkeeper", "Detailed mode"),
};

}  // namespace rktext
