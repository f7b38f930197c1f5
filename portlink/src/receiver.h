// The PC side of one answer: read a frame byte by byte and check it, in the link's order.
// Kept apart from the port so that it can be driven from any byte source (the fuzz
// target feeds it arbitrary bytes).
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/linkframe.h"

namespace portlink {

// Room for an answer block: frame mark, status, length and 141 data bytes.
constexpr size_t kAnswerBlock = 3 + 141;

// Delivers the next byte from the line; false when none came in time or the read failed.
using NextByte = bool (*)(void* ctx, uint8_t& byte);

// Returns 0, a device status (1-255, with `flags` and `answer` filled), or 259, 262-266.
// `answer` (may be null) needs kAnswerBlock bytes; `flags` may be null.
int32_t receive_frame(NextByte next, void* ctx, const uint8_t base[2], const club::link::Keys& keys, uint8_t* flags,
                      uint8_t* answer);

}  // namespace portlink
