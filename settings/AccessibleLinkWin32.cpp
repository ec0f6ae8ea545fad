// A link's accessible object: the system's standard object for the window's client area, which
// knows its place, parent, visibility and focus, wrapped so that it answers the link's name,
// role, state and default action itself.
#include "settings/AccessibleLinkWin32.h"

#include <oleacc.h>

#include <memory>
#include <utility>

#include "base/OwnersWin32.h"

namespace {

// oleacc.dll, from the system directory only, is loaded when a client first asks: a slideshow
// never loads it, and the program runs, unnamed, without it.
FARPROC AccessibilityEntry(const char* name) {
  static const TModuleHandle library(LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  return library ? GetProcAddress(library.Get(), name) : nullptr;
}

template <class TProc>
TProc AccessibilityFunction(const char* name) {
  // Through void(*)(), the one function type every other converts to without a warning.
  return reinterpret_cast<TProc>(reinterpret_cast<void (*)()>(AccessibilityEntry(name)));
}

struct TReleaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
using TStandardObject = std::unique_ptr<IAccessible, TReleaser>;

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

BSTR NewText(const std::wstring& text) { return SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }

class TAccessibleLink final : public IAccessible, public IOleWindow {
public:
  TAccessibleLink(HWND link, TStandardObject standard, std::wstring name, UINT activateMessage)
      : FLink(link), FStandard(std::move(standard)), FName(std::move(name)), FActivateMessage(activateMessage) {}

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
      *object = static_cast<IAccessible*>(this);
    else if (iid == __uuidof(IOleWindow))
      *object = static_cast<IOleWindow*>(this);
    else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FReferences)); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&FReferences);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IOleWindow
  STDMETHODIMP GetWindow(HWND* window) override {
    if (window == nullptr) return E_POINTER;
    *window = FLink;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IDispatch: the standard object's.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override { return FStandard->GetTypeInfoCount(count); }
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return FStandard->GetTypeInfo(index, locale, info);
  }
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
    return FStandard->GetIDsOfNames(iid, names, count, locale, ids);
  }
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* error, UINT* argument) override {
    return FStandard->Invoke(id, iid, locale, flags, params, result, error, argument);
  }

  // What makes it a link.
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return FStandard->get_accName(child, name);
    if (name == nullptr) return E_POINTER;
    *name = NewText(FName);
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) return FStandard->get_accRole(child, role);
    if (role == nullptr) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_LINK;
    return S_OK;
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT result = FStandard->get_accState(child, state);
    if (FAILED(result) || !IsSelf(child) || state->vt != VT_I4) return result;
    state->lVal |= STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == FLink) state->lVal |= STATE_SYSTEM_FOCUSED;
    return S_OK;
  }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!IsSelf(child)) return FStandard->get_accDefaultAction(child, action);
    if (action == nullptr) return E_POINTER;
    *action = NewText(L"Jump");
    return *action ? S_OK : E_OUTOFMEMORY;
  }
  // The client goes on at once; the link opens its page from the window's own messages.
  STDMETHODIMP accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child)) return FStandard->accDoDefaultAction(child);
    return IsWindow(FLink) && PostMessageW(FLink, FActivateMessage, 0, 0) ? S_OK : E_FAIL;
  }

  // The rest: the standard object's.
  STDMETHODIMP get_accParent(IDispatch** parent) override { return FStandard->get_accParent(parent); }
  STDMETHODIMP get_accChildCount(LONG* count) override { return FStandard->get_accChildCount(count); }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override {
    return FStandard->get_accChild(child, object);
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override { return FStandard->get_accValue(child, value); }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* text) override {
    return FStandard->get_accDescription(child, text);
  }
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* text) override { return FStandard->get_accHelp(child, text); }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return FStandard->get_accHelpTopic(file, child, topic);
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return FStandard->get_accKeyboardShortcut(child, keys);
  }
  STDMETHODIMP get_accFocus(VARIANT* child) override { return FStandard->get_accFocus(child); }
  STDMETHODIMP get_accSelection(VARIANT* children) override { return FStandard->get_accSelection(children); }
  STDMETHODIMP accSelect(LONG flags, VARIANT child) override { return FStandard->accSelect(flags, child); }
  STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
    return FStandard->accLocation(left, top, width, height, child);
  }
  STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return FStandard->accNavigate(direction, start, end);
  }
  STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* child) override { return FStandard->accHitTest(x, y, child); }
  STDMETHODIMP put_accName(VARIANT child, BSTR name) override { return FStandard->put_accName(child, name); }
  STDMETHODIMP put_accValue(VARIANT child, BSTR value) override { return FStandard->put_accValue(child, value); }

private:
  ~TAccessibleLink() = default;

  LONG FReferences = 1;
  HWND FLink;
  TStandardObject FStandard;
  std::wstring FName;
  UINT FActivateMessage;
};

}  // namespace

LRESULT AccessibleLinkResult(HWND link, WPARAM wParam, LONG objectId, const std::wstring& name,
                             UINT activateMessage) {
  using TCreateStandard = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
  using TResultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  static const auto createStandard = AccessibilityFunction<TCreateStandard>("CreateStdAccessibleObject");
  static const auto resultFromObject = AccessibilityFunction<TResultFromObject>("LresultFromObject");
  if (objectId != OBJID_CLIENT || createStandard == nullptr || resultFromObject == nullptr) return 0;
  void* created = nullptr;
  if (FAILED(createStandard(link, OBJID_CLIENT, __uuidof(IAccessible), &created)) || created == nullptr) return 0;
  TStandardObject standard(static_cast<IAccessible*>(created));
  auto* object = new TAccessibleLink(link, std::move(standard), name, activateMessage);
  const LRESULT result = resultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
  object->Release();  // the result holds its own reference
  return result < 0 ? 0 : result;
}
