// MD5 message digest (RFC 1321), incremental.
#pragma once

#include <cstddef>
#include <cstdint>

namespace club {

class Md5 {
public:
    Md5();
    void update(const void* data, size_t len);
    // Writes the 16-byte digest; the object must be reset() before it is used again.
    void finish(uint8_t digest[16]);
    void reset();

private:
    void block(const uint8_t* p);
    uint32_t state_[4];
    uint64_t bytes_;
    uint8_t buf_[64];
    size_t used_;
};

void md5(const void* data, size_t len, uint8_t digest[16]);

}  // namespace club
