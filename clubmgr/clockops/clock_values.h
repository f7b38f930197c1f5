// Small conversions shared by the clock-operation pages: the club's system identity,
// coordinates as the race clock wants them, the clock's date-time records, hexadecimal
// helpers and the texts that a clock receives for a pigeon or a race.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <ctime>
#include <stdexcept>

namespace clockops {

// An error that ends a page operation; its text is shown in the window's error box.
class ClockOpError : public std::runtime_error {
public:
    explicit ClockOpError(const QString &message)
        : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

// The club key: DES key of the system-identity code and of the ring signature.
inline constexpr char kClubKey[9] = "41957302";

// SysID of LCXS.ini cut or right-padded with "0" to exactly 8 characters (as bytes).
QByteArray PadSysId(const QString &sysId);

// HexToNumber: uppercase hexadecimal digits to a 16-bit value; "" gives 0. Characters
// that are no uppercase digit count as 0, so a damaged text never throws.
uint16_t HexToNumber(const QString &text);

// BytesToHex: `count` bytes from the `first`-th (counted from 1) as uppercase hex digits.
// Bytes outside the array are left out.
QString BytesToHex(const QByteArray &bytes, int first, int count);
QString BytesToHex(const unsigned char *bytes, int count);

// CoordinateToMs: compact coordinate "E1203045" (optionally with two more digits) to signed
// milliseconds of arc. Throws ClockOpError when the digits are no number.
int32_t CoordinateToMs(const QString &compact);

// Compact form sent to a clock: characters 1-4, 6-7 and 9-10 of a stored coordinate text.
QString ClockCompactCoordinate(const QString &stored);

// Milliseconds of arc of a stored loft coordinate: 0 for an empty mask (characters 2-4
// blank) or an empty text, else CoordinateToMs of the compact form.
int32_t StoredCoordinateToMs(const QString &stored);

// Local offset from UTC in whole hours (truncated toward zero) at `when` (now by default).
int LocalUtcOffsetHours(std::time_t when = std::time(nullptr));

// A clock date-time (8 bytes as 16 hex digits, UTC) as local date-time; throws
// ClockOpError "'%s' is not a valid date and time" for an impossible date. Year byte 0
// gives the zero date-time (1899-12-30 00:00). `ms` receives the milliseconds.
QDateTime ClockTimeToDateTime(const QString &hex16, int *ms = nullptr);

// ClockTimeToText: "yyyy/mm/dd hh:nn:ss.zzz" in local time.
QString ClockTimeToText(const QString &hex16);

// Fixed locale formats of the program: short date, long time and both.
QString ShortDateText(const QDate &date);
QString LongTimeText(const QTime &time);
QString DateTimeText(const QDateTime &moment);

// Tag record for a pigeon: E_Ring (first 8) + "0000" + random code as two hex digits + "00".
QString TagRecord(const QString &eRing, int randomCode);

// Registration label: the last 6 characters of RRegNumber, or it left-padded with "0" to 6.
QString RegistrationLabel(const QString &rRegNumber);

// Race identifier sent to a clock: "F0000001" for training, else the race code padded
// with "0" to 8 characters (a longer code is used whole).
inline constexpr char kTrainingRaceId[9] = "F0000001";
QString RaceIdentifier(const QString &raceCode);

// Race code from a combo text "LiberCode / mmdd": trimmed text before "/" followed by the
// trimmed text after it.
QString RaceCodeFromComboText(const QString &comboText);

// Combo texts of the race lists.
QString RaceComboText(const QString &liberCode, const QDate &liberDate);       // "AB12 / 0819"
QString MarkingRaceComboText(const QString &liberCode, const QDate &liberDate); // "AB12  08/19"

// Marking combo text split at its first blank: liberation code and "mm/dd".
struct MarkingChoice {
    QString liberCode;
    QString monthDay;
};
MarkingChoice SplitMarkingComboText(const QString &comboText);

// Text of a zero-terminated device buffer, at most `max` characters.
QString TextUpToZero(const char *buffer, int max);

} // namespace clockops
