#include "controls/accessible.h"
#include "platform/system_function.h"
#include <oleacc.h>

#include <algorithm>
#include <vector>

namespace {

// Looked up at the first request: the program itself imports system DLLs
// only, and none of these until a screen reader asks.
struct Libraries {
    LRESULT(WINAPI* lresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
    HRESULT(WINAPI* createStandard)(HWND, LONG, REFIID, void**) = nullptr;
    HRESULT(WINAPI* createInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, void**) = nullptr;
    BSTR(WINAPI* allocString)(const OLECHAR*) = nullptr;
    HRESULT(WINAPI* clearVariant)(VARIANTARG*) = nullptr;
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
        l.createInstance =
            SystemFunction<decltype(l.createInstance)>("ole32.dll", "CoCreateInstance");
        l.lresultFromObject =
            SystemFunction<decltype(l.lresultFromObject)>("oleacc.dll", "LresultFromObject");
        l.createStandard =
            SystemFunction<decltype(l.createStandard)>("oleacc.dll", "CreateStdAccessibleObject");
        l.allocString = SystemFunction<decltype(l.allocString)>("oleaut32.dll", "SysAllocString");
        l.clearVariant = SystemFunction<decltype(l.clearVariant)>("oleaut32.dll", "VariantClear");
        // A second start on this thread answers S_FALSE, which is success too.
        l.ready = initialize && SUCCEEDED(initialize(nullptr)) && l.lresultFromObject &&
                  l.createStandard && l.allocString && l.clearVariant;
        if (!l.ready) l.uninitialize = nullptr;
        return l;
    }();
    return libraries;
}

HRESULT Text(const char* ascii, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!ascii) return S_FALSE;
    wchar_t wide[512];
    int i = 0;
    for (; ascii[i] != '\0' && i < 511; ++i)
        wide[i] = wchar_t(ascii[i]);
    wide[i] = L'\0';
    *out = Loaded().allocString(wide);
    return *out ? S_OK : E_OUTOFMEMORY;
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// Our facts over the standard object of the control's client area, and its
// other interfaces answered as ours, so that every interface of the object
// gives one IUnknown.
class ControlObject final : public IAccessible, public IOleWindow, public IEnumVARIANT {
  public:
    ControlObject(HWND window, IAccessible* standard, const AccessibleFacts& facts);
    ControlObject(const ControlObject&) = delete;
    ControlObject& operator=(const ControlObject&) = delete;

    HWND Window() const { return window_; }
    // The window is gone: nothing may be asked of it or of its record now.
    void Disconnect() {
        window_ = nullptr;
        ReleaseStandard();
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
            *out = static_cast<IAccessible*>(this);
        else if (iid == __uuidof(IOleWindow))
            *out = static_cast<IOleWindow*>(this);
        else if (iid == __uuidof(IEnumVARIANT) && enumerator_)
            *out = static_cast<IEnumVARIANT*>(this);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return ULONG(left);
    }

    // IDispatch, from the type information of IAccessible that the standard
    // object gives, calling our own methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!standard_) return kGone;
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        if (!standard_) return kGone;
        return standard_->GetTypeInfo(index, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override {
        if (!standard_) return kGone;
        return standard_->GetIDsOfNames(iid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        if (!standard_) return kGone;
        ITypeInfo* info = nullptr;
        const HRESULT got = standard_->GetTypeInfo(0, lcid, &info);
        if (FAILED(got) || !info) return FAILED(got) ? got : E_NOTIMPL;
        const HRESULT done = info->Invoke(static_cast<IAccessible*>(this), id, flags, params,
                                          result, exception, argumentError);
        info->Release();
        return done;
    }

    // What the control says of itself.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!standard_) return kGone;
        if (!IsSelf(child) || !facts_.name) return standard_->get_accName(child, name);
        return Text(facts_.name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!standard_) return kGone;
        char text[16];
        if (!IsSelf(child) || !facts_.value || !facts_.value(window_, text))
            return standard_->get_accValue(child, value);
        return Text(text, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (!standard_) return kGone;
        if (!IsSelf(child) || !facts_.description)
            return standard_->get_accDescription(child, description);
        return Text(facts_.description, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!standard_) return kGone;
        if (!IsSelf(child) || facts_.role == 0) return standard_->get_accRole(child, role);
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = facts_.role;
        return S_OK;
    }
    // The standard object's states, which say what the system knows (hidden,
    // disabled), with ours added.
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!standard_) return kGone;
        const HRESULT standard = standard_->get_accState(child, state);
        if (!IsSelf(child) || !facts_.ownState || FAILED(standard)) return standard;
        if (state->vt != VT_I4) {
            Loaded().clearVariant(state);
            state->vt = VT_I4;
            state->lVal = 0;
        }
        state->lVal |= OwnState();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!standard_) return kGone;
        if (!IsSelf(child) || !facts_.defaultAction)
            return standard_->get_accDefaultAction(child, action);
        return Text(facts_.defaultAction, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!standard_) return kGone;
        if (!IsSelf(child) || !facts_.defaultActionMessage)
            return standard_->accDoDefaultAction(child);
        return PostMessageA(window_, facts_.defaultActionMessage, 0, 0) ? S_OK : E_FAIL;
    }

    // Everything else as the system has it.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_ ? standard_->get_accParent(parent) : kGone;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_ ? standard_->get_accChildCount(count) : kGone;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_ ? standard_->get_accChild(child, object) : kGone;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_ ? standard_->get_accHelp(child, help) : kGone;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_ ? standard_->get_accHelpTopic(file, child, topic) : kGone;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return standard_ ? standard_->get_accKeyboardShortcut(child, keys) : kGone;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return standard_ ? standard_->get_accFocus(focus) : kGone;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_ ? standard_->get_accSelection(selection) : kGone;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long how, VARIANT child) override {
        return standard_ ? standard_->accSelect(how, child) : kGone;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_ ? standard_->accLocation(left, top, width, height, child) : kGone;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_ ? standard_->accNavigate(direction, start, end) : kGone;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_ ? standard_->accHitTest(x, y, child) : kGone;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_ ? standard_->put_accName(child, name) : kGone;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_ ? standard_->put_accValue(child, value) : kGone;
    }

    // IOleWindow: the control's window.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = window_;
        return window_ ? S_OK : kGone;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override {
        return window_ ? E_NOTIMPL : kGone;
    }

    // IEnumVARIANT, the standard object's children, where it has them.
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        return enumerator_ ? enumerator_->Next(count, items, fetched) : kGone;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        return enumerator_ ? enumerator_->Skip(count) : kGone;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        return enumerator_ ? enumerator_->Reset() : kGone;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        return enumerator_ ? enumerator_->Clone(copy) : kGone;
    }

  private:
    static constexpr HRESULT kGone = RPC_E_DISCONNECTED;

    ~ControlObject();
    void ReleaseStandard() {
        if (enumerator_) enumerator_->Release();
        if (standard_) standard_->Release();
        enumerator_ = nullptr;
        standard_ = nullptr;
    }
    long OwnState() const {
        const HWND root = GetAncestor(window_, GA_ROOT);
        long state = IsWindowEnabled(window_) ? STATE_SYSTEM_FOCUSABLE : 0;
        if (GetFocus() == window_) state |= STATE_SYSTEM_FOCUSED;
        if (facts_.pressed && facts_.pressed(window_)) state |= STATE_SYSTEM_PRESSED;
        if (root && IsIconic(root)) state |= STATE_SYSTEM_OFFSCREEN; // Wine's object says nothing
        return state;
    }

    LONG references_ = 1;
    HWND window_;
    IAccessible* standard_;
    IEnumVARIANT* enumerator_ = nullptr;
    AccessibleFacts facts_;
};

// Every object alive, so that those of a window being destroyed can be told.
// The objects live on the user-interface thread, where screen readers' calls
// arrive, one at a time.
std::vector<ControlObject*> alive;

ControlObject::ControlObject(HWND window, IAccessible* standard, const AccessibleFacts& facts)
    : window_(window), standard_(standard), facts_(facts) {
    void* enumerator = nullptr;
    if (SUCCEEDED(standard->QueryInterface(__uuidof(IEnumVARIANT), &enumerator)))
        enumerator_ = static_cast<IEnumVARIANT*>(enumerator);
    alive.push_back(this);
}

ControlObject::~ControlObject() {
    ReleaseStandard();
    alive.erase(std::remove(alive.begin(), alive.end(), this), alive.end());
}

// Dynamic Annotation's class and interface, and the name's property: the
// headers declare no __uuidof for them, and in a static 64-bit build a GUID
// taken from an import library is a thunk, not the GUID.
constexpr GUID kAccPropServices{
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kIAccPropServices{
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kNameProperty{
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

} // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const AccessibleFacts& facts) {
    // The object's identifier is a 32-bit value, which a 64-bit lParam may
    // carry without its sign.
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
    const Libraries& l = Loaded();
    if (!l.ready) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(l.createStandard(window, OBJID_CLIENT, __uuidof(IAccessible),
                                reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    auto* object = new ControlObject(window, standard, facts);
    const LRESULT result =
        l.lresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release(); // the result holds its own reference
    return result < 0 ? 0 : result;
}

void DisconnectAccessibleObjects(HWND window) {
    for (ControlObject* object : alive)
        if (object->Window() == window) object->Disconnect();
}

bool AnnotateName(HWND window, const wchar_t* name) {
    const Libraries& l = Loaded();
    if (!l.ready || !l.createInstance) return false;
    IAccPropServices* services = nullptr;
    if (FAILED(l.createInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                                reinterpret_cast<void**>(&services))) ||
        !services)
        return false;
    const bool named = SUCCEEDED(
        services->SetHwndPropStr(window, DWORD(OBJID_CLIENT), CHILDID_SELF, kNameProperty, name));
    services->Release();
    return named;
}

void NotifyValueChange(HWND window) {
    if (window) NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void NotifyStateChange(HWND window) {
    if (window) NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void ReleaseAccessibility() {
    if (!started) return;
    Libraries& l = Loaded();
    if (l.uninitialize) l.uninitialize();
    l.uninitialize = nullptr;
}
