#pragma once
// A demo club in a temporary folder, the race clock and the ring reader emulated on
// pseudo-terminals, and the clock-operation window driven offscreen.

#include "clock_printouts.h"
#include "club_ini.h"
#include "clockop_window.h"
#include "dm_lcxs.h"
#include "module_state.h"
#include "port_finding.h"
#include "temp_club.h"

#include "devsim/emulator.h"

#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QTextStream>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

class RaceNight : public ::testing::Test {
protected:
    // The engine of the club database; PostgreSQL variants override it.
    virtual DbEngine engine() const { return DbEngine::SQLite; }

    static constexpr const char *kSysId = "123";
    static constexpr const char *kDevNo = "4C380001";

    void SetUp() override
    {
        setenv("TZ", "UTC0", 1);
        tzset();
        if (engine() == DbEngine::PostgreSQL && !TempClub::postgresAvailable())
            GTEST_SKIP() << "CLUB_TEST_PG is not set";
        club = std::make_unique<TempClub>(engine());
        ASSERT_TRUE(club->ok()) << club->error().toStdString();
        ASSERT_TRUE(writeIniValue(club->paths().iniFile(), "Parameter", "SysID", kSysId));
        clock = devsim::Emulator::start("raceclock");
        reader = devsim::Emulator::start("ringreader5");
        control(*clock, "identity", {kSysId});
        control(*clock, "devno", {kDevNo});
        clockops::SetPortOverride(clockops::ModuleKind::Clock, QString::fromStdString(clock->path()));
        clockops::SetPortOverride(clockops::ModuleKind::Reader, QString::fromStdString(reader->path()));
        TfrmClockOP_UTC::setSettleMilliseconds(0);
        window = std::make_unique<TfrmClockOP_UTC>(club->context());
        window->setReportPresenter([this](const club::reports::TReportForm &report, QWidget *) {
            const QString path = club->root() + QStringLiteral("/report%1.pdf").arg(reports.size());
            QString error;
            EXPECT_TRUE(report.writePdf(path, &error)) << error.toStdString();
            reports << path;
        });
        seed();
    }

    void TearDown() override
    {
        window.reset();
        clockops::ShutdownModules();
        clockops::SetPortOverride(clockops::ModuleKind::Clock, QString());
        clockops::SetPortOverride(clockops::ModuleKind::Reader, QString());
    }

    static std::string control(devsim::Emulator &emu, const std::string &verb, const std::vector<std::string> &args)
    {
        return emu.with_device([&](devsim::Device &d, devsim::LinkState &) {
            std::string reply;
            if (!d.control(verb, args, reply))
                throw std::runtime_error("unknown verb " + verb);
            return reply;
        });
    }

    // Lofts 01001 (2 pigeons) and 01002 (22 pigeons), race AB12 on 19 Aug 2026 06:30.
    void seed()
    {
        TdmLCXS &dm = club->dm();
        dm.insertRow("LCX_ClubData", {{"ClubID", "C01"}, {"ClubName", "Demo Club"}, {"Mode", 0}});
        dm.insertRow("LCX_LoftData", {{"AssociationCode", "BE"}, {"LoftNo", "01001"}, {"LoftName", "Ann Peeters"},
                                      {"LoftLon", "E004'21:30.25"}, {"LoftLat", "N050'51:10.50"}});
        dm.insertRow("LCX_LoftData", {{"AssociationCode", "BE"}, {"LoftNo", "01002"}, {"LoftName", "Bert Maes"},
                                      {"LoftLon", "E004'30:00.00"}, {"LoftLat", "N051'00:00.00"}, {"PhoneNo", "0470"}});
        dm.insertRow("LCX_FeatherColor", {{"ColorType", "BB"}, {"FeathColor", "Blue bar"}});
        for (int i = 0; i < 24; ++i)
            dm.insertRow("LCX_PigData", {{"LoftNo", i < 2 ? "01001" : "01002"}, {"PRingNo", ring(i)},
                                         {"RCountry", "BE"}, {"RYear", "2025"}, {"RRegLetter", ""},
                                         {"RRegNumber", QStringLiteral("%1").arg(1000 + i)},
                                         {"Sex", i % 2 ? "H" : "C"}, {"ColorType", "BB"}});
        dm.insertRow("LCX_RaceData", {{"ClubID", "C01"}, {"LiberCode", "AB12"}, {"LiberSite", "Orleans"},
                                      {"LiberDate", raceDate()}, {"LiberTime", QTime(6, 30)},
                                      {"LiberLon", "E001'54:30"}, {"LiberLat", "N047'54:10"}, {"RaceCode", "AB120819"}});
        dm.insertRow("LCX_LiberateSite", {{"LiberCode", "AB12"}, {"LiberSite", "Orleans"}});
        dm.insertRow("LCX_LoftLibPointDist", {{"LiberCode", "AB12"}, {"LoftNo", "01001"}, {"Miles", 320}, {"Yards", 320000}});
        dm.insertRow("LCX_LoftLibPointDist", {{"LiberCode", "AB12"}, {"LoftNo", "01002"}, {"Miles", 330}, {"Yards", 330000}});
    }

    static QDate raceDate() { return QDate(2026, 8, 19); }
    static QString ring(int i) { return QStringLiteral("BE-25-%1").arg(1000 + i); }
    static QString uid(int i) { return QStringLiteral("E00401%1").arg(i, 2, 16, QLatin1Char('0')).toUpper(); }
    static QString eRing(int i) { return QStringLiteral("0A1B2C%1").arg(i, 2, 16, QLatin1Char('0')).toUpper(); }

    void putRing(const QString &uidText, const QString &identity, const QString &rc = "7F", const QString &kind = "club")
    {
        control(*reader, "ring", {"remove"});
        control(*reader, "ring", {kind.toStdString(), uidText.toStdString(), identity.toStdString(), rc.toStdString()});
    }
    void noRing() { control(*reader, "ring", {"remove"}); }

    QComboBox *combo(const char *name) { return window->findChild<QComboBox *>(name); }
    void choose(const char *name, const QString &text)
    {
        QComboBox *c = combo(name);
        ASSERT_NE(c, nullptr) << name;
        const int i = c->findText(text);
        if (i >= 0)
            c->setCurrentIndex(i);
        else
            c->setEditText(text);
    }

    QString pdfText(const QString &path)
    {
        QProcess p;
        p.start("pdftotext", {"-layout", path, "-"});
        p.waitForFinished(20000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    // Shortcuts that write what Matching and Marking would have written.
    void tieAllRings()
    {
        for (int i = 0; i < 24; ++i)
            club->dm().exec("UPDATE LCX_PigData SET E_Ring = ?, UID = ?, RandomCode = 127 WHERE PRingNo = ?",
                           {eRing(i), uid(i), ring(i)});
    }
    void enter(int i, int code)
    {
        club->dm().insertRow("LCX_PigRaceData", {{"ClubID", "C01"}, {"LiberCode", "AB12"}, {"LiberDate", raceDate()},
                                                {"PRingNo", ring(i)}, {"RandomCode", code},
                                                {"MarkedTime", QDateTime(raceDate().addDays(-1), QTime(20, 0))}});
    }
    void loadBert()
    {
        window->selectPage(TfrmClockOP_UTC::CreateTimerRace);
        choose("cbbRaceCode_DLR", "AB12 / 0819");
        QMetaObject::invokeMethod(window->findChild<QWidget *>("tsCrtTimerRace"), "cbbRaceCode_DLRClick");
        choose("CbbLoftNo_DLR", "Bert Maes");
        QMetaObject::invokeMethod(window->findChild<QWidget *>("tsCrtTimerRace"), "CbbLoftNo_DLRClick");
    }
    void readBack(const QString &race = "AB12 / 0819")
    {
        window->selectPage(TfrmClockOP_UTC::UploadTimerResult);
        choose("cbbTimer_UPL", race);
        QWidget *page = window->findChild<QWidget *>("tsGetTimerResult");
        QMetaObject::invokeMethod(page, "cbbTimer_UPLClick");
        QMetaObject::invokeMethod(page, "ClockUPLTimer1Timer");
    }
    void arrive(int i, const char *utc, int random)
    {
        control(*clock, "arrive", {eRing(i).toStdString(), utc, std::to_string(random), uid(i).toStdString()});
    }

    QVariant value(const QString &sql, const QVariantList &params = {}) { return club->dm().scalar(sql, params); }

    std::unique_ptr<TempClub> club;
    std::unique_ptr<devsim::Emulator> clock, reader;
    std::unique_ptr<TfrmClockOP_UTC> window;
    QStringList reports;
};
