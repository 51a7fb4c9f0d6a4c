// The mouse on the frequency field: a move shows the frequency and level under the pointer and
// sets the tone's level; the left or right button plays a tone while it is held; releasing the
// right button records the tone as a point of the current curve; releasing the middle button
// on a point deletes it.
#pragma once

#include "core/app_state.h"

#include <string>

#ifdef _WIN32
// The handlers take the message's key-state flags (MK_*) and, where they use it, the pointer
// position in the dialog's client coordinates, each read as an unsigned 16-bit number.

// WM_MOUSEMOVE: over the field, sets the tone's level (and its frequency while no key or button
// is held) and shows the readout at once.
void on_mouse_move(HWND dialog, WPARAM flags, uint16_t x, uint16_t y);

// WM_LBUTTONDOWN and WM_RBUTTONDOWN: unless another button already holds the tone, fixes the
// frequency of the pointer's column, captures the mouse and starts the tone at the level of the
// last move. A stream left open by a release that never arrived is closed first. A press right
// of the field plays nothing and leaves no frequency for its release to record.
void on_button_down(HWND dialog, WPARAM flags, uint16_t x);

// WM_LBUTTONUP and WM_RBUTTONUP (right_button tells which): the release of the last held of the
// two buttons ends the tone; the right one records it as a point, unless it has no frequency or
// the curve is full. The release position is not used.
void on_button_up(HWND dialog, bool right_button, WPARAM flags);

// WM_MBUTTONUP: deletes the first point of the current curve in reach of the pointer, unless
// both the left and the right button are held. A tone that one button holds goes on.
void on_middle_button_up(HWND dialog, WPARAM flags, uint16_t x, uint16_t y);

// Draws the readout line into the off-screen picture, below the loudest level line; its opaque
// background covers the previous line. The next refresh draws none.
void draw_readout(const std::string& text);
#endif
