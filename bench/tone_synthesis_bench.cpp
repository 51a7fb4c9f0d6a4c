// One block of tone synthesis beside a plain loop of as many sin calls, and the share of the
// block's play time (2500 frames at 44100 per second, 56.7 ms) that its synthesis takes: the
// mouse's tone, and the hearing test's pulse with its raised-cosine rise.
#include "audio/tone_synthesis.h"
#include "hearing/test_session.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// Argument: pulse_mode (the envelope adds a little work per frame).
void tone_block(benchmark::State& state) {
    std::memset(&app, 0, sizeof app);
    app.tone.channel_mask = 3;
    app.tone.frequency_hz = 1000;
    app.tone.amplitude = 20000.0;
    app.pulse_mode = static_cast<int32_t>(state.range(0));
    begin_tone();
    std::vector<int16_t> block(block_frames * 2);
    for (auto _ : state) {
        synthesize_tone_block(block.data());
        benchmark::DoNotOptimize(block.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(tone_block)->Arg(0)->Arg(1);

// The first block of a hearing test's pulse: the rise and the flat top, at -20 dBFS.
void hearing_block(benchmark::State& state) {
    HearingTest test{};
    test.channel_mask = 2;
    test.presentation = {
        presentation_tone, 0, tone_pulses, test_amplitude(-20), -20, 1000, 2, 0, 0, 0, 1, 1};
    std::vector<int16_t> block(block_frames * 2);
    for (auto _ : state) {
        test.synthesized_frames = 0;
        fill_hearing_block(&test, block.data());
        benchmark::DoNotOptimize(block.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(hearing_block);

// The floor: the sine of the same phases, with the same wrap, and nothing else.
void sin_loop(benchmark::State& state) {
    const double step = tone_phase_period * 1000 / tone_frame_rate;
    double phase = 0.0;
    for (auto _ : state) {
        double sum = 0.0;
        for (int i = 0; i < block_frames; ++i) {
            sum += std::sin(phase);
            phase += step;
            if (phase > tone_phase_period) {
                phase -= tone_phase_period;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(sin_loop);

// Keeps the CPU time per iteration of each benchmark (the median when repetitions are asked
// for) while the console shows the usual table. CPU time, because the wall clock of a shared
// machine also counts the other processes' turns.
struct TimeKeeper : benchmark::ConsoleReporter {
    // Plain text: the figures end up in logs, where colour codes are noise.
    TimeKeeper() : benchmark::ConsoleReporter(OO_Tabular) {}

    std::map<std::string, double> nanoseconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Iteration || median) {
                nanoseconds[run.run_name.str()] = run.GetAdjustedCPUTime() /
                                                  benchmark::GetTimeUnitMultiplier(run.time_unit) *
                                                  1e9;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TimeKeeper keeper;
    benchmark::RunSpecifiedBenchmarks(&keeper);
    benchmark::Shutdown();

    const double play_ns = 1e9 * block_frames / tone_frame_rate;
    double sin_ns = keeper.nanoseconds["sin_loop"];
    std::printf("\nCPU time per iteration\n%d sin calls: %.0f ns\n", block_frames, sin_ns);
    const char* names[] = {"tone_block/0", "tone_block/1", "hearing_block"};
    const char* labels[] = {"steady", "pulsing", "hearing test pulse"};
    for (int i = 0; i < 3; ++i) {
        double block_ns = keeper.nanoseconds[names[i]];
        if (block_ns <= 0.0 || sin_ns <= 0.0) {
            continue;
        }
        std::printf("one block, %s: %.0f ns = %.2f x the sin loop = %.4f %% of its %.1f ms play "
                    "time\n",
                    labels[i], block_ns, block_ns / sin_ns, 100.0 * block_ns / play_ns,
                    play_ns / 1e6);
    }
    return 0;
}
