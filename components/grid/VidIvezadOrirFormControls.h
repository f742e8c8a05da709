// The form controls in cell markup of TVidIvezadOrir: a <CONTROL> tag of type EDIT, PASSWORD,
// MASK or COMBO is edited in a real box the grid keeps (its EditControl or ComboControl) laid
// over the control's rectangle; when the box loses the focus its text goes back into the tag's
// VALUE in the cell text. At most one such edit is open. TVidIvezadOrir inherits this class.
#pragma once

#include "framework/rtl/Types.h"

#include <functional>

class TObject;
class TStrings;
class TVidIvezadOrir;

using TControlClickEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& CtrlID,
                                              const String& CtrlType, const String& CtrlVal)>;
// Values is the combo box's list, for the handler to fill; Edit false makes it a drop-down list,
// DropCount the items it shows.
using TControlComboListEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const String& CtrlID, const String& CtrlType,
                       const String& CtrlVal, TStrings* Values, bool& Edit, int& DropCount)>;
using TControlComboSelectEvent = std::function<void(TObject* Sender, int ARow, int ACol, int ItemIndex,
                                                    const String& CtrlID, const String& CtrlValue)>;
using TControlEditDoneEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& CtrlID,
                                                 const String& CtrlType, const String& CtrlVal)>;

class TVidIvezadOrirFormControls {
public:
    virtual ~TVidIvezadOrirFormControls() = default;

    // A press on a control of a cell (the grid's mouse handling fires it).
    TControlClickEvent OnControlClick;
    TControlComboListEvent OnControlComboList;
    TControlComboSelectEvent OnControlComboSelect;
    TControlEditDoneEvent OnControlEditDone;

    // Opens the edit box (EDIT, PASSWORD, MASK) or the combo box (COMBO) over CtrlRect, in client
    // coordinates, with CtrlValue; the mask (PROP) and maximum length (MAXLEN) come from the
    // control's tag in CellText. Any other type opens nothing. ARow and RealCol name the cell the
    // value goes back to; ACol is the displayed column the combo list event gets.
    void StartControlEdit(const String& CellText, const String& CtrlType, int ARow, int RealCol, int ACol,
                          const TRect& CtrlRect, const String& CtrlValue, const String& CtrlID);
    // The boxes' exit handler: writes the box's text into the control's VALUE, hides the box and
    // fires OnControlEditDone. Nothing when no control edit is open.
    void ControlEditDone();
    // The combo box's select handler: OnControlComboSelect with the picked item.
    void ControlComboSelect();
    // Opens the next edit or combo control after ID (the first with an empty ID) of the cell at
    // the displayed column ACol, where the cell's markup places it; without one the grid takes
    // the focus.
    void FocusNextCellControl(int ACol, int ARow, const String& ID);

    // The cell (real column, row) of the open control edit.
    TPoint CtrlXY() const { return FCtrlXY; }
    const String& CtrlID() const { return FCtrlID; }
    // Empty once the edit has ended.
    const String& CtrlType() const { return FCtrlType; }
    bool CtrlEditing() const { return FCtrlEditing; }

private:
    TVidIvezadOrir& grid();
    TPoint FCtrlXY{0, 0};
    String FCtrlID;
    String FCtrlType;
    bool FCtrlEditing = false;

    void startTextEdit(const String& CellText, const TRect& R, const String& CtrlValue);
    void startComboEdit(const String& CellText, int ACol, const TRect& R, const String& CtrlValue);
};
