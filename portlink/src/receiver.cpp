#include "receiver.h"

#include <cstring>

namespace portlink {

namespace lf = club::link;

int32_t receive_frame(NextByte next, void* ctx, const uint8_t base[2], const lf::Keys& keys, uint8_t* flags,
                      uint8_t* answer) {
    uint8_t b = 0;
    if (!next(ctx, b)) return lf::kErrNoAnswer;
    if (b != lf::kFrameStart) return lf::kErrMalformed;
    lf::Unframer unframer(lf::kMaxBody);
    unframer.feed(b);
    for (;;) {
        if (!next(ctx, b)) return lf::kErrMalformed;  // cut off inside the frame
        const auto step = unframer.feed(b);
        if (step == lf::Unframer::Step::Overflow) return lf::kErrTooLong;
        if (step == lf::Unframer::Step::Complete) break;
    }
    uint8_t body[lf::kMaxBody];
    const size_t len = unframer.body().size();
    std::memcpy(body, unframer.body().data(), len);
    lf::Expect expect;
    std::memcpy(expect.station, base, 2);
    expect.answer = true;
    lf::Parsed parsed;
    if (const int32_t err = lf::check_body(body, len, expect, keys, parsed); err != lf::kOk) return err;
    if (flags) *flags = parsed.header.flags;
    if (answer) {
        answer[0] = parsed.header.mark;
        answer[1] = parsed.header.code;
        answer[2] = parsed.length;
        std::memcpy(answer + 3, parsed.data, parsed.length);  // at most 141: the body is at most 150
    }
    return parsed.header.code;  // 0, or the device's status
}

}  // namespace portlink
