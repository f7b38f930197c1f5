#pragma once
// The sun table dialog's grid: six days of a race as text cells, read and saved.

#include <QString>
#include <QStringList>
#include <QVector>

class TdmLCXS;

namespace club {

inline constexpr int kSunTableDays = 6;

// One grid row: date, location, sunset, sunrise, as typed.
struct SunCells {
    QString date, location, sunSet, sunRise;
};

// The race's stored rows in table order as cells ("yy-mm-dd", "hh:nn:ss"), at most six.
QVector<SunCells> LoadSunCells(TdmLCXS& dm, const QString& raceCode);

// Replaces the race's rows by the grid rows whose date cell is not empty. Every row is
// checked first; on a cell that is not a date or time nothing is changed and the message
// names it. Returns an empty text on success.
QString SaveSunCells(TdmLCXS& dm, const QString& raceCode, const QVector<SunCells>& rows);

}  // namespace club
