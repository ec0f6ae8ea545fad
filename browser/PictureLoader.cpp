// JPEG decoding behind a C++ face. Each step that may end in libjpeg's error exit calls setjmp
// itself and holds only plain C data (see base/JpegErrors.h).
#include "browser/PictureLoader.h"

#include <cctype>
#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <new>

#include "base/JpegErrors.h"
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

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool IsDeviceName(std::string_view name) {
  // The part before the first dot and trailing blanks decides: "nul.jpg" and "COM1 " are devices.
  name = name.substr(0, name.find('.'));
  while (!name.empty() && (name.back() == ' ' || name.back() == ':')) name.remove_suffix(1);
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (SameText(name, device)) return true;
  if (name.size() == 4 && (SameText(name.substr(0, 3), "COM") || SameText(name.substr(0, 3), "LPT")))
    return name[3] >= '0' && name[3] <= '9';
  return false;
}

}  // namespace

bool IsLocalFilePath(std::string_view path) {
  auto isSlash = [](char c) { return c == '\\' || c == '/'; };
  if (path.empty()) return false;
  if (path.size() >= 2 && isSlash(path[0]) && isSlash(path[1])) return false;
  // A colon is allowed only after a drive letter.
  size_t colon = path.find(':');
  if (colon != std::string_view::npos) {
    bool driveLetter = colon == 1 && std::isalpha(static_cast<unsigned char>(path[0]));
    if (!driveLetter || path.find(':', colon + 1) != std::string_view::npos) return false;
  }
  size_t nameStart = path.find_last_of("\\/");
  std::string_view name = path.substr(nameStart == std::string_view::npos ? 0 : nameStart + 1);
  if (colon == 1 && nameStart == std::string_view::npos) name.remove_prefix(2);
  return !name.empty() && !IsDeviceName(name);
}

std::optional<std::vector<uint8_t>> ReadPictureFile(const std::string& path) {
  if (!IsLocalFilePath(path)) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes;
  constexpr size_t chunk = 1u << 20;
  while (bytes.size() <= MaxPictureFileBytes) {
    size_t have = bytes.size();
    bytes.resize(have + chunk);
    file.read(reinterpret_cast<char*>(bytes.data() + have), static_cast<std::streamsize>(chunk));
    bytes.resize(have + static_cast<size_t>(file.gcount()));
    if (file.bad()) return std::nullopt;
    if (file.eof()) break;
  }
  if (bytes.size() > MaxPictureFileBytes) return std::nullopt;
  return bytes;
}

TJpegDecoder::TJpegDecoder(const uint8_t* data, size_t size) : FJob(new TJpegJob{}) {
  if (data == nullptr || size == 0 || size > MaxPictureFileBytes) return;
  if (!ReadHeader(FJob.get(), data, size)) return;
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
  if (!StartDecompress(FJob.get(), ScaleDenominator(FWidth, FHeight, wantWidth, wantHeight)))
    return {};
  uint64_t width = FJob->Info.output_width;
  uint64_t height = FJob->Info.output_height;
  if (FJob->Info.output_components != 4 || width == 0 || height == 0 ||
      width * height > MaxPicturePixels)
    return {};
  TFrame frame;
  try {
    frame = TFrame(static_cast<int32_t>(width), static_cast<int32_t>(height), TFrame::Undefined);
  } catch (const std::bad_alloc&) {
    return {};
  }
  if (!ReadRows(FJob.get(), reinterpret_cast<uint8_t*>(frame.Pixels.data()), width * 4)) return {};
  return frame;
}

TFrame PreparePicture(const uint8_t* data, size_t size, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0 || static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > MaxPicturePixels)
    return {};
  TJpegDecoder decoder(data, size);
  TFrame decoded = decoder.Decode(width, height);
  if (decoded.Pixels.empty()) return {};
  TFrame result(width, height, TFrame::Undefined);  // the resampler writes every pixel
  const TPictureRect whole{0, 0, width, height};
  if (!DrawResampled(decoded, whole, whole, result)) return {};
  return result;
}
