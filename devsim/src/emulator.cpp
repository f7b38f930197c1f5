#include "devsim/emulator.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "devsim/registry.h"

namespace devsim {
namespace {

std::runtime_error sys_error(const std::string& what) { return std::runtime_error(what + ": " + std::strerror(errno)); }

// Writes everything, waiting for room; a reader that went away just loses the bytes.
void write_all(int fd, const uint8_t* p, size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w > 0) {
            p += w;
            n -= static_cast<size_t>(w);
        } else if (w < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd pfd{fd, POLLOUT, 0};
            if (::poll(&pfd, 1, 1000) <= 0) return;
        } else {
            return;
        }
    }
}

}  // namespace

std::unique_ptr<Emulator> Emulator::start(const std::string& kind, const std::string& link_path) {
    const auto& reg = Registry::instance();
    const DeviceKind* k = reg.find_device(kind);
    if (!k) throw std::runtime_error("unknown device kind '" + kind + "'");
    auto codec = reg.make_codec(k->codec);
    if (!codec) throw std::runtime_error("device '" + kind + "' needs the missing codec '" + k->codec + "'");
    return std::make_unique<Emulator>(k->make(), std::move(codec), link_path);
}

Emulator::Emulator(std::unique_ptr<Device> device, std::unique_ptr<LinkCodec> codec, const std::string& link_path)
    : device_(std::move(device)), codec_(std::move(codec)) {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) throw sys_error("openpty");
    slave_path_ = name;
    // Raw from the start, so nothing is echoed or translated before a port opens it. The
    // slave stays open here: the master then never reads EIO between two port opens.
    termios tio{};
    ::tcgetattr(slave_, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(slave_, TCSANOW, &tio);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    wake_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake_ < 0) {
        const auto err = sys_error("eventfd");
        ::close(master_);
        ::close(slave_);
        throw err;
    }
    if (!link_path.empty()) {
        struct stat st{};
        if (::lstat(link_path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) ::unlink(link_path.c_str());
        if (::symlink(slave_path_.c_str(), link_path.c_str()) != 0) {
            const auto err = sys_error("cannot link " + link_path);
            ::close(master_);
            ::close(slave_);
            ::close(wake_);
            throw err;
        }
        link_path_ = link_path;
    }
    thread_ = std::thread([this] { run(); });
}

Emulator::~Emulator() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t w = ::write(wake_, &one, sizeof one);
    cv_.notify_all();
    if (thread_.joinable()) thread_.join();
    if (!link_path_.empty()) {
        struct stat st{};
        if (::lstat(link_path_.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) ::unlink(link_path_.c_str());
    }
    ::close(master_);
    ::close(slave_);
    ::close(wake_);
}

void Emulator::arm(const FaultSpec& fault) {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.push_back(fault);
}

void Emulator::clear_faults() {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.clear();
}

uint64_t Emulator::requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

uint64_t Emulator::answered() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return answered_;
}

bool Emulator::wait_requests(uint64_t n, int timeout_ms) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return cv_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return requests_ >= n; });
}

Request Emulator::last_request() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return last_request_;
}

Bytes Emulator::last_written() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return last_written_;
}

void Emulator::run() {
    uint8_t buf[512];
    std::vector<Request> requests;
    for (;;) {
        pollfd pfd[2] = {{master_, POLLIN, 0}, {wake_, POLLIN, 0}};
        const int r = ::poll(pfd, 2, -1);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0 || (pfd[1].revents & POLLIN)) return;
        if (pfd[0].revents & (POLLERR | POLLNVAL)) return;
        if (!(pfd[0].revents & (POLLIN | POLLHUP))) continue;
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0) {
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            // EIO: no slave open at all; cannot happen while we hold it, but do not spin.
            pollfd w{wake_, POLLIN, 0};
            if (::poll(&w, 1, 10) > 0) return;
            continue;
        }
        requests.clear();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            codec_->feed(buf, static_cast<size_t>(n), link_, requests);
        }
        for (const auto& req : requests) answer(req);
    }
}

void Emulator::answer(const Request& req) {
    std::vector<FaultSpec> faults;
    Bytes out;
    bool silent = false;
    int delay_ms = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        last_request_ = req;
        const Answer ans = device_->handle(req, link_);
        // Faults apply to one answer each (or until cleared).
        for (auto it = faults_.begin(); it != faults_.end();) {
            faults.push_back(*it);
            if (it->count > 0 && --it->count == 0)
                it = faults_.erase(it);
            else
                ++it;
        }
        for (const auto& f : faults) {
            if (f.kind == Fault::NoAnswer) silent = true;
            if (f.kind == Fault::Delay) delay_ms = f.arg < 0 ? 100 : f.arg;
        }
        silent = silent || ans.silent;
        if (!silent) out = codec_->encode(req, ans, link_, faults);
    }
    if (delay_ms > 0) {
        // Waits on the wake-up descriptor so that stopping the emulator is not held up.
        pollfd w{wake_, POLLIN, 0};
        if (::poll(&w, 1, delay_ms) > 0) return;
    }
    if (!silent) write_all(master_, out.data(), out.size());
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!silent) {
            last_written_ = out;
            ++answered_;
        }
        ++requests_;
    }
    cv_.notify_all();
}

}  // namespace devsim
