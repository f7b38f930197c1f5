#include "settings_text.h"

#include <cctype>
#include <cstring>

namespace portlink {
namespace {

bool starts_with_nocase(const char* p, const char* word) {
    for (; *word; ++p, ++word)
        if (!*p || std::tolower(static_cast<unsigned char>(*p)) != *word) return false;
    return true;
}

// A signed decimal number: blanks skipped, reading stops at the first non-digit.
bool read_number(const char* p, long long& out) {
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
    long long v = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p)
        if (v < 100000000000LL) v = v * 10 + (*p - '0');  // saturates far above any use
    out = negative ? -v : v;
    return true;
}

}  // namespace

void parse_settings(const char* text, long& baud, uint32_t& read_const) {
    if (!text) return;
    const char* p = text;
    while (*p) {
        long long v = 0;
        if (starts_with_nocase(p, "baud")) {
            // The number starts after the character that follows "baud" (normally "=").
            if (p[4] && read_number(p + 5, v)) baud = static_cast<long>(v);
        } else if (starts_with_nocase(p, "timeout=")) {
            // A negative or oversized time-out is no time-out; the old value stays.
            if (read_number(p + 8, v) && v >= 0 && v <= 0x7FFFFFFF) read_const = static_cast<uint32_t>(v);
        }
        const char* semi = std::strchr(p, ';');
        if (!semi) break;
        p = semi + 1;
    }
}

}  // namespace portlink
