// A serial device driven with termios and poll(), with the read and write time-outs of the
// link: a read of n bytes gives up after n * read_mult + read_const ms, and ends early
// when more than `interval` ms pass between two bytes; a write of n bytes gives up after
// n * write_mult + write_const ms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace portlink {

struct Timeouts {
    uint32_t interval = 500;
    uint32_t read_mult = 5;
    uint32_t read_const = 2000;
    uint32_t write_mult = 5;
    uint32_t write_const = 50;
};

class SerialLine {
public:
    SerialLine() = default;
    ~SerialLine();
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    // Opens the device for exclusive use by this process. False when it does not exist,
    // cannot be opened, or another port holds it.
    bool open(const std::string& path);
    // Applies the link's line settings at `baud`. False when the device is no terminal or
    // the baud rate is not supported.
    bool configure(long baud);
    bool set_timeouts(const Timeouts& t);
    void close();
    bool is_open() const { return fd_ >= 0; }

    // Discards what waits in both directions.
    void purge();
    // Reads up to n bytes under the time-outs: the number read (0 on time-out), or -1
    // when the read failed.
    long read(uint8_t* buf, size_t n);
    // Writes n bytes under the write time-out; returns how many were written.
    size_t write(const uint8_t* p, size_t n);

private:
    long fill(int wait_ms);
    int fd_ = -1;
    Timeouts t_;
    // Bytes the driver already had when we asked for fewer; handed out before new reads.
    std::vector<uint8_t> rx_;
    size_t rx_pos_ = 0;
};

// Maps "COMn" to /dev/ttyS(n-1); other names are paths already.
std::string device_path(const char* name);

}  // namespace portlink
