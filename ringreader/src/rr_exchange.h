// Helpers shared by the exports: status values and the answer-length rule.
#pragma once

#include <cstring>

#include "ringreader.h"
#include "rr_link.h"

namespace rr {

inline uint16_t status(bool ok) { return ok ? RR_OK : RR_FAIL; }

// Version 5 readers answer with exactly the expected amount; version 6 with at least it.
// A wrong length sets error 263.
inline bool check_length(uint32_t port, const Answer& a, size_t need) {
    const bool ok = kGen == Gen::V5 ? a.len == need : a.len >= need;
    if (!ok) set_error(port, RR_ERR_ANSWER);
    return ok;
}

inline void copy_out(uint8_t* out, const uint8_t* from, size_t n) {
    if (out) std::memcpy(out, from, n);
}

// Runs a command whose answer carries `need` bytes and copies them to out.
inline bool run_read(uint32_t port, const Command& c, uint8_t* out, size_t need) {
    Answer a;
    if (!run(port, c, &a) || !check_length(port, a, need)) return false;
    copy_out(out, a.data, need);
    return true;
}

}  // namespace rr
