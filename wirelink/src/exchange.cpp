#include "exchange.h"

#include <chrono>

#include "wirelink.h"

namespace wirelink {
namespace {

constexpr int kInterByteMs = 500;  // a pause this long inside a frame ends the wait
constexpr int kWriteMs = 50;

bool fail(Port &port, int32_t code) {
    port.error = code;
    return false;
}

bool receive(Port &port, const wireframe::Frame &request, wireframe::Frame &answer) {
    using Clock = std::chrono::steady_clock;
    int b = port.line.read_byte(port.read_timeout_ms);
    if (b == SerialPort::kTimeout || b == SerialPort::kFailed) return fail(port, WL_ERR_NO_ANSWER);
    if (b != club::link::kFrameStart) return fail(port, WL_ERR_MALFORMED);

    using Step = club::link::Unframer::Step;
    club::link::Unframer unframer(wireframe::kMaxBody);
    Step step = unframer.feed(uint8_t(b));
    // The whole frame must arrive within a bounded time even if a device trickles bytes.
    const auto deadline = Clock::now() + std::chrono::milliseconds(port.read_timeout_ms + 1000);
    while (step != Step::Complete) {
        if (Clock::now() > deadline) return fail(port, WL_ERR_MALFORMED);
        b = port.line.read_byte(kInterByteMs);
        if (b < 0) return fail(port, WL_ERR_MALFORMED);
        step = unframer.feed(uint8_t(b));
        if (step == Step::Overflow) return fail(port, WL_ERR_TOO_LONG);
    }

    switch (wireframe::parse(unframer.body(), answer)) {
    case wireframe::ParseError::None: break;
    case wireframe::ParseError::Crc: return fail(port, WL_ERR_CRC);
    case wireframe::ParseError::Short:
    case wireframe::ParseError::Length: return fail(port, WL_ERR_MALFORMED);
    }
    if (!(answer.flags & wireframe::kFlagAnswer)) return fail(port, WL_ERR_MALFORMED);
    for (int i = 0; i < 2; ++i)
        if (answer.dest[i] != 0xFF && answer.dest[i] != port.base_address[i])
            return fail(port, WL_ERR_ADDRESS);
    // An answer of another device family is not the answer to this request.
    if (answer.cls != request.cls) return fail(port, WL_ERR_MALFORMED);
    if (answer.code != 0) return fail(port, answer.code);
    return true;
}

}  // namespace

bool exchange(Port &port, const wireframe::Frame &request, wireframe::Frame &answer) {
    port.error = 0;
    const std::vector<uint8_t> wire = wireframe::encode(request);
    port.line.purge();
    if (!port.line.write_all(wire.data(), wire.size(), kWriteMs + 5 * int(wire.size())))
        return fail(port, WL_ERR_WRITE);
    return receive(port, request, answer);
}

}  // namespace wirelink
