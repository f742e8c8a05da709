// TVidIvezadOrir's window procedure: the editors' registered messages, cancelled moves,
// proportional thumbs, theme changes, the border, the child editors' notifications, the wheel
// (scrolling, moving the selection, zooming) and middle-button panning with its cursors and icon.
#include "components/grid/VidIvezadOrir.h"

#include "components/grid/GridControls.h"
#include "components/grid/GridUnit.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"
#include "framework/rtl/Resources.h"
#include "framework/rtl/Streams.h"
#include "framework/ui/Cursors.h"
#include "framework/ui/Forms.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/ScrollBars.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr UINT_PTR kPanTimerId = 999;
constexpr UINT kPanTimerInterval = 10;
constexpr UINT kThemeNotifierMessage = 2993;
constexpr int kPanCursorBase = 8000;

// ---- The pan cursors and icons: the project's own drawings, registered as the program's
// cursor (8000 .. 8008) and bitmap ("INTLI1" .. "INTLI3") resources.

// The direction each cursor points: (0, 0) none, 8001 down, 8002 left, 8003 right, 8004 up,
// 8005 up and right, 8006 up and left, 8007 down and right, 8008 down and left.
struct TPanArrow {
    int DX, DY;
};
constexpr TPanArrow kPanArrows[] = {{0, 0}, {0, 1}, {-1, 0}, {1, 0}, {0, -1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
static_assert(std::size(kPanArrows) == 9);

void drawPanMark(TCanvas* C, int Size) {
    C->Brush()->SetColor(clFuchsia);
    C->FillRect(Rect(0, 0, Size, Size));
    const int M = Size / 2;
    C->Pen()->SetColor(clBlack);
    C->Brush()->SetColor(clWhite);
    C->Ellipse(M - 4, M - 4, M + 5, M + 5);
}

void drawArrowHead(TCanvas* C, int Size, int DX, int DY) {
    const int M = Size / 2;
    const TPoint Tip = Point(M + DX * (M - 2), M + DY * (M - 2));
    // A small filled triangle pointing away from the centre.
    const TPoint Back = Point(Tip.X - DX * 6, Tip.Y - DY * 6);
    const int PX = -DY, PY = DX;  // perpendicular
    C->Brush()->SetColor(clBlack);
    C->Polygon({Tip, Point(Back.X + PX * 4, Back.Y + PY * 4), Point(Back.X - PX * 4, Back.Y - PY * 4)});
}

std::vector<Byte> streamBytes(TBitmap& B) {
    TMemoryStream S;
    B.SaveToStream(&S);
    const auto* Data = static_cast<const Byte*>(S.Memory());
    return std::vector<Byte>(Data, Data + S.Size());
}

bool registerPanResources() {
    for (int i = 0; i < 9; ++i) {
        TBitmap B(32, 32);
        drawPanMark(B.Canvas(), 32);
        if (kPanArrows[i].DX || kPanArrows[i].DY) drawArrowHead(B.Canvas(), 32, kPanArrows[i].DX, kPanArrows[i].DY);
        std::vector<Byte> Bytes{16, 0, 16, 0};  // the hot spot in the middle
        const std::vector<Byte> Bitmap = streamBytes(B);
        Bytes.insert(Bytes.end(), Bitmap.begin(), Bitmap.end());
        RegisterResource(RT_CURSOR, kPanCursorBase + i, Bytes.data(), Bytes.size());
    }
    // Both directions, horizontal only, vertical only.
    const std::vector<TPanArrow> Icons[] = {{{0, 1}, {0, -1}, {1, 0}, {-1, 0}}, {{1, 0}, {-1, 0}}, {{0, 1}, {0, -1}}};
    const char* Names[] = {"INTLI1", "INTLI2", "INTLI3"};
    for (int i = 0; i < 3; ++i) {
        TBitmap B(32, 32);
        drawPanMark(B.Canvas(), 32);
        for (const TPanArrow& A : Icons[i]) drawArrowHead(B.Canvas(), 32, A.DX, A.DY);
        const std::vector<Byte> Bytes = streamBytes(B);
        RegisterResource(RT_BITMAP, QLatin1String(Names[i]), Bytes.data(), Bytes.size());
    }
    return true;
}

// Registered where the grid's window procedure is linked in.
[[maybe_unused]] const bool PanResourcesRegistered = registerPanResources();

}  // namespace

// The cursor for a pan direction: vertical e, horizontal f (each -1, 0 or +1).
int PanCursorNumber(int e, int f) {
    for (int i = 0; i < 9; ++i)
        if (kPanArrows[i].DX == f && kPanArrows[i].DY == e) return kPanCursorBase + i;
    return kPanCursorBase;
}

// ---------------------------------------------------------------------------------------------

void TVidIvezadOrir::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_TIMER:
            WMTimer(Message);
            break;
        case WM_HSCROLL:
            WMHScroll(Message);
            break;
        case WM_VSCROLL:
            WMVScroll(Message);
            break;
        case WM_GETDLGCODE:
            WMGetDlgCode(Message);
            break;
        default:
            TBaseGrid::Dispatch(Message);
    }
}

void TVidIvezadOrir::WndProc(TMessage& Message) {
    TVidIvezadOrirState& S = *FState;
    const bool Designing = ComponentState().Contains(csDesigning);
    if (Message.Msg == WM_DESTROY) {
        if (!Designing && FAutoThemeAdapt && HandleAllocated()) SharedThemeNotifier(this)->UnRegisterWindow(Handle());
        S.OleDropTargetRegistered = false;
        if (S.GridTimerID && HandleAllocated()) {
            KillTimer(Handle(), GridTimerId);
            S.GridTimerID = 0;
        }
        if (FFocusHelper->Enabled()) HideFocusWindow();
    }
    if (ComponentState().Contains(csDestroying)) {
        TBaseGrid::WndProc(Message);
        return;
    }
    const TGridRect OldSelection = Selection();
    const int OldRow = Row();
    if (GridEditShowMessage && Message.Msg == GridEditShowMessage) {
        ShowInplaceEdit();
        return;
    }
    if (GridEditDoneMessage && Message.Msg == GridEditDoneMessage) {
        editDone(static_cast<int>(Message.WParam), static_cast<int>(Message.LParam));
        return;
    }
    switch (Message.Msg) {
        case WM_CANCELMODE:
            if (Screen && Screen->Cursor() == crDrag && (GridState() == gsRowMoving || GridState() == gsColMoving) &&
                FEnhRowColMove) {
                Screen->SetCursor(crDefault);
                if (FMoveButton) {
                    FMoveButton->SetEnabled(false);
                    FMoveButton->SetVisible(false);
                }
                if (HandleAllocated()) KillTimer(Handle(), GridAutoScrollTimerId);
            }
            break;
        case WM_PAINT:
            if (S.UpdateCount == 0 && FScrollProportional && FScrollType != ssMetro && !Designing) {
                UpdateVertScrollThumb();
                UpdateHorzScrollThumb();
            }
            break;
        case WM_SIZE:
        case WM_LBUTTONUP:
        case CM_UIACTIVATE:
            if (!Designing) {
                UpdateVertScrollThumb();
                UpdateHorzScrollThumb();
            }
            break;
        default:
            break;
    }
    if ((Message.Msg == WM_THEMECHANGED || Message.Msg == kThemeNotifierMessage) && FAutoThemeAdapt) ApplyOfficeTheme();
    if (Message.Msg == WM_NCPAINT) {
        TBaseGrid::WndProc(Message);
        if (S.UpdateCount == 0) DrawNCBorder();
        Message.Result = 0;
        return;
    }
    const TWeak<TVidIvezadOrir> Self(this);
    if (Message.Msg == WM_COMMAND && childNotification(Message)) return;
    if (!Self) return;
    if (Message.Msg == WM_TIMER && Message.WParam == kPanTimerId && S.WheelMsg && S.IsPanning &&
        FIntelliPan != ipNone) {
        panStep();
        return;
    }
    if (Message.Msg == WM_MBUTTONDOWN && S.WheelMsg && !S.IsPanning && FIntelliPan != ipNone &&
        RowCount() > FixedRows()) {
        startPanning(Point(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
        return;
    }
    if (S.IsPanning && (Message.Msg == WM_MBUTTONDOWN || Message.Msg == WM_LBUTTONDOWN ||
                        Message.Msg == WM_RBUTTONDOWN || Message.Msg == WM_KEYDOWN))
        endPanning();
    if (S.WheelMsg && Message.Msg == S.WheelMsg && !S.IsPanning && !Designing) {
        wheelStep(Message, OldSelection);
        return;
    }
    TBaseGrid::WndProc(Message);
    if (!Self) return;
    if (Row() != OldRow && FSyncGrid->Grid() && FSyncGrid->SelectionRow()) SetRowEx(Row());
}

// "GridEditDone": the cell's editing ended.
void TVidIvezadOrir::editDone(int ACol, int ARow) {
    const TWeak<TVidIvezadOrir> Self(this);
    if (OnEditCellDone) OnEditCellDone(this, ACol, ARow);
    if (!Self) return;
    if (FMouseActions->EditOnDblClickOnly()) {
        HideInplaceEdit();
        FState->EditMode = false;
        SetOptions(Options() - TGridOptions{goEditing});
    }
    if (!FState->EditMode && !EditorMode() && FFocusHelper->Enabled()) HideFocusWindow();
}

// ---------------------------------------------------------------------------------------------
// Child editors' notifications; true when the message is done

bool TVidIvezadOrir::childNotification(TMessage& Message) {
    auto* Child = reinterpret_cast<HWND>(Message.LParam);
    if (!Child || (HandleAllocated() && Child == Handle())) return false;
    const TWeak<TVidIvezadOrir> Self(this);
    ::SendMessage(Child, WM_COMMAND, Message.WParam, Message.LParam);
    if (!Self) return true;
    const Word Code = HIWORD(Message.WParam);
    const bool FromCombo = FEditCombo && FEditCombo->HandleAllocated() && Child == FEditCombo->Handle();
    const bool Editing = FState->EditMode || EditorMode();
    if (Code == EN_CHANGE && FShowEditProcess) {
        if (Editing && !FState->EditStarting && InplaceEditor()) {
            SetEditText(Col(), Row(), InplaceEditor()->Text());
        }
        return true;
    }
    if ((Code == CBN_SELCHANGE || Code == CBN_EDITCHANGE) && FromCombo && Editing) {
        comboChanged();
        if (!Self) return true;
    }
    if (Code == CBN_CLOSEUP && FromCombo) {
        if (FMouseActions->DirectComboClose()) {
            const int i = FEditCombo->ItemIndex();
            if (i >= 0) FEditCombo->SetText(FEditCombo->Items()->Strings(i));
            if (FEditCombo->Text() != FState->CellCache) {
                if (OnComboChange) OnComboChange(this, RealCol(), Row(), i, FEditCombo->Text());
                if (!Self) return true;
            }
            if (OnComboObjectChange)
                OnComboObjectChange(this, RealCol(), Row(), i, FEditCombo->Text(),
                                    i >= 0 ? FEditCombo->Items()->Objects(i) : nullptr);
            if (!Self) return true;
            FState->CurrentEditor = edComboEdit;
            FState->EditMode = true;
            const bool Direct = FMouseActions->DirectEdit();
            FMouseActions->SetDirectEdit(false);
            HideInplaceEdit();
            FMouseActions->SetDirectEdit(Direct);
            if (CanFocus()) SetFocus();
        }
        ComboCloseUp(Row(), RealCol());
        if (!Self) return true;
    }
    if (Code == CBN_DROPDOWN && FromCombo) {
        ComboDropDown(Row(), RealCol());
        if (!Self) return true;
    }
    if (Code == CBN_EDITCHANGE && OnComboChange && FEditCombo)
        OnComboChange(this, Col(), Row(), -1, FEditCombo->Text());
    return false;
}

void TVidIvezadOrir::comboChanged() {
    const int i = FEditCombo->ItemIndex();
    const String Text = i >= 0 ? FEditCombo->Items()->Strings(i) : FEditCombo->Text();
    const TWeak<TVidIvezadOrir> Self(this);
    if (OnComboChange) OnComboChange(this, RealCol(), Row(), i, Text);
    if (!Self) return;
    if (OnComboObjectChange)
        OnComboObjectChange(this, RealCol(), Row(), i, Text, i >= 0 ? FEditCombo->Items()->Objects(i) : nullptr);
}

// ---------------------------------------------------------------------------------------------
// The wheel

void TVidIvezadOrir::wheelStep(TMessage& Message, const TGridRect& OldSelection) {
    TVidIvezadOrirState& S = *FState;
    if (FScrollBar) FScrollBar->SetVisible(false);
    const TPoint ScreenPos = Point(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    const TPoint ClientPos = ScreenToClient(ScreenPos);
    if (FMouseActions->WheelActive() == waMouseOver && !ClientRect().Contains(ClientPos)) {
        Message.Result = 1;  // swallowed
        return;
    }
    // A grid inside a scrolling parent leaves the wheel to it until the grid has the focus.
    if (!Focused() && Parent()) {
        const TWeak<TVidIvezadOrir> Self(this);
        const LRESULT Answer = Parent()->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
        if (!Self) return;
        if (Answer != 0) {
            Message.Result = Answer;
            return;
        }
    }
    const int Delta = static_cast<short>(HIWORD(Message.WParam));
    const bool Down = Delta < 0;
    const TShiftState Keys = KeysToShiftState(LOWORD(Message.WParam));
    if ((Keys.Contains(ssCtrl) || GetKeyState(VK_CONTROL) < 0) && FIntelliZoom) {
        const int Lines = S.WheelScrollLines;
        Zoom(Down ? -Lines : Lines);
        IntelliZoom(Down ? -Lines : Lines);
        Message.Result = 1;
        return;
    }
    if (!FEnableWheel) {
        TBaseGrid::WndProc(Message);
        return;
    }
    if (FFixedRowAlways && RowCount() == 1) return;
    int d = FMouseActions->WheelIncrement();
    if (d < 1) d = S.WheelScrollLines;
    int c = Row();
    const bool MoveSelection = FMouseActions->WheelAction() == waMoveSelection;
    if (!MoveSelection) {
        if (Down) {
            if (TopRow() < RowCount() - VisibleRowCount() && TopRow() + d >= FixedRows())
                SetTopRow(std::min(TopRow() + d, RowCount() - 1));
        } else {
            d = std::min(d, TopRow() - FixedRows());
            if (TopRow() > FixedRows() && TopRow() - d >= FixedRows()) SetTopRow(TopRow() - d);
        }
    } else {
        c = Down ? Row() + d : Row() - d;
    }
    c = std::clamp(c, FixedRows(), std::max(FixedRows(), RowCount() - FFixedFooters - 1));
    if (Col() >= ColCount() && Row() >= RowCount())
        FocusCell(ColCount() - 1, RowCount() - 1, true);
    else if (Col() >= ColCount())
        SetCol(ColCount() - 1);
    else if (Col() < FixedCols())
        SetCol(FixedCols());
    const int Left = LeftCol();
    int Moved = 0;
    const TWeak<TVidIvezadOrir> Self(this);
    if (c >= 0 && c < RowCount()) {
        ++S.UpdateCount;
        Moved = c - Row();
        if (MoveSelection) {
            SetRowEx(c);
            if (!Self) return;
            // A row that refuses the selection is stepped over.
            for (int Tries = 0; Row() != c && Tries < RowCount(); ++Tries) {
                const int Next = Row() + (c - Row());
                if (Next < FixedRows() || Next >= RowCount() || Next == Row()) break;
                SetRowEx(Next);
                if (!Self) return;
            }
        }
        if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll()) SetLeftCol(Left);
        S.UpdateCount = 0;
    }
    bool Handled = false;
    WheelScrolled(Moved, Handled);
    if (Handled) {
        Message.Result = 1;
        const bool Disjunct = FMouseActions->DisjunctRowSelect();
        const TShiftState Shift = Disjunct ? Keys : TShiftState{};
        const TPoint Pos = Disjunct ? ScreenPos : FMouseActions->WheelActive() == waMouseOver ? ClientPos : Point(0, 0);
        bool EventHandled = false;
        if (Down && OnMouseWheelDown) OnMouseWheelDown(this, Shift, Pos, EventHandled);
        if (!Down && OnMouseWheelUp) OnMouseWheelUp(this, Shift, Pos, EventHandled);
        if (!Self) return;
    }
    if (!(Selection() == OldSelection))
        DrawSelectionFrame(Selection().Left, Selection().Top, Selection().Right, Selection().Bottom);
    if (FSearchFooter->Visible() && TopRow() == RowCount() - VisibleRowCount()) AdjustForSearchFooter();
    Invalidate();
}

void TVidIvezadOrir::WheelScrolled(int Delta, bool& Handled) { Handled = true; }

void TVidIvezadOrir::IntelliZoom(int Delta) {
    if (OnIntelliZoom) OnIntelliZoom(this, Delta);
}

// ---------------------------------------------------------------------------------------------
// Panning with the middle button

void TVidIvezadOrir::startPanning(const TPoint& Origin) {
    TVidIvezadOrirState& S = *FState;
    S.PanCursor = LoadCursor(HInstance, kPanCursorBase);
    S.CursorBeforePan = ::SetCursor(S.PanCursor);
    S.IsPanning = true;
    S.PanTimerID = SetTimer(Handle(), kPanTimerId, kPanTimerInterval);
    S.PanOrigin = Origin;
    SetMouseCapture(true);
    S.HintsBeforePan = ShowHint();
    SetShowHint(false);
    DrawPanIcon();
}

void TVidIvezadOrir::endPanning() {
    TVidIvezadOrirState& S = *FState;
    if (MouseCapture()) SetMouseCapture(false);
    if (HandleAllocated()) KillTimer(Handle(), kPanTimerId);
    S.PanTimerID = 0;
    ::SetCursor(S.CursorBeforePan);
    SetShowHint(S.HintsBeforePan);
    S.IsPanning = false;
    InvalidatePanIcon();
}

bool TVidIvezadOrir::Panning() const { return FState->IsPanning; }

void TVidIvezadOrir::panStep() {
    TVidIvezadOrirState& S = *FState;
    const TGridRect OldSelection = Selection();
    const TPoint P = ScreenToClient(Mouse->CursorPos());
    int e = 0, f = 0;
    if (FIntelliPan != ipHorizontal) e = P.Y > S.PanOrigin.Y + 5 ? 1 : P.Y < S.PanOrigin.Y - 5 ? -1 : 0;
    if (FIntelliPan != ipVertical) f = P.X > S.PanOrigin.X + 5 ? 1 : P.X < S.PanOrigin.X - 5 ? -1 : 0;
    const int Number = PanCursorNumber(e, f);
    const int LastRow = RowCount() - FFixedFooters - 1;
    const int LastCol = ColCount() - FFixedRightCols - 1;
    if (Row() < FixedRows() || Row() > LastRow)
        SetRowEx(std::clamp(Row(), FixedRows(), std::max(FixedRows(), LastRow)));
    if (Col() < FixedCols() || Col() > LastCol) SetCol(std::clamp(Col(), FixedCols(), std::max(FixedCols(), LastCol)));
    if (FMouseActions->WheelAction() == waScroll) {
        if (f) {
            InvalidatePanIcon();
            SetLeftCol(std::clamp(LeftCol() + f, FixedCols(), std::max(FixedCols(), ColCount() - VisibleColCount())));
        }
        if (e) {
            InvalidatePanIcon();
            SetTopRow(std::clamp(TopRow() + e, FixedRows(), std::max(FixedRows(), RowCount() - VisibleRowCount())));
        }
    } else {
        const int NewCol = std::clamp(Col() + f, FixedCols(), std::max(FixedCols(), LastCol));
        const int NewRow = std::clamp(Row() + e, FixedRows(), std::max(FixedRows(), LastRow));
        const bool Outside = NewCol < LeftCol() || NewCol >= LeftCol() + VisibleColCount() || NewRow < TopRow() ||
                             NewRow >= TopRow() + VisibleRowCount();
        if (Outside) InvalidatePanIcon();
        if (NewCol != Col()) SetCol(NewCol);
        if (NewRow != Row()) SetRowEx(NewRow);
    }
    ::SetCursor(Number == kPanCursorBase ? S.PanCursor : LoadCursor(HInstance, Number));
    DrawPanIcon();
    if (!(Selection() == OldSelection))
        DrawSelectionFrame(Selection().Left, Selection().Top, Selection().Right, Selection().Bottom);
}

void TVidIvezadOrir::DrawPanIcon() {
    if (HandleAllocated()) drawPanIconOn(Canvas());
}

// The icon for the current IntelliPan at the pan origin, its top-left pixel's colour transparent.
void TVidIvezadOrir::drawPanIconOn(TCanvas* ACanvas) {
    const char* Name = FIntelliPan == ipBoth         ? "INTLI1"
                       : FIntelliPan == ipHorizontal ? "INTLI2"
                       : FIntelliPan == ipVertical   ? "INTLI3"
                                                     : nullptr;
    if (!Name) return;
    TBitmap Icon;
    Icon.LoadFromResourceName(HInstance, QLatin1String(Name));
    Icon.SetTransparentColor(Icon.Canvas()->Pixels(0, 0));
    Icon.SetTransparent(true);
    ACanvas->Draw(FState->PanOrigin.X, FState->PanOrigin.Y, &Icon);
}

// While panning every paint shows the icon, so that the moves it causes keep it in view.
void TVidIvezadOrir::Paint() {
    TBaseGrid::Paint();
    if (ActiveFocusGrid == this && !TranslucentWindowsShown()) paintFocusRing(Canvas());
    if (FState->IsPanning) drawPanIconOn(Canvas());
}

// The focus frame's stand-in: a rounded ring in the frame's colour just outside the cell.
void TVidIvezadOrir::paintFocusRing(TCanvas* ACanvas) {
    const TRect R = CellRect(Col(), Row());
    if (R.IsEmpty()) return;
    ACanvas->Pen()->SetColor(kFocusFrameColor);
    ACanvas->Pen()->SetWidth(2);
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->RoundRect(R.Left - 3, R.Top - 3, R.Right + 3, R.Bottom + 3, 5, 5);
    ACanvas->Pen()->SetWidth(1);
    ACanvas->Brush()->SetStyle(bsSolid);
}

void TVidIvezadOrir::InvalidatePanIcon() {
    if (HandleAllocated()) Invalidate();
}
