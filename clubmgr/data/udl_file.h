#pragma once

#include <QString>

// Which engine holds the club database.
enum class DbEngine { SQLite, PostgreSQL };

// What LCXS.udl says about the database.
struct ConnectionSettings {
    DbEngine engine = DbEngine::SQLite;
    QString databaseFile;   // SQLite: absolute path of the database file
    QString host;           // PostgreSQL
    int port = 5432;
    QString databaseName;
    QString user;
    QString password;
    QString schema;         // PostgreSQL: optional schema put first on the search path
};

// Reads the connection description. Accepted text (UTF-16 with byte-order mark, as Windows
// writes .udl files, or UTF-8):
//
//   [oledb]
//   ; Everything after this line is an OLE DB initstring
//   Provider=Microsoft.Jet.OLEDB.4.0;Data Source=.\Volaro_Europe.mdb;Persist Security Info=False
//
// Lines starting with "[" or ";" are ignored; the others are joined and split into
// key=value pairs at ";". Keys are matched without regard to case; values may be quoted.
//  - Provider missing, "SQLite", "Microsoft.Jet.OLEDB.4.0" or "Microsoft.ACE.OLEDB.*":
//    SQLite; "Data Source" (or "Database") is the file, relative to the folder of the .udl.
//  - Provider "PostgreSQL", "PostgreSQL OLE DB Provider", "PGNP.1", "QPSQL" or "PGSQL":
//    "Host"/"Server"/"Data Source", "Port", "Database"/"Initial Catalog"/"dbname",
//    "User ID"/"User"/"UID", "Password"/"PWD", and an optional "Schema".
// Returns false with a reason in *error when the file cannot be read or makes no sense.
bool readUdlFile(const QString& path, ConnectionSettings* out, QString* error);

// Parses the text of a .udl file; relative file names are resolved against baseDir.
bool parseUdlText(const QString& text, const QString& baseDir, ConnectionSettings* out, QString* error);

// The text of a .udl file naming a SQLite database file (as written by --init-db).
QString udlTextForSqlite(const QString& databaseFileName);

// The text of a .udl file naming a PostgreSQL database.
QString udlTextForPostgres(const ConnectionSettings& settings);

// Parses a libpq style "host=... port=... dbname=... user=..." text (CLUB_TEST_PG).
ConnectionSettings postgresFromConnInfo(const QString& connInfo);

// Settings for a SQLite database file.
inline ConnectionSettings sqliteSettings(const QString& databaseFile)
{
    ConnectionSettings s;
    s.engine = DbEngine::SQLite;
    s.databaseFile = databaseFile;
    return s;
}
