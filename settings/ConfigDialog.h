// The configuration mode: the tabbed settings dialog.
#pragma once

#include "base/RunState.h"

// Runs the dialog, owned by the request's host window when it names one, until it is closed.
void RunConfigDialog(const TRunRequest& run);
