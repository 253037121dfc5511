// The board as a screen reader sees it. The main window's client object is the
// system's standard one with the parts of the board added as simple children
// (spoken.h), each named with its whole sentence, since some readers say only
// names; then the keypad buttons. Nothing of it exists until a reader first asks.
#include "board_reader.h"

#include <oleacc.h>

#include <new>

#include "board/board_layout.h"
#include "game/effects.h"
#include "resource.h"
#include "spoken.h"
#include "win/app_records.h"
#include "win/late_dll.h"
#include "win/wide_text.h"

namespace {

// Child ids: the ten rows and the entry (spoken.h), then the nine digits, GO and Clear.
constexpr LONG FirstButton = EntryPart + 1;
constexpr LONG ChildCount = EntryPart + 11;

// The keypad's ids run on from the digits' to GO's and Clear's (resource.h).
HWND ButtonOf(LONG child)
{
    return GetDlgItem(MainWindowState.window, IDC_DIGIT_BASE + static_cast<int>(child - FirstButton));
}

bool MainHasFocus()
{
    return MainWindowState.window && GetFocus() == MainWindowState.window;
}

struct BoardReaderRecord {
    IAccessible* object = nullptr;  // made at a reader's first request
    LONG focus = EntryPart;         // the part last announced or browsed to
};
BoardReaderRecord BoardReader;

class BoardObject final : public IAccessible {
public:
    explicit BoardObject(IAccessible* standard) : standard_(standard) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override
    {
        *out = nullptr;
        if (id != __uuidof(IUnknown) && id != __uuidof(IDispatch) && id != __uuidof(IAccessible))
            return E_NOINTERFACE;
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) {
            standard_->Release();
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override
    {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override
    {
        return standard_->Invoke(member, id, locale, flags, parameters, result, exception, badArgument);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        *count = ChildCount;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override
    {
        *out = nullptr;
        if (PartOf(child))
            return S_FALSE;  // a simple element, answered by this object
        if (child.vt != VT_I4 || child.lVal < FirstButton || child.lVal > ChildCount)
            return E_INVALIDARG;
        return late::AccessibleObjectFromWindow(ButtonOf(child.lVal), OBJID_WINDOW, __uuidof(IDispatch),
                                                reinterpret_cast<void**>(out));
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        *name = nullptr;
        const LONG part = PartOf(child);
        if (!part)
            return Standard(child) ? standard_->get_accName(child, name) : E_INVALIDARG;
        *name = late::SysAllocString(WideGameText(SpokenPart(part).c_str()).c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!PartOf(child))
            return Standard(child) ? standard_->get_accRole(child, role) : E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_STATICTEXT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        const LONG part = PartOf(child);
        if (!part)
            return Standard(child) ? standard_->get_accState(child, state) : E_INVALIDARG;
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE |
                      (part == BoardReader.focus && MainHasFocus() ? STATE_SYSTEM_FOCUSED : 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        if (!MainHasFocus())
            return standard_->get_accFocus(focus);
        focus->vt = VT_I4;
        focus->lVal = BoardReader.focus;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* width, long* height, VARIANT child) override
    {
        const LONG part = PartOf(child);
        if (!part)
            return Standard(child) ? standard_->accLocation(x, y, width, height, child) : E_INVALIDARG;
        // The entry's four boxes; a row's text field with both of its score icons.
        const BoardRect place = part == EntryPart ? EntryRect : RowRect(part - 1);
        POINT corner{place.left, place.top};
        ClientToScreen(MainWindowState.window, &corner);
        *x = corner.x;
        *y = corner.y;
        *width = place.Width();
        *height = place.Height();
        return S_OK;
    }

    // What the parts do not have, the standard object answers for itself alone.
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override
    {
        return Standard(child) ? standard_->get_accValue(child, out) : Lacking(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override
    {
        return Standard(child) ? standard_->get_accDescription(child, out) : Lacking(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override
    {
        return Standard(child) ? standard_->get_accHelp(child, out) : Lacking(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        return Standard(child) ? standard_->get_accHelpTopic(file, child, topic) : Lacking(child, file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override
    {
        return Standard(child) ? standard_->get_accKeyboardShortcut(child, out) : Lacking(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override { return standard_->get_accSelection(out); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override
    {
        return Standard(child) ? standard_->get_accDefaultAction(child, out) : Lacking(child, out);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return Standard(child) ? standard_->accSelect(flags, child) : Lacking(child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        end->vt = VT_EMPTY;
        return Standard(start) ? standard_->accNavigate(direction, start, end) : Lacking(start);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override
    {
        return standard_->accHitTest(x, y, out);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return Standard(child) ? standard_->accDoDefaultAction(child) : Lacking(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR) override { return Lacking(child); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR) override { return Lacking(child); }

private:
    static LONG PartOf(const VARIANT& child)
    {
        return child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= EntryPart ? child.lVal : 0;
    }
    static bool Standard(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
    // Not implemented for a child this object has, E_INVALIDARG for one it lacks; no text.
    static HRESULT Lacking(const VARIANT& child, BSTR* text = nullptr)
    {
        if (text)
            *text = nullptr;
        return child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= ChildCount ? DISP_E_MEMBERNOTFOUND
                                                                                 : E_INVALIDARG;
    }

    IAccessible* standard_;
    ULONG references_ = 1;
};

void Announce(LONG part)
{
    BoardReader.focus = part;
    // A reader takes a child's focus only while an ancestor holds the keyboard focus.
    if (MainHasFocus())
        NotifyWinEvent(EVENT_OBJECT_FOCUS, MainWindowState.window, OBJID_CLIENT, part);
}

} // namespace

LRESULT OnGetObject(HWND window, WPARAM wParam, LPARAM lParam)
{
    // The object id is the low 32 bits of lParam, also where LPARAM is 64 bits wide.
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT))
        return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
    if (!BoardReader.object) {
        IAccessible* standard = nullptr;
        // Windows hands the object to the reader through COM, on this thread.
        late::CoInitialize(nullptr);
        if (FAILED(late::CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&standard))))
            return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
        BoardReader.object = new (std::nothrow) BoardObject(standard);
        if (!BoardReader.object) {
            standard->Release();
            return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
        }
    }
    return late::LresultFromObject(__uuidof(IAccessible), wParam, BoardReader.object);
}

void ReleaseBoardReader()
{
    if (BoardReader.object)
        BoardReader.object->Release();
    BoardReader.object = nullptr;
}

void BrowseBoard(int virtualKey)
{
    if (const int part = BrowseTarget(virtualKey, BoardReader.focus))
        Announce(part);
}

void AnnounceRow(int n)
{
    Announce(n + 1);
}

void AnnounceEntry()
{
    Announce(EntryPart);
}
