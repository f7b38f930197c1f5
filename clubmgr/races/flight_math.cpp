#include "flight_math.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <cmath>

namespace club {

namespace {

const QChar kDegree(0x00B0);
const QChar kAcute(0x00B4);

bool isIn(QChar c, const QString& set) { return set.contains(c); }

// Characters an untouched or half-filled entry mask holds besides the hemisphere letter.
bool isBlankMask(const QString& trimmed) {
    int start = 0;
    if (!trimmed.isEmpty() && QStringLiteral("-ENSW").contains(trimmed.at(0).toUpper()))
        start = 1;
    for (int i = start; i < trimmed.size(); ++i)
        if (!QStringLiteral(" ':.").contains(trimmed.at(i))) return false;
    return true;
}

bool toNumber(const QString& field, double* out) {
    bool ok = false;
    const double v = QLocale::c().toDouble(field, &ok);
    if (!ok || !std::isfinite(v)) return false;
    *out = v;
    return true;
}

// Wall-clock difference in seconds, milliseconds included; days count as 86400 s whatever
// the time zone does in between, as the club's published times are read off the clock face.
double wallClockSeconds(const QDateTime& from, const QDateTime& to) {
    const qint64 days = from.date().daysTo(to.date());
    const qint64 ms = days * 86400000LL +
                      (to.time().msecsSinceStartOfDay() - from.time().msecsSinceStartOfDay());
    return double(ms) / 1000.0;
}

int wholeSecondOfDay(const QTime& t) {
    if (!t.isValid()) return 0;
    return t.hour() * 3600 + t.minute() * 60 + t.second();
}

}  // namespace

CoordinateResult ParseCoordinate(const QString& text) {
    CoordinateResult r;
    QString s = text.trimmed();
    if (s.isEmpty() || isBlankMask(s)) return r;
    if (s.mid(1, 3) == QLatin1String("000")) return r;

    const QString signs = QStringLiteral("-ENSW");
    double sign = 1.0;
    QChar signChar;
    if (signs.contains(s.at(0).toUpper())) {
        signChar = s.at(0).toUpper();
        s.remove(0, 1);
    } else if (signs.contains(s.at(s.size() - 1).toUpper())) {
        signChar = s.at(s.size() - 1).toUpper();
        s.chop(1);
    }
    if (signChar == QLatin1Char('-') || signChar == QLatin1Char('S') ||
        signChar == QLatin1Char('W'))
        sign = -1.0;

    const QString degEnd = QStringLiteral(" ',:") + kDegree;
    const QString degSkip = QStringLiteral(" ,:") + kDegree + kAcute;
    const QString partEnd = QStringLiteral(" ',:") + kAcute;

    QString fields[3] = {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0.0")};
    int pos = 0;
    for (int f = 0; f < 3 && pos < s.size(); ++f) {
        const QString& endSet = f == 0 ? degEnd : partEnd;
        const QString& skipSet = f == 0 ? degSkip : partEnd;
        int end = pos;
        while (end < s.size() && !isIn(s.at(end), endSet)) ++end;
        fields[f] = s.mid(pos, end - pos);
        if (end >= s.size()) {
            pos = s.size();
            break;
        }
        pos = end + 1;
        while (pos < s.size() && isIn(s.at(pos), skipSet)) ++pos;
    }

    static const char* const names[3] = {"degrees", "minutes", "seconds"};
    double values[3] = {0, 0, 0};
    for (int f = 0; f < 3; ++f) {
        if (!toNumber(fields[f], &values[f])) {
            r.error = QStringLiteral("Invalid character in %1 field in string %2")
                          .arg(QLatin1String(names[f]), text);
            return r;
        }
    }
    r.ok = true;
    r.degrees = sign * (values[0] + values[1] / 60.0 + values[2] / 3600.0);
    return r;
}

int LoftDistanceMetres(const QString& loftLon, const QString& loftLat, const QString& liberLon,
                       const QString& liberLat, QStringList* errors) {
    if (loftLat.startsWith(QLatin1Char(' '))) return 0;
    const QString* texts[4] = {&loftLat, &loftLon, &liberLat, &liberLon};
    double v[4] = {0, 0, 0, 0};
    bool allOk = true;
    for (int i = 0; i < 4; ++i) {
        const CoordinateResult c = ParseCoordinate(*texts[i]);
        if (!c.ok) {
            allOk = false;
            if (errors && !c.error.isEmpty()) errors->append(c.error);
        }
        v[i] = c.degrees;
    }
    if (!allOk) return 0;

    const double k = 3.141592654 / 180.0;
    const double phiL = v[0], lamL = v[1], phiR = v[2], lamR = v[3];
    const double dy = 110.9481458 * (phiL - phiR);
    const double dx =
        (111.3200144 * std::cos(phiL * k) + 111.3200144 * std::cos(phiR * k)) / 2.0 * (lamL - lamR);
    const double metres = std::trunc(std::sqrt(dx * dx + dy * dy) * 1000.0);
    if (!std::isfinite(metres) || metres > double(INT_MAX)) return 0;
    return int(metres);
}

DistanceUnit DistanceUnitFromMode(int mode) {
    return mode == 1 ? DistanceUnit::Imperial : DistanceUnit::Metric;
}

StoredDistance DistanceFromMetres(int metres, DistanceUnit unit) {
    StoredDistance d;
    if (unit == DistanceUnit::Imperial) {
        d.miles = int(std::trunc(metres / 1609.344));
        d.yards = int(std::trunc(metres / 0.9144));
    } else {
        d.miles = metres / 1000;
        d.yards = metres;
    }
    return d;
}

long long RoundHalfAway(double x) {
    const double whole = std::trunc(x);
    return (long long)whole + (long long)std::trunc(2.0 * (x - whole));
}

long long ApplyRounding(double x, Rounding r) {
    return r == Rounding::HalfAway ? RoundHalfAway(x) : (long long)std::trunc(x);
}

long long FlyingSeconds(long long deviation, const QDateTime& liberation, const QDateTime& arrival,
                        const QVector<SunRow>& sunRows, Rounding rounding) {
    const int dayL = liberation.date().dayOfYear();
    const int dayA = arrival.date().dayOfYear();
    double s = 0.0;
    if (dayL == dayA) {
        s = wallClockSeconds(liberation, arrival);
    } else {
        const int arrivalTod = wholeSecondOfDay(arrival.time());
        const int liberationTod = wholeSecondOfDay(liberation.time());
        for (const SunRow& row : sunRows) {
            const int dayR = row.raceDate.dayOfYear();
            if (dayR == dayA)
                s += arrivalTod - wholeSecondOfDay(row.sunRise);
            else if (dayR < dayA && dayR == dayL)
                s += wholeSecondOfDay(row.sunSet) - liberationTod;
            else if (dayR < dayA)
                s += wholeSecondOfDay(row.sunSet) - wholeSecondOfDay(row.sunRise);
        }
    }
    if (s <= 0.0) return 0;
    return ApplyRounding(s, rounding) - deviation;
}

QString SecondsToFlyTime(long long seconds) {
    const long long hours = seconds / 3600;
    const long long minutes = seconds / 60 - hours * 60;
    const long long secs = seconds % 60;
    return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes).arg(secs);
}

double RoundTo3(double x) { return QString::number(x, 'f', 3).toDouble(); }

double FlySpeed(long long distance, long long seconds) {
    if (distance < 1 || seconds < 1) return 0.0;
    return RoundTo3(double(distance) * 60.0 / double(seconds));
}

EntryResult ComputeEntryResult(int distance, long long deviation, const QDateTime& liberation,
                               const QDateTime& arrival, const QVector<SunRow>& sunRows,
                               Rounding rounding) {
    EntryResult r;
    r.seconds = FlyingSeconds(deviation, liberation, arrival, sunRows, rounding);
    r.flyTime = SecondsToFlyTime(r.seconds);
    r.flySpeed = FlySpeed(distance, r.seconds);
    r.dist = distance;
    return r;
}

QVector<int> PositionsOfSortedSpeeds(const QVector<double>& sortedSpeeds) {
    QVector<int> pos(sortedSpeeds.size());
    for (int i = 0; i < sortedSpeeds.size(); ++i)
        pos[i] = (i > 0 && !(sortedSpeeds[i] < sortedSpeeds[i - 1])) ? pos[i - 1] : i + 1;
    return pos;
}

QVector<int> OrderBySpeedDescending(const QVector<double>& speeds) {
    QVector<int> order(speeds.size());
    for (int i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&speeds](int a, int b) { return speeds[a] > speeds[b]; });
    return order;
}

QString RaceCodeFor(const QString& liberCode, const QDate& liberDate) {
    return liberCode + liberDate.toString(QStringLiteral("MMdd"));
}

QDateTime ParseBackTime(const QString& text) {
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{4})[/-](\d{1,2})[/-](\d{1,2})[ T](\d{1,2}):(\d{1,2}):(\d{1,2})(?:\.(\d{1,3})\d*)?\s*$)"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) return {};
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    QString msText = m.captured(7);
    while (!msText.isEmpty() && msText.size() < 3) msText.append(QLatin1Char('0'));
    const QTime t(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(),
                  msText.isEmpty() ? 0 : msText.toInt());
    if (!d.isValid() || !t.isValid()) return {};
    // Wall-clock fields only: UTC keeps a moment inside a daylight-saving gap as written.
    return QDateTime(d, t, Qt::UTC);
}

QString BackTimeText(const QDateTime& moment, bool withMilliseconds) {
    return moment.toString(withMilliseconds ? QStringLiteral("yyyy/MM/dd HH:mm:ss.zzz")
                                            : QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

namespace {
QString groupDigits(const QString& digits) {
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out.append(QLatin1Char(','));
        out.append(digits.at(i));
    }
    return out;
}
}  // namespace

QString GroupedInteger(long long value) {
    const bool neg = value < 0;
    const unsigned long long mag = neg ? 0ULL - (unsigned long long)value : (unsigned long long)value;
    return (neg ? QStringLiteral("-") : QString()) + groupDigits(QString::number(mag));
}

QString SpeedText(double speed) {
    if (speed == 0.0) return {};
    QString fixed = QString::number(std::fabs(speed), 'f', 3);
    const int dot = fixed.indexOf(QLatin1Char('.'));
    QString text = (speed < 0 ? QStringLiteral("-") : QString()) + groupDigits(fixed.left(dot)) +
                   fixed.mid(dot);
    return text.rightJustified(8, QLatin1Char(' '));
}

}  // namespace club
