// libjpeg's error exit and quiet messages.
#include "imaging/JpegErrors.h"

#include <climits>

namespace {

// Warnings are not the caller's concern and must not reach the console.
void QuietMessage(j_common_ptr) {}

}  // namespace

void JpegEscape(j_common_ptr info) {
  auto* errors = reinterpret_cast<TJpegErrors*>(info->err);
  (*info->err->format_message)(info, errors->Message);
  std::longjmp(errors->Escape, 1);
}

jpeg_error_mgr* UseJpegErrors(TJpegErrors& errors) {
  jpeg_error_mgr* manager = jpeg_std_error(&errors.Manager);
  manager->error_exit = JpegEscape;
  manager->output_message = QuietMessage;
  return manager;
}

unsigned long JpegLength(size_t size) { return size > ULONG_MAX ? ULONG_MAX : static_cast<unsigned long>(size); }
