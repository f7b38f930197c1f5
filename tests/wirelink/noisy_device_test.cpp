// Whatever bytes a device sends back, wirelink and racetimer end each exchange with a
// known error code, promptly, and never write past the caller's buffers.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <random>
#include <set>
#include <thread>
#include <vector>

#include "common/crc.h"
#include "common/linkframe.h"
#include "racetimer.h"
#include "wirelink.h"

namespace {

// A "device" on a pseudo-terminal that answers every request frame with noise: frames of
// random length and content, with or without a right CRC, escapes in odd places, noise
// before the start byte, or a copy of a well-formed answer with one byte changed.
class NoisyDevice {
public:
    NoisyDevice() {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return;
        path_ = name;
        termios tio{};
        tcgetattr(slave_, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave_, TCSANOW, &tio);
        thread_ = std::thread([this] { run(); });
    }
    ~NoisyDevice() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        close(master_);
        close(slave_);
    }
    const std::string &path() const { return path_; }

private:
    std::vector<uint8_t> noise_for(const std::vector<uint8_t> &request) {
        std::uniform_int_distribution<int> byte(0, 255), len(0, 70), pick(0, 9);
        std::vector<uint8_t> body;
        const int kind = pick(rng_);
        if (kind <= 4 && request.size() >= 10) {
            // A plausible answer: the request's header echoed, a random length field and
            // data, a right CRC; sometimes one byte changed afterwards.
            body.assign(request.begin(), request.begin() + 10);
            body[4] |= 0x02;
            body[7] = kind == 0 ? uint8_t(byte(rng_)) : 0;
            const int n = len(rng_);
            body[8] = uint8_t(kind == 1 ? byte(rng_) : n);
            body[9] = uint8_t(kind == 2 ? byte(rng_) : 0);
            for (int i = 0; i < n; ++i) body.push_back(uint8_t(byte(rng_)));
            body.push_back(club::crc8_hitag(body.data(), body.size()));
            if (kind == 3) body[size_t(byte(rng_)) % body.size()] ^= uint8_t(1 + byte(rng_) % 255);
        } else {
            const int n = len(rng_);
            for (int i = 0; i < n; ++i) body.push_back(uint8_t(byte(rng_)));
            if (kind <= 7) body.push_back(club::crc8_hitag(body.data(), body.size()));
        }
        std::vector<uint8_t> wire;
        if (kind == 8) wire.assign(size_t(1 + len(rng_) % 5), 0x55);
        club::link::wrap(body.data(), body.size(), wire);
        if (kind == 9) wire.insert(wire.end() - 1, {0x1B, 0x17});  // an escaped end byte
        return wire;
    }

    void run() {
        club::link::Unframer unframer(200);
        uint8_t buf[256];
        while (!stop_) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0) continue;
            const ssize_t n = read(master_, buf, sizeof buf);
            for (ssize_t i = 0; i < n; ++i) {
                if (unframer.feed(buf[i]) != club::link::Unframer::Step::Complete) continue;
                const auto wire = noise_for(unframer.body());
                unframer.reset();
                if (write(master_, wire.data(), wire.size()) < 0) return;
            }
        }
    }

    int master_ = -1, slave_ = -1;
    std::string path_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mt19937 rng_{20261211};
};

TEST(NoisyDevice, EveryExchangeEndsWithAKnownCode) {
    NoisyDevice dev;
    ASSERT_FALSE(dev.path().empty());
    const uint32_t port = IFD_OpenPort(dev.path().c_str(), "baud=115200;timeout=100");
    ASSERT_NE(port, 0u);
    const std::set<int32_t> link_codes = {259, 262, 263, 264, 266};
    const auto t0 = std::chrono::steady_clock::now();
    int successes = 0;
    for (int i = 0; i < 400; ++i) {
        SCOPED_TRACE(i);
        // Answer block and text buffers with guard bytes behind the part that may be used.
        uint8_t answer[WL_BLOCK_SIZE + 16];
        std::memset(answer, 0xCC, sizeof answer);
        uint8_t request[WL_BLOCK_SIZE] = {0x46, uint8_t(i % 0x23), 4, 0, 1, 2, 3, 4};
        const int16_t ok = IFD_RunCmd(port, request, answer);
        const int32_t err = IFD_GetErrCode(port);
        if (ok) {
            ++successes;
            EXPECT_EQ(err, 0);
            EXPECT_LE(answer[2] | answer[3] << 8, WL_MAX_DATA);
        } else {
            EXPECT_TRUE(link_codes.count(err) || (err >= 1 && err <= 255)) << err;
        }
        for (size_t k = WL_BLOCK_SIZE; k < sizeof answer; ++k) ASSERT_EQ(answer[k], 0xCC);

        char text[200];
        std::memset(text, 0xCC, sizeof text);
        int32_t lon, lat;
        switch (i % 4) {
        case 0: PGT_GetSiteInfo(port, text, &lon, &lat); for (size_t k = 31; k < sizeof text; ++k) ASSERT_EQ(uint8_t(text[k]), 0xCC); break;
        case 1: PGT_GetURL(port, 1, text); for (size_t k = 52; k < sizeof text; ++k) ASSERT_EQ(uint8_t(text[k]), 0xCC); break;
        case 2: PGT_GetOutReaderInfo(port, 0, text); for (size_t k = 105; k < sizeof text; ++k) ASSERT_EQ(uint8_t(text[k]), 0xCC); break;
        case 3: PGT_GetRaceDesc(port, "F0000001", text); for (size_t k = 31; k < sizeof text; ++k) ASSERT_EQ(uint8_t(text[k]), 0xCC); break;
        }
    }
    EXPECT_GT(successes, 0);  // the noise does contain well-formed answers
    // No exchange waited much longer than the port's time-out.
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(60));
    IFD_ClosePort(port);
}

}  // namespace
