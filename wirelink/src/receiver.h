// The PC side of one answer: frames off the line until the answer to this request, checked
// in the link's order. Kept apart from the port so that it can be driven from any byte
// source (the fuzz target feeds it arbitrary bytes). Internal to wirelink.
#pragma once

#include <cstdint>

#include "wireframe.h"

namespace wirelink {

// One byte within `wait_ms`: 0-255, or -1 when none came in time or the read failed.
using ReadByte = int (*)(void *ctx, int wait_ms);

struct AnswerWait {
    int timeout_ms = 2000;              // for the answer's first byte
    uint8_t seq = 0;                    // the request's sequence number
    uint8_t cls = 0;                    // the request's class byte
    uint8_t station[2] = {0x00, 0x00};  // the PC's own address
};

// Returns 0 with `answer` filled, a device status 1-255 (with `answer` filled), or 259,
// 262, 263, 264 or 266. Never waits much longer than the time-out plus one frame, however
// the device talks.
int32_t receive_answer(ReadByte read, void *ctx, const AnswerWait &wait, wireframe::Frame &answer);

}  // namespace wirelink
