// The tabbed settings dialog TConfig: its components and handlers, shared by the files that make
// it (creation), lay it out at the monitor's DPI and paint it (layout), and answer its messages,
// settings and links (events).
#pragma once

#include <windows.h>

#include <array>

#include "base/AbnormalEndWin32.h"
#include "base/Errors.h"
#include "base/FormWin32.h"
#include "base/HostWindowWin32.h"
#include "imaging/JpegDecoder.h"
#include "imaging/PicturePipeline.h"
#include "pictures/PictureSet.h"
#include "settings/ConfigControlsWin32.h"
#include "settings/ConfigLayout.h"
#include "settings/ConfigLinks.h"
#include "settings/SettingsStore.h"

namespace Design = ConfigLayout;

// A picture stored with the form; empty when it is missing (it never is in a built program).
inline TResourceStream FormPicture(int32_t identifier) {
  try {
    return OpenPictureResource(identifier);
  } catch (const EResNotFound&) {
    return {};
  }
}

inline TFrame DecodedPicture(const TResourceStream& stream, const TRect& size) {
  if (stream.Data == nullptr) return {};
  return PreparePicture(stream.Data, stream.Size, size.Width, size.Height);
}

class TConfig : public TForm {
public:
  // The dialog for the request's host window (none when its Window is 0).
  explicit TConfig(const TRunRequest& run);

protected:
  void CreateParams(TCreateParams& params) override;
  void FormCreate() override;
  void FormClose() override;
  void WndProc(TMessage& message) override;

private:
  static constexpr DWORD FormStyle = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  static constexpr DWORD FormExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;

  int Scale(int32_t designPixels) const { return ScaleToDpi(designPixels, FDpi); }
  TRect Scale(const TRect& design) const { return ScaleToDpi(design, FDpi); }

  void CreateComponents();
  HWND CreateStandardControl(const wchar_t* className, const wchar_t* text, DWORD style, int id, HWND parent,
                             DWORD exStyle = 0);
  void ApplyLayout(int dpi, const RECT* suggestedWindow);
  void LayoutPreview();
  void PaintAbout(HDC dc);

  void LoadSettings();
  void SaveSettings();
  std::array<TSheet*, 4> Sheets() { return {&t1, &t2, &t3, &t4}; }
  void ShowPage(TConfigPage page);
  TConfigPage ShownPage() const;

  void Button9Click();
  void Button10Click();
  void OpenLink(TLinkHandler handler);

  void WMCommand(TMessage& message);
  void WatchOwner();

  // Components, in the order of their parents.
  HWND PageControl1 = nullptr;
  TSheet t1, t2, t3, t4;
  HWND GroupBox4 = nullptr;
  HWND comboEffekt = nullptr;
  HWND GroupBox10 = nullptr;
  TImage Image1;
  TImage Image2;
  std::array<TImage, LinksPageAreas.size()> FLinksAreas;  // Image3 to Image9
  TLinkLabel StaticText1;
  TLinkLabel StaticText5;
  TImage Image10;
  HWND Button1 = nullptr;
  TImage Image14;
  std::array<TImage, TipsPageAreas.size()> FTipsAreas;  // Image13, Image12, Image11
  HWND Button9 = nullptr;
  HWND Button10 = nullptr;

  int FDpi = DesignDpi;
  TFont FFont;
  TFont FLinkFont;
  TResourceStream FPreview;  // picture 105, once FormCreate has found it
  TResourceStream FLinksBanner;
  TResourceStream FTipsBanner;
  TFrame FLogo;
  HWND FFocused = nullptr;  // the control that had the focus when the form was last active
  // The host's window, when it owns the dialog: once it is gone (the display settings closed or
  // ended), the dialog ends as if cancelled. Another process's window sends no word when it goes,
  // so it is looked at four times a second.
  const TRunRequest FRun;
  HWND FOwner = nullptr;
  TDisabledWindow FHost;  // the host's window, disabled while the dialog runs
  TMessageTimer FOwnerWatch;
};
