// One command exchange of a 20-byte request and a 60-byte answer, set beside the time the
// same frames take on a real line at 115200 baud (10 bits per byte).
//
//   RoundTripOverPty  the whole exchange through IFD_RunCmd against the emulated device.
//                     "CPU" is the calling thread's time: the library's own work, system
//                     calls included; the emulator runs on its own thread.
//   FrameWorkOnly     the same exchange without a line: build the request frame, and
//                     receive and check the answer frame from memory.
// Counters: line_us = line time of both frames; lib_share_pct = the calling thread's
// CPU time per exchange as a share of that line time (target: under 5%).
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstring>
#include <vector>

#include "common/linkframe.h"
#include "devsim/emulator.h"
#include "portlink.h"
#include "receiver.h"

namespace {

namespace lf = club::link;

constexpr size_t kRequestData = 20;
constexpr size_t kAnswerData = 60;

// Wire bytes of the two frames (no byte of these needs escaping).
double line_time_us(size_t request_wire, size_t answer_wire) {
    return double(request_wire + answer_wire) * 10.0 / 115200.0 * 1e6;
}

double thread_cpu_us() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

void report(benchmark::State& state, double cpu_us, size_t req_wire, size_t ans_wire) {
    const double line = line_time_us(req_wire, ans_wire);
    const double per = state.iterations() ? cpu_us / double(state.iterations()) : 0.0;
    state.counters["line_us"] = line;
    state.counters["lib_share_pct"] = 100.0 * per / line;
}

void request_block(uint8_t* req) {
    req[0] = 0;
    req[1] = 0x02;  // echo device: [n] -> n bytes
    req[2] = kRequestData;
    for (size_t i = 0; i < kRequestData; ++i) req[3 + i] = uint8_t(0x20 + i);
    req[3] = kAnswerData;
}

void RoundTripOverPty(benchmark::State& state) {
    auto emu = devsim::Emulator::start("echo");
    const uint32_t h = IFD_OpenPort(emu->path().c_str(), "baud=115200;timeout=2000");
    if (!h) {
        state.SkipWithError("cannot open the emulated port");
        return;
    }
    uint8_t req[3 + kRequestData];
    request_block(req);
    uint8_t ans[PL_ANSWER_BLOCK_SIZE];
    const double cpu0 = thread_cpu_us();
    for (auto _ : state) {
        uint8_t flags = 0x01;
        if (!IFD_RunCmd(h, &flags, req, ans) || ans[2] != kAnswerData) {
            state.SkipWithError("exchange failed");
            break;
        }
    }
    const double cpu = thread_cpu_us() - cpu0;
    report(state, cpu, 2 + 8 + kRequestData + 1, 2 + 8 + kAnswerData + 1);
    IFD_ClosePort(h);
}
BENCHMARK(RoundTripOverPty)->UseRealTime()->Unit(benchmark::kMicrosecond);

struct Feed {
    const uint8_t* p;
    size_t n;
};

void FrameWorkOnly(benchmark::State& state) {
    uint8_t req[3 + kRequestData];
    request_block(req);
    lf::Header answer_header;
    answer_header.from[1] = 0x01;
    answer_header.to[0] = answer_header.to[1] = 0x00;
    answer_header.flags = 0x03;
    std::vector<uint8_t> data(kAnswerData, 0x42);
    const auto answer_wire = lf::build_frame(answer_header, data.data(), data.size(), {});
    const uint8_t base[2] = {0, 0};
    uint8_t ans[portlink::kAnswerBlock];
    size_t req_wire = 0;
    const double cpu0 = thread_cpu_us();
    for (auto _ : state) {
        lf::Header h;
        h.flags = 0x01;
        h.code = req[1];
        const auto wire = lf::build_frame(h, req + 3, req[2], {});
        req_wire = wire.size();
        Feed feed{answer_wire.data(), answer_wire.size()};
        auto next = [](void* ctx, uint8_t& b) {
            auto* f = static_cast<Feed*>(ctx);
            if (!f->n) return false;
            b = *f->p++;
            --f->n;
            return true;
        };
        uint8_t flags = 0;
        const int32_t code = portlink::receive_frame(next, &feed, base, {}, &flags, ans);
        benchmark::DoNotOptimize(code);
        benchmark::DoNotOptimize(wire.data());
    }
    report(state, thread_cpu_us() - cpu0, req_wire, answer_wire.size());
}
BENCHMARK(FrameWorkOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
