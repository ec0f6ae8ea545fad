// The texts of the slideshow's pages and the choice of their transition and picture fit.
#include "session/PageText.h"

#include <cmath>

#include "base/Random.h"
#include "settings/EffectList.h"

namespace {

constexpr char FadeMeta[] = "<meta http-equiv=Page-Exit content=blendTrans(Duration=3)>";
constexpr char RevealMetaStart[] = "<meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition=";
constexpr int32_t RandomRevealPattern = 23;

constexpr char BodyStart[] =
    "</head><body oncontextmenu=\"return false;\" "
    "style=\"margin-top:0;margin-left:0;margin-bottom:0;margin-right:0\" bgcolor=\"#000000\">";

constexpr char HeightAttribute[] = "height=\"100%\"";
constexpr char WidthAttribute[] = "width=\"100%\"";

std::string RevealMeta(int32_t pattern) { return RevealMetaStart + std::to_string(pattern) + ")>"; }

// Nearest integer, halves to the even one, independent of the FPU's rounding mode.
long double RoundHalfEven(long double value) {
  long double whole = std::floor(value);
  long double fraction = value - whole;
  if (fraction > 0.5L || (fraction == 0.5L && std::fmod(whole, 2.0L) != 0)) whole += 1;
  return whole;
}

}  // namespace

std::string ChooseExitMeta(int32_t effect) {
  if (effect == FadeEffect) return FadeMeta;
  if (effect == RandomEffect) return Random(23) != 0 ? RevealMeta(RandomRevealPattern) : FadeMeta;
  return RevealMeta(effect);
}

const char* FitAttribute(int32_t windowWidth, int32_t windowHeight, int32_t pictureWidth, int32_t pictureHeight) {
  // Scaled to the window's height, a picture without height would be endlessly wide.
  if (pictureHeight == 0) return WidthAttribute;
  // Two roundings, as the quotient is formed first; both in the 64-bit significand of long double.
  long double quotient = static_cast<long double>(windowHeight) / pictureHeight;
  long double scaledWidth = RoundHalfEven(quotient * pictureWidth);
  return scaledWidth < windowWidth ? HeightAttribute : WidthAttribute;
}

std::string BlankPageText(const std::string& exitMeta) {
  return "<html><head>" + exitMeta + BodyStart + "</body></html>";
}

std::string PicturePageText(const std::string& exitMeta, int32_t windowWidth, int32_t windowHeight,
                            const std::string& picturePath, const std::string& fitAttribute) {
  std::string page = "<html><head>";
  page += exitMeta;
  page += BodyStart;
  page += "<table cellspacing=\"0\" cellpadding=\"0\" border=\"0\" width=\"";
  page += std::to_string(int64_t{windowWidth} + 1);
  page += "\" height=\"";
  page += std::to_string(int64_t{windowHeight} + 1);
  page += "\" style=\"overflow:hidden\"><tr><td width=\"";
  page += std::to_string(windowWidth);
  page += "\" height=\"";
  page += std::to_string(windowHeight);
  page += "\" style=\"overflow:hidden\"><div align=\"center\" style=\"overflow:hidden\">";
  page += "<img src=\"";
  page += picturePath;
  page += "\" ";
  page += fitAttribute;
  page += "></div></td></tr></table></body></html>";
  return page;
}
