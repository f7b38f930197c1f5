#pragma once

#include "db_error.h"
#include "db_values.h"
#include "udl_file.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// The data module: owns the club program's one database connection, opened from the
// connection description (LCXS.udl) when the module is created and closed when it is
// destroyed. Every statement of the program runs through exec() with bound parameters.
//
// On SQLite the file is opened in WAL mode with a busy time-out, so two programs working
// on the same club file do not fail each other's ordinary edits.
class TdmLCXS {
public:
    // Opens the database named by the .udl file (relative to the current directory).
    // Never throws: check isOpen() and openError().
    explicit TdmLCXS(const QString& udlPath = QStringLiteral("LCXS.udl"));
    // Opens the database described by the settings directly.
    explicit TdmLCXS(const ConnectionSettings& settings);
    ~TdmLCXS();
    TdmLCXS(const TdmLCXS&) = delete;
    TdmLCXS& operator=(const TdmLCXS&) = delete;

    bool isOpen() const;
    // Why the last open failed, naming the file or server, e.g.
    // "Cannot open the club database /x/Volaro_Europe.mdb: the file does not exist."
    const QString& openError() const { return openError_; }

    DbEngine engine() const { return settings_.engine; }
    const ConnectionSettings& settings() const { return settings_; }
    // SQLite: absolute path of the database file; empty on PostgreSQL.
    QString databaseFile() const { return settings_.databaseFile; }
    // A short text naming the database for messages.
    QString describe() const;

    // Closes the connection (restore does this before it replaces the file).
    void close();
    // Opens it again; false with openError() set when that fails.
    bool open();

    // The connection, opened again first if it was closed.
    QSqlDatabase database();

    // Runs one statement with positional "?" parameters. Dates, times and date-times are
    // bound in the stored form (see db_values.h). Throws DbError with the engine's
    // message on failure. The returned query is positioned before the first row.
    QSqlQuery exec(const QString& sql, const QVariantList& params = {});
    // First column of the first row, or a null QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    // Runs a statement and returns the number of rows it changed.
    int execute(const QString& sql, const QVariantList& params = {});

    // Inserts one row; the column names must belong to the table (checked against the
    // schema, so no text from outside reaches the statement).
    void insertRow(const QString& table, const QVariantMap& values);

    // SQL fragments for what the engines spell differently. Compare sqlDateOf(col) with a
    // bound QDate to select by calendar date; sqlMonthDay(col) gives the "mmdd" text.
    QString sqlDateOf(const QString& column) const;
    QString sqlMonthDay(const QString& column) const;

private:
    bool openSqlite();
    bool openPostgres();

    ConnectionSettings settings_;
    QString connectionName_;
    QString openError_;
    bool configured_ = false;
};
