// Any request bytes into the emulated ring readers, training clock and hand scanner: no
// crash, no answer longer than its link carries, and the ring chips keep their rules
// (UID page untouched, lock bits never cleared) whatever the PC sends.
#include <gtest/gtest.h>

#include <random>

#include "hand_scanner.h"
#include "ring_reader.h"
#include "train_clock.h"

namespace {

using devsim::Bytes;

struct Noise {
    std::mt19937 rng{20261211};
    uint8_t byte() { return uint8_t(rng()); }
    Bytes data(size_t max) {
        Bytes d(rng() % (max + 1));
        for (auto& b : d) b = byte();
        return d;
    }
    // Mostly well-formed transponder commands, so the chips' paths get exercised.
    Bytes transponder(uint8_t family) {
        Bytes d = data(24);
        if (rng() % 4 != 0 && d.size() >= 3) {
            d[0] = 0x00;
            d[1] = family;
            d[2] = uint8_t(rng() % 9);
            if (d.size() > 3) d[3] = uint8_t(rng() % 70);
        }
        return d;
    }
};

struct OpenScanner : devsim::HandScanner {
    using HandScanner::family_command;
};
struct OpenReader6 : devsim::RingReaderV6 {
    using RingReaderV6::family_command;
};

TEST(DeviceNoise, RingReadersKeepChipRules) {
    Noise n;
    devsim::RingField field;
    field.place(devsim::make_club_ring(0x01020304, 0x0A0B0C0D, 1));
    devsim::RingChip locked = devsim::RingChip::hitag_s(0x05060708);
    locked.pages[1] = {0x00, 0x36, 0x80, 0x00};
    field.place(locked);
    field.place(devsim::RingChip::hitag_2(0x0A0B0C0D, 0x4D494B52));
    int reads = 0;
    for (int i = 0; i < 20000; ++i) {
        const auto g = i % 2 ? devsim::RingField::Gen::V5 : devsim::RingField::Gen::V6;
        const uint8_t families[] = {0x10, 0x11, 0x13, 0xE0, 0xE1};
        const devsim::Answer a = i % 10 == 0 ? field.rf_reset(g, n.data(6)) : field.transponder(g, n.transponder(families[n.rng() % 5]));
        ASSERT_LE(a.data.size(), 52u);
        reads += a.status == 0 && a.data.size() == 4;
    }
    EXPECT_GT(reads, 100);  // the noise did reach the chips
    uint32_t writes = 0;
    for (const auto& r : field.rings()) writes += r.writes;
    EXPECT_GT(writes, 100u);
    for (const auto& r : field.rings()) {
        const uint32_t uid = r.uid();
        EXPECT_TRUE(uid == 0x01020304 || uid == 0x05060708 || uid == 0x0A0B0C0D);
    }
    devsim::RingChip* l = field.find(0x05060708);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->config(), 0x36);
    EXPECT_EQ(l->lock_bits(), 0x80);
}

TEST(DeviceNoise, ClockAndScannerAnswerAnything) {
    Noise n;
    struct OpenClock : devsim::TrainClock {
        using TrainClock::user_command;
    } clock;
    OpenScanner scanner;
    OpenReader6 reader;
    devsim::LinkState link;
    for (int i = 0; i < 20000; ++i) {
        devsim::Request r;
        r.flags = 0x01;
        r.command = uint8_t(n.rng() % 0x28);
        r.data = n.data(40);
        ASSERT_LE(clock.user_command(r, false, link).data.size(), 137u);
        ASSERT_LE(scanner.family_command(n.rng() % 2 ? 0x41 : n.byte(), uint8_t(n.rng() % 12), r.data).data.size(), 52u);
        ASSERT_LE(reader.family_command(0x11, uint8_t(n.rng() % 6), n.transponder(0xE1)).data.size(), 52u);
    }
}

}  // namespace
