#include "device_date.h"

#include <cstring>
#include <ctime>

#include "common/oledate.h"

namespace racetimer {

void date_to_device(double date, uint8_t out[6]) {
    club::CalendarFields f;
    // The year travels as one byte counted from 2000: a date outside that range would
    // reach the clock as a different year, so it is sent as "no date" instead.
    if (!club::ole_to_fields(date, f) || f.year < 2000 || f.year > 2255) {
        std::memset(out, 0xFF, 6);
        return;
    }
    club::fields_to_device_date(f, out);
}

double device_to_date(const uint8_t in[6]) {
    const club::CalendarFields f = club::device_date_to_fields(in);
    double d = 0.0;
    return club::fields_to_ole(f, d) ? d : 0.0;
}

double utc_bias_days() {
    // tm_gmtoff is the offset east of UTC in force now, daylight time included: the
    // negated bias of the zone. TZ is re-read so a change during the run counts.
    tzset();
    time_t now = time(nullptr);
    struct tm local;
    if (!localtime_r(&now, &local)) return 0.0;
    return -double(local.tm_gmtoff) / 86400.0;
}

}  // namespace racetimer
