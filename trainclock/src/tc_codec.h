// Byte encodings of the training clock: coordinates, site names, phone numbers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tc {

enum class Axis { Longitude, Latitude };

// "E1213045" -> 01 21 30 45. A null text gives 4 zero bytes. False for another
// hemisphere letter, a non-digit, or a text shorter than 8 characters.
bool coord_to_bytes(const char* text, Axis axis, uint8_t out[4]);
// Back to 8 characters and a terminator.
void coord_to_text(const uint8_t in[4], Axis axis, char out[9]);

// Count byte + 12 UTF-16LE units (25 bytes) from UTF-8 text (null = empty).
void name_to_device(const char* text, uint8_t out[25]);
// From count + units to UTF-8 in a buffer of `room` bytes, cut at a character boundary.
void name_from_device(const uint8_t in[25], char* out, size_t room);

// Index, digit count, 15 packed bytes (17 bytes).
void phone_to_device(uint8_t index, const char* digits, uint8_t out[17]);
// From count + 15 packed bytes to at most 30 digits and a terminator.
void phone_from_device(const uint8_t in[16], char out[31]);

inline void put16(uint8_t* p, uint32_t v) { p[0] = uint8_t(v >> 8); p[1] = uint8_t(v); }
inline void put32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 24); p[1] = uint8_t(v >> 16); p[2] = uint8_t(v >> 8); p[3] = uint8_t(v);
}
inline uint16_t get16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }
inline uint32_t get32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

}  // namespace tc
