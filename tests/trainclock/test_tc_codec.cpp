// Training clock encodings: coordinates, site names, phone numbers.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tc_codec.h"
#include "trainclock.h"

using namespace tc;
using Bytes = std::vector<uint8_t>;

TEST(TrainCoordinates, TextToBytesAndBack) {
    struct Case {
        const char* text;
        Axis axis;
        bool ok;
        Bytes bytes;
        const char* back;
    } cases[] = {
        {"E1213045", Axis::Longitude, true, {0x01, 0x21, 0x30, 0x45}, "E1213045"},
        {"N0251530", Axis::Latitude, true, {0x00, 0x25, 0x15, 0x30}, "N0251530"},
        {"w0012345", Axis::Longitude, true, {0x80, 0x01, 0x23, 0x45}, "W0012345"},
        {"s9999999", Axis::Latitude, true, {0x89, 0x99, 0x99, 0x99}, "S9999999"},
        {"X1213045", Axis::Longitude, false, {}, nullptr},
        {"N1213045", Axis::Longitude, false, {}, nullptr},  // latitude letter on a longitude
        {"E12130A5", Axis::Longitude, false, {}, nullptr},
        {"E12", Axis::Longitude, false, {}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        uint8_t b[4];
        ASSERT_EQ(coord_to_bytes(c.text, c.axis, b), c.ok);
        if (!c.ok) continue;
        EXPECT_EQ(Bytes(b, b + 4), c.bytes);
        char text[9];
        coord_to_text(b, c.axis, text);
        EXPECT_STREQ(text, c.back);
    }
    uint8_t z[4] = {1, 1, 1, 1};
    EXPECT_TRUE(coord_to_bytes(nullptr, Axis::Latitude, z));
    EXPECT_EQ(Bytes(z, z + 4), Bytes(4, 0));
}

TEST(TrainSiteName, CountIncludesTerminatorUpToTwelve) {
    uint8_t d[25];
    name_to_device("Loft", d);
    EXPECT_EQ(d[0], 5);
    EXPECT_EQ(Bytes(d + 1, d + 11), (Bytes{'L', 0, 'o', 0, 'f', 0, 't', 0, 0, 0}));

    name_to_device("ABCDEFGHIJKLMNO", d);  // 15 characters
    EXPECT_EQ(d[0], 12);
    EXPECT_EQ(d[23], 'L');
    char back[TC_NAME_MAX];
    name_from_device(d, back, sizeof back);
    EXPECT_STREQ(back, "ABCDEFGHIJKL");

    name_to_device("Ü北", d);
    EXPECT_EQ(d[0], 3);
    EXPECT_EQ(Bytes(d + 1, d + 5), (Bytes{0xDC, 0x00, 0x17, 0x53}));
    name_from_device(d, back, sizeof back);
    EXPECT_STREQ(back, "Ü北");
}

TEST(TrainSiteName, ReadingCutsAtCharacterBoundary) {
    uint8_t d[25] = {12};
    for (int i = 0; i < 12; ++i) {  // twelve times U+5317, three UTF-8 bytes each
        d[1 + 2 * i] = 0x17;
        d[2 + 2 * i] = 0x53;
    }
    char small[8];
    std::memset(small, 'x', sizeof small);
    name_from_device(d, small, sizeof small);
    EXPECT_EQ(std::strlen(small), 6u);  // two whole characters, never a split one
    char full[TC_NAME_MAX];
    name_from_device(d, full, sizeof full);
    EXPECT_EQ(std::strlen(full), 36u);
}

TEST(TrainPhone, PackedDigits) {
    struct Case {
        const char* digits;
        Bytes head;  // index, count, first packed bytes
    } cases[] = {
        {"12345", {7, 5, 0x12, 0x34, 0x5F, 0x00}},
        {"1234", {7, 4, 0x12, 0x34, 0x00}},
        {"", {7, 0, 0x00}},
        {"123456789012345678901234567890999", {7, 30, 0x12, 0x34}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.digits);
        uint8_t d[17];
        phone_to_device(7, c.digits, d);
        EXPECT_EQ(Bytes(d, d + c.head.size()), c.head);
        char back[31];
        phone_from_device(d + 1, back);
        EXPECT_EQ(std::string(back), std::string(c.digits).substr(0, 30));
    }
    uint8_t d[17];
    phone_to_device(1, nullptr, d);
    EXPECT_EQ(d[1], 0);
}
