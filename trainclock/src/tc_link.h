// One command exchange with the training clock through portlink.
#pragma once

#include <cstddef>
#include <cstdint>

#include "trainclock.h"

namespace tc {

constexpr size_t kMaxAnswerData = 141;

struct Answer {
    uint8_t data[256] = {};  // zeroed: bytes the clock did not send read as 0
    size_t len = 0;
};

// False when the link or the clock reports a failure (error code kept by the port).
bool run(uint32_t port, uint8_t code, const uint8_t* data, size_t n, Answer* answer = nullptr);

// Answer-length rules; a violation sets error 263.
bool exactly(uint32_t port, const Answer& a, size_t n);
bool at_least(uint32_t port, const Answer& a, size_t n);
void fail_request(uint32_t port);  // 263 for a request that cannot be built

void date_to_bcd(double date, uint8_t out[6]);
double bcd_to_date(const uint8_t in[6]);

inline uint16_t status(bool ok) { return ok ? TC_OK : 0; }

}  // namespace tc
