#include "setup_logic.h"

#include "club_queries.h"
#include "db_backup.h"
#include "db_transaction.h"
#include "dm_lcxs.h"
#include "prompter.h"

namespace {

// Empty is allowed and stored as empty; otherwise a whole number the column can hold.
bool parseBackupDays(const QString& text, QVariant* out)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *out = QVariant();
        return true;
    }
    bool ok = false;
    const int days = t.toInt(&ok);
    if (!ok || days < 0 || days > 255)
        return false;
    *out = days;
    return true;
}

} // namespace

SetupSaveResult saveSetup(TdmLCXS& dm, const SetupForm& form, Prompter& prompter)
{
    QVariant days;
    if (!parseBackupDays(form.backupDaysText, &days)) {
        prompter.error(QString("'%1' is not a valid backup age: enter a whole number of days from 0 to 255. "
                               "Club data setup fail !").arg(form.backupDaysText));
        return SetupSaveResult::BadBackupDays;
    }
    try {
        DbTransaction tx(dm);
        if (form.clubListText == "Custom") {
            if (clubMapHasId(dm, form.clubAbbreviation)) {
                prompter.message("Club Abbrivation duplicate ! Club data setup fail !");
                return SetupSaveResult::DuplicateClub;
            }
            insertClubMap(dm, form.clubAbbreviation, form.clubName);
        }
        ClubDataRow row;
        row.associationCode = form.association;
        row.clubId = form.clubAbbreviation;
        row.clubName = form.clubName;
        row.street = form.street;
        row.city = form.city;
        row.postCode = form.postCode;
        row.language = form.language;
        row.mode = form.mode;
        row.dbBackupDays = days;
        SetupSaveResult result;
        if (clubDataExists(dm, form.association, form.clubAbbreviation)) {
            updateClubData(dm, row);
            result = SetupSaveResult::Updated;
        } else {
            replaceClubData(dm, row);
            result = SetupSaveResult::Replaced;
        }
        tx.commit();
        return result;
    } catch (const DbError& e) {
        prompter.error(e.message());
        return SetupSaveResult::Failed;
    }
}

QString manualBackupFileName(const QString& chosenName, const QDate& today)
{
    return chosenName + "_" + today.toString("yyMMdd") + ".Bak";
}

bool manualBackup(TdmLCXS& dm, const QString& chosenName, const QDate& today, Prompter& prompter)
{
    QString error;
    const bool ok = backupDatabase(dm, manualBackupFileName(chosenName, today), &error);
    prompter.message(ok ? "backup was successful!" : "backup failed, please retry!");
    return ok;
}

bool restoreBackup(TdmLCXS& dm, const QString& backupFile, Prompter& prompter)
{
    QString error;
    if (restoreDatabase(dm, backupFile, &error)) {
        prompter.message("successful recovery of data!");
        return true;
    }
    prompter.message("recovery failed, please try again!");
    return false;
}
