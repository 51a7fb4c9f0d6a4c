// The tone's samples: one block of stereo frames of the sine at the tone's frequency, level and
// channels, shaped by the pulse envelope. Phase and envelope live in the state record and carry
// on from block to block, so consecutive blocks join without a seam.
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
