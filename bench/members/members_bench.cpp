// Member page speed: spreadsheet import and export of 20,000 pigeons (target under 5 s
// each), the ring list of a loft with 1,000 pigeons and the loft list of 2,000 lofts as
// the page shows them (target under 100 ms each).
#include "member_club_generator.h"

#include "club_ini.h"
#include "loft_list_panel.h"
#include "member_page.h"
#include "pigeon_exchange.h"
#include "prompter.h"
#include "ring_panel.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace bench_members;

namespace {

// Fails loudly instead of waiting for an answer nobody gives.
class SilentPrompter : public Prompter {
public:
    void message(const QString& t) override { qWarning("message: %s", qPrintable(t)); }
    bool question(const QString&) override { return false; }
    void error(const QString& t) override { qWarning("error: %s", qPrintable(t)); }
    void information(const QString&, int) override {}
    QString openFileName(const QString&, const QString& = {}) override { return {}; }
    QString saveFileName(const QString&, const QString& = {}) override { return {}; }
};

void BM_ImportWorkbook(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString book = makePigeonWorkbook(dir.path(), int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto dm = makeClub(dir.path(), 0, 0);
        state.ResumeTiming();
        const members::ImportResult r = members::importPigeons(*dm, book, QDateTime::currentDateTime());
        if (!r.error.isEmpty() || r.inserted != state.range(0))
            state.SkipWithError(qPrintable(QStringLiteral("import: %1 inserted, %2").arg(r.inserted).arg(r.error)));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportWorkbook)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExportWorkbook(benchmark::State& state)
{
    QTemporaryDir dir;
    auto dm = makeClub(dir.path(), int(state.range(0) / 100), 100);
    const QString path = dir.filePath("export.xlsx");
    for (auto _ : state) {
        const members::ExportResult r = members::exportPigeons(*dm, path);
        if (!r.ok)
            state.SkipWithError(qPrintable(r.error));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ExportWorkbook)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The page as the secretary meets it, on a club of the given size.
struct PageOnClub {
    QTemporaryDir dir;
    std::unique_ptr<TdmLCXS> dm;
    SilentPrompter prompter;
    std::unique_ptr<TfrmMember> page;

    PageOnClub(int lofts, int pigeonsPerLoft)
    {
        dm = makeClub(dir.path(), lofts, pigeonsPerLoft);
        writeIniValue(dir.filePath("LCXS.ini"), "Parameter", "CountryRingCode", "AU,NL,BELG,PL");
        page = std::make_unique<TfrmMember>(ClubContext{dm.get(), &prompter, ClubPaths{dir.path()}, [] {}});
        page->resize(1000, 700);
        page->show();
        QApplication::processEvents();
    }
};

void BM_RingListOfLoft(benchmark::State& state)
{
    PageOnClub club(3, int(state.range(0)));
    const QString loftNo = club.page->loftList()->currentLoftNo();
    for (auto _ : state) {
        club.page->ringPanel()->open(loftNo, QStringLiteral("Member 0"));
        club.page->ringPanel()->show();
        QApplication::processEvents();  // includes laying out and painting the grid
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RingListOfLoft)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_LoftList(benchmark::State& state)
{
    PageOnClub club(int(state.range(0)), 0);
    for (auto _ : state) {
        club.page->refresh();  // what showing the page does: lists, loft query, search box
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoftList)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
