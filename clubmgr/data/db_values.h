#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QVariant>

// Date-times are stored as date-times: on SQLite as ISO text "yyyy-MM-ddTHH:mm:ss.zzz" in
// local time, on PostgreSQL as TIMESTAMP (local wall-clock time). Columns that hold only a
// time of day keep it on the day 1899-12-30, the zero of OLE dates, so every value in a
// DateTime column is a full date-time and compares and sorts correctly on both engines.

// Turns a value about to be bound into the form both engines store the same way:
// QDateTime -> local ISO text, QDate -> "yyyy-MM-dd", QTime -> "1899-12-30THH:mm:ss.zzz".
// Other values pass unchanged. TdmLCXS::exec applies this to every bound value.
QVariant toDbValue(const QVariant& value);

// Reads a DateTime column back, whichever form the engine returns. Invalid when null.
QDateTime dbDateTime(const QVariant& value);
QDate dbDate(const QVariant& value);
QTime dbTime(const QVariant& value);

// The date a time-only value is stored on.
inline QDate timeOnlyDate() { return QDate(1899, 12, 30); }
