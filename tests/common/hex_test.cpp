#include "common/hex.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Hex, BinToHexWritesUppercaseAndTerminator) {
    const uint8_t b[] = {0x00, 0xAB, 0x7F};
    char text[8];
    std::memset(text, 'x', sizeof text);
    club::bin_to_hex(b, 3, text);
    EXPECT_STREQ(text, "00AB7F");
    EXPECT_EQ(text[7], 'x');  // nothing beyond 2n + 1
    club::bin_to_hex(b, 0, text);
    EXPECT_STREQ(text, "");
}

TEST(Hex, HexToBinSkipsSeparatorsDropsLoneDigitAndHonoursMax) {
    struct Case {
        const char* text;
        size_t max;
        std::string want;
    };
    const Case cases[] = {
        {"12 34-5G6", 8, "123456"}, {"ABC", 8, "AB"},   {"1", 8, ""},       {"1234", 0, ""},
        {"a-b:c d", 8, "ABCD"},     {"123456", 2, "1234"}, {"", 8, ""},     {"zz", 8, ""},
    };
    for (const auto& c : cases) {
        uint8_t out[9];
        std::memset(out, 0xEE, sizeof out);
        const size_t n = club::hex_to_bin(c.text, out, c.max);
        EXPECT_EQ(club::bin_to_hex(out, n), c.want) << c.text;
        EXPECT_EQ(out[n], 0xEE) << "wrote past the result: " << c.text;
    }
    uint8_t out[2];
    EXPECT_EQ(club::hex_to_bin(nullptr, out, 2), 0u);
}

TEST(Hex, HexToUint32ReadsUpToFourBytesBigEndian) {
    EXPECT_EQ(club::hex_to_uint32("1A2B"), 0x1A2Bu);
    EXPECT_EQ(club::hex_to_uint32("1A2B3C4D5E"), 0x1A2B3C4Du);
    EXPECT_EQ(club::hex_to_uint32(""), 0u);
    EXPECT_EQ(club::hex_to_uint32("FF"), 0xFFu);
}

}  // namespace
