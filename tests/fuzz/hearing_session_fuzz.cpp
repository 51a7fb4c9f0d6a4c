// Fuzzes the hearing test's session with arbitrary sequences of blocks played, answers, Pause,
// Continue and Stop, by either procedure: no frequency may present more tones than its cap, every
// threshold must lie within the playable levels and the quick procedure's distribution must stay
// a finite distribution.
#include "core/app_state.h"
#include "hearing/test_session.h"
#include "hearing/threshold_estimate.h"
#include "hearing/threshold_search.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "hearing session fuzz: %s\n", what);
        std::abort();
    }
}

void check(const HearingTest& test) {
    bool quick = test.procedure == test_procedure_quick;
    int32_t cap = quick ? estimate_tone_cap : search_presentation_limit;
    require(test.search.presentations <= cap, "the frequency under test stays within its cap");
    for (int s = 0; s < test.decided_steps; ++s) {
        const StepResult& r = test.steps[s];
        require(r.presentations <= cap && r.catch_trials <= 4, "no frequency past its cap");
        require(r.outcome != search_threshold || (r.threshold_db >= test_level_floor_db &&
                                                  r.threshold_db <= test_level_ceiling_db),
                "thresholds within the playable levels");
    }
    double sum = 0.0;
    for (double p : test.search.probability) {
        require(std::isfinite(p) && p >= 0.0, "a finite distribution");
        sum += p;
    }
    require(!quick || std::fabs(sum - 1.0) < 1e-6, "the distribution sums to 1");
}

} // namespace

// The first byte chooses the procedure and the highs, the next eight the seed; every further
// byte is one action: up to 64 blocks played (synthesised when bit 6 is set), an answer, Pause,
// Continue, Stop, the sample tone or a new start.
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
    restart_hearing_clock(&test);
    start_hearing_test(&test, 2, (data[0] & 2) != 0, procedure(data[0]), seed);
    for (size_t i = 9; i < size; ++i) {
        uint8_t b = data[i];
        if (b < 128) {
            for (int n = 0; n <= (b & 63); ++n) {
                fill_hearing_block(&test, b & 64 ? block.data() : nullptr);
            }
        } else if (b < 192) {
            answer_hearing_test(&test);
        } else if (b < 216) {
            pause_hearing_test(&test);
        } else if (b < 240) {
            continue_hearing_test(&test);
        } else if (b < 248) {
            stop_hearing_test(&test);
        } else if (b < 252) {
            play_sample_tone(&test, 1);
        } else {
            start_hearing_test(&test, b & 1 ? 1 : 2, false, procedure(b >> 1), seed + i);
        }
        check(test);
    }
    return 0;
}
