#include "report_format.h"

#include <QLocale>
#include <QStringList>

#include <cmath>
#include <cstdlib>

namespace club::reports {
namespace {

const QLocale& printLocale()
{
    // The program's fixed number format: "," thousands, "." decimals.
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

}  // namespace

QString groupedNumber(qint64 value) { return printLocale().toString(value); }

QString groupedNumber(const std::optional<qint64>& value)
{
    return value ? groupedNumber(*value) : QString();
}

QString speedText(double speed)
{
    if (speed == 0 || !std::isfinite(speed)) return {};
    return printLocale().toString(speed, 'f', 3);
}

QString sexName(const QString& code)
{
    if (code == QLatin1String("C")) return QStringLiteral("Cock");
    if (code == QLatin1String("H")) return QStringLiteral("Hen");
    return {};
}

QString entrySexName(const QString& code)
{
    if (code.isNull()) return {};
    return code == QLatin1String("H") ? QStringLiteral("Hen") : QStringLiteral("Cock");
}

QString colourName(const QString& code, const QMap<QString, QString>& names)
{
    const auto it = names.constFind(code);
    if (code.isEmpty() || it == names.constEnd()) return QStringLiteral("Other");
    return it.value();
}

QString ringText(const QString& country, const QString& year, const QString& letters,
                 const QString& number, const QString& fallback)
{
    QStringList parts;
    for (const QString& part : {country, year, letters, number})
        if (!part.trimmed().isEmpty()) parts << part.trimmed();
    return parts.isEmpty() ? fallback : parts.join(' ');
}

QString dateText(const QDate& date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

QString timeText(const QTime& time)
{
    return time.isValid() ? time.toString(QStringLiteral("HH:mm:ss")) : QString();
}

QString dateTimeText(const QDateTime& moment)
{
    return moment.isValid() ? moment.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")) : QString();
}

QString monthDayTimeText(const QDateTime& moment)
{
    return moment.isValid() ? moment.toString(QStringLiteral("MM/dd HH:mm:ss")) : QString();
}

QString backTimeOfDay(const QString& backTime) { return backTime.mid(11); }

QString backTimeWithDay(const QString& backTime)
{
    if (backTime.isEmpty()) return {};
    return backTime.mid(11) + QStringLiteral("  ") + backTime.mid(8, 2);
}

QString backTimeMonthDay(const QString& backTime)
{
    const QDate date = QDate::fromString(backTime.left(10), QStringLiteral("yyyy/MM/dd"));
    return date.isValid() ? date.toString(QStringLiteral("MM/dd")) : backTime.mid(5, 5);
}

QString backTimeClockTime(const QString& backTime) { return backTime.mid(11, 12); }

std::optional<qint64> flyTimeSeconds(const QString& flyTime)
{
    const QStringList parts = flyTime.trimmed().split(':');
    if (parts.size() != 3) return std::nullopt;
    bool okH = false, okM = false, okS = false;
    const qint64 h = parts[0].trimmed().toLongLong(&okH);
    const qint64 m = parts[1].trimmed().toLongLong(&okM);
    // The seconds are the two characters after the second colon.
    const qint64 s = parts[2].trimmed().left(parts[2].trimmed().startsWith('-') ? 3 : 2).toLongLong(&okS);
    if (!okH || !okM || !okS) return std::nullopt;
    return h * 3600 + m * 60 + s;
}

QString flyTimeText(qint64 seconds)
{
    const qint64 h = seconds / 3600;
    const qint64 m = seconds / 60 - h * 60;
    const qint64 s = seconds % 60;
    return QStringLiteral("%1:%2:%3").arg(h).arg(m).arg(s);
}

QString marginText(qint64 seconds)
{
    const qint64 a = std::llabs(seconds);
    return QStringLiteral("%1%2:%3:%4")
        .arg(seconds < 0 ? QStringLiteral("-") : QString())
        .arg(a / 3600, 2, 10, QChar('0'))
        .arg(a / 60 % 60, 2, 10, QChar('0'))
        .arg(a % 60, 2, 10, QChar('0'));
}

QString fourDigits(int value)
{
    return value < 0 ? QStringLiteral("-%1").arg(-value, 4, 10, QChar('0'))
                     : QStringLiteral("%1").arg(value, 4, 10, QChar('0'));
}

QString raceCodeFromText(const QString& raceCodeText)
{
    const qsizetype slash = raceCodeText.indexOf('/');
    if (slash < 0) return raceCodeText.trimmed();
    return raceCodeText.left(slash).trimmed() + raceCodeText.mid(slash + 1).trimmed();
}

bool isYearling(const QString& ringYear, const QDate& today)
{
    const QString year = ringYear.trimmed();
    bool ok = false;
    const int value = year.toInt(&ok);
    if (!ok || year.isEmpty() || value < 0) return false;
    const int lastYear = today.year() - 1;
    if (year.size() <= 2) return value == lastYear % 100;
    return value == lastYear;
}

}  // namespace club::reports
