// One program with both device links loaded, as the club program is: each caller must
// reach its own library although both export IFD_OpenPort, IFD_RunCmd and the rest.
// portlink comes first on the link line, so a caller bound by name alone would land there.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>

#include "common/des.h"
#include "devsim/emulator.h"
#include "devsim/registry.h"
#include "portlink.h"
#include "raceclock.h"
#include "racetimer.h"

namespace {

template <class F>
F versioned(const char *name, const char *version) {
    void *p = dlvsym(RTLD_DEFAULT, name, version);
    EXPECT_NE(p, nullptr) << name << "@" << version;
    return reinterpret_cast<F>(p);
}

TEST(TwoLinks, EachCallerReachesItsOwnLibrary) {
    using OpenPort = uint32_t (*)(const char *, const char *);
    using ClosePort = int16_t (*)(uint32_t);
    using Connect = int16_t (*)(uint32_t, const uint8_t *, const uint8_t *);
    using GetDevNo = int16_t (*)(uint32_t, char *);
    const auto wl_open = versioned<OpenPort>("IFD_OpenPort", "WIRELINK_1.0");
    const auto pl_open = versioned<OpenPort>("IFD_OpenPort", "PORTLINK_5");
    ASSERT_NE(reinterpret_cast<void *>(wl_open), reinterpret_cast<void *>(pl_open));
    const auto wl_close = versioned<ClosePort>("IFD_ClosePort", "WIRELINK_1.0");
    const auto pl_close = versioned<ClosePort>("IFD_ClosePort", "PORTLINK_5");
    const auto wl_connect = versioned<Connect>("IFD_Connect", "WIRELINK_1.0");
    const auto pl_devno = versioned<GetDevNo>("IFD_GetDevNo", "PORTLINK_5");
    // A name only portlink has is reached by plain binding.
    EXPECT_EQ(IFD_SetInterval(0, 100), 0);

    devsim::RaceClock::Config cfg;
    cfg.system_identity = "12300000";
    auto clock = std::make_unique<devsim::RaceClock>(cfg);
    devsim::Emulator race_line(std::move(clock), devsim::Registry::instance().make_codec("wirelink"));
    auto reader_line = devsim::Emulator::start("echo");

    // Both tables hand out handle 1: the same number names a different port in each.
    const uint32_t clock_port = wl_open(race_line.path().c_str(), "baud=115200;timeout=2000");
    const uint32_t reader_port = pl_open(reader_line->path().c_str(), nullptr);
    ASSERT_EQ(clock_port, 1u);
    ASSERT_EQ(reader_port, 1u);

    const uint8_t club_key[8] = {'4', '1', '9', '5', '7', '3', '0', '2'};
    uint8_t code[8];
    club::des_encrypt(club_key, reinterpret_cast<const uint8_t *>("12300000"), code);
    ASSERT_NE(wl_connect(clock_port, reinterpret_cast<const uint8_t *>("12300000"), code), 0);
    // An emulator counts a request once its answer is written, which can be just after the
    // caller has the answer: wait for the counts rather than read them at once.
    ASSERT_TRUE(race_line.wait_requests(2, 1000));  // hello and proof

    // racetimer's exchanges go to the race clock through wirelink...
    const uint64_t clock_before = race_line.requests(), reader_before = reader_line->requests();
    ASSERT_EQ(PGT_SetUploadMode(clock_port, 130, 131, 120), -1);
    uint8_t a = 0, b = 0;
    uint16_t c = 0;
    ASSERT_EQ(PGT_GetUploadMode(clock_port, &a, &b, &c), -1);
    EXPECT_EQ(a, 130);
    EXPECT_EQ(c, 120);
    EXPECT_TRUE(race_line.wait_requests(clock_before + 2, 1000));
    EXPECT_EQ(race_line.requests(), clock_before + 2);
    EXPECT_EQ(reader_line->requests(), reader_before);

    // ...and portlink's callers reach the reader through portlink.
    char devno[9] = {};
    ASSERT_NE(pl_devno(reader_port, devno), 0);
    EXPECT_EQ(std::strlen(devno), 8u);
    EXPECT_TRUE(reader_line->wait_requests(reader_before + 1, 1000));
    EXPECT_EQ(reader_line->requests(), reader_before + 1);
    EXPECT_EQ(race_line.requests(), clock_before + 2);

    EXPECT_NE(wl_close(clock_port), 0);
    EXPECT_NE(pl_close(reader_port), 0);
}

}  // namespace
