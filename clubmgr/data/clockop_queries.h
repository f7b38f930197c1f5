#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>

#include <QHash>
#include <QSet>

#include <memory>
#include <optional>

class TdmLCXS;

// Statements of the clock-operation window: ring matching, marking, loading a race into a
// clock, reading results back and the SMS download. A race is always selected by its
// liberation code together with the calendar date of its liberation.

namespace clockq {

// ---- Members and races -------------------------------------------------------------------

QStringList loftNames(TdmLCXS& dm);                                   // table order
std::optional<QString> loftNoByName(TdmLCXS& dm, const QString& loftName);
QStringList loftNamesWithEntries(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate);

struct LoftRow {
    QString loftNo, loftName, associationCode, loftLon, loftLat, phoneNo;
};
std::optional<LoftRow> loftByNo(TdmLCXS& dm, const QString& loftNo);

struct RaceRow {
    QString clubId, liberCode, liberSite, raceCode;
    QDate liberDate;
    QTime liberTime;
    QVariant liberLon, liberLat; // null when empty in the database
};
QList<RaceRow> races(TdmLCXS& dm);                                    // table order
std::optional<RaceRow> raceByCode(TdmLCXS& dm, const QString& raceCode);
// The race of this liberation code whose date has this month and day ("MM/dd").
std::optional<RaceRow> raceByCodeAndMonthDay(TdmLCXS& dm, const QString& liberCode, const QString& monthDay);

// Sun table of a race code, in RaceDate order.
struct SunTableRow {
    QDate raceDate;
    QTime sunSet, sunRise;
};
QList<SunTableRow> sunRows(TdmLCXS& dm, const QString& raceCode);

int clubMode(TdmLCXS& dm); // 0 metric, 1 imperial (0 when there is no settings row)

// ---- Pigeons as the clock pages list them ------------------------------------------------

struct PigeonRow {
    QString loftNo, loftName, pRingNo, eRing, uid, sex, colorType, feathColor, rRegNumber, rYear;
    QString rCountry, rRegLetter, comment;
    int randomCode = 0;         // LCX_PigData.RandomCode, or the race entry's on the race page
    QVariant markedTime;        // race page
    QString clockId;            // race page
    QString liberCode;          // marking page
    QDate liberDate;            // marking page (invalid when not entered)
};

QList<PigeonRow> matchingRows(TdmLCXS& dm, const QString& loftNo);
QList<PigeonRow> markingRows(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate);
QList<PigeonRow> trainingRows(TdmLCXS& dm, const QString& loftNo, bool orderByRing);
QList<PigeonRow> raceEntryRows(TdmLCXS& dm, const QString& loftNo, const QString& liberCode,
                               const QDate& liberDate, bool orderByRing);

// ---- Ring matching -----------------------------------------------------------------------

std::optional<PigeonRow> pigeonByUid(TdmLCXS& dm, const QString& uid);
bool pigeonOfLoftExists(TdmLCXS& dm, const QString& loftNo, const QString& pRingNo);
// Empties E_Ring and UID of a pigeon the ring moves away from.
void clearPigeonRing(TdmLCXS& dm, const QString& pRingNo, const QDate& today, const QDateTime& now);
// Ties a ring to a pigeon; returns the number of rows changed.
int tieRing(TdmLCXS& dm, const QString& loftNo, const QString& pRingNo, const QString& eRing,
            const QString& uid, int randomCode, const QDate& today, const QDateTime& now);

// ---- Marking -----------------------------------------------------------------------------

// Updates the entry's code and time, or adds the entry.
void markEntry(TdmLCXS& dm, const QString& clubId, const QString& liberCode, const QDate& liberDate,
               const QString& pRingNo, int randomCode, const QDateTime& markedTime);

// ---- Loading a clock ---------------------------------------------------------------------

void setClockOfLoftEntries(TdmLCXS& dm, const QString& clockId, const QString& liberCode,
                           const QDate& liberDate, const QString& loftNo);
void recordRaceClockLoad(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                         const QString& loftNo, const QString& clockId, const QDateTime& loaded);
void recordLoftClock(TdmLCXS& dm, const QString& loftNo, const QString& clockId, const QDateTime& now);

struct RaceClockRow {
    QString clockId;
    QDateTime dlMarkedTime, ulMasterTime, ulClockTime;
};
std::optional<RaceClockRow> raceClockOfLoft(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                                            const QString& loftNo);

// ---- Reading results ---------------------------------------------------------------------

std::optional<QString> pRingNoByERing(TdmLCXS& dm, const QString& eRing);
int entryCount(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate, const QString& pRingNo);
int distanceOf(TdmLCXS& dm, const QString& liberCode, const QString& loftNo); // Yards, 0 when none
bool uidKnown(TdmLCXS& dm, const QString& uid);

struct ResultWrite {
    QString backTime, flyTime, clockId, uidReal, realRandom;
    double flySpeed = 0.0;
    int dist = 0;
    int timeVari = 0;
};
void writeResult(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate, const QString& pRingNo,
                 const ResultWrite& r);
void writeRejected(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate, const QString& pRingNo,
                   const QString& uidReal, const QString& realRandom);
// What writing one clock's results looks up for every arrival, read once per clock.
struct ReadoutLookups {
    QHash<QString, QString> pRingNoByERing; // E_Ring -> PRingNo (the first pigeon with it)
    QHash<QString, int> entriesOfPigeon;    // PRingNo -> number of its entries in the race
    QSet<QString> knownUids;                // every UID of the register
};
ReadoutLookups readoutLookups(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate);

// The two statements of the result writing, prepared once for a whole clock.
class ResultWriter {
public:
    ResultWriter(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate);
    ~ResultWriter();
    ResultWriter(const ResultWriter&) = delete;
    ResultWriter& operator=(const ResultWriter&) = delete;
    void write(const QString& pRingNo, const ResultWrite& r);
    void reject(const QString& pRingNo, const QString& uidReal, const QString& realRandom);

private:
    struct Statements;
    QString liberCode_;
    QDate liberDate_;
    std::unique_ptr<Statements> st_;
};

// Stores the closing times on the race's row for that clock (no row is added).
void recordRaceClockUpload(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                           const QString& clockId, const QDateTime& master, const QDateTime& clock);

// The race's result list: entries with a BackTime, fastest first (then BackTime).
struct ResultRow {
    int rank = 0;
    QString loftNo, loftName, pRingNo, backTime, flyTime;
    QString rCountry, rYear, rRegLetter, rRegNumber, sex, colorType;
    double flySpeed = 0.0;
    QVariant dist, timeVari;
};
QList<ResultRow> resultRows(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                            bool thenByBackTime);

// The official race list of one loft: its entries with a RealRandom, fastest first.
struct OfficialRow {
    int rank = 0;
    QString pRingNo, rCountry, rYear, rRegLetter, rRegNumber, sex, colorType, backTime;
    int randomCode = 0;
    QString realRandom;
};
QList<OfficialRow> officialRows(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                                const QString& loftNo);

struct RaceSummary {
    int members = 0, birds = 0;
};
RaceSummary raceSummary(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate);

// ---- SMS download ------------------------------------------------------------------------

struct SmsEntryRow {
    QString rRegNumber, eRing, uid, loftNo, loftName, pRingNo, comment;
};
// Entries of the races with this race code (LiberCode + "mmdd"), by LoftNo and RRegNumber.
QList<SmsEntryRow> smsEntries(TdmLCXS& dm, const QString& raceCode);

struct SmsLoftRow {
    QString loftNo, loftName, phoneNo, loftLon, loftLat;
};
QList<SmsLoftRow> smsLofts(TdmLCXS& dm, const QString& raceCode);

} // namespace clockq
