#include "devsim/registry.h"

#include <cstring>

void devsim_register_all(devsim::Registry& reg);  // generated from devices/ and codecs/

namespace devsim {

void LinkState::set_keys(const uint8_t data[8], const uint8_t mac[8]) {
    std::memcpy(data_key, data, 8);
    std::memcpy(mac_key, mac, 8);
    club::des_set_key(data_ks, data_key);
    club::des_set_key(mac_ks, mac_key);
    has_keys = true;
}

namespace {
struct FaultNameEntry {
    Fault fault;
    const char* name;
};
const FaultNameEntry kFaultNames[] = {
    {Fault::NoAnswer, "silent"},   {Fault::Delay, "delay"},          {Fault::BadCrc, "badcrc"},
    {Fault::WrongAddress, "wrongaddr"}, {Fault::NoAnswerFlag, "noflag"}, {Fault::Oversized, "oversized"},
    {Fault::BadMac, "badmac"},     {Fault::Status, "status"},        {Fault::Garbage, "garbage"},
    {Fault::CutOff, "cutoff"},
};
}  // namespace

bool fault_from_name(const std::string& name, Fault& out) {
    for (const auto& e : kFaultNames)
        if (name == e.name) {
            out = e.fault;
            return true;
        }
    return false;
}

const char* fault_name(Fault f) {
    for (const auto& e : kFaultNames)
        if (e.fault == f) return e.name;
    return "?";
}

Registry& Registry::instance() {
    static Registry* reg = [] {
        auto* r = new Registry;
        devsim_register_all(*r);
        return r;
    }();
    return *reg;
}

void Registry::add_device(DeviceKind kind) { devices_.push_back(std::move(kind)); }

void Registry::add_codec(const std::string& name, std::function<std::unique_ptr<LinkCodec>()> make) {
    codecs_.emplace_back(name, std::move(make));
}

const DeviceKind* Registry::find_device(const std::string& name) const {
    for (const auto& d : devices_)
        if (d.name == name) return &d;
    return nullptr;
}

std::unique_ptr<LinkCodec> Registry::make_codec(const std::string& name) const {
    for (const auto& [n, make] : codecs_)
        if (n == name) return make();
    return nullptr;
}

}  // namespace devsim
