#include "common/hex.h"

#include <cstring>

namespace club {

int hex_digit_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void bin_to_hex(const uint8_t* bytes, size_t n, char* text) {
    static const char kDigits[] = "0123456789ABCDEF";
    for (size_t i = 0; i < n; ++i) {
        text[2 * i] = kDigits[bytes[i] >> 4];
        text[2 * i + 1] = kDigits[bytes[i] & 0xF];
    }
    text[2 * n] = '\0';
}

std::string bin_to_hex(const uint8_t* bytes, size_t n) {
    std::string s(2 * n + 1, '\0');
    bin_to_hex(bytes, n, s.data());
    s.resize(2 * n);
    return s;
}

size_t hex_to_bin(const char* text, size_t len, uint8_t* bytes, size_t max) {
    if (!text || max == 0) return 0;
    size_t written = 0;
    size_t i = 0;
    while (written < max) {
        int hi = -1;
        while (i < len && (hi = hex_digit_value(text[i])) < 0) ++i;
        if (i >= len) break;
        ++i;
        int lo = -1;
        while (i < len && (lo = hex_digit_value(text[i])) < 0) ++i;
        if (i >= len) break;
        ++i;
        bytes[written++] = static_cast<uint8_t>(hi << 4 | lo);
    }
    return written;
}

size_t hex_to_bin(const char* text, uint8_t* bytes, size_t max) {
    if (!text) return 0;
    return hex_to_bin(text, std::strlen(text), bytes, max);
}

uint32_t hex_to_uint32(const char* text) {
    uint8_t b[4];
    const size_t n = hex_to_bin(text, b, 4);
    uint32_t v = 0;
    for (size_t i = 0; i < n; ++i) v = (v << 8) | b[i];
    return v;
}

}  // namespace club
