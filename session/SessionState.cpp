// Definitions of the session's process-wide values.
#include "session/SessionState.h"

const int32_t MouseThreshold = 5;
TPoint StartCursorPos;
TSchoner* Schoner = nullptr;
