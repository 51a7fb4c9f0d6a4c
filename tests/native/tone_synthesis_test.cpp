// The tone's block synthesis: channels, extreme samples, phase step and wrap, the pulse envelope,
// and the joins between blocks.
#include "audio/tone_synthesis.h"

#include "core/truncate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const double half_pi = 1.5707963267948966;       // sin gives exactly 1
const double three_half_pi = 4.7123889803846897; // sin gives exactly -1

// Fresh state for each test: a steady tone on both channels.
class ToneSynthesisTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memset(&app, 0, sizeof app);
        app.tone.channel_mask = 3;
        app.tone.pulse_gain = 1.0;
    }
};

// Synthesises count blocks one after the other and returns their samples end to end
// (interleaved: left, right, left, ...).
std::vector<int16_t> synthesize_blocks(int count) {
    std::vector<int16_t> samples(static_cast<size_t>(count) * block_frames * 2);
    for (int b = 0; b < count; ++b) {
        synthesize_tone_block(&samples[static_cast<size_t>(b) * block_frames * 2]);
    }
    return samples;
}

// Samples of one channel (0 left, 1 right) from interleaved samples.
std::vector<int16_t> channel(const std::vector<int16_t>& samples, int which) {
    std::vector<int16_t> out;
    for (size_t i = static_cast<size_t>(which); i < samples.size(); i += 2) {
        out.push_back(samples[i]);
    }
    return out;
}

TEST_F(ToneSynthesisTest, ChannelMaskChoosesTheChannelsOnly) {
    struct Case {
        int16_t mask;
        bool left;
        bool right;
    };
    const Case cases[] = {{0, false, false}, {1, true, false}, {2, false, true}, {3, true, true}};
    app.tone.channel_mask = 3;
    app.tone.frequency_hz = 1000;
    app.tone.amplitude = 20000.0;
    std::vector<int16_t> both = channel(synthesize_blocks(1), 0);

    for (const Case& c : cases) {
        app.tone.channel_mask = c.mask;
        app.tone.phase = 0.0;
        // Garbage left in the block from its previous round must not survive anywhere.
        std::vector<int16_t> block(block_frames * 2, 0x5555);
        synthesize_tone_block(block.data());
        for (int f = 0; f < block_frames; ++f) {
            int16_t left = block[2 * f];
            int16_t right = block[2 * f + 1];
            ASSERT_EQ(c.left ? both[f] : 0, left) << "mask " << c.mask << ", frame " << f;
            ASSERT_EQ(c.right ? both[f] : 0, right) << "mask " << c.mask << ", frame " << f;
        }
    }
    // The tone itself is there, reaching close to its peak within the block.
    int16_t peak = 0;
    for (int16_t s : both) {
        peak = std::max<int16_t>(peak, s);
    }
    EXPECT_GT(peak, 19900);
    EXPECT_LE(peak, 20000);
}

TEST_F(ToneSynthesisTest, SamplesAreTheProductTruncatedTowardZero) {
    struct Case {
        const char* name;
        double phase;
        double amplitude;
        int16_t sample;
    };
    // Frequency 0 holds the phase, so every frame of the block shows the same product.
    const Case cases[] = {
        {"loudest positive", half_pi, 32767.0, 32767},
        {"loudest negative", three_half_pi, 32767.0, -32767},
        {"-0.5 truncates to 0", three_half_pi, 0.5, 0},
        {"3.9 truncates to 3", half_pi, 3.9, 3},
        {"-3.9 truncates to -3", three_half_pi, 3.9, -3},
        {"silent", half_pi, 0.0, 0},
        {"sine of the stored period is a hair below 0", tone_phase_period, 32767.0, 0},
    };
    app.tone.frequency_hz = 0;
    for (const Case& c : cases) {
        app.tone.phase = c.phase;
        app.tone.amplitude = c.amplitude;
        std::vector<int16_t> samples = synthesize_blocks(1);
        for (size_t i = 0; i < samples.size(); ++i) {
            ASSERT_EQ(c.sample, samples[i]) << c.name << ", sample " << i;
        }
        EXPECT_EQ(c.phase, app.tone.phase) << c.name << ": a phase of one period stays";
    }
}

TEST_F(ToneSynthesisTest, SilentBlocksStillAdvanceThePhase) {
    app.tone.frequency_hz = 1000;
    app.tone.amplitude = 0.0;
    std::vector<int16_t> silent = synthesize_blocks(1);
    double phase_after_silence = app.tone.phase;
    for (size_t i = 0; i < silent.size(); ++i) {
        ASSERT_EQ(0, silent[i]) << "sample " << i;
    }

    app.tone.phase = 0.0;
    app.tone.amplitude = 30000.0;
    synthesize_blocks(1);
    EXPECT_EQ(app.tone.phase, phase_after_silence);
    EXPECT_NE(0.0, phase_after_silence);
}

TEST_F(ToneSynthesisTest, PhaseStepsByTheStoredPeriodAndWrapsOnce) {
    app.tone.frequency_hz = 1000;
    app.tone.amplitude = 32767.0;
    std::vector<int16_t> left = channel(synthesize_blocks(2), 0);

    // 2500 steps of 6.2831853 * 1000 / 44100 = 0.142475857142857... make 356.189642857..., that
    // is 56 whole periods of 6.2831853 and 4.331266057... With the exact 2*pi the rest would
    // be 4.3312656..., 4e-7 away.
    app.tone.phase = 0.0;
    synthesize_blocks(1);
    EXPECT_NEAR(4.3312660571, app.tone.phase, 1e-9);

    // The phase wraps every 44.1 frames: the sine turns from below zero to above zero there.
    EXPECT_EQ(0, left[0]);
    std::vector<int> rises;
    for (size_t i = 1; i < left.size(); ++i) {
        if (left[i - 1] <= 0 && left[i] > 0) {
            rises.push_back(static_cast<int>(i));
        }
    }
    ASSERT_EQ(114u, rises.size()); // the start at frame 0, and 113 wraps in 5000 frames
    for (size_t r = 1; r < rises.size(); ++r) {
        int gap = rises[r] - rises[r - 1];
        EXPECT_TRUE(gap == 44 || gap == 45) << "gap " << gap << " before frame " << rises[r];
    }
}

TEST_F(ToneSynthesisTest, BeginToneStartsAtAZeroCrossing) {
    struct Case {
        int32_t pulse_mode;
        int32_t pulse_falling;
        double gain;
    };
    const Case cases[] = {{0, 0, 1.0}, {0, 1, 1.0}, {1, 0, 0.0}, {1, 1, 0.0}};
    for (const Case& c : cases) {
        app.pulse_mode = c.pulse_mode;
        app.tone.pulse_falling = c.pulse_falling;
        app.tone.phase = 3.0;
        app.tone.pulse_gain = 0.5;
        begin_tone();
        EXPECT_EQ(0.0, app.tone.phase) << "pulse " << c.pulse_mode;
        EXPECT_EQ(c.gain, app.tone.pulse_gain) << "pulse " << c.pulse_mode;
        EXPECT_EQ(c.pulse_falling, app.tone.pulse_falling) << "pulse " << c.pulse_mode;
    }
}

// With the phase held where the sine is 1, the samples trace the envelope times 32767.
class PulseEnvelopeTest : public ToneSynthesisTest {
  protected:
    void SetUp() override {
        ToneSynthesisTest::SetUp();
        app.pulse_mode = 1;
        app.tone.frequency_hz = 0;
        app.tone.amplitude = 32767.0;
        begin_tone();
        app.tone.phase = half_pi;
    }
};

TEST_F(PulseEnvelopeTest, RampsUpAndDownAcrossBlocks) {
    // 9 blocks cover a whole cycle of 20002 frames and a little more.
    std::vector<int16_t> samples = synthesize_blocks(9);
    std::vector<int16_t> left = channel(samples, 0);
    ASSERT_EQ(channel(samples, 1), left);

    // Frame n (counted from 1) uses the double sum of n - 1 steps.
    double sum = 0.0;
    for (int i = 0; i <= 10000; ++i) {
        ASSERT_EQ(truncate_to_int(sum * 32767.0), left[i]) << "frame " << i + 1;
        sum += pulse_step;
    }
    EXPECT_EQ(0, left[0]);
    EXPECT_EQ(3, left[1]);
    EXPECT_EQ(32766, left[10000]); // 10000 steps fall just short of 1
    EXPECT_EQ(32767, left[10001]); // frame 10002: the first with the gain 1.0
    EXPECT_EQ(32763, left[10002]);
    for (int i = 10002; i <= 20002; ++i) {
        ASSERT_LE(left[i], left[i - 1]) << "falling at frame " << i + 1;
    }
    EXPECT_EQ(3, left[20000]);
    EXPECT_EQ(0, left[20002]); // the gain is back at 0 after frame 20002
    EXPECT_EQ(3, left[20003]); // and rises again
    int loudest = 0;
    for (int16_t s : left) {
        loudest += s == 32767 ? 1 : 0;
    }
    EXPECT_EQ(1, loudest);
}

TEST_F(PulseEnvelopeTest, EnvelopeLeftFallingTurnsOnTheFirstFrame) {
    app.tone.pulse_falling = 1;
    begin_tone();
    app.tone.phase = half_pi;
    std::vector<int16_t> left = channel(synthesize_blocks(1), 0);
    EXPECT_EQ(0, left[0]);
    EXPECT_EQ(0, left[1]); // clamped at 0 by the first frame's step, one frame late
    EXPECT_EQ(3, left[2]);
    EXPECT_EQ(0, app.tone.pulse_falling);
}

TEST_F(PulseEnvelopeTest, PulseOffFreezesTheGainAndOnResumesIt) {
    synthesize_blocks(1);
    double frozen = app.tone.pulse_gain;
    EXPECT_NEAR(0.25, frozen, 1e-9);

    app.pulse_mode = 0;
    std::vector<int16_t> steady = channel(synthesize_blocks(2), 0);
    EXPECT_EQ(frozen, app.tone.pulse_gain);
    for (size_t i = 0; i < steady.size(); ++i) {
        ASSERT_EQ(truncate_to_int(frozen * 32767.0), steady[i]) << "frame " << i;
    }

    app.pulse_mode = 1;
    std::vector<int16_t> resumed = channel(synthesize_blocks(1), 0);
    EXPECT_EQ(steady.back(), resumed[0]);
    EXPECT_GT(resumed[1], resumed[0]);
    EXPECT_NEAR(0.5, app.tone.pulse_gain, 1e-9);
}

TEST_F(ToneSynthesisTest, BlocksJoinWithoutASeam) {
    struct Case {
        uint16_t hz;
        int32_t pulse;
    };
    const Case cases[] = {{1000, 0}, {1000, 1}, {37, 0}, {440, 1}, {2000, 1}};
    for (const Case& c : cases) {
        SetUp();
        app.tone.frequency_hz = c.hz;
        app.tone.amplitude = 30000.0;
        app.pulse_mode = c.pulse;
        begin_tone();
        std::vector<int16_t> left = channel(synthesize_blocks(6), 0);
        // Between two frames the sine moves by at most the phase step; the envelope adds at
        // most one pulse step; truncation at most one.
        double step = tone_phase_period * c.hz / tone_frame_rate;
        double limit = 30000.0 * (step + pulse_step) + 1.0;
        for (size_t i = 1; i < left.size(); ++i) {
            ASSERT_LE(std::abs(left[i] - left[i - 1]), limit)
                << c.hz << " Hz, pulse " << c.pulse << ", frame " << i;
        }
    }
}

} // namespace
