// A small, bounded tag scanner for the session's page files: it knows the meta, body, td and
// img elements and skips everything else. Only complete tags count, so a truncated page keeps
// what stood before the cut and loses the rest.
#include "pageview/PageReader.h"

#include <array>
#include <cmath>
#include <fstream>
#include <optional>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

struct TAttribute {
  std::string_view Name;
  std::string_view Value;
};

// One start tag. Attributes past the first few are dropped: the session's tags have at most five.
struct TTag {
  static constexpr size_t MaxAttributes = 16;
  std::string_view Name;
  std::array<TAttribute, MaxAttributes> Attributes{};
  size_t Count = 0;

  std::optional<std::string_view> Find(std::string_view name) const {
    for (size_t i = 0; i < Count; ++i)
      if (SameText(Attributes[i].Name, name)) return Attributes[i].Value;
    return std::nullopt;
  }
};

// Walks the text tag by tag. Next() yields each complete start tag and stops for good at the
// end of the text or at a tag that the text ends inside.
class TTagScanner {
public:
  explicit TTagScanner(std::string_view text) : FText(text) {}

  bool Next(TTag& tag) {
    while (FPos < FText.size()) {
      size_t open = FText.find('<', FPos);
      if (open == std::string_view::npos) break;
      FPos = open + 1;
      if (StartsWith("!--")) {
        if (!SkipPast("-->")) break;
      } else if (FPos < FText.size() && (FText[FPos] == '!' || FText[FPos] == '/' || FText[FPos] == '?')) {
        if (!SkipPast(">")) break;
      } else if (FPos < FText.size() && IsAlpha(FText[FPos])) {
        if (ReadStartTag(tag)) return true;
        break;
      }
    }
    FPos = FText.size();
    return false;
  }

private:
  std::string_view FText;
  size_t FPos = 0;

  bool StartsWith(std::string_view s) const { return FText.substr(FPos, s.size()) == s; }

  bool SkipPast(std::string_view s) {
    size_t at = FText.find(s, FPos);
    if (at == std::string_view::npos) return false;
    FPos = at + s.size();
    return true;
  }

  void SkipSpace() {
    while (FPos < FText.size() && IsSpace(FText[FPos])) ++FPos;
  }

  // Reads name and attributes up to the closing '>'. False when the text ends first.
  bool ReadStartTag(TTag& tag) {
    size_t start = FPos;
    while (FPos < FText.size() && (IsAlpha(FText[FPos]) || IsDigit(FText[FPos]))) ++FPos;
    tag.Name = FText.substr(start, FPos - start);
    tag.Count = 0;
    for (;;) {
      while (FPos < FText.size() && (IsSpace(FText[FPos]) || FText[FPos] == '/')) ++FPos;
      if (FPos >= FText.size()) return false;
      if (FText[FPos] == '>') {
        ++FPos;
        return true;
      }
      size_t nameStart = FPos;
      while (FPos < FText.size() && !IsSpace(FText[FPos]) && FText[FPos] != '=' &&
             FText[FPos] != '>' && FText[FPos] != '/')
        ++FPos;
      TAttribute attribute{FText.substr(nameStart, FPos - nameStart), {}};
      SkipSpace();
      if (FPos < FText.size() && FText[FPos] == '=') {
        ++FPos;
        SkipSpace();
        if (FPos >= FText.size()) return false;
        char quote = FText[FPos];
        if (quote == '"' || quote == '\'') {
          size_t close = FText.find(quote, FPos + 1);
          if (close == std::string_view::npos) return false;
          attribute.Value = FText.substr(FPos + 1, close - FPos - 1);
          FPos = close + 1;
        } else {
          size_t valueStart = FPos;
          while (FPos < FText.size() && !IsSpace(FText[FPos]) && FText[FPos] != '>') ++FPos;
          attribute.Value = FText.substr(valueStart, FPos - valueStart);
        }
      }
      if (tag.Count < TTag::MaxAttributes) tag.Attributes[tag.Count++] = attribute;
    }
  }
};

// A decimal number of seconds: digits with an optional fraction ("3", "2.5", ".5").
std::optional<double> ReadSeconds(std::string_view s) {
  s = Trim(s);
  double value = 0.0;
  size_t i = 0;
  size_t digits = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i, ++digits) {
    if (digits >= 9) return std::nullopt;
    value = value * 10.0 + (s[i] - '0');
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    double scale = 0.1;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++digits) {
      value += (s[i] - '0') * scale;
      scale /= 10.0;
    }
  }
  if (digits == 0 || i != s.size()) return std::nullopt;
  return value;
}

// An optionally signed decimal integer, saturated well outside the range that matters.
std::optional<int64_t> ReadInteger(std::string_view s) {
  s = Trim(s);
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : s) {
    if (!IsDigit(c)) return std::nullopt;
    if (value < 1'000'000'000'000) value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  c = Lower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "#rrggbb" (the '#' may be missing, as browsers allow).
std::optional<uint32_t> ReadColour(std::string_view s) {
  s = Trim(s);
  if (!s.empty() && s.front() == '#') s.remove_prefix(1);
  if (s.size() != 6) return std::nullopt;
  uint32_t rgb = 0;
  for (char c : s) {
    int d = HexValue(c);
    if (d < 0) return std::nullopt;
    rgb = (rgb << 4) | static_cast<uint32_t>(d);
  }
  return 0xFF000000u | rgb;
}

std::optional<int32_t> ReadCellSide(std::optional<std::string_view> s) {
  if (!s) return std::nullopt;
  std::optional<int64_t> value = ReadInteger(*s);
  if (!value || *value < 1 || *value > MaxCellSide) return std::nullopt;
  return static_cast<int32_t>(*value);
}

bool IsFullSize(std::optional<std::string_view> s) { return s && Trim(*s) == "100%"; }

}  // namespace

TExitTransition ReadExitTransition(std::string_view content) {
  const TExitTransition none;
  content = Trim(content);
  size_t open = content.find('(');
  if (open == std::string_view::npos || content.back() != ')') return none;
  std::string_view filter = Trim(content.substr(0, open));
  std::string_view arguments = content.substr(open + 1, content.size() - open - 2);

  std::optional<double> duration;
  std::optional<int64_t> pattern;
  while (!arguments.empty()) {
    size_t comma = arguments.find(',');
    std::string_view argument = arguments.substr(0, comma);
    arguments = comma == std::string_view::npos ? std::string_view{} : arguments.substr(comma + 1);
    size_t equals = argument.find('=');
    if (equals == std::string_view::npos) return none;
    std::string_view key = Trim(argument.substr(0, equals));
    std::string_view value = argument.substr(equals + 1);
    if (SameText(key, "Duration")) {
      duration = ReadSeconds(value);
      if (!duration) return none;
    } else if (SameText(key, "Transition")) {
      pattern = ReadInteger(value);
      if (!pattern) return none;
    }
    // Other filter settings do not change what the view draws.
  }
  if (!duration || !(*duration > 0.0) || !std::isfinite(*duration)) return none;

  TExitTransition exit;
  exit.DurationSeconds = *duration;
  if (SameText(filter, "blendTrans")) {
    exit.Kind = TTransitionKind::Fade;
    return exit;
  }
  if (SameText(filter, "revealTrans") && pattern && *pattern >= 0 && *pattern <= 23) {
    exit.Kind = TTransitionKind::Reveal;
    exit.Pattern = static_cast<int32_t>(*pattern);
    return exit;
  }
  return none;
}

TPage ReadPage(std::string_view bytes) {
  TPage page;
  if (bytes.size() > MaxPageBytes) return page;

  bool exitSeen = false;
  bool bodySeen = false;
  bool cellSeen = false;
  bool pictureSeen = false;
  TTagScanner scanner(bytes);
  TTag tag;
  while (scanner.Next(tag)) {
    // The first of each element counts; later ones change nothing.
    if (SameText(tag.Name, "meta") && !exitSeen) {
      std::optional<std::string_view> equiv = tag.Find("http-equiv");
      if (equiv && SameText(Trim(*equiv), "Page-Exit")) {
        exitSeen = true;
        if (std::optional<std::string_view> content = tag.Find("content"))
          page.Exit = ReadExitTransition(*content);
      }
    } else if (SameText(tag.Name, "body") && !bodySeen) {
      bodySeen = true;
      if (std::optional<std::string_view> colour = tag.Find("bgcolor"))
        page.Background = ReadColour(*colour).value_or(page.Background);
    } else if (SameText(tag.Name, "td") && !cellSeen) {
      cellSeen = true;
      std::optional<int32_t> width = ReadCellSide(tag.Find("width"));
      std::optional<int32_t> height = ReadCellSide(tag.Find("height"));
      if (width && height) {
        page.CellWidth = *width;
        page.CellHeight = *height;
      }
    } else if (SameText(tag.Name, "img") && !pictureSeen) {
      pictureSeen = true;
      if (std::optional<std::string_view> src = tag.Find("src")) page.PictureSrc = std::string(*src);
      // Should a page carry both, the first in the tag decides.
      for (size_t i = 0; i < tag.Count; ++i) {
        const TAttribute& a = tag.Attributes[i];
        if (SameText(a.Name, "width") && IsFullSize(a.Value)) {
          page.Fit = TFit::Width;
          break;
        }
        if (SameText(a.Name, "height") && IsFullSize(a.Value)) {
          page.Fit = TFit::Height;
          break;
        }
      }
    }
  }
  return page;
}

TPage ReadPageFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return TPage{};
  std::string bytes(MaxPageBytes + 1, '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (file.bad()) return TPage{};
  bytes.resize(static_cast<size_t>(file.gcount()));
  if (bytes.size() > MaxPageBytes) return TPage{};
  return ReadPage(bytes);
}
