// Fuzzes the hearing test's session with arbitrary sequences of blocks played, answers, answers to
// the headphone check, Pause, Continue and Stop, by either procedure, for one ear or both: no
// frequency may present more tones than its cap, every threshold must lie within the playable
// levels, the quick procedure's distributions must stay finite distributions, no tone of the test
// may play before the check has passed, and the check's answers must count nothing in the test.
#include "core/app_state.h"
#include "hearing/test_session.h"
#include "hearing/threshold_estimate.h"
#include "hearing/threshold_search.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// What one input may play, so that a run stays short: blocks of the clock, and blocks with
// samples synthesised.
const int block_limit = 4000;
const int synthesized_limit = 100;

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "hearing session fuzz: %s\n", what);
        std::abort();
    }
}

void require_distribution(const double* p, int count, bool summing) {
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        require(std::isfinite(p[i]) && p[i] >= 0.0, "a finite distribution");
        sum += p[i];
    }
    require(!summing || std::fabs(sum - 1.0) < 1e-6, "the distribution sums to 1");
}

// started_at: the frame synthesised when the test started; a tone of an earlier test may still end
// its pulse after it.
void check(const HearingTest& test, int64_t started_at) {
    bool quick = test.procedure == test_procedure_quick;
    int32_t cap = quick ? estimate_tone_cap : search_presentation_limit;
    for (int k = 0; k < test.ear_count; ++k) {
        require(test.searches[k].presentations <= cap, "a search stays within its cap");
        require_distribution(test.searches[k].probability, estimate_grid_count,
                             quick && test.check_verdict == check_passed);
    }
    int decided = 0;
    for (int s = 0; s < test.step_count; ++s) {
        const StepResult& r = test.steps[s];
        decided += r.outcome != search_running;
        require(r.presentations <= cap, "no frequency past its cap");
        require(r.outcome != search_threshold || (r.threshold_db >= test_level_floor_db &&
                                                  r.threshold_db <= test_level_ceiling_db),
                "thresholds within the playable levels");
    }
    require(decided == test.decided_steps, "the decided steps counted");
    const Presentation& p = test.presentation;
    bool scheduled = (p.kind == presentation_tone || p.kind == presentation_catch) &&
                     p.pulses > 0 && p.onset >= started_at;
    require(test.check_verdict == check_passed || (test.decided_steps == 0 && !scheduled),
            "nothing of the test before the check has passed");
}

} // namespace

// The first byte chooses the procedure, the highs and the ears, the next eight the seed; every
// further byte is one action: up to 64 blocks played (synthesised when bit 6 is set), an answer,
// an answer to the check, Pause, Continue, Stop, the sample tone or a new start.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 9) {
        return 0;
    }
    HearingTest test{};
    std::vector<int16_t> block(block_frames * 2);
    uint64_t seed = 0;
    for (int i = 1; i < 9; ++i) {
        seed = seed << 8 | data[i];
    }
    auto procedure = [](uint8_t b) {
        return b & 1 ? test_procedure_quick : test_procedure_standard;
    };
    auto ears = [](uint8_t b) { return (b >> 2 & 3) == 0 ? 3 : b >> 2 & 3; };
    restart_hearing_clock(&test);
    start_hearing_test(&test, ears(data[0]), (data[0] & 2) != 0, procedure(data[0]), seed);
    int64_t started_at = 0;
    int blocks = 0, synthesized = 0;
    for (size_t i = 9; i < size && blocks < block_limit; ++i) {
        uint8_t b = data[i];
        if (b < 128) {
            for (int n = 0; n <= (b & 63) && blocks < block_limit; ++n, ++blocks) {
                bool sound = (b & 64) != 0 && synthesized < synthesized_limit;
                synthesized += sound;
                fill_hearing_block(&test, sound ? block.data() : nullptr);
            }
        } else if (b < 176) {
            answer_hearing_test(&test);
        } else if (b < 192) {
            int32_t false_alarms = test.false_alarms, tones = test.searches[0].presentations;
            answer_channel_check(&test, b & 3);
            require(test.false_alarms == false_alarms && test.searches[0].presentations == tones,
                    "the check's answers count nothing in the test");
        } else if (b < 216) {
            pause_hearing_test(&test);
        } else if (b < 240) {
            continue_hearing_test(&test);
        } else if (b < 248) {
            stop_hearing_test(&test);
        } else if (b < 252) {
            play_sample_tone(&test, b & 3);
        } else {
            start_hearing_test(&test, ears(b), false, procedure(b >> 1), seed + i);
            started_at = test.synthesized_frames;
        }
        check(test, started_at);
    }
    // The joint distribution, too large to go through after every action.
    require_distribution(&test.joint[0][0], estimate_grid_count * estimate_grid_count,
                         test.procedure == test_procedure_quick &&
                             test.check_verdict == check_passed);
    return 0;
}
