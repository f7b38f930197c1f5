// One request/answer exchange on an open port: frame, send, receive and check.
#pragma once

#include <cstdint>

#include "port.h"
#include "receiver.h"

namespace portlink {

// Sends the request block (unused, command, length, data) with `flags`. Sets the port's
// error code (0, or 261 / 263) and returns false on failure.
bool send_request(Port& port, uint8_t flags, const uint8_t* request);
// Receives one answer. On success or a device status, `flags` and `answer` (kAnswerBlock
// bytes, may be null) hold the answer. Sets the error code and returns false on failure.
bool receive_answer(Port& port, uint8_t* flags, uint8_t* answer);
// send_request + receive_answer.
bool exchange(Port& port, uint8_t flags_out, const uint8_t* request, uint8_t* flags_in, uint8_t* answer);

// The system and user runners: `flags_out` sent, answer flags must equal `flags_expected`.
// capacity (may be null): in, room in out; out, bytes copied.
bool run_command(Port& port, uint8_t flags_out, uint8_t flags_expected, uint8_t command, const uint8_t* data,
                 uint32_t count, uint8_t* out, uint32_t* capacity);

}  // namespace portlink
