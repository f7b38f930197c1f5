#include "udl_file.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(UdlFile, ReadsTheAcceptedForms)
{
    const struct {
        const char* text;
        DbEngine engine;
        const char* file;   // SQLite: relative to the base folder
        const char* host;
        int port;
        const char* database;
        const char* user;
    } cases[] = {
        {"[oledb]\r\n; Everything after this line is an OLE DB initstring\r\n"
         "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=.\\Volaro_Europe.mdb;Persist Security Info=False\r\n",
         DbEngine::SQLite, "Volaro_Europe.mdb", "", 5432, "", ""},
        {"Provider=SQLite;Data Source=\"data/club.db\"", DbEngine::SQLite, "data/club.db", "", 5432, "", ""},
        {"data source=club.db", DbEngine::SQLite, "club.db", "", 5432, "", ""},
        {"[oledb]\nProvider=PostgreSQL;Host=db.example;Port=5433;Database=club;User ID=sec;Password=x",
         DbEngine::PostgreSQL, "", "db.example", 5433, "club", "sec"},
        {"Provider=PostgreSQL OLE DB Provider;Data Source=10.0.0.2;Initial Catalog=volaro;UID=a",
         DbEngine::PostgreSQL, "", "10.0.0.2", 5432, "volaro", "a"},
    };
    for (const auto& c : cases) {
        ConnectionSettings s;
        QString error;
        ASSERT_TRUE(parseUdlText(QString::fromLatin1(c.text), "/clubs/x", &s, &error)) << c.text << error.toStdString();
        EXPECT_EQ(s.engine, c.engine) << c.text;
        if (c.engine == DbEngine::SQLite) {
            EXPECT_EQ(s.databaseFile, QDir::cleanPath(QString("/clubs/x/") + c.file)) << c.text;
        } else {
            EXPECT_EQ(s.host, c.host);
            EXPECT_EQ(s.port, c.port);
            EXPECT_EQ(s.databaseName, c.database);
            EXPECT_EQ(s.user, c.user);
        }
    }
}

TEST(UdlFile, RefusesWhatMakesNoSense)
{
    for (const char* text : {"Provider=SQLite", "Provider=MSDAORA;Data Source=x", "Provider=PostgreSQL;Host=h",
                             "Provider=PostgreSQL;Database=d;Port=abc", ""}) {
        ConnectionSettings s;
        QString error;
        EXPECT_FALSE(parseUdlText(QString::fromLatin1(text), "/x", &s, &error)) << text;
        EXPECT_FALSE(error.isEmpty()) << text;
    }
}

// Windows writes .udl files in UTF-16 with a byte-order mark.
TEST(UdlFile, ReadsUtf16FilesAndNamesMissingOnes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("LCXS.udl");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QStringEncoder enc(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom);
    f.write(enc(QString("[oledb]\r\n; comment\r\nProvider=Microsoft.Jet.OLEDB.4.0;Data Source=.\\Volaro_Europe.mdb\r\n")));
    f.close();
    ConnectionSettings s;
    QString error;
    ASSERT_TRUE(readUdlFile(path, &s, &error)) << error.toStdString();
    EXPECT_EQ(s.databaseFile, dir.filePath("Volaro_Europe.mdb"));

    EXPECT_FALSE(readUdlFile(dir.filePath("none.udl"), &s, &error));
    EXPECT_TRUE(error.contains("none.udl"));
    EXPECT_TRUE(error.contains("does not exist"));
}

TEST(UdlFile, WrittenTextsReadBack)
{
    ConnectionSettings s;
    QString error;
    ASSERT_TRUE(parseUdlText(udlTextForSqlite("Volaro_Europe.mdb"), "/c", &s, &error));
    EXPECT_EQ(s.databaseFile, "/c/Volaro_Europe.mdb");

    ConnectionSettings pg = postgresFromConnInfo("host=127.0.0.1 port=40000 dbname=clubtest user=postgres");
    pg.schema = "club_1";
    ASSERT_TRUE(parseUdlText(udlTextForPostgres(pg), "/c", &s, &error));
    EXPECT_EQ(s.engine, DbEngine::PostgreSQL);
    EXPECT_EQ(s.host, "127.0.0.1");
    EXPECT_EQ(s.port, 40000);
    EXPECT_EQ(s.databaseName, "clubtest");
    EXPECT_EQ(s.user, "postgres");
    EXPECT_EQ(s.schema, "club_1");
}

} // namespace
