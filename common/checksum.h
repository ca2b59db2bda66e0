// The 16-bit rotate-and-add checksum of the BSD `sum` utility (`sum -r`).
// Shared by ferrule (stream checksum, scrambler position) and tart (member
// checksums).
#pragma once

#include <cstddef>
#include <cstdint>

namespace trev {

// One step on a sum held in 32 bits, exactly as the stream format defines it:
// rotate right by one within 16 bits (an odd sum brings its low bit to bit
// 15), add the byte, keep the low 16 bits.  The shift is applied to the whole
// 32-bit value, so a sum of exactly 0x10000 (which the scrambler can produce
// by incrementing 0xFFFF) becomes 0x8000 before the byte is added.
inline uint32_t checksumStep(uint32_t c, unsigned char b) {
    c = (c & 1u) ? ((c >> 1) | 0x8000u) : (c >> 1);
    return (c + b) & 0xFFFFu;
}

// The same step on a sum held in 16 bits: a 16-bit rotate right by one and
// an add that wraps at 16 bits, which compiles to `ror` + `add` (about 2
// cycles a byte).  Equal to checksumStep for every sum below 0x10000.  A
// caller whose sum can reach exactly 0x10000 (the scrambler) must hand it
// over as 1: its rotation is the same 0x8000 that checksumStep gives 0x10000.
inline uint16_t checksumStep16(uint16_t c, unsigned char b) {
    c = static_cast<uint16_t>((c >> 1) | (c << 15));
    return static_cast<uint16_t>(c + b);
}

// The step over a whole buffer, starting from a 16-bit sum (checksumStep16
// byte after byte).  Equal to repeated checksumStep for every sum below
// 0x10000.
uint16_t checksumBlock(uint16_t sum, const unsigned char* data, std::size_t n);

}  // namespace trev
