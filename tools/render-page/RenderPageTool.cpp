// render-page: draws a page file as the view would show it, to PNG, natively; with --to, draws
// the page's exit transition to a second page at chosen progress values. For looking at pages
// and transitions without Windows.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "pageview/PageReader.h"
#include "pageview/PageRender.h"
#include "transitions/Transition.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

const char* const Usage =
    "usage: render-page PAGE -o OUT.png [--size WxH] [--map 'C:\\TEMP\\=/tmp/x/']...\n"
    "                   [--to PAGE2 --progress 0.25,0.5,0.75 [--seed N]]\n"
    "  Draws PAGE at WxH (default: its cell, else 1024x768) to OUT.png. With --to, draws the\n"
    "  transition that PAGE's exit tag names, from PAGE to PAGE2, at each progress value, to\n"
    "  OUT-<progress>.png. --map replaces a leading part of the picture paths (case ignored);\n"
    "  backslashes then become slashes.\n";

struct TOptions {
  std::string Page;
  std::string Output;
  std::optional<std::pair<int32_t, int32_t>> Size;
  std::vector<std::pair<std::string, std::string>> Maps;
  std::string NextPage;
  std::vector<double> Progress;
  uint64_t Seed = 1;
};

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "render-page: %s\n%s", message.c_str(), Usage);
  std::exit(2);
}

std::vector<double> ReadProgressList(const std::string& text) {
  std::vector<double> values;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    char* end = nullptr;
    double value = std::strtod(item.c_str(), &end);
    if (item.empty() || *end != '\0' || !(value >= 0.0 && value <= 1.0)) Fail("bad progress value '" + item + "'");
    values.push_back(value);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  std::sort(values.begin(), values.end());
  return values;
}

TOptions ReadOptions(int argc, char** argv) {
  TOptions options;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) Fail(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "-o" || arg == "--output") {
      options.Output = value();
    } else if (arg == "--size") {
      std::string size = value();
      int w = 0, h = 0;
      char tail = 0;
      if (std::sscanf(size.c_str(), "%dx%d%c", &w, &h, &tail) != 2 || w <= 0 || h <= 0 || w > 16384 || h > 16384)
        Fail("bad size '" + size + "'");
      options.Size = {{w, h}};
    } else if (arg == "--map") {
      std::string map = value();
      size_t equals = map.find('=');
      if (equals == std::string::npos || equals == 0) Fail("bad map '" + map + "'");
      options.Maps.emplace_back(map.substr(0, equals), map.substr(equals + 1));
    } else if (arg == "--to") {
      options.NextPage = value();
    } else if (arg == "--progress") {
      options.Progress = ReadProgressList(value());
    } else if (arg == "--seed") {
      options.Seed = std::strtoull(value().c_str(), nullptr, 10);
    } else if (arg == "-h" || arg == "--help") {
      std::fputs(Usage, stdout);
      std::exit(0);
    } else if (!arg.empty() && arg[0] == '-') {
      Fail("unknown option " + arg);
    } else if (options.Page.empty()) {
      options.Page = arg;
    } else {
      Fail("more than one page given");
    }
  }
  if (options.Page.empty() || options.Output.empty()) Fail("a page and -o are needed");
  if (options.NextPage.empty() != options.Progress.empty()) Fail("--to and --progress go together");
  return options;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

TPage ReadMappedPage(const std::string& path, const TOptions& options) {
  TPage page = ReadPageFile(path);
  for (const auto& [from, to] : options.Maps) {
    if (StartsWithIgnoringCase(page.PictureSrc, from)) {
      std::string rest = page.PictureSrc.substr(from.size());
      std::replace(rest.begin(), rest.end(), '\\', '/');
      page.PictureSrc = to + rest;
      break;
    }
  }
  return page;
}

void WritePng(const TFrame& frame, const std::string& path) {
  std::vector<uint8_t> rgb(static_cast<size_t>(frame.Width) * frame.Height * 3);
  for (size_t i = 0; i < frame.Pixels.size(); ++i) {
    rgb[i * 3] = static_cast<uint8_t>(frame.Pixels[i] >> 16);
    rgb[i * 3 + 1] = static_cast<uint8_t>(frame.Pixels[i] >> 8);
    rgb[i * 3 + 2] = static_cast<uint8_t>(frame.Pixels[i]);
  }
  if (!stbi_write_png(path.c_str(), frame.Width, frame.Height, 3, rgb.data(), frame.Width * 3)) {
    std::fprintf(stderr, "render-page: cannot write %s\n", path.c_str());
    std::exit(1);
  }
  std::printf("%s\n", path.c_str());
}

std::string ProgressPath(const std::string& output, double progress) {
  char number[32];
  std::snprintf(number, sizeof number, "%g", progress);
  size_t dot = output.rfind('.');
  size_t slash = output.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = output.size();
  return output.substr(0, dot) + "-" + number + output.substr(dot);
}

const char* Describe(const TExitTransition& exit) {
  switch (exit.Kind) {
    case TTransitionKind::Fade: return "fade";
    case TTransitionKind::Reveal: return "reveal";
    default: return "none";
  }
}

}  // namespace

int main(int argc, char** argv) {
  const TOptions options = ReadOptions(argc, argv);
  const TPage page = ReadMappedPage(options.Page, options);
  int32_t width = 1024, height = 768;
  if (options.Size) {
    std::tie(width, height) = *options.Size;
  } else if (page.CellWidth > 0) {
    width = page.CellWidth;
    height = page.CellHeight;
  }
  std::fprintf(stderr, "%s: exit %s %d %.3gs, cell %dx%d, picture '%s'\n", options.Page.c_str(),
               Describe(page.Exit), page.Exit.Pattern, page.Exit.DurationSeconds, page.CellWidth,
               page.CellHeight, page.PictureSrc.c_str());
  const TFrame first = RenderPage(page, width, height);
  if (options.NextPage.empty()) {
    WritePng(first, options.Output);
    return 0;
  }

  const TPage next = ReadMappedPage(options.NextPage, options);
  const TFrame second = RenderPage(next, width, height);
  // As in the view: the transition plays over the visible cell; beyond it the next page shows.
  const TRect area = TransitionArea(page, next, width, height);
  auto cell = [&](const TFrame& frame) {
    TFrame part(area.Width, area.Height);
    for (int32_t y = 0; y < area.Height; ++y) std::copy_n(frame.Row(y), area.Width, part.Row(y));
    return part;
  };
  const TFrame from = cell(first), to = cell(second);
  TFrame screen = second;
  for (int32_t y = 0; y < area.Height; ++y) std::copy_n(first.Row(y), area.Width, screen.Row(y));
  const TTransitionKind kind = page.Exit.Kind == TTransitionKind::Fade     ? TTransitionKind::Fade
                               : page.Exit.Kind == TTransitionKind::Reveal ? TTransitionKind::Reveal
                                                                     : TTransitionKind::Cut;
  TTransition transition(kind, page.Exit.Pattern, options.Seed, from, to);
  for (double progress : options.Progress) {
    transition.Step(progress, TFrameTarget{screen.Pixels.data(), area.Width, area.Height, screen.Width});
    WritePng(screen, ProgressPath(options.Output, progress));
  }
  if (kind == TTransitionKind::Reveal)
    std::fprintf(stderr, "reveal pattern %d (seed %llu)\n", transition.Pattern(),
                 static_cast<unsigned long long>(options.Seed));
  return 0;
}
