// Reads a picture's size from its JPEG header alone: the slideshow needs its size, not its pixels.
#include "imaging/JpegHeader.h"

#include "base/Errors.h"
#include "imaging/JpegErrors.h"

namespace {

// Runs libjpeg under setjmp. This frame and the library's own hold no C++ object, so the jump
// skips no destructor. Returns false, with the message in errors->Message, when libjpeg failed.
bool ReadHeader(jpeg_decompress_struct* info, TJpegErrors* errors, const uint8_t* data,
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
  TJpegErrors errors{};
  info.err = UseJpegErrors(errors);
  const bool read = ReadHeader(&info, &errors, data, JpegLength(size));
  const TJpegSize result{static_cast<int32_t>(info.image_width),
                         static_cast<int32_t>(info.image_height)};
  jpeg_destroy_decompress(&info);  // safe after a failure at any point, even inside create
  if (!read) throw EJPEG(errors.Message);
  return result;
}
