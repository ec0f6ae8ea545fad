// Definition of the session's process-wide window reference.
#include "session/SessionState.h"

TSchoner* Schoner = nullptr;
