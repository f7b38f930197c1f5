#include "serial_port.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace wirelink {
namespace {

bool speed_for(long baud, speed_t &out) {
    static const struct { long baud; speed_t speed; } table[] = {
        {1200, B1200},     {2400, B2400},     {4800, B4800},     {9600, B9600},
        {19200, B19200},   {38400, B38400},   {57600, B57600},   {115200, B115200},
        {230400, B230400}, {460800, B460800}, {921600, B921600},
    };
    for (const auto &e : table)
        if (e.baud == baud) {
            out = e.speed;
            return true;
        }
    return false;
}

}  // namespace

std::string device_path(const char *name) {
    if (!name) return {};
    if (std::strncmp(name, "COM", 3) == 0 && name[3]) {
        char *end = nullptr;
        long n = std::strtol(name + 3, &end, 10);
        if (*end == 0 && n >= 1) return "/dev/ttyS" + std::to_string(n - 1);
    }
    return name;
}

SerialPort::~SerialPort() { close(); }

SerialPort::OpenResult SerialPort::open(const std::string &path, long baud) {
    close();
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return OpenResult::CannotOpen;
    struct termios tio;
    speed_t speed;
    if (!isatty(fd) || tcgetattr(fd, &tio) != 0 || !speed_for(baud, speed)) {
        ::close(fd);
        return OpenResult::BadSettings;
    }
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS | CSIZE);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0 ||
        tcsetattr(fd, TCSANOW, &tio) != 0) {
        ::close(fd);
        return OpenResult::BadSettings;
    }
    fd_ = fd;
    have_ = next_ = 0;
    return OpenResult::Ok;
}

void SerialPort::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    have_ = next_ = 0;
}

void SerialPort::purge() {
    if (fd_ < 0) return;
    tcflush(fd_, TCIOFLUSH);
    // A pseudo-terminal may still hold bytes the flush did not reach: drain them too.
    uint8_t scratch[256];
    while (::read(fd_, scratch, sizeof scratch) > 0) {
    }
    have_ = next_ = 0;
}

bool SerialPort::write_all(const uint8_t *bytes, size_t n, int timeout_ms) {
    if (fd_ < 0) return false;
    size_t done = 0;
    while (done < n) {
        ssize_t w = ::write(fd_, bytes + done, n - done);
        if (w > 0) {
            done += size_t(w);
            continue;
        }
        if (w < 0 && errno != EAGAIN && errno != EINTR) return false;
        struct pollfd p = {fd_, POLLOUT, 0};
        int r = poll(&p, 1, timeout_ms);
        if (r <= 0 || (p.revents & (POLLERR | POLLNVAL))) return false;
    }
    return true;
}

int SerialPort::read_byte(int timeout_ms) {
    if (fd_ < 0) return kFailed;
    while (next_ == have_) {
        ssize_t r = ::read(fd_, buffer_, sizeof buffer_);
        if (r > 0) {
            have_ = size_t(r);
            next_ = 0;
            break;
        }
        if (r < 0 && errno != EAGAIN && errno != EINTR && errno != EIO) return kFailed;
        struct pollfd p = {fd_, POLLIN, 0};
        int pr = poll(&p, 1, timeout_ms);
        if (pr == 0) return kTimeout;
        if (pr < 0) {
            if (errno == EINTR) continue;
            return kFailed;
        }
        if (p.revents & POLLNVAL) return kFailed;
        // POLLHUP on a pseudo-terminal whose other side is gone: nothing will come.
        if ((p.revents & (POLLHUP | POLLERR)) && !(p.revents & POLLIN)) return kTimeout;
    }
    return buffer_[next_++];
}

}  // namespace wirelink
