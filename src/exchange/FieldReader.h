#pragma once

// Consumes the separated fields of a SoftTALK or PhotoSecretary frame line from the left,
// one field at a time, and interprets each by its kind.
//
// A field is the text before the next separator, and taking it removes the text and the
// separator from the rest of the line. When no separator follows any more, the field is
// empty and nothing is removed: the end of a line is never a field. Every field but the
// first of a line loses its leading spaces first.
//
// Interpreters never reject a text: a text they do not know gives their fallback value.

#include "model/DataStructures.h"
#include "model/FrameTexts.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <cstdint>
#include <optional>
#include <utility>

// Pairs of the lens maximum aperture (at the shortest and the longest focal length) and
// of the SoftTALK flash field (flash type, flash mode).
using TCodePair = std::pair<uint8_t, uint8_t>;

class TFieldReader
{
public:
    // An empty separator stands for a TAB, the separator of every file written by us.
    TFieldReader(QString line, QString separator);

    const QString& rest() const { return m_rest; }

    // The first field of a line (the frame number): taken as it stands.
    QString takeFirstField();
    // Any further field, without its leading spaces.
    QString takeField();

    uint8_t takeShutterSpeed();
    // A field holding "UNKNOWN" anywhere (in any case) reads as that text.
    uint8_t takeAperture();
    TFocalAndLens takeFocalAndLens();
    // One aperture for both ends, or a range "a - b".
    TCodePair takeMaxApertureRange();
    // A decimal comma is accepted.
    uint8_t takeEV();
    uint8_t takeExposureMode();
    uint8_t takeMetering();
    uint8_t takeFlashMode();
    uint8_t takeFlashType();
    // True when the field begins with "ON" in any case.
    bool takeMultipleExposure();
    // Null when the field is no date.
    QDate takeDate();
    // Invalid when the field is no time.
    QTime takeTime();
    // The SoftTALK flash field: a type, spaces, a sync mode ("TTL   Rear"), or "Off".
    TCodePair takeSoftTALKFlash();

    // Whether the next two fields are both empty (the rest begins with two separators).
    bool nextTwoFieldsEmpty() const;

private:
    void skipLeadingSpaces();

    QString m_rest;
    QString m_separator;
};

// Stores a focal length and its lens's range in a frame.
void SetFocalAndLens(TRKFrame& frame, const TFocalAndLens& focal);

// The interpreters of field texts, in upper case where they compare.
uint8_t InterpretExposureMode(const QString& text);  // P 1, A 2, M 4, any other 3
uint8_t InterpretMetering(const QString& text);      // spot 3, centre-weighted 2, other 1
uint8_t InterpretFlashMode(const QString& text);     // NORMAL 1 .. RED-EYE & SLOW 5, other 0
uint8_t InterpretFlashType(const QString& text);     // OFF 1, Non-TTL 2, TTL 3, other 4
uint8_t InterpretAperture(const QString& text);      // TextToAperture with the UNKNOWN rule
TCodePair InterpretMaxApertureRange(const QString& text);

// "mm/dd/yyyy" (one or two digit month and day), else the locale's short date format.
QDate ParseFieldDate(const QString& text);
// "hh:mm:ss" or "hh:mm", else the locale's time formats.
QTime ParseFieldTime(const QString& text);

// The integer at the start of a text, as the formats' key lines give one: leading spaces
// skipped, an optional sign, then the value of the leading digits (0 when there are none).
// Empty when the value does not fit 32 bits.
std::optional<int32_t> LeadingInteger(const QString& text);

// A text that is wholly a decimal integer (spaces around it allowed) within 32 bits.
std::optional<int32_t> StrictInteger(const QString& text);
