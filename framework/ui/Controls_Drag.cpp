// The in-process drag: a control drags itself (or an object its OnStartDrag hands out) over the
// program's windows. The source holds the mouse; each move asks the control under the pointer
// (DragOver with enter, move or leave) whether it accepts; the release drops on an accepting
// target (DragDrop) and tells the source (DoEndDrag). Escape or a lost capture cancels.
#include "framework/ui/Controls.h"
#include "framework/ui/Forms.h"

#include <cstdlib>
#include <memory>

struct TDragManager {
    TWeak<TControl> Source;
    TWeak<TControl> Target;
    TDragObject* Object = nullptr;
    bool OwnsObject = false;
    bool Started = false;
    TPoint StartPos;
    int Threshold = 5;
    TCursor SavedCursor = crDefault;

    static TDragManager& current() {
        static TDragManager M;
        return M;
    }
    static TObject* sourceArg(TDragObject* Object) {
        if (auto* C = dynamic_cast<TDragControlObject*>(Object)) return C->Control();
        return Object;
    }

    bool active() const { return Source.get() != nullptr; }

    void begin(TControl* Control, bool Immediate, int AThreshold) {
        if (active()) return;
        Source = TWeak<TControl>(Control);
        Started = false;
        StartPos = Mouse->CursorPos();
        Threshold = AThreshold < 0 ? 5 : AThreshold;
        if (Immediate) start();
    }

    void start() {
        TControl* S = Source.get();
        if (!S) return;
        TDragObject* Obj = nullptr;
        S->DoStartDrag(Obj);
        if (!Source.get()) return;
        OwnsObject = Obj == nullptr;
        Object = Obj ? Obj : new TDragControlObject(S);
        Started = true;
        SavedCursor = Screen ? Screen->Cursor() : crDefault;
        S->SetMouseCapture(true);
        move(Mouse->CursorPos());
    }

    // The pointer at a screen position: the target under it is asked.
    void move(const TPoint& Pos) {
        if (!Started || !Object) return;
        Object->FDragPos = Pos;
        TControl* Under = FindDragTarget(Pos, false);
        TObject* SourceArg = sourceArg(Object);
        TControl* Old = Target.get();
        if (Old && Old != Under) {
            bool Ignored = false;
            const TPoint P = Old->ScreenToClient(Pos);
            Old->DragOver(SourceArg, P.X, P.Y, dsDragLeave, Ignored);
        }
        bool Accept = false;
        if (Under) {
            const TPoint P = Under->ScreenToClient(Pos);
            const TWeak<TControl> Alive(Under);
            Under->DragOver(SourceArg, P.X, P.Y, Under == Old ? dsDragMove : dsDragEnter, Accept);
            if (!Alive) Under = nullptr, Accept = false;
        }
        Target = TWeak<TControl>(Under);
        if (!Object) return;
        Object->FDragTarget = Under;
        Object->FAccepted = Accept;
        if (Screen) {
            const TPoint P = Under ? Under->ScreenToClient(Pos) : Pos;
            Screen->SetCursor(Object->GetDragCursor(Accept, P.X, P.Y));
        }
    }

    // The drag ends: dropped on an accepting target, or cancelled.
    void done(bool Drop) {
        if (!active()) return;
        TControl* S = Source.get();
        const bool WasStarted = Started;
        TDragObject* Obj = Object;
        const bool Owned = OwnsObject;
        TControl* T = Target.get();
        const bool Accepted = Obj && Obj->FAccepted;
        const TPoint Pos = Obj ? Obj->FDragPos : Mouse->CursorPos();
        Source = TWeak<TControl>();
        Target = TWeak<TControl>();
        Object = nullptr;
        OwnsObject = false;
        Started = false;
        if (!WasStarted) return;
        if (Screen) Screen->SetCursor(SavedCursor);
        if (S && S->MouseCapture()) S->SetMouseCapture(false);
        TObject* SourceArg = sourceArg(Obj);
        const bool Dropped = Drop && Accepted && T;
        if (T) {
            const TPoint P = T->ScreenToClient(Pos);
            if (Dropped) {
                T->DragDrop(SourceArg, P.X, P.Y);
            } else {
                bool Ignored = false;
                T->DragOver(SourceArg, P.X, P.Y, dsDragLeave, Ignored);
            }
        }
        if (S) {
            const TPoint P = S->ScreenToClient(Pos);
            S->DoEndDrag(Dropped ? T : nullptr, P.X, P.Y);
        }
        if (Obj) Obj->Finished(Dropped ? T : nullptr, Pos.X, Pos.Y, Dropped);
        if (Owned) delete Obj;
    }

    // The source's mouse while a drag is pending or running; true when the message is the drag's.
    bool intercept(TControl* Control, const TMessage& Message) {
        if (!active() || Source.get() != Control) return false;
        switch (Message.Msg) {
            case WM_MOUSEMOVE: {
                const TPoint Pos =
                    Control->ClientToScreen(Point(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
                if (!Started) {
                    if (std::abs(Pos.X - StartPos.X) < Threshold && std::abs(Pos.Y - StartPos.Y) < Threshold)
                        return false;
                    start();
                    return true;
                }
                move(Pos);
                return true;
            }
            case WM_LBUTTONUP:
                if (!Started) {
                    done(false);
                    return false;
                }
                done(true);
                return true;
            case WM_KEYDOWN:
                if (Message.WParam != VK_ESCAPE || !Started) return false;
                done(false);
                return true;
            case WM_CANCELMODE:
            case WM_CAPTURECHANGED:
                done(false);
                return false;
            default:
                return false;
        }
    }
};

TCursor TDragObject::GetDragCursor(bool Accepted, int X, int Y) { return Accepted ? crDrag : crNoDrop; }

bool InterceptDragMessage(TControl* Control, const TMessage& Message) {
    if (Message.Msg == WM_LBUTTONDOWN && Control->DragMode() == dmAutomatic &&
        !Control->ComponentState().Contains(csDesigning)) {
        Control->BeginDrag(false);
        return true;
    }
    return TDragManager::current().intercept(Control, Message);
}

void TControl::BeginDrag(bool Immediate, int Threshold) {
    if (ComponentState().Contains(csDesigning)) return;
    TDragManager::current().begin(this, Immediate, Threshold);
}

void TControl::EndDrag(bool Drop) {
    TDragManager& M = TDragManager::current();
    if (M.Source.get() == this) M.done(Drop);
}

bool TControl::Dragging() const {
    const TDragManager& M = TDragManager::current();
    return M.Started && M.Source.get() == this;
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    Accept = static_cast<bool>(OnDragOver);
    if (OnDragOver) {
        const TDragOverEvent Handler = OnDragOver;
        Handler(this, Source, X, Y, State, Accept);
    }
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
    if (OnDragDrop) {
        const TDragDropEvent Handler = OnDragDrop;
        Handler(this, Source, X, Y);
    }
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
    if (OnStartDrag) {
        const TStartDragEvent Handler = OnStartDrag;
        Handler(this, DragObject);
    }
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
    if (OnEndDrag) {
        const TEndDragEvent Handler = OnEndDrag;
        Handler(this, Target, X, Y);
    }
}
