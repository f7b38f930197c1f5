#include "distance_update.h"

#include "db_transaction.h"
#include "dm_lcxs.h"
#include "flight_math.h"
#include "race_queries.h"

using namespace raceq;

namespace club {

DistanceUpdateReport UpdateLoftDistances(TdmLCXS& dm, const QString& clubId, const QString& liberCode,
                                         const QDate& liberDate) {
    DistanceUpdateReport report;
    const std::optional<RaceRow> race = findRaceOfClub(dm, clubId, liberCode, liberDate);
    if (!race) return report;
    report.raceFound = true;

    const DistanceUnit unit = DistanceUnitFromMode(clubDistanceMode(dm));
    const QString raceLon = race->liberLon.toString();
    const QString raceLat = race->liberLat.toString();
    // A bad liberation point is reported once, not once per loft; every loft then gets 0.
    QStringList raceErrors;
    const CoordinateResult lat = ParseCoordinate(raceLat);
    const CoordinateResult lon = ParseCoordinate(raceLon);
    for (const CoordinateResult* c : {&lat, &lon})
        if (!c->error.isEmpty()) report.messages.append(c->error);
    const bool raceOk = lat.ok && lon.ok;

    const QList<LoftCoordinates> lofts = selectLoftCoordinates(dm);
    DbTransaction tx(dm);
    for (const LoftCoordinates& loft : lofts) {
        if (loft.loftLon.isNull()) continue;
        int metres = 0;
        if (raceOk) {
            QStringList errors;
            metres = LoftDistanceMetres(loft.loftLon.toString(), loft.loftLat.toString(), raceLon, raceLat,
                                        &errors);
            report.messages.append(errors);
        }
        const StoredDistance d = DistanceFromMetres(metres, unit);
        writeDistanceRow(dm, liberCode, loft.loftNo, d.miles, d.yards);
        ++report.loftsWritten;
    }
    tx.commit();
    return report;
}

}  // namespace club
