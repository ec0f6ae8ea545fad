// What preparing a picture for the screen costs (decode, DCT reduction, resampling, the page's
// frame) compared with libjpeg-turbo decoding the same file alone, and our resampler against
// stb_image_resize with the same filters.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include <jpeglib.h>

#include "imaging/JpegDecoder.h"
#include "imaging/PicturePipeline.h"
#include "imaging/Resample.h"
#include "pageview/PageRender.h"
#include "pageview/PictureFile.h"
#include "tests/support/StbResize.h"

namespace {

// The machine may be shared: the fastest repetition is the least disturbed one.
double Fastest(const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); }

// A 1024 x 768 picture of the set: pictures/110.jpg.
const std::vector<uint8_t>& Picture() {
  static const std::vector<uint8_t> bytes = [] {
    std::filesystem::path file = std::filesystem::path(LUMI_SOURCE_DIR) / "pictures" / "110.jpg";
    std::optional<std::vector<uint8_t>> read = ReadPictureFile(file.string());
    if (!read) {
      std::fprintf(stderr, "cannot read %s\n", file.string().c_str());
      std::exit(1);
    }
    return *read;
  }();
  return bytes;
}

// Where a w x h picture lies on the benchmark's screen (height fit).
TRect Placed(const benchmark::State& state, int32_t w, int32_t h) {
  return LayoutPicture(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)), w, h, TFit::Height);
}

// The reference: libjpeg-turbo's own decode of the whole picture into 32-bit pixels.
void BM_LibjpegDecodeOnly(benchmark::State& state) {
  const std::vector<uint8_t>& bytes = Picture();
  std::vector<uint8_t> pixels;
  for (auto _ : state) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    pixels.resize(static_cast<size_t>(info.output_width) * info.output_height * 4);
    while (info.output_scanline < info.output_height) {
      JSAMPROW row = pixels.data() + static_cast<size_t>(info.output_scanline) * info.output_width * 4;
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_LibjpegDecodeOnly)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

// Decode and resample to the picture's laid-out size on a screen of the given size.
void BM_PreparePicture(benchmark::State& state) {
  const std::vector<uint8_t>& bytes = Picture();
  TJpegDecoder probe(bytes.data(), bytes.size());
  const TRect placed = Placed(state, probe.Width(), probe.Height());
  for (auto _ : state) {
    TFrame picture = PreparePicture(bytes.data(), bytes.size(), placed.Width, placed.Height);
    benchmark::DoNotOptimize(picture.Pixels.data());
  }
  state.SetLabel(std::to_string(placed.Width) + "x" + std::to_string(placed.Height));
}
BENCHMARK(BM_PreparePicture)->Args({1920, 1080})->Args({3840, 2160})->Args({152, 112})
    ->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

// The whole page as the view draws it: file read, frame fill, decode, resample into the frame.
void BM_RenderPage(benchmark::State& state) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "lumi-bench-picture.jpg";
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(Picture().data()), static_cast<std::streamsize>(Picture().size()));
  const TPage page{.Exit = {}, .CellWidth = static_cast<int32_t>(state.range(0)),
                   .CellHeight = static_cast<int32_t>(state.range(1)),
                   .PictureSrc = file.string(), .Fit = TFit::Height};
  for (auto _ : state) {
    TFrame frame = RenderPage(page, page.CellWidth, page.CellHeight);
    benchmark::DoNotOptimize(frame.Pixels.data());
  }
  std::filesystem::remove(file);
}
BENCHMARK(BM_RenderPage)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

const TFrame& Decoded() {
  static const TFrame frame = [] {
    TJpegDecoder decoder(Picture().data(), Picture().size());
    return decoder.Decode(0, 0);
  }();
  return frame;
}

// Resampling alone, from the decoded picture to its size on a screen (height fit).
void BM_ResampleOwn(benchmark::State& state) {
  const TFrame& source = Decoded();
  const TRect placed = Placed(state, source.Width, source.Height);
  TFrame target(placed.Width, placed.Height);
  const TRect whole{0, 0, placed.Width, placed.Height};
  for (auto _ : state) {
    DrawResampled(source, whole, whole, target);
    benchmark::DoNotOptimize(target.Pixels.data());
  }
}
BENCHMARK(BM_ResampleOwn)->Args({1920, 1080})->Args({3840, 2160})->Args({800, 600})->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

void BM_ResampleStb(benchmark::State& state) {
  const TFrame& source = Decoded();
  const TRect placed = Placed(state, source.Width, source.Height);
  TFrame target(placed.Width, placed.Height);
  for (auto _ : state) {
    stbir_resize_uint8_generic(reinterpret_cast<const unsigned char*>(source.Pixels.data()), source.Width,
                               source.Height, 0, reinterpret_cast<unsigned char*>(target.Pixels.data()), placed.Width,
                               placed.Height, 0, 4, 3, STBIR_FLAG_ALPHA_PREMULTIPLIED, STBIR_EDGE_CLAMP,
                               STBIR_FILTER_DEFAULT, STBIR_COLORSPACE_LINEAR, nullptr);
    benchmark::DoNotOptimize(target.Pixels.data());
  }
}
BENCHMARK(BM_ResampleStb)->Args({1920, 1080})->Args({3840, 2160})->Args({800, 600})->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

}  // namespace
