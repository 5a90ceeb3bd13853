#include "controls/accessible.h"
#include "platform/system_function.h"
#include <oleacc.h>

namespace {

// Looked up at the first request: the program itself imports system DLLs
// only, and none of these until a screen reader asks.
struct Libraries {
    LRESULT(WINAPI* lresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
    HRESULT(WINAPI* createStandard)(HWND, LONG, REFIID, void**) = nullptr;
    BSTR(WINAPI* allocString)(const OLECHAR*) = nullptr;
    void(WINAPI* uninitialize)() = nullptr;
    bool ready = false;
};

bool started = false; // whether a request has loaded them

Libraries& Loaded() {
    started = true;
    static Libraries libraries = [] {
        Libraries l;
        using InitializeFn = HRESULT(WINAPI*)(LPVOID);
        const auto initialize = SystemFunction<InitializeFn>("ole32.dll", "CoInitialize");
        l.uninitialize = SystemFunction<decltype(l.uninitialize)>("ole32.dll", "CoUninitialize");
        l.lresultFromObject =
            SystemFunction<decltype(l.lresultFromObject)>("oleacc.dll", "LresultFromObject");
        l.createStandard =
            SystemFunction<decltype(l.createStandard)>("oleacc.dll", "CreateStdAccessibleObject");
        l.allocString = SystemFunction<decltype(l.allocString)>("oleaut32.dll", "SysAllocString");
        // A second start on this thread answers S_FALSE, which is success too.
        l.ready = initialize && SUCCEEDED(initialize(nullptr)) && l.lresultFromObject &&
                  l.createStandard && l.allocString;
        if (!l.ready) l.uninitialize = nullptr;
        return l;
    }();
    return libraries;
}

HRESULT Text(const char* ascii, BSTR* out) {
    *out = nullptr;
    if (!ascii) return S_FALSE;
    wchar_t wide[256];
    int i = 0;
    for (; ascii[i] != '\0' && i < 255; ++i)
        wide[i] = wchar_t(ascii[i]);
    wide[i] = L'\0';
    *out = Loaded().allocString(wide);
    return *out ? S_OK : E_OUTOFMEMORY;
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// Our facts over the standard object of the control's client area.
class ControlObject final : public IAccessible {
  public:
    ControlObject(HWND window, IAccessible* standard, const AccessibleFacts& facts)
        : window_(window), standard_(standard), facts_(facts) {}
    ControlObject(const ControlObject&) = delete;
    ControlObject& operator=(const ControlObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            standard_->Release();
            delete this;
        }
        return left;
    }

    // IDispatch: clients of Active Accessibility call the methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // What the control says of itself.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child) || !facts_.name) return standard_->get_accName(child, name);
        return Text(facts_.name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        char text[16];
        if (!IsSelf(child) || !facts_.value || !facts_.value(window_, text))
            return standard_->get_accValue(child, value);
        return Text(text, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (!IsSelf(child) || !facts_.description)
            return standard_->get_accDescription(child, description);
        return Text(facts_.description, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || facts_.role == 0) return standard_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = facts_.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!IsSelf(child) || !facts_.ownState) return standard_->get_accState(child, state);
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_FOCUSABLE | (GetFocus() == window_ ? STATE_SYSTEM_FOCUSED : 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!IsSelf(child) || !facts_.defaultAction)
            return standard_->get_accDefaultAction(child, action);
        return Text(facts_.defaultAction, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child) || !facts_.doDefaultAction) return standard_->accDoDefaultAction(child);
        if (!IsWindow(window_)) return E_FAIL;
        facts_.doDefaultAction(window_);
        return S_OK;
    }

    // Everything else as the system has it.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return standard_->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long how, VARIANT child) override {
        return standard_->accSelect(how, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

  private:
    ~ControlObject() = default;

    ULONG references_ = 1;
    HWND window_;
    IAccessible* standard_;
    AccessibleFacts facts_;
};

} // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const AccessibleFacts& facts) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
    const Libraries& l = Loaded();
    if (!l.ready) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(l.createStandard(window, OBJID_CLIENT, __uuidof(IAccessible),
                                reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    auto* object = new ControlObject(window, standard, facts);
    const LRESULT result = l.lresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release(); // the result holds its own reference
    return result < 0 ? 0 : result;
}

void NotifyValueChange(HWND window) {
    if (window) NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void NotifyFocus(HWND window) {
    if (window) NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, CHILDID_SELF);
}

void ReleaseAccessibility() {
    if (!started) return;
    Libraries& l = Loaded();
    if (l.uninitialize) l.uninitialize();
    l.uninitialize = nullptr;
}
