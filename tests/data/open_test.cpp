#include "db_backup.h"
#include "dm_lcxs.h"
#include "temp_club.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The message names the file and the reason; nothing is created behind the user's back.
TEST(OpenDatabase, FailuresNameTheFileAndTheReason)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("Volaro_Europe.mdb");
    {
        TdmLCXS dm(sqliteSettings(missing));
        EXPECT_FALSE(dm.isOpen());
        EXPECT_TRUE(dm.openError().contains(missing)) << dm.openError().toStdString();
        EXPECT_TRUE(dm.openError().contains("does not exist"));
        EXPECT_THROW(dm.exec("SELECT 1"), DbError);
    }
    EXPECT_FALSE(QFileInfo::exists(missing));

    const QString text = dir.filePath("notes.mdb");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("This is not a database, just some text that is long enough to be read as a header.");
    f.close();
    {
        TdmLCXS dm(sqliteSettings(text));
        EXPECT_FALSE(dm.isOpen());
        EXPECT_TRUE(dm.openError().contains(text));
        EXPECT_TRUE(dm.openError().contains("not a database")) << dm.openError().toStdString();
    }

    // A SQLite file of something else.
    const QString other = dir.filePath("other.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other");
        db.setDatabaseName(other);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec("CREATE TABLE t (a INTEGER)");
        db.close();
    }
    QSqlDatabase::removeDatabase("other");
    {
        TdmLCXS dm(sqliteSettings(other));
        EXPECT_FALSE(dm.isOpen());
        EXPECT_TRUE(dm.openError().contains("not a club database")) << dm.openError().toStdString();
    }

    TdmLCXS noUdl(dir.filePath("LCXS.udl"));
    EXPECT_FALSE(noUdl.isOpen());
    EXPECT_TRUE(noUdl.openError().contains("LCXS.udl"));
}

TEST(OpenDatabase, PostgresFailureNamesTheServer)
{
    ConnectionSettings s;
    s.engine = DbEngine::PostgreSQL;
    s.host = "127.0.0.1";
    s.port = 1;   // nothing listens there
    s.databaseName = "clubtest";
    s.user = "nobody";
    TdmLCXS dm(s);
    EXPECT_FALSE(dm.isOpen());
    EXPECT_TRUE(dm.openError().contains("clubtest on 127.0.0.1:1")) << dm.openError().toStdString();
}

TEST(OpenDatabase, ClosedConnectionOpensAgainOnNextUse)
{
    TempClub club;
    ASSERT_TRUE(club.ok()) << club.error().toStdString();
    club.dm().close();
    EXPECT_FALSE(club.dm().isOpen());
    EXPECT_EQ(club.dm().scalar("SELECT count(*) FROM LCX_LoftData").toInt(), 0);
    EXPECT_TRUE(club.dm().isOpen());
}

TEST(CreateDatabase, RefusesAnExistingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("club.mdb");
    QString error;
    ASSERT_TRUE(createSqliteClubDatabase(path, &error)) << error.toStdString();
    EXPECT_EQ(checkBackupFile(path), QString());
    const qint64 size = QFileInfo(path).size();
    EXPECT_FALSE(createSqliteClubDatabase(path, &error));
    EXPECT_TRUE(error.contains("already exists"));
    EXPECT_EQ(QFileInfo(path).size(), size);
}

} // namespace
