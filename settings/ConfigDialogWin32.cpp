// The configuration mode: the tabbed settings dialog TConfig. Its page "Options" chooses the
// slideshow's transition effect; the other pages show pictures and texts that open the maker's
// web pages. OK stores the choice, Cancel leaves the settings as they were. This file makes the
// dialog and its components.
#include "settings/ConfigDialog.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <string_view>

#include "base/ApplicationWin32.h"
#include "base/TextWin32.h"
#include "settings/ConfigFormWin32.h"
#include "settings/ConfigResources.h"
#include "settings/EffectList.h"

// --- creation ------------------------------------------------------------------------------------

void TConfig::CreateParams(TCreateParams& params) {
  params.Caption = L"Vorlage";
  params.Style = FormStyle;
  params.ExStyle = FormExStyle;
  // A first size for the system DPI; once the window knows its monitor, the layout sets the
  // exact size and centres it.
  const int dpi = SystemDpi();
  const RECT frame = WindowRectForClient(FormStyle, FormExStyle, ScaleToDpi(Design::ClientWidth, dpi),
                                         ScaleToDpi(Design::ClientHeight, dpi), dpi);
  params.Width = frame.right - frame.left;
  params.Height = frame.bottom - frame.top;
  params.X = (GetSystemMetrics(SM_CXSCREEN) - params.Width) / 2;
  params.Y = (GetSystemMetrics(SM_CYSCREEN) - params.Height) / 2;
  // Without a host the dialog is the program's only window and has its own taskbar button.
  if (ParentWindow == 0) {
    params.ExStyle |= WS_EX_APPWINDOW;
    return;
  }
  // A handle that names no window could not own the dialog; its window would never be made.
  if (IsWindow(HostWindow())) params.WndParent = FOwner = HostWindow();
  EnableWindow(HostWindow(), FALSE);
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

  PageControl1 = CreateStandardControl(WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE,
                                       PageControl1Id, form);
  const wchar_t* captions[] = {L"Options", L"Links", L"About", L"Tips"};
  for (int i = 0; i < 4; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(captions[i]);
    SendMessageW(PageControl1, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    Sheets()[static_cast<size_t>(i)]->Create(form, SheetIdBase + 1 + i, WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                             WS_EX_CONTROLPARENT);
  }

  // Options.
  // A group box draws only its frame and caption; being transparent, it leaves the page's own
  // painting (which clips its other children) to fill its inside.
  GroupBox4 = CreateStandardControl(L"Button", L" Transition  ", BS_GROUPBOX, GroupBoxIdBase + 4, t1.Handle(),
                                    WS_EX_TRANSPARENT);
  comboEffekt = CreateStandardControl(L"ComboBox", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, ComboEffektId,
                                      t1.Handle());
  for (std::string_view name : EffectNames)
    SendMessageW(comboEffekt, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(std::string(name)).c_str()));
  SendMessageW(comboEffekt, CB_SETMINVISIBLE, Design::ComboVisibleItems, 0);
  GroupBox10 = CreateStandardControl(L"Button", L" Info  ", BS_GROUPBOX, GroupBoxIdBase + 10, t1.Handle(),
                                     WS_EX_TRANSPARENT);
  Image1.Create(t1.Handle(), ImageIdBase + 1, WS_VISIBLE);
  Image1.OnClick = [this] { OpenLink(TLinkHandler::Image1Click); };

  // Links and Tips: the banners with their click areas over them.
  Image2.Create(t2.Handle(), ImageIdBase + 2, WS_VISIBLE);
  Image14.Create(t4.Handle(), ImageIdBase + 14, WS_VISIBLE);
  auto makeAreas = [this](auto& areas, const auto& table, TSheet& sheet, const TImage& banner) {
    for (size_t i = 0; i < table.size(); ++i) {
      areas[i].Create(sheet.Handle(), ImageIdBase + table[i].ImageNumber, WS_VISIBLE);
      areas[i].Under = &banner;
      areas[i].OnClick = [this, handler = table[i].Handler] { OpenLink(handler); };
    }
  };
  makeAreas(FLinksAreas, LinksPageAreas, t2, Image2);
  makeAreas(FTipsAreas, TipsPageAreas, t4, Image14);

  // About: the text and the shape behind it are drawn by the page itself.
  t3.OnPaint = [this](HDC dc) { PaintAbout(dc); };
  StaticText1.Create(t3.Handle(), StaticTextIdBase + 1, WS_VISIBLE);
  StaticText1.OnClick = [this] { OpenLink(TLinkHandler::StaticText1Click); };
  StaticText5.Create(t3.Handle(), StaticTextIdBase + 5, WS_VISIBLE);
  StaticText5.OnClick = [this] { OpenLink(TLinkHandler::StaticText5Click); };
  for (TLinkLabel* label : {&StaticText1, &StaticText5}) label->Caption = Utf8ToWide(std::string(MakerName));
  Image10.Create(t3.Handle(), ImageIdBase + 10, WS_VISIBLE);
  Image10.OnClick = [this] { OpenLink(TLinkHandler::StaticText5Click); };
  Button1 = CreateStandardControl(L"Button", L"Donate...", WS_TABSTOP | BS_PUSHBUTTON, ButtonIdBase + 1,
                                  t3.Handle());

  Button9 = CreateStandardControl(L"Button", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, ButtonIdBase + 9, form);
  Button10 = CreateStandardControl(L"Button", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, ButtonIdBase + 10,
                                   form);

  // Z-order: what lies behind goes to the bottom (the tab control behind its pages, the group
  // boxes behind their contents, the banners behind their click areas). The Tab key follows it:
  // the shown page's controls, OK, Cancel, the tabs.
  for (HWND behind : {PageControl1, GroupBox4, GroupBox10, Image2.Handle(), Image14.Handle()})
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

void RunConfigDialog() {
  Application.Initialize();
  TConfig config;
  config.Create();
  if (config.Handle() != nullptr) Application.Run();
}
