// Sine synthesis of the tone, one block at a time, with channel selection and pulse envelope.
#include "audio/tone_synthesis.h"

#include "core/truncate.h"

#include <cmath>
#include <cstring>

namespace {

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
        if (tone->channel_mask & 1) {
            block[2 * frame] = sample;
        }
        if (tone->channel_mask & 2) {
            block[2 * frame + 1] = sample;
        }

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
