// Checking a recorded game without a window, as `pesko --replay FILE --verify`
// does: the longest golden replay (a whole crossing of the sea) on the real
// data, in steps per second.
#include "app/startup.h"
#include "files/paths.h"
#include "game/record.h"
#include "replay/replay_file.h"
#include <benchmark/benchmark.h>

namespace {

void VerifyLongestGolden(benchmark::State& state)
{
    SetGameFolders(PESKO_DATA_DIR, "", "");
    static bool started = false;
    if (!started) {
        InitHeadlessGame();
        started = true;
    }
    // The longest golden replay: the crossing of the sea, where there is one.
    Replay replay;
    std::string problem = ReadReplayFile(PESKO_SOURCE_DIR "/tests/golden/crossing.replay", replay);
    if (!problem.empty())
        problem = ReadReplayFile(PESKO_SOURCE_DIR "/tests/golden/game_over.replay", replay);
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    for (auto _ : state) {
        ReplayCheck check = CheckReplay(replay);
        if (!check.ok)
            state.SkipWithError(check.problem.c_str());
        benchmark::DoNotOptimize(check.score);
    }
    state.counters["steps"] = static_cast<double>(replay.inputs.size());
    state.counters["steps_per_s"] =
        benchmark::Counter(static_cast<double>(replay.inputs.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(VerifyLongestGolden)->Unit(benchmark::kMillisecond);

}  // namespace
