// The samples of the two sounds the stream plays, one block of stereo frames at a time: the
// mouse's tone (a sine at the tone's frequency, level and channels, shaped by the pulse envelope;
// phase and envelope live in the state record and carry on from block to block, so consecutive
// blocks join without a seam) and a train of sine pulses with raised-cosine edges.
#pragma once

#include "core/app_state.h"

#include <cstdint>

const double tone_frame_rate = 44100.0; // frames per second
// The stored period of the phase, a little short of the exact 2*pi: the phase wraps by this.
const double tone_phase_period = 6.2831853;
// Gain change per frame while pulsing: a ramp from silence to full level takes 10001 frames.
const double pulse_step = 0.0001;

// Puts the tone at the start of a new stream: phase 0 (a zero crossing), and silence when pulsing,
// full level otherwise. The direction of the envelope is left as the previous tone left it.
void begin_tone();

// Writes block_frames frames into block (block_bytes bytes; left sample, then right sample of each
// frame) from app.tone and app.pulse_mode, and advances the phase and the pulse envelope. A channel
// that channel_mask leaves out is silent.
void synthesize_tone_block(int16_t* block);

// A train of equal sine pulses on the stream's frame clock, at 44100 frames per second. Each pulse
// starts its sine at phase 0 and rises over its first edge_frames frames and falls over its last
// ones along a raised cosine, from a silent first frame to a silent last frame.
struct PulseTrain {
    uint16_t frequency_hz;
    double amplitude;      // peak sample value, 0 to 32767
    int32_t channel_mask;  // bit value 1 left, 2 right
    int64_t onset;         // the stream frame of the first pulse's first frame
    int32_t pulses;        // none plays when 0
    int32_t pulse_frames;  // of one pulse, its edges included; at most period_frames
    int32_t period_frames; // from one pulse's first frame to the next one's
    int32_t edge_frames;   // of the rise, and of the fall
};

// Writes the block_frames frames of train that begin at the stream frame first_frame into block:
// silence outside the pulses and in the channels that the mask leaves out.
void synthesize_pulse_block(const PulseTrain& train, int64_t first_frame, int16_t* block);
