// Speed targets of the Races page: the ranked result of a 50,000-entry race under 1 s,
// "LoftDistUpdate" for 5,000 lofts under 2 s, recalculating a 50,000-entry race under 5 s.
#include "distance_update.h"
#include "dm_lcxs.h"
#include "race_queries.h"
#include "race_result.h"
#include "synthetic_club.h"

#include <benchmark/benchmark.h>

namespace {

benchclub::ClubPlan bigRace() {
    benchclub::ClubPlan s;
    s.lofts = 1000;
    s.pigeonsPerLoft = 50;
    s.entries = 50000;
    return s;
}

void BM_ResultList50k(benchmark::State& state) {
    const benchclub::ClubPlan plan = bigRace();
    benchclub::Club club = benchclub::create(plan);
    for (auto _ : state) {
        const club::RaceResult r = club::LoadRaceResult(*club.dm, plan.liberCode, plan.liberDate);
        benchmark::DoNotOptimize(r.rows.size());
        state.counters["clocked"] = r.clocked();
    }
}
BENCHMARK(BM_ResultList50k)->Unit(benchmark::kMillisecond)->Iterations(3);

// The statement alone, to tell the database's share from the ranking's.
void BM_ResultQuery50k(benchmark::State& state) {
    const benchclub::ClubPlan plan = bigRace();
    benchclub::Club club = benchclub::create(plan);
    for (auto _ : state)
        benchmark::DoNotOptimize(raceq::selectArrivedEntries(*club.dm, plan.liberCode, plan.liberDate, false).size());
}
BENCHMARK(BM_ResultQuery50k)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoftDistUpdate5k(benchmark::State& state) {
    benchclub::ClubPlan plan;
    plan.lofts = 5000;
    plan.pigeonsPerLoft = 0;
    plan.entries = 0;
    plan.mode = 1;
    benchclub::Club club = benchclub::create(plan);
    for (auto _ : state) {
        const club::DistanceUpdateReport r =
            club::UpdateLoftDistances(*club.dm, plan.clubId, plan.liberCode, plan.liberDate);
        state.counters["lofts"] = r.loftsWritten;
    }
}
BENCHMARK(BM_LoftDistUpdate5k)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Recalculate50k(benchmark::State& state) {
    const benchclub::ClubPlan plan = bigRace();
    benchclub::Club club = benchclub::create(plan);
    for (auto _ : state) {
        const club::RecalculationReport r = club::RecalculateRace(
            *club.dm, plan.liberCode, plan.liberDate, QDateTime(plan.liberDate, QTime(6, 31)));
        state.counters["entries"] = r.entries;
    }
}
BENCHMARK(BM_Recalculate50k)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
