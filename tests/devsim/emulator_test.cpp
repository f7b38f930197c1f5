// The emulator framework seen from the line: a plain file descriptor on the slave side.
#include "devsim/emulator.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "common/crc.h"
#include "common/hex.h"
#include "common/linkframe.h"
#include "devsim/control.h"

namespace {

namespace lf = club::link;

std::string hexs(const std::vector<uint8_t>& v) { return club::bin_to_hex(v.data(), v.size()); }

struct Line {
    int fd = -1;
    explicit Line(const std::string& path) {
        fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios t{};
        ::tcgetattr(fd, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
    }
    ~Line() { ::close(fd); }
    void send(const std::vector<uint8_t>& b) { ASSERT_EQ(::write(fd, b.data(), b.size()), ssize_t(b.size())); }
    // Reads until a frame end or `ms` of silence.
    std::vector<uint8_t> receive(int ms = 300) {
        std::vector<uint8_t> got;
        for (;;) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, ms) <= 0) return got;
            uint8_t b[256];
            const ssize_t n = ::read(fd, b, sizeof b);
            if (n <= 0) return got;
            got.insert(got.end(), b, b + n);
            if (got.back() == lf::kFrameEnd) return got;
        }
    }
};

std::vector<uint8_t> request(uint8_t cmd, std::vector<uint8_t> data, uint8_t flags = 0) {
    lf::Header h;
    h.flags = flags;
    h.code = cmd;
    return lf::build_frame(h, data.data(), data.size(), {});
}

TEST(Emulator, AnswersSystemCommandsOnItsPseudoTerminal) {
    auto emu = devsim::Emulator::start("echo");
    Line line(emu->path());
    line.send(request(0, {0x01}));
    // Device 12345678 at address 00 01, answering to 00 00 with flags 02.
    std::vector<uint8_t> body = {0x00, 0x01, 0x00, 0x00, 0x02, 0x01, 0x00, 0x04, 0x12, 0x34, 0x56, 0x78};
    body.push_back(club::crc8_hitag(body.data(), body.size()));
    std::vector<uint8_t> want;
    lf::wrap(body.data(), body.size(), want);
    EXPECT_EQ(hexs(line.receive()), hexs(want));
    EXPECT_EQ(hexs(emu->last_request().raw), "1A0000FFFF0001000101B317");

    // Noise and frames for another address get no answer.
    line.send({0x55, 0x17, 0x00});
    lf::Header other;
    other.to[1] = 0x09;
    const uint8_t d = 0;
    line.send(lf::build_frame(other, &d, 1, {}));
    line.send(request(0x01, {1, 2, 3}, 0x01));
    const auto echo = line.receive();
    ASSERT_GT(echo.size(), 12u);
    EXPECT_EQ(hexs({echo.begin() + 7, echo.begin() + 12}), "0003010203");
    // Counted once the answer is written, which can be just after it arrived here.
    EXPECT_TRUE(emu->wait_requests(2, 1000));
    EXPECT_EQ(emu->requests(), 2u);
}

TEST(Emulator, FaultsApplyToTheNextAnswerOnly) {
    devsim::Controller ctl;
    bool quit = false;
    const std::string started = ctl.execute("start echo", quit);
    ASSERT_EQ(started.rfind("OK 1 /dev/", 0), 0u) << started;
    auto* emu = ctl.find(1);
    Line line(emu->path());

    EXPECT_EQ(ctl.execute("fault badcrc", quit), "OK");
    line.send(request(0, {0x00}));
    auto got = line.receive();
    lf::Unframer u;
    for (auto b : got) u.feed(b);
    EXPECT_NE(club::crc8_hitag(u.body().data(), u.body().size()), 0);

    line.send(request(0, {0x00}));
    got = line.receive();
    u.reset();
    for (auto b : got) u.feed(b);
    EXPECT_EQ(club::crc8_hitag(u.body().data(), u.body().size()), 0);

    EXPECT_EQ(ctl.execute("fault garbage 2", quit), "OK");
    EXPECT_EQ(ctl.execute("fault silent 0 1", quit), "OK");
    line.send(request(0, {0x00}));
    EXPECT_TRUE(line.receive(100).empty());
    EXPECT_TRUE(emu->wait_requests(3, 1000));
    EXPECT_EQ(ctl.execute("stats", quit), "OK requests=3 answers=2");
    EXPECT_EQ(ctl.execute("fault clear", quit), "OK");
    EXPECT_EQ(ctl.execute("fault bogus", quit).rfind("ERR", 0), 0u);
    EXPECT_EQ(ctl.execute("@9 stats", quit).rfind("ERR", 0), 0u);
    EXPECT_EQ(ctl.execute("frobnicate", quit).rfind("ERR", 0), 0u);
    EXPECT_EQ(ctl.execute("devno 0A0B0C0D", quit), "OK 0A0B0C0D");
    EXPECT_EQ(ctl.execute("quit", quit), "OK bye");
    EXPECT_TRUE(quit);
}

// Arguments that would make the emulator allocate or wait without end are refused, and
// the device still answers afterwards.
TEST(Emulator, RefusesControlArgumentsOutOfRange) {
    devsim::Controller ctl;
    bool quit = false;
    ASSERT_EQ(ctl.execute("start ringreader5", quit).rfind("OK", 0), 0u);
    for (const char* line : {"fault garbage 100000000", "fault garbage 4294967299", "fault delay 86400000",
                             "fault status 256", "fault wrongaddr 0x10000", "fault badcrc 0 -2", "fault delay -5",
                             "reader pad 1000000000"})
        EXPECT_EQ(ctl.execute(line, quit).rfind("ERR", 0), 0u) << line;
    EXPECT_EQ(ctl.execute("fault garbage 4096", quit), "OK");
    EXPECT_EQ(ctl.execute("reader pad 255", quit), "OK");
    Line line(ctl.find(1)->path());
    line.send(request(0, {0x00}));
    EXPECT_FALSE(line.receive().empty());
}

TEST(Emulator, LinksTheSlaveToAGivenPathAndRemovesItAgain) {
    const std::string link = ::testing::TempDir() + "devsim-link-" + std::to_string(::getpid());
    {
        auto emu = devsim::Emulator::start("echo", link);
        EXPECT_EQ(emu->path(), link);
        char target[256] = {};
        ASSERT_GT(::readlink(link.c_str(), target, sizeof target - 1), 0);
        EXPECT_EQ(emu->slave_path(), target);
    }
    EXPECT_NE(::access(link.c_str(), F_OK), 0);
    EXPECT_THROW(devsim::Emulator::start("no-such-kind"), std::runtime_error);
}

}  // namespace
