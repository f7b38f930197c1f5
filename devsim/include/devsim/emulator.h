// One emulated device on a pseudo-terminal, answered by a thread of its own.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "devsim/device.h"

namespace devsim {

class Emulator {
public:
    // Opens a pseudo-terminal in raw mode and starts answering. With a non-empty
    // `link_path` a symbolic link to the slave is made there (replacing an older link).
    // Throws std::runtime_error when the terminal or the link cannot be made.
    Emulator(std::unique_ptr<Device> device, std::unique_ptr<LinkCodec> codec, const std::string& link_path = {});
    // Starts a registered device kind.
    static std::unique_ptr<Emulator> start(const std::string& kind, const std::string& link_path = {});
    ~Emulator();
    Emulator(const Emulator&) = delete;
    Emulator& operator=(const Emulator&) = delete;

    // The name a port opens: the link path when one was asked for, else the slave path.
    const std::string& path() const { return link_path_.empty() ? slave_path_ : link_path_; }
    const std::string& slave_path() const { return slave_path_; }

    void arm(const FaultSpec& fault);
    void clear_faults();

    // Requests handled so far (answered or deliberately not), and answers written. A request
    // counts once its answer is on the line, so the PC may hold the answer a moment before
    // the count moves: tests wait with wait_requests() instead of reading it at once.
    uint64_t requests() const;
    uint64_t answered() const;
    // Blocks until `requests()` reaches n or the time-out passes; true when reached.
    bool wait_requests(uint64_t n, int timeout_ms) const;
    // The last request as it came off the line, and the last bytes put on the line.
    Request last_request() const;
    Bytes last_written() const;

    // Runs f on the device with the device thread held off (for control verbs and tests).
    template <class F>
    auto with_device(F&& f) {
        std::lock_guard<std::mutex> lock(mutex_);
        return f(*device_, link_);
    }

private:
    void run();
    void answer(const Request& req);

    std::unique_ptr<Device> device_;
    std::unique_ptr<LinkCodec> codec_;
    LinkState link_;
    int master_ = -1, slave_ = -1, wake_ = -1;
    std::string slave_path_, link_path_;
    std::vector<FaultSpec> faults_;
    mutable std::mutex mutex_;
    mutable std::condition_variable cv_;
    uint64_t requests_ = 0, answered_ = 0;
    Request last_request_;
    Bytes last_written_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace devsim
