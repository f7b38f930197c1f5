// The process-wide table of open ports (handles 1 to 8). Internal to wirelink.
#pragma once

#include <cstdint>

#include "serial_port.h"

namespace wirelink {

struct Port {
    SerialPort line;
    int32_t error = 0;
    int read_timeout_ms = 2000;  // wait for the first answer byte
    uint8_t sequence = 0;        // number of the last request sent
    uint8_t base_address[2] = {0x00, 0x00};
    uint8_t device_address[2] = {0xFF, 0xFF};
};

constexpr uint32_t kSlots = 8;

// The open port named by the handle, or null.
Port *find_port(uint32_t handle);

struct LinkSettings {
    long baud = 57600;
    int timeout_ms = 2000;
};
// "baud=...;timeout=..." items, letter case ignored, others skipped; null = defaults.
void parse_settings(const char *text, LinkSettings &settings);

}  // namespace wirelink
