#include "serial_line.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace portlink {
namespace {

using Clock = std::chrono::steady_clock;

speed_t speed_of(long baud) {
    switch (baud) {
    case 50: return B50;
    case 75: return B75;
    case 110: return B110;
    case 134: return B134;
    case 150: return B150;
    case 200: return B200;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 1800: return B1800;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 500000: return B500000;
    case 576000: return B576000;
    case 921600: return B921600;
    case 1000000: return B1000000;
    case 1152000: return B1152000;
    case 1500000: return B1500000;
    case 2000000: return B2000000;
    case 2500000: return B2500000;
    case 3000000: return B3000000;
    case 3500000: return B3500000;
    case 4000000: return B4000000;
    default: return B0;
    }
}

int remaining_ms(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : left > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(left);
}

}  // namespace

std::string device_path(const char* name) {
    if ((name[0] == 'C' || name[0] == 'c') && (name[1] == 'O' || name[1] == 'o') && (name[2] == 'M' || name[2] == 'm')) {
        const char* p = name + 3;
        long n = 0;
        bool digits = *p != '\0';
        for (; *p; ++p) {
            if (!std::isdigit(static_cast<unsigned char>(*p)) || n > 1000000) {
                digits = false;
                break;
            }
            n = n * 10 + (*p - '0');
        }
        if (digits && n >= 1) return "/dev/ttyS" + std::to_string(n - 1);
    }
    return name;
}

SerialLine::~SerialLine() { close(); }

bool SerialLine::open(const std::string& path) {
    close();
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // Not shared: a second open of the same device by another port fails.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

bool SerialLine::configure(long baud) {
    termios tio{};
    if (fd_ < 0 || ::tcgetattr(fd_, &tio) != 0) return false;
    const speed_t speed = speed_of(baud);
    if (speed == B0) return false;
    const tcflag_t parity_check = tio.c_iflag & INPCK;  // left as the port had it
    // Binary: no translation, no echo, no signals, no XON/XOFF, no error-character
    // replacement, no null stripping.
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK);
    tio.c_iflag |= parity_check;
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    // 8 data bits, no parity, one stop bit, no hardware flow control, receiver on, modem
    // status lines not watched (DSR sensitivity and CTS/DSR output flow control off).
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0) return false;
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0) return false;
    // DTR and RTS on. Pseudo-terminals have no modem lines; that is no failure.
    int lines = TIOCM_DTR | TIOCM_RTS;
    (void)::ioctl(fd_, TIOCMBIS, &lines);
    return true;
}

bool SerialLine::set_timeouts(const Timeouts& t) {
    if (fd_ < 0) return false;
    t_ = t;
    return true;
}

void SerialLine::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    rx_.clear();
    rx_pos_ = 0;
}

void SerialLine::purge() {
    if (fd_ >= 0) (void)::tcflush(fd_, TCIOFLUSH);
    rx_.clear();
    rx_pos_ = 0;
}

// Waits up to wait_ms for input and takes whatever the driver holds. Returns the number
// of bytes added, 0 on time-out, -1 on failure.
long SerialLine::fill(int wait_ms) {
    pollfd p{fd_, POLLIN, 0};
    for (;;) {
        const int r = ::poll(&p, 1, wait_ms);
        if (r < 0 && errno == EINTR) continue;  // a signal; the caller re-checks its clock
        if (r < 0) return -1;
        if (r == 0) return 0;
        break;
    }
    if (p.revents & (POLLERR | POLLNVAL)) return -1;
    if (rx_pos_ == rx_.size()) {
        rx_.clear();
        rx_pos_ = 0;
    }
    uint8_t buf[512];
    const ssize_t n = ::read(fd_, buf, sizeof buf);
    if (n < 0) return (errno == EAGAIN || errno == EINTR) ? 0 : -1;
    if (n == 0) return (p.revents & POLLHUP) ? -1 : 0;
    rx_.insert(rx_.end(), buf, buf + n);
    return n;
}

long SerialLine::read(uint8_t* buf, size_t n) {
    if (fd_ < 0) return -1;
    if (n == 0) return 0;
    size_t got = 0;
    auto take = [&] {
        const size_t avail = rx_.size() - rx_pos_;
        const size_t k = avail < n - got ? avail : n - got;
        if (k == 0) return;
        std::memcpy(buf + got, rx_.data() + rx_pos_, k);
        rx_pos_ += k;
        got += k;
    };
    take();
    const auto total = std::chrono::milliseconds(uint64_t(n) * t_.read_mult + t_.read_const);
    const auto deadline = Clock::now() + total;
    while (got < n) {
        int wait = remaining_ms(deadline);
        if (got > 0 && t_.interval > 0 && wait > int(t_.interval)) wait = int(t_.interval);
        const long r = fill(wait);
        if (r < 0) return got > 0 ? long(got) : -1;
        if (r == 0) {
            if (got > 0 && t_.interval > 0) break;  // interval passed between two bytes
            if (Clock::now() >= deadline) break;
            continue;
        }
        take();
    }
    return long(got);
}

size_t SerialLine::write(const uint8_t* p, size_t n) {
    if (fd_ < 0) return 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(uint64_t(n) * t_.write_mult + t_.write_const);
    size_t done = 0;
    while (done < n) {
        const ssize_t w = ::write(fd_, p + done, n - done);
        if (w > 0) {
            done += size_t(w);
            continue;
        }
        if (w < 0 && errno != EAGAIN && errno != EINTR) break;
        pollfd pfd{fd_, POLLOUT, 0};
        const int wait = remaining_ms(deadline);
        if (wait == 0 || ::poll(&pfd, 1, wait) <= 0) break;
    }
    return done;
}

}  // namespace portlink
