#pragma once

// Single-bit helpers on one byte. Bit numbers run from 0 (least significant) to 7 and
// are taken modulo 8, so bit 9 is bit 1.

#include <cstdint>

constexpr uint8_t SetBit(uint8_t value, unsigned bit)
{
    return static_cast<uint8_t>(value | (1u << (bit % 8)));
}

constexpr uint8_t ClearBit(uint8_t value, unsigned bit)
{
    return static_cast<uint8_t>(value & ~(1u << (bit % 8)));
}

// Any non-zero flag sets the bit.
constexpr uint8_t SetBitTo(uint8_t value, unsigned bit, int flag)
{
    return flag != 0 ? SetBit(value, bit) : ClearBit(value, bit);
}

constexpr bool BitIsSet(uint8_t value, unsigned bit)
{
    return (value >> (bit % 8)) & 1u;
}
