// Pure byte work of the ring reader: command data of each export for either reader
// generation, and the ring's code layouts. No device, no link library.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rr {

// Reader generation: 5 talks over portlink, 6 over wirelink.
enum class Gen { V5 = 5, V6 = 6 };

// One reader command: the command code and its data. For version 5 the code goes into
// byte 1 of portlink's request block; for version 6 into byte 1 of wirelink's (class 0x11).
struct Command {
    uint8_t code = 0;
    uint8_t data[32] = {};
    size_t len = 0;

    Command& add(uint8_t b) { data[len++] = b; return *this; }
    Command& add(const uint8_t* p, size_t n) {
        for (size_t i = 0; i < n; ++i) data[len++] = p ? p[i] : 0;
        return *this;
    }
};

constexpr uint8_t kClassReaderV6 = 0x11;

// Transponder families (the address byte after the leading 0x00).
enum class Family { TagTalksFirst, HitagS, Hitag2 };

// Sub-commands of the transponder families.
enum Sub : uint8_t {
    kSelect = 0, kAuth = 1, kReadPage = 2, kWritePage = 3, kRelease = 4,
    kReadBlock = 5, kWriteBlock = 6, kCheckPage = 7
};

Command rf_config(Gen g, uint8_t value);
Command rf_reset(Gen g, uint16_t value);
Command driver_signal(uint8_t signal, uint8_t p1, uint8_t p2, uint8_t p3);  // version 5
// 0x00, family address, sub-command; arguments are added by the caller.
Command transponder(Gen g, Family f, uint8_t sub);

// Header-and-parity layout (EM4100) of the 5 identity bytes.
void em4100_encode(const uint8_t identity[5], uint8_t out[8]);
bool em4100_decode(const uint8_t in[8], uint8_t identity[5]);

// 13-byte ISO 11784 telegrams and their 128-bit frame.
void telegram_code(const uint8_t code[8], uint8_t out[13]);   // type 3
void telegram_data(const uint8_t data[11], uint8_t out[13]);  // type 2
void frame_telegram(const uint8_t telegram[13], uint8_t out[16]);

// ISO 11784 fields of the 8-byte code (transmission order: code bit k is bit 7 - k%8 of
// byte k/8).
unsigned iso_country(const uint8_t code[8]);
void iso_set_country(uint8_t code[8], unsigned country);
uint64_t iso_national(const uint8_t code[8]);
void iso_set_national(uint8_t code[8], uint64_t value);
unsigned iso_reserved(const uint8_t code[8]);
void iso_set_reserved(uint8_t code[8], unsigned reserved);

}  // namespace rr
