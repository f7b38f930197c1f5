#include "db_backup.h"
#include "dm_lcxs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int code;
    QString out;
};

ProgramRun clubmgr(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(CLUBMGR_EXE, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {-1, "timed out"};
    }
    return {p.exitCode(), QString::fromLocal8Bit(p.readAll())};
}

TEST(Program, InitDbMakesAClubFolderAndRefusesToOverwrite)
{
    QTemporaryDir dir;
    const QString club = dir.filePath("new/club");
    ProgramRun r = clubmgr({"--club", club, "--init-db"});
    ASSERT_EQ(r.code, 0) << r.out.toStdString();
    EXPECT_EQ(checkBackupFile(club + "/Volaro_Europe.mdb"), QString());
    EXPECT_TRUE(QFileInfo::exists(club + "/LCXS.udl"));
    QFile ini(club + "/LCXS.ini");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(ini.readAll());
    EXPECT_TRUE(text.contains("[Parameter]"));
    EXPECT_TRUE(text.contains("CountryRingCode="));
    EXPECT_TRUE(text.contains("SysID="));

    const QDateTime before = QFileInfo(club + "/Volaro_Europe.mdb").lastModified();
    r = clubmgr({"--club", club, "--init-db", "--demo"});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.out.contains("already exists")) << r.out.toStdString();
    EXPECT_EQ(QFileInfo(club + "/Volaro_Europe.mdb").lastModified(), before);
}

TEST(Program, DemoClubIsBelievable)
{
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CLUBMGR_HOME", dir.filePath("demo"));
    const ProgramRun r = clubmgr({"--init-db", "--demo"}, env);
    ASSERT_EQ(r.code, 0) << r.out.toStdString();
    TdmLCXS dm(sqliteSettings(dir.filePath("demo/Volaro_Europe.mdb")));
    ASSERT_TRUE(dm.isOpen()) << dm.openError().toStdString();
    auto count = [&](const char* sql) { return dm.scalar(sql).toInt(); };
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LoftData WHERE LoftLon <> '' AND LoftLat <> ''"), 12);
    EXPECT_GE(count("SELECT count(*) FROM LCX_PigData"), 200);
    EXPECT_GT(count("SELECT count(*) FROM LCX_PigData WHERE E_Ring IS NOT NULL"), 100);
    EXPECT_GE(count("SELECT count(*) FROM LCX_LoftClocks"), 12);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_RaceData"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_LoftLibPointDist"), 12 * count("SELECT count(*) FROM LCX_LiberateSite"));
    EXPECT_GT(count("SELECT count(*) FROM LCX_PigRaceData WHERE FlySpeed > 0"), 100);
    EXPECT_GT(count("SELECT count(*) FROM LCX_SunSet_SunRise"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM LCX_ClubData"), 1);
    // Every result is consistent with its race: distance row, flying time and speed.
    QSqlQuery q = dm.exec("SELECT e.Dist, d.Yards, e.FlySpeed, e.FlyTime FROM LCX_PigRaceData e "
                          "JOIN LCX_PigData p ON p.PRingNo = e.PRingNo "
                          "JOIN LCX_LoftLibPointDist d ON d.LoftNo = p.LoftNo AND d.LiberCode = e.LiberCode "
                          "WHERE e.BackTime IS NOT NULL");
    int rows = 0;
    while (q.next()) {
        ++rows;
        EXPECT_EQ(q.value(0).toInt(), q.value(1).toInt());
        const QStringList hms = q.value(3).toString().split(':');
        ASSERT_EQ(hms.size(), 3);
        const int seconds = hms[0].toInt() * 3600 + hms[1].toInt() * 60 + hms[2].toInt();
        EXPECT_NEAR(q.value(2).toDouble(), q.value(0).toDouble() * 60.0 / seconds, 0.001);
    }
    EXPECT_GT(rows, 100);
}

// A database that cannot be opened: a clear message naming it, a clean exit, and nothing
// created in its place.
TEST(Program, UnopenableDatabaseGivesAClearMessageAndExits)
{
    QTemporaryDir dir;
    const QString club = dir.filePath("club");
    ASSERT_EQ(clubmgr({"--club", club, "--init-db"}).code, 0);
    ASSERT_TRUE(QFile::remove(club + "/Volaro_Europe.mdb"));
    ProgramRun r = clubmgr({"--club", club});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.contains(club + "/Volaro_Europe.mdb")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("does not exist"));
    EXPECT_FALSE(QFileInfo::exists(club + "/Volaro_Europe.mdb"));

    r = clubmgr({"--club", dir.filePath("nowhere")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.contains("nowhere")) << r.out.toStdString();
}

} // namespace
