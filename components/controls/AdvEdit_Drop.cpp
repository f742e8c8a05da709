// TAdvEdit's drag and drop: text dropped in at the character under the pointer, the selection
// dragged out (moved, or copied with Control), and the thin drop caret.
#include "components/controls/AdvEdit.h"

#include "components/controls/AdvEddd.h"
#include "components/controls/AdvEdit_Internal.h"

void TEditDropTarget::DragMouseMove(const TPoint& Pt, bool& Allow) {
    Allow = true;
    FAdvEdit->TrackDropCaret(Pt);
}

void TEditDropTarget::DropText(const TPoint& Pt, const String& S) {
    FAdvEdit->DropText(FAdvEdit->ScreenToClient(Pt), S);
}

void TAdvEdit::SetOleDropTarget(bool Value) {
    FOleDropTarget = Value;
    if (ComponentState().Contains(csDesigning)) return;
    if (Value) {
        if (FOleDropTargetAssigned) return;
        if (!FDropTarget) FDropTarget = std::make_unique<TEditDropTarget>(this);
        FOleDropTargetAssigned = RegisterDragDrop(Handle(), FDropTarget.get()) == S_OK;
    } else {
        revokeDropTarget();
    }
}

void TAdvEdit::revokeDropTarget() {
    if (!FOleDropTargetAssigned) return;
    if (HandleAllocated()) RevokeDragDrop(Handle());
    FOleDropTargetAssigned = false;
}

void TAdvEdit::createWndDropTarget() {
    // A new window is registered again.
    if (FOleDropTarget && !FOleDropTargetAssigned && FDropTarget && !ComponentState().Contains(csDesigning))
        FOleDropTargetAssigned = RegisterDragDrop(Handle(), FDropTarget.get()) == S_OK;
}

void TAdvEdit::invalidateCaretAt(const TPoint& P) {
    // The one-pixel column the caret takes, a font's height tall.
    Invalidate();
    (void)P;
}

void TAdvEdit::TrackDropCaret(const TPoint& ScreenPoint) {
    const TPoint P = ScreenToClient(ScreenPoint);
    const TPoint At = PosFromChar(CharFromPos(P));
    if (At == FCaretPos) return;
    invalidateCaretAt(FCaretPos);
    FCaretPos = At;
    invalidateCaretAt(FCaretPos);
}

void TAdvEdit::HideDropCaret() {
    invalidateCaretAt(FCaretPos);
    FCaretPos = Point(-1, -1);
}

void TAdvEdit::DropText(const TPoint& ClientPoint, String S) {
    if (const auto Break = S.indexOf(u'\r'); Break >= 0) S.truncate(Break);
    if (const auto Break = S.indexOf(u'\n'); Break >= 0) S.truncate(Break);
    const int C = CharFromPos(ClientPoint);
    const int Start = SelStart(), Stop = SelStart() + SelLength();
    if (FIsDragSource && C >= Start && C <= Stop) {
        // Onto its own selection: nothing moves, so the drag's end must not take the text out.
        FMovedBySelf = true;
        return;
    }
    const TWeak<TAdvEdit> Self(this);
    int Target = C;
    if (FIsDragSource && GetKeyState(VK_CONTROL) >= 0) {
        // A move: the dragged text leaves first, and the drop point shifts with it.
        const String Before = WindowText();
        const String Nothing;
        Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(&Nothing));
        if (!Self) return;
        if (Target > Stop) Target -= Stop - Start;
        FMovedBySelf = WindowText() != Before;
    }
    HideDropCaret();
    setSelection(Target, Target);
    // A drop is accepted as a paste would be: the type filter, the limits and the fences hold.
    if (insertText(S, false) != TInsertResult::Inserted && FMovedBySelf) FMovedBySelf = false;
    if (Self) Invalidate();
}

void TAdvEdit::WMLButtonDown(TMessage& Message) {
    const int C = CharFromPos(LParamToPoint(Message.LParam));
    const int Start = SelStart(), Len = SelLength();
    if (Len >= 1 && FFocused && C >= Start && C <= Start + Len) {
        // Inside the selection: it stays, a drag may start.
        FButtonDown = true;
        return;
    }
    TCustomEdit::Dispatch(Message);
}

void TAdvEdit::WMMouseMove(TMessage& Message) {
    const TWeak<TAdvEdit> Self(this);
    TCustomEdit::Dispatch(Message);
    if (!Self || SelLength() == 0 || !FButtonDown || !FOleDropSource) return;
    const String Dragged = SelText();
    FIsDragSource = true;
    FMovedBySelf = false;
    DWORD Effect = DROPEFFECT_NONE;
    const HRESULT Result = StartTextDoDragDrop(Dragged, String(), DROPEFFECT_COPY | DROPEFFECT_MOVE, Effect);
    if (!Self) return;
    FIsDragSource = false;
    // Moved out to another place: the selection goes, unless the drop into this edit did it.
    if (GetKeyState(VK_CONTROL) >= 0 && Result == DRAGDROP_S_DROP && !FMovedBySelf) {
        const String Nothing;
        Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(&Nothing));
        if (!Self) return;
        HideDropCaret();
        Invalidate();
    }
    FMovedBySelf = false;
    FButtonDown = false;
}
