// Control verbs of the race clock for the devsim line protocol.
#include <cstdio>
#include <stdexcept>

#include "common/hex.h"
#include "raceclock.h"

namespace devsim {
namespace {

// "2026-08-19T07:05:09.250" (UTC; milliseconds optional) into calendar fields.
club::CalendarFields parse_utc(const std::string &text) {
    club::CalendarFields f;
    char sep = 0;
    int n = std::sscanf(text.c_str(), "%d-%d-%d%c%d:%d:%d.%d", &f.year, &f.month, &f.day, &sep,
                        &f.hour, &f.minute, &f.second, &f.millisecond);
    double probe;
    if (n < 7 || (sep != 'T' && sep != ' ') || !club::fields_to_ole(f, probe))
        throw std::runtime_error("time must be yyyy-mm-ddThh:mm:ss[.mmm] (UTC), not '" + text + "'");
    if (n == 7) f.millisecond = 0;
    return f;
}

long number(const std::string &s) {
    size_t used = 0;
    const long v = std::stol(s, &used, 0);
    if (used != s.size()) throw std::runtime_error("not a number: '" + s + "'");
    return v;
}

std::vector<uint8_t> hex(const std::string &s) {
    std::vector<uint8_t> out(s.size() / 2 + 1);
    out.resize(club::hex_to_bin(s.c_str(), out.data(), out.size()));
    return out;
}

}  // namespace

bool RaceClock::control(const std::string &verb, const std::vector<std::string> &args,
                        std::string &reply) {
    auto need = [&](size_t n, const char *usage) {
        if (args.size() < n) throw std::runtime_error(std::string("usage: ") + usage);
    };
    if (verb == "identity") {
        need(1, "identity <system identity>");
        set_system_identity(args[0]);
    } else if (verb == "devno") {
        need(1, "devno <8 hex digits>");
        set_device_number(uint32_t(std::stoul(args[0], nullptr, 16)));
    } else if (verb == "deviation") {
        need(1, "deviation <seconds, clock ahead positive>");
        set_deviation_ms(int64_t(std::stod(args[0]) * 1000.0));
    } else if (verb == "arrive") {
        need(3, "arrive <ring 8 hex> <utc yyyy-mm-ddThh:mm:ss[.mmm] | now> <random> [uid 8 hex]");
        const std::string uid = args.size() > 3 ? args[3] : std::string();
        const uint8_t random = uint8_t(number(args[2]));
        std::string why;
        const bool ok = args[1] == "now" ? register_arrival_now(args[0], random, uid, &why)
                                         : register_arrival(args[0], parse_utc(args[1]), random, uid, &why);
        if (!ok) throw std::runtime_error(why);
    } else if (verb == "silent") {
        need(1, "silent on|off");
        set_silent(args[0] == "on");
    } else if (verb == "reader") {
        need(1, "reader <info as hex>");
        add_external_reader(hex(args[0]));
    } else if (verb == "log") {
        need(2, "log <type> <body as hex>");
        add_log(uint8_t(number(args[0])), hex(args[1]));
    } else if (verb == "corrupt") {
        need(1, "corrupt <record index>");
        if (!corrupt_record_mac(size_t(number(args[0])))) throw std::runtime_error("no such record");
    } else if (verb == "status") {
        const std::string race = current_race();
        const auto state = race.empty() ? std::nullopt : race_state(race);
        reply = "race=" + (race.empty() ? std::string("none") : race) +
                " state=" + std::to_string(state ? *state : 0) +
                " records=" + std::to_string(race.empty() ? 0 : record_count(race)) +
                " tags=" + std::to_string(tags().size());
    } else {
        return false;
    }
    return true;
}

}  // namespace devsim
