// The settings dialog's layout at any DPI (parts that touch or nest), the About lines
// under the link labels, and the web addresses behind the fifteen clickable controls.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "settings/ConfigLayout.h"
#include "settings/ConfigLinks.h"

namespace {

namespace Design = ConfigLayout;

const int Dpis[] = {96, 110, 120, 125, 144, 168, 192, 240, 288};

}  // namespace

TEST(ConfigLayout, PartsThatTouchInTheDesignTouchAtEveryDpi) {
  // The two text lines below the Links entries, and the button panel on the form's bottom edge.
  const TRect &line1 = LinksPageAreas[4].Rect, &line2 = LinksPageAreas[5].Rect;
  ASSERT_EQ(line1.Bottom(), line2.Top);
  for (int dpi : Dpis) {
    EXPECT_EQ(ScaleToDpi(line1, dpi).Bottom(), ScaleToDpi(line2, dpi).Top) << dpi;
    EXPECT_EQ(ScaleToDpi(Design::ButtonPanel, dpi).Bottom(), ScaleToDpi(Design::ClientHeight, dpi)) << dpi;
  }
}

TEST(ConfigLayout, EveryPartStaysInsideItsParentAtEveryDpi) {
  const TRect client{0, 0, Design::ClientWidth, Design::ClientHeight};
  // A page's area is the tab control's display area; the design needs at least this much of it.
  const TRect page{0, 0, Design::PageTabs.Width - 8, Design::PageTabs.Height - 28};
  std::vector<std::pair<TRect, TRect>> nested = {
      {Design::PageTabs, client}, {Design::ButtonPanel, client},         {Design::OkButton, Design::ButtonPanel},
      {Design::CancelButton, Design::ButtonPanel}, {Design::TransitionGroup, page},    {Design::EffectList, Design::TransitionGroup},
      {Design::InfoGroup, page},     {Design::PreviewImage, Design::InfoGroup}, {Design::AboutShape4, page},
      {Design::Memo1, Design::AboutShape4}, {Design::PhotosCredit, Design::Memo1}, {Design::CodingCredit, Design::Memo1},
      {Design::LogoImage, Design::AboutShape4}, {Design::DonateButton, Design::AboutShape4}, {Design::LinksBannerImage, page},
  };
  for (const TClickArea& area : LinksPageAreas) nested.push_back({area.Rect, Design::LinksBannerImage});
  for (const TClickArea& area : TipsPageAreas) nested.push_back({area.Rect, Design::TipsBannerImage});
  for (int dpi : Dpis)
    for (size_t i = 0; i < nested.size(); ++i) {
      const TRect part = ScaleToDpi(nested[i].first, dpi);
      EXPECT_EQ(Intersect(part, ScaleToDpi(nested[i].second, dpi)), part) << "part " << i << " at " << dpi;
    }
}

TEST(ConfigLayout, TheLinkLabelsLieExactlyOverTheLinesShowingTheMakersName) {
  // Lines 14 and 17, counted from 1.
  const std::pair<TRect, size_t> labels[] = {{Design::PhotosCredit, 13}, {Design::CodingCredit, 16}};
  for (const auto& [label, line] : labels) {
    EXPECT_EQ(AboutLines[line], MakerName);
    const TRect text = AboutLineRect(static_cast<int32_t>(line));
    for (int dpi : Dpis) {
      EXPECT_EQ(ScaleToDpi(label, dpi).Top, ScaleToDpi(text, dpi).Top) << "line " << line + 1 << " at " << dpi;
      EXPECT_GE(ScaleToDpi(label, dpi).Bottom(), ScaleToDpi(text, dpi).Bottom()) << dpi;
    }
  }
  // Every line fits in the memo, and only those two lines name the maker alone.
  EXPECT_LE(AboutLineRect(static_cast<int32_t>(AboutLines.size()) - 1).Bottom(), Design::Memo1.Bottom());
  size_t nameLines = 0;
  for (std::string_view line : AboutLines) nameLines += line == MakerName;
  EXPECT_EQ(nameLines, 2u);
}

TEST(ConfigLinks, FifteenControlsOpenTwelveDistinctPagesBelowTheBaseAddress) {
  const std::string base = WebBaseAddress();
  ASSERT_FALSE(base.empty());
  EXPECT_EQ(base.back(), '/');
  std::set<std::string> addresses;
  for (size_t h = 0; h < LinkHandlerCount; ++h) {
    const std::string address = LinkAddress(static_cast<TLinkHandler>(h));
    EXPECT_EQ(address.compare(0, base.size(), base), 0) << address;
    addresses.insert(address);
  }
  EXPECT_EQ(addresses.size(), LinkHandlerCount);
  EXPECT_EQ(LinkAddress(TLinkHandler::CodingCreditClick), base);  // the maker's home page

  // The banner areas that share a handler: the third entry and the tall picture, and the second
  // entry (the maker's home page, as CodingCredit and the logo).
  std::map<int32_t, TLinkHandler> byImage;
  for (const TClickArea& area : LinksPageAreas) byImage[area.ImageNumber] = area.Handler;
  for (const TClickArea& area : TipsPageAreas) byImage[area.ImageNumber] = area.Handler;
  EXPECT_EQ(byImage.size(), 10u);
  EXPECT_EQ(byImage[9], byImage[5]);
  EXPECT_EQ(byImage[4], TLinkHandler::CodingCreditClick);
}
