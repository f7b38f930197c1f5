// The process-wide table of open ports (handles 1 to 8). Internal to wirelink.
#pragma once

#include <cstdint>

#include "serial_line.h"  // portlink's serial line, shared

namespace wirelink {

struct Port {
    portlink::SerialLine line;
    int32_t error = 0;
    int read_timeout_ms = 2000;  // wait for the first answer byte
    uint8_t sequence = 0;        // number of the last request sent
    uint8_t base_address[2] = {0x00, 0x00};
    uint8_t device_address[2] = {0xFF, 0xFF};
};

constexpr uint32_t kSlots = 8;

// The open port named by the handle, or null.
Port *find_port(uint32_t handle);

// One byte within `wait_ms`: 0-255, or -1 on time-out or failure.
int read_byte(Port &port, int wait_ms);

}  // namespace wirelink
