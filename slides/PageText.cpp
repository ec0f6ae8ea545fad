// The texts of the slideshow's pages.
#include "slides/PageText.h"

#include <charconv>

namespace {

constexpr char BodyStart[] =
    "</head><body oncontextmenu=\"return false;\" "
    "style=\"margin-top:0;margin-left:0;margin-bottom:0;margin-right:0\" bgcolor=\"#000000\">";

// Seconds in their shortest decimal form: 3 for three seconds.
std::string SecondsText(double seconds) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, seconds).ptr;
  return std::string(text, end);
}

}  // namespace

std::string ExitMeta(const TExitTransition& exit) {
  const std::string duration = "Duration=" + SecondsText(exit.DurationSeconds);
  switch (exit.Kind) {
    case TTransitionKind::Fade:
      return "<meta http-equiv=Page-Exit content=blendTrans(" + duration + ")>";
    case TTransitionKind::Reveal:
      return "<meta http-equiv=Page-Exit content=revealTrans(" + duration + ",transition=" +
             std::to_string(exit.Pattern) + ")>";
    default:
      return {};
  }
}

const char* FitAttribute(TFit fit) { return fit == TFit::Height ? "height=\"100%\"" : "width=\"100%\""; }

std::string BlankPageText(const TExitTransition& exit) {
  return "<html><head>" + ExitMeta(exit) + BodyStart + "</body></html>";
}

std::string PicturePageText(const TExitTransition& exit, int32_t windowWidth, int32_t windowHeight,
                            const std::string& picturePath, TFit fit) {
  std::string page = "<html><head>";
  page += ExitMeta(exit);
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
  page += FitAttribute(fit);
  page += "></div></td></tr></table></body></html>";
  return page;
}
