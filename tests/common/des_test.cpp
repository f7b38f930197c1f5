#include "common/des.h"

#include <gtest/gtest.h>

#include "test_util.h"

namespace {

struct DesVector {
    const char* key;
    const char* plain;
    const char* cipher;
};

// FIPS 81 / NIST SP 800-17 known-answer values, with keys that differ only in parity bits.
const DesVector kDes[] = {
    {"0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815"},
    {"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
    {"0101010101010101", "8000000000000000", "95F8A5E5DD31D900"},
    {"0101010101010101", "0000000000000000", "8CA64DE9C1B123A7"},
    {"0000000000000000", "0000000000000000", "8CA64DE9C1B123A7"},
    {"8001010101010101", "0000000000000000", "95A8D72813DAA94D"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "7359B2163E4EDC58"},
    {"3000000000000000", "1000000000000001", "958E6E627A05557B"},
};

TEST(Des, KnownAnswersBothWays) {
    for (const auto& v : kDes) {
        SCOPED_TRACE(v.key);
        const auto key = hx(v.key), plain = hx(v.plain), cipher = hx(v.cipher);
        club::DesKeySchedule ks;
        club::des_set_key(ks, key.data());
        uint8_t out[8];
        club::des_encrypt_block(ks, plain.data(), out);
        EXPECT_EQ(club::bin_to_hex(out, 8), v.cipher);
        club::des_decrypt_block(ks, cipher.data(), out);
        EXPECT_EQ(club::bin_to_hex(out, 8), v.plain);
        club::des_encrypt(key.data(), plain.data(), out);
        EXPECT_EQ(club::bin_to_hex(out, 8), v.cipher);
    }
}

TEST(Des, ScheduleIsReusableAndInPlaceWorks) {
    const auto key = hx("0123456789ABCDEF");
    club::DesKeySchedule ks;
    club::des_set_key(ks, key.data());
    uint8_t block[8] = {0x4E, 0x6F, 0x77, 0x20, 0x69, 0x73, 0x20, 0x74};
    for (int i = 0; i < 3; ++i) club::des_encrypt_block(ks, block, block);
    for (int i = 0; i < 3; ++i) club::des_decrypt_block(ks, block, block);
    EXPECT_EQ(club::bin_to_hex(block, 8), "4E6F772069732074");
}

TEST(TripleDes, ThreeKeyPublishedVector) {
    // NIST SP 800-67, first block of "The qufck brown fox jump".
    const auto key = hx("0123456789ABCDEF 23456789ABCDEF01 456789ABCDEF0123");
    const auto plain = hx("5468652071756663");
    club::TripleDesKeySchedule ks;
    club::tdes_set_key3(ks, key.data());
    uint8_t out[8], back[8];
    club::tdes_encrypt_block(ks, plain.data(), out);
    EXPECT_EQ(club::bin_to_hex(out, 8), "A826FD8CE53B855F");
    club::tdes_decrypt_block(ks, out, back);
    EXPECT_EQ(club::bin_to_hex(back, 8), "5468652071756663");
}

TEST(TripleDes, TwoKeyIsThreeKeyWithK3EqualK1AndEqualKeysAreSingleDes) {
    const auto k2 = hx("0123456789ABCDEF FEDCBA9876543210");
    const auto k3 = hx("0123456789ABCDEF FEDCBA9876543210 0123456789ABCDEF");
    const auto plain = hx("0011223344556677");
    club::TripleDesKeySchedule a, b, c;
    club::tdes_set_key2(a, k2.data());
    club::tdes_set_key3(b, k3.data());
    uint8_t x[8], y[8];
    club::tdes_encrypt_block(a, plain.data(), x);
    club::tdes_encrypt_block(b, plain.data(), y);
    EXPECT_EQ(club::bin_to_hex(x, 8), club::bin_to_hex(y, 8));

    const auto same = hx("0123456789ABCDEF0123456789ABCDEF");
    club::tdes_set_key2(c, same.data());
    club::tdes_encrypt_block(c, hx("4E6F772069732074").data(), x);
    EXPECT_EQ(club::bin_to_hex(x, 8), "3FA40E8A984D4815");
}

}  // namespace
