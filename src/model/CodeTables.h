#pragma once

// The camera's code tables: for each byte code the text stored in the database. Fixed
// data, shared read-only by any thread.
//
// Several codes share a text (the camera counts in thirds and halves of a stop, the
// texts are rounded). Reverse lookups search a table in its order and take the first
// match, so the order of these tables is part of what a text reads back as.

#include <array>
#include <cstdint>
#include <span>

struct TCodeText
{
    uint8_t Code;
    const char* Text;
};

// Shutter speeds in search order: codes 0 to 79, 112, 113, then 224 to 255.
std::span<const TCodeText> ShutterSpeedTable();

// Apertures for codes 0 to 78, f-number without the "f". Code 100 also has an entry,
// the translated "UNKNOWN" (rktext::Unknown), searched after code 78.
std::span<const char* const> ApertureTable();
inline constexpr uint8_t ApertureUnknownCode = 100;

// Focal lengths in millimetres without the unit, one per code 0 to 255.
std::span<const char* const> FocalTable();
inline constexpr char NoFocal[] = "-";

// Film speeds for codes 0 to 31. Entry 0 is rktext::Unknown and is shown translated.
std::span<const char* const> ISOTable();

// Exposure value texts, one per code 0 to 255. The code is a signed byte counting
// sixths of a stop; the text is the value in stops, limited to -20..+20, rounded to one
// decimal, signed ("+0.2", "-1.0") and "0.0" for zero.
using TEVText = std::array<char, 6>;
std::span<const TEVText> EVTable();
