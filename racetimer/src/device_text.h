// Texts as the clock keeps them: a 16-bit count of UTF-16 code units (at most 15) and a
// 30-byte field of UTF-16 little-endian units, zero after the count. Internal.
#pragma once

#include <cstdint>

namespace racetimer {

constexpr int kTextUnits = 15;
constexpr int kTextBytes = 2 + 2 * kTextUnits;  // count + field
constexpr int kTextOutSize = 31;                // caller's buffer for a text from the clock

// UTF-8 text (null = empty) to the 32-byte device form. Invalid UTF-8 bytes become
// U+FFFD; a surrogate pair that would be split by the 15-unit cut is left out whole.
void encode_device_text(const char *utf8, uint8_t out[kTextBytes]);

// Device form to zero-terminated UTF-8 of at most 30 bytes. A count above 15 is taken
// as 15; unpaired surrogates become U+FFFD; a character that does not fit in 30 bytes
// ends the text (it is never cut in the middle).
void decode_device_text(const uint8_t in[kTextBytes], char out[kTextOutSize]);

}  // namespace racetimer
