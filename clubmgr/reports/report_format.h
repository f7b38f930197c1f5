#pragma once
// How values appear on the printouts: the club program's display rules for codes,
// numbers, ring numbers and the time texts of race entries. The dates follow the fixed
// locale of the program: short date yyyy/mm/dd, long time hh:nn:ss.

#include <QDate>
#include <QDateTime>
#include <QMap>
#include <QString>

#include <optional>

namespace club::reports {

// Whole number with thousands separators: 154321 -> "154,321".
QString groupedNumber(qint64 value);
// Empty when there is no value.
QString groupedNumber(const std::optional<qint64>& value);

// Three decimals with thousands separators, empty when 0: 1427.6151 -> "1,427.615".
QString speedText(double speed);

// Ring list rule: "C" -> "Cock", "H" -> "Hen", anything else -> empty.
QString sexName(const QString& code);
// Race entry rule: "H" -> "Hen", any other value "Cock", empty when there is none.
QString entrySexName(const QString& code);

// The colour's name, "Other" when the code is empty or unknown.
QString colourName(const QString& code, const QMap<QString, QString>& names);

// The ring number from its parts, separated by single blanks: "BELG 2014 AB 567". Empty
// parts are left out; with no parts at all (a pigeon not in the register) the stored
// ring number is shown.
QString ringText(const QString& country, const QString& year, const QString& letters,
                 const QString& number, const QString& fallback = {});

QString dateText(const QDate& date);               // yyyy/mm/dd, empty when null
QString timeText(const QTime& time);               // hh:nn:ss, empty when null
QString dateTimeText(const QDateTime& moment);     // yyyy/mm/dd hh:nn:ss, empty when null
QString monthDayTimeText(const QDateTime& moment); // mm/dd hh:nn:ss, empty when null

// Arrival texts (BackTime, "2014/08/19 07:05:09.250"):
QString backTimeOfDay(const QString& backTime);      // from the 12th character
QString backTimeWithDay(const QString& backTime);    // time of day, two blanks, day of month
QString backTimeMonthDay(const QString& backTime);   // "08/19"
QString backTimeClockTime(const QString& backTime);  // twelve characters from the 12th

// FlyTime texts ("3:44:9", "0:0:-2"): hours, minutes and seconds between the colons.
std::optional<qint64> flyTimeSeconds(const QString& flyTime);
// Seconds as a FlyTime text: 3903 -> "1:5:3", -2 -> "0:0:-2".
QString flyTimeText(qint64 seconds);
// A margin as hh:nn:ss; hours go beyond 23 and a negative margin carries a "-".
QString marginText(qint64 seconds);

// A code number as four digits with leading zeros: 58 -> "0058".
QString fourDigits(int value);

// The race code from the race-code text of the clock pages: "1A2B / 0819" -> "1A2B0819".
QString raceCodeFromText(const QString& raceCodeText);

// Whether a ring year is last year's as of `today`: "25" and "2025" in 2026. A year of
// one or two digits counts by its last two digits, a four-digit year in full.
bool isYearling(const QString& ringYear, const QDate& today);

}  // namespace club::reports
