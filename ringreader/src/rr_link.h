// The one link between the ring reader exports and a link library. Each build of the
// library compiles exactly one implementation: link_portlink.cpp (version 5) or
// link_wirelink.cpp (version 6).
#pragma once

#include <cstddef>
#include <cstdint>

#include "rr_codec.h"

namespace rr {

extern const Gen kGen;

// Answer data of one exchange, already cut to what the link actually delivered.
struct Answer {
    uint8_t data[256] = {};
    size_t len = 0;
};

// Runs one command. False when the link or the reader reports a failure; the port's
// error code then holds the reason. The answer (may be null) is filled from whatever
// answer frame arrived, also on a failure status.
bool run(uint32_t port, const Command& cmd, Answer* answer);

void set_error(uint32_t port, uint32_t code);

}  // namespace rr
