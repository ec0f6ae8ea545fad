// The settings dialog at the monitor's DPI: where every component goes, the pictures decoded at
// their size on the screen, and the About page's own painting.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>

#include "base/TextWin32.h"
#include "settings/ConfigFormWin32.h"

// --- layout at the monitor's DPI -------------------------------------------------------------------

// Everything is placed from the design pixels scaled to `dpi`; the pictures are decoded or
// resampled afresh at their new size. Without `suggestedWindow` the form is centred on the screen.
void TConfig::ApplyLayout(int dpi, const RECT* suggestedWindow) {
  FDpi = dpi;
  // The controls take the new font before the old one is deleted.
  TFont font = MakeDialogFont(dpi, false);
  for (HWND control : {PageControl1, GroupBox4, comboEffekt, GroupBox10, Button1, Button9, Button10})
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  FFont = std::move(font);
  FLinkFont = MakeDialogFont(dpi, true);

  const RECT frame = WindowRectForClient(FormStyle, FormExStyle, Scale(Design::ClientWidth),
                                         Scale(Design::ClientHeight), dpi);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = suggestedWindow ? suggestedWindow->left : (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = suggestedWindow ? suggestedWindow->top : (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

  // The pages fill the tab control's display area, whose size depends on the tabs' font.
  const TLayoutRect tabs = Scale(Design::PageControl1);
  Place(PageControl1, tabs);
  RECT display{0, 0, tabs.Width, tabs.Height};
  SendMessageW(PageControl1, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  const TLayoutRect page{tabs.Left + display.left, tabs.Top + display.top, display.right - display.left,
                         display.bottom - display.top};
  for (TSheet* sheet : Sheets()) sheet->SetBounds(page);

  Place(GroupBox4, Scale(Design::GroupBox4));
  // A closed drop-down list keeps the height its font gives it; the window's height is the open
  // list's for the systems that take it from there.
  const TLayoutRect combo = Scale(Design::comboEffekt);
  const auto field = static_cast<int>(SendMessageW(comboEffekt, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  const auto item = static_cast<int>(SendMessageW(comboEffekt, CB_GETITEMHEIGHT, 0, 0));
  Place(comboEffekt, {combo.Left, combo.Top, combo.Width, field + 8 + item * Design::ComboVisibleItems});
  Place(GroupBox10, Scale(Design::GroupBox10));
  LayoutPreview();

  for (auto [banner, design, stream] : {std::tuple{&Image2, Design::Image2, &FLinksBanner},
                                        std::tuple{&Image14, Design::Image14, &FTipsBanner}}) {
    banner->SetBounds(Scale(design));
    banner->SetPicture(DecodedPicture(*stream, banner->Bounds()));
  }
  for (size_t i = 0; i < FLinksAreas.size(); ++i) FLinksAreas[i].SetBounds(Scale(LinksPageAreas[i].Rect));
  for (size_t i = 0; i < FTipsAreas.size(); ++i) FTipsAreas[i].SetBounds(Scale(TipsPageAreas[i].Rect));

  const TLayoutRect memo = Scale(Design::Memo1);
  for (auto [label, design] : {std::pair{&StaticText1, Design::StaticText1}, std::pair{&StaticText5, Design::StaticText5}}) {
    label->SetBounds(Scale(design));
    label->Font = FLinkFont.Get();
    label->TextLeft = memo.Left - label->Bounds().Left;
    label->TextRight = memo.Right() - label->Bounds().Left;
  }
  Image10.SetBounds(Scale(Design::Image10));
  Image10.SetPicture(Resampled(FLogo, Image10.Bounds().Width, Image10.Bounds().Height));
  Place(Button1, Scale(Design::Button1));
  Place(Button9, Scale(Design::Button9));
  Place(Button10, Scale(Design::Button10));
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The preview sizes itself to its picture (445 x 241 design pixels) and is decoded in colour at
// exactly its size on the screen.
void TConfig::LayoutPreview() {
  TLayoutRect design = Design::Image1;
  if (FPreview.Data != nullptr) {
    TJpegDecoder header(FPreview.Data, FPreview.Size);
    if (header.Valid()) {
      design.Width = header.Width();
      design.Height = header.Height();
    }
  }
  Image1.SetBounds(Scale(design));
  Image1.SetPicture(DecodedPicture(FPreview, Image1.Bounds()));
}

// The About page: the white framed shape, and the About text line by line, each line at its own
// scaled place so that the link labels lie exactly over the lines that show the maker's name.
void TConfig::PaintAbout(HDC dc) {
  const TLayoutRect shape = Scale(Design::AboutShape4);
  RECT area{shape.Left, shape.Top, shape.Right(), shape.Bottom()};
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  for (int i = std::max(1, Scale(1)); i > 0; --i) {
    FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&area, -1, -1);
  }
  TSelectedObject font(dc, FFont.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  for (size_t i = 0; i < AboutLines.size(); ++i) {
    const TLayoutRect line = Scale(AboutLineRect(static_cast<int32_t>(i)));
    RECT box{line.Left, line.Top, line.Right(), line.Bottom()};
    const std::wstring text = Utf8ToWide(std::string(AboutLines[i]));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  }
}
