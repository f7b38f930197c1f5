#pragma once

#include "udl_file.h"

#include <QList>
#include <QString>
#include <QStringList>

class QSqlDatabase;

// Column kinds of the club database, mapped to each engine's types.
enum class ColumnType { Text, Memo, DateTime, Integer, Small, Float, Boolean };

struct ColumnDef {
    const char* name;
    ColumnType type;
    int size = 0;   // characters, for Text
};

struct TableDef {
    const char* name;
    QList<ColumnDef> columns;            // in the table's column order
    QList<QStringList> indexes;          // lookup keys, each a list of columns
};

// The twelve tables, each with its columns in order. Four tables receive rows by inserts
// that list values without naming columns, so the order here is part of the format.
const QList<TableDef>& clubTables();
const TableDef* findTable(const QString& name);   // case-insensitive

// CREATE TABLE / CREATE INDEX statements for the given engine.
QStringList schemaStatements(DbEngine engine);

// Creates every table and index on an open connection; throws DbError on failure.
void createClubSchema(QSqlDatabase& db, DbEngine engine);

// Empty when the open connection holds every table with every column of the club schema,
// else a short reason such as "table LCX_PigData is missing".
QString checkClubSchema(QSqlDatabase& db);
