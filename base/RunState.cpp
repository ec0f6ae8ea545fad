// Definitions of the process-wide run state.
#include "base/RunState.h"

TSaverMode SaverMode = smNone;
int32_t ParentWindow = 0;
const int32_t MouseThreshold = 5;
TPoint StartCursorPos;
