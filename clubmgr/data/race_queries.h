#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>
#include <QVariant>

#include <optional>

class TdmLCXS;

namespace raceq {

// Statements of the Races page: races, liberation sites, clubs, loft distances, race status,
// results, recalculation, the sun table and arrivals typed in for other clocks.
// A race is found by its LiberCode and the calendar date of its LiberDate.

// ---- Races (LCX_RaceData) ------------------------------------------------------------------

struct RaceRow {
    QString clubId;
    QString liberCode;
    QString liberSite;
    QString liberSiteAbbr;
    QDate liberDate;
    QTime liberTime;         // invalid when null
    QVariant liberLon;       // null when the race has no coordinates
    QVariant liberLat;
    QString raceCode;
};

// Every race, in table order.
QList<RaceRow> selectRaces(TdmLCXS& dm);
std::optional<RaceRow> findRace(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate);
std::optional<RaceRow> findRaceOfClub(TdmLCXS& dm, const QString& clubId, const QString& liberCode,
                                      const QDate& liberDate);
void insertRace(TdmLCXS& dm, const RaceRow& race, const QDateTime& now);
// Updates the race with this LiberCode on this date (every field but the code).
void updateRace(TdmLCXS& dm, const RaceRow& race, const QDateTime& now);
int deleteRaceRow(TdmLCXS& dm, const QString& clubId, const QString& liberCode, const QDate& liberDate);
int deleteRaceEntries(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate);

// ---- Liberation sites (LCX_LiberateSite) ---------------------------------------------------

struct SiteRow {
    QString liberCode;
    QString liberSite;
    QString liberSiteAbbr;
    QVariant liberLon;   // null when the site has no coordinates
    QVariant liberLat;
};

QList<SiteRow> selectSites(TdmLCXS& dm);
std::optional<SiteRow> findSiteByName(TdmLCXS& dm, const QString& liberSite);
bool siteExists(TdmLCXS& dm, const QString& liberCode);
void insertSite(TdmLCXS& dm, const SiteRow& site);
int deleteSite(TdmLCXS& dm, const QString& liberCode);

// ---- Clubs (LCX_ClubMap) -------------------------------------------------------------------

// The ClubID of the first club with this name.
std::optional<QString> clubIdForName(TdmLCXS& dm, const QString& clubName);
std::optional<QString> clubNameForId(TdmLCXS& dm, const QString& clubId);
int deleteClubsNamed(TdmLCXS& dm, const QString& clubName);

// ---- Loft distances (LCX_LoftLibPointDist) ---------------------------------------------------

struct DistanceRow {
    QString loftNo;
    QString loftName;    // from the loft register; empty when the loft is gone
    QVariant miles;      // null when empty
    QVariant yards;
};

// One row with 0 and 0 for every loft of the register.
void insertDistanceRowsForAllLofts(TdmLCXS& dm, const QString& liberCode);
int deleteDistanceRows(TdmLCXS& dm, const QString& liberCode);
QList<DistanceRow> selectDistanceRows(TdmLCXS& dm, const QString& liberCode);
// Writes the row of this site and loft, adding it when it is missing.
void writeDistanceRow(TdmLCXS& dm, const QString& liberCode, const QString& loftNo, int miles, int yards);
// Hand edit of one row from the distance list.
void updateDistanceRow(TdmLCXS& dm, const QString& liberCode, const QString& loftNo,
                       const QVariant& miles, const QVariant& yards);
// The Yards value of the row, nullopt when there is no row (or it is empty).
std::optional<int> distanceYards(TdmLCXS& dm, const QString& liberCode, const QString& loftNo);

struct LoftCoordinates {
    QString loftNo;
    QVariant loftLon;    // null when not given
    QVariant loftLat;
};
// Every loft, in table order.
QList<LoftCoordinates> selectLoftCoordinates(TdmLCXS& dm);

// Mode of LCX_ClubData: 0 metric, 1 imperial; 0 without a settings row.
int clubDistanceMode(TdmLCXS& dm);

// ---- Race status ----------------------------------------------------------------------------

struct StatusLine {
    QString loftNo;      // empty for entries whose pigeon is not in the register
    QString loftName;
    QString clockId;
    int markedCnt = 0;
    int arriveCnt = 0;
};
QList<StatusLine> selectRaceStatus(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate);

// ---- Results --------------------------------------------------------------------------------

struct ResultEntry {
    QString pRingNo;
    QString backTime;
    QString flyTime;
    QVariant flySpeed;    // null when empty
    QVariant dist;
    QVariant timeVari;
    bool inRegister = false;   // the pigeon is in LCX_PigData
    QString loftNo;
    QString loftName;
    QString rCountry, rYear, rRegLetter, rRegNumber;
    QString sex, colorType;
    bool hasDistanceRow = false;   // the pigeon's loft has a distance row for the code
    QVariant yards;                // that row's Yards
    QVariant storedLiberDate;      // the entry's LiberDate as stored, to write it back by key
};

// The race's entries that have a BackTime (or all of them), in the database's order.
QList<ResultEntry> selectArrivedEntries(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                                        bool arrivedOnly = true);

struct RaceCounts {
    int members = 0;   // distinct lofts among the entries; unregistered pigeons count as one
    int birdsSent = 0;
};

// Writes FlyTime, FlySpeed and Dist of one entry, found by its key with the LiberDate exactly
// as stored (ResultEntry::storedLiberDate), so the whole key index serves every update.
void updateEntryResult(TdmLCXS& dm, const QString& liberCode, const QVariant& storedLiberDate,
                       const QString& pRingNo, const QString& flyTime, double flySpeed, int dist);

// ---- Sun table (LCX_SunSet_SunRise) ------------------------------------------------------------

struct SunTableRow {
    QDate raceDate;
    QTime sunSet;
    QTime sunRise;
    QString location;
};
// The race's rows; by RaceDate when `byDate`, else in table order.
QList<SunTableRow> selectSunRows(TdmLCXS& dm, const QString& raceCode, bool byDate);
int deleteSunRows(TdmLCXS& dm, const QString& raceCode);
void insertSunRow(TdmLCXS& dm, const QString& raceCode, const SunTableRow& row);

// ---- Other clocks ---------------------------------------------------------------------------

// Every loft name once, in table order.
QStringList selectRaceLoftNames(TdmLCXS& dm);
std::optional<QString> loftNoForName(TdmLCXS& dm, const QString& loftName);
// Ring numbers of the loft's pigeons (table order), optionally only those ending in `tail`.
QStringList selectLoftRings(TdmLCXS& dm, const QString& loftNo, const QString& tail = {});

struct ClockTimeRow {
    QDateTime dlMarkedTime;
    QDateTime ulMasterTime;
    QDateTime ulClockTime;
};
std::optional<ClockTimeRow> findClockTime(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                                          const QString& loftNo);
void updateClockTime(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                     const QString& loftNo, const ClockTimeRow& times);
void insertClockTime(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                     const QString& loftNo, const ClockTimeRow& times);

struct RingArrival {
    QString pRingNo;
    QString backTime;    // empty when the pigeon has no arrival in the race
};
// Every pigeon of the loft by ring number, with its arrival in the race.
QList<RingArrival> selectLoftArrivals(TdmLCXS& dm, const QString& loftNo, const QString& liberCode,
                                      const QDate& liberDate);
// BackTime of the pigeon's entry; nullopt without entry, empty text without arrival.
std::optional<QString> entryBackTime(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                                     const QString& pRingNo);

struct EntryArrival {
    QString clubId;
    QString backTime;
    QString flyTime;
    double flySpeed = 0;
    int dist = 0;
};
// Writes the arrival into the pigeon's entry, adding the entry when there is none.
void writeEntryArrival(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                       const QString& pRingNo, const EntryArrival& arrival);

}  // namespace raceq
