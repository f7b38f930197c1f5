#pragma once

#include <QDate>
#include <QString>

class Prompter;
class TdmLCXS;

// What the Setup page holds when it is left.
struct SetupForm {
    QString association;
    QString clubName;
    QString clubAbbreviation;
    QString clubListText;      // the club list's text: "Custom", the separator or a club name
    QString street;
    QString city;
    QString postCode;
    int language = 0;
    int mode = 0;
    QString backupDaysText;    // as typed; empty is allowed
};

enum class SetupSaveResult {
    Updated,          // the settings row of this association and abbreviation was updated
    Replaced,         // the table now holds one new row
    DuplicateClub,    // "Custom" with an abbreviation already in the club list: nothing saved
    BadBackupDays,    // the backup age is not a whole number: nothing saved
    Failed,           // a statement failed; shown in the error box
};

// Saves the settings when the Setup page is left. Messages go through the prompter.
// The backup age is checked before anything is written, so a bad entry saves nothing.
SetupSaveResult saveSetup(TdmLCXS& dm, const SetupForm& form, Prompter& prompter);

// The file "Back Now" writes for a chosen name: name + "_" + "yymmdd" + ".Bak".
QString manualBackupFileName(const QString& chosenName, const QDate& today);

// "Back Now" with a chosen name: true when the copy was written. Shows the result.
bool manualBackup(TdmLCXS& dm, const QString& chosenName, const QDate& today, Prompter& prompter);

// "Load Backup" of a chosen file: true when the database was replaced. Shows the result.
bool restoreBackup(TdmLCXS& dm, const QString& backupFile, Prompter& prompter);
