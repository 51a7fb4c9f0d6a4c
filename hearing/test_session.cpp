// The guided hearing test's session: the presentations on the stream's clock, and what each block
// plays.
#include "hearing/test_session.h"

#include "audio/tone_synthesis.h"
#include "core/app_state.h"
#include "graph/scales.h"
#include "hearing/threshold_estimate.h"
#include "hearing/threshold_search.h"

#include <algorithm>
#include <cstring>

namespace {

const uint16_t first_frequencies[] = {1000, 2000, 3000, 4000, 6000, 8000};
const uint16_t high_frequencies[] = {10000, 12000, 14000, 16000};
const uint16_t last_frequencies[] = {1000, 500, 250, 125}; // the retest first
const double catch_probability = 0.2;
const int32_t catch_trials_per_step = 4;
const double silence_min_frames = 1.5 * tone_frame_rate;
const double silence_max_frames = 3.5 * tone_frame_rate;
// The device plays the blocks in turn: when a block comes back the next one starts playing, and
// the others wait behind it.
const int64_t frames_queued_ahead = int64_t(block_count - 1) * block_frames;

// splitmix64: small, fast and the same on every platform.
uint64_t next_random(uint64_t* state) {
    uint64_t z = (*state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// Uniform in [0, 1).
double random_fraction(uint64_t* state) {
    return double(next_random(state) >> 11) * (1.0 / 9007199254740992.0);
}

// The frame after a presentation's last frame.
int64_t sound_end(const Presentation& p) {
    return p.pulses > 0 ? p.onset + int64_t(p.pulses - 1) * pulse_period_frames + pulse_frames
                        : p.onset;
}

int64_t window_end(const Presentation& p) {
    return sound_end(p) + response_frames;
}

bool answerable(const Presentation& p) {
    return p.kind == presentation_tone || p.kind == presentation_catch;
}

// What has not been synthesised of the presentation is dropped, but the pulse in progress ends as
// it would have, at zero gain. Undecided, it counts nothing, and a silent one leaves its place
// among the frequency's catch trials to another.
void cut_short(HearingTest* test) {
    Presentation* p = &test->presentation;
    int64_t synthesized = test->synthesized_frames;
    if (p->onset >= synthesized) {
        p->pulses = 0;
        p->onset = synthesized;
    } else {
        int64_t begun = (synthesized - 1 - p->onset) / pulse_period_frames + 1;
        p->pulses = int32_t(std::min<int64_t>(p->pulses, begun));
    }
    if (!p->decided) {
        p->decided = 1;
        p->counts = 0;
        if (p->kind == presentation_catch && test->step < test->step_count) {
            --test->steps[test->step].catch_trials;
        }
    }
}

void begin_step(HearingTest* test) {
    if (test->procedure == test_procedure_quick) {
        begin_estimate(&test->search, *test);
    } else {
        begin_search(&test->search, test->step == 0);
    }
}

void finish_step(HearingTest* test) {
    StepResult* result = &test->steps[test->step];
    result->outcome = test->search.outcome;
    result->threshold_db = test->search.threshold_db;
    result->presentations = test->search.presentations;
    result->estimate_db = estimate_mean_db(test->search);
    ++test->decided_steps;
    ++test->step;
    if (test->step < test->step_count) {
        begin_step(test);
    } else {
        test->running = 0;
    }
}

void take_tone_answer(HearingTest* test, bool heard) {
    if (test->procedure == test_procedure_quick) {
        record_estimate_answer(&test->search, heard, false_alarm_estimate(*test));
    } else {
        record_answer(&test->search, heard);
    }
    if (test->search.outcome != search_running) {
        finish_step(test);
    }
}

// A presentation whose window has closed without an answer.
void decide_missed(HearingTest* test) {
    Presentation* p = &test->presentation;
    p->decided = 1;
    if (p->kind == presentation_catch) {
        ++test->catch_trials;
    } else {
        take_tone_answer(test, false);
    }
}

// The next presentation, a silence of 1.5 to 3.5 s after the last one ended, and never before the
// frames already synthesised.
void schedule_next(HearingTest* test) {
    Presentation* p = &test->presentation;
    double silence = silence_min_frames + (silence_max_frames - silence_min_frames) *
                                              random_fraction(&test->random_state);
    int64_t onset = std::max(sound_end(*p) + int64_t(silence), test->synthesized_frames);
    StepResult* step = &test->steps[test->step];
    bool silent = random_fraction(&test->random_state) < catch_probability &&
                  step->catch_trials < catch_trials_per_step;
    std::memset(p, 0, sizeof *p);
    p->onset = onset;
    p->pulses = tone_pulses;
    p->frequency_hz = step->frequency_hz;
    p->counts = 1;
    if (silent) {
        p->kind = presentation_catch;
        ++step->catch_trials;
    } else {
        p->kind = presentation_tone;
        p->level_db = test->search.level_db;
        p->amplitude = test_amplitude(p->level_db);
    }
}

// The next block of what plays: the pulses of a tone or the sample, silence for anything else.
void synthesize(const HearingTest& test, int16_t* block) {
    const Presentation& p = test.presentation;
    bool audible = p.kind == presentation_tone || p.kind == presentation_sample;
    PulseTrain train;
    train.frequency_hz = p.frequency_hz;
    train.amplitude = p.amplitude;
    train.channel_mask = test.channel_mask;
    train.onset = p.onset;
    train.pulses = audible ? p.pulses : 0;
    train.pulse_frames = pulse_frames;
    train.period_frames = pulse_period_frames;
    train.edge_frames = pulse_edge_frames;
    synthesize_pulse_block(train, test.synthesized_frames, block);
}

} // namespace

void restart_hearing_clock(HearingTest* test) {
    test->synthesized_frames = 0;
    test->played_frames = 0;
    std::memset(&test->presentation, 0, sizeof test->presentation);
    test->presentation.decided = 1;
    test->answered_until = 0;
}

void start_hearing_test(HearingTest* test, int32_t channel_mask, bool highs,
                        TestProcedure procedure, uint64_t seed) {
    cut_short(test);
    test->random_state = seed;
    test->channel_mask = channel_mask;
    test->procedure = procedure;
    test->running = 1;
    test->paused = 0;
    test->step = 0;
    test->step_count = 0;
    std::memset(test->steps, 0, sizeof test->steps);
    auto add = [test](const uint16_t* frequencies, int count) {
        for (int i = 0; i < count; ++i) {
            test->steps[test->step_count++].frequency_hz = frequencies[i];
        }
    };
    add(first_frequencies, 6);
    if (highs) {
        add(high_frequencies, 4);
    }
    add(last_frequencies, 4);
    test->answered_until = 0;
    test->catch_trials = 0;
    test->catch_answers = 0;
    test->false_alarms = 0;
    test->decided_steps = 0;
    begin_step(test);
}

void play_sample_tone(HearingTest* test, int32_t channel_mask) {
    if (test->running) {
        return;
    }
    Presentation* p = &test->presentation;
    int64_t onset = std::max(sound_end(*p), test->synthesized_frames);
    std::memset(p, 0, sizeof *p);
    p->kind = presentation_sample;
    p->onset = onset;
    p->pulses = sample_pulses;
    p->level_db = sample_level_db;
    p->amplitude = test_amplitude(sample_level_db);
    p->frequency_hz = sample_frequency_hz;
    p->decided = 1;
    test->channel_mask = channel_mask;
}

void pause_hearing_test(HearingTest* test) {
    if (!test->running || test->paused) {
        return;
    }
    test->paused = 1;
    cut_short(test);
}

void continue_hearing_test(HearingTest* test) {
    test->paused = 0;
}

void stop_hearing_test(HearingTest* test) {
    test->running = 0;
    test->paused = 0;
    cut_short(test);
}

void answer_hearing_test(HearingTest* test) {
    if (!test->running || test->paused || test->played_frames < test->answered_until) {
        return;
    }
    Presentation* p = &test->presentation;
    // The block that plays now begins at played_frames: a presentation is heard once its first
    // frame is in that block or behind it.
    bool in_window = answerable(*p) && p->onset < test->played_frames + block_frames &&
                     test->played_frames < window_end(*p);
    // A tone that Pause or Stop cut short may still be heard after Continue: its answer, like
    // the tone, counts nothing.
    if (in_window && p->decided && !p->counts && p->kind == presentation_tone && p->pulses > 0) {
        return;
    }
    if (!in_window || p->decided) {
        ++test->false_alarms;
        return;
    }
    p->decided = 1;
    test->answered_until = window_end(*p);
    if (p->kind == presentation_catch) {
        ++test->catch_trials;
        ++test->catch_answers;
        ++test->false_alarms;
    } else {
        take_tone_answer(test, true);
    }
}

void fill_hearing_block(HearingTest* test, int16_t* block) {
    if (test->synthesized_frames >= int64_t(block_count) * block_frames) {
        test->played_frames = test->synthesized_frames - frames_queued_ahead;
    }
    Presentation* p = &test->presentation;
    if (test->running && !test->paused) {
        if (!p->decided && test->played_frames >= window_end(*p)) {
            decide_missed(test);
        }
        if (test->running && p->decided && test->synthesized_frames >= sound_end(*p)) {
            schedule_next(test);
        }
    }
    if (block != nullptr) {
        synthesize(*test, block);
    }
    test->synthesized_frames += block_frames;
}

bool hearing_sound_over(const HearingTest& test) {
    return !test.running && test.played_frames >= sound_end(test.presentation);
}

double test_amplitude(int32_t level_db) {
    return db_to_amplitude(level_db);
}

bool is_curve_threshold(const HearingTest& test, int step) {
    const StepResult& own = test.steps[step];
    if (own.outcome != search_threshold) {
        return false;
    }
    for (int i = 0; i < test.step_count; ++i) {
        const StepResult& other = test.steps[i];
        bool undercuts = other.threshold_db < own.threshold_db ||
                         (other.threshold_db == own.threshold_db && i < step);
        if (i != step && other.frequency_hz == own.frequency_hz &&
            other.outcome == search_threshold && undercuts) {
            return false;
        }
    }
    return true;
}
