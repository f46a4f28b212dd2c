#pragma once

// Conversions between a frame's camera codes and the texts kept in the database and in
// exchange files. Forward conversions never fail: a code without an entry gives "??".
// Reverse conversions, used by the importers, never reject a text: one that matches no
// entry gives the conversion's fallback code. Where several codes share a text the
// first in table order wins (see CodeTables.h).
//
// Texts that are translatable ("UNKNOWN", "OFF", "Matrix", ...) are produced and
// compared in the current translation. Pure functions; any thread may call them.

#include <QString>

#include <cstdint>

// "1/125", "2\"" (seconds), "BULB", ...; "??" for a code without entry.
QString ShutterSpeedToText(uint8_t code);
// Matches the text itself, "1/" + text ("125"), or the text with its first "s"/"S" taken
// as the seconds mark ("2s"). No match gives 0, the code of one second.
uint8_t TextToShutterSpeed(const QString& text);

// "f2.8"; "UNKNOWN" for code 100; "??" for a code without entry.
QString ApertureToText(uint8_t code);
// Ignores spaces, "f", "F" and "/" and accepts a decimal comma ("f/2,8"). No match: 0.
uint8_t TextToAperture(const QString& text);

// Millimetres without the unit; "-" for no lens information.
QString FocalToText(uint8_t code);
// Drops the first "mm". No match: 0.
uint8_t TextToFocal(const QString& text);

// "400"; "UNKNOWN" for code 0; "??" above 31.
QString ISOToText(uint8_t code);
// Exact match. No match: 0.
uint8_t TextToISO(const QString& text);

// "+0.3", "-1.0", "0.0": stops, from a signed byte of sixths of a stop.
QString EVToText(uint8_t code);
// An unsigned text other than "0.0" reads as positive ("0.3" as "+0.3"). No match: 0.
uint8_t TextToEV(const QString& text);

// Enumerations. Flash type and flash mode look only at the low 7 bits.
QString FlashTypeToText(uint8_t flashType);
// "TTL" 3, "Non-TTL" 2, "OFF" 1 (exact case), "None" in any case 0, anything else 4.
uint8_t TextToFlashType(const QString& text);
QString MeterModeToText(uint8_t meterMode);
// "Manual", or "Manual + ME" for a frame of a multiple exposure.
QString ExposureModeToText(uint8_t exposureMode, bool multipleExposure);
QString FlashModeToText(uint8_t flashMode);

// A lens by its focal range: "24-85mm", "50mm" for a prime, "-" when either end is
// unknown.
QString LensToText(uint8_t minFocal, uint8_t maxFocal);
// A lens's maximum aperture at both ends: "f3.5-f4.5", or one text when both ends are
// the same code or either is unknown.
QString MaxApertureToText(uint8_t atMinFocal, uint8_t atMaxFocal);

struct TFocalAndLens
{
    uint8_t Focal = 0;
    uint8_t LensMinFocal = 0;
    uint8_t LensMaxFocal = 0;

    friend bool operator==(const TFocalAndLens&, const TFocalAndLens&) = default;
};
// Reads "50mm (24-85mm)" or "35 (28mm-70mm)"; a text without "(" is a prime lens and
// gives its focal length for all three. Each part that matches no entry gives 0.
TFocalAndLens TextToFocalAndLens(const QString& text);
