#pragma once
// A real club database for the member rules, on each engine: a SQLite file in a temporary
// folder, and PostgreSQL when CLUB_TEST_PG names a server (else those cases are skipped).

#include "dm_lcxs.h"
#include "temp_club.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

class MemberClub : public ::testing::TestWithParam<DbEngine> {
protected:
    void SetUp() override
    {
        if (GetParam() == DbEngine::PostgreSQL && !TempClub::postgresAvailable())
            GTEST_SKIP() << "CLUB_TEST_PG is not set";
        ASSERT_TRUE(dir.isValid());
        club = std::make_unique<TempClub>(GetParam());
        ASSERT_TRUE(club->ok()) << club->error().toStdString();
        dm = &club->dm();
    }

    void loft(const QString& no, const QString& name)
    {
        dm->insertRow(QStringLiteral("LCX_LoftData"), {{"LoftNo", no}, {"LoftName", name}});
    }
    void site(const QString& code)
    {
        dm->insertRow(QStringLiteral("LCX_LiberateSite"), {{"LiberCode", code}, {"LiberSite", code + " site"}});
    }
    void pigeon(const QString& loftNo, const QString& ring, const QVariantMap& more = {})
    {
        QVariantMap row{{"LoftNo", loftNo}, {"PRingNo", ring}, {"RCountry", "BELG"}, {"RYear", "2014"},
                        {"RRegLetter", ""}, {"RRegNumber", ring.right(3)}, {"Sex", "C"}};
        row.insert(more);
        dm->insertRow(QStringLiteral("LCX_PigData"), row);
    }
    void colour(const QString& code, const QString& name)
    {
        dm->insertRow(QStringLiteral("LCX_FeatherColor"), {{"ColorType", code}, {"FeathColor", name}});
    }
    // From now on the database refuses to store a pigeon with this ring number.
    void refuseRing(const QString& ring, const QString& why)
    {
        if (GetParam() == DbEngine::SQLite)
            dm->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON LCX_PigData WHEN NEW.PRingNo = '%1' "
                                    "BEGIN SELECT RAISE(ABORT, '%2'); END")
                         .arg(ring, why));
        else
            dm->exec(QStringLiteral("ALTER TABLE LCX_PigData ADD CONSTRAINT %2 CHECK (PRingNo <> '%1')")
                         .arg(ring, why));
    }
    int count(const QString& sql, const QVariantList& params = {}) { return dm->scalar(sql, params).toInt(); }
    QString value(const QString& sql, const QVariantList& params = {}) { return dm->scalar(sql, params).toString(); }

    QTemporaryDir dir;
    std::unique_ptr<TempClub> club;
    TdmLCXS* dm = nullptr;
};

#define MEMBER_CLUB_ENGINES(suite)                                                                         \
    INSTANTIATE_TEST_SUITE_P(Engines, suite, ::testing::Values(DbEngine::SQLite, DbEngine::PostgreSQL), \
                             [](const auto& info) { return std::string(TempClub::engineName(info.param)); })
