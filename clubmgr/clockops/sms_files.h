// The three fixed-width files of the SMS download: members ("COTE.txt"), entered pigeons
// ("RING.txt") and the race line ("VLROKEY.txt"). Lines end with CR LF; texts are written
// as 8-bit Latin-1 so that every character takes exactly one byte of its field.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QTime>
#include <optional>

namespace clockops {

struct SmsMemberRow {
    QString loftNo, loftName, phoneNo, loftLon, loftLat;
};

struct SmsRingRow {
    QString loftNo, loftName, pRingNo, eRing, uid, comment;
};

struct SmsRaceRow {
    QString raceCode, liberSite;
    QDate liberDate;
    QTime liberTime;
    std::optional<QString> liberLon, liberLat; // nullopt when the column is NULL
};

// Characters 1-4, 6-7, 9-10 and 11-15 of a stored coordinate text joined.
QString SmsCompactCoordinate(const QString &stored);

QString CoteLine(const SmsMemberRow &row);
QString RingLine(const SmsRingRow &row);
QString VlroKeyLine(const SmsRaceRow &race);

// Lines joined with CR LF after each line, as the bytes written to the file.
QByteArray SmsFileBytes(const QStringList &lines);

// Replaces `path` with the bytes in one step (a failed save leaves the old file as it was).
// Returns an empty text on success, else the error message.
QString WriteSmsFile(const QString &path, const QByteArray &bytes);

} // namespace clockops
