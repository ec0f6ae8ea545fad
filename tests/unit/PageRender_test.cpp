// Whole pages drawn into frames: background, letterbox bars, the picture in its cell, and the
// plain page for every picture that cannot be shown.
#include <gtest/gtest.h>

#include "imaging/Layout.h"
#include "pageview/PageRender.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TestFrames.h"
#include "tests/support/TestJpeg.h"

namespace {

class PageRenderTest : public testing::Test {
protected:
  const TScratchFolder FDir;
};

TPage PicturePage(const std::string& src, int32_t w, int32_t h, TFit fit, uint32_t background = 0xFF000000u) {
  return {{}, background, w, h, src, fit};
}

// Pixels outside the rectangle are the background; the rectangle's corners show the quadrants.
void ExpectPictureAt(const TFrame& frame, const TRect& r, uint32_t background) {
  for (int32_t y = 0; y < frame.Height; ++y)
    for (int32_t x = 0; x < frame.Width; ++x) {
      if (!Covers(r, x, y)) {
        ASSERT_EQ(frame.Row(y)[x], background) << x << "," << y;
      }
    }
  const int32_t xs[] = {r.Left + 2, r.Left + r.Width - 3}, ys[] = {r.Top + 2, r.Top + r.Height - 3};
  const uint32_t want[2][2] = {{0xFF0000u, 0x00FF00u}, {0x0000FFu, 0xFFFFFFu}};
  for (int j = 0; j < 2; ++j)
    for (int i = 0; i < 2; ++i) EXPECT_LE(ColourDistance(frame.Row(ys[j])[xs[i]], want[j][i]), 8);
}

}  // namespace

// In a view larger than the cell, the view beyond the cell is the page's background too.
TEST_F(PageRenderTest, LetterboxesThePictureInItsCell) {
  const std::string landscape = FDir.Write("l.jpg", MakeQuadrantJpeg(1024, 768));
  const std::string portrait = FDir.Write("p.jpg", MakeQuadrantJpeg(576, 768));
  const std::string strip = FDir.Write("s.jpg", MakeQuadrantJpeg(1024, 220));
  struct TCase {
    std::string Src;
    int32_t W, H;
    TFit Fit;
    TRect Expected;
    int32_t ViewW = 0, ViewH = 0;  // the cell's size when 0
    uint32_t Background = 0xFF000000u;
  };
  const TCase cases[] = {
      {landscape, 1024, 768, TFit::Width, {0, 0, 1024, 768}},
      {portrait, 1024, 768, TFit::Height, {224, 0, 576, 768}},
      {strip, 1024, 768, TFit::Width, {0, 274, 1024, 220}},
      {landscape, 1280, 800, TFit::Height, {106, 0, 1067, 800}},
      {landscape, 152, 112, TFit::Height, {1, 0, 149, 112}},
      {portrait, 77, 102, TFit::Height, {0, 0, 76, 102}},
      {landscape, 200, 100, TFit::Height, {33, 0, 133, 100}, 260, 150, 0xFF336699u},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.W << "x" << c.H);
    const int32_t viewW = c.ViewW ? c.ViewW : c.W, viewH = c.ViewH ? c.ViewH : c.H;
    TFrame frame = RenderPage(PicturePage(c.Src, c.W, c.H, c.Fit, c.Background), viewW, viewH);
    ASSERT_EQ(std::pair(frame.Width, frame.Height), std::pair(viewW, viewH));
    ExpectPictureAt(frame, c.Expected, c.Background);
  }
}

TEST_F(PageRenderTest, TheCellHidesWhatOverflowsIt) {
  const std::string src = FDir.Write("l.jpg", MakeQuadrantJpeg(64, 48));
  // Shown at its own size, centred on a 40 x 40 cell: 12 px cut on the left and right, 4 at
  // the top and bottom; the view's other 20 columns stay background.
  TFrame frame = RenderPage(PicturePage(src, 40, 40, TFit::None), 60, 40);
  EXPECT_LE(ColourDistance(frame.Row(5)[0], 0xFF0000u), 8);
  EXPECT_LE(ColourDistance(frame.Row(35)[39], 0xFFFFFFu), 8);
  for (int32_t y = 0; y < 40; ++y) ASSERT_EQ(frame.Row(y)[40], 0xFF000000u);
}

TEST_F(PageRenderTest, PlainPageWhenThePictureCannotBeShown) {
  const std::vector<uint8_t> jpeg = MakeQuadrantJpeg(64, 48);
  const std::string cut = FDir.Write("cut.jpg", std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 300));
  const std::string text = FDir.Write("text.jpg", std::string("hi"));
  const std::string good = FDir.Write("good.jpg", jpeg);
  const TPage pages[] = {
      TPage{},                                               // the blank page
      PicturePage(FDir / "missing.jpg", 64, 48, TFit::Width),
      PicturePage(cut, 64, 48, TFit::Width),
      PicturePage(text, 64, 48, TFit::Width),
      PicturePage(FDir.Path(), 64, 48, TFit::Width),      // a folder
      PicturePage(good, 0, 0, TFit::Width),                 // no cell
      PicturePage("\\\\server\\share\\p.jpg", 64, 48, TFit::Width),
  };
  for (const TPage& page : pages) {
    SCOPED_TRACE(page.PictureSrc);
    TFrame frame = RenderPage(page, 64, 48);
    ASSERT_EQ(frame.Pixels.size(), 64u * 48u);
    for (uint32_t p : frame.Pixels) ASSERT_EQ(p, 0xFF000000u);
  }
  EXPECT_TRUE(RenderPage(PicturePage(good, 64, 48, TFit::Width), 0, 48).Pixels.empty());
}

// A transition is laid over the cell the view shows: a 152 x 112 preview in a view some 700
// pixels wide centres its box and circle on the preview, not beyond it.
TEST(TransitionArea, TheVisibleCellOfTheNextPageElseTheLeavingOneElseTheView) {
  const TPage blank, preview = PicturePage("p.jpg", 152, 112, TFit::Width), wide = PicturePage("p.jpg", 900, 50, TFit::Width);
  struct TCase {
    const TPage& Leaving;
    const TPage& Next;
    TRect Expected;
  } cases[] = {
      {blank, preview, {0, 0, 152, 112}},   // the first picture after the blank page
      {preview, preview, {0, 0, 152, 112}},
      {preview, blank, {0, 0, 152, 112}},
      {blank, blank, {0, 0, 704, 133}},
      {preview, wide, {0, 0, 704, 50}},     // cut at the view's edges
  };
  for (const TCase& c : cases) {
    const TRect area = TransitionArea(c.Leaving, c.Next, 704, 133);
    EXPECT_EQ(area, c.Expected) << area.Left << "," << area.Top << " " << area.Width << "x" << area.Height;
  }
}
