#include "common/oledate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

using club::CalendarFields;

TEST(OleDate, KnownDatesBothWays) {
    struct Case {
        double value;
        CalendarFields f;
    };
    const Case cases[] = {
        {0.0, {1899, 12, 30, 0, 0, 0, 0}},
        {2.0, {1900, 1, 1, 0, 0, 0, 0}},
        {-1.25, {1899, 12, 29, 6, 0, 0, 0}},
        {39879.586909722222, {2009, 3, 7, 14, 5, 9, 0}},
        {36526.5, {2000, 1, 1, 12, 0, 0, 0}},
        {73415.999988425923, {2100, 12, 31, 23, 59, 59, 0}},
        {2958465.0, {9999, 12, 31, 0, 0, 0, 0}},
        {-657434.0, {100, 1, 1, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        CalendarFields f;
        ASSERT_TRUE(club::ole_to_fields(c.value, f)) << c.value;
        EXPECT_EQ(f.year, c.f.year);
        EXPECT_EQ(f.month, c.f.month);
        EXPECT_EQ(f.day, c.f.day);
        EXPECT_EQ(f.hour, c.f.hour);
        EXPECT_EQ(f.minute, c.f.minute);
        EXPECT_EQ(f.second, c.f.second) << c.value;
        double back = 0;
        ASSERT_TRUE(club::fields_to_ole(c.f, back));
        EXPECT_NEAR(back, c.value, 1e-8);
    }
}

TEST(OleDate, RoundsToMillisecondsWithCarryIntoNextDay) {
    CalendarFields f;
    ASSERT_TRUE(club::ole_to_fields(1.0 - 1e-10, f));
    EXPECT_EQ(f.day, 31);
    EXPECT_EQ(f.hour, 0);
    ASSERT_TRUE(club::ole_to_fields(0.5 + 0.250 / 86400.0, f));
    EXPECT_EQ(f.hour, 12);
    EXPECT_EQ(f.millisecond, 250);
}

TEST(OleDate, RejectsInvalidValuesAndFields) {
    CalendarFields f;
    EXPECT_FALSE(club::ole_to_fields(std::nan(""), f));
    EXPECT_FALSE(club::ole_to_fields(std::numeric_limits<double>::infinity(), f));
    EXPECT_FALSE(club::ole_to_fields(2958466.0, f));
    EXPECT_FALSE(club::ole_to_fields(-657435.0, f));
    EXPECT_FALSE(club::ole_to_fields(1e300, f));

    double v = 0;
    const CalendarFields bad[] = {
        {2009, 2, 29, 0, 0, 0, 0}, {2009, 13, 1, 0, 0, 0, 0}, {2009, 0, 1, 0, 0, 0, 0}, {2009, 1, 32, 0, 0, 0, 0},
        {2009, 1, 1, 24, 0, 0, 0}, {2009, 1, 1, 0, 60, 0, 0}, {2009, 1, 1, 0, 0, 60, 0}, {99, 1, 1, 0, 0, 0, 0},
    };
    for (const auto& b : bad) EXPECT_FALSE(club::fields_to_ole(b, v)) << b.year << '-' << b.month << '-' << b.day;
    EXPECT_TRUE(club::fields_to_ole({2008, 2, 29, 0, 0, 0, 0}, v));
    EXPECT_TRUE(club::fields_to_ole({2000, 2, 29, 0, 0, 0, 0}, v));
    EXPECT_FALSE(club::fields_to_ole({1900, 2, 29, 0, 0, 0, 0}, v));
}

// The clocks' date bytes: year counted from 2000, then month to second; milliseconds are not carried.
TEST(OleDate, DeviceDateBytesBothWays) {
    uint8_t b[6];
    club::fields_to_device_date({2255, 12, 31, 23, 59, 58, 999}, b);
    const uint8_t want[6] = {255, 12, 31, 23, 59, 58};
    EXPECT_EQ(0, std::memcmp(b, want, 6));
    const CalendarFields back = club::device_date_to_fields(b);
    EXPECT_EQ(back.year, 2255);
    EXPECT_EQ(back.month, 12);
    EXPECT_EQ(back.day, 31);
    EXPECT_EQ(back.hour, 23);
    EXPECT_EQ(back.minute, 59);
    EXPECT_EQ(back.second, 58);
    EXPECT_EQ(back.millisecond, 0);
}

}  // namespace
