#pragma once
// A club database in a temporary folder, on SQLite and (when CLUB_TEST_PG is set) on
// PostgreSQL, with shorthands that insert rows directly.

#include "dm_lcxs.h"
#include "temp_club.h"

#include <gtest/gtest.h>

#include <memory>

class RaceClub : public ::testing::TestWithParam<DbEngine> {
protected:
    void SetUp() override {
        if (GetParam() == DbEngine::PostgreSQL && !TempClub::postgresAvailable())
            GTEST_SKIP() << "CLUB_TEST_PG is not set (scripts/pg-server.sh start)";
        club_ = std::make_unique<TempClub>(GetParam());
        ASSERT_TRUE(club_->ok()) << club_->error().toStdString();
        dm = &club_->dm();
    }

    void club(const QString& id, const QString& name) {
        dm->insertRow("LCX_ClubMap", {{"ClubID", id}, {"ClubName", name}});
    }
    void mode(int m) {
        dm->exec("DELETE FROM LCX_ClubData");
        dm->insertRow("LCX_ClubData", {{"ClubID", "C01"}, {"ClubName", "Club"}, {"Mode", m}});
    }
    void loft(const QString& no, const QString& name, const QVariant& lon = {}, const QVariant& lat = {}) {
        dm->insertRow("LCX_LoftData", {{"LoftNo", no}, {"LoftName", name}, {"LoftLon", lon}, {"LoftLat", lat}});
    }
    void pigeon(const QString& loftNo, const QString& ring) {
        dm->insertRow("LCX_PigData", {{"LoftNo", loftNo}, {"PRingNo", ring}, {"RCountry", "BE"},
                                      {"RYear", "2014"}, {"RRegLetter", "A"}, {"RRegNumber", ring.right(4)}});
    }
    void distance(const QString& code, const QString& loftNo, int miles, int yards) {
        dm->insertRow("LCX_LoftLibPointDist",
                      {{"LiberCode", code}, {"LoftNo", loftNo}, {"Miles", miles}, {"Yards", yards}});
    }
    void race(const QString& clubId, const QString& code, const QDate& d, const QTime& t,
              const QVariant& lon = {}, const QVariant& lat = {}) {
        dm->insertRow("LCX_RaceData", {{"ClubID", clubId}, {"LiberCode", code}, {"LiberSite", "Orleans"},
                                       {"LiberSiteAbbr", "ORL"}, {"LiberDate", d}, {"LiberTime", t},
                                       {"LiberLon", lon}, {"LiberLat", lat},
                                       {"RaceCode", code + d.toString("MMdd")}});
    }
    void entry(const QString& code, const QDate& d, const QString& ring, const QVariant& backTime = {},
               const QVariant& speed = {}, const QVariant& clockId = {}, const QVariant& timeVari = {}) {
        dm->insertRow("LCX_PigRaceData", {{"ClubID", "C01"}, {"LiberCode", code}, {"LiberDate", d},
                                          {"PRingNo", ring}, {"BackTime", backTime}, {"FlySpeed", speed},
                                          {"ClockID", clockId}, {"TimeVari", timeVari}});
    }
    int count(const QString& sql, const QVariantList& params = {}) { return dm->scalar(sql, params).toInt(); }

    std::unique_ptr<TempClub> club_;
    TdmLCXS* dm = nullptr;
};

#define RACE_ENGINES(suite)                                                                        \
    INSTANTIATE_TEST_SUITE_P(Engines, suite, ::testing::Values(DbEngine::SQLite, DbEngine::PostgreSQL), \
                             [](const ::testing::TestParamInfo<DbEngine>& i) {                    \
                                 return std::string(TempClub::engineName(i.param));               \
                             })
