#include "other_clock_entry.h"

#include "db_transaction.h"
#include "dm_lcxs.h"
#include "flight_math.h"
#include "race_queries.h"
#include "race_result.h"

using namespace raceq;

namespace club {

OtherClockResult SaveOtherClockArrival(TdmLCXS& dm, const OtherClockInput& in) {
    OtherClockResult out;
    DbTransaction tx(dm);
    const ClockTimeRow times{in.markedSet, in.masterCheck, in.memberCheck};
    if (findClockTime(dm, in.liberCode, in.liberDate, in.loftNo))
        updateClockTime(dm, in.liberCode, in.liberDate, in.loftNo, times);
    else
        insertClockTime(dm, in.liberCode, in.liberDate, in.loftNo, times);

    const QDateTime arrival(in.arrivalDate, QTime(in.arrivalTime.hour(), in.arrivalTime.minute(),
                                                  in.arrivalTime.second()), Qt::UTC);
    out.backTime = BackTimeText(arrival, false);
    out.dist = distanceYards(dm, in.liberCode, in.loftNo).value_or(0);
    // Truncated toward zero, as a clock's deviation always is.
    out.deviation = in.masterCheck.msecsTo(in.memberCheck) / 1000;

    const std::optional<RaceRow> race = findRace(dm, in.liberCode, in.liberDate);
    const QDate libDate = race ? race->liberDate : in.liberDate;
    const QTime libTime = race && race->liberTime.isValid() ? race->liberTime : QTime(0, 0);
    const QDateTime liberation(libDate, libTime, Qt::UTC);

    const EntryResult r = ComputeEntryResult(out.dist, out.deviation, liberation, arrival,
                                             SunRowsOf(dm, RaceCodeFor(in.liberCode, libDate)),
                                             Rounding::Truncate);
    out.seconds = r.seconds;
    out.flyTime = r.flyTime;
    out.flySpeed = r.flySpeed;
    writeEntryArrival(dm, in.liberCode, in.liberDate, in.pRingNo,
                      {in.clubId, out.backTime, out.flyTime, out.flySpeed, out.dist});
    tx.commit();
    return out;
}

}  // namespace club
