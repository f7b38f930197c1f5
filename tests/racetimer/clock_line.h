// A race clock (emulated, or scripted for byte-exact checks) on a pseudo-terminal, with
// a wirelink port opened on it the way the club program opens it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "common/des.h"
#include "devsim/emulator.h"
#include "devsim/registry.h"
#include "raceclock.h"
#include "wirelink.h"
#include "wirelink_device.h"

namespace testing_clock {

inline const char kClubKey[] = "41957302";
inline const char kSysId[] = "12300000";  // SysID "123" as the club pads it

// The identity code the club presents: DES of the identity under the club key.
inline void identity_code(const char *sysid, uint8_t code[8]) {
    club::des_encrypt(reinterpret_cast<const uint8_t *>(kClubKey),
                      reinterpret_cast<const uint8_t *>(sysid), code);
}

// A clock that answers every class command with what the test sets and keeps the
// requests, so tests can check request bytes and play short answers.
class ScriptedClock : public devsim::WirelinkDevice {
public:
    struct Seen {
        uint8_t cls, cmd;
        std::vector<uint8_t> data;
    };
    std::vector<Seen> seen;
    std::vector<std::vector<uint8_t>> answers;  // used in turn; the last one repeats
    size_t next = 0;

    const Seen &last() const { return seen.back(); }

protected:
    void device_number(uint8_t out[4]) const override {
        const uint8_t n[4] = {0x4C, 0x38, 0x00, 0x01};
        std::memcpy(out, n, 4);
    }
    bool knows_identity(const uint8_t sysid[8], uint8_t code[8]) const override {
        identity_code(reinterpret_cast<const char *>(sysid), code);
        return true;
    }
    devsim::Answer family_command(uint8_t cls, uint8_t cmd, const devsim::Bytes &data) override {
        seen.push_back({cls, cmd, data});
        devsim::Answer a;
        if (!answers.empty()) a.data = answers[std::min(next++, answers.size() - 1)];
        return a;
    }
};

struct ClockLine {
    std::unique_ptr<devsim::Emulator> emu;
    devsim::Device *device = nullptr;
    uint32_t port = 0;

    explicit ClockLine(std::unique_ptr<devsim::Device> dev, const char *settings = "baud=115200;timeout=2000") {
        device = dev.get();
        emu = std::make_unique<devsim::Emulator>(std::move(dev),
                                                 devsim::Registry::instance().make_codec("wirelink"));
        port = IFD_OpenPort(emu->path().c_str(), settings);
    }
    ~ClockLine() {
        if (port) IFD_ClosePort(port);
    }
    bool connect(const char *sysid = kSysId) {
        uint8_t code[8];
        identity_code(sysid, code);
        return IFD_Connect(port, reinterpret_cast<const uint8_t *>(sysid), code) != 0;
    }
    int32_t error() const { return IFD_GetErrCode(port); }
};

// Runs f on the scripted clock with the device thread held off.
template <class F>
auto with_script(ClockLine &line, F &&f) {
    return line.emu->with_device([&](devsim::Device &d, devsim::LinkState &) {
        return f(static_cast<ScriptedClock &>(d));
    });
}

// Sets TZ for the life of the object and restores it afterwards.
class ScopedTz {
public:
    explicit ScopedTz(const char *tz) {
        const char *old = std::getenv("TZ");
        had_ = old != nullptr;
        if (had_) old_ = old;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ScopedTz() {
        if (had_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool had_ = false;
    std::string old_;
};

}  // namespace testing_clock
