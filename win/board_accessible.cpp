// IAccessible over the board: child ids 1..144 are the cells, in reading order.
#include "win/board_accessible.h"

#include "game/board.h"
#include "game/tile_pictures.h"
#include "game/view_layout.h"
#include "win/platform.h"

namespace tilvara::win {

namespace {

// A child id from a VARIANT: 0 (the board itself), 1..144, or -1 for anything else.
long ChildOf(const VARIANT& child) {
    if (child.vt != VT_I4) return -1;
    return child.lVal >= CHILDID_SELF && child.lVal <= CellCount ? child.lVal : -1;
}

BSTR Text(const std::string& utf8) { return SysAllocString(Wide(utf8).c_str()); }

}  // namespace

class BoardAccessible final : public IAccessible {
public:
    BoardAccessible(HWND board, AccessibleBoard* model) : board_(board), model_(model) {}

    void Detach() { model_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: MSAA clients call IAccessible directly.
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

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!model_) return RPC_E_DISCONNECTED;
        return AccessibleObjectFromWindow(board_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                          reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!model_) return RPC_E_DISCONNECTED;
        *count = CellCount;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        *out = nullptr;
        if (!model_) return RPC_E_DISCONNECTED;
        return ChildOf(child) > 0 ? S_FALSE : E_INVALIDARG;  // cells are simple elements
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        *name = nullptr;
        long n = 0;
        if (const HRESULT named = Find(child, n); named != S_OK) return named;
        *name = Text(n == CHILDID_SELF ? texts::access::Board : CellName(model_->View(), n));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override { return None(value); }
    // The line on the empty field says how to start: painted, so read here.
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        *text = nullptr;
        if (!model_) return RPC_E_DISCONNECTED;
        const std::string& line = BoardDescription(model_->View());
        if (ChildOf(child) != CHILDID_SELF || line.empty()) return S_FALSE;
        *text = Text(line);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        long n = 0;
        if (const HRESULT named = Find(child, n); named != S_OK) return named;
        role->vt = VT_I4;
        role->lVal = n == CHILDID_SELF ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        long n = 0;
        if (const HRESULT named = Find(child, n); named != S_OK) return named;
        const ViewState& view = model_->View();
        long s = STATE_SYSTEM_FOCUSABLE;
        if (n == CHILDID_SELF) {
            if (model_->BoardHasFocus() && !view.cursor.shown) s |= STATE_SYSTEM_FOCUSED;
        } else {
            // From the first deal on every cell is on show, empty ones too: the cursor may
            // stand on any of them.
            const CellPicture& pic = view.Image2[n];
            s = view.cursor.shown ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_INVISIBLE;
            if (n == FocusedCell()) s |= STATE_SYSTEM_FOCUSED;
            if (pic.visible) s |= STATE_SYSTEM_SELECTABLE;
            if (pic.visible && pic.face.highlighted) s |= STATE_SYSTEM_SELECTED;
        }
        state->vt = VT_I4;
        state->lVal = s;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return None(help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        *file = nullptr;
        *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* keys) override {
        return None(keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!model_) return RPC_E_DISCONNECTED;
        const int cell = FocusedCell();
        focus->vt = cell ? VT_I4 : (model_->BoardHasFocus() ? VT_I4 : VT_EMPTY);
        focus->lVal = cell;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        selection->vt = VT_EMPTY;
        return model_ ? S_OK : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* action) override {
        return None(action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        long n = 0;
        if (const HRESULT named = Find(child, n); named != S_OK) return named;
        const RECT r = n == CHILDID_SELF ? BoardOnScreen() : model_->CellOnScreen(n);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        end->vt = VT_EMPTY;
        if (!model_) return RPC_E_DISCONNECTED;
        const long n = ChildOf(start);
        long to = 0;
        if (n == CHILDID_SELF && direction == NAVDIR_FIRSTCHILD) to = 1;
        if (n == CHILDID_SELF && direction == NAVDIR_LASTCHILD) to = CellCount;
        // Next and previous run on in reading order; left and right stop at the row's ends.
        const int col = n > 0 ? CellOf(n).col : 0;
        if (n > 0 && (direction == NAVDIR_NEXT || (direction == NAVDIR_RIGHT && col < Cols)))
            to = n + 1;
        if (n > 0 && (direction == NAVDIR_PREVIOUS || (direction == NAVDIR_LEFT && col > 1)))
            to = n - 1;
        if (n > 0 && direction == NAVDIR_DOWN) to = n + Cols;
        if (n > 0 && direction == NAVDIR_UP) to = n - Cols;
        if (to < 1 || to > CellCount) return S_FALSE;
        end->vt = VT_I4;
        end->lVal = to;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        hit->vt = VT_EMPTY;
        if (!model_) return RPC_E_DISCONNECTED;
        const RECT r = BoardOnScreen();
        const POINT p{x, y};
        if (!PtInRect(&r, p)) return S_FALSE;
        hit->vt = VT_I4;
        hit->lVal = model_->CellAt(p);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!model_) return RPC_E_DISCONNECTED;
        const long n = ChildOf(child);
        if (n <= 0) return n < 0 ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
        model_->PressCell(n);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~BoardAccessible() = default;
    // The child a call names: S_OK and its id, or why there is none.
    HRESULT Find(const VARIANT& child, long& n) const {
        if (!model_) return RPC_E_DISCONNECTED;
        n = ChildOf(child);
        return n < 0 ? E_INVALIDARG : S_OK;
    }
    // For the properties the board has none of.
    HRESULT None(BSTR* out) const {
        *out = nullptr;
        return model_ ? S_FALSE : RPC_E_DISCONNECTED;
    }
    RECT BoardOnScreen() const {
        RECT r;
        GetClientRect(board_, &r);
        MapWindowPoints(board_, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    int FocusedCell() const {
        const BoardCursor& cursor = model_->View().cursor;
        return cursor.shown && model_->BoardHasFocus() ? IndexOf(cursor.row, cursor.col) : 0;
    }

    HWND board_;
    AccessibleBoard* model_;
    LONG refs_ = 1;
};

BoardAccessible* NewBoardAccessible(HWND board, AccessibleBoard* model) {
    return new BoardAccessible(board, model);
}

void Detach(BoardAccessible* accessible) {
    accessible->Detach();
    accessible->Release();
}

IAccessible* AsAccessible(BoardAccessible* accessible) { return accessible; }

LRESULT Answer(BoardAccessible* accessible, WPARAM wParam, LPARAM lParam) {
    if (static_cast<long>(lParam) != OBJID_CLIENT || !accessible) return 0;
    return LresultFromObject(__uuidof(IAccessible), wParam, accessible);
}

}  // namespace tilvara::win
