// Reading a race of 2,000 arrival records from the emulated clock over a pseudo-terminal,
// each record read with PGT_GetRaceRecord and checked with PGT_CheckRecord, beside the
// time the same bytes take on a real line at 115200 baud (10 bits per byte).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "common/des.h"
#include "common/hex.h"
#include "devsim/emulator.h"
#include "devsim/registry.h"
#include "raceclock.h"
#include "racetimer.h"
#include "wirelink.h"

namespace {

constexpr int kRecords = 2000;
const char kSysId[] = "12300000";
const char kRace[] = "01AF0503";

struct Loaded {
    std::unique_ptr<devsim::Emulator> emu;
    devsim::RaceClock *clock = nullptr;
    uint32_t port = 0;
    uint8_t key[8] = {};
    char devno[9] = {};
    bool ok = false;
};

// A clock with a started race of 2,000 basketed pigeons that have all arrived.
Loaded &loaded() {
    static Loaded l = [] {
        Loaded x;
        devsim::RaceClock::Config cfg;
        cfg.system_identity = kSysId;
        auto c = std::make_unique<devsim::RaceClock>(cfg);
        x.clock = c.get();
        x.emu = std::make_unique<devsim::Emulator>(std::move(c), devsim::Registry::instance().make_codec("wirelink"));
        x.port = IFD_OpenPort(x.emu->path().c_str(), "baud=115200;timeout=2000");
        const uint8_t club_key[8] = {'4', '1', '9', '5', '7', '3', '0', '2'};
        uint8_t code[8];
        club::des_encrypt(club_key, reinterpret_cast<const uint8_t *>(kSysId), code);
        club::des_encrypt(code, reinterpret_cast<const uint8_t *>(kRace), x.key);
        if (!IFD_Connect(x.port, reinterpret_cast<const uint8_t *>(kSysId), code)) return x;
        IFD_GetDevNo(x.port, x.devno);
        PGT_StartTag(x.port, 0);
        char tag[17];
        for (int i = 0; i < kRecords; ++i) {
            std::snprintf(tag, sizeof tag, "%08X0000%02X00", 0xA0000000u + unsigned(i), i & 0xFF);
            if (!PGT_SetTag(x.port, tag, 0, "", "000000")) return x;
        }
        PGT_CloseTag(x.port, nullptr);
        PGT_CreateRace(x.port, kRace, kSysId);
        for (int i = 0; i < kRecords; ++i) {
            std::snprintf(tag, sizeof tag, "%08X0000%02X00", 0xA0000000u + unsigned(i), i & 0xFF);
            if (!PGT_AddRaceTag(x.port, kRace, tag, "")) return x;
        }
        PGT_ConfirmRace(x.port, kRace, x.key, 46000.5);
        PGT_StartRace(x.port, kRace, 3);
        club::CalendarFields t;
        t.year = 2026, t.month = 8, t.day = 19, t.hour = 7;
        for (int i = 0; i < kRecords; ++i) {
            char ring[9];
            std::snprintf(ring, sizeof ring, "%08X", 0xA0000000u + unsigned(i));
            t.minute = i / 60 % 60, t.second = i % 60, t.millisecond = i % 1000;
            if (!x.clock->register_arrival(ring, t, uint8_t(i), "")) return x;
        }
        x.ok = true;
        return x;
    }();
    return l;
}

void BM_ReadAndCheck2000Records(benchmark::State &state) {
    Loaded &l = loaded();
    if (!l.ok) {
        state.SkipWithError("clock could not be loaded");
        return;
    }
    size_t line_bytes = 0;
    for (auto _ : state) {
        uint32_t count = 0;
        if (!PGT_GetRaceTagCount(l.port, kRace, 128, &count) || count != kRecords) {
            state.SkipWithError("record count");
            return;
        }
        int genuine = 0;
        char text[97];
        for (uint32_t i = 0; i < count; ++i) {
            if (!PGT_GetRaceRecord(l.port, kRace, 128, uint16_t(i), text)) {
                state.SkipWithError("record read failed");
                return;
            }
            genuine += PGT_CheckRecord(text, kSysId, l.devno, kRace, l.key) != 0;
        }
        if (genuine != kRecords) state.SkipWithError("a record failed its check");
        // Bytes of one record exchange on the line: the request frame and the answer frame.
        line_bytes = l.emu->last_request().raw.size() + l.emu->last_written().size();
    }
    const double line_us = double(line_bytes) * 10.0 / 115200.0 * 1e6;
    state.counters["records"] = kRecords;
    state.counters["us_per_record"] =
        benchmark::Counter(double(kRecords) * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                           benchmark::Counter::kIs1000);
    state.counters["line_bytes_per_record"] = double(line_bytes);
    state.counters["line_us_per_record_115200"] = line_us;
}
BENCHMARK(BM_ReadAndCheck2000Records)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
