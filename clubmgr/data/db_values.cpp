#include "db_values.h"

QVariant toDbValue(const QVariant& value)
{
    if (value.isNull())
        return value;
    switch (value.metaType().id()) {
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        if (!dt.isValid())
            return QVariant(QMetaType(QMetaType::QString));
        return dt.toLocalTime().toString("yyyy-MM-ddTHH:mm:ss.zzz");
    }
    case QMetaType::QDate: {
        const QDate d = value.toDate();
        return d.isValid() ? QVariant(d.toString("yyyy-MM-dd")) : QVariant(QMetaType(QMetaType::QString));
    }
    case QMetaType::QTime: {
        const QTime t = value.toTime();
        return t.isValid() ? QVariant(QStringLiteral("1899-12-30T") + t.toString("HH:mm:ss.zzz"))
                           : QVariant(QMetaType(QMetaType::QString));
    }
    default:
        return value;
    }
}

QDateTime dbDateTime(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate().startOfDay();
    const QString s = value.toString().trimmed();
    if (s.isEmpty())
        return {};
    QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (!dt.isValid())
        dt = QDateTime::fromString(s, Qt::ISODate);
    if (!dt.isValid())
        dt = QDateTime::fromString(s, "yyyy-MM-dd HH:mm:ss.zzz");
    if (!dt.isValid())
        dt = QDateTime::fromString(s, "yyyy-MM-dd HH:mm:ss");
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(s.left(10), "yyyy-MM-dd");
        if (d.isValid())
            dt = d.startOfDay();
    }
    return dt;
}

QDate dbDate(const QVariant& value)
{
    return dbDateTime(value).date();
}

QTime dbTime(const QVariant& value)
{
    return dbDateTime(value).time();
}
