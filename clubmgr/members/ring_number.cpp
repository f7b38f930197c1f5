#include "ring_number.h"

#include <QStringList>

namespace members {

namespace {

bool isOneOf(const QString& code, std::initializer_list<const char*> codes)
{
    for (const char* c : codes)
        if (code == QLatin1String(c))
            return true;
    return false;
}

QString zeroPadded(int value, int digits)
{
    return QString::asprintf("%.*d", digits, value);
}

QString wholeNumberError(const QString& what, const QString& text)
{
    return QStringLiteral("%1 \"%2\" is not a whole number !").arg(what, text);
}

const QString kRegNumber = QStringLiteral("Registration number");
const QString kUpperRegNumber = QStringLiteral("Upper registration number");

// The single-pigeon rule with the number part already written.
QString assemble(RingFamily family, const RingParts& p, const QString& number)
{
    const QString yy = shortYear(p.year);
    const QChar dash = QLatin1Char('-');
    switch (family) {
    case RingFamily::FullYear: return p.country + p.year + p.letters + number;
    case RingFamily::Padded4:
    case RingFamily::Pk: return p.country + yy + dash + p.letters + dash + number;
    case RingFamily::CzSk: return p.country + dash + yy + dash + p.letters + dash + number;
    case RingFamily::PlDv: return p.country + p.letters + dash + yy + dash + number;
    case RingFamily::France: return p.country + dash + yy + dash + p.letters + QLatin1Char('.') + number;
    case RingFamily::Other: return p.country + yy + p.letters + number;
    }
    return QString();
}

}  // namespace

RingFamily ringFamily(const QString& country)
{
    if (isOneOf(country, {"NWHU", "NEHU", "MALTA"}))
        return RingFamily::FullYear;
    if (isOneOf(country, {"AU", "IF", "CU", "MX"}))
        return RingFamily::Padded4;
    if (country == QLatin1String("PK"))
        return RingFamily::Pk;
    if (isOneOf(country, {"CZ", "SK"}))
        return RingFamily::CzSk;
    if (isOneOf(country, {"PL", "DV"}))
        return RingFamily::PlDv;
    if (country == QLatin1String("FRANCE"))
        return RingFamily::France;
    return RingFamily::Other;
}

QString shortYear(const QString& year)
{
    return year.mid(2, 2);
}

bool parseWholeNumber(const QString& text, int* value)
{
    const QString t = text.trimmed();
    const int start = t.startsWith(QLatin1Char('-')) ? 1 : 0;
    const int digits = int(t.size()) - start;
    if (digits < 1 || digits > 9)
        return false;
    int v = 0;
    for (int i = start; i < t.size(); ++i) {
        if (t[i] < QLatin1Char('0') || t[i] > QLatin1Char('9'))
            return false;
        v = v * 10 + (t[i].unicode() - '0');
    }
    *value = start ? -v : v;
    return true;
}

RingResult composeRing(const RingParts& parts, const QString& selectedRing)
{
    const RingFamily family = ringFamily(parts.country);
    QString number = parts.number;
    if (family == RingFamily::Padded4 && number.size() < 4) {
        int n = 0;
        if (!parseWholeNumber(number, &n))
            return RingResult{false, QString(), wholeNumberError(kRegNumber, number)};
        number = zeroPadded(n, 4);
    }
    if (family == RingFamily::Other && number.isEmpty())
        return RingResult{true, selectedRing, QString()};
    return RingResult{true, assemble(family, parts, number), QString()};
}

RangeResult composeRange(const RingParts& parts, const QString& upper, const QString& selectedRing)
{
    RangeResult result;
    int first = 0;
    int last = 0;
    const bool ranged = !upper.isEmpty();
    if (ranged) {
        if (!parseWholeNumber(parts.number, &first)) {
            result.error = wholeNumberError(kRegNumber, parts.number);
            return result;
        }
        if (!parseWholeNumber(upper, &last)) {
            result.error = wholeNumberError(kUpperRegNumber, upper);
            return result;
        }
    }
    if (!ranged || last - first < 1) {
        const RingResult one = composeRing(parts, selectedRing);
        if (!one.ok) {
            result.error = one.error;
            return result;
        }
        result.rings.push_back(RangeRing{one.ringNo, parts.number});
        result.ok = true;
        return result;
    }
    if (qint64(last) - first + 1 > maxRangeRings) {
        result.error = QStringLiteral("A range may add at most %1 rings at once !").arg(maxRangeRings);
        return result;
    }

    const RingFamily family = ringFamily(parts.country);
    const int typedDigits = int(parts.number.trimmed().size());
    result.rings.reserve(size_t(last - first + 1));
    for (int k = first; k <= last; ++k) {
        QString regNumber;
        QString ringPart;
        switch (family) {
        case RingFamily::Padded4:
            regNumber = ringPart = zeroPadded(k, 4);
            break;
        case RingFamily::Pk:
        case RingFamily::CzSk:
            regNumber = zeroPadded(k, typedDigits);
            ringPart = QString::number(k);
            break;
        default:
            regNumber = ringPart = zeroPadded(k, typedDigits);
            break;
        }
        result.rings.push_back(RangeRing{assemble(family, parts, ringPart), regNumber});
    }
    result.ok = true;
    return result;
}

QString composeImportRing(const RingParts& p)
{
    const QString yy = shortYear(p.year);
    const QString& c = p.country;
    if (isOneOf(c, {"NWHU", "NEHU", "MALTA"}))
        return c + p.year + p.letters + p.number;
    if (isOneOf(c, {"AU", "IF", "PK", "CU", "MX"})) {
        QString n = p.number;
        if (n.size() <= 3)
            n = n.rightJustified(4, QLatin1Char('0'));
        return c + yy + QLatin1Char('-') + p.letters + QLatin1Char('-') + n;
    }
    if (c == QLatin1String("PL"))
        return c + p.letters + yy + p.number;
    return c + yy + p.letters + p.number;
}

}  // namespace members
