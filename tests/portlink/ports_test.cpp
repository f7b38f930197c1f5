// The port table and raw transfers on real pseudo-terminals.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

#include "devsim/emulator.h"
#include "fixture.h"
#include "portlink.h"

namespace {

TEST(Ports, EightSlotsLowestFreeFirstAndClosedSlotReused) {
    std::vector<std::unique_ptr<devsim::Emulator>> emus;
    for (int i = 0; i < 9; ++i) emus.push_back(devsim::Emulator::start("echo"));
    for (uint32_t i = 0; i < 8; ++i) EXPECT_EQ(IFD_OpenPort(emus[i]->path().c_str(), nullptr), i + 1);
    EXPECT_EQ(IFD_OpenPort(emus[8]->path().c_str(), nullptr), 0u);
    EXPECT_EQ(IFD_ClosePort(3), -1);
    EXPECT_EQ(IFD_IsPortValid(3), 0);
    EXPECT_EQ(IFD_ClosePort(3), 0);
    EXPECT_EQ(IFD_GetErrCode(3), 260);
    EXPECT_EQ(IFD_OpenPort(emus[8]->path().c_str(), nullptr), 3u);
    EXPECT_EQ(IFD_IsPortValid(3), -1);
    for (uint32_t h = 1; h <= 8; ++h) EXPECT_EQ(IFD_ClosePort(h), -1);
}

TEST(Ports, FailedOpensAndInvalidHandles) {
    EXPECT_EQ(IFD_OpenPort("/nonexistent/tty", nullptr), 0u);  // 257
    EXPECT_EQ(IFD_OpenPort("/dev/null", nullptr), 0u);          // no terminal: 258
    EXPECT_EQ(IFD_OpenPort(nullptr, nullptr), 0u);
    auto emu = devsim::Emulator::start("echo");
    EXPECT_EQ(IFD_OpenPort(emu->path().c_str(), "baud=12345"), 0u);  // no such rate: 258
    const uint32_t h = IFD_OpenPort(emu->path().c_str(), "baud=115200");
    ASSERT_EQ(h, 1u);  // the failed opens left every slot empty
    EXPECT_EQ(IFD_OpenPort(emu->path().c_str(), nullptr), 0u);  // not shared
    for (uint32_t bad : {0u, 9u, 2u, 0xFFFFFFFFu}) {
        EXPECT_EQ(IFD_GetErrCode(bad), 260);
        EXPECT_EQ(IFD_IsPortValid(bad), 0);
        EXPECT_EQ(IFD_SetInterval(bad, 100), 0);
        EXPECT_EQ(IFD_CommClear(bad), 0);
        EXPECT_EQ(IFD_SendRaw(bad, reinterpret_cast<const uint8_t*>("x"), 1), 0);
        uint32_t n = 1;
        uint8_t b;
        EXPECT_EQ(IFD_GetRaw(bad, &b, &n), 0);
        EXPECT_EQ(IFD_RunCmd(bad, nullptr, nullptr, nullptr), 0);
        EXPECT_EQ(IFD_SelectDev(bad, "0001"), 0);
        EXPECT_EQ(IFD_Connect(bad, 1, "pw"), 0);
        IFD_SetErrCode(bad, 5);
    }
    IFD_SetErrCode(h, 42);
    EXPECT_EQ(IFD_GetErrCode(h), 42);
    EXPECT_EQ(IFD_ClosePort(h), -1);
}

TEST(Ports, LineSettingsAreAppliedToTheDevice) {
    auto emu = devsim::Emulator::start("echo");
    const int fd = ::open(emu->slave_path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios t{};
    uint32_t h = IFD_OpenPort(emu->path().c_str(), nullptr);
    ASSERT_NE(h, 0u);
    ASSERT_EQ(::tcgetattr(fd, &t), 0);
    EXPECT_EQ(::cfgetospeed(&t), B57600);
    IFD_ClosePort(h);
    h = IFD_OpenPort(emu->path().c_str(), "Timeout=500;baud=19200");
    ASSERT_NE(h, 0u);
    ASSERT_EQ(::tcgetattr(fd, &t), 0);
    EXPECT_EQ(::cfgetospeed(&t), B19200);
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);
    ::close(fd);
    IFD_ClosePort(h);
}

// A bare pseudo-terminal: the test plays the device byte by byte.
struct RawLine : ::testing::Test {
    int master = -1, slave = -1;
    uint32_t h = 0;
    void SetUp() override {
        char name[256];
        ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
        termios t{};
        ::tcgetattr(slave, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(slave, TCSANOW, &t);
        h = IFD_OpenPort(name, "timeout=100");
        ASSERT_NE(h, 0u);
    }
    void TearDown() override {
        IFD_ClosePort(h);
        ::close(master);
        ::close(slave);
    }
};

TEST_F(RawLine, GetRawReturnsWhatCameAfterTheIntervalAndZeroOnSilence) {
    // With the default read constant the 500 ms between two bytes end the read, long
    // before the 10 * 5 + 2000 ms in total; "timeout=" left the interval alone.
    ASSERT_EQ(IFD_SetInterval(h, 2000), -1);
    ASSERT_EQ(::write(master, "\x01\x02\x03", 3), 3);
    uint8_t buf[10] = {};
    uint32_t n = 10;
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(IFD_GetRaw(h, buf, &n), -1);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(buf[2], 0x03);
    EXPECT_GE(ms, 500);
    EXPECT_LT(ms, 2000);
    ASSERT_EQ(IFD_SetInterval(h, 100), -1);
    n = 4;
    EXPECT_EQ(IFD_GetRaw(h, buf, &n), -1);  // 4 * 5 + 100 ms of silence
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(IFD_GetRaw(h, buf, nullptr), -1);
    EXPECT_EQ(IFD_GetErrCode(h), 0);
}

TEST_F(RawLine, SendRawAndCommClear) {
    const uint8_t out[] = {0x1A, 0x00, 0x17};
    EXPECT_EQ(IFD_SendRaw(h, out, 3), -1);
    uint8_t got[8];
    pollfd p{master, POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 1000), 1);
    EXPECT_EQ(::read(master, got, sizeof got), 3);

    // Bytes waiting before a clear are gone after it.
    ASSERT_EQ(::write(master, "abc", 3), 3);
    ::tcdrain(master);
    uint8_t one;
    uint32_t n = 1;
    ASSERT_EQ(IFD_GetRaw(h, &one, &n), -1);  // "a"; "bc" wait in the port
    EXPECT_EQ(IFD_CommClear(h), -1);
    n = 2;
    EXPECT_EQ(IFD_GetRaw(h, got, &n), -1);
    EXPECT_EQ(n, 0u);
}

TEST_F(RawLine, SetIntervalSetsTheReadConstant) {
    for (uint32_t constant : {10u, 250u}) {
        EXPECT_EQ(IFD_SetInterval(h, constant), -1);
        uint8_t b;
        uint32_t n = 1;
        const auto t0 = std::chrono::steady_clock::now();
        EXPECT_EQ(IFD_GetRaw(h, &b, &n), -1);
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
        EXPECT_EQ(n, 0u);
        EXPECT_GE(ms, constant + 5);  // one byte: 5 ms per byte plus the constant
    }
}

}  // namespace
