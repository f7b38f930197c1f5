#pragma once
// Fills the printouts' inputs from the club database: the header values every report
// looks up itself, and, for printing without a page (command line), the rows as the
// page would list them.

#include "clock_printouts.h"
#include "member_printouts.h"
#include "race_printouts.h"

#include <QString>

#include <optional>

class TdmLCXS;

namespace club::reports {

ClubAddress clubAddressFrom(TdmLCXS& dm);
DistanceMode distanceModeFrom(TdmLCXS& dm);

// The race named by a race code ("1A2B0819") or a clock page's race-code text
// ("1A2B / 0819"); its site name comes from the site library.
std::optional<RaceHeader> raceHeaderFrom(TdmLCXS& dm, const QString& raceCodeText);

// Header values of the clock printouts, for inputs whose rows the page has filled:
// the race from raceCodeText, the loft (by name for the entry, by the clock's site text
// for the official list) and the race's clock times for that loft.
void fillRaceEntryHeader(TdmLCXS& dm, RaceEntryInput& in);
void fillOfficialListHeader(TdmLCXS& dm, OfficialListInput& in);
void fillRankingHeader(TdmLCXS& dm, RankingInput& in);

// Whole inputs, rows included, as the pages list them. Each throws DbError on a
// database failure and returns nullopt when the race or loft is not found.
MemListInput memberListFrom(TdmLCXS& dm);
std::optional<MemRingListInput> ringListFrom(TdmLCXS& dm, const QString& loftNo);
std::optional<MemDistInput> distanceListFrom(TdmLCXS& dm, const QString& raceCodeText);
RaceListInput raceListFrom(TdmLCXS& dm);
std::optional<RaceStatInput> raceStatFrom(TdmLCXS& dm, const QString& raceCodeText);
std::optional<RaceResultInput> raceResultFrom(TdmLCXS& dm, const QString& raceCodeText);
// deviceNo empty: the clock recorded for the loft in the race.
std::optional<RaceEntryInput> raceEntryFrom(TdmLCXS& dm, const QString& raceCodeText, const QString& loftNo,
                                            const QString& deviceNo = {});
std::optional<OfficialListInput> officialListFrom(TdmLCXS& dm, const QString& raceCodeText, const QString& loftNo,
                                                  const QString& deviceNo = {});
std::optional<RankingInput> rankingFrom(TdmLCXS& dm, const QString& raceCodeText);

}  // namespace club::reports
