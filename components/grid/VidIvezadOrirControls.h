// The clickable cell graphics of TVidIvezadOrir: check boxes in five kinds, single radio buttons
// forming row or column groups, radio lists and push buttons; their states, toggles and hit
// rectangles. TVidIvezadOrir inherits this class; its operations act on the grid they are part of.
#pragma once

#include "components/grid/model/CellGraphic.h"

class TVidIvezadOrir;

using TCheckBoxChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TCheckBoxCanToggleEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State, bool& Allow)>;

class TVidIvezadOrirControls {
public:
    virtual ~TVidIvezadOrirControls() = default;

    TCheckBoxChangeEvent OnCheckBoxChange;
    // State: the box's state before the toggle.
    TCheckBoxCanToggleEvent OnCheckBoxCanToggle;

    // ---- Check boxes. The Add... operations raise "Invalid cell" outside the grid (hidden rows
    // and columns counted, negative indexes too); a data check box's text becomes the check text
    // of State unless it already is one of the two.
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
    void RemoveCheckBox(int ACol, int ARow);
    bool IsCheckBoxColumn(int ACol);
    bool IsDataGraphicCell(int ACol, int ARow);
    // Cells that are clicked rather than edited.
    bool IsControlCell(int ACol, int ARow);
    // Node rows get tri-state boxes; summary rows none.
    void AddCheckBoxColumn(int ACol, bool DefaultState = false, bool DataCheckBox = false);
    void RemoveCheckBoxColumn(int ACol);
    // With hidden rows ARow is a real row. False, State untouched, without a readable box.
    bool GetCheckBoxState(int ACol, int ARow, bool& State);
    bool IsChecked(int ACol, int ARow);
    // ARow a real row; no change event.
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
    // ARow a displayed row; fires CheckBoxChange on a change.
    bool SetCheckState(int ACol, int ARow, bool State);
    void CheckAll(int ACol);
    void UnCheckAll(int ACol);
    bool ToggleCheckBox(int ACol, int ARow) { return ToggleCellCheckBox(ACol, ARow, false); }
    // The toggle of mouse and keyboard, vetoable by OnCheckBoxCanToggle; recorded for undo. With
    // Grouping.AutoCheckGroup on a grouped grid a node's box drives its children's and back.
    virtual bool ToggleCellCheckBox(int ACol, int ARow, bool CheckEditable);
    virtual void CheckBoxChange(int ACol, int ARow, bool State);
    // With PreciseCheckBoxCheck only the box itself (right and bottom edges excluded).
    bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);

    // ---- Radio buttons.
    void AddRadioButton(int ACol, int ARow, bool State = false);
    void AddRadioButtonGroup(int ACol, int ARow, TRadioButtonGroup Group, bool State = false);
    void RemoveRadioButton(int ACol, int ARow);
    bool HasRadioButton(int ACol, int ARow);
    bool HasRadioButtonGroup(int ACol, int ARow, TRadioButtonGroup Group);
    bool IsRadioButtonChecked(int ACol, int ARow);
    // Never unchecks the group's other buttons.
    bool SetRadioButtonState(int ACol, int ARow, bool State);
    void AddRadioButtonColumn(int ACol);
    void AddRadioButtonGroupColumn(int ACol);
    void RemoveRadioButtonColumn(int ACol);
    void SetRadioButtonColumnIndex(int ACol, int Index);
    void SetRadioButtonRowIndex(int ARow, int Index);
    int GetRadioButtonColumnIndex(int ACol);
    // Checks the button and unchecks the checked ones of the contiguous run of its group.
    virtual bool ToggleCellRadioButton(int ACol, int ARow, bool CheckEditable);

    // ---- Radio lists (captions in one cell, one selected).
    // sl stays the caller's.
    void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* sl);
    // A new caption list owned by the cell, for the caller to fill.
    TStrings* CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
    void RemoveRadio(int ACol, int ARow);
    bool GetRadioIdx(int ACol, int ARow, int& IdxRadio);
    // -1 also clears the cell text.
    bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
    TStrings* GetRadioStrings(int ACol, int ARow);
    // The keyboard's step to the next caption, wrapping; always false.
    bool CycleRadio(int ACol, int ARow, bool CheckEditable);

    // ---- Buttons. The text, push and rectangle operations take displayed columns.
    void AddButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal, TCellVAlign val);
    // Glyph stays the caller's.
    void AddBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal,
                      TCellVAlign val);
    TBitmap* CreateBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                             TCellVAlign val);
    void SetButtonText(int ACol, int ARow, const String& Caption);
    String GetButtonText(int ACol, int ARow);
    void PushButton(int ACol, int ARow, bool push);
    void RemoveBitButton(int ACol, int ARow);
    void RemoveButton(int ACol, int ARow);
    void RemoveAllButtons();
    // Where the painter drew the button; (0, 0, 0, 0) without a graphic.
    TRect GetButtonRect(int ACol, int ARow);

private:
    TVidIvezadOrir& grid();
    void checkCell(int ACol, int ARow);
    TCellVAlign newControlVAlign();
    TCellGraphic* realRowGraphic(int ACol, int ARealRow);
    String checkText(int ACol, int ARow, bool State);
    bool mayEdit(int ACol, int ARow, bool CheckEditable, bool AlwaysActive);
    int firstCheckRow();
    void checkGroup(int ACol, int ARow, bool NewState);
};
