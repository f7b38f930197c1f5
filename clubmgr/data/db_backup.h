#pragma once

#include <QDateTime>
#include <QString>

class TdmLCXS;

// Backups are SQLite club database files, whatever engine the club runs on.

// Creates a new, empty SQLite club database with the whole schema. Refuses to touch an
// existing file. The file appears complete or not at all.
bool createSqliteClubDatabase(const QString& path, QString* error);

// Writes a consistent copy of the open club database to target, replacing target only
// once the copy is complete (SQLite: VACUUM INTO; PostgreSQL: every table read in one
// snapshot). When fileTime is valid the copy gets it as its last-modification time.
bool backupDatabase(TdmLCXS& dm, const QString& target, QString* error, const QDateTime& fileTime = {});

// When the database last changed: on SQLite the later of the file's and its write-ahead
// log's modification times (recent commits may live only in the log); invalid elsewhere.
QDateTime databaseLastModified(const TdmLCXS& dm);

// Empty when path is a readable club database with every table and column, else why not.
QString checkBackupFile(const QString& path);

// Replaces the club database with the content of backupFile, after checking it.
// SQLite: closes the connection and renames a checked copy over the database file, so the
// file is either the old or the new one; the connection stays closed on success (the
// program ends) and opens again on the next access after a failure.
// PostgreSQL: replaces every table's rows in one transaction.
bool restoreDatabase(TdmLCXS& dm, const QString& backupFile, QString* error);
