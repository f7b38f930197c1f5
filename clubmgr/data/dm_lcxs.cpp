#include "dm_lcxs.h"

#include "club_schema.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QString("dmLCXS_%1").arg(counter.fetchAndAddOrdered(1));
}

QString errorText(const QSqlError& e)
{
    QString t = e.databaseText().trimmed();
    if (t.isEmpty())
        t = e.text().trimmed();
    if (t.isEmpty())
        t = e.driverText().trimmed();
    return t;
}

} // namespace

TdmLCXS::TdmLCXS(const QString& udlPath)
    : connectionName_(nextConnectionName())
{
    QString reason;
    if (!readUdlFile(udlPath, &settings_, &reason)) {
        openError_ = QString("Cannot open the club database: %1.").arg(reason);
        return;
    }
    configured_ = true;
    open();
}

TdmLCXS::TdmLCXS(const ConnectionSettings& settings)
    : settings_(settings), connectionName_(nextConnectionName()), configured_(true)
{
    open();
}

TdmLCXS::~TdmLCXS()
{
    close();
    if (QSqlDatabase::contains(connectionName_))
        QSqlDatabase::removeDatabase(connectionName_);
}

bool TdmLCXS::isOpen() const
{
    return QSqlDatabase::contains(connectionName_) && QSqlDatabase::database(connectionName_, false).isOpen();
}

QString TdmLCXS::describe() const
{
    if (settings_.engine == DbEngine::SQLite)
        return settings_.databaseFile;
    return QString("%1 on %2:%3").arg(settings_.databaseName, settings_.host).arg(settings_.port);
}

void TdmLCXS::close()
{
    if (QSqlDatabase::contains(connectionName_)) {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        db.close();
    }
}

bool TdmLCXS::open()
{
    if (!configured_)
        return false;
    openError_.clear();
    return settings_.engine == DbEngine::SQLite ? openSqlite() : openPostgres();
}

bool TdmLCXS::openSqlite()
{
    const QString file = settings_.databaseFile;
    const QFileInfo info(file);
    auto fail = [&](const QString& reason) {
        openError_ = QString("Cannot open the club database %1: %2.").arg(file, reason);
        close();
        return false;
    };
    // The SQLite driver would quietly create a missing file; the club file must exist.
    if (!info.exists())
        return fail("the file does not exist");
    if (!info.isFile())
        return fail("it is not a file");
    if (!info.isReadable())
        return fail("the file cannot be read (no permission)");

    QSqlDatabase db = QSqlDatabase::contains(connectionName_)
        ? QSqlDatabase::database(connectionName_, false)
        : QSqlDatabase::addDatabase("QSQLITE", connectionName_);
    db.setDatabaseName(file);
    db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=10000");
    if (!db.open())
        return fail(errorText(db.lastError()));
    QSqlQuery q(db);
    // The first real read tells whether this is a database at all.
    if (!q.exec("SELECT count(*) FROM sqlite_master"))
        return fail(errorText(q.lastError()));
    q.finish();
    if (!q.exec("PRAGMA journal_mode=WAL"))
        return fail(errorText(q.lastError()));
    q.finish();
    q.exec("PRAGMA synchronous=NORMAL");
    q.finish();
    const QString schemaProblem = checkClubSchema(db);
    if (!schemaProblem.isEmpty())
        return fail("it is not a club database (" + schemaProblem + ")");
    return true;
}

bool TdmLCXS::openPostgres()
{
    QSqlDatabase db = QSqlDatabase::contains(connectionName_)
        ? QSqlDatabase::database(connectionName_, false)
        : QSqlDatabase::addDatabase("QPSQL", connectionName_);
    db.setHostName(settings_.host);
    db.setPort(settings_.port);
    db.setDatabaseName(settings_.databaseName);
    db.setUserName(settings_.user);
    db.setPassword(settings_.password);
    db.setConnectOptions("connect_timeout=10");
    auto fail = [&](const QString& reason) {
        openError_ = QString("Cannot open the club database %1: %2.").arg(describe(), reason);
        close();
        return false;
    };
    if (!db.open())
        return fail(errorText(db.lastError()));
    QSqlQuery q(db);
    if (!settings_.schema.isEmpty()) {
        // The schema name comes from our own configuration; quote it as an identifier.
        QString ident = settings_.schema;
        ident.replace('"', "\"\"");
        if (!q.exec(QString("SET search_path TO \"%1\"").arg(ident)))
            return fail(errorText(q.lastError()));
    }
    const QString schemaProblem = checkClubSchema(db);
    if (!schemaProblem.isEmpty())
        return fail("it is not a club database (" + schemaProblem + ")");
    return true;
}

QSqlDatabase TdmLCXS::database()
{
    if (!isOpen() && !open())
        throw DbError(openError_.isEmpty() ? QString("The club database is not open.") : openError_);
    return QSqlDatabase::database(connectionName_, false);
}

QSqlQuery TdmLCXS::exec(const QString& sql, const QVariantList& params)
{
    QSqlQuery q(database());
    q.setForwardOnly(true);
    // Without parameters the statement runs as it is: PostgreSQL cannot prepare
    // transaction control such as BEGIN.
    if (params.isEmpty()) {
        if (!q.exec(sql))
            throw DbError(errorText(q.lastError()));
        return q;
    }
    if (!q.prepare(sql))
        throw DbError(errorText(q.lastError()));
    for (const QVariant& p : params)
        q.addBindValue(toDbValue(p));
    if (!q.exec())
        throw DbError(errorText(q.lastError()));
    return q;
}

QVariant TdmLCXS::scalar(const QString& sql, const QVariantList& params)
{
    QSqlQuery q = exec(sql, params);
    if (q.next())
        return q.value(0);
    return {};
}

int TdmLCXS::execute(const QString& sql, const QVariantList& params)
{
    return exec(sql, params).numRowsAffected();
}

void TdmLCXS::insertRow(const QString& table, const QVariantMap& values)
{
    const TableDef* t = findTable(table);
    if (!t)
        throw DbError(QString("Unknown table %1").arg(table));
    QStringList cols;
    QStringList marks;
    QVariantList params;
    for (auto it = values.begin(); it != values.end(); ++it) {
        bool known = false;
        for (const ColumnDef& c : t->columns)
            known = known || it.key().compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0;
        if (!known)
            throw DbError(QString("Unknown column %1 in %2").arg(it.key(), table));
        cols << it.key();
        marks << "?";
        params << it.value();
    }
    exec(QString("INSERT INTO %1 (%2) VALUES (%3)").arg(QLatin1String(t->name), cols.join(','), marks.join(',')), params);
}

QString TdmLCXS::sqlDateOf(const QString& column) const
{
    return settings_.engine == DbEngine::SQLite ? QString("date(%1)").arg(column)
                                                : QString("CAST(%1 AS DATE)").arg(column);
}

QString TdmLCXS::sqlMonthDay(const QString& column) const
{
    return settings_.engine == DbEngine::SQLite ? QString("strftime('%m%d',%1)").arg(column)
                                                : QString("to_char(%1,'MMDD')").arg(column);
}
