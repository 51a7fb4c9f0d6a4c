// The tone that the program plays for a pointer on its frequency field, synthesised by the
// program's own platform-free code built natively: what a right-button press plays with the
// options as they are when the window opens (both channels, snap Hz and dB, linear dB, dB(A), no
// pulse). Writes the raw PCM to standard output: 16-bit little-endian stereo frames at 44100 Hz,
// whole blocks from the start of the stream, at least the given number of frames.
//
//   tone_pcm FIELD_WIDTH FIELD_HEIGHT BAND X Y FRAMES
//
// X and Y are the pointer's position in the dialog's client area, BAND the height of the control
// band above the field.
#include "core/app_state.h"
#include "audio/tone_synthesis.h"
#include "editing/pointer.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: tone_pcm FIELD_WIDTH FIELD_HEIGHT BAND X Y FRAMES\n");
        return 2;
    }
    app.graph_rect.right = std::atoi(argv[1]);
    app.graph_rect.bottom = std::atoi(argv[2]);
    app.top_band_height = static_cast<uint16_t>(std::atoi(argv[3]));
    app.tone.channel_mask = 3;
    app.snap_hz = 1;
    app.snap_db = 1;
    app.linear_db = 1;
    app.a_weighting = 1;
    std::string readout;
    if (!take_pointer_move(static_cast<uint16_t>(std::atoi(argv[4])),
                           static_cast<uint16_t>(std::atoi(argv[5])), false, &readout)) {
        std::fprintf(stderr, "tone_pcm: the pointer is outside the field\n");
        return 1;
    }
    begin_tone();
    std::vector<int16_t> block(block_frames * 2);
    for (long frames = 0; frames < std::atol(argv[6]); frames += block_frames) {
        synthesize_tone_block(block.data());
        std::fwrite(block.data(), sizeof block[0], block.size(), stdout);
    }
    std::fprintf(stderr, "%d Hz, amplitude %.17g\n", app.tone.frequency_hz, app.tone.amplitude);
    return 0;
}
