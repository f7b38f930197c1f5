#include "receiver.h"

#include <chrono>

#include "wirelink.h"

namespace wirelink {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kInterByteMs = 500;  // a pause this long inside a frame ends the wait

// One frame off the line: 0 when a body was collected, else the error code.
int32_t read_frame(ReadByte read, void *ctx, int first_byte_ms, int timeout_ms, std::vector<uint8_t> &body) {
    int b = read(ctx, first_byte_ms);
    if (b < 0) return WL_ERR_NO_ANSWER;
    if (b != club::link::kFrameStart) return WL_ERR_MALFORMED;

    using Step = club::link::Unframer::Step;
    club::link::Unframer unframer(wireframe::kMaxBody);
    Step step = unframer.feed(uint8_t(b));
    // The whole frame must arrive within a bounded time even if a device trickles bytes.
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms + 1000);
    while (step != Step::Complete) {
        if (Clock::now() > deadline) return WL_ERR_MALFORMED;
        b = read(ctx, kInterByteMs);
        if (b < 0) return WL_ERR_MALFORMED;
        step = unframer.feed(uint8_t(b));
        if (step == Step::Overflow) return WL_ERR_TOO_LONG;
    }
    body = unframer.body();
    return 0;
}

}  // namespace

int32_t receive_answer(ReadByte read, void *ctx, const AnswerWait &wait, wireframe::Frame &answer) {
    using namespace std::chrono;
    const auto deadline = Clock::now() + milliseconds(wait.timeout_ms);
    for (;;) {
        const auto left = duration_cast<milliseconds>(deadline - Clock::now()).count();
        // Past the time-out one more frame is taken only if it is already on its way: a
        // device that keeps sending stale answers must not hold the caller forever.
        const bool last = left <= 0;
        std::vector<uint8_t> body;
        if (int32_t err = read_frame(read, ctx, last ? 0 : int(left), wait.timeout_ms, body)) return err;

        switch (wireframe::parse(body, answer)) {
        case wireframe::ParseError::None: break;
        case wireframe::ParseError::Crc: return WL_ERR_CRC;
        case wireframe::ParseError::Short:
        case wireframe::ParseError::Length: return WL_ERR_MALFORMED;
        }
        if (!(answer.flags & wireframe::kFlagAnswer)) return WL_ERR_MALFORMED;
        for (int i = 0; i < 2; ++i)
            if (answer.dest[i] != 0xFF && answer.dest[i] != wait.station[i]) return WL_ERR_ADDRESS;
        // A late answer to an earlier request (one that timed out) is not this answer:
        // it is skipped and the wait goes on.
        if (answer.seq != wait.seq) {
            if (last) return WL_ERR_NO_ANSWER;
            continue;
        }
        // An answer of another device family is not the answer to this request.
        if (answer.cls != wait.cls) return WL_ERR_MALFORMED;
        return answer.code;  // 0, or the device's status
    }
}

}  // namespace wirelink
