// The configuration mode: the tabbed settings dialog TConfig. Its page "Options" chooses the
// slideshow's transition effect; the other pages show pictures and texts that open the maker's
// web pages. OK stores the choice, Cancel leaves the settings as they were. Here: its creation,
// its layout at the monitor's DPI, and its work (settings, pages, buttons, links, messages).
#include "settings/ConfigDialog.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "base/ApplicationWin32.h"
#include "base/RectWin32.h"
#include "base/TextWin32.h"
#include "registry/Registry.h"
#include "settings/ConfigResources.h"
#include "settings/ConfigWin32.h"
#include "settings/EffectList.h"
#include "settings/SettingsStore.h"

namespace {

std::wstring Wide(std::string_view text) { return Utf8ToWide(std::string(text)); }

}  // namespace

// --- creation ------------------------------------------------------------------------------------

TConfig::TConfig(const TRunRequest& run) : TForm(L"TConfig"), FRun(run), FOwnerWatch(*this, 250, [this] { WatchOwner(); }) { DialogKeys = true; }

void TConfig::CreateParams(TCreateParams& params) {
  params.Caption = L"Vorlage";
  params.Style = FormStyle;
  params.ExStyle = FormExStyle;
  // A first size for the system DPI; once the window knows its monitor, the layout sets the
  // exact size and centres it.
  const int dpi = SystemDpi();
  const TRect frame = WindowRectForClient(FormStyle, FormExStyle, ScaleToDpi(Design::ClientWidth, dpi),
                                          ScaleToDpi(Design::ClientHeight, dpi), dpi);
  params.Width = frame.Width;
  params.Height = frame.Height;
  params.X = (GetSystemMetrics(SM_CXSCREEN) - params.Width) / 2;
  params.Y = (GetSystemMetrics(SM_CYSCREEN) - params.Height) / 2;
  // Without a host the dialog is the program's only window and has its own taskbar button.
  if (FRun.Window == 0) {
    params.ExStyle |= WS_EX_APPWINDOW;
    return;
  }
  // A handle that names no window could not own the dialog; its window would never be made.
  const HWND host = HostWindow(FRun);
  if (IsWindow(host)) params.WndParent = FOwner = host;
  FHost.Disable(host);
  const LONG ownerStyle = GetWindowLongW(Application.Handle(), GWL_EXSTYLE);
  SetWindowLongW(Application.Handle(), GWL_EXSTYLE, ownerStyle | WS_EX_TOOLWINDOW);
}

HWND TConfig::CreateStandardControl(const wchar_t* className, const wchar_t* text, DWORD style, int id,
                                    HWND parent, DWORD exStyle) {
  return CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

// Makes the components on WM_CREATE, so they exist before the creation handler runs.
void TConfig::CreateComponents() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  HWND form = Handle();

  PageTabs = CreateStandardControl(WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE,
                                       PageTabsId, form);
  const wchar_t* captions[] = {L"Options", L"Links", L"About", L"Tips"};
  for (int i = 0; i < 4; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(captions[i]);
    SendMessageW(PageTabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    Sheets()[static_cast<size_t>(i)]->Create(form, SheetIdBase + 1 + i, WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                             WS_EX_CONTROLPARENT);
  }

  // Options.
  // A group box draws only its frame and caption; being transparent, it leaves the page's own
  // painting (which clips its other children) to fill its inside.
  TransitionGroup = CreateStandardControl(L"Button", L" Transition  ", BS_GROUPBOX, GroupBoxIdBase + 4, OptionsSheet.Handle(),
                                    WS_EX_TRANSPARENT);
  EffectList = CreateStandardControl(L"ComboBox", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, EffectListId,
                                      OptionsSheet.Handle());
  for (std::string_view name : EffectNames)
    SendMessageW(EffectList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(name).c_str()));
  SendMessageW(EffectList, CB_SETMINVISIBLE, Design::ComboVisibleItems, 0);
  InfoGroup = CreateStandardControl(L"Button", L" Info  ", BS_GROUPBOX, GroupBoxIdBase + 10, OptionsSheet.Handle(),
                                     WS_EX_TRANSPARENT);
  PreviewImage.Create(OptionsSheet.Handle(), ImageIdBase + 1, WS_VISIBLE);
  PreviewImage.SetLink(Wide(PreviewLinkName), [this] { OpenLink(TLinkHandler::PreviewClick); });

  // Links and Tips: the banners with their click areas over them.
  LinksBannerImage.Create(LinksSheet.Handle(), ImageIdBase + 2, WS_VISIBLE);
  TipsBannerImage.Create(TipsSheet.Handle(), ImageIdBase + 14, WS_VISIBLE);
  auto makeAreas = [this](auto& areas, const auto& table, TSheet& sheet, const TImage& banner) {
    for (size_t i = 0; i < table.size(); ++i) {
      areas[i].Create(sheet.Handle(), ImageIdBase + table[i].ImageNumber, WS_VISIBLE);
      areas[i].Under = &banner;
      areas[i].SetLink(Wide(table[i].Name), [this, handler = table[i].Handler] { OpenLink(handler); });
    }
  };
  makeAreas(FLinksAreas, LinksPageAreas, LinksSheet, LinksBannerImage);
  makeAreas(FTipsAreas, TipsPageAreas, TipsSheet, TipsBannerImage);

  // About: the text and the shape behind it are drawn by the page itself.
  AboutSheet.OnPaint = [this](HDC dc) { PaintAbout(dc); };
  PhotosCredit.Create(AboutSheet.Handle(), StaticTextIdBase + 1, WS_VISIBLE);
  PhotosCredit.SetLink(Wide(PhotosCreditLinkName), [this] { OpenLink(TLinkHandler::PhotosCreditClick); });
  CodingCredit.Create(AboutSheet.Handle(), StaticTextIdBase + 5, WS_VISIBLE);
  CodingCredit.SetLink(Wide(CodingCreditLinkName), [this] { OpenLink(TLinkHandler::CodingCreditClick); });
  for (TLinkLabel* label : {&PhotosCredit, &CodingCredit}) label->Caption = Wide(MakerName);
  LogoImage.Create(AboutSheet.Handle(), ImageIdBase + 10, WS_VISIBLE);
  LogoImage.SetLink(Wide(LogoLinkName), [this] { OpenLink(TLinkHandler::CodingCreditClick); });
  DonateButton = CreateStandardControl(L"Button", L"Donate...", WS_TABSTOP | BS_PUSHBUTTON, ButtonIdBase + 1,
                                  AboutSheet.Handle());

  OkButton = CreateStandardControl(L"Button", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, ButtonIdBase + 9, form);
  CancelButton = CreateStandardControl(L"Button", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, ButtonIdBase + 10,
                                   form);

  // Z-order: what lies behind goes to the bottom (the tab control behind its pages, the group
  // boxes behind their contents, the banners behind their click areas). The Tab key follows it:
  // the shown page's controls and links in reading order (on About the name lines of the text,
  // then the logo and Donate beside it), OK, Cancel, the tabs.
  for (HWND behind : {PageTabs, TransitionGroup, InfoGroup, LinksBannerImage.Handle(), TipsBannerImage.Handle()})
    SetWindowPos(behind, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  FLinksBanner = FormPicture(LinksBannerResource);
  FTipsBanner = FormPicture(TipsBannerResource);
  FLogo = LoadBitmapResource(LogoBitmapResource);
  ApplyLayout(WindowDpi(form), nullptr);
}

void TConfig::FormCreate() {
  FPreview = OpenPictureResource(PreviewPictureId);
  LayoutPreview();
  LoadSettings();
  SetCaption(L"Tarnwell - Lumivale");
}

void RunConfigDialog(const TRunRequest& run) {
  Application.Initialize();
  TConfig config(run);
  config.Create();
  if (config.Handle() != nullptr) Application.Run();
}

// --- layout at the monitor's DPI -------------------------------------------------------------------

// Everything is placed from the design pixels scaled to `dpi`; the pictures are decoded or
// resampled afresh at their new size. Without `suggestedWindow` the form is centred on the screen.
void TConfig::ApplyLayout(int dpi, const RECT* suggestedWindow) {
  FDpi = dpi;
  // The controls take the new font before the old one is deleted.
  TFont font = MakeDialogFont(dpi, false);
  for (HWND control : {PageTabs, TransitionGroup, EffectList, InfoGroup, DonateButton, OkButton, CancelButton})
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  FFont = std::move(font);
  FLinkFont = MakeDialogFont(dpi, true);

  TRect frame =
      WindowRectForClient(FormStyle, FormExStyle, Scale(Design::ClientWidth), Scale(Design::ClientHeight), dpi);
  frame.Left = suggestedWindow ? suggestedWindow->left : (GetSystemMetrics(SM_CXSCREEN) - frame.Width) / 2;
  frame.Top = suggestedWindow ? suggestedWindow->top : (GetSystemMetrics(SM_CYSCREEN) - frame.Height) / 2;
  PlaceWindow(Handle(), frame);

  // The pages fill the tab control's display area, whose size depends on the tabs' font.
  const TRect tabs = Scale(Design::PageTabs);
  PlaceWindow(PageTabs, tabs);
  RECT display = ToRECT({0, 0, tabs.Width, tabs.Height});
  SendMessageW(PageTabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  TRect page = FromRECT(display);
  page.Left += tabs.Left;
  page.Top += tabs.Top;
  for (TSheet* sheet : Sheets()) sheet->SetBounds(page);

  PlaceWindow(TransitionGroup, Scale(Design::TransitionGroup));
  // A closed drop-down list keeps the height its font gives it; the window's height is the open
  // list's for the systems that take it from there.
  const TRect combo = Scale(Design::EffectList);
  const auto field = static_cast<int>(SendMessageW(EffectList, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  const auto item = static_cast<int>(SendMessageW(EffectList, CB_GETITEMHEIGHT, 0, 0));
  PlaceWindow(EffectList, {combo.Left, combo.Top, combo.Width, field + 8 + item * Design::ComboVisibleItems});
  PlaceWindow(InfoGroup, Scale(Design::InfoGroup));
  LayoutPreview();

  for (auto [banner, design, stream] : {std::tuple{&LinksBannerImage, Design::LinksBannerImage, &FLinksBanner},
                                        std::tuple{&TipsBannerImage, Design::TipsBannerImage, &FTipsBanner}}) {
    banner->SetBounds(Scale(design));
    banner->SetPicture(DecodedPicture(*stream, banner->Bounds()));
  }
  for (size_t i = 0; i < FLinksAreas.size(); ++i) FLinksAreas[i].SetBounds(Scale(LinksPageAreas[i].Rect));
  for (size_t i = 0; i < FTipsAreas.size(); ++i) FTipsAreas[i].SetBounds(Scale(TipsPageAreas[i].Rect));

  const TRect memo = Scale(Design::Memo1);
  for (auto [label, design] : {std::pair{&PhotosCredit, Design::PhotosCredit}, std::pair{&CodingCredit, Design::CodingCredit}}) {
    label->SetBounds(Scale(design));
    label->Font = FLinkFont.Get();
    label->TextLeft = memo.Left - label->Bounds().Left;
    label->TextRight = memo.Right() - label->Bounds().Left;
  }
  LogoImage.SetBounds(Scale(Design::LogoImage));
  LogoImage.SetPicture(Resampled(FLogo, LogoImage.Bounds().Width, LogoImage.Bounds().Height));
  PlaceWindow(DonateButton, Scale(Design::DonateButton));
  PlaceWindow(OkButton, Scale(Design::OkButton));
  PlaceWindow(CancelButton, Scale(Design::CancelButton));
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The preview sizes itself to its picture (445 x 241 design pixels) and is decoded in colour at
// exactly its size on the screen.
void TConfig::LayoutPreview() {
  TRect design = Design::PreviewImage;
  if (FPreview.Data != nullptr) {
    TJpegDecoder header(FPreview.Data, FPreview.Size);
    if (header.Valid()) {
      design.Width = header.Width();
      design.Height = header.Height();
    }
  }
  PreviewImage.SetBounds(Scale(design));
  PreviewImage.SetPicture(DecodedPicture(FPreview, PreviewImage.Bounds()));
}

// The About page: the white framed shape, and the About text line by line, each line at its own
// scaled place so that the link labels lie exactly over the lines that show the maker's name.
void TConfig::PaintAbout(HDC dc) {
  RECT area = ToRECT(Scale(Design::AboutShape4));
  const TCardColours colours = CardColours(HighContrast());
  const TGdiObject back(CreateSolidBrush(colours.Back));
  const TGdiObject frame(CreateSolidBrush(colours.Frame));
  FillRect(dc, &area, static_cast<HBRUSH>(back.Get()));
  for (int i = std::max(1, Scale(1)); i > 0; --i) {
    FrameRect(dc, &area, static_cast<HBRUSH>(frame.Get()));
    InflateRect(&area, -1, -1);
  }
  TSelectedObject font(dc, FFont.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colours.Text);
  for (size_t i = 0; i < AboutLines.size(); ++i) {
    RECT box = ToRECT(Scale(AboutLineRect(static_cast<int32_t>(i))));
    const std::wstring text = Wide(AboutLines[i]);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  }
}

// --- settings and pages --------------------------------------------------------------------------

void TConfig::LoadSettings() {
  ShowPage(OpeningConfigPage);
  // Shown before the read, so that page is shown even when the read fails. A stored index outside
  // the list clears the selection.
  const int32_t effect = ReadEffect(CurrentRegistry());
  SendMessageW(EffectList, CB_SETCURSEL, static_cast<WPARAM>(static_cast<intptr_t>(effect)), 0);
}

void TConfig::SaveSettings() {
  const auto selected = static_cast<int32_t>(SendMessageW(EffectList, CB_GETCURSEL, 0, 0));  // CB_ERR is -1
  ::SaveSettings(CurrentRegistry(), ShownPage(), selected);
}

void TConfig::ShowPage(TConfigPage page) {
  const auto index = static_cast<size_t>(page);
  SendMessageW(PageTabs, TCM_SETCURSEL, index, 0);
  HWND focus = GetFocus();
  for (size_t i = 0; i < 4; ++i) {
    HWND sheet = Sheets()[i]->Handle();
    if (i != index && focus != nullptr && (focus == sheet || IsChild(sheet, focus))) SetFocus(PageTabs);
  }
  for (size_t i = 0; i < 4; ++i) ShowWindow(Sheets()[i]->Handle(), i == index ? SW_SHOW : SW_HIDE);
}

TConfigPage TConfig::ShownPage() const {
  const auto index = static_cast<int>(SendMessageW(PageTabs, TCM_GETCURSEL, 0, 0));
  return static_cast<TConfigPage>(std::clamp(index, 0, 3));
}

// --- handlers --------------------------------------------------------------------------------------

// OK: a failed write is reported and the dialog stays open.
void TConfig::OkButtonClick() {
  SaveSettings();
  Close();
}

void TConfig::CancelButtonClick() { Close(); }

void TConfig::WatchOwner() {
  if (FOwner != nullptr && !IsWindow(FOwner)) Close();
}

void TConfig::FormClose() {
  if (FRun.Window == 0) return;
  FHost.Enable();
  SetForegroundWindow(HostWindow(FRun));
}

// A page that cannot be opened gives no message; the dialog stays as it is.
void TConfig::OpenLink(TLinkHandler handler) {
  const std::wstring address = Utf8ToWide(LinkAddress(handler));
  ShellExecuteW(Handle(), L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

// --- messages --------------------------------------------------------------------------------------

void TConfig::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CREATE:
      TForm::WndProc(message);
      CreateComponents();
      return;
    case WM_COMMAND:
      WMCommand(message);
      return;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
      if (header->hwndFrom == PageTabs && header->code == static_cast<UINT>(TCN_SELCHANGE))
        ShowPage(ShownPage());
      return;
    }
    case DM_GETDEFID:
      message.Result = MAKELRESULT(ButtonIdBase + 9, DC_HASDEFID);
      return;
    case WM_NEXTDLGCTL: {
      // The system's dialog keys move the focus themselves; this is for those that ask the form.
      HWND target = LOWORD(message.LParam) ? reinterpret_cast<HWND>(message.WParam)
                                           : GetNextDlgTabItem(Handle(), GetFocus(), message.WParam != 0);
      if (target != nullptr) SetFocus(target);
      return;
    }
    case WM_ACTIVATE:
      if (LOWORD(message.WParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(Handle(), focus)) FFocused = focus;
      }
      TForm::WndProc(message);  // an activation focuses the form, see WM_SETFOCUS
      return;
    case WM_SETFOCUS:
      // The form itself takes no keys: the focus goes on to the control that had it last.
      SetFocus(FFocused != nullptr && IsWindowVisible(FFocused) ? FFocused : PageTabs);
      return;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:  // a high-contrast scheme switched on or off, among others
      // Top-level windows alone hear of new colours; the common controls take them from here.
      for (HWND control : {PageTabs, EffectList}) SendMessageW(control, message.Msg, message.WParam, message.LParam);
      RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      TForm::WndProc(message);
      return;
    case WM_DPICHANGED:
      ApplyLayout(LOWORD(message.WParam), reinterpret_cast<const RECT*>(message.LParam));
      return;
    default:
      TForm::WndProc(message);
  }
}

// Button clicks. Escape's IDCANCEL names no control here, so it does nothing.
void TConfig::WMCommand(TMessage& message) {
  if (HIWORD(message.WParam) != BN_CLICKED) return;
  switch (LOWORD(message.WParam)) {
    case ButtonIdBase + 9:
      OkButtonClick();
      break;
    case ButtonIdBase + 10:
      CancelButtonClick();
      break;
    case ButtonIdBase + 1:
      OpenLink(TLinkHandler::DonateButtonClick);
      break;
    default:
      break;
  }
}
