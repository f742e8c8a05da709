// Form controls in cell markup: the edit and combo boxes laid over EDIT, PASSWORD, MASK and COMBO
// controls, their values written back into the cell text, and the step to a cell's next control.
#include "components/graphics/AsgHTMLE.h"
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir_Internal.h"

namespace {

bool isTextControl(const String& Type) {
    return Type == QLatin1String("EDIT") || Type == QLatin1String("PASSWORD") || Type == QLatin1String("MASK");
}

bool isComboControl(const String& Type) { return Type == QLatin1String("COMBO"); }

}  // namespace

TVidIvezadOrir& TVidIvezadOrirFormControls::grid() { return static_cast<TVidIvezadOrir&>(*this); }

void TVidIvezadOrirFormControls::StartControlEdit(const String& CellText, const String& CtrlType, int ARow, int RealCol,
                                                  int ACol, const TRect& CtrlRect, const String& CtrlValue,
                                                  const String& CtrlID) {
    if (!isTextControl(CtrlType) && !isComboControl(CtrlType)) return;
    // The boxes serve one control at a time: an open edit keeps its value before they move on.
    if (FCtrlEditing) {
        const TWeak<TVidIvezadOrir> Alive(&grid());
        ControlEditDone();
        if (!Alive) return;
    }
    FCtrlXY = Point(RealCol, ARow);
    FCtrlID = CtrlID;
    FCtrlType = CtrlType;
    FCtrlEditing = true;
    if (isTextControl(CtrlType))
        startTextEdit(CellText, CtrlRect, CtrlValue);
    else
        startComboEdit(CellText, ACol, CtrlRect, CtrlValue);
}

void TVidIvezadOrirFormControls::startTextEdit(const String& CellText, const TRect& R, const String& CtrlValue) {
    TVidIvezadOrir& g = grid();
    TControlEdit* Edit = g.FEditControl;
    Edit->SetPasswordChar(FCtrlType == QLatin1String("PASSWORD") ? Char(u'*') : Char(u'\0'));
    // The mask first: setting it refits whatever text the box holds.
    Edit->SetEditMask(FCtrlType == QLatin1String("MASK") ? AsgHTMLE::GetControlProp(CellText, FCtrlID) : String());
    Edit->OnExit = [this](TObject*) { ControlEditDone(); };
    Edit->SetText(CtrlValue);
    Edit->SetBorderStyle(bsNone);
    Edit->SetBounds(R.Left + 1, R.Top + 8, R.Right - R.Left - 4, 14);
    Edit->SetMaxLength(AsgHTMLE::GetControlMaxLen(CellText, FCtrlID));
    Edit->SetParent(&g);
    Edit->SetVisible(true);
    Edit->BringToFront();
    if (Edit->CanFocus()) Edit->SetFocus();
}

void TVidIvezadOrirFormControls::startComboEdit(const String& CellText, int ACol, const TRect& R,
                                                const String& CtrlValue) {
    TVidIvezadOrir& g = grid();
    TControlCombo* Combo = g.FComboControl;
    Combo->SetIsWinXP(g.IsWinXP());
    Combo->SetBounds(R.Left - 1, R.Top + 4, R.Right - R.Left, Combo->Height());
    Combo->OnSelect = [this](TObject*) { ControlComboSelect(); };
    // The list is the control's own: nothing stays from the previous control's.
    Combo->Items()->Clear();
    bool Edit = true;
    int DropCount = 8;
    if (OnControlComboList) {
        const TWeak<TVidIvezadOrir> Alive(&g);
        OnControlComboList(&g, FCtrlXY.Y, ACol, FCtrlID, FCtrlType, CtrlValue, Combo->Items(), Edit, DropCount);
        if (!Alive) return;
    }
    Combo->SetStyle(Edit ? csDropDown : csDropDownList);
    const int Index = Combo->Items()->IndexOf(CtrlValue);
    if (Index >= 0) Combo->SetItemIndex(Index);
    Combo->SetText(CtrlValue);
    Combo->SetDropDownCount(DropCount);
    Combo->OnExit = [this](TObject*) { ControlEditDone(); };
    // The platform's height of item height x (DropCount + 2) is the room of the dropped list;
    // here the list sizes itself to DropCount items and the box keeps its own height.
    Combo->SetMaxLength(AsgHTMLE::GetControlMaxLen(CellText, FCtrlID));
    Combo->SetParent(&g);
    Combo->SetVisible(true);
    Combo->BringToFront();
    if (Combo->CanFocus()) Combo->SetFocus();
    Combo->SetDroppedDown(true);
}

void TVidIvezadOrirFormControls::ControlComboSelect() {
    if (!OnControlComboSelect) return;
    TControlCombo* Combo = grid().FComboControl;
    const int Index = Combo->ItemIndex();
    const String Value = Index >= 0 ? Combo->Items()->Strings(Index) : Combo->Text();
    OnControlComboSelect(&grid(), FCtrlXY.Y, FCtrlXY.X, Index, FCtrlID, Value);
}

void TVidIvezadOrirFormControls::ControlEditDone() {
    if (!FCtrlEditing) return;
    // Cleared first: hiding the box moves the focus, which must not end the edit twice.
    FCtrlEditing = false;
    TVidIvezadOrir& g = grid();
    String Value;
    if (isTextControl(FCtrlType)) {
        Value = g.FEditControl->Text();
        g.SetCtrlVal(FCtrlXY.X, FCtrlXY.Y, FCtrlID, Value);
        g.FEditControl->SetVisible(false);
    } else if (isComboControl(FCtrlType)) {
        if (g.FComboControl->DroppedDown()) g.FComboControl->SetDroppedDown(false);
        Value = g.FComboControl->Text();
        g.SetCtrlVal(FCtrlXY.X, FCtrlXY.Y, FCtrlID, Value);
        g.FComboControl->SetVisible(false);
    }
    const TWeak<TVidIvezadOrir> Alive(&g);
    if (OnControlEditDone) OnControlEditDone(&g, FCtrlXY.Y, FCtrlXY.X, FCtrlID, FCtrlType, Value);
    if (Alive) FCtrlType.clear();
}

void TVidIvezadOrirFormControls::FocusNextCellControl(int ACol, int ARow, const String& ID) {
    TVidIvezadOrir& g = grid();
    const int RealCol = g.RealColIndex(ACol);
    const String Text = g.GetCellEx(RealCol, ARow);
    const String NextID = AsgHTMLE::NextControlID(Text, ID);
    if (NextID.isEmpty()) {
        if (g.CanFocus()) g.SetFocus();
        return;
    }
    // The cell's text as the painter lays it out: inside the text margin, right of a check box.
    TRect R = g.CellRect(ACol, ARow);
    R.Left += g.XYOffset().X + 1;
    R.Top += g.XYOffset().Y + 1;
    if (g.HasCheckBox(RealCol, ARow)) R.Left += g.ScaledCheckSize();
    TGridDrawState State;
    TBrush Brush;
    TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
    TAlignment HAlign = taLeftJustify;
    basegrid::TVAlignment VAlign = basegrid::vtaTop;
    bool WordWrap = false;
    TCellGradientDirection Direction = GradientVertical;
    TCanvas* Canvas = g.Canvas();
    g.GetVisualProperties(ACol, ARow, State, false, false, true, &Brush, ColorTo, MirrorColor, MirrorColorTo,
                          Canvas->Font(), HAlign, VAlign, WordWrap, Direction);
    TMarkupRequest Request;
    Request.Canvas = Canvas;
    Request.Text = Text;
    Request.DrawRect = R;
    Request.Images = g.GridImages();
    Request.HitTestOnly = true;
    Request.WordWrap = WordWrap;
    Request.PictureCache = g.ImageCache();
    Request.Container = g.PictureContainer();
    Request.ControlID = NextID;
    const TMarkupResult Found = AsgHTMLE::DrawMarkupText(Request);
    StartControlEdit(Text, Found.ControlType, ARow, RealCol, ACol, Found.ControlRect, Found.ControlValue, NextID);
}
