// Loading a member's race clock: the tag list, the site, and a training flight or a race.
// Each failing step after the tag list throws ClockOpError with its message; nothing is
// written to the database until the clock has accepted the whole sequence.
#pragma once

#include "clockop_queries.h"
#include "clockop_shared.h"

#include <QDateTime>

namespace clockops {

// The tag list of a loft's pigeons; failures are shown and the list goes on.
void SendTagList(ClockOpShared &shared, uint32_t port, const QList<clockq::PigeonRow> &pigeons);

// Longitude and latitude of the loft in milliseconds of arc (0 for an empty mask).
void LoftPositionMs(ClockOpShared &shared, const QString &loftNo, int32_t *lon, int32_t *lat);

// Training flight "F0000001" for CurLoftNo with these pigeons (E_Ring order).
void LoadTrainingFlight(ClockOpShared &shared, const QList<clockq::PigeonRow> &pigeons);

// The race CurRaceCode for CurLoftNo with these entries (E_Ring order); returns the load time.
QDateTime LoadRace(ClockOpShared &shared, const QList<clockq::PigeonRow> &entries);

} // namespace clockops
