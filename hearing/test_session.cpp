// The guided hearing test's session: the headphone check, the presentations on the stream's
// clock, and what each block plays.
#include "hearing/test_session.h"

#include "audio/tone_synthesis.h"
#include "core/app_state.h"
#include "graph/scales.h"
#include "hearing/threshold_estimate.h"
#include "hearing/threshold_search.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const uint16_t first_frequencies[] = {1000, 2000, 3000, 4000, 6000, 8000};
const uint16_t high_frequencies[] = {10000, 12000, 14000, 16000};
const uint16_t last_frequencies[] = {1000, 500, 250, 125}; // the retest first
const int32_t right_ear = 2, left_ear = 1, both_ears = 3;
// The silence before a presentation: at least the listener's last reaction time, never under
// silence_shortest, and after a presentation that got no answer at least the time its response
// window and the queued blocks take; on top a random part of up to silence_variation.
const int64_t silence_shortest = 44100;  // 1 s
const int64_t silence_variation = 66150; // 1.5 s
const int64_t silence_after_no_answer = response_frames + int64_t(block_count) * block_frames;
// Tones between two silent presentations: catch_gap_shortest (one in five) until the silent ones
// speak for the listener (false_alarm_evidence below clean_evidence), then one more for each
// further silent one left unanswered, up to catch_gap_longest (one in ten); each gap drawn within
// catch_gap_jitter of it.
const int32_t catch_gap_shortest = 4;
const int32_t catch_gap_longest = 9;
const int32_t catch_gap_jitter = 2;
const double clean_evidence = -1.0;
// A tone missed this far above a tone heard at the same frequency contradicts it.
const int32_t contradiction_db = 10;
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

// Uniform in 0 ... count - 1.
int32_t random_below(uint64_t* state, int32_t count) {
    return std::min(int32_t(random_fraction(state) * count), count - 1);
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

// Whether the listener may have heard it: its first frame is in the block that plays or behind it.
bool begun(const HearingTest& test, const Presentation& p) {
    return p.onset < test.played_frames + block_frames;
}

// Drops what has not been synthesised of the presentation; a pulse in progress ends as it would
// have, at zero gain.
void drop_unplayed(HearingTest* test) {
    Presentation* p = &test->presentation;
    int64_t synthesized = test->synthesized_frames;
    if (p->onset >= synthesized) {
        if (p->pulses > 0 && p->kind != presentation_none && p->kind != presentation_sample) {
            --test->presentations;
        }
        p->pulses = 0;
        p->onset = synthesized;
    } else {
        int64_t begun = (synthesized - 1 - p->onset) / pulse_period_frames + 1;
        p->pulses = int32_t(std::min<int64_t>(p->pulses, begun));
    }
}

// Pause and Stop: undecided, the presentation counts nothing, and a silent one leaves its place to
// the next presentation.
void cut_short(HearingTest* test) {
    drop_unplayed(test);
    Presentation* p = &test->presentation;
    if (!p->decided) {
        p->decided = 1;
        p->counts = 0;
    }
}

void draw_catch_due(HearingTest* test) {
    // Each silent presentation left unanswered adds this much evidence for an honest listener.
    double unanswered =
        std::log((1.0 - false_alarm_share_honest) / (1.0 - false_alarm_share_random));
    double beyond = (clean_evidence - false_alarm_evidence(*test)) / unanswered;
    double more = std::min(std::max(beyond, 0.0), double(catch_gap_longest - catch_gap_shortest));
    test->catch_due = std::max(1, catch_gap_shortest + int32_t(more) - catch_gap_jitter +
                                      random_below(&test->random_state, 2 * catch_gap_jitter + 1));
}

void count_false_alarm(HearingTest* test) {
    ++test->false_alarms;
}

void begin_frequency(HearingTest* test) {
    for (int k = 0; k < test->ear_count; ++k) {
        ThresholdSearch* search = &test->searches[k];
        begin_search(search, test->frequency == 0);
        search->channel_mask =
            test->ear_count == 2 ? (k == 0 ? right_ear : left_ear) : test->channel_mask;
        search->step = test->frequency * test->ear_count + k;
    }
    if (test->procedure == test_procedure_quick) {
        begin_estimates(test);
    }
}

int32_t count_contradictions(const ThresholdSearch& search) {
    int32_t count = 0;
    for (int m = 0; m < search.presentations; ++m) {
        bool contradicts = false;
        for (int h = 0; h < search.presentations; ++h) {
            contradicts = contradicts ||
                          (search.tones_heard[h] && !search.tones_heard[m] &&
                           search.tone_levels_db[m] - search.tone_levels_db[h] >= contradiction_db);
        }
        count += contradicts ? 1 : 0;
    }
    return count;
}

// Writes the results of the searches that have ended; once all have, the next frequency begins.
void finish_searches(HearingTest* test) {
    bool all_ended = true;
    for (int k = 0; k < test->ear_count; ++k) {
        const ThresholdSearch& search = test->searches[k];
        StepResult* result = &test->steps[search.step];
        all_ended = all_ended && search.outcome != search_running;
        if (search.outcome == search_running || result->outcome != search_running) {
            continue;
        }
        result->outcome = search.outcome;
        result->threshold_db = search.threshold_db;
        result->presentations = search.presentations;
        result->contradictions = count_contradictions(search);
        result->estimate_db = estimate_mean_db(search);
        ++test->decided_steps;
    }
    if (!all_ended) {
        return;
    }
    ++test->frequency;
    if (test->frequency < test->frequency_count) {
        begin_frequency(test);
    } else {
        test->running = 0;
    }
}

void take_tone_answer(HearingTest* test, int k, bool heard) {
    ThresholdSearch* search = &test->searches[k];
    if (search->outcome != search_running) {
        return;
    }
    search->tone_levels_db[search->presentations] = search->level_db;
    search->tones_heard[search->presentations] = heard ? 1 : 0;
    if (test->procedure == test_procedure_quick) {
        record_estimate_answer(test, k, heard);
    } else {
        record_answer(search, heard);
    }
    finish_searches(test);
}

// A presentation whose window has closed without an answer.
void decide_missed(HearingTest* test) {
    Presentation* p = &test->presentation;
    p->decided = 1;
    if (p->kind == presentation_catch) {
        ++test->catch_trials;
        draw_catch_due(test);
    } else {
        take_tone_answer(test, p->search, false);
    }
}

// The sample tone's sound, which the check's tones share: 1 kHz at sample_level_db in the channels
// of channel_mask.
void sound_as_sample(Presentation* p, int32_t channel_mask) {
    p->level_db = sample_level_db;
    p->amplitude = test_amplitude(sample_level_db);
    p->frequency_hz = sample_frequency_hz;
    p->channel_mask = channel_mask;
}

// The verdict on the check's three answers, 0 for a tone not heard; and the ear that heard none
// when the answers are those of a listener deaf in one ear: its tone unheard, the other two
// answered with the other side.
CheckVerdict check_verdict(const HearingTest& test, int32_t* silent_ear) {
    bool all_match = true, both_swapped = true, mono = false;
    int unheard = 0;
    int32_t deaf = 0;
    for (int t = 0; t < check_tone_count; ++t) {
        int32_t played = test.check_masks[t], answer = test.check_answers[t];
        all_match = all_match && answer == played;
        unheard += answer == 0;
        deaf = answer == 0 && played != both_ears ? played : deaf;
        if (played != both_ears) {
            both_swapped = both_swapped && answer == both_ears - played;
            mono = mono || answer == both_ears;
        }
    }
    bool one_side = unheard == 1 && deaf != 0;
    for (int t = 0; t < check_tone_count && one_side; ++t) {
        one_side = test.check_answers[t] == 0 || test.check_answers[t] == both_ears - deaf;
    }
    *silent_ear = one_side ? deaf : 0;
    return all_match || one_side         ? check_passed
           : unheard == check_tone_count ? check_unheard
           : both_swapped                ? check_swapped
           : mono                        ? check_mono
                                         : check_mismatch;
}

// The check takes an answer (0: not heard) to the tone that plays or waits to play again; after
// the last tone the test begins, or ends as the verdict says.
void take_check_answer(HearingTest* test, int32_t answer) {
    Presentation* p = &test->presentation;
    p->decided = 1;
    p->answered_at = answer != 0 ? test->played_frames : 0;
    // A repeat that has not begun is not played: the next tone follows instead.
    if (p->onset >= test->synthesized_frames) {
        drop_unplayed(test);
    }
    test->check_answers[test->check_tone++] = answer;
    if (test->check_tone < check_tone_count) {
        return;
    }
    test->checking = 0;
    test->check_verdict = check_verdict(*test, &test->check_silent_ear);
    if (test->check_verdict == check_passed) {
        begin_frequency(test);
    } else {
        test->running = 0;
    }
}

// The next presentation, after a silence that follows the listener's pace, and never before the
// frames already synthesised: a tone of the check, or a tone in one of the ears still searching at
// this frequency, or now and then a silent one.
void schedule_next(HearingTest* test, bool repeat_check) {
    Presentation* p = &test->presentation;
    int64_t onset;
    int32_t plays_before = repeat_check ? p->repeat + 1 : 0;
    if (repeat_check) {
        onset = p->onset + check_repeat_frames;
    } else {
        int64_t reaction = p->answered_at - p->onset;
        int64_t shortest =
            p->answered_at > 0 ? std::max(silence_shortest, reaction) : silence_after_no_answer;
        onset = sound_end(*p) + shortest +
                int64_t(silence_variation * random_fraction(&test->random_state));
    }
    onset = std::max(onset, test->synthesized_frames);
    std::memset(p, 0, sizeof *p);
    p->onset = onset;
    p->pulses = tone_pulses;
    p->counts = 1;
    ++test->presentations;
    if (test->checking) {
        p->kind = presentation_check;
        p->repeat = plays_before;
        sound_as_sample(p, test->check_masks[test->check_tone]);
        return;
    }
    p->frequency_hz = test->steps[test->frequency * test->ear_count].frequency_hz;
    if (test->catch_due <= 0) {
        p->kind = presentation_catch;
        return;
    }
    --test->catch_due;
    int running[test_ear_capacity], count = 0;
    for (int k = 0; k < test->ear_count; ++k) {
        if (test->searches[k].outcome == search_running) {
            running[count++] = k;
        }
    }
    const ThresholdSearch& search =
        test->searches[running[random_below(&test->random_state, count)]];
    p->kind = presentation_tone;
    p->search = int32_t(&search - test->searches);
    p->channel_mask = search.channel_mask;
    p->level_db = search.level_db;
    p->amplitude = test_amplitude(p->level_db);
}

// The next block of what plays: the pulses of a tone, the check or the sample, silence for
// anything else.
void synthesize(const HearingTest& test, int16_t* block) {
    const Presentation& p = test.presentation;
    bool audible = p.kind == presentation_tone || p.kind == presentation_sample ||
                   p.kind == presentation_check;
    PulseTrain train;
    train.frequency_hz = p.frequency_hz;
    train.amplitude = p.amplitude;
    train.channel_mask = p.channel_mask;
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
    // The silence before the check's first tone counts from whatever played before.
    test->presentation.answered_at = 0;
    test->random_state = seed;
    test->channel_mask = channel_mask;
    test->procedure = procedure;
    test->running = 1;
    test->paused = 0;
    test->ear_count = channel_mask == both_ears ? 2 : 1;
    test->frequency = 0;
    test->frequency_count = 0;
    std::memset(test->steps, 0, sizeof test->steps);
    auto add = [test, channel_mask](const uint16_t* frequencies, int count) {
        for (int i = 0; i < count; ++i) {
            for (int k = 0; k < test->ear_count; ++k) {
                StepResult* step = &test->steps[test->frequency_count * test->ear_count + k];
                step->frequency_hz = frequencies[i];
                step->channel_mask =
                    test->ear_count == 2 ? (k == 0 ? right_ear : left_ear) : channel_mask;
            }
            ++test->frequency_count;
        }
    };
    add(first_frequencies, 6);
    if (highs) {
        add(high_frequencies, 4);
    }
    add(last_frequencies, 4);
    test->step_count = test->frequency_count * test->ear_count;
    std::memset(test->searches, 0, sizeof test->searches);
    test->answered_until = 0;
    test->checking = 1;
    test->check_tone = 0;
    int32_t masks[check_tone_count] = {right_ear, left_ear, both_ears};
    for (int t = check_tone_count - 1; t > 0; --t) {
        std::swap(masks[t], masks[random_below(&test->random_state, t + 1)]);
    }
    std::memcpy(test->check_masks, masks, sizeof masks);
    std::memset(test->check_answers, 0, sizeof test->check_answers);
    test->check_verdict = check_pending;
    test->check_silent_ear = 0;
    test->presentations = 0;
    test->catch_trials = 0;
    test->catch_answers = 0;
    test->false_alarms = 0;
    draw_catch_due(test);
    test->decided_steps = 0;
}

void answer_channel_check(HearingTest* test, int32_t channel_mask) {
    Presentation* p = &test->presentation;
    if (!test->running || test->paused || !test->checking || p->kind != presentation_check ||
        p->decided || (!p->repeat && !begun(*test, *p))) {
        return;
    }
    take_check_answer(test, channel_mask);
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
    sound_as_sample(p, channel_mask);
    p->decided = 1;
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
    if (!test->running || test->paused || test->checking ||
        test->played_frames < test->answered_until) {
        return;
    }
    Presentation* p = &test->presentation;
    bool in_window = answerable(*p) && begun(*test, *p) && test->played_frames < window_end(*p);
    // A tone that Pause or Stop cut short may still be heard after Continue: its answer, like
    // the tone, counts nothing.
    if (in_window && p->decided && !p->counts && p->kind == presentation_tone && p->pulses > 0) {
        return;
    }
    if (!in_window || p->decided) {
        count_false_alarm(test);
        return;
    }
    p->decided = 1;
    p->answered_at = test->played_frames;
    test->answered_until = window_end(*p);
    if (p->kind == presentation_catch) {
        ++test->catch_trials;
        ++test->catch_answers;
        count_false_alarm(test);
        draw_catch_due(test);
    } else {
        take_tone_answer(test, p->search, true);
    }
}

void fill_hearing_block(HearingTest* test, int16_t* block) {
    if (test->synthesized_frames >= int64_t(block_count) * block_frames) {
        test->played_frames = test->synthesized_frames - frames_queued_ahead;
    }
    Presentation* p = &test->presentation;
    if (test->running && !test->paused) {
        if (answerable(*p) && !p->decided && test->played_frames >= window_end(*p)) {
            decide_missed(test);
        }
        bool unanswered_check = p->kind == presentation_check && !p->decided;
        // Its last play went unanswered until the next would begin: the tone was not heard.
        if (unanswered_check && p->repeat >= check_plays &&
            p->onset < test->synthesized_frames + block_frames) {
            take_check_answer(test, 0);
            unanswered_check = false;
        }
        if (test->running && (p->decided || unanswered_check) &&
            test->synthesized_frames >= sound_end(*p)) {
            schedule_next(test, unanswered_check);
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

double false_alarm_evidence(const HearingTest& test) {
    int32_t unanswered = test.catch_trials - test.catch_answers;
    return test.false_alarms * std::log(false_alarm_share_random / false_alarm_share_honest) -
           unanswered *
               std::log((1.0 - false_alarm_share_honest) / (1.0 - false_alarm_share_random));
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
            other.channel_mask == own.channel_mask && other.outcome == search_threshold &&
            undercuts) {
            return false;
        }
    }
    return true;
}
