#include "sun_table.h"

#include "db_transaction.h"
#include "dm_lcxs.h"
#include "race_queries.h"

#include <QRegularExpression>

using namespace raceq;

namespace club {

namespace {

// "yyyy-mm-dd", "yy-mm-dd", also with "/" or ".": two-digit years are 20yy.
QDate parseDay(const QString& text) {
    static const QRegularExpression re(QStringLiteral(R"(^\s*(\d{2}|\d{4})[-/.](\d{1,2})[-/.](\d{1,2})\s*$)"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) return {};
    int year = m.captured(1).toInt();
    if (m.captured(1).size() == 2) year += 2000;
    return QDate(year, m.captured(2).toInt(), m.captured(3).toInt());
}

// "hh:nn:ss" or "hh:nn"; an empty cell is no time.
bool parseTime(const QString& text, QTime* out) {
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *out = QTime();
        return true;
    }
    static const QRegularExpression re(QStringLiteral(R"(^(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?$)"));
    const QRegularExpressionMatch m = re.match(t);
    if (!m.hasMatch()) return false;
    *out = QTime(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return out->isValid();
}

}  // namespace

QVector<SunCells> LoadSunCells(TdmLCXS& dm, const QString& raceCode) {
    QVector<SunCells> cells;
    for (const SunTableRow& r : selectSunRows(dm, raceCode, false)) {
        if (cells.size() == kSunTableDays) break;
        cells.append({r.raceDate.toString(QStringLiteral("yy-MM-dd")), r.location,
                      r.sunSet.toString(QStringLiteral("HH:mm:ss")),
                      r.sunRise.toString(QStringLiteral("HH:mm:ss"))});
    }
    return cells;
}

QString SaveSunCells(TdmLCXS& dm, const QString& raceCode, const QVector<SunCells>& rows) {
    QList<SunTableRow> parsed;
    for (int i = 0; i < rows.size(); ++i) {
        const SunCells& c = rows[i];
        if (c.date.trimmed().isEmpty()) continue;
        SunTableRow r;
        r.raceDate = parseDay(c.date);
        r.location = c.location;
        if (!r.raceDate.isValid())
            return QStringLiteral("\"%1\" is not a date (yyyy-mm-dd) !").arg(c.date);
        if (!parseTime(c.sunSet, &r.sunSet))
            return QStringLiteral("\"%1\" is not a time (hh:nn:ss) !").arg(c.sunSet);
        if (!parseTime(c.sunRise, &r.sunRise))
            return QStringLiteral("\"%1\" is not a time (hh:nn:ss) !").arg(c.sunRise);
        parsed.append(r);
    }
    DbTransaction tx(dm);
    deleteSunRows(dm, raceCode);
    for (const SunTableRow& r : parsed) insertSunRow(dm, raceCode, r);
    tx.commit();
    return {};
}

}  // namespace club
