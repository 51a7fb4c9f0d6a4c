// The two procedures of the hearing test side by side, on the same seeded listeners with smooth
// audiograms, 5, 10 and 20 dB wide from 5 % to 95 % of their answers: the share of thresholds
// within 5 dB of the listener's 50 % point, the presentations per ear (catch trials included) and
// the minutes of sound per ear. The first argument that is a number sets the runs (1000).
#include "bench/simulated_listener.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Figures {
    double near_share; // of all frequencies tested
    int32_t presentations_median;
    int32_t presentations_95;
    double minutes_median;
    double minutes_95;
};

template <typename T> T percentile(std::vector<T> values, double share) {
    std::sort(values.begin(), values.end());
    return values[size_t(share * double(values.size() - 1))];
}

Figures measure(TestProcedure procedure, double width_db, int runs) {
    std::vector<int32_t> presentations;
    std::vector<double> minutes;
    int near = 0, steps = 0;
    for (int run = 0; run < runs; ++run) {
        uint64_t seed = 5000 + uint64_t(run);
        SimulatedListener l = seeded_listener(seed, width_db);
        HearingTest test = simulate_test(l, procedure, seed);
        int32_t count = 0;
        for (int s = 0; s < test.step_count; ++s) {
            const StepResult& r = test.steps[s];
            count += r.presentations + r.catch_trials;
            double truth = listener_threshold(l, r.frequency_hz);
            near += r.outcome == search_threshold && std::fabs(r.threshold_db - truth) <= 5.0;
            ++steps;
        }
        presentations.push_back(count);
        minutes.push_back(double(test.synthesized_frames) / tone_frame_rate / 60.0);
    }
    return {double(near) / steps, percentile(presentations, 0.5), percentile(presentations, 0.95),
            percentile(minutes, 0.5), percentile(minutes, 0.95)};
}

} // namespace

int main(int argc, char** argv) {
    int runs = 1000;
    for (int i = 1; i < argc; ++i) {
        if (std::atoi(argv[i]) > 0) {
            runs = std::atoi(argv[i]);
        }
    }
    std::printf("%d seeded listeners per width, right ear, 10 frequencies\n", runs);
    std::printf("width   procedure  within 5 dB  presentations: median  95th  minutes: median  "
                "95th\n");
    for (double width : {5.0, 10.0, 20.0}) {
        for (TestProcedure procedure : {test_procedure_quick, test_procedure_standard}) {
            Figures f = measure(procedure, width, runs);
            std::printf("%3.0f dB  %-9s  %9.1f %%  %22d  %4d  %15.1f  %4.1f\n", width,
                        procedure == test_procedure_quick ? "quick" : "standard",
                        100.0 * f.near_share, f.presentations_median, f.presentations_95,
                        f.minutes_median, f.minutes_95);
        }
    }
    return 0;
}
