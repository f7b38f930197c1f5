// The port table: eight slots, handle = slot number, each owning one open port.
#pragma once

#include <cstdint>
#include <memory>

#include "common/des.h"
#include "serial_line.h"

namespace portlink {

constexpr int16_t kSuccess = -1;
constexpr int16_t kFailure = 0;
constexpr uint32_t kSlots = 8;

struct Port {
    SerialLine line;
    Timeouts timeouts;
    int32_t error = 0;
    uint8_t base[2] = {0x00, 0x00};     // this station's address
    uint8_t device[2] = {0xFF, 0xFF};   // the device frames go to
    uint8_t mark = 0x01;                // frame byte 5 of every request
    long baud = 57600;
    // Secure channel (drawn from the system's random source).
    uint8_t session[4] = {};
    uint8_t data_key[8] = {};
    uint8_t mac_key[8] = {};
    club::DesKeySchedule data_ks{};
    club::DesKeySchedule mac_ks{};

    Port();
    void draw_session_values();
};

// The open port named by a handle, or null (handle 0, above 8, empty slot, closed device).
Port* find_port(uint32_t handle);
// Puts a port into the lowest free slot; returns the handle, or 0 when all are taken.
uint32_t insert_port(std::unique_ptr<Port> port);
uint32_t lowest_free_slot();
void remove_port(uint32_t handle);

}  // namespace portlink
