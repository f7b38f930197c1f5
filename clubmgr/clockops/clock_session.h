// Steps shared by the race clock pages: connecting with the club's identity, the race key,
// and date values at the library boundary.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace clockops {

// ConnectClock: identity and code of the clock module into the working copies, then
// IFD_Connect on ClockPort; throws ClockOpError "IFD_Connect NOT OK !" when refused.
void ConnectClock();

// RaceIdCode: DES of the 8 characters of the race identifier under SysIdCodeBytes.
QByteArray RaceIdCodeFor(const QString &raceId, const QByteArray &sysIdCodeBytes);

// OLE automation dates (days since 1899-12-30) from and to local wall-clock time.
double OleFromDateTime(const QDateTime &moment);
QDateTime DateTimeFromOle(double ole);

// The identity bytes as a zero-terminated text (PGT_CheckRecord takes texts).
QByteArray ZeroTerminated(const QByteArray &bytes);

} // namespace clockops
