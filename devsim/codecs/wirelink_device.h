// Base of every emulated newer-generation device (race clock, hand scanner, ring reader
// version 6): answers the link's own commands (class 0x00: device number and the connect
// exchange) and passes a device family's commands on only after the club has proved its
// system identity. docs/wirelink.md describes the exchange.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "devsim/device.h"

namespace devsim {

class WirelinkDevice : public Device {
public:
    Answer handle(const Request &request, LinkState &link) final;
    bool is_connected() const { return connected_; }
    // A silent device receives but never answers (a clock switched off mid-exchange).
    void set_silent(bool silent) { silent_ = silent; }
    bool is_silent() const { return silent_; }

protected:
    // The 4 device-number bytes, in the order IFD_GetDevNo shows them.
    virtual void device_number(uint8_t out[4]) const = 0;
    // True when the device was set up for this 8-byte system identity; `code` receives
    // the identity code it expects the club to hold.
    virtual bool knows_identity(const uint8_t sysid[8], uint8_t code[8]) const = 0;
    virtual void on_connected(const uint8_t sysid[8]) { (void)sysid; }
    // A command of a device family (class byte nonzero), after a successful connect.
    virtual Answer family_command(uint8_t cls, uint8_t cmd, const Bytes &data) = 0;
    // Forgets the connection (for example when the device's identity is changed).
    void drop_connection() { connected_ = challenged_ = false; }

private:
    Answer link_command(const Request &request);

    // Atomic: tests change the device's setup from their own thread between exchanges.
    std::atomic<bool> connected_{false};
    std::atomic<bool> silent_{false};
    std::atomic<bool> challenged_{false};
    uint8_t sysid_[8] = {};
    uint8_t challenge_[8] = {};
};

}  // namespace devsim
