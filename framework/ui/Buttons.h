// The flat speed button: a graphic control painted by the library, with a caption under an
// optional glyph, a hot look under the pointer, and a Down state that a group of buttons shares
// (GroupIndex > 0: pressing one raises the others of its group on the same parent).
#pragma once

#include "framework/ui/Controls.h"

#include <memory>

class TBitmap;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;

    // Flat: no frame until the pointer is over the button.
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    // Copied; an empty bitmap means no glyph.
    TBitmap* Glyph() const;
    void SetGlyph(TBitmap* Value);
    // The glyph holds this many images side by side (1 to 4): up, disabled, down, stays down;
    // the image of the state shows, the first one when the glyph has no image for it.
    int NumGlyphs() const { return FNumGlyphs; }  // default 1
    void SetNumGlyphs(int Value);
    TButtonLayout Layout() const { return FLayout; }  // default blGlyphTop
    void SetLayout(TButtonLayout Value);
    // 0: a plain button that never stays down.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    // Whether the last down button of a group may be raised by a second click.
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    // Only a button with a GroupIndex stays down; setting it raises the others of its group.
    bool Down() const { return FDown; }
    void SetDown(bool Value);

    // What the button shows now (bsDown while pressed or Down).
    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    void Click() override;

protected:
    // The state's image of the glyph, with the glyph's transparency; empty without a glyph.
    std::unique_ptr<TBitmap> StateGlyph() const;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);

private:
    bool FFlat = false;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphTop;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FDown = false;
    TButtonState FState = bsUp;
    bool FDragging = false;
    bool FMouseInControl = false;

    void raiseOthersOfGroup();
    void setState(TButtonState Value);
};
