// Printing speed: the ranking of a large race (target: 5,000 rows to PDF in under 5 s),
// and the layout alone.
#include "clock_printouts.h"
#include "report_renderer.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace club::reports;

namespace {

RankingInput bigRanking(int rows)
{
    RankingInput in;
    in.clubName = "Homing Club Lier";
    in.raceCodeText = "1A2B / 0819";
    in.liberSite = "Orleans";
    in.printedOn = QDateTime(QDate(2026, 8, 19), QTime(19, 0, 0));
    for (int i = 0; i < rows; ++i) {
        const int secs = 13449 + i * 3;
        const QString fly = QStringLiteral("%1:%2:%3").arg(secs / 3600).arg(secs / 60 % 60).arg(secs % 60);
        in.rows.append({i + 1, QStringLiteral("Member %1").arg(i % 300), "", "BELG", "2025", "AB",
                         QString::number(1000000 + i), i % 2 ? "H" : "C", "BB",
                         QStringLiteral("2026/08/19 10:%1:%2.250").arg(i / 60 % 60, 2, 10, QChar('0')).arg(i % 60, 2, 10, QChar('0')),
                         fly, 1427.615 - i * 0.1, 320000 + i, 2});
        in.resultFlyTimes << fly;
    }
    return in;
}

void BM_RankingToPdf(benchmark::State& state)
{
    const TfrmRaceRankRpt_UTC report(bigRanking(static_cast<int>(state.range(0))));
    QTemporaryDir dir;
    const QString path = dir.filePath("ranking.pdf");
    for (auto _ : state) {
        if (!report.writePdf(path)) state.SkipWithError("writePdf failed");
    }
    state.counters["pages"] = report.pageCount();
}
BENCHMARK(BM_RankingToPdf)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RankingLayoutOnly(benchmark::State& state)
{
    const ReportDocument doc = TfrmRaceRankRpt_UTC(bigRanking(static_cast<int>(state.range(0)))).document();
    for (auto _ : state) benchmark::DoNotOptimize(countPages(doc));
}
BENCHMARK(BM_RankingLayoutOnly)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
