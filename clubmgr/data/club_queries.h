#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

class TdmLCXS;

// Statements of the main window, the Home page and the Setup page.

// One line of the Home page's clock list.
struct HomeClockRow {
    QString clockId;
    QString loftName;        // empty when the clock's loft is not in the register
    QDateTime lastSynchDate; // invalid when empty
};

// Every clock with its loft's name, in the order the database returns them.
QList<HomeClockRow> selectHomeClocks(TdmLCXS& dm);

// The club's own settings (LCX_ClubData).
struct ClubDataRow {
    QString clubId;
    QString clubName;
    QString street;
    QString city;
    QString postCode;
    QString associationCode;
    int language = 0;
    int mode = 0;
    QVariant dbBackupDays;   // null when empty
};

std::optional<ClubDataRow> firstClubData(TdmLCXS& dm);

// DBBackupDays of the settings row; an empty value or a missing row counts as 0.
int clubBackupDays(TdmLCXS& dm);

bool clubDataExists(TdmLCXS& dm, const QString& associationCode, const QString& clubId);

// Updates the address, language, mode and backup age of the row with this association and
// club abbreviation; the club name and the two keys stay as stored.
void updateClubData(TdmLCXS& dm, const ClubDataRow& row);

// Replaces the table's content by this one row, with DBBackupDays left empty.
void replaceClubData(TdmLCXS& dm, const ClubDataRow& row);

// Clubs known to the program (LCX_ClubMap).
struct ClubMapRow {
    QString clubId;
    QString clubName;
};

QList<ClubMapRow> selectClubMap(TdmLCXS& dm);
bool clubMapHasId(TdmLCXS& dm, const QString& clubId);
void insertClubMap(TdmLCXS& dm, const QString& clubId, const QString& clubName);
