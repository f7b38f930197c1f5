#include "common/crc.h"

#include <gtest/gtest.h>

#include "test_util.h"

namespace {

const uint8_t kCheck[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};

TEST(Crc8, CatalogueCheckValueAndFrameExamples) {
    EXPECT_EQ(club::crc8_hitag(kCheck, 9), 0xB4);
    // Bodies of link frames whose CRC bytes are known.
    EXPECT_EQ(club::crc8_hitag(hx("0000FFFF01011200").data(), 8), 0xCE);
    EXPECT_EQ(club::crc8_hitag(hx("0000FFFF0001000101").data(), 9), 0xB3);
    EXPECT_EQ(club::crc8_hitag(hx("0000FFFF0001000100").data(), 9), 0xAE);
}

TEST(Crc8, BodyWithItsOwnCrcChecksToZeroAndContinues) {
    auto body = hx("0000FFFF01011200CE");
    EXPECT_EQ(club::crc8_hitag(body.data(), body.size()), 0);
    const uint8_t first = club::crc8_hitag(kCheck, 4);
    EXPECT_EQ(club::crc8_hitag(kCheck + 4, 5, first), 0xB4);
}

TEST(Crc16, CatalogueCheckValue) {
    EXPECT_EQ(club::crc16_ring(kCheck, 9), 0x31C3);
    EXPECT_EQ(club::crc16_ring(kCheck, 0), 0);
    const uint16_t first = club::crc16_ring(kCheck, 3);
    EXPECT_EQ(club::crc16_ring(kCheck + 3, 6, first), 0x31C3);
}

}  // namespace
