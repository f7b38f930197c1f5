#include "rr_codec.h"

#include "common/crc.h"

namespace rr {

namespace {

uint8_t family_byte(Gen g, Family f) {
    if (g == Gen::V5) {
        switch (f) {
            case Family::TagTalksFirst: return 0x10;
            case Family::HitagS: return 0x11;
            case Family::Hitag2: return 0x13;
        }
    }
    return f == Family::TagTalksFirst ? 0xE0 : 0xE1;  // version 6 has no Hitag 2
}

// Appends bits MSB first into a zeroed byte array.
struct BitWriter {
    uint8_t* out;
    size_t pos = 0;
    void put(unsigned bit) {
        if (bit) out[pos / 8] |= uint8_t(0x80u >> (pos % 8));
        ++pos;
    }
    void put_bits(unsigned value, unsigned width) {
        for (unsigned i = width; i-- > 0;) put((value >> i) & 1u);
    }
};

unsigned get_bit(const uint8_t* in, size_t pos) { return (in[pos / 8] >> (7 - pos % 8)) & 1u; }

unsigned parity4(unsigned nibble) { return (nibble ^ (nibble >> 1) ^ (nibble >> 2) ^ (nibble >> 3)) & 1u; }

// ISO 11784 code bit k lives in bit 7 - k%8 of byte k/8; fields are least significant
// bit first along the code.
uint64_t iso_get(const uint8_t code[8], unsigned start, unsigned width) {
    uint64_t v = 0;
    for (unsigned i = 0; i < width; ++i) v |= uint64_t(get_bit(code, start + i)) << i;
    return v;
}

void iso_put(uint8_t code[8], unsigned start, unsigned width, uint64_t v) {
    for (unsigned i = 0; i < width; ++i) {
        const unsigned k = start + i;
        const uint8_t mask = uint8_t(0x80u >> (k % 8));
        if ((v >> i) & 1u)
            code[k / 8] |= mask;
        else
            code[k / 8] &= uint8_t(~mask);
    }
}

}  // namespace

Command rf_config(Gen g, uint8_t value) {
    Command c;
    if (g == Gen::V5) {
        c.code = 2;
        c.add(0x00).add(value).add(0x00).add(0x00);
    } else {
        c.code = 0;
        c.add(0x00).add(0x00).add(0x00).add(value);
    }
    return c;
}

Command rf_reset(Gen g, uint16_t value) {
    Command c;
    if (g == Gen::V5) {
        c.code = 3;
        c.add(0x00).add(uint8_t(value));
    } else {
        c.code = 1;
        c.add(0x00).add(0x00).add(uint8_t(value)).add(uint8_t(value >> 8));
    }
    return c;
}

Command driver_signal(uint8_t signal, uint8_t p1, uint8_t p2, uint8_t p3) {
    Command c;
    c.code = 1;
    c.add(signal).add(p1).add(p2).add(p3);
    return c;
}

Command transponder(Gen g, Family f, uint8_t sub) {
    Command c;
    c.code = g == Gen::V5 ? 8 : 4;
    c.add(0x00).add(family_byte(g, f)).add(sub);
    return c;
}

void em4100_encode(const uint8_t identity[5], uint8_t out[8]) {
    for (int i = 0; i < 8; ++i) out[i] = 0;
    BitWriter w{out};
    w.put_bits(0x1FF, 9);
    unsigned column = 0;
    for (int i = 0; i < 10; ++i) {
        const unsigned nibble = (i % 2 == 0) ? identity[i / 2] >> 4 : identity[i / 2] & 0x0F;
        w.put_bits(nibble, 4);
        w.put(parity4(nibble));
        column ^= nibble;
    }
    w.put_bits(column, 4);
    w.put(0);
}

bool em4100_decode(const uint8_t in[8], uint8_t identity[5]) {
    for (size_t i = 0; i < 9; ++i)
        if (!get_bit(in, i)) return false;
    uint8_t bytes[5] = {};
    unsigned column = 0;
    size_t pos = 9;
    for (int i = 0; i < 10; ++i) {
        unsigned nibble = 0;
        for (int b = 0; b < 4; ++b) nibble = (nibble << 1) | get_bit(in, pos++);
        if (get_bit(in, pos++) != parity4(nibble)) return false;
        column ^= nibble;
        bytes[i / 2] = uint8_t(bytes[i / 2] | (i % 2 == 0 ? nibble << 4 : nibble));
    }
    unsigned col = 0;
    for (int b = 0; b < 4; ++b) col = (col << 1) | get_bit(in, pos++);
    if (col != column || get_bit(in, pos) != 0) return false;
    for (int i = 0; i < 5; ++i) identity[i] = bytes[i];
    return true;
}

void telegram_code(const uint8_t code[8], uint8_t out[13]) {
    for (int i = 0; i < 8; ++i) out[i] = code[i];
    const uint16_t crc = club::crc16_ring(code, 8);
    out[8] = uint8_t(crc >> 8);
    out[9] = uint8_t(crc);
    out[10] = out[11] = out[12] = 0;
}

void telegram_data(const uint8_t data[11], uint8_t out[13]) {
    for (int i = 0; i < 10; ++i) out[i] = data[i];
    out[10] = 0;
    out[11] = club::crc8_hitag(data, 6);
    out[12] = club::crc8_hitag(data + 6, 5);
}

void frame_telegram(const uint8_t telegram[13], uint8_t out[16]) {
    for (int i = 0; i < 16; ++i) out[i] = 0;
    BitWriter w{out};
    w.put_bits(0x001, 11);  // ten 0 bits and a 1 bit
    for (int i = 0; i < 13; ++i) {
        w.put_bits(telegram[i], 8);
        w.put(1);
    }
}

unsigned iso_country(const uint8_t code[8]) { return unsigned(iso_get(code, 38, 10)); }
void iso_set_country(uint8_t code[8], unsigned country) { iso_put(code, 38, 10, country % 1000); }

uint64_t iso_national(const uint8_t code[8]) { return iso_get(code, 0, 38); }
void iso_set_national(uint8_t code[8], uint64_t value) {
    iso_put(code, 0, 38, value & ((uint64_t(1) << 38) - 1));
}

unsigned iso_reserved(const uint8_t code[8]) { return unsigned(iso_get(code, 49, 14)); }
void iso_set_reserved(uint8_t code[8], unsigned reserved) {
    code[6] = 0x00;
    code[7] = 0x01;  // animal flag set, data block flag clear
    iso_put(code, 49, 14, reserved & 0x3FFF);
}

}  // namespace rr
