#pragma once
// A club database in a temporary folder, with shorthands that insert rows directly.

#include "db_backup.h"
#include "dm_lcxs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

class RaceClub : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const QString file = dir.filePath("Volaro_Europe.mdb");
        QString error;
        ASSERT_TRUE(createSqliteClubDatabase(file, &error)) << error.toStdString();
        ConnectionSettings s;
        s.engine = DbEngine::SQLite;
        s.databaseFile = file;
        dm = std::make_unique<TdmLCXS>(s);
        ASSERT_TRUE(dm->isOpen()) << dm->openError().toStdString();
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

    QTemporaryDir dir;
    std::unique_ptr<TdmLCXS> dm;
};
