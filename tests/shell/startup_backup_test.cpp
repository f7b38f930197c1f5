#include "atomic_file.h"
#include "db_backup.h"
#include "startup_backup.h"
#include "temp_club.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

using A = StartupBackupAction;

TEST(StartupBackupRule, ByCalendarDate)
{
    const QDateTime now(QDate(2026, 12, 11), QTime(8, 0));
    const struct {
        bool exists;
        int days;
        QDateTime backup;
        A action;
    } cases[] = {
        {false, 7, {}, A::FirstCopy},
        {true, 0, now, A::Rotate},                                         // 0: every start
        {true, 0, now.addSecs(3600), A::Rotate},
        {true, 7, now.addDays(-6), A::Skip},
        {true, 7, QDateTime(QDate(2026, 12, 5), QTime(0, 0)), A::Skip},    // six calendar days
        {true, 7, QDateTime(QDate(2026, 12, 4), QTime(23, 59)), A::Rotate}, // seven, though < 7 x 24 h
        {true, 7, now.addDays(-30), A::Rotate},
        {true, 1, now, A::Skip},
        {true, 1, now.addDays(-1), A::Rotate},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decideStartupBackup(c.exists, c.days, now, c.backup), c.action)
            << c.days << " " << c.backup.toString().toStdString();
}

class StartupBackupTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(club.ok()) << club.error().toStdString(); }

    void setDays(const QVariant& days)
    {
        club.dm().execute("DELETE FROM LCX_ClubData");
        club.dm().insertRow("LCX_ClubData", {{"ClubID", "VDC"}, {"DBBackupDays", days}});
    }
    // Puts a current backup in place, holding one loft named `marker`, dated `when`.
    void placeCurrent(const QString& marker, const QDateTime& when)
    {
        club.dm().execute("DELETE FROM LCX_LoftData");
        club.dm().insertRow("LCX_LoftData", {{"LoftNo", "1"}, {"LoftName", marker}});
        QDir().mkpath(club.paths().backupDir());
        QString error;
        ASSERT_TRUE(backupDatabase(club.dm(), club.paths().currentBackup(), &error, when)) << error.toStdString();
        club.dm().execute("UPDATE LCX_LoftData SET LoftName = ?", {"live"});
    }
    // The loft name held by a backup file.
    // Read-only, so looking does not change the file or its date.
    static QString markerIn(const QString& file)
    {
        QString marker = "<unreadable>";
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "marker");
            db.setDatabaseName(file);
            db.setConnectOptions("QSQLITE_OPEN_READONLY");
            QSqlQuery q(db);
            if (db.open() && q.exec("SELECT LoftName FROM LCX_LoftData") && q.next())
                marker = q.value(0).toString();
        }
        QSqlDatabase::removeDatabase("marker");
        return marker;
    }
    QStringList backupFiles() const
    {
        QStringList l = QDir(club.paths().backupDir()).entryList(QDir::Files);
        l.sort();
        return l;
    }

    TempClub club;
    const QDateTime now{QDate(2026, 12, 11), QTime(8, 0)};
};

TEST_F(StartupBackupTest, FirstStartCreatesTheFolderAndTheCurrentBackupOnly)
{
    club.dm().insertRow("LCX_LoftData", {{"LoftNo", "1"}, {"LoftName", "live"}});
    ASSERT_FALSE(QFileInfo::exists(club.paths().backupDir()));
    const StartupBackupResult r = runStartupBackup(club.dm(), club.paths(), now);
    EXPECT_EQ(r.action, A::FirstCopy);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(club.paths().backupDir(), QDir::cleanPath(club.root() + "/Backup"));
    EXPECT_EQ(backupFiles(), QStringList{"Volaro_Europe.bak"});
    EXPECT_EQ(markerIn(club.paths().currentBackup()), "live");
}

TEST_F(StartupBackupTest, ZeroOrEmptyDaysRotateAtEveryStart)
{
    for (const QVariant& days : {QVariant(0), QVariant()}) {
        setDays(days);
        const QDateTime old(QDate(2026, 12, 1), QTime(10, 0));
        placeCurrent("old", old);
        const StartupBackupResult r = runStartupBackup(club.dm(), club.paths(), now);
        EXPECT_EQ(r.action, A::Rotate);
        EXPECT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_EQ(markerIn(club.paths().datedBackup(QDate(2026, 12, 1))), "old");
        EXPECT_EQ(QFileInfo(club.paths().datedBackup(QDate(2026, 12, 1))).lastModified(), old);
        EXPECT_EQ(markerIn(club.paths().currentBackup()), "live");
    }
}

TEST_F(StartupBackupTest, SixDaysOldIsKeptSevenDaysOldRotates)
{
    setDays(7);
    placeCurrent("six", now.addDays(-6));
    EXPECT_EQ(runStartupBackup(club.dm(), club.paths(), now).action, A::Skip);
    EXPECT_EQ(backupFiles(), QStringList{"Volaro_Europe.bak"});
    EXPECT_EQ(markerIn(club.paths().currentBackup()), "six");

    placeCurrent("seven", now.addDays(-7));
    EXPECT_EQ(runStartupBackup(club.dm(), club.paths(), now).action, A::Rotate);
    EXPECT_EQ(backupFiles(), (QStringList{"Volaro_Europe.bak", "Volaro_Europe_20261204.bak"}));
    EXPECT_EQ(markerIn(club.paths().datedBackup(QDate(2026, 12, 4))), "seven");
    EXPECT_EQ(markerIn(club.paths().currentBackup()), "live");
}

TEST_F(StartupBackupTest, TwoRotationsOfOneDateWriteTheSameDatedFile)
{
    setDays(0);
    const QDateTime day(QDate(2026, 12, 3), QTime(9, 0));
    placeCurrent("first", day);
    runStartupBackup(club.dm(), club.paths(), now);
    placeCurrent("second", day.addSecs(3600));
    runStartupBackup(club.dm(), club.paths(), now);
    EXPECT_EQ(backupFiles(), (QStringList{"Volaro_Europe.bak", "Volaro_Europe_20261203.bak"}));
    EXPECT_EQ(markerIn(club.paths().datedBackup(QDate(2026, 12, 3))), "second");
}

// A backup that stops halfway (here: just before its file would be put in place) leaves
// the previous files as they were, and no half file.
TEST_F(StartupBackupTest, InterruptedRotationLeavesThePreviousFilesIntact)
{
    setDays(0);
    const QDateTime old(QDate(2026, 12, 1), QTime(10, 0));
    placeCurrent("old", old);
    placeCurrent("older", old.addDays(-3));   // becomes dated 20261128 after one rotation
    ASSERT_TRUE(runStartupBackup(club.dm(), club.paths(), now).ok);
    ASSERT_EQ(backupFiles(), (QStringList{"Volaro_Europe.bak", "Volaro_Europe_20261128.bak"}));
    placeCurrent("current", old);

    for (int failAt : {1, 2}) {
        int commits = 0;
        setBeforeCommitHookForTesting([&](const QString&) { return ++commits != failAt; });
        const StartupBackupResult r = runStartupBackup(club.dm(), club.paths(), now);
        setBeforeCommitHookForTesting({});
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(markerIn(club.paths().currentBackup()), "current") << failAt;
        EXPECT_EQ(markerIn(club.paths().datedBackup(QDate(2026, 11, 28))), "older");
        QStringList files = backupFiles();
        files.removeAll("Volaro_Europe_20261201.bak");   // the dated copy made before step 2 failed
        EXPECT_EQ(files, (QStringList{"Volaro_Europe.bak", "Volaro_Europe_20261128.bak"})) << failAt;
    }
}

} // namespace
