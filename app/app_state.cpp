// The program's global state block.
#include "app/app_state.h"

AppState g_app;
