// Where the frame clock's next beat falls on a grid of moments (the display's refreshes, or the
// frame timer's own period), counted in the performance counter's ticks.
#pragma once

#include <cstdint>

// The first moment origin + k * period (k any integer) that lies after now and at least
// frameTicks after the beat `last` (less half a period: a grid moment that close is the one
// meant). Beats missed meanwhile are skipped, never made up. period and frameTicks are positive.
int64_t NextBeat(int64_t origin, int64_t period, int64_t last, int64_t frameTicks, int64_t now);
