// Building and running one race clock command, and the small conversions every export
// shares. Internal to racetimer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "wirelink.h"

namespace racetimer {

constexpr uint8_t kClass = 0x46;
constexpr int16_t kOk = -1;
constexpr int16_t kFail = 0;
constexpr int32_t kErrShort = 263;

inline int16_t status(bool ok) { return ok ? kOk : kFail; }

// Answer block as wirelink fills it: 2 bytes, 16-bit little-endian length, data.
struct Answer {
    uint8_t block[WL_BLOCK_SIZE] = {};
    const uint8_t *data() const { return block + 4; }
    unsigned length() const { return block[2] | (block[3] << 8); }
};

// Runs command `code` with `len` data bytes (at most 52). The answer is zeroed first.
// True when the exchange succeeded and the answer carries at least `min_len` data
// bytes; a short answer sets error 263.
bool run(uint32_t port, uint8_t code, const uint8_t *data, size_t len, Answer &answer,
         size_t min_len);

// Hexadecimal text (null = empty) to exactly n bytes; bytes the text lacks are 0.
void hex_bytes(const char *text, uint8_t *out, size_t n);
// n bytes to 2n uppercase digits and a terminator.
void to_hex(const uint8_t *bytes, size_t n, char *out);

// Little-endian helpers.
inline void put16(uint8_t *p, uint32_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
inline void put32(uint8_t *p, uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}
inline uint32_t get16(const uint8_t *p) { return p[0] | (p[1] << 8); }
inline uint32_t get32(const uint8_t *p) { return get16(p) | (get16(p + 2) << 16); }

// The race key as it travels and as the record key: every byte doubled modulo 256.
void transform_key(const uint8_t *key, uint8_t out[8]);

}  // namespace racetimer
