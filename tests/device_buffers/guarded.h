// Shared pieces of the buffer tests: a device that answers every request with as much data
// as its link carries (or with none), and caller buffers of a documented size with guard
// bytes behind them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "devsim/device.h"
#include "devsim/emulator.h"
#include "devsim/registry.h"

namespace buffers {

// Answers anything, link commands included, with status 0 and `size` bytes of 0xEE.
class Flood : public devsim::Device {
public:
    explicit Flood(size_t size) : size_(size) {}
    devsim::Answer handle(const devsim::Request&, devsim::LinkState&) override {
        devsim::Answer a;
        a.data.assign(size_, 0xEE);
        return a;
    }

private:
    size_t size_;
};

constexpr uint8_t kGuard = 0xA5;
constexpr size_t kGuardBytes = 32;

// The caller's buffers for one call, each of the size the description gives, followed by
// guard bytes. Outputs, inputs or both can be made null pointers instead.
class Buffers {
public:
    Buffers(std::vector<size_t> sizes, bool null_outputs, bool null_inputs)
        : null_(null_outputs), null_in_(null_inputs) {
        for (size_t n : sizes) bufs_.push_back({std::vector<uint8_t>(n + kGuardBytes, kGuard), n});
    }
    uint8_t* p(size_t i) { return null_ ? nullptr : bufs_.at(i).bytes.data(); }
    char* c(size_t i) { return reinterpret_cast<char*>(p(i)); }
    template <class T>
    T* as(size_t i) {
        return reinterpret_cast<T*>(p(i));
    }
    // An input that may be null: given as is, or null.
    template <class T>
    const T* in(const T* v) const {
        return null_in_ ? nullptr : v;
    }
    bool null() const { return null_; }  // outputs are null
    // Index of the first buffer written past its size, or -1.
    int overrun() const {
        for (size_t i = 0; i < bufs_.size(); ++i)
            for (size_t k = bufs_[i].size; k < bufs_[i].bytes.size(); ++k)
                if (bufs_[i].bytes[k] != kGuard) return int(i);
        return -1;
    }

private:
    struct Buf {
        std::vector<uint8_t> bytes;
        size_t size;
    };
    std::vector<Buf> bufs_;
    bool null_, null_in_;
};

struct Case {
    const char* name;
    std::vector<size_t> sizes;  // output buffers, in the order the call uses them
    std::function<bool(uint32_t port, Buffers& b)> call;  // true on success
    // Ring formatting: a read-back that does not match (or a refused configuration) fails
    // without an error code of its own, as the description has it.
    bool quiet_failure = false;
};

struct Link {
    const char* codec;      // "portlink" or "wirelink"
    size_t most;            // the most data one answer carries
    uint32_t (*open)(const char*, const char*);
    int16_t (*close)(uint32_t);
    int32_t (*error)(uint32_t);
};

// Every case against a device that answers as much as the link carries and against one
// that answers nothing, with guarded buffers and with null pointers: no buffer is written
// past its size, nothing crashes, and a failure ends in 263 (too little or too much
// answer) or 268 (a request the link refuses).
inline void run_cases(const Link& link, const std::vector<Case>& cases) {
    for (size_t answer : {link.most, size_t(0)}) {
        devsim::Emulator emu(std::make_unique<Flood>(answer), devsim::Registry::instance().make_codec(link.codec));
        const uint32_t port = link.open(emu.path().c_str(), "baud=115200;timeout=500");
        ASSERT_NE(port, 0u);
        for (const Case& c : cases) {
            for (int nulls = 0; nulls < 3; ++nulls) {
                Buffers b(c.sizes, nulls == 1, nulls == 2);
                const bool ok = c.call(port, b);
                static const char* const kNulls[] = {"", " with null outputs", " with null inputs"};
                const std::string what =
                    std::string(c.name) + kNulls[nulls] + ", answer of " + std::to_string(answer) + " bytes";
                EXPECT_EQ(b.overrun(), -1) << what;
                const int32_t code = link.error(port);
                EXPECT_TRUE(ok || code == 263 || code == 268 || (c.quiet_failure && code == 0))
                    << what << ": error " << code;
            }
        }
        link.close(port);
    }
}

}  // namespace buffers
