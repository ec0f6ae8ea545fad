// The preview and full-screen modes: one slideshow session in the saver window.
#pragma once

#include "base/RunState.h"

// Runs the session the request names (smPreview or smSaver) until it ends.
void StartSaver(const TRunRequest& run);
