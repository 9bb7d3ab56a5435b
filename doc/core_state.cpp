// The core's part of the program state.
#include "doc/core_state.h"

CoreState g_core;
