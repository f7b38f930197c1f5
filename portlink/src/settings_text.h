// The settings text of IFD_OpenPort: ";"-separated items; "baud" followed by one
// character and a number sets the baud rate, "timeout=" and a number the read total
// constant time-out. Letter case is ignored, other items are skipped, and an item
// without a readable number leaves the value as it was.
#pragma once

#include <cstdint>

namespace portlink {

void parse_settings(const char* text, long& baud, uint32_t& read_const);

}  // namespace portlink
