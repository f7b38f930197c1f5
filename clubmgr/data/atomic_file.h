#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// File replacement that never leaves a half-written file under the final name: the data
// goes to a temporary file in the same folder, is flushed to disk, and is then renamed over
// the target in one step. A failure at any point removes the temporary file and leaves the
// target as it was.

// A fresh temporary name next to target ("<target>.<pid>-<n>.part").
QString temporaryNameFor(const QString& target);

// Renames tempPath over target (replacing it), after flushing tempPath to disk.
// On failure removes tempPath. Returns false with a reason in *error.
bool commitTemporaryFile(const QString& tempPath, const QString& target, QString* error);

// Copies source to target atomically; keepTime sets the copy's last-modification time to
// the source's, as a file copy on the club's original platform did.
bool copyFileAtomically(const QString& source, const QString& target, bool keepTime, QString* error);

// Sets a file's last-modification time.
bool setFileModificationTime(const QString& path, const QDateTime& time);

// Test hook: called with the temporary path just before it is renamed into place; a
// false return makes the operation fail there, as an interruption would.
void setBeforeCommitHookForTesting(std::function<bool(const QString& tempPath)> hook);
