// The wirelink frame: shared by the link library (PC side) and the device emulators.
//
// On the wire: 0x1A, escaped body, 0x17. Body: source address (2), destination
// address (2), flags (1), sequence number (1, echoed by the answer), class byte (1),
// command or status (1), data length (2, little-endian), data (0-52), CRC-8 (polynomial
// 0x1D, initial 0xFF) over everything before it. 0x17, 0x1A and 0x1B in the body go as 0x1B and the byte with its top bit
// set. docs/wirelink.md describes it in full.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/linkframe.h"

namespace wireframe {

constexpr uint8_t kFlagUser = 0x01;    // a device family's command (class byte nonzero)
constexpr uint8_t kFlagAnswer = 0x02;  // set in every answer

constexpr uint8_t kClassLink = 0x00;   // the link's own commands
constexpr uint8_t kCmdGetDevNo = 0x01;
constexpr uint8_t kCmdHello = 0x02;    // identity -> challenge
constexpr uint8_t kCmdProve = 0x03;    // DES(challenge, identity code) -> accepted or not

constexpr size_t kMaxData = 52;
constexpr size_t kHeaderSize = 10;
constexpr size_t kMaxBody = kHeaderSize + kMaxData + 1;

struct Frame {
    uint8_t source[2] = {0x00, 0x00};
    uint8_t dest[2] = {0xFF, 0xFF};
    uint8_t flags = 0;
    uint8_t seq = 0;   // the answer carries its request's number: late answers are known
    uint8_t cls = 0;
    uint8_t code = 0;  // command in a request, status in an answer
    std::vector<uint8_t> data;
};

// Body with CRC, escaped and delimited (the framing of the older link, shared with it):
// the bytes to write. Data beyond 52 bytes is cut.
std::vector<uint8_t> encode(const Frame &frame);

// Receivers collect a body with club::link::Unframer(kMaxBody) (common/linkframe.h).

enum class ParseError { None, Short, Crc, Length };

// Checks a complete body (CRC, length field against the bytes present) and splits it.
ParseError parse(const std::vector<uint8_t> &body, Frame &out);

}  // namespace wireframe
