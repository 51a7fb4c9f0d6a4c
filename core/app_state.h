// The program's one state record: every subsystem reads and writes these fields directly.
// On Windows the handle types come from <windows.h>; elsewhere opaque stand-ins of the same
// shape let the platform-free code and its tests use the very same record.
#pragma once

#include "core/hearing_test_state.h"

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#include <mmsystem.h>
#else
struct HWND__;
struct HINSTANCE__;
struct HBITMAP__;
struct HDC__;
struct HWAVEOUT__;
struct HFONT__;
struct wavehdr_tag;
typedef HWND__* HWND;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef HBITMAP__* HBITMAP;
typedef HDC__* HDC;
typedef HWAVEOUT__* HWAVEOUT;
typedef HFONT__* HFONT;
typedef wavehdr_tag WAVEHDR;
struct RECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
#endif

const int curve_count = 3;
const int curve_capacity = 100;
const int block_count = 4;
const int block_frames = 2500;
const int block_bytes = block_frames * 4; // two signed 16-bit samples per frame
const int frequency_grid_count = 15;
const int level_grid_count = 14;
const int database_path_size = 400;
const int band_control_count = 21; // the template's controls but the invisible band probe
const int compare_title_size = 256;
const int audiogram_age_size = 8; // what the age field takes, with the terminating zero

struct CurveSet {
    uint16_t freq_hz[curve_count][curve_capacity];   // points in falling frequency
    uint16_t amplitude[curve_count][curve_capacity]; // linear peak value, 0 to 32767
    uint16_t count[curve_count];
};

struct AudioStream {
    int16_t* sample_buffers[block_count]; // block_bytes each, only while the stream is open
    WAVEHDR* wave_headers[block_count];
    HWAVEOUT wave_device; // null while no tone plays
    // The block source, which writes the next block from what context points to: the mouse's
    // tone (no context; it reads the tone fields), or the hearing test (context is app.hearing).
    void (*fill_block)(void* context, int16_t* block);
    void* context;
};

struct ToneState {
    int16_t channel_mask; // bit value 1 left, 2 right
    double amplitude;     // peak sample value, 0 to 32767
    uint16_t frequency_hz;
    double phase;      // radians, within [0, 6.2831853]
    double pulse_gain; // 0 to 1
    int32_t pulse_falling;
};

// A control of the band above the graph and its rectangle in the dialog's client pixels.
struct BandControl {
    int32_t id;
    RECT rect;
};

// The known audiogram's dialog: its grid has a row for each of 11 frequencies and a column of
// level fields for each ear, the right ear first.
const int known_frequency_count = 11;
const int known_ear_count = 2;
const int known_right_ear = 0;
const int known_left_ear = 1;
const int known_field_size = 16; // a level field's text with its terminator
const int known_title_size = 41; // 40 characters, as many as the main title field takes

// What was typed into the known audiogram's dialog, in the ANSI code page, kept while the program
// runs: each level field's text, rows in rising frequency, and the reference's title.
struct KnownAudiogramFields {
    char levels[known_frequency_count][known_ear_count][known_field_size];
    char title[known_title_size];
    int32_t title_given; // 0 until the title was first filled in
};

struct AppState {
    AudioStream stream;
    ToneState tone;

    // Options: 0 or 1.
    int32_t compare_mode;
    int32_t pulse_mode;
    int32_t highs_zoom;
    int32_t snap_hz;
    int32_t snap_db;
    int32_t linear_db;
    int32_t a_weighting;
    int32_t language; // 0 English, 1 German

    // View.
    int32_t x_offset; // axis pixels hidden at the left under the highs zoom
    HINSTANCE instance;
    HWND graph_window;
    HBITMAP stock_bitmap;
    HDC memory_dc;
    HDC graph_dc;
    RECT graph_rect; // right and bottom are the graph's width and height in pixels
    uint16_t top_band_height;
    // The band's visible controls where the template places them, and the template's client
    // width, in pixels, recorded at initialisation: the band is laid out from these at every
    // client width.
    BandControl band_template[band_control_count];
    int32_t band_template_width;
    int16_t current_curve; // 0 green, 1 red, 2 blue
    CurveSet main_set;
    CurveSet compare_set;
    // The title of the record last loaded into compare_set, in the ANSI code page as the file
    // holds it (a longer title line keeps its first compare_title_size - 1 bytes); empty after
    // Reset. The audiogram names its reference by it.
    char compare_title[compare_title_size];
    uint16_t grid_x[frequency_grid_count];
    uint16_t grid_y[level_grid_count]; // grid_y[13] is the loudest line, at the bottom
    HWND info_window;
    HMODULE richedit_module;
    int32_t label_font_height;
    int32_t status_font_height;
    char database_path[database_path_size]; // empty when the program's path did not fit
    char confirm_delete_text[50];
    char confirm_discard_text[90];
    int32_t unsaved_changes;

    // The hearing test and its window, open only while the test window is.
    HearingTest hearing;
    HWND hearing_window;
    HFONT hearing_answer_font;
    int32_t hearing_recorded_steps; // results already written into the ear's curve

    // The audiogram window, open only while it is shown, and its choices, kept while the program
    // runs and never stored: the known audiogram's fields, what it shows (0 hearing level, 1 the
    // change since an earlier test), the age as typed, and the sex chosen (0 not given, 1 female,
    // 2 male).
    HWND audiogram_window;
    KnownAudiogramFields known_audiogram;
    int32_t audiogram_shows;
    char audiogram_age[audiogram_age_size];
    int32_t audiogram_sex;
};

// The single instance, all zero at process start.
extern AppState app;
