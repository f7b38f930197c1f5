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
    out[0] = uint8_t(f.year - 2000);
    out[1] = uint8_t(f.month);
    out[2] = uint8_t(f.day);
    out[3] = uint8_t(f.hour);
    out[4] = uint8_t(f.minute);
    out[5] = uint8_t(f.second);
}

double device_to_date(const uint8_t in[6]) {
    club::CalendarFields f;
    f.year = 2000 + in[0];
    f.month = in[1];
    f.day = in[2];
    f.hour = in[3];
    f.minute = in[4];
    f.second = in[5];
    f.millisecond = 0;
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
