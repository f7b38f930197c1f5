#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QTime>
#include <QVariant>

#include <optional>

class TdmLCXS;

// Statements that gather what the printouts show when a report is made outside its page
// (from the command line), and the header values the clock printouts look up themselves.
// The race-level lists (entries, results, the official list) are those of clockop_queries.h.

namespace reportq {

// Colour code -> colour name; the first name of a code wins.
QMap<QString, QString> featherColourNames(TdmLCXS& dm);

// The loft list: every loft with the number of its clocks, by loft number.
struct LoftListLine {
    QString loftNo;
    QString loftName;
    int clockCnt = 0;
};
QList<LoftListLine> loftList(TdmLCXS& dm);

struct LoftInfo {
    QString associationCode, loftNo, loftName, street, city, postCode, phoneNo, loftLon, loftLat;
};
std::optional<LoftInfo> loftByNo(TdmLCXS& dm, const QString& loftNo);
std::optional<LoftInfo> loftByName(TdmLCXS& dm, const QString& loftName);

// The ring list of a loft, in database order.
struct RingLine {
    QString pRingNo, sex, eRing, colorType;
    QDate createDate, assignDate;  // invalid when empty
    QDateTime updateTime;
};
QList<RingLine> loftRings(TdmLCXS& dm, const QString& loftNo);

// The race list, in table order.
struct RaceLine {
    QString clubId, liberCode, liberSiteAbbr, liberSite, raceCode;
    QDate liberDate;
    QTime liberTime;  // invalid when empty
};
QList<RaceLine> raceList(TdmLCXS& dm);
// The race with this race code; of several (same site and day in different years) the
// latest, or the one on `liberDate` when that is given.
std::optional<RaceLine> raceByCode(TdmLCXS& dm, const QString& raceCode, const QDate& liberDate = {});

// LiberSite of the library site with this code; empty when there is none.
QString librarySiteName(TdmLCXS& dm, const QString& liberCode);

// The distance panel's rows of one site, in table order, with the loft's name from the
// register (empty when the loft is gone).
struct DistanceLine {
    QString loftNo, loftName;
    QVariant miles, yards;  // null when empty
};
QList<DistanceLine> distanceLines(TdmLCXS& dm, const QString& liberCode);

// The status panel: one line per loft and clock of the race's entries.
struct StatusLine {
    QString loftNo, loftName, clockId;
    int markedCnt = 0;  // entries whose pigeon is in the register
    int arriveCnt = 0;  // entries with an arrival
};
QList<StatusLine> raceStatus(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate);

}  // namespace reportq
