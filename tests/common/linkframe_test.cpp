#include "common/linkframe.h"

#include <gtest/gtest.h>

#include "common/crc.h"
#include "test_util.h"

namespace {

using namespace club::link;

std::string hexs(const std::vector<uint8_t>& v) { return club::bin_to_hex(v.data(), v.size()); }

struct SessionFixture : ::testing::Test {
    club::DesKeySchedule data_ks, mac_ks;
    Keys keys;
    void SetUp() override {
        const auto dk = hx("0123456789ABCDEF"), mk = hx("FEDCBA9876543210");
        club::des_set_key(data_ks, dk.data());
        club::des_set_key(mac_ks, mk.data());
        keys = {&data_ks, &mac_ks};
    }
};

TEST(LinkFrame, RequestsOnTheWireAreByteExact) {
    struct Case {
        uint8_t flags, cmd;
        std::vector<uint8_t> data;
        const char* wire;
    };
    const Case cases[] = {
        {0x01, 0x12, {}, "1A0000FFFF01011200CE17"},
        {0x00, 0x00, {0x01}, "1A0000FFFF0001000101B317"},  // device number
        {0x00, 0x00, {0x00}, "1A0000FFFF0001000100AE17"},  // state
    };
    for (const auto& c : cases) {
        Header h;
        h.flags = c.flags;
        h.code = c.cmd;
        EXPECT_EQ(hexs(build_frame(h, c.data.data(), c.data.size(), {})), c.wire);
    }
}

TEST(LinkFrame, EscapesOnSendAndUnescapesOnReceive) {
    const std::vector<uint8_t> body = {0x1B, 0x17, 0x1A, 0x42};
    std::vector<uint8_t> wire;
    wrap(body.data(), body.size(), wire);
    EXPECT_EQ(hexs(wire), "1A1B9B1B971B9A4217");

    Unframer u;
    std::vector<Unframer::Step> steps;
    // A bare 1A inside a body is data; 1B 9A is 1A; 1B 97 is 17 and does not end the frame.
    for (uint8_t b : hx("55 1A 1A 1B9A 1B97 7F 17")) steps.push_back(u.feed(b));
    EXPECT_EQ(steps.front(), Unframer::Step::Outside);
    EXPECT_EQ(steps.back(), Unframer::Step::Complete);
    EXPECT_EQ(hexs(u.body()), "1A1A177F");
}

TEST(LinkFrame, UnframerStoresAtMost150Bytes) {
    Unframer u;
    ASSERT_EQ(u.feed(0x1A), Unframer::Step::Started);
    for (int i = 0; i < 150; ++i) ASSERT_EQ(u.feed(0x00), Unframer::Step::Stored);
    EXPECT_EQ(u.feed(0x00), Unframer::Step::Overflow);
    EXPECT_FALSE(u.inside());
    // An escape pair counts once.
    u.feed(0x1A);
    for (int i = 0; i < 150; ++i) u.feed(i % 2 ? 0x9B : 0x1B);
    EXPECT_EQ(u.feed(0x17), Unframer::Step::Complete);
    EXPECT_EQ(u.body().size(), 75u);
}

TEST_F(SessionFixture, PaddingFollowsDataLength) {
    // N + 3 bytes of region: 5 data bytes fill one block exactly, 6 need 80 and six zeros.
    struct Case {
        size_t n, blocks;
    };
    for (const auto& c : {Case{5, 1}, Case{6, 2}, Case{0, 1}, Case{13, 2}, Case{14, 3}}) {
        Header h;
        h.flags = 0x81;
        std::vector<uint8_t> data(c.n, 0x33);
        const auto body = build_body(h, data.data(), data.size(), keys);
        EXPECT_EQ(body.size(), 5 + 8 * c.blocks + 4 + 1) << c.n;
        if (c.n == 6) {
            EXPECT_EQ(hexs({body.begin() + 5, body.begin() + 21}), "01000633333333333380000000000000");
        }
    }
    std::vector<uint8_t> b(5, 0);
    pad_region(b, 5);
    EXPECT_EQ(b.size(), 5u);
}

TEST_F(SessionFixture, MacIsCbcOfPlainRegionAndEncryptionIsEcbAfterIt) {
    Header h;
    h.flags = 0xC3;
    const std::vector<uint8_t> data = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    auto body = build_body(h, data.data(), data.size(), keys);
    ASSERT_EQ(body.size(), 5u + 16 + 4 + 1);
    // Rebuild by hand from the plain region.
    std::vector<uint8_t> plain = {0x01, 0x00, 0x09, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0x80, 0, 0, 0};
    uint8_t acc[8] = {0};
    for (int blk = 0; blk < 2; ++blk) {
        for (int i = 0; i < 8; ++i) acc[i] ^= plain[8 * blk + i];
        club::des_encrypt_block(mac_ks, acc, acc);
    }
    EXPECT_EQ(club::bin_to_hex(body.data() + 21, 4), club::bin_to_hex(acc, 4));
    uint8_t c0[8];
    club::des_encrypt_block(data_ks, plain.data(), c0);
    EXPECT_EQ(club::bin_to_hex(body.data() + 5, 8), club::bin_to_hex(c0, 8));
    EXPECT_EQ(club::crc8_hitag(body.data(), body.size()), 0);

    Parsed p;
    ASSERT_EQ(check_body(body.data(), body.size(), {}, keys, p), kOk);
    EXPECT_EQ(p.length, 9);
    EXPECT_EQ(club::bin_to_hex(p.data, 9), "010203040506070809");
}

TEST_F(SessionFixture, ReceiveChecksComeInTheirOrder) {
    auto answer = [&](Header h, std::vector<uint8_t> data = {0xAA}) {
        return build_body(h, data.data(), data.size(), keys);
    };
    Header ok;
    ok.flags = 0x02;
    ok.from[0] = 0x12;

    Parsed p;
    auto b = answer(ok);
    EXPECT_EQ(check_body(b.data(), b.size(), {}, keys, p), kOk);
    EXPECT_EQ(p.header.from[0], 0x12);

    // Exactly 8 bytes.
    EXPECT_EQ(check_body(b.data(), 8, {}, keys, p), kErrMalformed);
    // Bad CRC wins over everything else (here: no answer flag and a foreign address too).
    Header bad = ok;
    bad.flags = 0x00;
    bad.to[1] = 0x05;
    b = answer(bad);
    b.back() ^= 1;
    EXPECT_EQ(check_body(b.data(), b.size(), {}, keys, p), kErrCrc);
    b.back() ^= 1;
    EXPECT_EQ(check_body(b.data(), b.size(), {}, keys, p), kErrMalformed);
    bad.flags = 0x02;
    b = answer(bad);
    EXPECT_EQ(check_body(b.data(), b.size(), {}, keys, p), kErrAddress);
    Expect station{{0x00, 0x05}, true};
    EXPECT_EQ(check_body(b.data(), b.size(), station, keys, p), kOk);

    // MAC mismatch, and a protected region that is not whole blocks.
    Header prot = ok;
    prot.flags = 0xC3;
    b = answer(prot);
    b[6] ^= 0x01;
    b.back() = club::crc8_hitag(b.data(), b.size() - 1);
    EXPECT_EQ(check_body(b.data(), b.size(), {}, keys, p), kErrMac);
    b = answer(prot);
    b.erase(b.begin() + 6);
    b.back() = club::crc8_hitag(b.data(), b.size() - 1);
    EXPECT_EQ(check_body(b.data(), b.size(), {}, keys, p), kErrMac);
    // Keys unknown to the receiver.
    b = answer(prot);
    EXPECT_EQ(check_body(b.data(), b.size(), {}, Keys{}, p), kErrMac);

    // A length byte that claims more data than the frame holds.
    b = answer(ok, {1, 2, 3});
    b[7] = 4;
    b.back() = club::crc8_hitag(b.data(), b.size() - 1);
    EXPECT_EQ(check_body(b.data(), b.size(), {}, keys, p), kErrMalformed);
}

TEST(LinkFrame, RequestDataIsCutTo137AndMissingKeysBuildNothing) {
    Header h;
    std::vector<uint8_t> data(200, 0x11);
    const auto body = build_body(h, data.data(), data.size(), {});
    EXPECT_EQ(body[7], 137);
    EXPECT_EQ(body.size(), 8u + 137 + 1);
    h.flags = 0xC1;
    EXPECT_TRUE(build_body(h, data.data(), 3, {}).empty());
}

}  // namespace
