// stb_image_resize, the well-kept resampler the program's own is measured and checked against,
// compiled into the one file of a test program or benchmark that includes this header.
#pragma once

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_resize.h>
#pragma GCC diagnostic pop
