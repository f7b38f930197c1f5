#include "devsim/control.h"

#include <climits>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "devsim/registry.h"

namespace devsim {
namespace {

std::vector<std::string> split(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

int to_int(const std::string& s) {
    size_t used = 0;
    const long v = std::stol(s, &used, 0);  // decimal, 0x.. hexadecimal
    if (used != s.size() || v < INT_MIN || v > INT_MAX) throw std::invalid_argument("not a number: " + s);
    return static_cast<int>(v);
}

// The largest argument each fault takes: larger ones are typing errors that would make the
// emulator allocate or wait without end.
long max_fault_arg(Fault f) {
    switch (f) {
    case Fault::Delay: return 600000;  // ms
    case Fault::WrongAddress: return 0xFFFF;
    case Fault::Status: return 0xFF;
    case Fault::Garbage: return 4096;  // bytes
    default: return 0xFFFF;            // not used by the fault
    }
}

}  // namespace

int Controller::start(const std::string& kind, const std::string& link_path) {
    auto emu = Emulator::start(kind, link_path);
    const int id = next_id_++;
    emulators_[id] = std::move(emu);
    current_ = id;
    return id;
}

Emulator* Controller::find(int id) {
    const auto it = emulators_.find(id);
    return it == emulators_.end() ? nullptr : it->second.get();
}

std::string Controller::execute(const std::string& line, bool& quit) {
    auto words = split(line);
    if (words.empty()) return "ERR empty command";
    int id = current_;
    try {
        if (words[0].size() > 1 && words[0][0] == '@') {
            id = to_int(words[0].substr(1));
            words.erase(words.begin());
            if (words.empty()) return "ERR command missing after device id";
        }
        const std::string verb = words[0];
        const std::vector<std::string> args(words.begin() + 1, words.end());

        if (verb == "quit") {
            quit = true;
            return "OK bye";
        }
        if (verb == "kinds") {
            std::string out = "OK";
            for (const auto& k : Registry::instance().devices()) out += " " + k.name;
            return out;
        }
        if (verb == "start") {
            if (args.empty()) return "ERR usage: start <kind> [link-path]";
            const int nid = start(args[0], args.size() > 1 ? args[1] : std::string());
            return "OK " + std::to_string(nid) + " " + find(nid)->path();
        }
        Emulator* emu = find(id);
        if (!emu) return "ERR no device " + std::to_string(id);
        if (verb == "stop") {
            emulators_.erase(id);
            if (current_ == id) current_ = emulators_.empty() ? 0 : emulators_.rbegin()->first;
            return "OK";
        }
        if (verb == "path") return "OK " + emu->path();
        if (verb == "stats")
            return "OK requests=" + std::to_string(emu->requests()) + " answers=" + std::to_string(emu->answered());
        if (verb == "fault") {
            if (args.empty()) return "ERR usage: fault <name> [arg] [count] | fault clear";
            if (args[0] == "clear") {
                emu->clear_faults();
                return "OK";
            }
            FaultSpec wanted{Fault::NoAnswer};
            if (!fault_from_name(args[0], wanted.kind)) return "ERR unknown fault '" + args[0] + "'";
            if (args.size() > 1) wanted.arg = to_int(args[1]);
            if (args.size() > 2) wanted.count = to_int(args[2]);
            if (wanted.count == 0 || wanted.count < -1) return "ERR count must be positive, or -1 for until cleared";
            if (args.size() > 1 && (wanted.arg < 0 || wanted.arg > max_fault_arg(wanted.kind)))
                return "ERR " + args[0] + ": argument from 0 to " + std::to_string(max_fault_arg(wanted.kind));
            emu->arm(wanted);
            return "OK";
        }
        std::string reply;
        const bool known = emu->with_device([&](Device& d, LinkState&) { return d.control(verb, args, reply); });
        if (!known) return "ERR unknown command '" + verb + "'";
        return reply.empty() ? "OK" : "OK " + reply;
    } catch (const std::exception& e) {
        return std::string("ERR ") + e.what();
    }
}

}  // namespace devsim
