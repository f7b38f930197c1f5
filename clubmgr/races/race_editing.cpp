#include "race_editing.h"

#include "db_transaction.h"
#include "dm_lcxs.h"
#include "flight_math.h"
#include "race_queries.h"

using namespace raceq;

namespace club {

const char* const kSiteDataMissingText = "Set new liberate point find data entry error !";
const char* const kUnknownClubText = "Please choose the club from the club list !";

bool IsBlankCoordinate(const QString& maskText) {
    return maskText.isEmpty() || maskText.at(0) == QLatin1Char(' ');
}

SaveOutcome SaveRace(TdmLCXS& dm, const RaceForm& form, const QDateTime& now) {
    // A race without a known club could not be found again by "Delete Point".
    const std::optional<QString> clubId = clubIdForName(dm, form.clubName);
    if (!clubId) return SaveOutcome::UnknownClub;

    RaceRow race;
    race.clubId = *clubId;
    race.liberCode = form.liberCode;
    race.liberSite = form.liberSite;
    race.liberSiteAbbr = form.liberSiteAbbr;
    race.liberDate = form.liberDate;
    race.liberTime = form.liberTime;
    race.raceCode = RaceCodeFor(form.liberCode, form.liberDate);

    DbTransaction tx(dm);
    SaveOutcome outcome;
    if (findRace(dm, form.liberCode, form.liberDate)) {
        race.liberLon = form.liberLon;   // an update keeps the texts, blank masks included
        race.liberLat = form.liberLat;
        updateRace(dm, race, now);
        outcome = SaveOutcome::Updated;
    } else {
        const bool blank = IsBlankCoordinate(form.liberLon);
        const QVariant noText(QMetaType(QMetaType::QString));
        race.liberLon = blank ? noText : QVariant(form.liberLon);
        race.liberLat = blank ? noText : QVariant(form.liberLat);
        outcome = SaveOutcome::NewRace;
        if (!siteExists(dm, form.liberCode)) {
            if (form.liberSiteAbbr.isEmpty() || form.liberSite.isEmpty() || form.liberCode.isEmpty())
                return SaveOutcome::SiteDataMissing;
            insertSite(dm, {form.liberCode, form.liberSite, form.liberSiteAbbr, race.liberLon, race.liberLat});
            insertDistanceRowsForAllLofts(dm, form.liberCode);
            outcome = SaveOutcome::NewRaceAndSite;
        }
        insertRace(dm, race, now);
    }
    tx.commit();
    return outcome;
}

void DeleteRace(TdmLCXS& dm, const QString& clubId, const QString& liberCode, const QDate& liberDate) {
    deleteRaceRow(dm, clubId, liberCode, liberDate);
    // The race is gone once its row is; what belongs to it is cleared as far as possible.
    try {
        deleteSunRows(dm, RaceCodeFor(liberCode, liberDate));
    } catch (const DbError&) {
    }
    try {
        deleteRaceEntries(dm, liberCode, liberDate);
    } catch (const DbError&) {
    }
}

void DeleteSite(TdmLCXS& dm, const QString& liberCode) {
    DbTransaction tx(dm);
    deleteSite(dm, liberCode);
    deleteDistanceRows(dm, liberCode);
    tx.commit();
}

}  // namespace club
