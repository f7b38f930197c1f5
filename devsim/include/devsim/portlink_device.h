// Base of the older device generation (portlink): the link's own system commands, with
// user commands left to the concrete device.
//
// System commands (flag bit 0 clear):
//   0 [00]            -> [state]
//   0 [01]            -> device number (4 bytes)
//   0 [02, number 4]  -> address (2 bytes); status 0x13 for another device's number
//   1 [02, address 2, number 4] -> sets the address; status 0x13 for another number
//   2 [key no, 24-byte device key] -> stores the device key under that number
//   4 [access code 8] -> in-system programming mode (state 0x80); 0x11 for a wrong code
//   5 [80 00 00 00, session id 4] -> [session answer 4, challenge 4]
//   6 [key no, C1 8, C2 8] -> recovers data and MAC keys with the device key
// Device status codes used by the emulators:
//   0x10 unknown command, 0x11 bad request data, 0x12 security (no key, no session,
//   or a protected frame that did not check out), 0x13 addressed to another device.
#pragma once

#include <array>
#include <map>

#include "devsim/device.h"

namespace devsim {

enum : uint8_t {
    kStatusUnknownCommand = 0x10,
    kStatusBadData = 0x11,
    kStatusSecurity = 0x12,
    kStatusOtherDevice = 0x13,
};

class PortlinkDevice : public Device {
public:
    explicit PortlinkDevice(uint32_t device_number = 0x12345678);
    Answer handle(const Request& request, LinkState& link) final;
    bool control(const std::string& verb, const std::vector<std::string>& args, std::string& reply) override;

    uint32_t device_number() const { return number_; }
    uint8_t state() const { return state_; }
    bool has_device_key(uint8_t key_no) const { return device_keys_.count(key_no) != 0; }

protected:
    // Application commands (flag bit 0 set). `secured` tells whether the request came in a
    // protected frame that checked out.
    virtual Answer user_command(const Request& request, bool secured, LinkState& link) = 0;
    // Set when a device should refuse plain user commands.
    bool require_protection_ = false;

private:
    Answer system_command(const Request& request, LinkState& link);
    uint32_t number_;
    uint8_t state_ = 0;
    std::map<uint8_t, std::array<uint8_t, 24>> device_keys_;
    bool have_session_ = false;
    uint8_t session_x_[8] = {};  // session id | challenge of the last command 5
};

}  // namespace devsim
