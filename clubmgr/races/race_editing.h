#pragma once
// Saving and deleting races, liberation sites and clubs: the plain work behind the race
// panel's detail group and its pop-up menus.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

class TdmLCXS;

namespace club {

// What the detail group holds when "Save" is pressed. Coordinate texts are the entry
// masks' texts: a first character that is a space means no coordinate was given.
struct RaceForm {
    QString clubName;
    QString liberCode;
    QString liberSiteAbbr;
    QString liberSite;
    QDate liberDate;
    QTime liberTime;
    QString liberLon;
    QString liberLat;
};

enum class SaveOutcome {
    NewRaceAndSite,   // the code was new: the site and its distance rows were added too
    NewRace,
    Updated,
    SiteDataMissing,  // new site without abbreviation, name or code: nothing stored
    UnknownClub,      // the club name matches no club: nothing stored
};

extern const char* const kSiteDataMissingText;  // "Set new liberate point find data entry error !"
extern const char* const kUnknownClubText;

bool IsBlankCoordinate(const QString& maskText);

// New race (and new site) or update of the race with this code on this date; all or nothing.
SaveOutcome SaveRace(TdmLCXS& dm, const RaceForm& form, const QDateTime& now);

// Deletes the race row, its sun table and its entries. Clock times, the site and the
// site's distances stay.
void DeleteRace(TdmLCXS& dm, const QString& clubId, const QString& liberCode, const QDate& liberDate);

// Deletes the site and its distance rows; races keep their copy of its name and position.
void DeleteSite(TdmLCXS& dm, const QString& liberCode);

}  // namespace club
