// The settings dialog of Lumivale.scr as the user and the display settings meet it: how it opens
// (pages, owner, keys), what OK, Cancel and closing store, the error of a stored text, the
// layout at another DPI, and the web page behind every clickable control. How the stored values
// are read and written is proven natively (tests/unit/SettingsStore_test.cpp) and in the real
// registry (tests/win/SettingsStore_test.cpp); here, what the dialog makes of them.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <map>
#include <set>
#include <stdexcept>
#include <tuple>

#include "tests/e2e/Driver.h"
#include "tests/e2e/Saver.h"

namespace {

// The dialog numbers its controls by kind and component number.
constexpr int ImageId(int n) { return 100 + n; }
constexpr int StaticTextId(int n) { return 200 + n; }
constexpr int ButtonId(int n) { return 300 + n; }
constexpr int PageControlId = 401;
constexpr int ComboId = 501;
constexpr int OkId = ButtonId(9);
constexpr int CancelId = ButtonId(10);
enum TPage { Options = 0, Links = 1, About = 2, Tips = 3 };

RECT ScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// The dialog's top-level window once it is shown and its thread answers (its creation is over).
// The fixture makes sure that no dialog of an earlier test is left, whose process id Wine may
// give the new process.
std::optional<HWND> WaitForConfig(const TProcess& process, TMs timeout = StartTimeout) {
  std::optional<HWND> form;
  WaitUntil(
      [&] {
        for (HWND window : process.TopLevelWindows())
          if (IsWindowVisible(window) && ClassName(window) == L"TConfig") form = window;
        return form || !process.Running();
      },
      timeout);
  if (form && !SendMessageTimeoutW(*form, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr)) form.reset();
  return form;
}

// Returns once the window and its children have painted what was pending: the screen then shows it.
void Painted(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

HWND Control(HWND form, int id) {
  struct TSearch {
    int Id;
    HWND Found;
  } search{id, nullptr};
  EnumChildWindows(
      form,
      [](HWND child, LPARAM context) {
        auto* s = reinterpret_cast<TSearch*>(context);
        if (GetDlgCtrlID(child) != s->Id) return TRUE;
        s->Found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  if (search.Found == nullptr) throw std::runtime_error("no control " + std::to_string(id));
  return search.Found;
}

// A real click (the system's input queue), so that it reaches whatever window lies there.
void Click(HWND control) {
  RECT r = ScreenRect(control);
  ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

// The focused window of the dialog's thread.
HWND FocusOf(HWND form) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &info);
  return info.hwndFocus;
}

int ShownPage(HWND form) { return static_cast<int>(SendMessageW(Control(form, PageControlId), TCM_GETCURSEL, 0, 0)); }
int SelectedEffect(HWND form) { return static_cast<int>(SendMessageW(Control(form, ComboId), CB_GETCURSEL, 0, 0)); }

// Clicks the page's tab. The tab's place is asked of the tab control inside the dialog's process.
void SelectPage(const TProcess& process, HWND form, TPage page) {
  HWND tabs = Control(form, PageControlId);
  TKernelHandle target(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process.Id()));
  ASSERT_TRUE(target);
  void* remote = VirtualAllocEx(target.Get(), nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  ASSERT_NE(remote, nullptr);
  RECT item{};
  SendMessageW(tabs, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(remote));
  ReadProcessMemory(target.Get(), remote, &item, sizeof item, nullptr);
  VirtualFreeEx(target.Get(), remote, 0, MEM_RELEASE);
  MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&item), 2);
  ClickAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  ASSERT_TRUE(WaitUntil([&] { return ShownPage(form) == page; }, ReactTimeout)) << "page " << page;
  Painted(form);
}

// Clicks the button; the dialog ends with 0 and no box.
void ClickToEnd(TProcess& process, HWND form, int buttonId) {
  Click(Control(form, buttonId));
  ExpectEndsWith0AndNoBox(process, EndTimeout, "the dialog");
}

class ConfigDialog : public testing::Test {
protected:
  // Wine may still be taking down the windows of the last test's process when the next one
  // starts (and may give it the same process id): each test starts on a screen without a dialog.
  void SetUp() override {
    DeleteRegKey(SettingsKey);
    ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"TConfig", nullptr) == nullptr; }, ReactTimeout));
  }
  void TearDown() override { DeleteRegKey(SettingsKey); }
};

// --- opening, choosing, closing ------------------------------------------------------------------

// One run of the dialog: how it is started, what the settings key held, what the user chooses,
// how the dialog is closed and what the key holds then. Whatever is stored, it opens on Tips.
struct TRunCase {
  const char* Name;
  const char* Arguments;  // "{frame}" stands for the host window's handle
  enum { Foreground, None, Host, NoWindow } Owner;  // what the command line makes the dialog's owner
  std::optional<DWORD> EffectBefore, PageBefore;
  int ShownEffect;            // the list's selection on opening (-1: none)
  std::optional<TPage> Page;  // switched to before closing
  std::optional<int> Choose;  // the entry chosen before closing
  int Close;                  // OkId or CancelId
  std::optional<DWORD> EffectAfter, PageAfter;
};

void PrintTo(const TRunCase& c, std::ostream* out) { *out << c.Name << " \"" << c.Arguments << '"'; }

class ConfigDialogRun : public ConfigDialog, public testing::WithParamInterface<TRunCase> {};

TEST_P(ConfigDialogRun, OpensCentredOnTipsAndStoresOnlyWhatOkSaves) {
  const TRunCase& c = GetParam();
  if (c.Owner == TRunCase::NoWindow) {
    ASSERT_FALSE(IsWindow(reinterpret_cast<HWND>(static_cast<intptr_t>(12345))));
  }
  if (c.EffectBefore) WriteRegDword(SettingsKey, "Effect", *c.EffectBefore);
  if (c.PageBefore) WriteRegDword(SettingsKey, "ActiveTabSheet", *c.PageBefore);
  THostWindow host;
  std::string arguments = c.Arguments;
  if (size_t at = arguments.find("{frame}"); at != std::string::npos) arguments.replace(at, 7, HandleText(host.Frame()));
  // "/c" alone takes the foreground window as the host's.
  HWND expectedOwner = c.Owner == TRunCase::Host ? host.Frame() : c.Owner == TRunCase::Foreground ? GetForegroundWindow() : nullptr;
  TProcess scr = TProcess::Launch(SaverPath(), arguments);
  std::optional<HWND> form = WaitForConfig(scr);
  ASSERT_TRUE(form) << "no dialog";

  EXPECT_EQ(WindowText(*form), "Tarnwell - Lumivale");
  EXPECT_EQ(ShownPage(*form), Tips);
  EXPECT_EQ(SelectedEffect(*form), c.ShownEffect);
  RECT client{};
  GetClientRect(*form, &client);
  EXPECT_EQ(std::tuple(client.right, client.bottom), std::tuple(513, 401));
  const LONG style = GetWindowLongW(*form, GWL_STYLE);
  EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0) << std::hex << style;
  EXPECT_NE(style & WS_CAPTION, 0);
  const RECT screen = ScreenArea();
  const RECT frame = ScreenRect(*form);
  EXPECT_NEAR(frame.left + frame.right, screen.left + screen.right, 1);
  EXPECT_NEAR(frame.top + frame.bottom, screen.top + screen.bottom, 1);

  if (expectedOwner != nullptr) {
    EXPECT_EQ(GetWindow(*form, GW_OWNER), expectedOwner);
    EXPECT_FALSE(IsWindowEnabled(expectedOwner));
  } else {
    EXPECT_NE(GetWindow(*form, GW_OWNER), host.Frame());
    // Without a host: owned by the program's own hidden window, with a taskbar button of its own.
    if (c.Owner == TRunCase::None) {
      EXPECT_NE(GetWindowLongW(*form, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    }
  }
  EXPECT_TRUE(IsWindowEnabled(host.Frame()) || expectedOwner == host.Frame());
  EXPECT_TRUE(scr.Dialogs().empty());

  if (c.Page) SelectPage(scr, *form, *c.Page);
  if (c.Choose) SendMessageW(Control(*form, ComboId), CB_SETCURSEL, static_cast<WPARAM>(*c.Choose), 0);
  ClickToEnd(scr, *form, c.Close);
  EXPECT_TRUE(IsWindowEnabled(host.Frame()));
  if (expectedOwner != nullptr) {
    EXPECT_TRUE(IsWindowEnabled(expectedOwner));
  }
  if (c.Owner == TRunCase::Host) {
    EXPECT_EQ(GetForegroundWindow(), host.Frame()) << "the host is not in front again";
  }
  EXPECT_EQ(ReadRegDword(SettingsKey, "Effect"), c.EffectAfter);
  EXPECT_EQ(ReadRegDword(SettingsKey, "ActiveTabSheet"), c.PageAfter);
  EXPECT_TRUE(KeyExists(SettingsKey));  // opening alone leaves the key
}

// OK stores the list's selection (-1 for none) and the page shown, but nothing for Tips; a
// stored index outside the list shows no entry. A handle that names no window cannot own the
// dialog: it opens unowned rather than never.
INSTANTIATE_TEST_SUITE_P(
    , ConfigDialogRun,
    testing::Values(
        TRunCase{"ChooseOnOptionsOk", "/c", TRunCase::Foreground, {}, {}, 23, Options, 24, OkId, 24u, 1u},
        TRunCase{"OkOnLinks", "", TRunCase::None, 5u, {}, 5, Links, {}, OkId, 5u, 2u},
        TRunCase{"HostOkOnAbout", "/c:{frame}", TRunCase::Host, {}, 1u, 23, About, 0, OkId, 0u, 3u},
        TRunCase{"HostCancelStoresNothing", "/c {frame}", TRunCase::Host, 0xFFFFFFFFu, 7u, -1, Options, 10, CancelId,
                 0xFFFFFFFFu, 7u},
        TRunCase{"NoWindowOkOnTipsStoresOnlyTheEffect", "/c:12345", TRunCase::NoWindow, 99u, 2u, -1, {}, {}, OkId,
                 0xFFFFFFFFu, 2u}),
    [](const auto& info) { return std::string(info.param.Name); });

// The four pages, as the lead and the user see them. The user chooses an effect on the way and
// closes the dialog by its close request, which stores nothing.
TEST_F(ConfigDialog, ShowsItsFourPagesAndClosingStoresNothing) {
  TProcess scr = TProcess::Launch(SaverPath(), "/c");
  std::optional<HWND> form = WaitForConfig(scr);
  ASSERT_TRUE(form);
  Painted(*form);
  SaveShot("config-4-tips", ScreenRect(*form));
  const std::pair<TPage, const char*> pages[] = {{Options, "config-1-options"}, {Links, "config-2-links"},
                                                 {About, "config-3-about"}, {Tips, "config-4-tips"}};
  for (const auto& [page, name] : pages) {
    SelectPage(scr, *form, page);
    SaveShot(name, ScreenRect(*form));
    // Only the chosen page's own controls are shown.
    EXPECT_EQ(IsWindowVisible(Control(*form, ComboId)), page == Options);
    EXPECT_EQ(IsWindowVisible(Control(*form, ButtonId(1))), page == About);
    EXPECT_EQ(IsWindowVisible(Control(*form, ImageId(9))), page == Links);
    EXPECT_EQ(IsWindowVisible(Control(*form, ImageId(13))), page == Tips);
    if (page == Options) {
      // The open list shows 20 of the 25 entries and scrolls for the rest.
      HWND combo = Control(*form, ComboId);
      EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 25);
      SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
      std::vector<HWND> lists = ProcessWindowsOfClass(scr, L"ComboLBox");
      ASSERT_EQ(lists.size(), 1u);
      ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(lists[0]) != FALSE; }, ReactTimeout));
      RECT list{};
      GetClientRect(lists[0], &list);
      const auto itemHeight = static_cast<int>(SendMessageW(lists[0], LB_GETITEMHEIGHT, 0, 0));
      ASSERT_GT(itemHeight, 0);
      EXPECT_EQ(list.bottom / itemHeight, 20);
      Painted(lists[0]);
      SaveShot("config-1-options-list", ScreenRect(*form));
      SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
      EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(lists[0]); }, ReactTimeout));
      SendMessageW(combo, CB_SETCURSEL, 3, 0);
    }
  }
  PostMessageW(*form, WM_CLOSE, 0, 0);
  ExpectEndsWith0AndNoBox(scr, EndTimeout, "the dialog");
  EXPECT_FALSE(ReadRegValue(SettingsKey, "Effect"));
  EXPECT_FALSE(ReadRegValue(SettingsKey, "ActiveTabSheet"));
  EXPECT_TRUE(KeyExists(SettingsKey));
}

// A text under Effect: the default error report during creation, then the dialog as its
// creation left it.
TEST_F(ConfigDialog, AStoredTextIsReportedAndTheDialogOpensUnfinished) {
  WriteRegString(SettingsKey, "Effect", "7");
  TProcess scr = TProcess::Launch(SaverPath(), "/c");
  std::optional<HWND> box = WaitForDialog(scr, StartTimeout);
  ASSERT_TRUE(box) << "no error box";
  TMessageBox read = ReadMessageBox(*box);
  SaveShot("config-error", read.Area);
  EXPECT_EQ(read.Caption, "Lumivale");
  EXPECT_EQ(read.Text, "Ung\xC3\xBCltiger Datentyp f\xC3\xBCr 'Effect'");  // "'" sorts before ".": no stop
  EXPECT_STREQ(ToString(read.Icon), ToString(TBoxIcon::Stop));
  EXPECT_EQ(read.Buttons, std::vector<std::string>{"OK"});
  PressButton(*box, IDOK);

  std::optional<HWND> form = WaitForConfig(scr);
  ASSERT_TRUE(form);
  EXPECT_EQ(WindowText(*form), "Vorlage");
  EXPECT_EQ(ShownPage(*form), Tips);
  EXPECT_EQ(SelectedEffect(*form), -1);
  ClickToEnd(scr, *form, CancelId);
  EXPECT_EQ(ReadRegString(SettingsKey, "Effect"), std::optional<std::string>("7"));
}

// --- keys --------------------------------------------------------------------------------------------

// Enter presses the default button, OK: with no effect stored, the one shown (Fade) is stored,
// and no page for Tips.
TEST_F(ConfigDialog, EnterPressesOk) {
  TProcess scr = TProcess::Launch(SaverPath(), "/c");
  std::optional<HWND> form = WaitForConfig(scr);
  ASSERT_TRUE(form);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(*form) == Control(*form, PageControlId); }, ReactTimeout));
  PressKey(VK_RETURN);
  ExpectEndsWith0AndNoBox(scr, EndTimeout, "the dialog");
  EXPECT_EQ(ReadRegDword(SettingsKey, "Effect"), std::optional<DWORD>(23));
  EXPECT_FALSE(ReadRegValue(SettingsKey, "ActiveTabSheet"));
}

// Escape does nothing, Tab moves the focus on, Enter presses the focused button. Keys are handled
// in order: once Tab has moved the focus, Escape has had its turn.
TEST_F(ConfigDialog, EscapeDoesNothingTabMovesTheFocusAndEnterPressesTheFocusedButton) {
  TProcess scr = TProcess::Launch(SaverPath(), "/c");
  std::optional<HWND> form = WaitForConfig(scr);
  ASSERT_TRUE(form);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(*form) == Control(*form, PageControlId); }, ReactTimeout));
  PressKey(VK_ESCAPE);
  for (int id : {ImageId(13), ImageId(12), ImageId(11), OkId, CancelId}) {  // the three tips, OK, Cancel
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(*form) == Control(*form, id); }, ReactTimeout)) << id;
  }
  EXPECT_TRUE(scr.Running());
  EXPECT_TRUE(IsWindowVisible(*form));
  PressKey(VK_RETURN);
  ExpectEndsWith0AndNoBox(scr, EndTimeout, "the dialog");
  EXPECT_FALSE(ReadRegValue(SettingsKey, "Effect"));  // Cancel stored nothing
}

// --- another DPI -------------------------------------------------------------------------------------

// Wine takes the DPI from the user's settings when a program starts.
TEST_F(ConfigDialog, ScalesEverythingAt144Dpi) {
  if (!RunningUnderWine()) GTEST_SKIP() << "sets the DPI the way Wine reads it";
  const std::string desktop = "Control Panel\\Desktop";
  TSavedRegValue keep(desktop, "LogPixels");
  WriteRegDword(desktop, "LogPixels", 144);
  TProcess scr = TProcess::Launch(SaverPath(), "/c");
  std::optional<HWND> form = WaitForConfig(scr);
  ASSERT_TRUE(form);
  RECT client{};
  GetClientRect(*form, &client);
  EXPECT_EQ(std::tuple(client.right, client.bottom), std::tuple(770, 602));  // 513 and 401 x 1.5, rounded
  RECT ok = ScreenRect(Control(*form, OkId));
  MapWindowPoints(nullptr, *form, reinterpret_cast<POINT*>(&ok), 2);
  EXPECT_EQ(std::tuple(ok.left, ok.top, ok.right, ok.bottom), std::tuple(498, 552, 623, 590));
  Painted(*form);
  SaveShot("config-144dpi-4-tips", ScreenRect(*form));
  SelectPage(scr, *form, About);
  SaveShot("config-144dpi-3-about", ScreenRect(*form));
  SelectPage(scr, *form, Options);
  SaveShot("config-144dpi-1-options", ScreenRect(*form));
  RECT preview = ScreenRect(Control(*form, ImageId(1)));
  // 445 x 1.5, rounded at both edges
  EXPECT_EQ(std::tuple(preview.right - preview.left, preview.bottom - preview.top), std::tuple(668, 362));
  ClickToEnd(scr, *form, CancelId);
}

// --- links -------------------------------------------------------------------------------------------

// Wine opens web addresses with the first program of HKCU\Software\Wine\WineBrowser "Browsers";
// here that is a shell that appends the address to a log file.
class ConfigDialogLinks : public ConfigDialog {
protected:
  void SetUp() override {
    ConfigDialog::SetUp();
    if (!RunningUnderWine()) GTEST_SKIP() << "reads the addresses through Wine's browser launcher";
    FLog = TempDirectory() + "lumivale-links-" + std::to_string(GetCurrentProcessId()) + ".log";
    DeleteFileW(Utf8ToWide(FLog).c_str());
    using TUnixName = char*(CDECL*)(const wchar_t*);
    auto unixName = reinterpret_cast<TUnixName>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    ASSERT_NE(unixName, nullptr);
    char* unixLog = unixName(Utf8ToWide(FLog).c_str());
    ASSERT_NE(unixLog, nullptr);
    std::string command = "/bin/sh -c \"echo \\\"$0\\\" >>'" + std::string(unixLog) + "'\"";
    HeapFree(GetProcessHeap(), 0, unixLog);
    FBrowsers = std::make_unique<TSavedRegValue>(WineBrowserKey, "Browsers");
    WriteRegString(WineBrowserKey, "Browsers", command);
  }
  void TearDown() override {
    FBrowsers.reset();
    if (!FLog.empty()) DeleteFileW(Utf8ToWide(FLog).c_str());
    ConfigDialog::TearDown();
  }
  std::vector<std::string> Logged() const {
    std::vector<std::string> lines;
    std::ifstream in(FLog);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  const std::string WineBrowserKey = "Software\\Wine\\WineBrowser";
  std::string FLog;
  std::unique_ptr<TSavedRegValue> FBrowsers;
};

TEST_F(ConfigDialogLinks, EveryClickableControlOpensItsPageAndTheDialogStaysOpen) {
  struct TLink {
    const char* Name;
    TPage Page;
    int Id;
  };
  const TLink links[] = {
      {"PreviewImage", Options, ImageId(1)},        {"Image3", Links, ImageId(3)},  {"Image4", Links, ImageId(4)},
      {"Image5", Links, ImageId(5)},          {"Image6", Links, ImageId(6)},  {"Image7", Links, ImageId(7)},
      {"Image8", Links, ImageId(8)},          {"Image9", Links, ImageId(9)},  {"PhotosCredit", About, StaticTextId(1)},
      {"CodingCredit", About, StaticTextId(5)}, {"LogoImage", About, ImageId(10)}, {"DonateButton", About, ButtonId(1)},
      {"Image13", Tips, ImageId(13)},         {"Image12", Tips, ImageId(12)}, {"Image11", Tips, ImageId(11)},
  };
  TProcess scr = TProcess::Launch(SaverPath(), "/c");
  std::optional<HWND> form = WaitForConfig(scr);
  ASSERT_TRUE(form);
  std::map<std::string, std::string> opened;
  for (const TLink& link : links) {
    if (ShownPage(*form) != link.Page) SelectPage(scr, *form, link.Page);
    const size_t before = Logged().size();
    Click(Control(*form, link.Id));
    ASSERT_TRUE(WaitUntil([&] { return Logged().size() > before; }, StartTimeout)) << link.Name << " opened nothing";
    std::vector<std::string> lines = Logged();
    ASSERT_EQ(lines.size(), before + 1) << link.Name;
    opened[link.Name] = lines.back();
    EXPECT_TRUE(IsWindowVisible(*form)) << link.Name;
    EXPECT_EQ(ShownPage(*form), link.Page) << link.Name;
  }
  EXPECT_TRUE(scr.Running());

  // CodingCredit, Image4 and the logo open the maker's home page, the base of every address;
  // Image5 and Image9 share a page; the other ten pages all differ.
  const std::string home = opened["CodingCredit"];
  EXPECT_EQ(opened["Image4"], home);
  EXPECT_EQ(opened["LogoImage"], home);
  EXPECT_EQ(opened["Image9"], opened["Image5"]);
  std::set<std::string> distinct;
  for (const auto& [name, address] : opened) {
    EXPECT_EQ(address.compare(0, home.size(), home), 0) << name << ": " << address;
    EXPECT_EQ(address.compare(0, 8, "https://"), 0) << name << ": " << address;
    distinct.insert(address);
  }
  EXPECT_EQ(distinct.size(), 12u);

  // The keyboard alone: Tab from the tabs reaches the first tip (in the shot), Enter opens its page.
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(*form) == Control(*form, ImageId(13)); }, ReactTimeout));
  Painted(*form);
  SaveShot("config-4-tips-focus", ScreenRect(*form));
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return Logged().size() > std::size(links); }, StartTimeout)) << "Enter opened nothing";
  EXPECT_EQ(Logged().back(), opened["Image13"]);
  ClickToEnd(scr, *form, CancelId);
  EXPECT_EQ(Logged().size(), std::size(links) + 1) << "a click or Enter opened more than one page";
}

}  // namespace
