// Reads a picture's size from its JPEG header alone: the slideshow needs its size, not its pixels.
#include "pictures/JpegHeader.h"

#include <climits>
#include <csetjmp>
#include <cstdio>  // jpeglib.h uses FILE and size_t without declaring them

#include <jpeglib.h>

#include "base/Errors.h"

namespace {

// libjpeg's error manager with a way back out of the library. Plain C data only: when the library
// gives up, its error exit copies the message here and jumps back into ReadHeader.
struct THeaderErrors {
  jpeg_error_mgr Manager;  // first member: libjpeg hands back a pointer to it
  std::jmp_buf Escape;
  char Message[JMSG_LENGTH_MAX];
};

void ExitToReader(j_common_ptr info) {
  auto* errors = reinterpret_cast<THeaderErrors*>(info->err);
  (*info->err->format_message)(info, errors->Message);
  std::longjmp(errors->Escape, 1);
}

// Warnings (extra bytes before a marker, data cut off after the header) are not the caller's
// concern and must not reach the console.
void IgnoreMessage(j_common_ptr) {}

// Runs libjpeg under setjmp. This frame and the library's own hold no C++ object, so the jump
// skips no destructor. Returns false, with the message in errors->Message, when libjpeg failed.
bool ReadHeader(jpeg_decompress_struct* info, THeaderErrors* errors, const uint8_t* data,
                unsigned long size) {
  if (setjmp(errors->Escape) != 0) return false;
  jpeg_create_decompress(info);
  jpeg_mem_src(info, data, size);  // rejects empty data through the error exit
  jpeg_read_header(info, TRUE);    // an image is required: a bare tables stream fails
  return true;
}

}  // namespace

TJpegSize ReadJpegSize(const uint8_t* data, size_t size) {
  jpeg_decompress_struct info{};
  THeaderErrors errors{};
  info.err = jpeg_std_error(&errors.Manager);
  errors.Manager.error_exit = ExitToReader;
  errors.Manager.output_message = IgnoreMessage;
  // Only the header is read, so a stream longer than libjpeg can address (unsigned long is 32
  // bits on Windows) is simply seen up to that length.
  const unsigned long length = size > ULONG_MAX ? ULONG_MAX : static_cast<unsigned long>(size);
  const bool read = ReadHeader(&info, &errors, data, length);
  const TJpegSize result{static_cast<int32_t>(info.image_width),
                         static_cast<int32_t>(info.image_height)};
  jpeg_destroy_decompress(&info);  // safe after a failure at any point, even inside create
  if (!read) throw EJPEG(errors.Message);
  return result;
}
