// Speed target of the clock read-out: reading back a clock with 2,000 arrivals and writing
// their results, the database part adds under 10% to the time of the device exchanges.
// The clock is the emulated race clock on a pseudo-terminal; the club a SQLite file.
// The pseudo-terminal has no line speed, so the run with Arg(6) adds the time a real
// 115200-baud line takes for each answer; Arg(0) shows the bare program cost.
#include "clock_load.h"
#include "clock_readout.h"
#include "clock_session.h"
#include "clock_values.h"
#include "clockop_queries.h"
#include "db_backup.h"
#include "dm_lcxs.h"
#include "module_state.h"
#include "port_finding.h"
#include "prompter.h"
#include "settings_file.h"

#include "devsim/emulator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class QuietPrompter : public Prompter {
public:
    void message(const QString &) override { ++shown; }
    bool question(const QString &) override { return false; }
    void error(const QString &text) override { errors << text; }
    void information(const QString &, int) override {}
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &) override { return {}; }
    int shown = 0;
    QStringList errors;
};

constexpr int kBirds = 2000;

QString Ring(int i) { return QStringLiteral("BE-25-%1").arg(100000 + i); }
QString ERing(int i) { return QStringLiteral("1A%1").arg(i, 6, 16, QLatin1Char('0')).toUpper(); }
QString Uid(int i) { return QStringLiteral("E0%1").arg(i, 6, 16, QLatin1Char('0')).toUpper(); }

std::string Control(devsim::Emulator &emu, const std::string &verb, const std::vector<std::string> &args)
{
    return emu.with_device([&](devsim::Device &d, devsim::LinkState &) {
        std::string reply;
        d.control(verb, args, reply);
        return reply;
    });
}

// state.range(0): milliseconds the emulated clock waits before each answer (0: as fast as
// the pseudo-terminal goes; 6: about what a 72-byte exchange takes at 115200 baud).
void BM_ReadBack2000Arrivals(benchmark::State &state)
{
    setenv("TZ", "UTC0", 1);
    QTemporaryDir dir;
    QString error;
    const QString file = dir.filePath("Volaro_Europe.mdb");
    if (!createSqliteClubDatabase(file, &error)) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    QFile ini(dir.filePath("LCXS.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Parameter]\nSysID=00000001\n");
    ini.close();
    clockops::SetSettingsFolder(dir.path());
    ConnectionSettings settings;
    settings.engine = DbEngine::SQLite;
    settings.databaseFile = file;
    TdmLCXS dm(settings);
    const QDate day(2026, 8, 19);
    dm.exec("BEGIN");
    dm.insertRow("LCX_LoftData", {{"LoftNo", "01001"}, {"LoftName", "Big Loft"}});
    dm.insertRow("LCX_RaceData", {{"ClubID", "C01"}, {"LiberCode", "AB12"}, {"LiberDate", day},
                                  {"LiberTime", QTime(6, 30)}, {"RaceCode", "AB120819"}});
    dm.insertRow("LCX_LoftLibPointDist", {{"LiberCode", "AB12"}, {"LoftNo", "01001"}, {"Yards", 320000}});
    for (int i = 0; i < kBirds; ++i) {
        dm.insertRow("LCX_PigData", {{"LoftNo", "01001"}, {"PRingNo", Ring(i)}, {"RRegNumber", QString::number(i)},
                                     {"E_Ring", ERing(i)}, {"UID", Uid(i)}, {"RandomCode", i % 256}});
        dm.insertRow("LCX_PigRaceData", {{"ClubID", "C01"}, {"LiberCode", "AB12"}, {"LiberDate", day},
                                         {"PRingNo", Ring(i)}, {"RandomCode", i % 256}});
    }
    dm.exec("COMMIT");

    auto clock = devsim::Emulator::start("raceclock");
    Control(*clock, "identity", {"00000001"});
    clockops::SetPortOverride(clockops::ModuleKind::Clock, QString::fromStdString(clock->path()));
    QuietPrompter prompter;
    clockops::ClockOpShared shared;
    shared.context.dm = &dm;
    shared.context.prompter = &prompter;
    clockops::ClockOpValues &v = shared.values;
    v.CurLoftNo = "01001";
    v.CurLiberCode = "AB12";
    v.CurLiberDate = day;
    v.CurRaceCode = "AB120819";
    clockops::CreateModuleForPage(4);
    const QList<clockq::PigeonRow> entries = clockq::raceEntryRows(dm, "01001", "AB12", day, true);

    double deviceMs = 0, dbMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        dm.exec("UPDATE LCX_PigRaceData SET BackTime = NULL, RealRandom = NULL");
        clockops::LoadRace(shared, entries);
        for (int i = 0; i < kBirds; ++i)
            Control(*clock, "arrive",
                    {ERing(i).toStdString(),
                     QStringLiteral("2026-08-19T%1:%2:%3.250").arg(9 + i / 3600, 2, 10, QLatin1Char('0'))
                         .arg(i / 60 % 60, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0')).toStdString(),
                     std::to_string(i % 256), Uid(i).toStdString()});
        if (state.range(0) > 0)
            clock->arm({devsim::Fault::Delay, static_cast<int>(state.range(0)), -1});
        state.ResumeTiming();

        QElapsedTimer timer;
        timer.start();
        clockops::ConnectClock();
        const QByteArray raceId = clockops::RaceIdentifier(v.CurRaceCode).toLatin1();
        clockops::Modules().RaceIdCode = clockops::RaceIdCodeFor(QString::fromLatin1(raceId), clockops::Modules().SysIdCodeBytes);
        bool ok = false;
        clockops::Modules().DeviceNo = clockops::Modules().clock->ReadDeviceNo(&ok);
        int accepted = 0;
        const QList<clockops::ArrivalEntry> table = clockops::ReadRecords(shared, raceId, &accepted);
        const qint64 device = timer.nsecsElapsed();
        clockops::WriteResults(shared, table);
        const qint64 total = timer.nsecsElapsed();
        deviceMs += device / 1e6;
        dbMs += (total - device) / 1e6;
        clock->clear_faults();
        if (accepted != kBirds)
            state.SkipWithError("not every record was accepted");
    }
    state.counters["device_ms"] = benchmark::Counter(deviceMs / state.iterations());
    state.counters["database_ms"] = benchmark::Counter(dbMs / state.iterations());
    state.counters["database_share_pct"] = benchmark::Counter(100.0 * dbMs / deviceMs);
    const int clocked = dm.scalar("SELECT COUNT(*) FROM LCX_PigRaceData WHERE BackTime IS NOT NULL").toInt();
    state.counters["clocked"] = clocked;
    clockops::ShutdownModules();
    clockops::SetPortOverride(clockops::ModuleKind::Clock, QString());
}
BENCHMARK(BM_ReadBack2000Arrivals)->Arg(0)->Arg(6)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
