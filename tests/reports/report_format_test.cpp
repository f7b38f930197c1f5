#include "report_format.h"

#include <gtest/gtest.h>

using namespace club::reports;

TEST(ReportFormat, FlyTimeTextsReadBackAndWrite)
{
    struct Case { const char* text; qint64 seconds; };
    for (const Case& c : {Case{"1:5:3", 3903}, Case{"25:1:1", 90061}, Case{"0:0:0", 0}, Case{"3:44:9", 13449},
                          Case{"0:0:-2", -2}, Case{"-1:-5:-3", -3903}}) {
        EXPECT_EQ(flyTimeSeconds(c.text), c.seconds) << c.text;
        EXPECT_EQ(flyTimeText(c.seconds), c.text) << c.seconds;
    }
    EXPECT_FALSE(flyTimeSeconds(""));
    EXPECT_FALSE(flyTimeSeconds("12:30"));
    EXPECT_FALSE(flyTimeSeconds("a:b:c"));
}

TEST(ReportFormat, MarginKeepsWholeHoursAndSign)
{
    EXPECT_EQ(marginText(0), "00:00:00");
    EXPECT_EQ(marginText(3723), "01:02:03");
    // More than a day behind stays a duration, not a time of day.
    EXPECT_EQ(marginText(90061), "25:01:01");
    EXPECT_EQ(marginText(-61), "-00:01:01");
}

TEST(ReportFormat, NumbersAndSpeeds)
{
    EXPECT_EQ(groupedNumber(qint64(154321)), "154,321");
    EXPECT_EQ(groupedNumber(qint64(0)), "0");
    EXPECT_EQ(groupedNumber(std::optional<qint64>()), "");
    EXPECT_EQ(speedText(1427.6151), "1,427.615");
    EXPECT_EQ(speedText(987.5), "987.500");
    EXPECT_EQ(speedText(0), "");
    EXPECT_EQ(fourDigits(58), "0058");
    EXPECT_EQ(fourDigits(255), "0255");
}

TEST(ReportFormat, CodesShownAsNames)
{
    const QMap<QString, QString> colours{{"BB", "Blue Bar"}, {"RC", "Red Chequer"}};
    EXPECT_EQ(colourName("BB", colours), "Blue Bar");
    EXPECT_EQ(colourName("XX", colours), "Other");
    EXPECT_EQ(colourName("", colours), "Other");
    EXPECT_EQ(sexName("C"), "Cock");
    EXPECT_EQ(sexName("H"), "Hen");
    EXPECT_EQ(sexName("h"), "");
    EXPECT_EQ(entrySexName("H"), "Hen");
    EXPECT_EQ(entrySexName("C"), "Cock");
    EXPECT_EQ(entrySexName("X"), "Cock");
    EXPECT_EQ(entrySexName(QString()), "");
}

TEST(ReportFormat, RingNumbersAndArrivalTexts)
{
    EXPECT_EQ(ringText("BELG", "2014", "AB", "567"), "BELG 2014 AB 567");
    EXPECT_EQ(ringText("BELG", "2014", "", "567"), "BELG 2014 567");
    EXPECT_EQ(ringText("", "", "", "", "XX14-1"), "XX14-1");

    const QString clock = "2014/08/19 07:05:09.250";
    EXPECT_EQ(backTimeOfDay(clock), "07:05:09.250");
    EXPECT_EQ(backTimeWithDay(clock), "07:05:09.250  19");
    EXPECT_EQ(backTimeMonthDay(clock), "08/19");
    EXPECT_EQ(backTimeClockTime(clock), "07:05:09.250");
    EXPECT_EQ(backTimeClockTime("2014/08/19 07:05:09"), "07:05:09");
    EXPECT_EQ(backTimeWithDay(""), "");
}

TEST(ReportFormat, RaceCodeFromTheClockPageText)
{
    EXPECT_EQ(raceCodeFromText("1A2B / 0819"), "1A2B0819");
    EXPECT_EQ(raceCodeFromText("1A2B/0819"), "1A2B0819");
    EXPECT_EQ(raceCodeFromText(" AB12  /  0305 "), "AB120305");
    EXPECT_EQ(raceCodeFromText("AB120305"), "AB120305");
}

TEST(ReportFormat, YearlingsAreLastYearsBirds)
{
    const QDate in2026(2026, 5, 1);
    EXPECT_TRUE(isYearling("25", in2026));
    EXPECT_TRUE(isYearling("2025", in2026));
    EXPECT_FALSE(isYearling("26", in2026));
    EXPECT_FALSE(isYearling("2024", in2026));
    EXPECT_FALSE(isYearling("1925", in2026));
    EXPECT_FALSE(isYearling("", in2026));
    EXPECT_FALSE(isYearling("x5", in2026));
    // Early in a decade the year has one significant digit.
    EXPECT_TRUE(isYearling("09", QDate(2010, 3, 1)));
    EXPECT_TRUE(isYearling("9", QDate(2010, 3, 1)));
    EXPECT_TRUE(isYearling("99", QDate(2100, 3, 1)));
}
