// An emulated device on a pseudo-terminal with a port opened on it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/hex.h"
#include "devsim/emulator.h"
#include "devsim/registry.h"
#include "portlink.h"

inline std::string hexs(const std::vector<uint8_t>& v) { return club::bin_to_hex(v.data(), v.size()); }
inline std::string hexs(const uint8_t* p, size_t n) { return club::bin_to_hex(p, n); }

struct DeviceOnLine : ::testing::Test {
    std::unique_ptr<devsim::Emulator> emu;
    uint32_t h = 0;

    // Short read constant: a silent device costs a quarter second, not two; still ample
    // for an emulator thread on a busy machine.
    void open_on(std::unique_ptr<devsim::Emulator> e, const char* settings = "timeout=250") {
        emu = std::move(e);
        h = IFD_OpenPort(emu->path().c_str(), settings);
        ASSERT_NE(h, 0u) << emu->path();
    }
    void SetUp() override { open_on(devsim::Emulator::start("echo")); }
    void TearDown() override {
        if (h) IFD_ClosePort(h);
    }
    void arm(devsim::Fault f, int arg = -1) { emu->arm({f, arg, 1}); }
    std::string last_request_hex() { return hexs(emu->last_request().raw); }
};

// Starts a test-local device on the portlink codec.
inline std::unique_ptr<devsim::Emulator> emulate(std::unique_ptr<devsim::Device> device) {
    return std::make_unique<devsim::Emulator>(std::move(device), devsim::Registry::instance().make_codec("portlink"));
}
