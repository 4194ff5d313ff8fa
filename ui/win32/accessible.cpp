// What screen readers hear from the Windows program: the standard accessible
// object of a window, wrapped so that every question goes to it but the role
// of the window itself (its children, its name from the window text and its
// states stay Windows's own); the names of the controls that draw no text of
// their own; the live region that says what each event announces.
#include "accessible.h"

#include "backend.h"
#include "convert.h"

#include "ui/accessible.h"

#include <commctrl.h>
#include <oleacc.h>

namespace ui
{

namespace
{

// UI Automation's LiveSetting property and its Polite value
// (UIAutomationClient.h), which Dynamic Annotation sets on a window for the
// screen readers that read Windows through UI Automation.
constexpr GUID liveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr long politeLiveSetting = 1;
// The annotation service and its interface, which oleacc.h declares; only
// a library of every GUID there is defines them, 90 KB for these two.
constexpr CLSID accPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID accPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

class WithRole final : public IAccessible
{
public:
    WithRole(IAccessible *standard, long role) : standard_(standard), role_(role) {}
    WithRole(const WithRole &) = delete;
    WithRole &operator=(const WithRole &) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (!out)
            return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible *>(this);
            AddRef();
            return S_OK;
        }
        // IEnumVARIANT, IOleWindow and the like: the standard object's own.
        return standard_->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&count_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&count_);
        if (left == 0) {
            standard_->Release();
            delete this;
        }
        return ULONG(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *n) override
    {
        return standard_->GetTypeInfoCount(n);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID lcid, ITypeInfo **info) override
    {
        return standard_->GetTypeInfo(i, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR *names, UINT count, LCID lcid,
                                            DISPID *ids) override
    {
        return standard_->GetIDsOfNames(iid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags,
                                     DISPPARAMS *params, VARIANT *result, EXCEPINFO *exception,
                                     UINT *argument) override
    {
        return standard_->Invoke(id, iid, lcid, flags, params, result, exception, argument);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override
    {
        if (!role || child.vt != VT_I4 || child.lVal != CHILDID_SELF)
            return standard_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = role_;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override
    {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG *count) override
    {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch **out) override
    {
        return standard_->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override
    {
        return standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR *value) override
    {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *text) override
    {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override
    {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR *help) override
    {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT child, LONG *topic) override
    {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR *keys) override
    {
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *child) override
    {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *children) override
    {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override
    {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG *left, LONG *top, LONG *width, LONG *height,
                                          VARIANT child) override
    {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT from, VARIANT *to) override
    {
        return standard_->accNavigate(direction, from, to);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT *child) override
    {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return standard_->put_accValue(child, value);
    }

private:
    ~WithRole() = default;

    IAccessible *standard_;
    long role_;
    LONG count_ = 1;
};

} // namespace

bool Win32Backend::namedApart(const Control &control)
{
    const Control *box = control.container();
    return control.kind() == Kind::PictureBox || control.kind() == Kind::Image ||
           (box && box->kind() == Kind::PictureBox);
}

void Win32Backend::rename(const Control &control)
{
    // Screen readers name a window by its window text, through the
    // accessible object that Windows makes for it, which also tells them of
    // a change (EVENT_OBJECT_NAMECHANGE). These windows draw none of it.
    HWND w = windowOf(control);
    if (!w || !namedApart(control))
        return;
    const std::wstring name = toWide(accessibleName(control));
    wchar_t now[64] = L"";
    GetWindowTextW(w, now, 64);
    if (name != now)
        SetWindowTextW(w, name.c_str());
}

void Win32Backend::makeAnnouncer(int id)
{
    // A static text with no size, last among the windows: heard, not seen.
    announcer_ = CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0,
                                 0, window_, reinterpret_cast<HMENU>(INT_PTR(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    if (FAILED(CoCreateInstance(accPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                accPropServicesInterface,
                                reinterpret_cast<void **>(&annotations_))))
        annotations_ = nullptr;
    if (annotations_ && announcer_) {
        VARIANT polite;
        polite.vt = VT_I4;
        polite.lVal = politeLiveSetting;
        annotations_->SetHwndProp(announcer_, DWORD(OBJID_CLIENT), CHILDID_SELF,
                                  liveSettingProperty, polite);
    }
}

void Win32Backend::announce(const Announcement &heard)
{
    // Screen readers speak the focused control's new name on their own; the
    // live region says the rest, as its name.
    if (const Control *focus = focused(); focus && !heard.focusName.empty())
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, windowOf(*focus), OBJID_CLIENT, CHILDID_SELF);
    if (heard.news.empty() || !announcer_)
        return;
    SetWindowTextW(announcer_, toWide(heard.news).c_str());
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, announcer_, OBJID_CLIENT, CHILDID_SELF);
}

void Win32Backend::setTakesInput(const Control &control)
{
    // A tile in a locked board is disabled itself, so that its accessible
    // object reads as unavailable; what it draws follows takesInput(), and
    // the window system gives no input to the inside of a disabled window
    // anyway.
    for (const Control *c : form_.controls()) {
        if (c->kind() != Kind::CommandButton && c->kind() != Kind::PictureBox)
            continue;
        for (const Control *at = c; at; at = at->container())
            if (at == &control) {
                EnableWindow(windowOf(*c), c->takesInput());
                break;
            }
    }
}

LRESULT accessibleWithRole(HWND window, WPARAM wParam, LPARAM lParam, long role)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return 0;
    IAccessible *standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void **>(&standard))))
        return 0;
    auto *object = new WithRole(standard, role);
    // LresultFromObject holds its own reference until the reader takes it.
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return result > 0 ? result : 0;
}

} // namespace ui
