// The older-generation training clock on portlink framing: site data, phone numbers, its
// time, training flights with their tags, arrival records, logs and card races.
//
// Control verbs:
//   clock arrive TRAIN TAG [BCDTIME]  records an arrival (tag: 12 hex digits, time: 12 BCD
//                                     digits yymmddhhnnss, default the clock's time)
//   clock card HEX                    the card in the reader (up to 16 bytes)
//   clock log TYPE HEX                appends a log entry with that data
//   clock state                       "trains=N records=N current=T"
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "devsim/portlink_device.h"

namespace devsim {

class TrainClock : public PortlinkDevice {
public:
    struct Train {
        uint8_t state = 0;  // 0 created, 1 confirmed, 2 flying
        std::vector<std::array<uint8_t, 8>> tags;
        std::array<uint8_t, 6> date{};
        uint32_t value = 0;
        std::array<uint8_t, 8> lola{};  // longitude, latitude as sent
    };
    struct Record {
        uint16_t train = 0;
        std::array<uint8_t, 45> bytes{};  // flags, tag (6), ..., BCD time at 17-22
    };
    struct Log {
        uint8_t type = 0;
        std::array<uint8_t, 6> date{};
        std::vector<uint8_t> data;
    };

    std::array<uint8_t, 33> site{};
    std::map<uint8_t, std::array<uint8_t, 16>> phones;
    std::array<uint8_t, 6> time{0x26, 0x01, 0x01, 0x08, 0x00, 0x00};
    std::map<uint16_t, Train> trains;
    uint16_t current = 0;
    std::vector<Record> records;
    std::vector<Log> logs;
    std::array<uint8_t, 16> card{};
    bool card_race = false;
    std::array<uint8_t, 9> card_race_start{};

    bool control(const std::string& verb, const std::vector<std::string>& args, std::string& reply) override;

protected:
    Answer user_command(const Request& request, bool secured, LinkState& link) override;
};

}  // namespace devsim
