// The settings dialog without a mouse, in the test's own process: Tab reaches every link in reading
// order, a screen reader finds each named with its role, and keys or its default action open it.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <set>
#include <string>
#include <vector>

#include "settings/ConfigWin32.h"

namespace {

// What a screen reader learns of a window's client area; its default action done when asked.
struct TAccessibleInfo {
  std::wstring Name;
  LONG Role = -1;
  HRESULT Action = E_FAIL;
};
TAccessibleInfo Describe(HWND window, bool doDefaultAction = false) {
  TAccessibleInfo info;
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_PPV_ARGS(&object)))) return info;
  VARIANT self{}, value{};
  self.vt = VT_I4;  // CHILDID_SELF
  BSTR name = nullptr;
  if (object->get_accName(self, &name) == S_OK) info.Name.assign(name, SysStringLen(name));
  SysFreeString(name);
  if (object->get_accRole(self, &value) == S_OK) info.Role = value.lVal;
  if (doDefaultAction) info.Action = object->accDoDefaultAction(self);
  object->Release();
  return info;
}

class DialogKeyboard : public testing::Test {
protected:
  void SetUp() override {
    Application.Initialize();
    Config.Create();
    Config.Show();
  }
  HWND Control(int page, int id) const { return GetDlgItem(GetDlgItem(Config.Handle(), SheetIdBase + 1 + page), id); }
  TConfig Config{TRunRequest{}};
};

TEST_F(DialogKeyboard, TabReachesEveryLinkInReadingOrderAndEachIsNamedAsALinkOrButton) {
  const int image = ImageIdBase, label = StaticTextIdBase, donate = ButtonIdBase + 1;
  const std::vector<int> pages[] = {{EffectListId, image + 1},
                                    {image + 3, image + 4, image + 5, image + 6, image + 7, image + 8, image + 9},
                                    {label + 1, label + 5, image + 10, donate},
                                    {image + 13, image + 12, image + 11}};
  HWND form = Config.Handle(), tabs = GetDlgItem(form, PageTabsId);
  std::set<std::wstring> names;
  for (int page = 0; page < 4; ++page) {
    SendMessageW(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);  // as the arrow keys on the tabs
    std::vector<int> reached;  // up to OK, which Cancel and the tabs follow
    for (HWND at = GetNextDlgTabItem(form, tabs, FALSE); at != tabs && GetDlgCtrlID(at) != ButtonIdBase + 9;
         at = GetNextDlgTabItem(form, at, FALSE))
      reached.push_back(GetDlgCtrlID(at));
    EXPECT_EQ(reached, pages[page]) << "page " << page;
    for (int id : pages[page]) {
      if (id == EffectListId) continue;
      const TAccessibleInfo link = Describe(Control(page, id));
      EXPECT_TRUE(!link.Name.empty() && names.insert(link.Name).second) << id << " named alike or not at all";
      // Windows' standard object knows Donate as a push button, Wine's as a plain window.
      const bool button = link.Role == ROLE_SYSTEM_PUSHBUTTON || link.Role == ROLE_SYSTEM_CLIENT;
      EXPECT_TRUE(id == donate ? button : link.Role == ROLE_SYSTEM_LINK) << id << " role " << link.Role;
    }
  }
}

// Keys go through the dialog's own message filter, which gives Enter to OK unless the link takes it:
// Enter held down opens once, Space once it is let go; Space still down and another key do not.
TEST_F(DialogKeyboard, EnterSpaceAndTheDefaultActionOpenTheFocusedLinkOnceAsAClick) {
  HWND link = Control(3, ImageIdBase + 13);  // the first tip, on the page the dialog opens on
  int opened = 0;
  dynamic_cast<TPaintedControl&>(*TWindowObject::FromHandle(link)).OnClick = [&] { ++opened; };
  SetFocus(link);
  const LPARAM down = 1, held = down | 1 << 30, up = held | 1u << 31;
  for (auto [message, key, flags] : {std::tuple{WM_KEYDOWN, VK_RETURN, down}, {WM_KEYDOWN, VK_RETURN, held},
                                     {WM_KEYDOWN, VK_SPACE, down}, {WM_KEYUP, VK_SPACE, up},
                                     {WM_KEYDOWN, VK_SPACE, down}, {WM_KEYDOWN, 'A', down}, {WM_KEYUP, 'A', up}})
    PostMessageW(link, message, static_cast<WPARAM>(key), flags);
  Application.ProcessMessages();
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(Describe(link, true).Action, S_OK);
  Application.ProcessMessages();
  EXPECT_EQ(opened, 3);
}

}  // namespace
