// The newer-generation hand scanner (wirelink, class 0x41): a record memory and three
// settings.
//
// Control verbs:
//   scanner scan HEX     stores a record (the bytes given, padded to 24)
//   scanner state        "records=N delay=D beep=B scan=S cleared=V"
//   identity XXXXXXXX    the system identity IFD_Connect must present (default "00000000")
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "club_identity.h"
#include "devsim/device.h"
#include "wirelink_device.h"

namespace devsim {

class HandScanner : public WirelinkDevice {
public:
    static constexpr uint8_t kClass = 0x41;
    static constexpr size_t kRecordSize = 24;

    std::vector<std::array<uint8_t, kRecordSize>> records;
    uint8_t shut_delay = 30, beep_mode = 1, scan_mode = 0;
    int64_t last_clear_value = -1;  // value of the last accepted clear

    ClubIdentity identity;

    bool control(const std::string& verb, const std::vector<std::string>& args, std::string& reply) override;

protected:
    void device_number(uint8_t out[4]) const override;
    bool knows_identity(const uint8_t sysid[8], uint8_t code[8]) const override { return identity.knows(sysid, code); }
    Answer family_command(uint8_t cls, uint8_t cmd, const Bytes& data) override;
};

}  // namespace devsim
