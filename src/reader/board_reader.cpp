// The board as a screen reader sees it. The main window's client object is the
// system's standard one with the parts of the board added as simple children
// (spoken.h), each named with its whole sentence, since some readers say only
// names; then the keypad buttons. Nothing of it exists until a reader first asks.
#include "board_reader.h"

#include <oleacc.h>

#include <new>

#include "board/board_layout.h"
#include "game/effects.h"
#include "game/result_dialog.h"
#include "resource.h"
#include "spoken.h"
#include "win/app_records.h"
#include "win/late_dll.h"
#include "win/wide_text.h"

namespace {

// Child ids: the ten rows and the entry (spoken.h), then the nine digits, GO and Clear.
constexpr LONG FirstButton = EntryPart + 1;
constexpr LONG ChildCount = EntryPart + 11;
// EVENT_OBJECT_LIVEREGIONCHANGED of Windows 8 and later; earlier systems pass it to no one.
constexpr DWORD LiveRegionChanged = 0x8019;

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
    IAccessible* object = nullptr;      // made at a reader's first request
    LONG focus = EntryPart;             // the part last announced or browsed to
    LONG focused = 0;                   // the part whose focus event a reader had, while it has it
    bool sayAgain = false;              // the main window took the focus; nothing said since
    WNDPROC resultTextProc = nullptr;   // the result dialog's answer line's own procedure
    IAccessible* resultText = nullptr;  // and its object, while the dialog is open
};
BoardReaderRecord BoardReader;

void Announce(LONG part);

// The child after (forward) or before child as a reader goes: the judged rows, the
// entry, the keypad, as Up and Down go over the parts; 0 past either end.
LONG Beside(LONG child, bool forward)
{
    if (child >= EntryPart && child < ChildCount && forward)
        return child + 1;
    if (child > EntryPart)
        return forward ? 0 : child - 1;
    const LONG to = BrowseTarget(forward ? VK_DOWN : VK_UP, static_cast<int>(child));
    return to != child ? to : 0;
}

// The standard client object of a window with what a reader is told added: for the
// main window (board) the parts of the board, for the result dialog's answer line its
// spoken text.
class ReaderObject final : public IAccessible {
public:
    ReaderObject(IAccessible* standard, bool board) : standard_(standard), board_(board) {}

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

    // Not late bound: the standard object would answer for itself, without the parts.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        if (!board_)
            return standard_->get_accChildCount(count);
        *count = ChildCount;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override
    {
        *out = nullptr;
        if (PartOf(child))
            return S_FALSE;  // a simple element, answered by this object
        if (!board_ || child.vt != VT_I4 || child.lVal < FirstButton || child.lVal > ChildCount)
            return E_INVALIDARG;
        return late::AccessibleObjectFromWindow(ButtonOf(child.lVal), OBJID_WINDOW, __uuidof(IDispatch),
                                                reinterpret_cast<void**>(out));
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        *name = nullptr;
        const LONG part = PartOf(child);
        const bool spokenSelf = !board_ && Standard(child);
        if (!part && !spokenSelf)
            return Standard(child) ? standard_->get_accName(child, name) : E_INVALIDARG;
        const SpokenText spoken = part ? SpokenPart(part) : SpokenResult();
        *name = late::SysAllocString(WideGameText(spoken.c_str()).c_str());
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
        if (!board_ || !MainHasFocus())
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
    // Taking the focus, a part takes the main window's and is said.
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        const LONG part = PartOf(child);
        if (!part || flags != SELFLAG_TAKEFOCUS)
            return Standard(child) ? standard_->accSelect(flags, child) : Lacking(child);
        if (GetFocus() != MainWindowState.window)
            SetFocus(MainWindowState.window);
        Announce(part);
        return S_OK;
    }
    // The board's own children in a reader's order (Beside); the standard object knows
    // only the keypad's windows.
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        end->vt = VT_EMPTY;
        const bool self = Standard(start);
        const bool intoChildren = direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD;
        if (!board_ || (self && !intoChildren))
            return self ? standard_->accNavigate(direction, start, end) : Lacking(start);
        if (start.vt != VT_I4 || start.lVal < 0 || start.lVal > ChildCount || self != intoChildren)
            return E_INVALIDARG;
        LONG to = 0;
        switch (direction) {
        case NAVDIR_FIRSTCHILD: to = BrowseTarget(VK_HOME, EntryPart); break;
        case NAVDIR_LASTCHILD: to = ChildCount; break;
        case NAVDIR_NEXT:
        case NAVDIR_DOWN: to = Beside(start.lVal, true); break;
        case NAVDIR_PREVIOUS:
        case NAVDIR_UP: to = Beside(start.lVal, false); break;
        default: break;  // nothing to the left or right
        }
        if (to >= FirstButton) {
            VARIANT button{};
            button.vt = VT_I4;
            button.lVal = to;
            end->vt = VT_DISPATCH;
            return get_accChild(button, &end->pdispVal);
        }
        end->vt = to ? VT_I4 : VT_EMPTY;
        end->lVal = to;
        return to ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override
    {
        POINT at{x, y};
        ScreenToClient(MainWindowState.window, &at);
        LONG part = EntryRect.Contains(at.x, at.y) ? EntryPart : 0;
        for (int n = 0; !part && n < RowParts; ++n)
            part = RowRect(n).Contains(at.x, at.y) ? n + 1 : 0;
        if (!board_ || !part)
            return standard_->accHitTest(x, y, out);
        out->vt = VT_I4;
        out->lVal = part;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return Standard(child) ? standard_->accDoDefaultAction(child) : Lacking(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR) override { return Lacking(child); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR) override { return Lacking(child); }

private:
    LONG PartOf(const VARIANT& child) const
    {
        return board_ && child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= EntryPart ? child.lVal : 0;
    }
    static bool Standard(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
    // Not implemented for a child this object has, E_INVALIDARG for one it lacks; no text.
    HRESULT Lacking(const VARIANT& child, BSTR* text = nullptr) const
    {
        if (text)
            *text = nullptr;
        return board_ && child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= ChildCount ? DISP_E_MEMBERNOTFOUND
                                                                                           : E_INVALIDARG;
    }

    IAccessible* standard_;
    const bool board_;
    ULONG references_ = 1;
};

// The standard client object of window with what a reader is told added, or null.
IAccessible* MakeReaderObject(HWND window, bool board)
{
    // Windows hands the object to the reader through COM, on this thread.
    late::CoInitialize(nullptr);
    IAccessible* standard = nullptr;
    if (FAILED(late::CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&standard))))
        return nullptr;
    IAccessible* object = new (std::nothrow) ReaderObject(standard, board);
    if (!object)
        standard->Release();
    return object;
}

// WM_GETOBJECT's answer with object, or 0 where the system's own must answer: no object,
// or oleacc could not be loaded.
LRESULT Lresult(IAccessible* object, WPARAM wParam)
{
    const LRESULT result = object ? late::LresultFromObject(__uuidof(IAccessible), wParam, object) : 0;
    return result > 0 ? result : 0;
}

// Lets an object go; a reader's proxy of it then fails at once instead of calling in.
void Let(IAccessible*& object)
{
    if (!object)
        return;
    late::CoDisconnectObject(object, 0);
    object->Release();
    object = nullptr;
}

// The answer line's procedure while a reader is given it: its own, with its spoken text
// as the name of its object.
LRESULT CALLBACK ResultTextProc(HWND text, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC own = BoardReader.resultTextProc;
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (!BoardReader.resultText)
            BoardReader.resultText = MakeReaderObject(text, false);
        if (const LRESULT result = Lresult(BoardReader.resultText, wParam))
            return result;
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(text, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        Let(BoardReader.resultText);
    }
    return CallWindowProcW(own, text, message, wParam, lParam);
}

void Announce(LONG part)
{
    BoardReader.focus = part;
    BoardReader.sayAgain = false;
    // A reader takes a child's focus only while an ancestor holds the keyboard focus;
    // elsewhere (the work window) it hears a live region of the same program.
    DWORD event = LiveRegionChanged;
    if (MainHasFocus()) {
        // Not every reader says a focus event for what has the focus already.
        event = BoardReader.focused == part ? EVENT_OBJECT_NAMECHANGE : EVENT_OBJECT_FOCUS;
        BoardReader.focused = part;
    }
    NotifyWinEvent(event, MainWindowState.window, OBJID_CLIENT, part);
}

} // namespace

LRESULT OnGetObject(HWND window, WPARAM wParam, LPARAM lParam)
{
    // The object id is the low 32 bits of lParam, also where LPARAM is 64 bits wide.
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT))
        return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
    if (!BoardReader.object)
        BoardReader.object = MakeReaderObject(window, true);
    const LRESULT result = Lresult(BoardReader.object, wParam);
    return result ? result : DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
}

void ReleaseBoardReader()
{
    Let(BoardReader.object);
}

void BoardGetsFocus(HWND window)
{
    BoardReader.focused = 0;
    BoardReader.sayAgain = true;
    PostMessageA(window, SayBoardAgainMessage, 0, 0);
}

void SayBoardAgain()
{
    // Not where the focus has moved on (a dialog opened from the menu).
    if (BoardReader.sayAgain && MainHasFocus())
        Announce(BoardReader.focus);
}

void NameResultForReader(HWND dialog)
{
    // Only where a reader has asked for the board: a sighted game goes on as it was.
    if (!BoardReader.object)
        return;
    const HWND text = GetDlgItem(dialog, IDC_RESULT_ANSWER);
    BoardReader.resultTextProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(text, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ResultTextProc)));
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
