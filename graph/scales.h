// The frequency field's scales: pixels to hertz and amplitudes and back, decibels, A-weighting.
// Every function reads the options snap_hz, snap_db, linear_db and a_weighting from the state
// record at each call; nothing else is kept between calls.
#pragma once

#include <cstdint>

// Amplitudes are linear peak sample values; 32768 is 0 dB, so 32767 is -0.000265 dB.
// Levels are 20·log10(amplitude / 32768): amplitude 0 gives -infinity and back.
double amplitude_to_db(double amplitude);
double db_to_amplitude(double level_db);

// The frequency scale. x counts pixels from the left end of the whole axis, w is the axis length;
// the axis runs from 100/e Hz (36.79) at 0 to 100·e^5.2 Hz (18127) at w. x_to_hz rounds to the
// steps of its band while snap_hz is on; hz_to_x never snaps.
int32_t x_to_hz(int32_t x, int32_t w);
int32_t hz_to_x(int32_t frequency, int32_t w);

// The level scale. y counts pixels from the top edge (silence) to h at the bottom edge (full
// scale); the law is linear in decibels while linear_db is on, else a cube law in amplitude.
// y_to_amplitude rounds to whole decibels while snap_db is on and never exceeds 32767.
double y_to_amplitude(int32_t y, int32_t h);
int32_t amplitude_to_y(int32_t amplitude, int32_t h);

// The A-weighting gain in dB at a frequency: +0.00065 at 1000 Hz, -infinity at 0 Hz.
double a_weighting_db(int32_t frequency);

// The amplitude at which a stored (unweighted) level is shown on the level axis: A-weighted
// while a_weighting is on, unchanged otherwise. Not clamped: it may exceed 32767.
int32_t display_amplitude(int32_t amplitude, int32_t frequency);
