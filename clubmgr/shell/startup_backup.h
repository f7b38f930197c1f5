#pragma once

#include "club_context.h"

#include <QDateTime>

// The automatic backup made when the main window is first shown.
//
// With no current backup (Backup/Volaro_Europe.bak) the database is copied there. Else,
// once the current backup is DBBackupDays old by calendar date (0 or empty: every start),
// it is kept under its own date (Volaro_Europe_yyyymmdd.bak, replacing one of that date)
// and a fresh copy of the database becomes the current backup.
//
// Every file is written under a temporary name and renamed into place, so a failure never
// leaves a half file; when keeping the old backup fails, it is not replaced either.

enum class StartupBackupAction { FirstCopy, Skip, Rotate };

// The rule itself. currentBackupTime is the current backup's last-modification time.
StartupBackupAction decideStartupBackup(bool currentExists, int backupDays, const QDateTime& now,
                                        const QDateTime& currentBackupTime);

struct StartupBackupResult {
    StartupBackupAction action = StartupBackupAction::Skip;
    bool ok = true;
    QString error;
};

// Runs the rule on the club's files. Never throws; nothing is shown to the user.
StartupBackupResult runStartupBackup(TdmLCXS& dm, const ClubPaths& paths,
                                     const QDateTime& now = QDateTime::currentDateTime());
