// The controls and windows a grid makes for itself: the in-place editors it keeps as hidden
// children, the filter lists, the footer and search panels, the drop markers of moves, the focus
// frame, the hover-button form, and the list of controls placed in cells. Each offers what the
// grid sets on it now; the editing, filtering and painting code that uses them adds the rest.
#pragma once

#include "components/dropdowns/AdvDateTimePicker.h"
#include "components/dropdowns/AdvMemoDropDown.h"
#include "components/grid/GridFocusWindow.h"
#include "framework/rtl/List.h"
#include "framework/ui/DateTimePicker.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Grids.h"
#include "framework/ui/HintWindow.h"
#include "framework/ui/Mask.h"
#include "framework/ui/StdCtrls.h"

class TVidIvezadOrir;

using TEditorUnitChangedEvent = std::function<void(TObject* Sender, const String& NewUnit)>;

// The grid's default text editor.
class TAdvInplaceEdit : public TInplaceEdit {
public:
    explicit TAdvInplaceEdit(TComponent* AOwner) : TInplaceEdit(AOwner) {}
    bool WordWrap() const { return FWordWrap; }
    // Stores the flag; a multi-line editor follows when the window is made again.
    void SetWordWrap(bool Value);

private:
    bool FWordWrap = false;
};

class TGridCombo : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value) { FIsWinXP = Value; }
    // Vista or later with version-6 common controls.
    bool IsVista() const { return FIsVista; }
    void SetIsVista(bool Value) { FIsVista = Value; }

private:
    bool FIsWinXP = false;
    bool FIsVista = false;
};

class TGridCheckBox : public TCustomCheckBox {
public:
    using TCustomCheckBox::TCustomCheckBox;
};

class TGridEditBtn : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    const String& ButtonCaption() const { return FButtonCaption; }
    void SetButtonCaption(const String& Value) { FButtonCaption = Value; }
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value) { FIsWinXP = Value; }

private:
    String FButtonCaption;
    bool FIsWinXP = false;
};

class TGridUnitEditBtn : public TGridEditBtn {
public:
    using TGridEditBtn::TGridEditBtn;
    TEditorUnitChangedEvent OnUnitChanged;
};

class TGridButton : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};

// The date and time editor of date, up-down date and time cells. Its calendar's week numbers and
// today marks are the calendar base's; the grid gives them to the dropped-down calendar.
class TGridDatePicker : public TDateTimePicker {
public:
    using TDateTimePicker::TDateTimePicker;
    bool Weeknumbers() const { return WeekNumbers(); }  // default false
    void SetWeeknumbers(bool Value) { SetWeekNumbers(Value); }
};

// The editor of date-and-time cells: the grid has Tab and Shift+Tab.
class TGridDateTimePicker : public TAdvDateTimePicker {
public:
    explicit TGridDateTimePicker(TComponent* AOwner) : TAdvDateTimePicker(AOwner) { SetGridTabHandling(true); }
};

class TGridMemoDropDown : public TAdvMemoDropDown {
public:
    using TAdvMemoDropDown::TAdvMemoDropDown;
};

// The button that floats with a dragged column header.
class THeaderDragButton : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TVidIvezadOrir* Grid() const { return FGrid; }
    void SetGrid(TVidIvezadOrir* Value) { FGrid = Value; }

private:
    TVidIvezadOrir* FGrid = nullptr;
};

// Editors of the form controls in cell markup: a masked edit for EDIT, PASSWORD and MASK, a
// combo box on the grid's combo base for COMBO.
class TControlEdit : public TCustomMaskEdit {
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};

class TControlCombo : public TGridCombo {
public:
    using TGridCombo::TGridCombo;
};

// The editors of the filter-edit row and of fixed cells.
class TGridTransEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    bool IsFilterEdit() const { return FIsFilterEdit; }
    void SetIsFilterEdit(bool Value) { FIsFilterEdit = Value; }

private:
    bool FIsFilterEdit = false;
};

class TGridTransCombo : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
};

// The filter drop-down lists; OnSelect when an entry is chosen, OnClose when the list closes.
class TDropList : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TNotifyEvent OnSelect;
    TNotifyEvent OnClose;
};

class TDropCheckList : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TNotifyEvent OnSelect;
    TNotifyEvent OnClose;
};

// The panel that paints the floating footer.
class TFooterPanel : public TCustomPanel {
public:
    explicit TFooterPanel(TComponent* AOwner);
};

// The search bar at the bottom of the grid.
class TSearchPanel : public TCustomPanel {
public:
    explicit TSearchPanel(TComponent* AOwner);
    TNotifyEvent OnEditChange;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnForwardClick;
    TNotifyEvent OnExitClick;
    TNotifyEvent OnHighLightClick;
    TNotifyEvent OnMatchCaseClick;
};

enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };

// A drop marker of a column or row move: a tiny popup window (screen coordinates) shaped as an
// arrow by its window region and filled with its Color. arrLeft points right, arrRight left.
class TArrowWindow : public TCustomPanel {
public:
    // Init: the direction, colour clLime, AOwner (a windowed control) as parent, hidden.
    TArrowWindow(TComponent* AOwner, TArrowDirection Direction);
    TArrowDirection Direction() const { return Dir; }
    // The outline the window's region was made from, in order.
    const TPoint* Outline() const { return Arrow; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;

private:
    TArrowDirection Dir;
    TPoint Arrow[7] = {};
};

// The outline of each direction's arrow (7 points, x and y in pixels).
const TPoint* ArrowOutline(TArrowDirection Direction);

// A hint window for mini-HTML hints: the grid's scroll hints and cell hints.
class THTMLHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
};

enum TScrollControlDirection { sdVertical, sdHorizontal };

// The thin Metro scroll indicator at the grid's right or bottom edge.
class TScrollControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TScrollControlDirection Direction() const { return FDirection; }
    void SetDirection(TScrollControlDirection Value) { FDirection = Value; }

private:
    TScrollControlDirection FDirection = sdVertical;
};

// Told of the grid's changes; the grid keeps a list of them (RegisterNotifier).
class TGridChangeNotifier : public TComponent {
public:
    using TComponent::TComponent;
};

// The cell checker a grid is linked to (CellChecker): what the grid reads and calls of it. The
// checking itself belongs to the checker's own kinds; here it corrects and marks nothing.
class TVidIvezadOrirCheck : public TComponent {
public:
    using TComponent::TComponent;
    TVidIvezadOrir* Grid() const { return FGrid; }
    void SetGrid(TVidIvezadOrir* Value) { FGrid = Value; }
    bool GotoCell() const { return FGotoCell; }
    void SetGotoCell(bool Value) { FGotoCell = Value; }
    bool UseCorrect() const { return FUseCorrect; }
    void SetUseCorrect(bool Value) { FUseCorrect = Value; }
    bool UseMarkError() const { return FUseMarkError; }
    void SetUseMarkError(bool Value) { FUseMarkError = Value; }
    // The modal result of the last check.
    int LastResult() const { return FLastResult; }
    void SetLastResult(int Value) { FLastResult = Value; }
    virtual void StartCheck() {}
    virtual void StopCheck() {}
    virtual String Correct(int ACol, int ARow, const String& S);
    virtual String MarkError(int ACol, int ARow, const String& S);

private:
    TVidIvezadOrir* FGrid = nullptr;
    bool FGotoCell = false;
    bool FUseCorrect = false;
    bool FUseMarkError = false;
    int FLastResult = 0;
};

// The one selection listener a grid keeps (RegisterSelListener).
class ITVidIvezadOrirSelect : public IInterface {
protected:
    ~ITVidIvezadOrirSelect() = default;
};

// A form that shows without taking activation (the grid's hover-button bar).
class TNoActiveForm : public TForm {
public:
    explicit TNoActiveForm(TComponent* AOwner);
};

// ---------------------------------------------------------------------------------------------
// Which control is placed in which cell.

class TControlItem : public TObject {
public:
    TControlItem(int X, int Y, TControl* AObject) : FX(X), FY(Y), FObject(AObject) {}
    int X() const { return FX; }
    void SetX(int Value) { FX = Value; }
    int Y() const { return FY; }
    void SetY(int Value) { FY = Value; }
    TControl* Control() const { return FObject; }
    void SetControl(TControl* Value) { FObject = Value; }

private:
    int FX;
    int FY;
    TControl* FObject;
};

// Owns its items, not the controls they name.
class TControlList : public TList {
public:
    ~TControlList() override;
    void AddControl(int X, int Y, TControl* AObject);
    // Raises EListError for an index outside the list.
    TControlItem* GetControl(int i) const { return static_cast<TControlItem*>(Items(i)); }
    // The first item of cell (X, Y), -1 when none.
    int ControlIndex(int X, int Y) const;
    // Frees the item (the control stays) and takes it out.
    void RemoveControl(int i);
    // Whether some item's control is a windowed control with this window (asking makes it).
    bool HasHandle(HWND Handle) const;
};
