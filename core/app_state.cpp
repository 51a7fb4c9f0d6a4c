// Definition of the program's single state record.
#include "core/app_state.h"

AppState app;
