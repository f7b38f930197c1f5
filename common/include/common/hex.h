// Hexadecimal text <-> bytes, with the lenient reading the device libraries rely on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace club {

// Writes 2n uppercase digits and a terminating zero (2n + 1 characters).
void bin_to_hex(const uint8_t* bytes, size_t n, char* text);
std::string bin_to_hex(const uint8_t* bytes, size_t n);

// Reads at most `max` bytes from `text` (zero-terminated, may be null = empty). Characters
// that are not hexadecimal digits are skipped anywhere, also between the two digits of a
// byte; a final lone digit is dropped. Returns the number of bytes written.
size_t hex_to_bin(const char* text, uint8_t* bytes, size_t max);

// Same, for text that is not zero-terminated (stops after `len` characters).
size_t hex_to_bin(const char* text, size_t len, uint8_t* bytes, size_t max);

// Up to 4 bytes from the text, read as a big-endian number of that many bytes (0 for none).
uint32_t hex_to_uint32(const char* text);

// Value of one hexadecimal digit, or -1.
int hex_digit_value(char c);

}  // namespace club
