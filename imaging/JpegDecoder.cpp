// JPEG decoding behind a C++ face. Each step that may end in libjpeg's error exit calls setjmp
// itself and holds only plain C data (see base/JpegErrors.h).
#include "imaging/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <new>

#include "imaging/JpegErrors.h"
// jerror.h after jpeglib.h: it needs the library's types.
#include <jerror.h>

namespace {

// libjpeg's own working memory (progressive coefficient buffers and the like) stays below this.
constexpr long MaxJpegWorkBytes = 768L << 20;
// A progressive file with more scans than this is a damaged or hostile one; real files have ~10.
constexpr int MaxScans = 256;

// Warnings are silent, except those saying that the picture's data ends before its last row
// (a cut file, or a header claiming more rows than there are): those are errors, so such a file
// gives no picture instead of one with a grey bottom.
extern "C" void JpegEmitMessage(j_common_ptr info, int level) {
  if (level < 0) {
    if (info->err->msg_code == JWRN_JPEG_EOF || info->err->msg_code == JWRN_HIT_MARKER)
      JpegEscape(info);
    ++info->err->num_warnings;
  }
}

extern "C" void JpegProgress(j_common_ptr info) {
  if (info->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans)
    JpegEscape(info);
}

}  // namespace

// Plain C data only: value-initialised, so destroying a never-created decompressor is harmless.
struct TJpegJob {
  jpeg_decompress_struct Info;
  TJpegErrors Error;
  jpeg_progress_mgr Progress;
};

namespace {

// The steps that may end in error_exit. Each calls setjmp itself and touches nothing but the job.

bool ReadHeader(TJpegJob* job, const uint8_t* data, size_t size) {
  job->Info.err = UseJpegErrors(job->Error);
  job->Error.Manager.emit_message = JpegEmitMessage;
  if (setjmp(job->Error.Escape)) return false;
  jpeg_create_decompress(&job->Info);
  job->Info.mem->max_memory_to_use = MaxJpegWorkBytes;
  job->Progress.progress_monitor = JpegProgress;
  job->Info.progress = &job->Progress;
  jpeg_mem_src(&job->Info, data, JpegLength(size));
  return jpeg_read_header(&job->Info, TRUE) == JPEG_HEADER_OK;
}

bool StartDecompress(TJpegJob* job, unsigned int scaleDenominator) {
  if (setjmp(job->Error.Escape)) return false;
  job->Info.out_color_space = JCS_EXT_BGRA;
  job->Info.scale_num = 1;
  job->Info.scale_denom = scaleDenominator;
  return jpeg_start_decompress(&job->Info) == TRUE;
}

// Rows go straight into the frame's memory. The data must run on to the end marker: where it
// stops is otherwise a matter of how far the decoder happened to read ahead.
bool ReadRows(TJpegJob* job, uint8_t* pixels, size_t stride) {
  if (setjmp(job->Error.Escape)) return false;
  while (job->Info.output_scanline < job->Info.output_height) {
    JSAMPROW row = pixels + job->Info.output_scanline * stride;
    if (jpeg_read_scanlines(&job->Info, &row, 1) != 1) return false;
  }
  return jpeg_finish_decompress(&job->Info) == TRUE;
}

// The reduction for a wanted size: the largest of 1/8, 1/4 and 1/2 that keeps the result at
// least as large as wanted in both directions.
unsigned int ScaleDenominator(int64_t width, int64_t height, int64_t wantWidth, int64_t wantHeight) {
  if (wantWidth <= 0 || wantHeight <= 0) return 1;
  for (unsigned int d : {8u, 4u, 2u})
    if (wantWidth * d <= width && wantHeight * d <= height) return d;
  return 1;
}

}  // namespace

TJpegDecoder::TJpegDecoder(const uint8_t* data, size_t size) : FJob(new TJpegJob{}) {
  if (data == nullptr || size == 0 || size > MaxPictureFileBytes) return;
  if (!ReadHeader(FJob.get(), data, size)) {
    FOutOfMemory = FJob->Error.Manager.msg_code == JERR_OUT_OF_MEMORY;
    return;
  }
  uint64_t width = FJob->Info.image_width;
  uint64_t height = FJob->Info.image_height;
  if (width == 0 || height == 0 || width * height > MaxPicturePixels) return;
  FWidth = static_cast<int32_t>(width);
  FHeight = static_cast<int32_t>(height);
}

TJpegDecoder::~TJpegDecoder() { jpeg_destroy_decompress(&FJob->Info); }

TFrame TJpegDecoder::Decode(int32_t wantWidth, int32_t wantHeight) {
  if (!Valid() || FUsed) return {};
  FUsed = true;
  // libjpeg's own allocations failing end in its error exit with this code.
  auto failed = [this] {
    FOutOfMemory = FJob->Error.Manager.msg_code == JERR_OUT_OF_MEMORY;
    return TFrame{};
  };
  if (!StartDecompress(FJob.get(), ScaleDenominator(FWidth, FHeight, wantWidth, wantHeight))) return failed();
  uint64_t width = FJob->Info.output_width;
  uint64_t height = FJob->Info.output_height;
  if (FJob->Info.output_components != 4 || width == 0 || height == 0 ||
      width * height > MaxPicturePixels)
    return {};
  TFrame frame;
  try {
    frame = TFrame(static_cast<int32_t>(width), static_cast<int32_t>(height), TFrame::Undefined);
  } catch (const std::bad_alloc&) {
    FOutOfMemory = true;
    return {};
  }
  if (!ReadRows(FJob.get(), reinterpret_cast<uint8_t*>(frame.Pixels.data()), width * 4)) return failed();
  return frame;
}
