// libjpeg's fatal errors, turned into a way back out of the library. libjpeg reports them by
// calling error_exit, which here longjmps back to the caller's setjmp on Escape, with the message
// kept. The frames between hold only plain C data, so no C++ object is ever skipped and no
// exception travels through libjpeg. Shared by everything that reads JPEG data.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h uses FILE and size_t without declaring them

#include <jpeglib.h>

// Plain C data: value-initialise it, and keep it alive while libjpeg runs.
struct TJpegErrors {
  jpeg_error_mgr Manager;  // first member: libjpeg hands back a pointer to it
  std::jmp_buf Escape;
  char Message[JMSG_LENGTH_MAX];
};

// Makes `errors` the error manager of a (de)compressor about to be created: fatal errors jump to
// errors.Escape, no message is printed. Returns the manager for info.err.
jpeg_error_mgr* UseJpegErrors(TJpegErrors& errors);

// The error exit: keeps the message and jumps to the Escape of the job's TJpegErrors.
[[noreturn]] void JpegEscape(j_common_ptr info);

// The length of a buffer as libjpeg can address it (unsigned long is 32 bits on Windows): longer
// data is seen up to that length, never wrapped round to a shorter one.
unsigned long JpegLength(size_t size);
