// The two procedures of the hearing test side by side, on the same seeded listeners (audiograms
// with steps, notches and ears that differ), 5, 10 and 20 dB wide from 5 % to 95 % of their
// answers, for both ears and for the right ear alone: the shares of thresholds within 5 and 10 dB
// of the ear's 50 % point, and within 10 dB at steep frequencies (15 dB or more from a neighbour);
// the presentations of a test (the check and the catch trials included) and its minutes of sound;
// then how often a listener who answers half of all presentations at random, and an honest one,
// are called unreliable. The first argument that is a number sets the runs (300; the README's
// figures come from 1000).
#include "bench/simulated_listener.h"
#include "hearing/test_verdict.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Figures {
    double within_5;
    double within_10;
    double steep_within_10;
    int32_t presentations_median;
    int32_t presentations_95;
    double minutes_median;
    double minutes_95;
    double unreliable; // share of tests
};

template <typename T> T percentile(std::vector<T> values, double share) {
    std::sort(values.begin(), values.end());
    return values[size_t(share * double(values.size() - 1))];
}

enum Kind { seeded, random_answerer };

Figures measure(TestProcedure procedure, int32_t ears, double width_db, Kind kind, int runs) {
    std::vector<int32_t> presentations;
    std::vector<double> minutes;
    int within_5 = 0, within_10 = 0, steps = 0, steep_within_10 = 0, steep = 0, unreliable = 0;
    for (int run = 0; run < runs; ++run) {
        uint64_t seed = 5000 + uint64_t(run);
        SimulatedListener l = seeded_listener(seed, width_db);
        if (kind == random_answerer) {
            l = flat_listener(-40.0, width_db, 0.5, 0.5);
        }
        HearingTest test = simulate_test(l, procedure, ears, seed);
        for (int s = 0; s < test.step_count; ++s) {
            const StepResult& r = test.steps[s];
            double truth = listener_threshold(l, r.channel_mask, r.frequency_hz);
            double off = std::fabs(r.threshold_db - truth);
            bool found = r.outcome == search_threshold;
            within_5 += found && off <= 5.0;
            within_10 += found && off <= 10.0;
            ++steps;
            int i = int(std::find(audiogram_hz, audiogram_hz + audiogram_count, r.frequency_hz) -
                        audiogram_hz);
            if (is_steep(l, ear_index(r.channel_mask), i)) {
                ++steep;
                steep_within_10 += found && off <= 10.0;
            }
        }
        presentations.push_back(test.presentations);
        minutes.push_back(double(test.synthesized_frames) / tone_frame_rate / 60.0);
        TestVerdict verdict = test_verdict(test);
        unreliable += verdict.ears[0].unreliable != 0 || verdict.ears[1].unreliable != 0;
    }
    return {double(within_5) / steps,
            double(within_10) / steps,
            steep > 0 ? double(steep_within_10) / steep : 1.0,
            percentile(presentations, 0.5),
            percentile(presentations, 0.95),
            percentile(minutes, 0.5),
            percentile(minutes, 0.95),
            double(unreliable) / runs};
}

const char* name(TestProcedure procedure) {
    return procedure == test_procedure_quick ? "quick" : "standard";
}

} // namespace

int main(int argc, char** argv) {
    int runs = 300;
    for (int i = 1; i < argc; ++i) {
        if (std::atoi(argv[i]) > 0) {
            runs = std::atoi(argv[i]);
        }
    }
    std::printf("%d seeded listeners per row, 10 frequencies an ear\n", runs);
    std::printf("ears   width  procedure  within 5 dB  10 dB  steep 10 dB  presentations: median  "
                "95th  minutes: median  95th\n");
    for (int32_t ears : {3, 2}) {
        for (double width : {5.0, 10.0, 20.0}) {
            for (TestProcedure procedure : {test_procedure_quick, test_procedure_standard}) {
                Figures f = measure(procedure, ears, width, seeded, runs);
                std::printf(
                    "%-5s  %2.0f dB  %-9s  %9.1f %%  %5.1f %%  %9.1f %%  %22d  %4d  %15.1f  "
                    "%4.1f\n",
                    ears == 3 ? "both" : "right", width, name(procedure), 100.0 * f.within_5,
                    100.0 * f.within_10, 100.0 * f.steep_within_10, f.presentations_median,
                    f.presentations_95, f.minutes_median, f.minutes_95);
            }
        }
    }
    std::printf("called unreliable, of %d tests a row, 10 dB wide listeners\n", runs);
    std::printf("ears   procedure  random answerer  honest seeded listener\n");
    for (int32_t ears : {3, 2}) {
        for (TestProcedure procedure : {test_procedure_quick, test_procedure_standard}) {
            Figures random = measure(procedure, ears, 10.0, random_answerer, runs);
            Figures honest = measure(procedure, ears, 10.0, seeded, runs);
            std::printf("%-5s  %-9s  %13.1f %%  %20.1f %%\n", ears == 3 ? "both" : "right",
                        name(procedure), 100.0 * random.unreliable, 100.0 * honest.unreliable);
        }
    }
    return 0;
}
