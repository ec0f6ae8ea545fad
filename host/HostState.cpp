// Definition of the host guards' process-wide state.
#include "host/HostState.h"

bool TransitionsWereOff = false;
