#include "train_clock.h"

#include <sstream>
#include <stdexcept>

#include "common/hex.h"
#include "devsim/registry.h"

namespace devsim {

namespace {

enum : uint8_t { kNoSuchItem = 0x30, kWrongState = 0x31 };

Answer fail(uint8_t status) {
    Answer a;
    a.status = status;
    return a;
}

Answer ok(Bytes data = {}) {
    Answer a;
    a.data = std::move(data);
    return a;
}

uint16_t be16(const Bytes& d, size_t at) { return uint16_t(d[at] << 8 | d[at + 1]); }
void put16(Bytes& out, uint32_t v) {
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

// Number of data bytes each command needs.
size_t needed(uint8_t cmd) {
    switch (cmd) {
        case 0x00: case 0x06: case 0x20: return 1;
        case 0x01: return 33;
        case 0x05: return 17;
        case 0x07: return 6;
        case 0x0C: case 0x14: case 0x1A: return 4;
        case 0x0D: case 0x0F: case 0x10: case 0x12: case 0x13: case 0x23: return 2;
        case 0x0E: return 10;
        case 0x15: return 20;
        case 0x16: return 3;
        case 0x21: return 9;
        default: return 0;
    }
}

}  // namespace

Answer TrainClock::user_command(const Request& r, bool, LinkState&) {
    const Bytes& d = r.data;
    if (d.size() < needed(r.command)) return fail(kStatusBadData);
    switch (r.command) {
        case 0x00:  // clear: 1 records, 2 trains, anything else both
            if (d[0] != 2) records.clear();
            if (d[0] != 1) trains.clear(), current = 0;
            return ok();
        case 0x01: std::copy(d.begin(), d.begin() + 33, site.begin()); return ok();
        case 0x02: return ok(Bytes(site.begin(), site.end()));
        case 0x05: {
            std::array<uint8_t, 16> p{};
            std::copy(d.begin() + 1, d.begin() + 17, p.begin());
            phones[d[0]] = p;
            return ok();
        }
        case 0x06: {
            const auto it = phones.find(d[0]);
            if (it == phones.end()) return ok(Bytes(16, 0));
            return ok(Bytes(it->second.begin(), it->second.end()));
        }
        case 0x07: std::copy(d.begin(), d.begin() + 6, time.begin()); return ok();
        case 0x08: return ok(Bytes(time.begin(), time.end()));
        case 0x0C: {  // tag of a training: first = train, second = item
            const auto it = trains.find(be16(d, 0));
            const uint16_t item = be16(d, 2);
            if (it == trains.end() || item >= it->second.tags.size()) return fail(kNoSuchItem);
            Bytes out(it->second.tags[item].begin(), it->second.tags[item].end());
            out.push_back(it->second.state);
            return ok(out);
        }
        case 0x0D: trains[be16(d, 0)] = Train{}; return ok();
        case 0x0E: {
            const auto it = trains.find(be16(d, 0));
            if (it == trains.end()) return fail(kNoSuchItem);
            if (it->second.state != 0) return fail(kWrongState);
            std::array<uint8_t, 8> tag{};
            std::copy(d.begin() + 2, d.begin() + 10, tag.begin());
            it->second.tags.push_back(tag);
            Bytes out;
            put16(out, uint32_t(it->second.tags.size()));
            return ok(out);
        }
        case 0x0F: case 0x10: {
            const auto it = trains.find(be16(d, 0));
            if (it == trains.end()) return fail(kNoSuchItem);
            if (r.command == 0x0F) {
                it->second.state = 1;
            } else {
                if (current == it->first) current = 0;
                trains.erase(it);
            }
            return ok();
        }
        case 0x11: {
            Bytes out;
            put16(out, uint32_t(trains.size()));
            return ok(out);
        }
        case 0x12: {
            const uint16_t index = be16(d, 0);
            if (index >= trains.size()) return fail(kNoSuchItem);
            auto it = trains.begin();
            std::advance(it, index);
            Bytes out{it->second.state};
            put16(out, it->first);
            put16(out, uint32_t(it->second.tags.size()));
            return ok(out);
        }
        case 0x13: {
            const auto it = trains.find(be16(d, 0));
            if (it == trains.end()) return fail(kNoSuchItem);
            const Train& t = it->second;
            Bytes out(t.date.begin(), t.date.end());
            for (int i = 3; i >= 0; --i) out.push_back(uint8_t(t.value >> (8 * i)));
            out.insert(out.end(), t.lola.begin(), t.lola.end());
            return ok(out);
        }
        case 0x14: {  // record: first = train (0 = any), second = index among them
            const uint16_t train = be16(d, 0), index = be16(d, 2);
            uint16_t seen = 0;
            for (const auto& rec : records) {
                if (train != 0 && rec.train != train) continue;
                if (seen++ == index) return ok(Bytes(rec.bytes.begin(), rec.bytes.end()));
            }
            return fail(kNoSuchItem);
        }
        case 0x15: {
            const auto it = trains.find(be16(d, 0));
            if (it == trains.end()) return fail(kNoSuchItem);
            Train& t = it->second;
            std::copy(d.begin() + 2, d.begin() + 8, t.date.begin());
            t.value = uint32_t(d[8]) << 24 | uint32_t(d[9]) << 16 | uint32_t(d[10]) << 8 | d[11];
            std::copy(d.begin() + 12, d.begin() + 20, t.lola.begin());
            return ok();
        }
        case 0x16: {
            const auto it = trains.find(be16(d, 0));
            if (it == trains.end()) return fail(kNoSuchItem);
            if (it->second.state != 1) return fail(kWrongState);
            it->second.state = 2;
            current = it->first;
            return ok();
        }
        case 0x17:
            if (current == 0) return fail(kWrongState);
            trains[current].state = 1;
            current = 0;
            return ok();
        case 0x18: {
            Bytes out;
            put16(out, current);
            return ok(out);
        }
        case 0x19: {  // first and last log identifier
            Bytes out;
            const uint32_t last = uint32_t(logs.size());
            for (uint32_t v : {last ? 1u : 0u, last})
                for (int i = 3; i >= 0; --i) out.push_back(uint8_t(v >> (8 * i)));
            return ok(out);
        }
        case 0x1A: {
            const uint32_t id = uint32_t(d[0]) << 24 | uint32_t(d[1]) << 16 | uint32_t(d[2]) << 8 | d[3];
            if (id == 0 || id > logs.size()) return fail(kNoSuchItem);
            const Log& l = logs[id - 1];
            Bytes out{l.type};
            out.insert(out.end(), l.date.begin(), l.date.end());
            out.push_back(uint8_t(l.data.size()));
            out.insert(out.end(), l.data.begin(), l.data.end());
            return ok(out);
        }
        case 0x1B: return ok(Bytes(card.begin(), card.begin() + 10));
        case 0x20: return ok(Bytes(card.begin(), card.end()));
        case 0x21:
            std::copy(d.begin(), d.begin() + 9, card_race_start.begin());
            card_race = true;
            return ok();
        case 0x22:
            if (!card_race) return fail(kWrongState);
            card_race = false;
            return ok();
        case 0x23: {  // card-race record by index: number (2) and 20 bytes, or 00 00
            const uint16_t index = be16(d, 0);
            if (index >= records.size()) return ok(Bytes{0x00, 0x00});
            Bytes out;
            put16(out, uint32_t(index + 1));
            out.insert(out.end(), records[index].bytes.begin() + 1, records[index].bytes.begin() + 21);
            return ok(out);
        }
        default: return fail(kStatusUnknownCommand);
    }
}

bool TrainClock::control(const std::string& verb, const std::vector<std::string>& args, std::string& reply) {
    if (verb != "clock") return PortlinkDevice::control(verb, args, reply);
    if (args.empty()) throw std::runtime_error("clock: what?");
    if (args[0] == "arrive") {
        if (args.size() < 3) throw std::runtime_error("clock arrive TRAIN TAG [BCDTIME]");
        Record rec;
        rec.train = uint16_t(std::stoul(args[1]));
        rec.bytes[0] = 0x80;  // flags: arrival time present
        if (club::hex_to_bin(args[2].c_str(), &rec.bytes[1], 6) != 6) throw std::runtime_error("tag: 12 hex digits");
        std::array<uint8_t, 6> when = time;
        if (args.size() > 3 && club::hex_to_bin(args[3].c_str(), when.data(), 6) != 6)
            throw std::runtime_error("time: 12 BCD digits");
        std::copy(when.begin(), when.end(), rec.bytes.begin() + 17);
        records.push_back(rec);
    } else if (args[0] == "card") {
        if (args.size() < 2) throw std::runtime_error("clock card HEX");
        card.fill(0);
        club::hex_to_bin(args[1].c_str(), card.data(), card.size());
    } else if (args[0] == "log") {
        if (args.size() < 3) throw std::runtime_error("clock log TYPE HEX");
        Log l;
        l.type = uint8_t(std::stoul(args[1]));
        l.date = time;
        l.data.resize(args[2].size() / 2);
        l.data.resize(club::hex_to_bin(args[2].c_str(), l.data.data(), l.data.size()));
        logs.push_back(l);
    } else if (args[0] == "state") {
        std::ostringstream s;
        s << "trains=" << trains.size() << " records=" << records.size() << " current=" << current;
        reply = s.str();
    } else {
        throw std::runtime_error("clock: unknown '" + args[0] + "'");
    }
    return true;
}

}  // namespace devsim

DEVSIM_DEVICE_FILE(train_clock) {
    reg.add_device({"trainclock", "portlink", "training clock, older generation",
                    [] { return std::make_unique<devsim::TrainClock>(); }});
}
