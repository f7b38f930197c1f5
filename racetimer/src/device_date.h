// Dates as the clock keeps them (6 binary bytes: year - 2000, month, day, hour, minute,
// second; UTC) and the local/UTC shift of the _V2 exports. Internal.
#pragma once

#include <cstdint>

namespace racetimer {

// OLE automation date to device bytes; a date outside 2000-2255 or not a number gives
// 0xFF in every byte.
void date_to_device(double date, uint8_t out[6]);

// Device bytes to an OLE date; 0.0 when they are no valid date and time.
double device_to_date(const uint8_t in[6]);

// The PC's offset B in days as the _V2 exports use it (UTC = local + B): the zone's
// bias in force at the moment of the call, daylight time included.
double utc_bias_days();

}  // namespace racetimer
