#include "common/oledate.h"

#include <cmath>

namespace club {
namespace {

constexpr int64_t kMsPerDay = 86400000;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t days_from_civil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civil_from_days(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const int64_t kEpoch = days_from_civil(1899, 12, 30);
const int64_t kFirstDay = days_from_civil(100, 1, 1) - kEpoch;    // -657434
const int64_t kLastDay = days_from_civil(9999, 12, 31) - kEpoch;  // 2958465

}  // namespace

bool is_leap_year(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return kDays[month - 1] + (month == 2 && is_leap_year(year) ? 1 : 0);
}

void fields_to_device_date(const CalendarFields& in, uint8_t out[6]) {
    out[0] = uint8_t(in.year - 2000);
    out[1] = uint8_t(in.month);
    out[2] = uint8_t(in.day);
    out[3] = uint8_t(in.hour);
    out[4] = uint8_t(in.minute);
    out[5] = uint8_t(in.second);
}

CalendarFields device_date_to_fields(const uint8_t in[6]) {
    CalendarFields f;
    f.year = 2000 + in[0];
    f.month = in[1];
    f.day = in[2];
    f.hour = in[3];
    f.minute = in[4];
    f.second = in[5];
    f.millisecond = 0;
    return f;
}

bool ole_to_fields(double date, CalendarFields& out) {
    if (!std::isfinite(date) || date < double(kFirstDay) - 1.0 || date > double(kLastDay) + 1.0) return false;
    int64_t days = static_cast<int64_t>(std::trunc(date));
    int64_t ms = std::llround(std::fabs(date - double(days)) * double(kMsPerDay));
    if (ms >= kMsPerDay) {
        days += date < 0 ? -1 : 1;
        ms = 0;
    }
    // The integer part names the day and the fraction's magnitude the time of day, so
    // -1.25 is 1899-12-29 06:00 and -0.25 is the same moment as 0.25.
    if (days < kFirstDay || days > kLastDay) return false;
    civil_from_days(days + kEpoch, out.year, out.month, out.day);
    out.hour = static_cast<int>(ms / 3600000);
    out.minute = static_cast<int>(ms / 60000 % 60);
    out.second = static_cast<int>(ms / 1000 % 60);
    out.millisecond = static_cast<int>(ms % 1000);
    return true;
}

bool fields_to_ole(const CalendarFields& in, double& out) {
    if (in.year < 100 || in.year > 9999 || in.month < 1 || in.month > 12) return false;
    if (in.day < 1 || in.day > days_in_month(in.year, in.month)) return false;
    if (in.hour < 0 || in.hour > 23 || in.minute < 0 || in.minute > 59 || in.second < 0 || in.second > 59 ||
        in.millisecond < 0 || in.millisecond > 999)
        return false;
    const double days = double(days_from_civil(in.year, in.month, in.day) - kEpoch);
    const double time =
        double(((int64_t(in.hour) * 60 + in.minute) * 60 + in.second) * 1000 + in.millisecond) / double(kMsPerDay);
    out = days >= 0 ? days + time : days - time;
    return true;
}

}  // namespace club
