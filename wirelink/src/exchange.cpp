#include "exchange.h"

#include <chrono>

#include "wirelink.h"

namespace wirelink {
namespace {

constexpr int kInterByteMs = 500;  // a pause this long inside a frame ends the wait

bool fail(Port &port, int32_t code) {
    port.error = code;
    return false;
}

// One frame off the line: 0 when a body was collected, else the error code.
int32_t read_frame(Port &port, int first_byte_ms, std::vector<uint8_t> &body) {
    using Clock = std::chrono::steady_clock;
    int b = read_byte(port, first_byte_ms);
    if (b < 0) return WL_ERR_NO_ANSWER;
    if (b != club::link::kFrameStart) return WL_ERR_MALFORMED;

    using Step = club::link::Unframer::Step;
    club::link::Unframer unframer(wireframe::kMaxBody);
    Step step = unframer.feed(uint8_t(b));
    // The whole frame must arrive within a bounded time even if a device trickles bytes.
    const auto deadline = Clock::now() + std::chrono::milliseconds(port.read_timeout_ms + 1000);
    while (step != Step::Complete) {
        if (Clock::now() > deadline) return WL_ERR_MALFORMED;
        b = read_byte(port, kInterByteMs);
        if (b < 0) return WL_ERR_MALFORMED;
        step = unframer.feed(uint8_t(b));
        if (step == Step::Overflow) return WL_ERR_TOO_LONG;
    }
    body = unframer.body();
    return 0;
}

bool receive(Port &port, const wireframe::Frame &request, wireframe::Frame &answer) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(port.read_timeout_ms);
    for (;;) {
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        std::vector<uint8_t> body;
        if (int32_t err = read_frame(port, left > 0 ? int(left) : 0, body)) return fail(port, err);

        switch (wireframe::parse(body, answer)) {
        case wireframe::ParseError::None: break;
        case wireframe::ParseError::Crc: return fail(port, WL_ERR_CRC);
        case wireframe::ParseError::Short:
        case wireframe::ParseError::Length: return fail(port, WL_ERR_MALFORMED);
        }
        if (!(answer.flags & wireframe::kFlagAnswer)) return fail(port, WL_ERR_MALFORMED);
        for (int i = 0; i < 2; ++i)
            if (answer.dest[i] != 0xFF && answer.dest[i] != port.base_address[i])
                return fail(port, WL_ERR_ADDRESS);
        // A late answer to an earlier request (one that timed out) is not this answer:
        // it is skipped and the wait goes on.
        if (answer.seq != request.seq) continue;
        // An answer of another device family is not the answer to this request.
        if (answer.cls != request.cls) return fail(port, WL_ERR_MALFORMED);
        if (answer.code != 0) return fail(port, answer.code);
        return true;
    }
}

}  // namespace

bool exchange(Port &port, wireframe::Frame request, wireframe::Frame &answer) {
    port.error = 0;
    request.seq = ++port.sequence;
    const std::vector<uint8_t> wire = wireframe::encode(request);
    port.line.purge();
    if (port.line.write(wire.data(), wire.size()) != wire.size()) return fail(port, WL_ERR_WRITE);
    return receive(port, request, answer);
}

}  // namespace wirelink
