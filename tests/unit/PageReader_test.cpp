// The page reader on the pages the session writes, on damaged and foreign files, and on the
// tolerated variations of the tags it honours.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

#include "pageview/PageReader.h"
#include "tests/support/PageTags.h"
#include "tests/support/ScratchFolder.h"

namespace {

const std::string WorkedExample =
    PicturePageText(RevealExit(5), 1024, 768, "C:\\TEMP\\ins1A2B.jpg", TFit::Width);

void ExpectExit(const TExitTransition& exit, TTransitionKind kind, int32_t pattern, double seconds) {
  EXPECT_EQ(exit.Kind, kind);
  if (kind == TTransitionKind::Reveal) {
    EXPECT_EQ(exit.Pattern, pattern);
  }
  EXPECT_DOUBLE_EQ(exit.DurationSeconds, seconds);
}

// What every result must satisfy, whatever the input.
void ExpectSane(const TPage& page) {
  const TExitTransition& exit = page.Exit;
  EXPECT_TRUE(exit.Kind == TTransitionKind::Cut ? exit.DurationSeconds == 0.0 : exit.DurationSeconds > 0.0)
      << exit.DurationSeconds << " s";
  EXPECT_TRUE(exit.Kind != TTransitionKind::Reveal || (exit.Pattern >= 0 && exit.Pattern <= 23)) << exit.Pattern;
  EXPECT_EQ(page.Background >> 24, 0xFFu);
  EXPECT_EQ(page.CellWidth == 0, page.CellHeight == 0);
  EXPECT_GE(page.CellWidth, 0);
  EXPECT_LE(page.CellWidth, MaxCellSide);
  EXPECT_LE(page.CellHeight, MaxCellSide);
}

}  // namespace

// The session's pages: the exit as its tag reads (a reveal outside 0 to 23 cuts), the black body,
// the cell's size (not the table's one pixel more), path and fit literally; a blank page has none.
TEST(PageReader, TheSessionsPages) {
  struct TCase {
    std::string Text;
    TTransitionKind Kind;
    int32_t Pattern;
    int W, H;
    std::string Path;
    TFit Fit;
  };
  auto blank = [](TExitTransition exit, TTransitionKind kind) { return TCase{BlankPageText(exit), kind, exit.Pattern, 0, 0, "", TFit::None}; };
  auto picture = [](TExitTransition exit, int w, int h, const std::string& path, TFit fit) {
    return TCase{PicturePageText(exit, w, h, path, fit), exit.Kind, exit.Pattern, w, h, path, fit};
  };
  const TCase cases[] = {
      blank(FadeExit, TTransitionKind::Fade),          blank(RevealExit(0), TTransitionKind::Reveal),
      blank(RevealExit(5), TTransitionKind::Reveal),   blank(RevealExit(22), TTransitionKind::Reveal),
      blank(RevealExit(23), TTransitionKind::Reveal),  blank(RevealExit(24), TTransitionKind::Cut),
      blank(RevealExit(25), TTransitionKind::Cut),     blank(RevealExit(-1), TTransitionKind::Cut),
      blank(RevealExit(INT32_MIN), TTransitionKind::Cut),
      picture(RevealExit(5), 1024, 768, "C:\\TEMP\\ins1A2B.jpg", TFit::Width),  // the worked example
      picture(FadeExit, 152, 112, "C:\\Users\\ANNA~1\\AppData\\Local\\Temp\\ins3F.tmp", TFit::Height),
      picture(FadeExit, 1280, 1024, "C:\\Dokumente und Einstellungen\\M\xFCller\\Lokale Einstellungen\\Temp\\a%20b&amp;.jpg",
              TFit::Width),
      picture(FadeExit, 1, 1, "D:\\T\\x'y.jpg", TFit::Height),
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const TPage page = ReadPage(c.Text);
    ExpectExit(page.Exit, c.Kind, c.Pattern, c.Kind == TTransitionKind::Cut ? 0.0 : 3.0);
    EXPECT_EQ(page.Background, 0xFF000000u);
    EXPECT_EQ(page.CellWidth, c.W);
    EXPECT_EQ(page.CellHeight, c.H);
    EXPECT_EQ(page.PictureSrc, c.Path);
    EXPECT_EQ(page.Fit, c.Fit);
    EXPECT_EQ(page.HasPicture(), !c.Path.empty());
  }
}

// A page cut anywhere keeps only what it holds in full: no half path, no half number.
TEST(PageReader, EveryTruncatedPrefixOfThePages) {
  for (const std::string& full :
       {WorkedExample, BlankPageText(FadeExit), PicturePageText(RevealExit(23), 77, 102, "C:\\T\\p.jpg", TFit::Height)}) {
    const TPage whole = ReadPage(full);
    for (size_t length = 0; length <= full.size(); ++length) {
      SCOPED_TRACE(length);
      TPage page = ReadPage(std::string_view(full).substr(0, length));
      ExpectSane(page);
      EXPECT_TRUE(page.Exit.Kind == TTransitionKind::Cut || page.Exit.Kind == whole.Exit.Kind);
      EXPECT_TRUE(page.PictureSrc.empty() || page.PictureSrc == whole.PictureSrc);
      EXPECT_TRUE(page.CellWidth == 0 || page.CellWidth == whole.CellWidth);
      EXPECT_TRUE(page.CellHeight == 0 || page.CellHeight == whole.CellHeight);
      EXPECT_TRUE(page.Fit == TFit::None || page.Fit == whole.Fit);
      // Up to the img tag's closing '>' there is no picture.
      if (length <= full.find("></div>")) {
        EXPECT_FALSE(page.HasPicture());
      }
    }
  }
}

TEST(PageReader, RandomBytesAndDamagedPagesReadSafely) {
  std::mt19937 random(20240611);
  for (int seed = 0; seed < 3000; ++seed) {
    std::string bytes;
    if (seed % 2 == 0) {
      // Pure noise, sometimes biased towards the characters tags are made of.
      bytes.resize(random() % 1500);
      const std::string alphabet = "<>=\"' /(),.#%0123456789metaimgsrcbodytdwidthPage-Exit";
      for (char& c : bytes)
        c = seed % 4 == 0 ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
    } else {
      bytes = WorkedExample;
      for (int flips = 1 + random() % 8; flips > 0; --flips)
        bytes[random() % bytes.size()] = static_cast<char>(random());
      bytes.resize(random() % (bytes.size() + 1));
    }
    ExpectSane(ReadPage(bytes));
  }
}

TEST(PageReader, ExitTransitionTexts) {
  struct TCase {
    const char* Content;
    TTransitionKind Kind;
    int32_t Pattern;
    double Seconds;
  };
  const TCase cases[] = {
      {"blendTrans(Duration=3)", TTransitionKind::Fade, 0, 3.0},
      {"BlendTrans(duration=2.5)", TTransitionKind::Fade, 0, 2.5},
      {" blendTrans ( Duration = .5 ) ", TTransitionKind::Fade, 0, 0.5},
      {"REVEALTRANS( Duration = 3 , Transition = 7 )", TTransitionKind::Reveal, 7, 3.0},
      {"revealTrans(transition=12,Duration=1.25)", TTransitionKind::Reveal, 12, 1.25},
      {"revealTrans(Duration=3,transition=+4)", TTransitionKind::Reveal, 4, 3.0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Content);
    ExpectExit(ReadExitTransition(c.Content), c.Kind, c.Pattern, c.Seconds);
  }
  // These cut.
  for (const char* content :
       {"revealTrans(Duration=3)", "revealTrans(Duration=3,transition=24)",
        "revealTrans(Duration=3,transition=99999999999999999999999)", "revealTrans(Duration=3,transition=5x)",
        "revealTrans(Duration=0,transition=3)", "blendTrans(Duration=-1)", "blendTrans(Duration=1e3)",
        "blendTrans(Duration=3", "blendTrans(Duration=3);", "blendTrans()", "blendTrans", "", ")",
        "progid:DXImageTransform.Microsoft.Fade(duration=3)"}) {
    SCOPED_TRACE(content);
    ExpectExit(ReadExitTransition(content), TTransitionKind::Cut, 0, 0);
  }
}

TEST(PageReader, ToleratedAndIgnoredMarkup) {
  using enum TTransitionKind;
  struct TCase {
    std::string Text;
    TTransitionKind Kind;
    uint32_t Background;
  };
  const TCase cases[] = {
      {"<META CONTENT=\"blendTrans(Duration=3)\" HTTP-EQUIV='page-exit'>", Fade, 0xFF000000u},
      {"<meta\thttp-equiv = \"Page-Exit\"\ncontent = 'revealTrans(Duration=3, transition=2)' />", Reveal, 0xFF000000u},
      {"<!-- <meta http-equiv=Page-Exit content=blendTrans(Duration=3)> -->", Cut, 0xFF000000u},
      {"<meta http-equiv=Page-Enter content=blendTrans(Duration=3)>", Cut, 0xFF000000u},
      {RevealTag(99) + FadeTag, Cut, 0xFF000000u},  // the first Page-Exit tag decides
      {"<!DOCTYPE html><body BGCOLOR=#FF8000>", Cut, 0xFFFF8000u},
      {"<body bgcolor=\"1a2B3c\"><body bgcolor=\"#ffffff\">", Cut, 0xFF1A2B3Cu},
      {"<body bgcolor=\"red\">", Cut, 0xFF000000u}, {"<body bgcolor=\"#12345\">", Cut, 0xFF000000u},
      {"<body bgcolor=\"#ffffff", Cut, 0xFF000000u},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    TPage page = ReadPage(c.Text);
    EXPECT_EQ(page.Exit.Kind, c.Kind);
    EXPECT_EQ(page.Background, c.Background);
  }
}

TEST(PageReader, CellAndPictureVariants) {
  using enum TFit;
  struct TCase {
    std::string Text;
    int32_t W, H;
    std::string Src;
    TFit Fit;
  };
  const TCase cases[] = {
      {"<TD HEIGHT=768 WIDTH=1024><IMG HEIGHT='100%' SRC='C:\\a.jpg'>", 1024, 768, "C:\\a.jpg", Height},
      {"<td width=\"100%\" height=\"768\"><img src=\"C:\\a.jpg\">", 0, 0, "C:\\a.jpg", None},
      {"<td width=\"0\" height=\"768\">", 0, 0, "", None},
      {"<td width=\"32768\" height=\"768\">", 0, 0, "", None},
      {"<td width=\"32767\" height=\"1\">", 32767, 1, "", None},
      {"<td width=\"99999999999999999999\" height=\"1\">", 0, 0, "", None},
      {"<td width=\"640\" height=\"480\"><td width=\"1\" height=\"1\">", 640, 480, "", None},
      {"<td width=\"640\" height=\"480\"><img src=\"a.jpg\" width=\"640\">", 640, 480, "a.jpg", None},
      {"<td width=\"640\" height=\"480\"><img src=\"a.jpg\" height=\"100%\" width=\"100%\">", 640, 480, "a.jpg", Height},
      {"<td width=\"640\" height=\"480\"><img src=\"C:\\a.jpg\" width=\"100%\"", 640, 480, "", None},
      {"<td width=\"640\" height=\"480\"><img src=\"C:\\a.jpg width=\"100%\">", 640, 480, "C:\\a.jpg width=", None},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    TPage page = ReadPage(c.Text);
    EXPECT_EQ(page.CellWidth, c.W);
    EXPECT_EQ(page.CellHeight, c.H);
    EXPECT_EQ(page.PictureSrc, c.Src);
    EXPECT_EQ(page.Fit, c.Fit);
  }
}

// A page of MaxPageBytes is read; one byte more, in a text or a file, gives the black page.
TEST(PageReader, ReadsPageFilesNotTooLarge) {
  std::string page = WorkedExample;
  page.resize(MaxPageBytes, ' ');
  EXPECT_TRUE(ReadPage(page).HasPicture());
  page.push_back(' ');
  EXPECT_FALSE(ReadPage(page).HasPicture());
  EXPECT_EQ(ReadPage(page).Exit.Kind, TTransitionKind::Cut);
  const TScratchFolder folder;
  const std::string path = folder.Write("page.htm", WorkedExample);
  EXPECT_EQ(ReadPageFile(path).PictureSrc, "C:\\TEMP\\ins1A2B.jpg");
  EXPECT_EQ(ReadPageFile(path).Exit.Kind, TTransitionKind::Reveal);
  folder.Write("page.htm", WorkedExample + std::string(MaxPageBytes, ' '));
  EXPECT_FALSE(ReadPageFile(path).HasPicture());
  EXPECT_FALSE(ReadPageFile(folder / "missing.htm").HasPicture());
  EXPECT_FALSE(ReadPageFile(folder.Path()).HasPicture());  // a folder, not a file
}
