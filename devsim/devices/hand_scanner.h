// The newer-generation hand scanner (wirelink, class 0x41): a record memory and three
// settings.
//
// Control verbs:
//   scanner scan HEX     stores a record (the bytes given, padded to 24)
//   scanner state        "records=N delay=D beep=B scan=S cleared=V"
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "devsim/device.h"

namespace devsim {

class HandScanner : public Device {
public:
    static constexpr uint8_t kClass = 0x41;
    static constexpr size_t kRecordSize = 24;

    std::vector<std::array<uint8_t, kRecordSize>> records;
    uint8_t shut_delay = 30, beep_mode = 1, scan_mode = 0;
    int64_t last_clear_value = -1;  // value of the last accepted clear

    Answer handle(const Request& request, LinkState& link) override;
    bool control(const std::string& verb, const std::vector<std::string>& args, std::string& reply) override;
};

}  // namespace devsim
