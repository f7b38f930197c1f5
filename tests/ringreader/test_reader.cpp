// The ring reader library against the emulated reader on a pseudo-terminal. Compiled once
// per generation: RR_GEN 5 links ringreader5 + portlink, RR_GEN 6 ringreader6 + wirelink.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>
#include <vector>

#include "common/des.h"
#include "devsim/emulator.h"
#include "ring_reader.h"
#include "ringreader.h"
#if RR_GEN == 5
#include "portlink.h"
#else
#include "wirelink.h"
#endif

namespace {

using devsim::Bytes;
using devsim::RingChip;

constexpr uint32_t kUid = 0x1A2B3C4D;

class Reader : public ::testing::Test {
protected:
    void SetUp() override {
        emu = devsim::Emulator::start(RR_GEN == 5 ? "ringreader5" : "ringreader6");
        port = IFD_OpenPort(emu->path().c_str(), "baud=115200;timeout=500");
        ASSERT_NE(port, 0u);
#if RR_GEN == 6
        const devsim::ClubIdentity club;  // the newer reader answers a connected club only
        ASSERT_NE(IFD_Connect(port, club.identity, club.code), 0);
#endif
    }
    void TearDown() override {
        if (port) IFD_ClosePort(port);
    }
    template <class F>
    auto field(F&& f) {
        return emu->with_device([&](devsim::Device& d, devsim::LinkState&) {
#if RR_GEN == 5
            return f(static_cast<devsim::RingReaderV5&>(d).field());
#else
            return f(static_cast<devsim::RingReaderV6&>(d).field());
#endif
        });
    }
    void place(const RingChip& r) { field([&](devsim::RingField& f) { f.place(r); return 0; }); }
    RingChip ring(uint32_t uid = kUid) { return field([&](devsim::RingField& f) { return *f.find(uid); }); }
    uint32_t writes() { return ring().writes; }

    std::unique_ptr<devsim::Emulator> emu;
    uint32_t port = 0;
};

TEST_F(Reader, SelectAndPagesOfAClubRing) {
    uint8_t uid[4] = {};
    EXPECT_EQ(HTS_Active(port, uid), 0);  // empty field
    EXPECT_NE(IFD_GetErrCode(port), 0);

    place(devsim::make_club_ring(kUid, 0x0A1B2C3D, 0x7F));
    ASSERT_EQ(HTS_Active(port, uid), RR_OK);
    EXPECT_EQ(Bytes(uid, uid + 4), (Bytes{0x1A, 0x2B, 0x3C, 0x4D}));
    uint8_t page[4];
    ASSERT_EQ(HTS_ReadPage(port, 4, page), RR_OK);
    EXPECT_EQ(Bytes(page, page + 4), (Bytes{0xFF, 0x82, 0x83, 0xB9}));
    EXPECT_EQ(HTS_ReadPage(port, 5, nullptr), RR_OK);  // null output still reads

    uint8_t block[16];
    ASSERT_EQ(HTS_ReadBlock(port, 1, block), RR_OK);
    EXPECT_EQ(Bytes(block, block + 4), (Bytes{0xFF, 0x82, 0x83, 0xB9}));

    const uint8_t data[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    ASSERT_EQ(HTS_WriteBlock(port, 2, data), RR_OK);
    ASSERT_EQ(HTS_ReadPage(port, 9, page), RR_OK);
    EXPECT_EQ(Bytes(page, page + 4), (Bytes{5, 6, 7, 8}));
    EXPECT_EQ(HTS_Deactive(port), RR_OK);
}

// What the club program does to accept a ring: pages 6-7 decrypted under the club key
// must read as the UID in uppercase hexadecimal.
TEST_F(Reader, ClubSignatureOfTheRingMakers) {
    struct Case {
        RingChip ring;
        bool accepted;
    } cases[] = {
        {devsim::make_club_ring(0x00AB12CD, 1, 2), true},
        {devsim::make_club_ring(0x00AB12CD, 1, 2, "12345678"), false},
        {devsim::make_unsigned_ring(0x00AB12CD, 1, 2), false},
    };
    const uint8_t key[8] = {'4', '1', '9', '5', '7', '3', '0', '2'};
    for (const auto& c : cases) {
        field([](devsim::RingField& f) { f.clear(); return 0; });
        place(c.ring);
        uint8_t uid[4], sig[8], plain[9] = {};
        ASSERT_EQ(HTS_Active(port, uid), RR_OK);
        ASSERT_EQ(HTS_ReadPage(port, 6, sig), RR_OK);
        ASSERT_EQ(HTS_ReadPage(port, 7, sig + 4), RR_OK);
        club::des_decrypt(key, sig, plain);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(plain)) == "00AB12CD", c.accepted);
    }
}

TEST_F(Reader, TagTalksFirstReadsTheIdentity) {
    uint8_t buf[RR_TTF_MAX] = {};
    EXPECT_EQ(TTF_Read(port, 0, buf), 0);  // no ring
    place(RingChip::hitag_s(0x11111111));  // a ring not formatted
    EXPECT_EQ(TTF_Read(port, 0, buf), 0);
    field([](devsim::RingField& f) { f.clear(); return 0; });

    place(devsim::make_club_ring(kUid, 0x0A1B2C3D, 0x7F));
    char text[2 * RR_TTF_MAX + 1];
    ASSERT_EQ(TTF_Read_Hex(port, 0, text), RR_OK);
#if RR_GEN == 5
    EXPECT_STREQ(text, "0A1B2C3D7F");
#else
    EXPECT_STREQ(text, "00050A1B2C3D7F");  // 2 + the length byte
#endif
    ASSERT_EQ(TTF_Read_Hex(port, 1, text), RR_OK);
    EXPECT_STREQ(text, "0A1B2C3D7F");
    std::strcpy(text, "untouched");
    EXPECT_EQ(TTF_Read_Hex(port, 9, text), 0);  // the reader knows no type 9
}

TEST_F(Reader, ChangePigeonWritesOnlyWhatDiffers) {
    place(devsim::make_club_ring(kUid, 0x0A1B2C3D, 0x10));
    const uint8_t id[5] = {0x0A, 0x1B, 0x2C, 0x3D, 0x7F};
    const uint32_t before = writes();
    ASSERT_EQ(HTS_ChangePigeon(port, id), RR_OK);
    EXPECT_EQ(writes(), before + 1);  // page 4 already held the identity's first half
    ASSERT_EQ(HTS_ChangePigeon(port, id), RR_OK);
    EXPECT_EQ(writes(), before + 1);  // nothing the second time

    uint8_t back[RR_TTF_MAX];
    ASSERT_EQ(TTF_Read(port, 1, back), RR_OK);
    EXPECT_EQ(Bytes(back, back + 5), Bytes(id, id + 5));

    // A weak ring takes the writes but not the code: the read-back catches it.
    field([](devsim::RingField& f) { f.find(kUid)->weak = true; return 0; });
    const uint8_t other[5] = {0x0A, 0x1B, 0x2C, 0x3D, 0x80};
    EXPECT_EQ(HTS_ChangePigeon(port, other), 0);
    ASSERT_EQ(TTF_Read(port, 1, back), RR_OK);
    EXPECT_EQ(back[4], 0x7F);

    field([](devsim::RingField& f) { f.clear(); return 0; });
    EXPECT_EQ(HTS_ChangePigeon(port, id), 0);
}

TEST_F(Reader, WriteConfigRespectsTheLock) {
    RingChip r = RingChip::hitag_s(kUid);
    r.pages[1] = {0x00, 0x36, 0x00, 0x00};  // bit 1 set: locked
    place(r);
    const uint32_t before = writes();
    EXPECT_EQ(HTS_WriteConfig(port, 0x36), RR_OK);  // already there: success, no write
    EXPECT_EQ(HTS_WriteConfig(port, 0x24), 0);
    EXPECT_EQ(writes(), before);
    EXPECT_EQ(ring().config(), 0x36);
    using WriteConfig = uint16_t (*)(uint32_t, uint8_t);  // the same export under its C++ name
    auto decorated = reinterpret_cast<WriteConfig>(dlsym(RTLD_DEFAULT, "_Z15HTS_WriteConfigjh"));
    ASSERT_NE(decorated, nullptr);
    EXPECT_EQ(decorated(port, 0x24), 0);
    EXPECT_EQ(decorated(port, 0x36), RR_OK);

    // With the lock flag, a failing configuration leaves the lock byte alone.
    const uint8_t id[5] = {1, 2, 3, 4, 5};
    EXPECT_EQ(HTS_FormatPigeon(port, id, 0, 1), 0);  // wants 0x34
    EXPECT_EQ(ring().lock_bits(), 0x00);
}

TEST_F(Reader, FormatPigeonConfiguresAndFuses) {
    place(RingChip::hitag_s(kUid));
    const uint8_t id[5] = {0xDE, 0xAD, 0xBE, 0xEF, 0x01};
    ASSERT_EQ(HTS_FormatPigeon(port, id, 1, 1), RR_OK);
    EXPECT_EQ(ring().config(), RR_CFG_PIGEON_MODE);
    EXPECT_EQ(ring().lock_bits(), RR_FUSE_LOCK);
    uint8_t back[RR_TTF_MAX];
    ASSERT_EQ(TTF_Read(port, 1, back), RR_OK);
    EXPECT_EQ(Bytes(back, back + 5), Bytes(id, id + 5));

    // Formats write even what is there, then set their configuration.
    ASSERT_EQ(HTS_FormatPigeon(port, id, 1, 0), RR_OK);  // same config: fine though locked
    place(RingChip::hitag_s(0x22222222));
    field([](devsim::RingField& f) { f.remove(kUid); return 0; });
    ASSERT_EQ(HTS_Format_BC2K64(port, id), RR_OK);
    EXPECT_EQ(ring(0x22222222).config(), RR_CFG_BC2K64);
    EXPECT_EQ(ring(0x22222222).writes, 3u);  // pages 4, 5 and the configuration
}

TEST_F(Reader, ResetParameter) {
    ASSERT_EQ(RF_Reset(port, 0x0132), RR_OK);
    ASSERT_EQ(RF_Config(port, 7), RR_OK);
    const auto resets = field([](devsim::RingField& f) { return f.resets(); });
#if RR_GEN == 5
    EXPECT_EQ(resets, std::vector<uint16_t>{0x32});
#else
    EXPECT_EQ(resets, std::vector<uint16_t>{0x0132});
#endif
}

TEST_F(Reader, AnswerLengthRules) {
    place(devsim::make_club_ring(kUid, 1, 2));
    field([](devsim::RingField& f) { f.set_answer_pad(4); return 0; });
    uint8_t page[4] = {};
    uint8_t uid[4] = {};
#if RR_GEN == 5
    EXPECT_EQ(HTS_ReadPage(port, 4, page), 0);  // 8 bytes where exactly 4 belong
    EXPECT_EQ(IFD_GetErrCode(port), 263);
    EXPECT_EQ(HTS_Active(port, uid), 0);
#else
    EXPECT_EQ(HTS_ReadPage(port, 4, page), RR_OK);  // at least 4: the first 4 count
    EXPECT_EQ(Bytes(page, page + 4), (Bytes{0xFF, 0x80, 0x00, 0x00}));
    uint8_t extra[4];
    EXPECT_EQ(HTS_ActiveEx(port, uid, extra), RR_OK);
    EXPECT_EQ(extra[1], 0x34);  // page 1 follows the UID
#endif
}

TEST_F(Reader, IsoDataTelegramByHand) {
    place(RingChip::hitag_s(kUid));
    const uint8_t data[11] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    uint8_t framed[16];
    ASSERT_EQ(RR_BuildTelegram(2, data, framed), 1);
    ASSERT_EQ(HTS_WriteBlock(port, 1, framed), RR_OK);
    ASSERT_EQ(HTS_WriteConfig(port, RR_CFG_TTF_ISO_DATA), RR_OK);
    char text[2 * RR_TTF_MAX + 1];
    ASSERT_EQ(TTF_Read_Hex(port, 2, text), RR_OK);
#if RR_GEN == 5
    EXPECT_EQ(std::string(text).substr(0, 22), "0102030405060708090A00");
    EXPECT_EQ(std::strlen(text), 26u);
#else
    EXPECT_STREQ(text, "0102030405060708090A00");
#endif
    EXPECT_EQ(TTF_Read(port, 0, nullptr), 0);  // not in header-and-parity mode
}

#if RR_GEN == 6
TEST_F(Reader, AuthenticateWithTheRingKey) {
    RingChip r = devsim::make_club_ring(kUid, 1, 2);
    r.auth_key = {1, 2, 3, 4, 5, 6};
    place(r);
    uint8_t uid[4] = {0x1A, 0x2B, 0x3C, 0x4D};
    const uint8_t wrong[6] = {1, 2, 3, 4, 5, 7}, key[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(HTS_Auth(port, uid, wrong, 1), 0);
    EXPECT_EQ(IFD_GetErrCode(port), devsim::kReaderAuthFailed);
    ASSERT_EQ(HTS_Auth(port, uid, key, 0), RR_OK);
    EXPECT_EQ(uid[0], 0x1A);  // flag clear: the UID stays
    ASSERT_EQ(HTS_Auth(port, uid, key, 1), RR_OK);
    EXPECT_EQ(Bytes(uid, uid + 4), (Bytes{0x00, 0x34, 0x00, 0x00}));  // the answer bytes
}
#endif

#if RR_GEN == 5
TEST_F(Reader, BellAndHitag2) {
    ASSERT_EQ(SC_DoBell(port, 1, 3, 2), RR_OK);
    const auto signals = field([](devsim::RingField& f) { return f.signals(); });
    ASSERT_EQ(signals.size(), 1u);
    EXPECT_EQ(Bytes(signals[0].begin(), signals[0].end()), (Bytes{0x00, 0x01, 0x03, 0x02}));

    place(RingChip::hitag_2(kUid, 0x01020304));
    const uint8_t wrong[4] = {9, 9, 9, 9}, key[4] = {1, 2, 3, 4};
    uint8_t first[4] = {}, second[4] = {};
    EXPECT_EQ(HT2_Active(port, wrong, first, second), 0);
    EXPECT_EQ(Bytes(first, first + 4), (Bytes{0x1A, 0x2B, 0x3C, 0x4D}));  // the refusal carries the UID
    ASSERT_EQ(HT2_Active(port, key, first, second), RR_OK);

    auto set_config = [&](uint8_t b) {
        field([&](devsim::RingField& f) { f.find(kUid)->pages[3][0] = b; return 0; });
    };
    struct Case {
        uint8_t before, value, after;
        bool writes;
    } cases[] = {
        {0x82, 0x06, 0x86, true}, {0x06, 0x06, 0x06, false}, {0x86, 0x06, 0x86, true}, {0x06, 0x86, 0x06, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.before));
        set_config(c.before);
        const uint32_t before = writes();
        ASSERT_EQ(HT2_WriteConfig(port, c.value), RR_OK);
        EXPECT_EQ(ring().ht2_config(), c.after);
        EXPECT_EQ(writes() - before, c.writes ? 1u : 0u);
    }
    set_config(0x06);
    ASSERT_EQ(HT2_Lock(port, 0x80), RR_OK);
    EXPECT_EQ(ring().ht2_config(), 0x86);
    const uint32_t locked = writes();
    ASSERT_EQ(HT2_Lock(port, 0x80), RR_OK);
    EXPECT_EQ(writes(), locked);

    const uint8_t data[11] = {};
    EXPECT_EQ(HT2_FormatTTF(port, 1, data), 0);
    EXPECT_EQ(HT2_FormatTTF(port, 2, data), 0);
    EXPECT_EQ(writes(), locked);

    const uint8_t id[5] = {0x0A, 0x1B, 0x2C, 0x3D, 0x7F};
    ASSERT_EQ(HT2_Format_MC2K64(port, id), RR_OK);
    uint8_t page[4];
    ASSERT_EQ(HT2_ReadPage(port, 5, page), RR_OK);
    EXPECT_EQ(Bytes(page, page + 4), (Bytes{0x70, 0x6D, 0xBF, 0xD0}));
    EXPECT_EQ(HT2_CheckPage(port, 5, page), RR_OK);
    page[0] ^= 1;
    EXPECT_EQ(HT2_CheckPage(port, 5, page), 0);
    EXPECT_EQ(HT2_Deactive(port), RR_OK);
}

TEST_F(Reader, IsoTelegramFormat) {
    place(RingChip::hitag_s(kUid));
    uint8_t code[8] = {};
    ISO11784_SetNational(code, "000.123.456.789");
    ISO11784_SetCountry(code, 528);
    ISO11784_SetReserved(code, 0);
    ASSERT_EQ(HTS_FormatTTF(port, 3, code), RR_OK);
    EXPECT_EQ(ring().config(), RR_CFG_TTF_ISO_CODE);
    uint8_t back[RR_TTF_MAX] = {};
    ASSERT_EQ(TTF_Read(port, 3, back), RR_OK);
    EXPECT_EQ(Bytes(back, back + 8), Bytes(code, code + 8));
    char text[2 * RR_TTF_MAX + 1];
    ASSERT_EQ(TTF_Read_Hex(port, 3, text), RR_OK);
    EXPECT_EQ(std::strlen(text), 26u);
    EXPECT_EQ(HTS_FormatTTF(port, 4, code), 0);
}
#endif

TEST(Iso11784Exports, TextAndFields) {
    uint8_t code[8] = {};
    ISO11784_SetNational(code, "000.000.000.001");
    EXPECT_EQ(Bytes(code, code + 8), (Bytes{0x80, 0, 0, 0, 0, 0, 0, 0}));
    ISO11784_SetNational(code, "274.877.906.943");
    EXPECT_EQ(Bytes(code, code + 5), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFC}));
    char text[16];
    EXPECT_EQ(ISO11784_GetNational(code, text), 15);
    EXPECT_STREQ(text, "274.877.906.943");
    ISO11784_SetNational(code, "12.098.7.1");  // leading zeros are decimal, not octal
    ISO11784_GetNational(code, text);
    EXPECT_STREQ(text, "012.098.007.001");
    ISO11784_SetNational(code, "1.2.3");  // not four groups: unchanged
    ISO11784_GetNational(code, text);
    EXPECT_STREQ(text, "012.098.007.001");

    ISO11784_SetCountry(code, 1528);
    EXPECT_EQ(ISO11784_GetCountry(code), 528);
    ISO11784_SetReserved(code, 0);
    EXPECT_EQ(code[6], 0x00);
    EXPECT_EQ(code[7], 0x01);
    EXPECT_EQ(ISO11784_GetReserved(code), 0);
}

}  // namespace
