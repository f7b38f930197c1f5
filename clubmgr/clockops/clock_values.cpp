#include "clock_values.h"



namespace clockops {

QByteArray PadSysId(const QString &sysId)
{
    QByteArray bytes = sysId.toLatin1().left(8);
    while (bytes.size() < 8)
        bytes.append('0');
    return bytes;
}

uint16_t HexToNumber(const QString &text)
{
    uint16_t value = 0;
    for (QChar c : text) {
        int digit = 0;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digit = c.unicode() - '0';
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
            digit = c.unicode() - 'A' + 10;
        value = static_cast<uint16_t>(value * 16 + digit);
    }
    return value;
}

QString BytesToHex(const QByteArray &bytes, int first, int count)
{
    QString out;
    for (int i = first - 1; i < first - 1 + count; ++i) {
        if (i < 0 || i >= bytes.size())
            continue;
        out += QStringLiteral("%1").arg(static_cast<unsigned char>(bytes[i]), 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

QString BytesToHex(const unsigned char *bytes, int count)
{
    return BytesToHex(QByteArray(reinterpret_cast<const char *>(bytes), count), 1, count);
}

namespace {

int DigitsOrThrow(const QString &compact, int from, int length)
{
    const QString part = compact.mid(from, length);
    bool ok = false;
    const int value = part.toInt(&ok);
    if (!ok || part.trimmed().size() != part.size())
        throw ClockOpError(QStringLiteral("'%1' is not a valid integer value").arg(part));
    return value;
}

} // namespace

int32_t CoordinateToMs(const QString &compact)
{
    if (compact.isEmpty())
        return 0;
    const QChar hemisphere = compact.at(0);
    const bool positive = hemisphere == QLatin1Char('E') || hemisphere == QLatin1Char('N');
    const bool negative = hemisphere == QLatin1Char('W') || hemisphere == QLatin1Char('S');
    if (!positive && !negative)
        return 0;
    const int64_t d = DigitsOrThrow(compact, 1, 3);
    const int64_t m = DigitsOrThrow(compact, 4, 2);
    const int64_t s = DigitsOrThrow(compact, 6, 2);
    const int64_t x = compact.size() > 8 ? DigitsOrThrow(compact, 8, 2) : 0;
    const int64_t ms = (d * 3600 + m * 60 + s) * 1000 + x;
    return static_cast<int32_t>(positive ? ms : -ms);
}

QString ClockCompactCoordinate(const QString &stored)
{
    return stored.mid(0, 4) + stored.mid(5, 2) + stored.mid(8, 2);
}

int32_t StoredCoordinateToMs(const QString &stored)
{
    if (stored.trimmed().isEmpty() || stored.mid(1, 3) == QLatin1String("   "))
        return 0;
    return CoordinateToMs(ClockCompactCoordinate(stored));
}

int LocalUtcOffsetHours(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    // tm_gmtoff already holds the daylight part when daylight time is in force.
    const long minutes = local.tm_gmtoff / 60;
    return static_cast<int>(minutes / 60);
}

namespace {

int HexByte(const QString &hex, int index, bool *ok)
{
    bool good = false;
    const int value = hex.mid(index * 2, 2).toInt(&good, 16);
    if (!good || hex.mid(index * 2, 2).size() != 2)
        *ok = false;
    return good ? value : 0;
}

} // namespace

QDateTime ClockTimeToDateTime(const QString &hex16, int *ms)
{
    bool ok = true;
    int b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = HexByte(hex16, i, &ok);
    const int millis = b[6] | (b[7] << 8);
    if (ms)
        *ms = millis;
    const QString text = QStringLiteral("%1/%2/%3 %4:%5:%6")
                             .arg(b[0] + 2000, 4, 10, QLatin1Char('0'))
                             .arg(b[1], 2, 10, QLatin1Char('0'))
                             .arg(b[2], 2, 10, QLatin1Char('0'))
                             .arg(b[3], 2, 10, QLatin1Char('0'))
                             .arg(b[4], 2, 10, QLatin1Char('0'))
                             .arg(b[5], 2, 10, QLatin1Char('0'));
    if (!ok)
        throw ClockOpError(QStringLiteral("'%1' is not a valid date and time").arg(hex16));
    if (b[0] == 0)
        return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    const QDate date(b[0] + 2000, b[1], b[2]);
    const QTime time(b[3], b[4], b[5]);
    if (!date.isValid() || !time.isValid())
        throw ClockOpError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    // Wall-clock arithmetic: the clock keeps UTC, the program shows local time.
    const QDateTime utcWall(date, time, Qt::UTC);
    const QDateTime local = utcWall.addSecs(static_cast<qint64>(LocalUtcOffsetHours()) * 3600);
    return QDateTime(local.date(), local.time());
}

QString ClockTimeToText(const QString &hex16)
{
    int ms = 0;
    const QDateTime moment = ClockTimeToDateTime(hex16, &ms);
    // The time of day is always written, so the time starts at character 12 in every
    // arrival text (also for an arrival at exactly midnight).
    return DateTimeText(moment) + QStringLiteral(".%1").arg(ms, 3, 10, QLatin1Char('0'));
}

QString ShortDateText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

QString LongTimeText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString DateTimeText(const QDateTime &moment)
{
    return ShortDateText(moment.date()) + QLatin1Char(' ') + LongTimeText(moment.time());
}

QString TagRecord(const QString &eRing, int randomCode)
{
    const QString code = QString::number(randomCode, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    return eRing.left(8) + QStringLiteral("0000") + code.left(2) + QStringLiteral("00");
}

QString RegistrationLabel(const QString &rRegNumber)
{
    if (rRegNumber.size() >= 6)
        return rRegNumber.right(6);
    return rRegNumber.rightJustified(6, QLatin1Char('0'));
}

QString RaceIdentifier(const QString &raceCode)
{
    return raceCode.leftJustified(8, QLatin1Char('0'));
}

QString RaceCodeFromComboText(const QString &comboText)
{
    const int slash = comboText.indexOf(QLatin1Char('/'));
    const QString before = slash >= 0 ? comboText.left(slash) : QString();
    const QString after = comboText.mid(slash + 1);
    return before.trimmed() + after.trimmed();
}

QString RaceComboText(const QString &liberCode, const QDate &liberDate)
{
    return liberCode + QStringLiteral(" / ") + liberDate.toString(QStringLiteral("MMdd"));
}

QString MarkingRaceComboText(const QString &liberCode, const QDate &liberDate)
{
    return liberCode + QStringLiteral("  ") + liberDate.toString(QStringLiteral("MM/dd"));
}

MarkingChoice SplitMarkingComboText(const QString &comboText)
{
    const int blank = comboText.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return {QString(), comboText.trimmed()};
    return {comboText.left(blank).trimmed(), comboText.mid(blank + 1).trimmed()};
}

QString TextUpToZero(const char *buffer, int max)
{
    int n = 0;
    while (n < max && buffer[n] != '\0')
        ++n;
    return QString::fromLatin1(buffer, n);
}

} // namespace clockops
