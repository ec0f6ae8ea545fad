// Scaling a decoded picture into its place in a frame with separable cubic filters.
#pragma once

#include "imaging/Frame.h"
#include "imaging/Layout.h"

// Draws the opaque picture source scaled to placed.Width x placed.Height at placed.Left,
// placed.Top into target, writing only the pixels inside clip and inside target, all with alpha
// 0xFF. Separable cubic filtering, each side on its own: Catmull-Rom when enlarging (it keeps
// the samples at a scale of 1), Mitchell-Netravali when reducing; an exact copy when the sizes
// match. False when it runs out of memory; target is then unchanged.
bool DrawResampled(const TFrame& source, const TRect& placed, const TRect& clip, TFrame& target);

