// The simplest older-generation device: the link's system commands plus one application
// command, 0x01, that answers its data unchanged. Plain and protected user commands are
// both accepted, so it serves the frame tests and the secure-channel tests alike.
#include "devsim/portlink_device.h"
#include "devsim/registry.h"

namespace devsim {
namespace {

class EchoDevice : public PortlinkDevice {
protected:
    Answer user_command(const Request& req, bool, LinkState&) override {
        Answer a;
        if (req.command == 0x01)
            a.data = req.data;
        else if (req.command == 0x02)  // answer of a requested length: [n] -> n bytes 0..n-1
            for (int i = 0; i < (req.data.empty() ? 0 : req.data[0]); ++i) a.data.push_back(uint8_t(i));
        else
            a.status = kStatusUnknownCommand;
        return a;
    }
};

}  // namespace
}  // namespace devsim

DEVSIM_DEVICE_FILE(echo) {
    reg.add_device({"echo", "portlink", "older-generation device: link system commands, user command 01 echoes",
                    [] { return std::make_unique<devsim::EchoDevice>(); }});
}
