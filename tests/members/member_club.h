#pragma once
// A real club database (SQLite file in a temporary folder) with shorthands for the rows
// the member tests start from.

#include "db_backup.h"
#include "dm_lcxs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

class MemberClub : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString file = dir.filePath(QStringLiteral("Volaro_Europe.mdb"));
        QString error;
        ASSERT_TRUE(createSqliteClubDatabase(file, &error)) << error.toStdString();
        ConnectionSettings s;
        s.engine = DbEngine::SQLite;
        s.databaseFile = file;
        dm = std::make_unique<TdmLCXS>(s);
        ASSERT_TRUE(dm->isOpen()) << dm->openError().toStdString();
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
    int count(const QString& sql, const QVariantList& params = {}) { return dm->scalar(sql, params).toInt(); }
    QString value(const QString& sql, const QVariantList& params = {}) { return dm->scalar(sql, params).toString(); }

    QTemporaryDir dir;
    std::unique_ptr<TdmLCXS> dm;
};
