// The tone stream on waveOut: opening the default device with the dialog as the receiver of its
// notices, the circulation of the four sample blocks, and closing.
#include "audio/tone_stream.h"

#include "audio/tone_synthesis.h"

#include <cstdlib>
#include <cstring>

namespace {

// Frees whatever blocks and headers exist; freeing a null pointer does nothing.
void release_blocks() {
    for (int i = 0; i < block_count; ++i) {
        std::free(app.stream.wave_headers[i]);
        std::free(app.stream.sample_buffers[i]);
        app.stream.wave_headers[i] = nullptr;
        app.stream.sample_buffers[i] = nullptr;
    }
}

// Allocates the four headers, then the four blocks; false when any of them could not be had.
bool allocate_blocks() {
    for (int i = 0; i < block_count; ++i) {
        app.stream.wave_headers[i] = static_cast<WAVEHDR*>(std::malloc(sizeof(WAVEHDR)));
    }
    for (int i = 0; i < block_count; ++i) {
        app.stream.sample_buffers[i] = static_cast<int16_t*>(std::malloc(block_bytes));
    }
    for (int i = 0; i < block_count; ++i) {
        if (app.stream.wave_headers[i] == nullptr || app.stream.sample_buffers[i] == nullptr) {
            return false;
        }
    }
    return true;
}

// The mouse's tone as a block source.
void fill_tone_block(void*, int16_t* block) {
    synthesize_tone_block(block);
}

// Has the source write the next frames into block i and appends it to the device's queue.
void queue_block(int i) {
    WAVEHDR* header = app.stream.wave_headers[i];
    waveOutUnprepareHeader(app.stream.wave_device, header, sizeof(WAVEHDR));
    app.stream.fill_block(app.stream.context, app.stream.sample_buffers[i]);
    waveOutPrepareHeader(app.stream.wave_device, header, sizeof(WAVEHDR));
    waveOutWrite(app.stream.wave_device, header, sizeof(WAVEHDR));
}

// The index of header among the open stream's four, or -1. Only the addresses are compared: a
// header that is not one of the four may be freed memory, and it is never read.
int find_block(const WAVEHDR* header) {
    for (int i = 0; i < block_count; ++i) {
        if (app.stream.wave_headers[i] == header) {
            return i;
        }
    }
    return -1;
}

// The device marks a block done and takes it out of its queue before it posts the notice, and
// waveOutWrite clears the mark again, so this holds from the return of a block to its refill.
bool handed_back(const WAVEHDR* header) {
    return (header->dwFlags & WHDR_DONE) != 0 && (header->dwFlags & WHDR_INQUEUE) == 0;
}

} // namespace

void block_stream_open(HWND window, void (*fill_block)(void* context, int16_t* block),
                       void* context) {
    if (app.stream.wave_device != nullptr) {
        return;
    }
    if (!allocate_blocks()) {
        release_blocks();
        return;
    }

    WAVEFORMATEX format;
    std::memset(&format, 0, sizeof format);
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 44100;
    format.wBitsPerSample = 16;
    format.nBlockAlign = format.wBitsPerSample / 8 * format.nChannels;
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    format.cbSize = 0;
    HWAVEOUT device = nullptr;
    if (waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(window), 0,
                    CALLBACK_WINDOW) != MMSYSERR_NOERROR) {
        device = nullptr;
    }
    app.stream.wave_device = device;
    app.stream.fill_block = fill_block;
    app.stream.context = context;
    if (device == nullptr) {
        release_blocks();
        return;
    }

    // Four blocks queued one after the other: the phase and envelope run on through them.
    for (int i = 0; i < block_count; ++i) {
        WAVEHDR* header = app.stream.wave_headers[i];
        std::memset(header, 0, sizeof(WAVEHDR));
        header->lpData = reinterpret_cast<LPSTR>(app.stream.sample_buffers[i]);
        header->dwBufferLength = block_bytes;
        queue_block(i);
    }
}

void tone_stream_open(HWND window) {
    if (app.stream.wave_device != nullptr) {
        return;
    }
    begin_tone();
    block_stream_open(window, fill_tone_block, nullptr);
}

void tone_stream_refill(WAVEHDR* header) {
    if (app.stream.wave_device == nullptr) {
        return;
    }
    // A notice may come from an earlier stream whose reset blocks were still waiting in the
    // message queue when this stream opened. An address that is not one of this stream's headers
    // is not read. An address that the allocator gave to this stream again names this stream's
    // own header, and no mark kept in that header could tell the two notices apart; what decides
    // is whether the device has handed that block back. So a block is refilled once for each
    // return, whichever notice comes first, and never while the device still holds it.
    int i = find_block(header);
    if (i < 0 || !handed_back(header)) {
        return;
    }
    queue_block(i);
}

void tone_stream_close() {
    if (app.stream.wave_device == nullptr) {
        return;
    }
    waveOutReset(app.stream.wave_device);
    for (int i = 0; i < block_count; ++i) {
        waveOutUnprepareHeader(app.stream.wave_device, app.stream.wave_headers[i], sizeof(WAVEHDR));
    }
    waveOutClose(app.stream.wave_device);
    release_blocks();
    app.stream.wave_device = nullptr;
}
