#include <gtest/gtest.h>

#include <cstring>

#include "portlink.h"

namespace {

TEST(Helpers, HexTextBothWays) {
    const uint8_t b[] = {0x00, 0xAB, 0x7F};
    char text[7];
    BinToHex(b, 3, text);
    EXPECT_STREQ(text, "00AB7F");

    uint8_t out[8];
    std::memset(out, 0xEE, sizeof out);
    EXPECT_EQ(HexToBin("12 34-5G6", out, 8), 3u);
    EXPECT_EQ(out[0], 0x12);
    EXPECT_EQ(out[2], 0x56);
    EXPECT_EQ(out[3], 0xEE);
    EXPECT_EQ(HexToBin("ABC", out, 8), 1u);
    EXPECT_EQ(HexToBin("1", out, 8), 0u);
    EXPECT_EQ(HexToBin("1234", out, 0), 0u);
    EXPECT_EQ(HexToBin(nullptr, out, 8), 0u);

    EXPECT_EQ(HexToUInt32("1A2B"), 0x1A2Bu);
    EXPECT_EQ(HexToUInt32("1A2B3C4D5E"), 0x1A2B3C4Du);
    EXPECT_EQ(HexToUInt32(""), 0u);

    char t9[9], t5[5], t3[3];
    UInt32ToHex(0x0012ABCD, t9);
    UInt16ToHex(0x12345, t5);
    UInt8ToHex(0x1FF, t3);
    EXPECT_STREQ(t9, "0012ABCD");
    EXPECT_STREQ(t5, "2345");
    EXPECT_STREQ(t3, "FF");

    EXPECT_EQ(AndBits(0xF0F0, 0xFF00), 0xF000u);
    EXPECT_EQ(OrBits(0xF0F0, 0x0F00), 0xFFF0u);
    EXPECT_EQ(XorBits(0xF0F0, 0xFF00), 0x0FF0u);
}

TEST(Helpers, BcdDatesBothWaysAndInvalidDates) {
    // 7 March 2009 14:05:09
    const double date = 39879.0 + (14 * 3600 + 5 * 60 + 9) / 86400.0;
    uint8_t bcd[6];
    DateToBcd(bcd, date);
    const uint8_t want[6] = {0x09, 0x03, 0x07, 0x14, 0x05, 0x09};
    EXPECT_EQ(std::memcmp(bcd, want, 6), 0);
    EXPECT_NEAR(BcdToDate(bcd), date, 1e-9);

    const uint8_t feb30[6] = {0x09, 0x02, 0x30, 0x00, 0x00, 0x00};
    EXPECT_EQ(BcdToDate(feb30), 0.0);
    const uint8_t end[6] = {0x99, 0x12, 0x31, 0x23, 0x59, 0x59};
    EXPECT_NEAR(BcdToDate(end), 73050.0 + 86399.0 / 86400.0, 1e-9);  // 2099-12-31 is day 73050
    // Nibbles are not checked for being decimal: 0A reads as 10, so the year is 2010.
    const uint8_t hex_nibble[6] = {0x0A, 0x01, 0x01, 0x00, 0x00, 0x00};
    EXPECT_EQ(BcdToDate(hex_nibble), 40179.0);
    const uint8_t hour24[6] = {0x09, 0x01, 0x01, 0x24, 0x00, 0x00};
    EXPECT_EQ(BcdToDate(hour24), 0.0);

    DateToBcd(bcd, 1e12);  // no date
    for (uint8_t b : bcd) EXPECT_EQ(b, 0x95);
}

}  // namespace
