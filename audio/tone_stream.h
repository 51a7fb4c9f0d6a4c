// The tone's output stream on the default waveOut device: while a tone plays, four blocks
// circulate between the synthesis and the device, which hands each played block back to the
// window as an MM_WOM_DONE message.
#pragma once

#include "core/app_state.h"

#ifdef _WIN32
// Opens the default output device in 16-bit stereo at 44100 frames per second, with window as
// the receiver of its notices, and queues four freshly synthesised blocks. Does nothing while a
// stream is open. When memory or the device cannot be had, the stream stays closed and nothing
// stays allocated.
void tone_stream_open(HWND window);

// Synthesises the next frames into the block that header describes and queues it again; header
// is the lParam of an MM_WOM_DONE message. Notices that do not name a block of the open stream
// that the device has handed back are ignored.
void tone_stream_refill(WAVEHDR* header);

// Stops the device, gives back every queued block and releases the stream. Does nothing when the
// stream is closed. The notices of the returned blocks arrive afterwards and are ignored.
void tone_stream_close();
#endif
