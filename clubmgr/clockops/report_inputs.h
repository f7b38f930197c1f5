// The inputs of the three clock printouts, gathered from the database and the window.
#pragma once

#include "clock_printouts.h"
#include "clockop_queries.h"
#include "clockop_shared.h"

class TdmLCXS;

namespace clockops {

void FillRaceEntryReport(TdmLCXS &dm, const ClockOpValues &v, const QList<clockq::PigeonRow> &rows,
                         club::reports::RaceEntryInput *in);

void FillOfficialListReport(TdmLCXS &dm, const ClockOpValues &v, const QList<clockq::OfficialRow> &rows,
                            club::reports::OfficialListInput *in);

void FillRankingReport(TdmLCXS &dm, const ClockOpValues &v, const QList<clockq::ResultRow> &rows,
                       club::reports::RankingInput *in);

} // namespace clockops
