#include "sms_files.h"

#include "clock_values.h"

#include <QSaveFile>

namespace clockops {

namespace {

QString PadOrCut(const QString &text, int width)
{
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}

QString Pad(const QString &text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '));
}

} // namespace

QString SmsCompactCoordinate(const QString &stored)
{
    return stored.mid(0, 4) + stored.mid(5, 2) + stored.mid(8, 2) + stored.mid(10, 5);
}

QString CoteLine(const SmsMemberRow &row)
{
    return PadOrCut(row.loftNo, 10) + PadOrCut(row.loftName, 30) + Pad(row.phoneNo, 15)
           + SmsCompactCoordinate(row.loftLon) + SmsCompactCoordinate(row.loftLat);
}

QString RingLine(const SmsRingRow &row)
{
    // A long loft number is cut to 10 and trimmed; it is padded back to 10 so that the
    // following fields stay in their columns. E_Ring and UID keep their 8 columns too
    // when a pigeon has no ring.
    const QString loftNo = row.loftNo.size() > 10 ? row.loftNo.left(10).trimmed() : row.loftNo;
    QString comment;
    if (row.comment.size() > 30)
        comment = row.comment.left(30);
    else
        comment = row.comment.trimmed() + QString(30 - row.comment.size(), QLatin1Char(' '));
    return Pad(loftNo, 10) + PadOrCut(row.loftName, 30) + Pad(row.pRingNo, 20)
           + PadOrCut(row.eRing, 8) + PadOrCut(row.uid, 8) + QString(6, QLatin1Char(' ')) + comment;
}

QString VlroKeyLine(const SmsRaceRow &race)
{
    const QString blanks13(13, QLatin1Char(' '));
    return Pad(race.raceCode, 8) + Pad(race.liberSite, 20) + QString(16, QLatin1Char(' '))
           + ShortDateText(race.liberDate) + LongTimeText(race.liberTime)
           + ShortDateText(race.liberDate.addDays(2)) + LongTimeText(QTime(18, 0))
           + (race.liberLon ? SmsCompactCoordinate(*race.liberLon) : blanks13)
           + (race.liberLat ? SmsCompactCoordinate(*race.liberLat) : blanks13);
}

QByteArray SmsFileBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

QString WriteSmsFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return QStringLiteral("Cannot write file \"%1\". %2").arg(path, error);
    }
    if (!file.commit())
        return QStringLiteral("Cannot write file \"%1\". %2").arg(path, file.errorString());
    return QString();
}

} // namespace clockops
