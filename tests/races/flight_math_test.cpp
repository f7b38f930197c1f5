#include "flight_math.h"

#include <gtest/gtest.h>

using namespace club;

namespace {

QDateTime at(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

struct CoordCase {
    const char* text;
    bool ok;
    double degrees;
    const char* error;  // expected message, "" for none
};

TEST(ParseCoordinate, TableOfForms) {
    const QString deg = QString(QChar(0x00B0));
    const QString acute = QString(QChar(0x00B4));
    const CoordCase cases[] = {
        {"E005'47:30", true, 5.0 + 47 / 60.0 + 30 / 3600.0, ""},
        {"005'47:30E", true, 5.0 + 47 / 60.0 + 30 / 3600.0, ""},
        {"-005'47:30", true, -(5.0 + 47 / 60.0 + 30 / 3600.0), ""},
        {"  e005'47:30  ", true, 5.0 + 47 / 60.0 + 30 / 3600.0, ""},
        {"W001'30:00", true, -1.5, ""},
        {"N051'12:07.35", true, 51.0 + 12 / 60.0 + 7.35 / 3600.0, ""},
        {"S033'00:00.00", true, -33.0, ""},
        {"000'30:00E", true, 0.5, ""},
        {"5", true, 5.0, ""},
        {"12, 30", true, 12.5, ""},
        // zero whole degrees behind a hemisphere letter, empty texts and blank masks: not
        // given, and no message
        {"E000'30:00", false, 0, ""},
        {"", false, 0, ""},
        {"    '  :  ", false, 0, ""},
        {"    '  :  .  ", false, 0, ""},
        {"E   '  :  ", false, 0, ""},
        // bad characters name their field and quote the text as given
        {"E0X5'47:30", false, 0, "Invalid character in degrees field in string E0X5'47:30"},
        {" E005'4x:30", false, 0, "Invalid character in minutes field in string  E005'4x:30"},
        {"N051'12:0a.35", false, 0, "Invalid character in seconds field in string N051'12:0a.35"},
    };
    for (const CoordCase& c : cases) {
        const CoordinateResult r = ParseCoordinate(QString::fromUtf8(c.text));
        EXPECT_EQ(r.ok, c.ok) << c.text;
        EXPECT_NEAR(r.degrees, c.degrees, 1e-12) << c.text;
        EXPECT_EQ(r.error, QString::fromUtf8(c.error)) << c.text;
    }
    // Degree sign and acute accent as separators (code page 1252 0xB0 and 0xB4).
    const CoordinateResult r = ParseCoordinate("S033" + deg + " 52" + acute + "10");
    ASSERT_TRUE(r.ok);
    EXPECT_NEAR(r.degrees, -(33.0 + 52 / 60.0 + 10 / 3600.0), 1e-12);
}

struct DistCase {
    const char* loftLon;
    const char* loftLat;
    const char* liberLon;
    const char* liberLat;
    int metres;
    int messages;
};

TEST(LoftDistanceMetres, TableOfCases) {
    const DistCase cases[] = {
        // 0.01 degree of latitude due north: 110.9481458 x 0.01 km, truncated
        {"E005'00:00.00", "N051'00:36.00", "E005'00:00", "N051'00:00", 1109, 0},
        // on the liberation point itself
        {"E005'47:30.00", "N051'12:07.00", "E005'47:30", "N051'12:07", 0, 0},
        // one degree of longitude at 45 N, averaged over the two latitudes
        {"E002'00:00.00", "N045'00:00.00", "E001'00:00", "N045'00:00", 78715, 0},
        {"E004'24:10.50", "N051'12:07.35", "E002'30:00", "N049'00:00", 279543, 0},
        // not computable: blanks, zero degrees, bad characters (each one reported)
        {"E004'24:10.50", "    '  :  .  ", "E002'30:00", "N049'00:00", 0, 0},
        {"E004'24:10.50", " N051'12:07.35", "E002'30:00", "N049'00:00", 0, 0},
        {"E004'24:10.50", "N051'12:07.35", "E000'30:00", "N049'00:00", 0, 0},
        {"E004'24:10.50", "N051'12:07.35", "    '  :  ", "    '  :  ", 0, 0},
        {"E0X4'24:10.50", "N051'12:07.35", "E002'30:00", "N049'00:00", 0, 1},
        {"E0X4'24:10.50", "N051'12:07.35", "E002'30:00", "N0Y9'00:00", 0, 2},
    };
    for (const DistCase& c : cases) {
        QStringList errors;
        EXPECT_EQ(LoftDistanceMetres(c.loftLon, c.loftLat, c.liberLon, c.liberLat, &errors),
                  c.metres)
            << c.loftLon << " " << c.loftLat;
        EXPECT_EQ(errors.size(), c.messages) << c.loftLon;
    }
}

TEST(DistanceFromMetres, BothUnitModes) {
    struct {
        int metres;
        DistanceUnit unit;
        int miles, yards;
    } cases[] = {
        {1609, DistanceUnit::Imperial, 0, 1759},
        {160934, DistanceUnit::Imperial, 99, 175999},
        {0, DistanceUnit::Imperial, 0, 0},
        {154321, DistanceUnit::Metric, 154, 154321},
        {999, DistanceUnit::Metric, 0, 999},
    };
    for (const auto& c : cases) {
        const StoredDistance d = DistanceFromMetres(c.metres, c.unit);
        EXPECT_EQ(d.miles, c.miles) << c.metres;
        EXPECT_EQ(d.yards, c.yards) << c.metres;
    }
    EXPECT_EQ(DistanceUnitFromMode(1), DistanceUnit::Imperial);
    EXPECT_EQ(DistanceUnitFromMode(0), DistanceUnit::Metric);
}

TEST(RoundHalfAway, HalvesGoAwayFromZero) {
    const struct {
        double x;
        long long r;
    } cases[] = {{2.5, 3}, {2.49, 2}, {-2.5, -3}, {-2.4, -2}, {13452.25, 13452}, {13452.75, 13453},
                 {7200.4, 7200}, {7200.6, 7201}, {0.0, 0}};
    for (const auto& c : cases) EXPECT_EQ(RoundHalfAway(c.x), c.r) << c.x;
}

TEST(SecondsToFlyTime, PartsWithoutLeadingZerosAndSignedParts) {
    const struct {
        long long s;
        const char* text;
    } cases[] = {{3903, "1:5:3"},  {90061, "25:1:1"}, {0, "0:0:0"},     {13449, "3:44:9"},
                 {30600, "8:30:0"}, {-2, "0:0:-2"},   {-3903, "-1:-5:-3"}};
    for (const auto& c : cases) EXPECT_EQ(SecondsToFlyTime(c.s), QString(c.text)) << c.s;
}

TEST(FlySpeed, RuleAndThreeDecimals) {
    EXPECT_DOUBLE_EQ(FlySpeed(320000, 13449), 1427.615);
    EXPECT_DOUBLE_EQ(FlySpeed(1, 1), 60.0);
    EXPECT_EQ(FlySpeed(0, 100), 0.0);
    EXPECT_EQ(FlySpeed(100, 0), 0.0);
    EXPECT_EQ(FlySpeed(100, -2), 0.0);
}

TEST(FlyingSeconds, SameDayWithMillisecondsDeviationAndRounding) {
    const QDateTime lib = at(2014, 8, 19, 6, 30, 0);
    const struct {
        int ms;
        long long deviation;
        Rounding r;
        long long seconds;
    } cases[] = {
        {250, 3, Rounding::HalfAway, 13449},  // clock read-out: RoundHalfAway(13452.25) - 3
        {250, 3, Rounding::Truncate, 13449},  // race window: 13452 - 3
        {750, 3, Rounding::HalfAway, 13450},
        {750, 3, Rounding::Truncate, 13449},
        {0, 5, Rounding::Truncate, 13452 - 5},  // clock 5 s fast
        {0, -5, Rounding::Truncate, 13452 + 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FlyingSeconds(c.deviation, lib, at(2014, 8, 19, 10, 14, 12, c.ms), {}, c.r),
                  c.seconds)
            << c.ms << " " << c.deviation;

    const QDateTime six = at(2020, 7, 1, 6, 0, 0);
    EXPECT_EQ(FlyingSeconds(0, six, at(2020, 7, 1, 8, 0, 0, 400), {}, Rounding::HalfAway), 7200);
    EXPECT_EQ(FlyingSeconds(0, six, at(2020, 7, 1, 8, 0, 0, 600), {}, Rounding::HalfAway), 7201);
}

TEST(FlyingSeconds, NothingOrNegativeAroundZero) {
    const QDateTime lib = at(2014, 8, 19, 6, 30, 0);
    // arrival before the liberation: 0, the deviation is not applied
    EXPECT_EQ(FlyingSeconds(5, lib, at(2014, 8, 19, 6, 0, 0), {}, Rounding::Truncate), 0);
    EXPECT_EQ(FlyingSeconds(5, lib, lib, {}, Rounding::Truncate), 0);
    // 3 s before the correction of a clock 5 s fast
    const long long s = FlyingSeconds(5, lib, at(2014, 8, 19, 6, 30, 3), {}, Rounding::Truncate);
    EXPECT_EQ(s, -2);
    const EntryResult e =
        ComputeEntryResult(320000, 5, lib, at(2014, 8, 19, 6, 30, 3), {}, Rounding::Truncate);
    EXPECT_EQ(e.flyTime, "0:0:-2");
    EXPECT_EQ(e.flySpeed, 0.0);
    EXPECT_EQ(e.dist, 320000);
}

TEST(FlyingSeconds, NightRule) {
    const QDateTime lib = at(2014, 8, 19, 14, 0, 0);
    const SunRow day19{QDate(2014, 8, 19), QTime(21, 0), QTime(6, 0), "Orleans"};
    const SunRow day20{QDate(2014, 8, 20), QTime(21, 0), QTime(5, 30), "Orleans"};
    const SunRow day21{QDate(2014, 8, 21), QTime(20, 58), QTime(5, 40), "Orleans"};
    const SunRow day18{QDate(2014, 8, 18), QTime(21, 0), QTime(6, 0), "Orleans"};
    const QDateTime a20 = at(2014, 8, 20, 7, 0, 0, 900);  // milliseconds are dropped here
    const QDateTime a21 = at(2014, 8, 21, 6, 0, 0);
    const struct {
        const char* what;
        QVector<SunRow> rows;
        QDateTime arrival;
        long long seconds;
    } cases[] = {
        {"7 h + 1 h 30 min", {day19, day20}, a20, 30600},
        {"a later row changes nothing", {day19, day20, day21}, a20, 30600},
        {"whole daylight of the 20th", {day19, day20, day21}, a21, 25200 + 55800 + 1200},
        {"row before the liberation day is a whole day", {day18, day19, day20}, a20, 30600 + 54000},
        {"no sun rows", {}, a20, 0},
        {"no arrival-day row", {day19}, a20, 25200},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FlyingSeconds(0, lib, c.arrival, c.rows, Rounding::Truncate), c.seconds)
            << c.what;

    // Day 200 17:00, sunset 20:00 and sunrise 06:00 on both days, arrival day 201 07:00.
    const QDate d200 = QDate(2021, 1, 1).addDays(199);
    const QVector<SunRow> rows = {{d200, QTime(20, 0), QTime(6, 0), ""},
                                  {d200.addDays(1), QTime(20, 0), QTime(6, 0), ""}};
    EXPECT_EQ(FlyingSeconds(0, QDateTime(d200, QTime(17, 0), Qt::UTC),
                            QDateTime(d200.addDays(1), QTime(7, 0), Qt::UTC), rows,
                            Rounding::HalfAway),
              14400);
}

TEST(ComputeEntryResult, ClockReadOutExample) {
    const EntryResult e = ComputeEntryResult(320000, 3, at(2014, 8, 19, 6, 30, 0),
                                             at(2014, 8, 19, 10, 14, 12, 250), {}, Rounding::HalfAway);
    EXPECT_EQ(e.seconds, 13449);
    EXPECT_EQ(e.flyTime, "3:44:9");
    EXPECT_DOUBLE_EQ(e.flySpeed, 1427.615);
}

TEST(Positions, EqualSpeedsShareAndZerosComeLast) {
    const QVector<double> speeds = {1400.0, 0.0, 1500.0, 1400.0, 0.0, 1300.0};
    const QVector<int> order = OrderBySpeedDescending(speeds);
    EXPECT_EQ(order, (QVector<int>{2, 0, 3, 5, 1, 4}));  // equal speeds keep their order
    QVector<double> sorted;
    for (int i : order) sorted.append(speeds[i]);
    EXPECT_EQ(PositionsOfSortedSpeeds(sorted), (QVector<int>{1, 2, 2, 4, 5, 5}));
    EXPECT_TRUE(PositionsOfSortedSpeeds({}).isEmpty());
}

TEST(Texts, RaceCodeBackTimeAndNumbers) {
    EXPECT_EQ(RaceCodeFor("01AF", QDate(2026, 5, 3)), "01AF0503");
    EXPECT_EQ(RaceCodeFor("1A2B", QDate(2014, 8, 19)), "1A2B0819");

    const QDateTime clock = ParseBackTime("2014/08/19 07:05:09.250");
    EXPECT_EQ(clock.date(), QDate(2014, 8, 19));
    EXPECT_EQ(clock.time(), QTime(7, 5, 9, 250));
    EXPECT_EQ(ParseBackTime("2014/08/19 10:14:12").time(), QTime(10, 14, 12));
    EXPECT_EQ(ParseBackTime("2014/08/19 10:14:12.5").time(), QTime(10, 14, 12, 500));
    EXPECT_FALSE(ParseBackTime("19.08.2014 10:14").isValid());
    EXPECT_FALSE(ParseBackTime("2014/02/30 10:14:12").isValid());
    EXPECT_FALSE(ParseBackTime("").isValid());
    EXPECT_EQ(BackTimeText(clock, true), "2014/08/19 07:05:09.250");
    EXPECT_EQ(BackTimeText(clock, false), "2014/08/19 07:05:09");

    EXPECT_EQ(GroupedInteger(154321), "154,321");
    EXPECT_EQ(GroupedInteger(0), "0");
    EXPECT_EQ(GroupedInteger(1000), "1,000");
    EXPECT_EQ(GroupedInteger(-1234567), "-1,234,567");
    EXPECT_EQ(SpeedText(1427.615), "1,427.615");
    EXPECT_EQ(SpeedText(5.5), "   5.500");
    EXPECT_EQ(SpeedText(0.0), "");
}

}  // namespace
