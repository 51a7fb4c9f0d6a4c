// The tone stream on a real waveOut device under Wine: the device plays exactly the blocks the
// synthesis gives, in order and with the settings of their refill; notices that do not belong to
// the open stream are ignored; failed opens leave nothing allocated.
// Run through tests/windows/tone_stream_test.sh, which points ALSA's default device at a file
// that records the raw PCM (ToneStreamCapture) or at a device that does not exist
// (ToneStreamNoDevice).
#include "tests/windows/support/import_patch.h"
#include "tests/windows/support/main_dialog_fixture.h"

#include "audio/tone_stream.h"
#include "audio/tone_synthesis.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- Watching the program's allocations ----

typedef void* (*MallocFunction)(size_t);
typedef void (*FreeFunction)(void*);

const int watch_capacity = 32;

struct AllocationWatch {
    MallocFunction real_malloc;
    FreeFunction real_free;
    int calls;                  // malloc calls seen
    int fail_call;              // the call, counted from 1, that is answered with null; 0 for none
    void* live[watch_capacity]; // watched blocks not freed yet
    int live_count;
    int frees; // frees of watched blocks
};

AllocationWatch watch;

// No allocation in here: these run in place of the C runtime's own functions.
void* watched_malloc(size_t size) {
    ++watch.calls;
    if (watch.calls == watch.fail_call) {
        return nullptr;
    }
    void* block = watch.real_malloc(size);
    if (block != nullptr && watch.live_count < watch_capacity) {
        watch.live[watch.live_count++] = block;
    }
    return block;
}

void watched_free(void* block) {
    for (int i = 0; i < watch.live_count; ++i) {
        if (watch.live[i] == block) {
            watch.live[i] = watch.live[--watch.live_count];
            ++watch.frees;
            break;
        }
    }
    watch.real_free(block);
}

// Routes this executable's malloc and free through the watch. Keep the window short: the test's
// own code allocates through them too.
bool start_watch(int fail_call) {
    std::memset(&watch, 0, sizeof watch);
    watch.fail_call = fail_call;
    watch.real_malloc = reinterpret_cast<MallocFunction>(
        replace_import("malloc", reinterpret_cast<void*>(watched_malloc)));
    watch.real_free = reinterpret_cast<FreeFunction>(
        replace_import("free", reinterpret_cast<void*>(watched_free)));
    return watch.real_malloc != nullptr && watch.real_free != nullptr;
}

void stop_watch() {
    replace_import("malloc", reinterpret_cast<void*>(watch.real_malloc));
    replace_import("free", reinterpret_cast<void*>(watch.real_free));
}

// Also watches the stream's eight blocks and headers allocated before the watch started.
void watch_stream_memory() {
    for (int i = 0; i < block_count; ++i) {
        watch.live[watch.live_count++] = app.stream.wave_headers[i];
        watch.live[watch.live_count++] = app.stream.sample_buffers[i];
    }
}

bool stream_memory_is_null() {
    for (int i = 0; i < block_count; ++i) {
        if (app.stream.wave_headers[i] != nullptr || app.stream.sample_buffers[i] != nullptr) {
            return false;
        }
    }
    return true;
}

// A header address that faults on any access: a notice naming it must never be read.
struct Untouchable {
    void* page;
    WAVEHDR* header() const {
        return static_cast<WAVEHDR*>(page);
    }
};

Untouchable reserve_untouchable() {
    return {VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS)};
}

void release_untouchable(Untouchable* u) {
    VirtualFree(u->page, 0, MEM_RELEASE);
}

// ---- Playing a stream and comparing what the device recorded ----

struct ToneSetting {
    uint16_t hz;
    double amplitude;
    int16_t channel_mask;
    int32_t pulse_mode;
};

void apply(const ToneSetting& setting) {
    app.tone.frequency_hz = setting.hz;
    app.tone.amplitude = setting.amplitude;
    app.tone.channel_mask = setting.channel_mask;
    app.pulse_mode = setting.pulse_mode;
}

// The state a stream opened from, to synthesise its blocks again afterwards.
struct StreamStart {
    ToneSetting setting;
    int32_t pulse_falling;
};

StreamStart open_stream(HWND dialog, const ToneSetting& setting) {
    apply(setting);
    StreamStart start = {setting, app.tone.pulse_falling};
    tone_stream_open(dialog);
    return start;
}

struct StreamRun {
    std::vector<ToneSetting> refills; // the setting in force at each refill, in order
    int notices;                      // block notices the dialog handled
};

// Runs the message loop until every change has been in force for one refill. Before each block
// notice reaches the dialog the next change is put in force; the notice refilled a block when
// its dispatch moved the oscillator.
StreamRun play(HWND dialog, const std::vector<ToneSetting>& changes) {
    StreamRun run = {{}, 0};
    DWORD begun = GetTickCount();
    while (run.refills.size() < changes.size() && GetTickCount() - begun < 20000) {
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            continue;
        }
        bool notice = message.message == MM_WOM_DONE && message.hwnd == dialog;
        if (notice) {
            apply(changes[run.refills.size()]);
            ++run.notices;
        }
        double phase = app.tone.phase;
        double gain = app.tone.pulse_gain;
        TranslateMessage(&message);
        DispatchMessageA(&message);
        if (notice && (app.tone.phase != phase || app.tone.pulse_gain != gain)) {
            run.refills.push_back(changes[run.refills.size()]);
        }
    }
    return run;
}

// A frame as one number: left sample in the low half, right in the high half.
typedef uint32_t Frame;

// The blocks that the stream synthesised: the four of the open, then one per refill.
std::vector<Frame> synthesise_again(const StreamStart& start, const StreamRun& run) {
    apply(start.setting);
    app.tone.pulse_falling = start.pulse_falling;
    begin_tone();
    std::vector<Frame> frames;
    std::vector<int16_t> block(block_frames * 2);
    size_t blocks = block_count + run.refills.size();
    for (size_t b = 0; b < blocks; ++b) {
        if (b >= static_cast<size_t>(block_count)) {
            apply(run.refills[b - block_count]);
        }
        synthesize_tone_block(block.data());
        for (int f = 0; f < block_frames; ++f) {
            frames.push_back(static_cast<uint16_t>(block[2 * f]) |
                             static_cast<uint32_t>(static_cast<uint16_t>(block[2 * f + 1])) << 16);
        }
    }
    return frames;
}

const char capture_variable[] = "SONABRILL_AUDIO_CAPTURE";

// The raw PCM the device wrote since it was last opened (ALSA's file plugin truncates the file
// when the device opens). The variable holds a Unix path, which Wine maps to a DOS one.
std::vector<Frame> read_capture() {
    std::vector<Frame> frames;
    char unix_path[MAX_PATH] = {};
    GetEnvironmentVariableA(capture_variable, unix_path, sizeof unix_path);
    typedef WCHAR*(CDECL * DosNameFunction)(const char*);
    DosNameFunction dos_name = reinterpret_cast<DosNameFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (dos_name == nullptr) {
        ADD_FAILURE() << "not running under Wine";
        return frames;
    }
    WCHAR* path = dos_name(unix_path);
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    HeapFree(GetProcessHeap(), 0, path);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "no capture at " << unix_path;
        return frames;
    }
    DWORD size = GetFileSize(file, nullptr);
    frames.resize(size / sizeof(Frame));
    DWORD read = 0;
    ReadFile(file, frames.data(), static_cast<DWORD>(frames.size() * sizeof(Frame)), &read,
             nullptr);
    CloseHandle(file);
    frames.resize(read / sizeof(Frame));
    return frames;
}

struct CaptureMatch {
    size_t matched;        // frames of the synthesis found in the capture, from the first on
    size_t device_silence; // silent frames the device put in where the program fell behind
    std::string mismatch;  // empty when the capture is the synthesis
};

// The capture must hold the synthesised frames in order, from the first. Wine writes silence to
// the device while no block is queued (when the test's loop was late), so whole silent frames
// may come between them; anything else is a fault. The capture may end anywhere after the
// reset, and may continue with silence past the last synthesised frame.
CaptureMatch match_capture(const std::vector<Frame>& captured, const std::vector<Frame>& synth) {
    CaptureMatch match = {0, 0, ""};
    for (size_t i = 0; i < captured.size(); ++i) {
        if (match.matched < synth.size() && captured[i] == synth[match.matched]) {
            ++match.matched;
        } else if (captured[i] == 0) {
            ++match.device_silence;
        } else {
            char text[160];
            snprintf(text, sizeof text,
                     "captured frame %zu is %08lx, synthesised frame %zu is %08lx", i,
                     static_cast<unsigned long>(captured[i]), match.matched,
                     static_cast<unsigned long>(match.matched < synth.size() ? synth[match.matched]
                                                                             : 0));
            match.mismatch = text;
            return match;
        }
    }
    return match;
}

// Checks a closed stream's capture against its blocks: every block the device handed back had
// been played, so at least those are in the capture.
void expect_capture_is_synthesis(const StreamStart& start, const StreamRun& run) {
    std::vector<Frame> captured = read_capture();
    std::vector<Frame> synth = synthesise_again(start, run);
    CaptureMatch match = match_capture(captured, synth);
    EXPECT_EQ("", match.mismatch);
    EXPECT_GE(match.matched, run.refills.size() * block_frames)
        << "of " << synth.size() << " synthesised frames";
    printf("    %zu frames captured, %zu of them device silence; %zu of %zu synthesised frames "
           "played\n",
           captured.size(), match.device_silence, match.matched, synth.size());
}

// ---- Fixtures ----

bool environment_has(const char* name) {
    char value[8];
    return GetEnvironmentVariableA(name, value, sizeof value) > 0;
}

// Closes a stream that a failed test left open before the dialog goes.
class ToneStreamTest : public MainDialogTest {
  protected:
    void TearDown() override {
        tone_stream_close();
        pump_messages();
        MainDialogTest::TearDown();
    }
};

class ToneStreamCapture : public ToneStreamTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(environment_has(capture_variable))
            << "run through tests/windows/tone_stream_test.sh: ALSA's default device must be "
               "the capture file";
        MainDialogTest::SetUp();
        app.tone.pulse_falling = 0;
    }
};

class ToneStreamNoDevice : public ToneStreamTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(environment_has("SONABRILL_AUDIO_MISSING"))
            << "run through tests/windows/tone_stream_test.sh: ALSA's default device must not "
               "exist";
        MainDialogTest::SetUp();
    }
};

// ---- With a device ----

TEST_F(ToneStreamCapture, DevicePlaysTheSynthesisedBlocksInOrder) {
    struct Scenario {
        const char* name;
        ToneSetting start;
        std::vector<ToneSetting> changes;
    };
    const Scenario scenarios[] = {
        {"steady, level and channels changing between refills",
         {1000, 8000.0, 3, 0},
         {{1000, 20000.0, 3, 0},
          {1000, 500.0, 3, 0},
          {1000, 32767.0, 1, 0},
          {1000, 12000.0, 2, 0},
          {1000, 0.0, 3, 0},
          {1000, 25000.0, 3, 0},
          {3000, 25000.0, 3, 0},
          {3000, 9000.0, 1, 0},
          {3000, 9000.0, 3, 0},
          {1000, 30000.0, 3, 0}}},
        {"pulsing, frequency changing between refills",
         {440, 30000.0, 3, 1},
         {{440, 30000.0, 3, 1},
          {1000, 30000.0, 3, 1},
          {1000, 30000.0, 3, 1},
          {3000, 30000.0, 3, 1},
          {37, 30000.0, 3, 1},
          {37, 30000.0, 3, 0},
          {1000, 30000.0, 3, 0},
          {1000, 30000.0, 3, 1}}},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        StreamStart start = open_stream(dialog, s.start);
        ASSERT_NE(nullptr, app.stream.wave_device);
        StreamRun run = play(dialog, s.changes);
        tone_stream_close();
        ASSERT_EQ(s.changes.size(), run.refills.size()) << "the device stopped handing blocks back";
        EXPECT_EQ(static_cast<int>(run.refills.size()), run.notices)
            << "every notice of a running stream refills its block";
        expect_capture_is_synthesis(start, run);
        pump_messages();
    }
}

TEST_F(ToneStreamCapture, IgnoresNoticesOfAnEarlierStream) {
    const std::vector<ToneSetting> changes(8, ToneSetting{1000, 15000.0, 3, 0});
    open_stream(dialog, {440, 15000.0, 3, 0});
    ASSERT_NE(nullptr, app.stream.wave_device);
    ASSERT_EQ(3u, play(dialog, {changes.begin(), changes.begin() + 3}).refills.size());
    WAVEHDR* earlier[block_count];
    std::memcpy(earlier, app.stream.wave_headers, sizeof earlier);
    // The reset hands back the earlier stream's blocks; their notices are still waiting when the
    // next stream opens.
    tone_stream_close();

    StreamStart start = open_stream(dialog, {1000, 15000.0, 3, 0});
    ASSERT_NE(nullptr, app.stream.wave_device);
    int reused = 0;
    for (WAVEHDR* old : earlier) {
        for (WAVEHDR* now : app.stream.wave_headers) {
            reused += old == now ? 1 : 0;
        }
    }
    printf("    the new stream got %d of the earlier stream's header addresses\n", reused);

    // A notice naming memory that is not one of this stream's headers is never read.
    Untouchable untouchable = reserve_untouchable();
    double phase = app.tone.phase;
    tone_stream_refill(untouchable.header());
    release_untouchable(&untouchable);
    EXPECT_EQ(phase, app.tone.phase);

    // Whatever the allocator did, the worst case is forced: notices naming this stream's own
    // headers while the device still holds them, as a stale notice looks when the addresses
    // come back.
    for (WAVEHDR* header : app.stream.wave_headers) {
        PostMessageA(dialog, MM_WOM_DONE, reinterpret_cast<WPARAM>(app.stream.wave_device),
                     reinterpret_cast<LPARAM>(header));
    }

    StreamRun run = play(dialog, changes);
    tone_stream_close();
    ASSERT_EQ(changes.size(), run.refills.size());
    // Four of the earlier stream and four forged: eight notices refill nothing, and every
    // block the device handed back was refilled once.
    EXPECT_EQ(static_cast<int>(run.refills.size()) + 8, run.notices);
    expect_capture_is_synthesis(start, run);
}

TEST_F(ToneStreamCapture, RefillAndCloseAfterCloseDoNothing) {
    open_stream(dialog, {1000, 10000.0, 3, 0});
    ASSERT_NE(nullptr, app.stream.wave_device);
    play(dialog, std::vector<ToneSetting>(2, ToneSetting{1000, 10000.0, 3, 0}));
    WAVEHDR* old_header = app.stream.wave_headers[0];

    ASSERT_TRUE(start_watch(0));
    watch_stream_memory();
    tone_stream_close();
    stop_watch();
    EXPECT_EQ(nullptr, app.stream.wave_device);
    EXPECT_TRUE(stream_memory_is_null());
    EXPECT_EQ(0, watch.live_count) << "every block and header is freed";
    EXPECT_EQ(2 * block_count, watch.frees);

    // The reset's notices arrive now, after the close; then forged ones.
    double phase = app.tone.phase;
    pump_messages();
    Untouchable untouchable = reserve_untouchable();
    tone_stream_refill(untouchable.header());
    tone_stream_refill(old_header);
    release_untouchable(&untouchable);
    EXPECT_EQ(phase, app.tone.phase);
    EXPECT_EQ(nullptr, app.stream.wave_device);

    ASSERT_TRUE(start_watch(0));
    tone_stream_close();
    stop_watch();
    EXPECT_EQ(0, watch.frees);
    EXPECT_EQ(0, watch.calls);
}

TEST_F(ToneStreamCapture, OpenOverAnOpenStreamLeavesItAlone) {
    open_stream(dialog, {1000, 10000.0, 3, 0});
    ASSERT_NE(nullptr, app.stream.wave_device);
    AudioStream before = app.stream;
    double phase = app.tone.phase;
    ASSERT_NE(0.0, phase);

    ASSERT_TRUE(start_watch(0));
    tone_stream_open(dialog);
    stop_watch();
    EXPECT_EQ(0, watch.calls);
    EXPECT_EQ(0, std::memcmp(&before, &app.stream, sizeof before));
    EXPECT_EQ(phase, app.tone.phase) << "the open stream's tone went on undisturbed";

    // The one stream still plays and closes as usual.
    StreamRun run = play(dialog, std::vector<ToneSetting>(3, ToneSetting{1000, 10000.0, 3, 0}));
    EXPECT_EQ(3u, run.refills.size());
    EXPECT_EQ(3, run.notices);
}

TEST_F(ToneStreamCapture, FailedAllocationLeavesTheStreamClosed) {
    // Each of the eight allocations of an open fails in turn.
    for (int fail = 1; fail <= 2 * block_count; ++fail) {
        ASSERT_TRUE(start_watch(fail));
        tone_stream_open(dialog);
        stop_watch();
        EXPECT_EQ(nullptr, app.stream.wave_device) << "allocation " << fail << " failed";
        EXPECT_TRUE(stream_memory_is_null()) << "allocation " << fail << " failed";
        EXPECT_EQ(0, watch.live_count) << "allocation " << fail << " failed: a leak";
        EXPECT_GE(watch.calls, fail);
    }
    pump_messages();
    // With memory, the next press plays again.
    tone_stream_open(dialog);
    EXPECT_NE(nullptr, app.stream.wave_device);
}

// ---- Without a device ----

TEST_F(ToneStreamNoDevice, OpenLeavesNothingBehindAndRefillDoesNothing) {
    app.pulse_mode = 1;
    app.tone.phase = 3.0;
    app.tone.pulse_gain = 0.5;
    for (int attempt = 1; attempt <= 2; ++attempt) {
        ASSERT_TRUE(start_watch(0));
        tone_stream_open(dialog);
        stop_watch();
        EXPECT_EQ(nullptr, app.stream.wave_device) << "attempt " << attempt;
        EXPECT_TRUE(stream_memory_is_null()) << "attempt " << attempt;
        EXPECT_EQ(0, watch.live_count) << "attempt " << attempt << ": a leak";
        EXPECT_EQ(watch.calls, watch.frees) << "attempt " << attempt;
        // Every press tries the device again.
        EXPECT_GT(watch.calls, 0) << "attempt " << attempt;
    }
    // The tone was still set to its start.
    EXPECT_EQ(0.0, app.tone.phase);
    EXPECT_EQ(0.0, app.tone.pulse_gain);

    Untouchable untouchable = reserve_untouchable();
    tone_stream_refill(untouchable.header());
    release_untouchable(&untouchable);
    tone_stream_close();
    pump_messages();
    EXPECT_EQ(0.0, app.tone.phase);
    EXPECT_EQ(nullptr, app.stream.wave_device);
}

} // namespace
