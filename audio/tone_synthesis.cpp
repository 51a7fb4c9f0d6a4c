// Sine synthesis of the tone, one block at a time, with channel selection and pulse envelope, and
// of pulse trains.
#include "audio/tone_synthesis.h"

#include "core/truncate.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const double pi = 3.14159265358979323846;

// Writes sample into the frame's left slot when channel_mask has bit value 1 and into its right
// slot when it has bit value 2; a slot left out keeps the zero the block was cleared to.
void write_frame(int16_t* block, int frame, int32_t channel_mask, int16_t sample) {
    if (channel_mask & 1) {
        block[2 * frame] = sample;
    }
    if (channel_mask & 2) {
        block[2 * frame + 1] = sample;
    }
}

// Moves the triangular envelope one frame on. Summed in doubles, 10000 steps leave the gain just
// short of a bound; the 10001st passes it and is clamped, and the direction turns there.
void step_pulse_envelope(ToneState* tone) {
    if (tone->pulse_falling == 1) {
        tone->pulse_gain -= pulse_step;
        if (!(tone->pulse_gain > 0.0)) {
            tone->pulse_gain = 0.0;
            tone->pulse_falling = 0;
        }
    } else {
        tone->pulse_gain += pulse_step;
        if (!(tone->pulse_gain < 1.0)) {
            tone->pulse_gain = 1.0;
            tone->pulse_falling = 1;
        }
    }
}

// The gain of frame n of a pulse: a raised cosine from 0 up to 1 over the first edge, 1, and down
// to 0 at the last frame.
double pulse_gain(const PulseTrain& train, int32_t n) {
    int32_t from_edge = std::min(n, train.pulse_frames - 1 - n);
    if (from_edge >= train.edge_frames) {
        return 1.0;
    }
    return 0.5 - 0.5 * std::cos(pi * from_edge / train.edge_frames);
}

} // namespace

void begin_tone() {
    app.tone.phase = 0.0;
    app.tone.pulse_gain = app.pulse_mode ? 0.0 : 1.0;
}

void synthesize_tone_block(int16_t* block) {
    ToneState* tone = &app.tone;
    std::memset(block, 0, block_bytes);
    for (int frame = 0; frame < block_frames; ++frame) {
        // The frame uses the phase and gain from before this frame's advance. The product is
        // taken in this order; amplitude never exceeds 32767, so the sample fits 16 bits.
        double value = std::sin(tone->phase) * tone->pulse_gain * tone->amplitude;
        int16_t sample = static_cast<int16_t>(truncate_to_int(value));
        write_frame(block, frame, tone->channel_mask, sample);

        // A phase of exactly one period stays; only a phase beyond it wraps, once.
        tone->phase = tone_phase_period * tone->frequency_hz / tone_frame_rate + tone->phase;
        if (tone->phase > tone_phase_period) {
            tone->phase -= tone_phase_period;
        }
        if (app.pulse_mode) {
            step_pulse_envelope(tone);
        }
    }
}

void synthesize_pulse_block(const PulseTrain& train, int64_t first_frame, int16_t* block) {
    std::memset(block, 0, block_bytes);
    if (train.pulses <= 0) {
        return;
    }
    const int64_t train_frames =
        int64_t(train.pulses - 1) * train.period_frames + train.pulse_frames;
    for (int frame = 0; frame < block_frames; ++frame) {
        int64_t since_onset = first_frame + frame - train.onset;
        if (since_onset < 0 || since_onset >= train_frames) {
            continue;
        }
        int32_t n = int32_t(since_onset % train.period_frames);
        if (n >= train.pulse_frames) {
            continue;
        }
        // The product is taken in this order and rounded to the nearest sample: the quietest
        // pulses are a few steps high, and truncation would play them several dB quieter. The
        // amplitude is at most 32767 and both factors at most 1, so the sample fits 16 bits.
        double phase = 2.0 * pi * train.frequency_hz * n / tone_frame_rate;
        double value = std::sin(phase) * pulse_gain(train, n) * train.amplitude;
        write_frame(block, frame, train.channel_mask, int16_t(round_to_int(value)));
    }
}
