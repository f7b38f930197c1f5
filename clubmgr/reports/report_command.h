#pragma once
// Printing from the command line, for scripts and tests:
//
//   clubmgr --club DIR --report NAME [--race CODE] [--loft LOFTNO] [--device NO] [--pdf FILE]
//
// writes the report to FILE, or opens it in the print preview when --pdf is not given.
// NAME is one of member-list, ring-list, member-dist, race-list, race-stat, race-result,
// race-entry, race-official, race-ranking.

#include <QStringList>

class QCommandLineParser;
class TdmLCXS;

namespace club::reports {

QStringList reportCommandNames();

// Adds --report, --race, --loft, --device and --pdf to the program's options. Call it
// before the program changes its working folder: a relative --pdf path is taken from there.
void addReportOptions(QCommandLineParser& parser);
bool reportRequested(const QCommandLineParser& parser);
// Whether the command writes a file only (it then needs no screen).
bool reportCommandInArgs(int argc, char* argv[]);

// Makes the report named on the command line. Returns the process exit code: 0 done,
// 1 when the race or loft is unknown or the file cannot be written, 2 for a usage error.
// Messages go to standard error.
int runReportCommand(const QCommandLineParser& parser, TdmLCXS& dm);

}  // namespace club::reports
