// The tabbed settings dialog TConfig: its standard and painted components (ConfigControlsWin32.h),
// laid out at the monitor's DPI from the design (ConfigLayout.h), and its handlers of messages,
// settings and links (ConfigLinks.h names where each link leads).
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
  std::array<TSheet*, 4> Sheets() { return {&OptionsSheet, &LinksSheet, &AboutSheet, &TipsSheet}; }
  void ShowPage(TConfigPage page);
  TConfigPage ShownPage() const;

  void OkButtonClick();
  void CancelButtonClick();
  void OpenLink(TLinkHandler handler);

  void WMCommand(TMessage& message);
  void WatchOwner();

  // Components, in the order of their parents.
  HWND PageTabs = nullptr;
  TSheet OptionsSheet, LinksSheet, AboutSheet, TipsSheet;
  HWND TransitionGroup = nullptr;
  HWND EffectList = nullptr;
  HWND InfoGroup = nullptr;
  TImage PreviewImage;
  TImage LinksBannerImage;
  std::array<TImage, LinksPageAreas.size()> FLinksAreas;  // Image3 to Image9
  TLinkLabel PhotosCredit;
  TLinkLabel CodingCredit;
  TImage LogoImage;
  HWND DonateButton = nullptr;
  TImage TipsBannerImage;
  std::array<TImage, TipsPageAreas.size()> FTipsAreas;  // Image13, Image12, Image11
  HWND OkButton = nullptr;
  HWND CancelButton = nullptr;

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
