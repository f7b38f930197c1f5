// Any bytes from the line into the emulated older-generation device (portlink codec and
// echo device): the emulator must neither crash nor overrun, whatever the PC sends, and
// each answer it builds must be a frame the PC side can take apart.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "common/linkframe.h"
#include "devsim/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    auto& reg = devsim::Registry::instance();
    auto codec = reg.make_codec("portlink");
    auto device = reg.find_device("echo")->make();
    devsim::LinkState link;
    if (data[0] & 1) {
        const uint8_t k1[8] = {1, 2, 3, 4, 5, 6, 7, 8}, k2[8] = {8, 7, 6, 5, 4, 3, 2, 1};
        link.set_keys(k1, k2);
    }
    std::vector<devsim::FaultSpec> faults;
    if (data[0] & 2) faults.push_back({devsim::Fault(data[1] % 10), data[1], 1});
    std::vector<devsim::Request> requests;
    codec->feed(data + 2, size - 2, link, requests);
    for (const auto& req : requests) {
        const auto answer = device->handle(req, link);
        const auto wire = codec->encode(req, answer, link, faults);
        if (faults.empty() && !wire.empty()) {
            club::link::Unframer u;
            bool complete = false;
            for (uint8_t b : wire) complete = u.feed(b) == club::link::Unframer::Step::Complete;
            if (!complete) std::abort();
        }
    }
    return 0;
}
