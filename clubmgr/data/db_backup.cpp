#include "db_backup.h"

#include "atomic_file.h"
#include "club_schema.h"
#include "db_values.h"
#include "dm_lcxs.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <utility>

namespace {

// A private SQLite connection for files that are not the club's open database.
class SideConnection {
public:
    SideConnection(const QString& path, bool readOnly)
    {
        static QAtomicInt counter;
        name_ = QString("clubfile_%1").arg(counter.fetchAndAddOrdered(1));
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name_);
        db.setDatabaseName(path);
        db.setConnectOptions(readOnly ? "QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=10000" : "QSQLITE_BUSY_TIMEOUT=10000");
        ok_ = db.open();
        if (!ok_)
            error_ = db.lastError().text();
    }
    ~SideConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    bool ok() const { return ok_; }
    const QString& error() const { return error_; }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

private:
    QString name_;
    bool ok_ = false;
    QString error_;
};

QString sqlError(const QSqlQuery& q)
{
    const QString t = q.lastError().databaseText().trimmed();
    return t.isEmpty() ? q.lastError().text() : t;
}

// Copies every row of every club table from one connection to another, column by column.
bool copyTables(QSqlDatabase from, QSqlDatabase to, QString* error)
{
    for (const TableDef& t : clubTables()) {
        QStringList cols;
        QStringList marks;
        for (const ColumnDef& c : t.columns) {
            cols << QLatin1String(c.name);
            marks << "?";
        }
        QSqlQuery src(from);
        src.setForwardOnly(true);
        if (!src.exec(QString("SELECT %1 FROM %2").arg(cols.join(','), QLatin1String(t.name)))) {
            *error = sqlError(src);
            return false;
        }
        QSqlQuery dst(to);
        if (!dst.prepare(QString("INSERT INTO %1 (%2) VALUES (%3)").arg(QLatin1String(t.name), cols.join(','), marks.join(',')))) {
            *error = sqlError(dst);
            return false;
        }
        while (src.next()) {
            for (int i = 0; i < cols.size(); ++i)
                dst.bindValue(i, toDbValue(src.value(i)));
            if (!dst.exec()) {
                *error = sqlError(dst);
                return false;
            }
        }
    }
    return true;
}

bool execOn(QSqlDatabase db, const QString& sql, QString* error)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    if (error)
        *error = sqlError(q);
    return false;
}

} // namespace

bool createSqliteClubDatabase(const QString& path, QString* error)
{
    if (QFileInfo::exists(path)) {
        *error = QString("%1 already exists; it is not overwritten").arg(path);
        return false;
    }
    const QString temp = temporaryNameFor(path);
    {
        SideConnection c(temp, false);
        if (!c.ok()) {
            *error = QString("cannot create %1: %2").arg(path, c.error());
            QFile::remove(temp);
            return false;
        }
        QSqlDatabase db = c.db();
        try {
            execOn(db, "BEGIN", nullptr);
            createClubSchema(db, DbEngine::SQLite);
            if (!execOn(db, "COMMIT", error))
                throw DbError(*error);
        } catch (const DbError& e) {
            *error = e.message();
            db.close();
            QFile::remove(temp);
            return false;
        }
    }
    // Another process may have created the file meanwhile; never replace it.
    if (QFileInfo::exists(path)) {
        QFile::remove(temp);
        *error = QString("%1 already exists; it is not overwritten").arg(path);
        return false;
    }
    return commitTemporaryFile(temp, path, error);
}

QDateTime databaseLastModified(const TdmLCXS& dm)
{
    if (dm.engine() != DbEngine::SQLite)
        return {};
    QDateTime t = QFileInfo(dm.databaseFile()).lastModified();
    const QFileInfo wal(dm.databaseFile() + "-wal");
    if (wal.exists() && wal.size() > 0 && wal.lastModified() > t)
        t = wal.lastModified();
    return t;
}

bool backupDatabase(TdmLCXS& dm, const QString& target, QString* error, const QDateTime& fileTime)
{
    const QString temp = temporaryNameFor(target);
    auto fail = [&](const QString& reason) {
        QFile::remove(temp);
        *error = reason;
        return false;
    };
    try {
        if (dm.engine() == DbEngine::SQLite) {
            dm.exec("VACUUM INTO ?", {temp});
        } else {
            if (!createSqliteClubDatabase(temp, error))
                return fail(*error);
            SideConnection out(temp, false);
            if (!out.ok())
                return fail(out.error());
            QSqlDatabase src = dm.database();
            // One snapshot for all tables, so the copy is consistent.
            dm.exec("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
            QString reason;
            const bool copied = execOn(out.db(), "BEGIN", &reason) && copyTables(src, out.db(), &reason)
                && execOn(out.db(), "COMMIT", &reason);
            dm.exec("COMMIT");
            if (!copied)
                return fail(reason);
        }
    } catch (const DbError& e) {
        return fail(e.message());
    }
    if (fileTime.isValid() && !setFileModificationTime(temp, fileTime))
        return fail(QString("cannot set the date of %1").arg(temp));
    return commitTemporaryFile(temp, target, error);
}

QString checkBackupFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return QString("%1 does not exist").arg(path);
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return QString("%1 cannot be read").arg(path);
        // Check the magic before handing the file to SQLite, which would treat an empty
        // file as an empty database.
        if (f.read(16) != QByteArray("SQLite format 3\0", 16))
            return QString("%1 is not a club database").arg(path);
    }
    SideConnection c(path, true);
    if (!c.ok())
        return c.error();
    QSqlDatabase db = c.db();
    QSqlQuery q(db);
    if (!q.exec("PRAGMA quick_check") || !q.next())
        return QString("%1 is not a club database: %2").arg(path, sqlError(q));
    if (q.value(0).toString() != "ok")
        return QString("%1 is damaged: %2").arg(path, q.value(0).toString());
    q.finish();
    const QString problem = checkClubSchema(db);
    if (!problem.isEmpty())
        return QString("%1 is not a club database: %2").arg(path, problem);
    return {};
}

bool restoreDatabase(TdmLCXS& dm, const QString& backupFile, QString* error)
{
    const QString problem = checkBackupFile(backupFile);
    if (!problem.isEmpty()) {
        *error = problem;
        return false;
    }
    if (dm.engine() == DbEngine::PostgreSQL) {
        SideConnection in(backupFile, true);
        if (!in.ok()) {
            *error = in.error();
            return false;
        }
        try {
            QSqlDatabase db = dm.database();
            dm.exec("BEGIN");
            QString reason;
            bool ok = true;
            for (const TableDef& t : clubTables())
                ok = ok && execOn(db, QString("DELETE FROM %1").arg(QLatin1String(t.name)), &reason);
            ok = ok && copyTables(in.db(), db, &reason);
            dm.exec(ok ? "COMMIT" : "ROLLBACK");
            if (!ok) {
                *error = reason;
                return false;
            }
        } catch (const DbError& e) {
            *error = e.message();
            return false;
        }
        return true;
    }

    const QString dbFile = dm.databaseFile();
    // Copy first, while the connection still works: nothing changes if this fails.
    const QString temp = temporaryNameFor(dbFile);
    if (!QFile::copy(backupFile, temp)) {
        QFile::remove(temp);
        *error = QString("cannot copy %1").arg(backupFile);
        return false;
    }
    dm.close();
    // Our connection was the last one when SQLite removed the write-ahead log on closing;
    // a log still there belongs to another program working on the file, and replacing the
    // file under it would mix the two.
    if (QFileInfo::exists(dbFile + "-wal")) {
        QFile::remove(temp);
        *error = "the database is in use by another program";
        dm.open();
        return false;
    }
    QFile::remove(dbFile + "-shm");
    if (!commitTemporaryFile(temp, dbFile, error)) {
        dm.open();
        return false;
    }
    return true;
}
