// The tone's output stream on the default waveOut device: while a tone plays, four blocks
// circulate between a block source (a fill function with its context: the mouse's tone, or the
// hearing test's presentations) and the device, which hands each played block back to the window as
// an MM_WOM_DONE message.
#pragma once

#include "core/app_state.h"

#ifdef _WIN32
// Opens the default output device in 16-bit stereo at 44100 frames per second, with window as
// the receiver of its notices, and queues four blocks that fill_block writes one after the other,
// each time handed context; every refill calls it again. The stream only hands context on, and
// app.stream.context tells a caller whose stream plays. Does nothing while a stream is open. When
// memory or the device cannot be had, the stream stays closed and nothing stays allocated.
void block_stream_open(HWND window, void (*fill_block)(void* context, int16_t* block),
                       void* context);

// The stream of the mouse's tone: begins the tone (phase and pulse envelope) and opens the stream
// with the tone's synthesis as its block source, without a context: the synthesis reads the tone
// fields of the state record, which the mouse changes between refills.
void tone_stream_open(HWND window);

// Has the source write the next frames into the block that header describes and queues it again;
// header is the lParam of an MM_WOM_DONE message. Notices that do not name a block of the open
// stream that the device has handed back are ignored.
void tone_stream_refill(WAVEHDR* header);

// Stops the device, gives back every queued block and releases the stream. Does nothing when the
// stream is closed. The notices of the returned blocks arrive afterwards and are ignored.
void tone_stream_close();
#endif
