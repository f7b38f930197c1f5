#include "atomic_file.h"
#include "db_backup.h"
#include "engine_param.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class BackupTest : public EngineTest {
protected:
    void addLoft(const QString& no) { dm().insertRow("LCX_LoftData", {{"LoftNo", no}, {"LoftName", "L" + no}}); }
    int lofts() { return dm().scalar("SELECT count(*) FROM LCX_LoftData").toInt(); }
    QString file(const QString& name) { return QDir(club().root()).filePath(name); }
};

TEST_P(BackupTest, BackupThenRestoreRoundTrip)
{
    addLoft("1");
    addLoft("2");
    const QString bak = file("copy.Bak");
    QString error;
    const QDateTime stamp(QDate(2026, 1, 2), QTime(3, 4, 5));
    ASSERT_TRUE(backupDatabase(dm(), bak, &error, stamp)) << error.toStdString();
    EXPECT_EQ(checkBackupFile(bak), QString());
    EXPECT_EQ(QFileInfo(bak).lastModified(), stamp);

    addLoft("3");
    ASSERT_EQ(lofts(), 3);
    ASSERT_TRUE(restoreDatabase(dm(), bak, &error)) << error.toStdString();
    club().reopen();
    EXPECT_EQ(lofts(), 2);
    EXPECT_EQ(dm().scalar("SELECT LoftName FROM LCX_LoftData WHERE LoftNo = ?", {"2"}).toString(), "L2");
}

TEST_P(BackupTest, RestoreRefusesFilesThatAreNotClubDatabases)
{
    addLoft("1");
    const QString text = file("letter.Bak");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Dear secretary,\n");
    f.close();
    const QString empty = file("empty.Bak");
    QFile(empty).open(QIODevice::WriteOnly);
    const QString half = file("half.Bak");
    {
        // A real backup cut short.
        QString error;
        ASSERT_TRUE(backupDatabase(dm(), file("full.Bak"), &error));
        QFile full(file("full.Bak"));
        ASSERT_TRUE(full.open(QIODevice::ReadOnly));
        QFile h(half);
        ASSERT_TRUE(h.open(QIODevice::WriteOnly));
        h.write(full.read(full.size() / 3));
    }
    for (const QString& bad : {text, empty, half, file("missing.Bak")}) {
        QString error;
        EXPECT_FALSE(restoreDatabase(dm(), bad, &error)) << bad.toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(lofts(), 1) << bad.toStdString();
    }
}

TEST_P(BackupTest, InterruptedBackupLeavesThePreviousFileIntact)
{
    addLoft("1");
    const QString bak = file("keep.Bak");
    QString error;
    ASSERT_TRUE(backupDatabase(dm(), bak, &error));
    QFile f(bak);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    addLoft("2");
    setBeforeCommitHookForTesting([](const QString&) { return false; });
    EXPECT_FALSE(backupDatabase(dm(), bak, &error));
    setBeforeCommitHookForTesting({});
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_TRUE(QDir(club().root()).entryList({"*.part"}).isEmpty());
}

INSTANTIATE_ON_ENGINES(BackupTest);

// On SQLite the restore renames a checked copy over the database file.
TEST(SqliteRestore, ReplacesTheFileAndLeavesNoLeftovers)
{
    TempClub club;
    ASSERT_TRUE(club.ok());
    QString error;
    const QString bak = club.root() + "/a.Bak";
    ASSERT_TRUE(backupDatabase(club.dm(), bak, &error));
    club.dm().insertRow("LCX_ClubMap", {{"ClubID", "X"}});
    ASSERT_TRUE(restoreDatabase(club.dm(), bak, &error)) << error.toStdString();
    EXPECT_FALSE(club.dm().isOpen());   // the program ends after a restore
    QStringList files = QDir(club.paths().clubDir).entryList(QDir::Files);
    files.sort();
    EXPECT_EQ(files, (QStringList{"LCXS.ini", "LCXS.udl", "Volaro_Europe.mdb"}));
    club.reopen();
    EXPECT_EQ(club.dm().scalar("SELECT count(*) FROM LCX_ClubMap").toInt(), 0);
}

// Another program still working on the file: the restore is refused, nothing changes.
TEST(SqliteRestore, RefusedWhileAnotherConnectionUsesTheFile)
{
    TempClub club;
    ASSERT_TRUE(club.ok());
    QString error;
    const QString bak = club.root() + "/a.Bak";
    ASSERT_TRUE(backupDatabase(club.dm(), bak, &error));
    club.dm().insertRow("LCX_ClubMap", {{"ClubID", "X"}});
    TdmLCXS other(club.paths().udlFile());
    ASSERT_TRUE(other.isOpen());
    EXPECT_EQ(other.scalar("SELECT count(*) FROM LCX_ClubMap").toInt(), 1);
    EXPECT_FALSE(restoreDatabase(club.dm(), bak, &error));
    EXPECT_EQ(club.dm().scalar("SELECT count(*) FROM LCX_ClubMap").toInt(), 1);
}

} // namespace
