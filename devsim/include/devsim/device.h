// What an emulated device is made of: a link codec that turns line bytes into requests and
// answers into line bytes, and a device that answers requests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/des.h"

namespace devsim {

using Bytes = std::vector<uint8_t>;

// One decoded request.
struct Request {
    uint8_t flags = 0;    // link flags as received
    uint8_t mark = 0;     // portlink: frame mark; wirelink codecs: class byte
    uint8_t command = 0;
    Bytes data;
    Bytes from;           // sender address as received (to answer to)
    Bytes raw;            // the frame as it came off the line, delimiters included
    bool link_error = false;  // protected frame whose MAC or blocks did not check out
};

// A device's answer to one request.
struct Answer {
    uint8_t status = 0;   // 0 = done, else the device's error code
    Bytes data;
    bool silent = false;  // the device does not answer at all
};

// Per-device link state shared by codec and device: the codec reads it to check and
// protect frames, system commands of the device change it.
struct LinkState {
    uint8_t address[2] = {0x00, 0x01};  // the device's own address on the line
    bool has_keys = false;               // data and MAC keys known (after a connect)
    uint8_t data_key[8] = {};
    uint8_t mac_key[8] = {};
    club::DesKeySchedule data_ks{};
    club::DesKeySchedule mac_ks{};

    void set_keys(const uint8_t data[8], const uint8_t mac[8]);
};

// Faults the emulator can put on an answer. Armed faults apply to the next answers.
enum class Fault {
    NoAnswer,      // say nothing
    Delay,         // answer after arg milliseconds
    BadCrc,        // last body byte wrong
    WrongAddress,  // receiver bytes = arg (default 0x0005)
    NoAnswerFlag,  // flag bit 1 cleared
    Oversized,     // more body bytes than a receiver stores
    BadMac,        // MAC that does not match (the frame is made authenticated if needed)
    Status,        // device status byte = arg
    Garbage,       // arg bytes (default 3) of noise before the frame
    CutOff,        // only the first half of the frame, then silence
};

struct FaultSpec {
    Fault kind;
    int arg = -1;    // -1 = the fault's default
    int count = 1;   // answers it applies to; -1 = until cleared
};

// Parses the control protocol's fault names ("badcrc", "delay", ...); false if unknown.
bool fault_from_name(const std::string& name, Fault& out);
const char* fault_name(Fault f);

// Device side of a link: framing, checks and protection.
class LinkCodec {
public:
    virtual ~LinkCodec() = default;
    // Feeds bytes from the line; appends each complete request addressed to this device.
    // Frames that fail the checks are dropped (a device does not answer noise), except
    // protected frames with a bad MAC, which come out with link_error set.
    virtual void feed(const uint8_t* p, size_t n, const LinkState& link, std::vector<Request>& out) = 0;
    // The bytes that carry `answer` to `request`, with the given faults applied
    // (NoAnswer and Delay are the emulator's business).
    virtual Bytes encode(const Request& request, const Answer& answer, const LinkState& link,
                         const std::vector<FaultSpec>& faults) = 0;
};

// The application of an emulated device.
class Device {
public:
    virtual ~Device() = default;
    virtual Answer handle(const Request& request, LinkState& link) = 0;
    // Device-specific control verbs of the control protocol. Return false when the verb is
    // unknown; otherwise fill `reply` (without the leading OK) or throw std::runtime_error.
    virtual bool control(const std::string& verb, const std::vector<std::string>& args, std::string& reply) {
        (void)verb, (void)args, (void)reply;
        return false;
    }
};

}  // namespace devsim
