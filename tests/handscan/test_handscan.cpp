// The hand scanner library against the emulated scanner on a pseudo-terminal.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>

#include "devsim/emulator.h"
#include "devsim/registry.h"
#include "hand_scanner.h"
#include "handscan.h"
#include "wirelink.h"

namespace {

// Opens the scanner's line and proves the default system identity "00000000".
uint32_t open_connected(devsim::Emulator& emu) {
    const uint32_t p = IFD_OpenPort(emu.path().c_str(), "baud=115200;timeout=500");
    const devsim::ClubIdentity club;
    if (p && !IFD_Connect(p, club.identity, club.code)) {
        IFD_ClosePort(p);
        return 0;
    }
    return p;
}

class HandScan : public ::testing::Test {
protected:
    void SetUp() override {
        emu = devsim::Emulator::start("handscan");
        port = open_connected(*emu);
        ASSERT_NE(port, 0u);
    }
    void TearDown() override {
        if (port) IFD_ClosePort(port);
    }
    template <class F>
    auto scanner(F&& f) {
        return emu->with_device([&](devsim::Device& d, devsim::LinkState&) { return f(static_cast<devsim::HandScanner&>(d)); });
    }

    std::unique_ptr<devsim::Emulator> emu;
    uint32_t port = 0;
};

TEST(HandScanLine, AnswersOnlyAConnectedClub) {
    auto emu = devsim::Emulator::start("handscan");
    const uint32_t p = IFD_OpenPort(emu->path().c_str(), "baud=115200;timeout=500");
    ASSERT_NE(p, 0u);
    EXPECT_EQ(PT_InsertEmptyRecord(p), 0);
    EXPECT_EQ(IFD_GetErrCode(p), WL_DEV_NOT_CONNECTED);
    char devno[9];
    ASSERT_NE(IFD_GetDevNo(p, devno), 0);
    EXPECT_STREQ(devno, "41000007");
    devsim::ClubIdentity other("12345678");
    EXPECT_EQ(IFD_Connect(p, other.identity, other.code), 0);  // not this scanner's club
    const devsim::ClubIdentity club;
    ASSERT_NE(IFD_Connect(p, club.identity, club.code), 0);
    EXPECT_EQ(PT_InsertEmptyRecord(p), HS_OK);
    IFD_ClosePort(p);
}

TEST_F(HandScan, ClearSendsCodeThenValue) {
    scanner([](devsim::HandScanner& s) { s.records.resize(3); return 0; });
    EXPECT_EQ(PT_ClearRecords(port, 1), HS_OK);
    const devsim::Request r = emu->last_request();
    EXPECT_EQ(r.mark, 0x41);
    EXPECT_EQ(r.command, 0x00);
    const uint8_t want[12] = {'K', 'U', 'B', 'E', 'L', '7', '1', '8', 0x01, 0x00, 0x00, 0x00};
    ASSERT_EQ(r.data.size(), 12u);
    EXPECT_EQ(std::memcmp(r.data.data(), want, 12), 0);
    EXPECT_EQ(scanner([](devsim::HandScanner& s) { return s.records.size(); }), 0u);
}

TEST_F(HandScan, RecordsAndSettings) {
    uint32_t n = 99;
    ASSERT_EQ(PT_InsertEmptyRecord(port), HS_OK);
    ASSERT_EQ(PT_InsertEmptyRecord(port), HS_OK);
    ASSERT_EQ(PT_GetRecordCount(port, &n), HS_OK);
    EXPECT_EQ(n, 2u);
    EXPECT_EQ(PT_GetRecord(port, 1), HS_OK);
    EXPECT_EQ(PT_GetRecord(port, 2), 0);
    EXPECT_EQ(IFD_GetErrCode(port), 0x05);  // the scanner's own "no such record"

    ASSERT_EQ(PT_SetShutDelay(port, 30), HS_OK);
    devsim::Request r = emu->last_request();
    EXPECT_EQ(r.command, 0x03);
    EXPECT_EQ(r.data, devsim::Bytes{0x1E});
    uint32_t v = 0;
    ASSERT_EQ(PT_GetShutDelay(port, &v), HS_OK);
    EXPECT_TRUE(emu->last_request().data.empty());
    EXPECT_EQ(v, 30u);

    ASSERT_EQ(PT_SetBeepMode(port, 2), HS_OK);
    ASSERT_EQ(PT_SetScanMode(port, 3), HS_OK);
    ASSERT_EQ(PT_GetBeepMode(port, &v), HS_OK);
    EXPECT_EQ(v, 2u);
    // The same export under its C++ name.
    using GetMode = uint16_t (*)(uint32_t, uint32_t*);
    auto decorated = reinterpret_cast<GetMode>(dlsym(RTLD_DEFAULT, "_Z14PT_GetBeepModejPj"));
    ASSERT_NE(decorated, nullptr);
    v = 0;
    ASSERT_EQ(decorated(port, &v), HS_OK);
    EXPECT_EQ(v, 2u);
    ASSERT_EQ(PT_GetScanMode(port, nullptr), HS_OK);  // null output still reads
    ASSERT_EQ(PT_GetScanMode(port, &v), HS_OK);
    EXPECT_EQ(v, 3u);
}

TEST_F(HandScan, ShortAnswersFailWith263) {
    // One record of 24 bytes is needed; a scanner that answers 1 count byte is short.
    scanner([](devsim::HandScanner& s) { s.records.resize(1); return 0; });
    struct ShortCount : devsim::HandScanner {
        devsim::Answer family_command(uint8_t cls, uint8_t cmd, const devsim::Bytes& d) override {
            devsim::Answer a = HandScanner::family_command(cls, cmd, d);
            if (cmd == 0x01 || cmd == 0x02) a.data.resize(cmd == 0x01 ? 1 : 23);
            return a;
        }
    };
    auto short_emu = std::make_unique<devsim::Emulator>(std::make_unique<ShortCount>(),
                                                        devsim::Registry::instance().make_codec("wirelink"));
    const uint32_t p = open_connected(*short_emu);
    ASSERT_NE(p, 0u);
    uint32_t n = 7;
    EXPECT_EQ(PT_GetRecordCount(p, &n), 0);
    EXPECT_EQ(IFD_GetErrCode(p), 263);
    EXPECT_EQ(n, 7u);
    EXPECT_EQ(PT_InsertEmptyRecord(p), HS_OK);
    EXPECT_EQ(PT_GetRecord(p, 0), 0);
    EXPECT_EQ(IFD_GetErrCode(p), 263);
    IFD_ClosePort(p);
}

}  // namespace
