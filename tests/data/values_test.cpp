#include "engine_param.h"

namespace {

class ValuesTest : public EngineTest {};

TEST_P(ValuesTest, DateTimesComeBackAsStored)
{
    const QDateTime marked(QDate(2026, 8, 19), QTime(7, 5, 9, 250));
    dm().insertRow("LCX_PigRaceData", {{"PRingNo", "R1"}, {"LiberDate", QDate(2026, 8, 19)}, {"MarkedTime", marked},
                                       {"FlySpeed", 1427.615}, {"TimeVari", -3}, {"RandomCode", 255}});
    dm().insertRow("LCX_RaceData", {{"LiberCode", "AB12"}, {"LiberDate", QDate(2026, 3, 5)}, {"LiberTime", QTime(6, 30, 15)},
                                    {"SynchFlag", true}});
    QSqlQuery q = dm().exec("SELECT LiberDate, MarkedTime, FlySpeed, TimeVari, RandomCode, BackTime FROM LCX_PigRaceData");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(dbDate(q.value(0)), QDate(2026, 8, 19));
    EXPECT_EQ(dbDateTime(q.value(1)), marked);
    EXPECT_DOUBLE_EQ(q.value(2).toDouble(), 1427.615);
    EXPECT_EQ(q.value(3).toInt(), -3);
    EXPECT_EQ(q.value(4).toInt(), 255);
    EXPECT_TRUE(q.value(5).isNull());
    q = dm().exec("SELECT LiberTime, SynchFlag FROM LCX_RaceData");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(dbTime(q.value(0)), QTime(6, 30, 15));
    EXPECT_TRUE(q.value(1).toBool());
}

// Two races at one site on the same day of different years share the race code; the
// date tells them apart, and the "mmdd" form gives the race code.
TEST_P(ValuesTest, RacesAreSelectedByDateValue)
{
    for (int year : {2025, 2026})
        dm().insertRow("LCX_PigRaceData", {{"LiberCode", "AB12"}, {"LiberDate", QDateTime(QDate(year, 3, 5), QTime(0, 0))},
                                           {"PRingNo", QString("R%1").arg(year)}});
    dm().insertRow("LCX_PigRaceData", {{"LiberCode", "AB12"}, {"LiberDate", QDate(2026, 3, 6)}, {"PRingNo", "Rnext"}});

    const QString byDate = "SELECT PRingNo FROM LCX_PigRaceData WHERE LiberCode = ? AND " + dm().sqlDateOf("LiberDate") + " = ?";
    EXPECT_EQ(dm().scalar(byDate, {"AB12", QDate(2026, 3, 5)}).toString(), "R2026");
    EXPECT_EQ(dm().scalar(byDate, {"AB12", QDate(2025, 3, 5)}).toString(), "R2025");

    const QString byCode = "SELECT count(*) FROM LCX_PigRaceData WHERE LiberCode || " + dm().sqlMonthDay("LiberDate") + " = ?";
    EXPECT_EQ(dm().scalar(byCode, {"AB120305"}).toInt(), 2);
    EXPECT_EQ(dm().scalar(byCode, {"AB120306"}).toInt(), 1);

    // A range of whole days works on both engines too.
    EXPECT_EQ(dm().scalar("SELECT count(*) FROM LCX_PigRaceData WHERE LiberDate >= ? AND LiberDate < ?",
                          {QDate(2026, 3, 5), QDate(2026, 3, 6)}).toInt(), 1);
}

INSTANTIATE_ON_ENGINES(ValuesTest);

TEST(DbValues, BoundFormsAndReading)
{
    EXPECT_EQ(toDbValue(QDateTime(QDate(2014, 8, 19), QTime(7, 5, 9, 250))).toString(), "2014-08-19T07:05:09.250");
    EXPECT_EQ(toDbValue(QDate(2014, 8, 19)).toString(), "2014-08-19");
    EXPECT_EQ(toDbValue(QTime(21, 0)).toString(), "1899-12-30T21:00:00.000");
    EXPECT_TRUE(toDbValue(QDateTime()).isNull());
    EXPECT_EQ(toDbValue(42), QVariant(42));

    EXPECT_EQ(dbDateTime(QString("2014-08-19T07:05:09.250")), QDateTime(QDate(2014, 8, 19), QTime(7, 5, 9, 250)));
    EXPECT_EQ(dbDateTime(QString("2014-08-19 07:05:09")), QDateTime(QDate(2014, 8, 19), QTime(7, 5, 9)));
    EXPECT_EQ(dbDateTime(QString("2014-08-19")), QDateTime(QDate(2014, 8, 19), QTime(0, 0)));
    EXPECT_FALSE(dbDateTime(QVariant()).isValid());
    EXPECT_FALSE(dbDateTime(QString("")).isValid());
    EXPECT_FALSE(dbDateTime(QString("garbage")).isValid());
}

} // namespace
