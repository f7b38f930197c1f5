// A serial line opened raw (8N1, no flow control) with termios, read and written with
// poll() so every wait is bounded. Internal to wirelink.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace wirelink {

class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort &) = delete;
    SerialPort &operator=(const SerialPort &) = delete;

    enum class OpenResult { Ok, CannotOpen, BadSettings };
    OpenResult open(const std::string &path, long baud);
    void close();
    bool is_open() const { return fd_ >= 0; }

    // Discards everything waiting in both directions.
    void purge();
    // Writes all bytes within `timeout_ms`; false on failure or time-out.
    bool write_all(const uint8_t *bytes, size_t n, int timeout_ms);
    // One byte: 0-255, kTimeout when nothing came within `timeout_ms`, kFailed on error.
    static constexpr int kTimeout = -1;
    static constexpr int kFailed = -2;
    int read_byte(int timeout_ms);

private:
    int fd_ = -1;
    uint8_t buffer_[256];
    size_t have_ = 0, next_ = 0;
};

// "COMn" names the n-th serial port, /dev/ttyS(n-1); any other name is a device path.
std::string device_path(const char *name);

}  // namespace wirelink
