// Reading a race clock back: its arrival records, the closing of the race in the clock and
// the clock's deviation, then each accepted arrival as the pigeon's result.
#pragma once

#include "clockop_shared.h"

#include <QList>
#include <QString>

namespace clockops {

// One position of the record table (PScoreR); filled only for a record that was read
// and whose MAC checked out.
struct ArrivalEntry {
    bool filled = false;
    QString ringId;      // E_Ring (8) + tag random code (2)
    QString tagRandom;   // 2 hex digits
    QString arrival;     // 16 hex digits, clock date-time in UTC
    QString uidReal;     // "" when the clock read no UID
    QString realRandom;  // 2 hex digits
};

// The fields of one 96-digit record as this program uses them.
ArrivalEntry EntryFromRecord(const QString &record);

// Reads the records of `raceId`, verifies and closes the race, reads the closing times
// and stores them; returns the table. `accepted` receives the number of filled entries.
// Throws ClockOpError with the step's message when a step fails.
QList<ArrivalEntry> ReadRecords(ClockOpShared &shared, const QByteArray &raceId, int *accepted);

// Writes the results of the filled entries for CurLiberCode/CurLiberDate.
void WriteResults(ClockOpShared &shared, const QList<ArrivalEntry> &table);

} // namespace clockops
