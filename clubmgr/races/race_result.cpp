#include "race_result.h"

#include "db_transaction.h"
#include "dm_lcxs.h"
#include "flight_math.h"

#include <QSet>

using namespace raceq;

namespace club {

QVector<SunRow> SunRowsOf(TdmLCXS& dm, const QString& raceCode) {
    QVector<SunRow> rows;
    for (const SunTableRow& r : selectSunRows(dm, raceCode, true))
        rows.append({r.raceDate, r.sunSet, r.sunRise, r.location});
    return rows;
}

RaceResult LoadRaceResult(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                          bool withDistanceRowOnly) {
    // One pass over all entries of the race gives the counts and the arrived ones.
    QList<ResultEntry> entries = selectArrivedEntries(dm, liberCode, liberDate, false);
    RaceResult result;
    result.counts.birdsSent = int(entries.size());
    QSet<QString> lofts;
    bool unregistered = false;
    for (const ResultEntry& e : entries) {
        if (e.inRegister && !e.loftNo.isNull())
            lofts.insert(e.loftNo);
        else
            unregistered = true;   // no pigeon or no loft number: together one member
    }
    result.counts.members = int(lofts.size()) + (unregistered ? 1 : 0);
    entries.removeIf([withDistanceRowOnly](const ResultEntry& e) {
        return e.backTime.isEmpty() || (withDistanceRowOnly && !e.hasDistanceRow);
    });
    QVector<double> speeds;
    speeds.reserve(entries.size());
    for (const ResultEntry& e : entries) speeds.append(e.flySpeed.toDouble());

    const QVector<int> order = OrderBySpeedDescending(speeds);
    QVector<double> sorted;
    sorted.reserve(order.size());
    for (int i : order) sorted.append(speeds[i]);
    const QVector<int> positions = PositionsOfSortedSpeeds(sorted);

    result.rows.reserve(order.size());
    for (int k = 0; k < order.size(); ++k)
        result.rows.append({positions[k], sorted[k], std::move(entries[order[k]])});
    return result;
}

QString SummaryLine(const RaceResult& result) {
    return QStringLiteral("%1 Members sent %2 birds of which %3 were clocked")
        .arg(result.counts.members)
        .arg(result.counts.birdsSent)
        .arg(result.clocked());
}

QString ResultTitle(const QString& clubId, const QString& liberSite) {
    return clubId + QStringLiteral(" Result for ") + liberSite;
}

QString SpeedColumnTitle(int mode) {
    return mode == 1 ? QStringLiteral("Yds/Min") : QStringLiteral("MPM");
}

QString PigeonText(const ResultEntry& e) {
    if (!e.inRegister) return e.pRingNo;
    return QStringList{e.rCountry, e.rYear, e.rRegLetter, e.rRegNumber}.join(QLatin1Char(' '));
}

RecalculationReport RecalculateRace(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                                    const QDateTime& liberation) {
    RecalculationReport report;
    const QVector<SunRow> sun = SunRowsOf(dm, RaceCodeFor(liberCode, liberDate));
    const QList<ResultEntry> entries = selectArrivedEntries(dm, liberCode, liberDate);
    // Wall-clock fields only, like the arrival texts.
    const QDateTime lib(liberation.date(), liberation.time(), Qt::UTC);
    DbTransaction tx(dm);
    for (const ResultEntry& e : entries) {
        if (!e.inRegister) continue;
        const QDateTime arrival = ParseBackTime(e.backTime);
        if (!arrival.isValid()) {
            report.unreadable.append(e.pRingNo);
            continue;
        }
        const int d = e.hasDistanceRow ? e.yards.toInt() : 0;
        const EntryResult r =
            ComputeEntryResult(d, e.timeVari.toLongLong(), lib, arrival, sun, Rounding::Truncate);
        updateEntryResult(dm, liberCode, e.storedLiberDate, e.pRingNo, r.flyTime, r.flySpeed, r.dist);
        ++report.entries;
    }
    tx.commit();
    return report;
}

}  // namespace club
