// Process entry: the command line is ignored; the exit code is the main dialog's result.
#include "app/main_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(run_application(instance));
}
