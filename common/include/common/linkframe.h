// The serial frame of the device link, for both ends of the line.
//
// Used by portlink (PC side), by the device emulators (device side) and, with its own
// header layout, by wirelink. Three layers, each usable on its own:
//
// 1. Framing. A frame is 1A, the escaped body, 17. Inside the body every 17, 1A or 1B is
//    sent as 1B followed by the byte with its top bit set (97, 9A, 9B). A receiver turns
//    1B b into b & 7F; only 17 ends a frame, so a bare 1A inside a body is data.
//
// 2. Protection of a region of the body (from `region_start` to the end of the data):
//    - pad: if its length is not a multiple of 8, append 80 and then 00 up to the next
//      multiple of 8; otherwise append nothing;
//    - MAC (flag 0x80): DES CBC-MAC with a zero IV over the padded plain region, first
//      4 bytes of the final block, appended after the region;
//    - encryption (flag 0x40): each 8-byte block DES-encrypted on its own (ECB) with the
//      data key, after the MAC was computed;
//    - CRC-8 (see crc.h) over the whole body so far, appended as the last body byte.
//    A receiver checks the CRC (the CRC over body+CRC is 0), decrypts, then checks the MAC.
//
// 3. The portlink body (offsets before escaping):
//      0-1 sender address, 2-3 receiver address (FF FF = any), 4 flags, 5 frame mark,
//      6 command (request) or status (answer), 7 data length N (0..137), 8.. N data,
//      then padding and MAC in protected frames, then the CRC-8.
//    Flags: 01 user command, 02 answer, 40 encrypted, 80 authenticated; other bits are
//    carried unchanged. The protected region starts at offset 5 (mark, code, N, data).
//    At most 150 body bytes are stored by a receiver.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/des.h"

namespace club::link {

constexpr uint8_t kFrameStart = 0x1A;
constexpr uint8_t kFrameEnd = 0x17;
constexpr uint8_t kEscape = 0x1B;

constexpr size_t kMaxBody = 150;      // stored body bytes a receiver accepts
constexpr size_t kMaxData = 137;      // data bytes a request carries
constexpr size_t kRegionStart = 5;    // protected region of the portlink body
constexpr size_t kMinBody = 9;        // header + CRC

enum : uint8_t {
    kFlagUser = 0x01,
    kFlagAnswer = 0x02,
    kFlagEncrypted = 0x40,
    kFlagAuthenticated = 0x80,
};

// Error codes of the link, shared by every port-level operation.
enum : int32_t {
    kOk = 0,
    kErrOpen = 257,        // serial device cannot be opened
    kErrSettings = 258,    // line settings or time-outs cannot be applied
    kErrNoAnswer = 259,    // first byte not in time, or a read failed
    kErrBadHandle = 260,   // handle names no open port
    kErrWrite = 261,       // write failed or incomplete
    kErrTooLong = 262,     // more than kMaxBody body bytes
    kErrMalformed = 263,   // malformed or unexpected answer, or too little data
    kErrAddress = 264,     // answer addressed to another station
    kErrMac = 265,         // protected region not whole blocks, or MAC mismatch
    kErrCrc = 266,         // CRC error
};

// Expanded keys of one secure session. Either pointer may be null when the frame does not
// need that key; a protected frame without its key fails (build: nothing protected is
// produced; check: kErrMac).
struct Keys {
    const DesKeySchedule* data = nullptr;
    const DesKeySchedule* mac = nullptr;
};

// ---- layer 1: framing -------------------------------------------------------------

// Appends 1A, the escaped body and 17 to `wire`.
void wrap(const uint8_t* body, size_t len, std::vector<uint8_t>& wire);

// Collects one body from line bytes, one byte at a time.
class Unframer {
public:
    enum class Step {
        Outside,   // byte seen before a frame start (not 1A); ignored by the unframer
        Started,   // the 1A that opened a frame
        Stored,    // a byte inside the frame (data or an escape); nothing to do yet
        Complete,  // the closing 17: body() holds the frame
        Overflow,  // a byte beyond max_body would have been stored; the frame is dropped
    };

    explicit Unframer(size_t max_body = kMaxBody);
    Step feed(uint8_t byte);
    void reset();
    bool inside() const { return state_ != State::Idle; }
    const std::vector<uint8_t>& body() const { return body_; }

private:
    enum class State { Idle, Body, Escaped };
    State state_ = State::Idle;
    size_t max_;
    std::vector<uint8_t> body_;
};

// ---- layer 2: protection ----------------------------------------------------------

// Pads body[region_start..] to whole 8-byte blocks (80 then 00s, or nothing).
void pad_region(std::vector<uint8_t>& body, size_t region_start);
// CBC-MAC, zero IV; len must be a multiple of 8; writes the first 4 bytes of the result.
void cbc_mac(const DesKeySchedule& key, const uint8_t* region, size_t len, uint8_t mac[4]);
void ecb_encrypt(const DesKeySchedule& key, uint8_t* region, size_t len);
void ecb_decrypt(const DesKeySchedule& key, uint8_t* region, size_t len);

// Finishes a body whose header and data are in place: pads, MACs and encrypts the region
// from region_start as `flags` ask, then appends the CRC-8. False when a needed key is
// missing (the body is then left unfinished).
bool seal(std::vector<uint8_t>& body, size_t region_start, uint8_t flags, const Keys& keys);

// Undoes seal() on a received body of `len` bytes (CRC included, already checked):
// decrypts the region in place and checks the MAC. `region_len` receives the region's
// length. Returns kOk or kErrMac.
int32_t unseal(uint8_t* body, size_t len, size_t region_start, uint8_t flags, const Keys& keys, size_t& region_len);

// ---- layer 3: the portlink body ---------------------------------------------------

struct Header {
    uint8_t from[2] = {0x00, 0x00};
    uint8_t to[2] = {0xFF, 0xFF};
    uint8_t flags = 0;
    uint8_t mark = 0x01;
    uint8_t code = 0;  // command in a request, status in an answer
};

// A complete body (header, N = min(n, max_data) data bytes, protection, CRC). Requests
// carry at most kMaxData bytes; a device may answer up to 255 (a receiver keeps 150 body
// bytes, so 141 in a plain answer). Returns an empty vector when a protected frame lacks
// its key.
std::vector<uint8_t> build_body(const Header& h, const uint8_t* data, size_t n, const Keys& keys,
                                size_t max_data = kMaxData);

// build_body() wrapped into a frame.
std::vector<uint8_t> build_frame(const Header& h, const uint8_t* data, size_t n, const Keys& keys,
                                 size_t max_data = kMaxData);

struct Parsed {
    Header header;
    uint8_t length = 0;          // data length byte as sent
    const uint8_t* data = nullptr;  // points into the checked body
};

// What the checking side expects of a received body.
struct Expect {
    uint8_t station[2] = {0x00, 0x00};  // own address: the receiver bytes must be FF or equal
    bool answer = true;                 // PC side: flag 0x02 must be set
};

// Checks a received body in the link's order: fewer than 9 bytes 263, CRC 266, missing
// answer flag 263, address 264, protected region 265; then a length byte that claims more
// data than the body holds gives 263. Decrypts the body in place. On kOk `out` points
// into `body`. The device status is not judged here.
int32_t check_body(uint8_t* body, size_t len, const Expect& expect, const Keys& keys, Parsed& out);

}  // namespace club::link
