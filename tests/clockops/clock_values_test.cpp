#include "clock_values.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

using namespace clockops;

namespace {

// Sets TZ for one test and restores it afterwards.
class ZoneGuard {
public:
    explicit ZoneGuard(const char *zone)
    {
        if (const char *old = std::getenv("TZ"))
            old_ = old, hadOld_ = true;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneGuard()
    {
        if (hadOld_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string old_;
    bool hadOld_ = false;
};

} // namespace

TEST(SysId, PaddedOrCutToEightCharacters)
{
    struct Case { const char *sysId, *padded, *hex; } cases[] = {
        {"123", "12300000", "3132333030303030"},
        {"ABCDEFGHIJ", "ABCDEFGH", "4142434445464748"},
        {"", "00000000", "3030303030303030"},
    };
    for (const auto &c : cases) {
        const QByteArray padded = PadSysId(QString::fromLatin1(c.sysId));
        EXPECT_EQ(padded, QByteArray(c.padded)) << c.sysId;
        EXPECT_EQ(BytesToHex(padded, 1, 8), QString::fromLatin1(c.hex)) << c.sysId;
    }
}

TEST(CoordinateToMs, CompactCoordinates)
{
    struct Case { const char *text; int32_t ms; } cases[] = {
        {"E1203045", 433845000}, {"N0515959", 187199000}, {"W0010000", -3600000},
        {"S0000001", -1000},     {"E120304512", 433845012}, {"X1203045", 0}, {"", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CoordinateToMs(QString::fromLatin1(c.text)), c.ms) << c.text;
}

TEST(CoordinateToMs, DamagedDigitsAreAnErrorNotAWrongPosition)
{
    EXPECT_THROW(CoordinateToMs(QStringLiteral("E12A3045")), ClockOpError);
    EXPECT_THROW(CoordinateToMs(QStringLiteral("E12")), ClockOpError);
}

TEST(CoordinateToMs, StoredLoftCoordinates)
{
    EXPECT_EQ(ClockCompactCoordinate(QStringLiteral("E120'30:45.67")), QStringLiteral("E1203045"));
    EXPECT_EQ(StoredCoordinateToMs(QStringLiteral("E120'30:45.67")), 433845000); // hundredths dropped
    EXPECT_EQ(StoredCoordinateToMs(QStringLiteral("N051'00:00.99")), 183600000);
    EXPECT_EQ(StoredCoordinateToMs(QStringLiteral(" "    "   '  :  .  ")), 0); // empty mask
    EXPECT_EQ(StoredCoordinateToMs(QString()), 0);
}

TEST(ClockTime, TextIsLocalTimeWithMilliseconds)
{
    ZoneGuard zone("UTC-2"); // two hours east of Greenwich
    EXPECT_EQ(ClockTimeToText(QStringLiteral("0C0715081E2D8700")), QStringLiteral("2012/07/21 10:30:45.135"));
    // 23:30 UTC is already the next day locally.
    EXPECT_EQ(ClockTimeToText(QStringLiteral("0C0715171E000000")).left(10), QStringLiteral("2012/07/22"));
    // Arrival exactly at local midnight still carries its time of day.
    EXPECT_EQ(ClockTimeToText(QStringLiteral("0C0715160000FA00")), QStringLiteral("2012/07/22 00:00:00.250"));
}

TEST(ClockTime, YearByteZeroIsTheZeroDateTime)
{
    EXPECT_EQ(ClockTimeToText(QStringLiteral("0007150800008700")), QStringLiteral("1899/12/30 00:00:00.135"));
}

TEST(ClockTime, ImpossibleDatesRaiseTheConversionError)
{
    try {
        ClockTimeToText(QStringLiteral("0C021E081E2D0000"));
        FAIL() << "no error";
    } catch (const ClockOpError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("'2012/02/30 08:30:45' is not a valid date and time"));
    }
    EXPECT_THROW(ClockTimeToText(QStringLiteral("0C07")), ClockOpError);
    EXPECT_THROW(ClockTimeToText(QStringLiteral("ZZ0715081E2D8700")), ClockOpError);
}

TEST(LocalUtcOffset, WholeHoursTruncatedTowardZero)
{
    struct Case { const char *zone; int hours; } cases[] = {
        {"UTC0", 0}, {"UTC-2", 2}, {"<-0330>3:30", -3}, {"<+0530>-5:30", 5}, {"EST5", -5},
    };
    for (const auto &c : cases) {
        ZoneGuard zone(c.zone);
        EXPECT_EQ(LocalUtcOffsetHours(), c.hours) << c.zone;
    }
}

TEST(HexHelpers, NumbersAndBytes)
{
    EXPECT_EQ(HexToNumber(QStringLiteral("3A")), 58);
    EXPECT_EQ(HexToNumber(QString()), 0);
    EXPECT_EQ(HexToNumber(QStringLiteral("7F")), 127);
    EXPECT_EQ(HexToNumber(QStringLiteral("FFFF")), 0xFFFF);
    EXPECT_EQ(HexToNumber(QStringLiteral("3a")), 48); // lowercase letters are not digits
    const QByteArray bytes("\x0A\x1B\xFF", 3);
    EXPECT_EQ(BytesToHex(bytes, 1, 3), QStringLiteral("0A1BFF"));
    EXPECT_EQ(BytesToHex(bytes, 2, 2), QStringLiteral("1BFF"));
    EXPECT_EQ(BytesToHex(bytes, 3, 5), QStringLiteral("FF")); // never reads past the bytes
}

TEST(ClockTexts, TagRecordLabelAndRaceIdentifier)
{
    EXPECT_EQ(TagRecord(QStringLiteral("A1B2C3D4"), 200), QStringLiteral("A1B2C3D40000C800"));
    EXPECT_EQ(TagRecord(QStringLiteral("0A1B2C3D"), 5), QStringLiteral("0A1B2C3D00000500"));
    EXPECT_EQ(TagRecord(QStringLiteral("0A1B2C3D"), 0x1FF), QStringLiteral("0A1B2C3D00001F00"));

    EXPECT_EQ(RegistrationLabel(QStringLiteral("1234567")), QStringLiteral("234567"));
    EXPECT_EQ(RegistrationLabel(QStringLiteral("7")), QStringLiteral("000007"));
    EXPECT_EQ(RegistrationLabel(QStringLiteral("123456")), QStringLiteral("123456"));

    EXPECT_EQ(RaceIdentifier(QStringLiteral("AB0819")), QStringLiteral("AB081900"));
    EXPECT_EQ(RaceIdentifier(QStringLiteral("AB120819")), QStringLiteral("AB120819"));
    EXPECT_EQ(RaceIdentifier(QStringLiteral("ABCDE0819")), QStringLiteral("ABCDE0819"));
}

TEST(ComboTexts, RaceCodesAndMarkingChoice)
{
    EXPECT_EQ(RaceCodeFromComboText(QStringLiteral("1A2B / 0819")), QStringLiteral("1A2B0819"));
    EXPECT_EQ(RaceCodeFromComboText(QString()), QString());
    EXPECT_EQ(RaceComboText(QStringLiteral("AB12"), QDate(2014, 8, 19)), QStringLiteral("AB12 / 0819"));
    EXPECT_EQ(MarkingRaceComboText(QStringLiteral("AB12"), QDate(2014, 8, 9)), QStringLiteral("AB12  08/09"));
    const MarkingChoice choice = SplitMarkingComboText(QStringLiteral("AB12  08/09"));
    EXPECT_EQ(choice.liberCode, QStringLiteral("AB12"));
    EXPECT_EQ(choice.monthDay, QStringLiteral("08/09"));
    EXPECT_TRUE(SplitMarkingComboText(QString()).liberCode.isEmpty());
}
