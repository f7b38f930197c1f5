#include "startup_backup.h"

#include "atomic_file.h"
#include "club_queries.h"
#include "db_backup.h"
#include "dm_lcxs.h"

#include <QDir>
#include <QFileInfo>

StartupBackupAction decideStartupBackup(bool currentExists, int backupDays, const QDateTime& now,
                                        const QDateTime& currentBackupTime)
{
    if (!currentExists)
        return StartupBackupAction::FirstCopy;
    // Compared as "yyyymmdd" texts: the age counts calendar days, not hours.
    const QString threshold = now.addDays(-backupDays).toString("yyyyMMdd");
    const QString backupDate = currentBackupTime.toString("yyyyMMdd");
    return threshold < backupDate ? StartupBackupAction::Skip : StartupBackupAction::Rotate;
}

StartupBackupResult runStartupBackup(TdmLCXS& dm, const ClubPaths& paths, const QDateTime& now)
{
    StartupBackupResult result;
    const QString current = paths.currentBackup();
    const QFileInfo currentInfo(current);
    int days = 0;
    try {
        days = clubBackupDays(dm);
    } catch (const DbError&) {
        days = 0;
    }
    result.action = decideStartupBackup(currentInfo.isFile(), days, now, currentInfo.lastModified());
    if (result.action == StartupBackupAction::Skip)
        return result;

    if (!QDir().mkpath(paths.backupDir())) {
        result.ok = false;
        result.error = QString("cannot create %1").arg(paths.backupDir());
        return result;
    }
    if (result.action == StartupBackupAction::Rotate) {
        const QString dated = paths.datedBackup(currentInfo.lastModified().date());
        if (!copyFileAtomically(current, dated, true, &result.error)) {
            result.ok = false;
            return result;
        }
    }
    // The copy carries the database's own last change as its date, as a file copy would.
    if (!backupDatabase(dm, current, &result.error, databaseLastModified(dm)))
        result.ok = false;
    return result;
}
