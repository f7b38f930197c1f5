// Device kinds and link codecs known to the emulator.
//
// Every file devices/<stem>.cpp and codecs/<stem>.cpp is compiled into the devsim library
// and must define its registration function with the macros below; the build generates
// the list of calls. See docs/devsim.md.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "devsim/device.h"

namespace devsim {

struct DeviceKind {
    std::string name;   // as used by the control protocol: "echo", "racetimer", ...
    std::string codec;  // name of the link codec it speaks
    std::string help;   // one line: what it emulates
    std::function<std::unique_ptr<Device>()> make;
};

class Registry {
public:
    static Registry& instance();  // filled with every device and codec file on first use

    void add_device(DeviceKind kind);
    void add_codec(const std::string& name, std::function<std::unique_ptr<LinkCodec>()> make);

    const DeviceKind* find_device(const std::string& name) const;
    std::unique_ptr<LinkCodec> make_codec(const std::string& name) const;
    const std::vector<DeviceKind>& devices() const { return devices_; }

private:
    std::vector<DeviceKind> devices_;
    std::vector<std::pair<std::string, std::function<std::unique_ptr<LinkCodec>()>>> codecs_;
};

}  // namespace devsim

// In devices/<stem>.cpp:  DEVSIM_DEVICE_FILE(<stem>) { reg.add_device({...}); }
#define DEVSIM_DEVICE_FILE(stem) void devsim_register_device_##stem(::devsim::Registry& reg)
// In codecs/<stem>.cpp:   DEVSIM_CODEC_FILE(<stem>) { reg.add_codec("name", ...); }
#define DEVSIM_CODEC_FILE(stem) void devsim_register_codec_##stem(::devsim::Registry& reg)
