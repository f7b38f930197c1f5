#pragma once

#include <QString>

// The steps of program start that are not windows.

// The club folder: the --club option when given, else CLUBMGR_HOME, else the folder of
// the program file. Returned absolute.
QString resolveClubDir(const QString& clubOption, const QString& programDir);

// Makes the club folder the working directory, so LCXS.udl is found as "FILE NAME=.\LCXS.udl".
bool enterClubFolder(const QString& clubDir, QString* error);

// --init-db [--demo]: a new club folder, optionally filled with the demo club.
// Prints what it did or why not; returns the process exit code.
int initClubCommand(const QString& clubDir, bool withDemo);

// Shows a start-up failure: on standard error and, when a screen is there, in a box.
void reportStartError(const QString& text);
