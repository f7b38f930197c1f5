#include "common/md5.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/hex.h"

namespace {

std::string hex_digest(const uint8_t d[16]) {
    std::string s = club::bin_to_hex(d, 16);
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

TEST(Md5, Rfc1321TestSuite) {
    const std::pair<const char*, const char*> kSuite[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [text, want] : kSuite) {
        uint8_t d[16];
        club::md5(text, std::strlen(text), d);
        EXPECT_EQ(hex_digest(d), want) << '"' << text << '"';
    }
}

TEST(Md5, PiecewiseUpdatesMatchOneShotAcrossBlockEdges) {
    std::string text(200, '\0');
    for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>(i * 7);
    for (size_t cut : {0u, 1u, 55u, 56u, 63u, 64u, 65u, 199u}) {
        uint8_t whole[16], parts[16];
        club::md5(text.data(), text.size(), whole);
        club::Md5 m;
        m.update(text.data(), cut);
        m.update(text.data() + cut, text.size() - cut);
        m.finish(parts);
        EXPECT_EQ(hex_digest(whole), hex_digest(parts)) << cut;
    }
}

}  // namespace
