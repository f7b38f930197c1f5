#include "temp_club.h"

#include "club_folder.h"
#include "club_schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString pgConnInfo()
{
    return qEnvironmentVariable("CLUB_TEST_PG");
}

// Runs statements on the test server through a connection of its own.
bool execOnServer(const ConnectionSettings& s, const QStringList& statements, QString* error,
                  const QString& schema = {})
{
    static int counter = 0;
    const QString name = QString("tempclub_admin_%1").arg(++counter);
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", name);
        db.setHostName(s.host);
        db.setPort(s.port);
        db.setDatabaseName(s.databaseName);
        db.setUserName(s.user);
        db.setPassword(s.password);
        if (!db.open()) {
            *error = db.lastError().text();
            ok = false;
        } else {
            QSqlQuery q(db);
            q.exec("SET client_min_messages TO WARNING");
            if (!schema.isEmpty() && !q.exec(QString("SET search_path TO %1").arg(schema))) {
                *error = q.lastError().text();
                ok = false;
            }
            for (const QString& sql : statements) {
                if (ok && !q.exec(sql)) {
                    *error = q.lastError().text() + " in " + sql;
                    ok = false;
                }
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

bool TempClub::postgresAvailable()
{
    return !pgConnInfo().isEmpty();
}

const char* TempClub::engineName(DbEngine engine)
{
    return engine == DbEngine::SQLite ? "SQLite" : "PostgreSQL";
}

TempClub::TempClub(DbEngine engine)
{
    context_.paths.clubDir = QDir(dir_.path()).absoluteFilePath("club");
    context_.prompter = &prompter_;
    auto calls = endCalls_;
    context_.endProgram = [calls] { ++*calls; };
    if (!dir_.isValid()) {
        error_ = "cannot create a temporary folder";
        return;
    }
    if (!initClubFolder(context_.paths.clubDir, &error_))
        return;
    if (engine == DbEngine::PostgreSQL) {
        if (!postgresAvailable()) {
            error_ = "CLUB_TEST_PG is not set";
            return;
        }
        ConnectionSettings s = postgresFromConnInfo(pgConnInfo());
        pgSchema_ = QString("club_t%1_%2").arg(QCoreApplication::applicationPid()).arg(QRandomGenerator::global()->generate() % 1000000);
        QStringList statements{QString("CREATE SCHEMA %1").arg(pgSchema_)};
        if (!execOnServer(s, statements, &error_))
            return;
        if (!execOnServer(s, schemaStatements(DbEngine::PostgreSQL), &error_, pgSchema_))
            return;
        s.schema = pgSchema_;
        QFile udl(context_.paths.udlFile());
        if (!udl.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            error_ = "cannot write LCXS.udl";
            return;
        }
        udl.write(udlTextForPostgres(s).toUtf8());
    }
    reopen();
}

TempClub::~TempClub()
{
    dm_.reset();
    if (!pgSchema_.isEmpty()) {
        QString ignored;
        execOnServer(postgresFromConnInfo(pgConnInfo()), {QString("DROP SCHEMA %1 CASCADE").arg(pgSchema_)}, &ignored);
    }
}

void TempClub::reopen()
{
    dm_.reset();
    dm_ = std::make_unique<TdmLCXS>(context_.paths.udlFile());
    context_.dm = dm_.get();
    if (!dm_->isOpen() && error_.isEmpty())
        error_ = dm_->openError();
}
