// OLE automation dates: days since 1899-12-30 00:00 as a double, the fraction being the
// time of day. For negative values the fraction still counts forward from midnight
// (-1.25 is 1899-12-29 06:00). Valid from year 100 to year 9999.
#pragma once

#include <cstdint>

namespace club {

struct CalendarFields {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Splits a date value into fields, rounding to the nearest millisecond.
// False (fields untouched) for NaN, infinities and dates outside years 100 to 9999.
bool ole_to_fields(double date, CalendarFields& out);

// Builds a date value. False (value untouched) when the fields are no valid date and time.
bool fields_to_ole(const CalendarFields& in, double& out);

bool is_leap_year(int year);
int days_in_month(int year, int month);

// The clocks' six-byte date-time: year - 2000, month, day, hour, minute, second.
// The fields are written as they are: the caller keeps the year within 2000 to 2255.
void fields_to_device_date(const CalendarFields& in, uint8_t out[6]);
// Reads the six bytes back; the milliseconds are zero.
CalendarFields device_date_to_fields(const uint8_t in[6]);

}  // namespace club
