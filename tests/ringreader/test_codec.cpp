// Byte layouts of the ring reader that need no device: command data of both reader
// generations, the EM4100 identity code, ISO 11784 fields and telegrams.
#include <gtest/gtest.h>

#include <vector>

#include "common/crc.h"
#include "rr_codec.h"

using namespace rr;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes data_of(const Command& c) { return Bytes(c.data, c.data + c.len); }

bool bit(const uint8_t* p, size_t k) { return (p[k / 8] >> (7 - k % 8)) & 1; }

}  // namespace

TEST(RingCommands, ReaderControlDiffersByGeneration) {
    struct Case {
        const char* what;
        Command cmd;
        uint8_t code;
        Bytes data;
    } cases[] = {
        {"reset v5", rf_reset(Gen::V5, 0x0132), 3, {0x00, 0x32}},
        {"reset v6", rf_reset(Gen::V6, 0x0132), 1, {0x00, 0x00, 0x32, 0x01}},
        {"config v5", rf_config(Gen::V5, 0x5A), 2, {0x00, 0x5A, 0x00, 0x00}},
        {"config v6", rf_config(Gen::V6, 0x5A), 0, {0x00, 0x00, 0x00, 0x5A}},
        {"bell 1,3,2", driver_signal(0, 1, 3, 2), 1, {0x00, 0x01, 0x03, 0x02}},
        {"select v5", transponder(Gen::V5, Family::HitagS, kSelect), 8, {0x00, 0x11, 0x00}},
        {"select v6", transponder(Gen::V6, Family::HitagS, kSelect), 4, {0x00, 0xE1, 0x00}},
        {"ttf v5", transponder(Gen::V5, Family::TagTalksFirst, 0), 8, {0x00, 0x10, 0x00}},
        {"ttf v6", transponder(Gen::V6, Family::TagTalksFirst, 2), 4, {0x00, 0xE0, 0x02}},
        {"hitag2 release", transponder(Gen::V5, Family::Hitag2, kRelease), 8, {0x00, 0x13, 0x04}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.cmd.code, c.code);
        EXPECT_EQ(data_of(c.cmd), c.data);
    }
}

TEST(Em4100, KnownIdentityCode) {
    const uint8_t id[5] = {0x0A, 0x1B, 0x2C, 0x3D, 0x7F};
    uint8_t out[8];
    em4100_encode(id, out);
    EXPECT_EQ(Bytes(out, out + 8), (Bytes{0xFF, 0x82, 0x83, 0xB9, 0x70, 0x6D, 0xBF, 0xD0}));
}

TEST(Em4100, DecodeRoundTripsAndRejectsDamage) {
    const uint8_t ids[][5] = {{0, 0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, {0x12, 0x34, 0x56, 0x78, 0x9A}};
    for (const auto& id : ids) {
        uint8_t code[8], back[5] = {};
        em4100_encode(id, code);
        EXPECT_EQ(code[0], 0xFF);
        EXPECT_TRUE(code[1] & 0x80);
        ASSERT_TRUE(em4100_decode(code, back));
        EXPECT_EQ(Bytes(back, back + 5), Bytes(id, id + 5));
        // Any single flipped bit breaks a header, row, column or stop bit.
        for (size_t k = 0; k < 64; ++k) {
            uint8_t bad[8];
            std::copy(code, code + 8, bad);
            bad[k / 8] ^= uint8_t(0x80 >> (k % 8));
            EXPECT_FALSE(em4100_decode(bad, back)) << "bit " << k;
        }
    }
}

TEST(Iso11784, CountryWrapsAtThousandAndKeepsNeighbours) {
    uint8_t code[8] = {};
    iso_set_country(code, 528);
    EXPECT_EQ(iso_country(code), 528u);
    iso_set_country(code, 1528);
    EXPECT_EQ(iso_country(code), 528u);

    uint8_t full[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    iso_set_country(full, 0);
    EXPECT_EQ(full[4], 0xFC);  // national bits 32-37 untouched
    EXPECT_EQ(full[5], 0x00);
    EXPECT_EQ(full[6], 0xFF);
}

TEST(Iso11784, NationalBitPositions) {
    uint8_t code[8] = {};
    iso_set_national(code, 1);
    EXPECT_EQ(Bytes(code, code + 8), (Bytes{0x80, 0, 0, 0, 0, 0, 0, 0}));

    const uint64_t max = (uint64_t(1) << 38) - 1;  // 274.877.906.943
    uint8_t c2[8] = {0, 0, 0, 0, 0x03, 0, 0, 0};
    iso_set_national(c2, max);
    EXPECT_EQ(Bytes(c2, c2 + 8), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0}));
    EXPECT_EQ(iso_national(c2), max);
    iso_set_national(c2, max + 1);  // upper bits are lost
    EXPECT_EQ(iso_national(c2), 0u);
    EXPECT_EQ(c2[4], 0x03);
}

TEST(Iso11784, ReservedSetsAnimalFlag) {
    uint8_t code[8] = {1, 2, 3, 4, 5, 6, 0xFF, 0xFF};
    iso_set_reserved(code, 0);
    EXPECT_EQ(code[6], 0x00);
    EXPECT_EQ(code[7], 0x01);
    iso_set_reserved(code, 0x3FFF);
    EXPECT_EQ(code[6], 0x7F);
    EXPECT_EQ(code[7], 0xFF);
    EXPECT_EQ(iso_reserved(code), 0x3FFFu);
    iso_set_reserved(code, 0x81);  // bit 0 -> byte 6 bit 6; bit 7 -> byte 7 bit 7
    EXPECT_EQ(code[6], 0x40);
    EXPECT_EQ(code[7], 0x81);
}

TEST(Telegram, FramingAndChecksums) {
    const uint8_t code[8] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
    uint8_t t[13];
    telegram_code(code, t);
    const uint16_t crc = club::crc16_ring(code, 8);
    EXPECT_EQ(t[8], crc >> 8);
    EXPECT_EQ(t[9], crc & 0xFF);
    EXPECT_EQ(t[10] | t[11] | t[12], 0);

    uint8_t f[16];
    frame_telegram(t, f);
    for (size_t k = 0; k < 10; ++k) EXPECT_FALSE(bit(f, k));
    EXPECT_TRUE(bit(f, 10));
    for (size_t i = 0; i < 13; ++i) {
        uint8_t b = 0;
        for (size_t j = 0; j < 8; ++j) b = uint8_t(b << 1 | bit(f, 11 + 9 * i + j));
        EXPECT_EQ(b, t[i]) << "byte " << i;
        EXPECT_TRUE(bit(f, 11 + 9 * i + 8)) << "separator after byte " << i;
    }
    EXPECT_EQ(f[0], 0x00);
    EXPECT_EQ(f[1], 0x22);  // 00 1 then 0x11's first five bits 00010

    const uint8_t data[11] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0xEE};
    telegram_data(data, t);
    EXPECT_EQ(t[9], 10);
    EXPECT_EQ(t[10], 0);
    EXPECT_EQ(t[11], club::crc8_hitag(data, 6));
    EXPECT_EQ(t[12], club::crc8_hitag(data + 6, 5));  // the caller's byte 10 counts
}
