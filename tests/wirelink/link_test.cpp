// wirelink against emulated devices over pseudo-terminals: the port table, the connect
// exchange, the command runner and every receive failure the emulator can inject.
#include <gtest/gtest.h>

#include <chrono>

#include "clock_line.h"
#include "racetimer.h"

using namespace testing_clock;

namespace {


TEST(WirelinkPorts, TableOfEightSlots) {
    std::vector<std::unique_ptr<devsim::Emulator>> lines;
    for (int i = 0; i < 9; ++i)
        lines.push_back(std::make_unique<devsim::Emulator>(std::make_unique<ScriptedClock>(),
                                                           devsim::Registry::instance().make_codec("wirelink")));
    std::vector<uint32_t> handles;
    for (int i = 0; i < 8; ++i) handles.push_back(IFD_OpenPort(lines[size_t(i)]->path().c_str(), nullptr));
    EXPECT_EQ(handles, (std::vector<uint32_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(IFD_OpenPort(lines[8]->path().c_str(), nullptr), 0u);
    EXPECT_EQ(IFD_ClosePort(3), -1);
    EXPECT_EQ(IFD_ClosePort(3), 0);
    EXPECT_EQ(IFD_IsPortValid(3), 0);
    EXPECT_EQ(IFD_GetErrCode(3), 260);
    // A port is not shared: the line held by handle 1 cannot be opened again.
    EXPECT_EQ(IFD_OpenPort(lines[0]->path().c_str(), nullptr), 0u);
    EXPECT_EQ(IFD_OpenPort(lines[8]->path().c_str(), "baud=115200;timeout=2000"), 3u);
    for (uint32_t h = 1; h <= 8; ++h) EXPECT_EQ(IFD_ClosePort(h), -1);

    EXPECT_EQ(IFD_OpenPort("/nonexistent/tty", nullptr), 0u);
    EXPECT_EQ(IFD_OpenPort("/dev/null", nullptr), 0u);  // not a serial line
    EXPECT_EQ(IFD_OpenPort(lines[0]->path().c_str(), "baud=12345"), 0u);  // no such line speed
    EXPECT_EQ(IFD_GetErrCode(0), 260);
    EXPECT_EQ(IFD_GetErrCode(9), 260);
    uint8_t request[8] = {0x46, 0x02, 0, 0};
    EXPECT_EQ(IFD_RunCmd(9, request, nullptr), 0);
}

TEST(WirelinkHelpers, HexAndDes) {
    uint8_t bytes[8] = {};
    EXPECT_EQ(HexToBin("12 34-5G6", bytes, 8), 3u);
    EXPECT_EQ(bytes[2], 0x56);
    char text[7];
    BinToHex(bytes, 3, text);
    EXPECT_STREQ(text, "123456");
    // FIPS 46 test vector; the two exports take their buffers in opposite orders.
    uint8_t key[8], plain[8], cipher[8], back[8];
    HexToBin("133457799BBCDFF1", key, 8);
    HexToBin("0123456789ABCDEF", plain, 8);
    DesEncrypt(cipher, plain, key);
    char hex[17];
    BinToHex(cipher, 8, hex);
    EXPECT_STREQ(hex, "85E813540F0AB405");
    DesDecrypt(cipher, back, key);
    EXPECT_EQ(0, std::memcmp(back, plain, 8));
}

class Connect : public ::testing::Test {
protected:
    void SetUp() override {
        devsim::RaceClock::Config cfg;
        cfg.system_identity = kSysId;
        auto c = std::make_unique<devsim::RaceClock>(cfg);
        clock = c.get();
        line = std::make_unique<ClockLine>(std::move(c), "baud=115200;timeout=500");
        ASSERT_NE(line->port, 0u);
    }
    devsim::RaceClock *clock = nullptr;
    std::unique_ptr<ClockLine> line;
};

TEST_F(Connect, ClockRefusesAnotherClubAndAWrongCode) {
    uint32_t count;
    // Nothing but the link's own commands before the club has proved itself.
    EXPECT_EQ(PGT_GetTagCount(line->port, 0, &count), 0);
    EXPECT_EQ(line->error(), WL_DEV_NOT_CONNECTED);
    char devno[9];
    ASSERT_EQ(IFD_GetDevNo(line->port, devno), -1);
    EXPECT_STREQ(devno, "4C380001");

    EXPECT_FALSE(line->connect("00000000"));  // another system identity
    EXPECT_EQ(line->error(), WL_DEV_FOREIGN);

    uint8_t code[8];
    identity_code(kSysId, code);
    code[0] ^= 0x10;
    EXPECT_EQ(IFD_Connect(line->port, reinterpret_cast<const uint8_t *>(kSysId), code), 0);
    EXPECT_EQ(line->error(), WL_DEV_AUTH_FAILED);
    EXPECT_EQ(PGT_GetTagCount(line->port, 0, &count), 0);
    EXPECT_EQ(line->error(), WL_DEV_NOT_CONNECTED);

    ASSERT_TRUE(line->connect());
    EXPECT_EQ(PGT_GetTagCount(line->port, 0, &count), -1);

    // Set up for another club, the clock forgets the connection and refuses this one.
    clock->set_system_identity("ABCDEFGH");
    EXPECT_EQ(PGT_GetTagCount(line->port, 0, &count), 0);
    EXPECT_FALSE(line->connect());
    EXPECT_TRUE(line->connect("ABCDEFGH"));
}

TEST_F(Connect, RunCmdFillsTheAnswerBlock) {
    ASSERT_TRUE(line->connect());
    uint8_t request[WL_BLOCK_SIZE] = {0x46, 0x06, 0x00, 0x00};
    uint8_t answer[WL_BLOCK_SIZE];
    std::memset(answer, 0xEE, sizeof answer);
    ASSERT_EQ(IFD_RunCmd(line->port, request, answer), -1);
    EXPECT_EQ(answer[0], 0x46);
    EXPECT_EQ(answer[1], 0x00);
    EXPECT_EQ(answer[2] | answer[3] << 8, 4);
    EXPECT_EQ(answer[8], 0xEE);  // nothing past the answer's data

    // A device status fails the runner with that code and still hands the answer back.
    request[1] = 0x7E;
    EXPECT_EQ(IFD_RunCmd(line->port, request, answer), 0);
    EXPECT_EQ(line->error(), WL_DEV_UNKNOWN_CMD);
    EXPECT_EQ(answer[1], WL_DEV_UNKNOWN_CMD);

    // Requests longer than a block holds are refused before anything is sent.
    request[2] = 53;
    EXPECT_EQ(IFD_RunCmd(line->port, request, answer), 0);
    EXPECT_EQ(line->error(), WL_ERR_REQUEST);
    EXPECT_EQ(IFD_RunCmd(line->port, nullptr, answer), 0);
    EXPECT_EQ(line->error(), WL_ERR_REQUEST);
}

// Every fault the emulator can put on an answer ends in its error code, within the
// port's time-out.
TEST_F(Connect, ReceiveFailures) {
    ASSERT_TRUE(line->connect());
    struct Case {
        devsim::Fault fault;
        int arg;
        int32_t code;
    };
    const Case cases[] = {
        {devsim::Fault::NoAnswer, -1, WL_ERR_NO_ANSWER},
        {devsim::Fault::BadCrc, -1, WL_ERR_CRC},
        {devsim::Fault::BadMac, -1, WL_ERR_CRC},
        {devsim::Fault::WrongAddress, 0x0005, WL_ERR_ADDRESS},
        {devsim::Fault::NoAnswerFlag, -1, WL_ERR_MALFORMED},
        {devsim::Fault::Oversized, -1, WL_ERR_TOO_LONG},
        {devsim::Fault::Garbage, 3, WL_ERR_MALFORMED},
        {devsim::Fault::CutOff, -1, WL_ERR_MALFORMED},
        {devsim::Fault::Status, 0x21, 0x21},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(devsim::fault_name(c.fault));
        line->emu->arm({c.fault, c.arg, 1});
        uint8_t first = 0, second = 0;
        uint16_t third = 0;
        const auto t0 = std::chrono::steady_clock::now();
        EXPECT_EQ(PGT_GetUploadMode(line->port, &first, &second, &third), 0);
        EXPECT_EQ(line->error(), c.code);
        EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(2500));
        // The next exchange is clean again: leftovers of the fault are discarded.
        line->emu->clear_faults();
        EXPECT_EQ(PGT_GetUploadMode(line->port, &first, &second, &third), -1);
    }
    // An answer that comes after the time-out is not taken for the answer of the next
    // command: the site info (8 bytes and more) must not read the late upload mode (4).
    line->emu->arm({devsim::Fault::Delay, 650, 1});
    uint8_t first = 0, second = 0;
    uint16_t third = 0;
    EXPECT_EQ(PGT_GetUploadMode(line->port, &first, &second, &third), 0);
    EXPECT_EQ(line->error(), WL_ERR_NO_ANSWER);
    int32_t lon = 1, lat = 1;
    EXPECT_EQ(PGT_GetSiteInfo(line->port, nullptr, &lon, &lat), -1) << IFD_GetErrCode(line->port);

    // A clock that stops answering: every command times out until it answers again.
    clock->set_silent(true);
    uint32_t count;
    EXPECT_EQ(PGT_GetTagCount(line->port, 0, &count), 0);
    EXPECT_EQ(line->error(), WL_ERR_NO_ANSWER);
    clock->set_silent(false);
    EXPECT_EQ(PGT_GetTagCount(line->port, 0, &count), -1);
}

}  // namespace
