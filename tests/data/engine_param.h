#pragma once

#include "temp_club.h"

#include <gtest/gtest.h>

// Tests that run on every engine: SQLite always, PostgreSQL when CLUB_TEST_PG is set.
class EngineTest : public ::testing::TestWithParam<DbEngine> {
protected:
    void SetUp() override
    {
        if (GetParam() == DbEngine::PostgreSQL && !TempClub::postgresAvailable())
            GTEST_SKIP() << "CLUB_TEST_PG is not set (scripts/pg-server.sh start)";
        club_ = std::make_unique<TempClub>(GetParam());
        ASSERT_TRUE(club_->ok()) << club_->error().toStdString();
    }
    TdmLCXS& dm() { return club_->dm(); }
    TempClub& club() { return *club_; }

private:
    std::unique_ptr<TempClub> club_;
};

#define INSTANTIATE_ON_ENGINES(suite)                                                              \
    INSTANTIATE_TEST_SUITE_P(Engines, suite, ::testing::Values(DbEngine::SQLite, DbEngine::PostgreSQL), \
                             [](const ::testing::TestParamInfo<DbEngine>& i) {                    \
                                 return std::string(TempClub::engineName(i.param));               \
                             })
