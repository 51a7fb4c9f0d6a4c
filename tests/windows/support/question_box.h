// Answers the program's question boxes from a test, the way a user would: a watcher thread waits
// for the box to appear and presses one of its buttons, while the real MessageBoxA runs.
#pragma once

#include <windows.h>

#include <string>

struct QuestionWatch {
    HANDLE thread;
    int button;          // IDOK or IDCANCEL, the button to press
    DWORD owner_thread;  // the thread whose box is awaited
    bool seen;           // a box appeared
    std::string text;    // the box's question
    std::string caption; // the box's caption
    HWND owner;          // the box's owner window
    bool has_question_icon;
    bool has_ok_and_cancel;
    volatile LONG stop; // set when the awaited call has returned
};

// Starts watching for the next box of this thread; it will be answered with button.
void watch_for_question(QuestionWatch* watch, int button);

// Ends the watch once the call that might show a box has returned, and tells whether a box was
// answered. The box is modal, so a box the call showed has been seen and answered by then.
bool finish_watch(QuestionWatch* watch);
