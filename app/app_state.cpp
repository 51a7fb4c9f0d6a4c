// Definition of the program's single state record.
#include "app/app_state.h"

AppState app;
