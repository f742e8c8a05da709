// The masked edit: an edit whose text follows an edit mask (MaskEngine.h). With a mask the edit
// shows every position (literals in place, the blank character where nothing was typed), typing
// overwrites the position under the caret and skips the literals, Backspace and Delete empty
// positions instead of closing the gap, and leaving the edit with a text that misses a required
// character raises EDBEditError. Without a mask it is a plain edit.
#pragma once

#include "framework/rtl/Exceptions.h"
#include "framework/ui/MaskEngine.h"
#include "framework/ui/StdCtrls.h"

QVD_DECLARE_EXCEPTION(EDBEditError, Exception);

class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner);

    // Setting a mask refits the current text into it; an empty mask frees the text.
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& Value);
    bool IsMasked() const { return !FMask.Empty(); }
    // The text as shown: literals and blanks included (the window's text).
    String EditText() const { return TControl::Text(); }
    void SetEditText(const String& Value);
    // The text as the mask keeps it (MaskedTextOf); writing fits the value into the mask.
    String Text() const;
    String GetText() const { return Text(); }
    void SetText(const String& Value);

    // Raises EDBEditError (and puts the caret on the first bad position) when the text, edited
    // since it was last set, does not fit the mask.
    virtual void ValidateEdit();
    // Puts back the text as it was last set, when it was edited since.
    void Reset();

protected:
    // With a mask, after the inherited handling: Delete empties positions; every character is
    // typed into the mask (Ctrl+V pastes, Ctrl+X cuts) and swallowed.
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
    void Dispatch(TMessage& Message) override;
    void WMCut(TMessage& Message);
    void WMPaste(TMessage& Message);
    void CMExit(TMessage& Message);

private:
    String FEditMask;
    TEditMaskInfo FMask;
    bool FMaskEdited = false;  // typed into since the text was last set
    String FSavedEditText;     // what Reset puts back

    void typeMasked(const String& Chars);
    void backspaceMasked();
    void clearMaskedSelection();
    void putEditText(const String& Value, int Caret);
};

class TMaskEdit : public TCustomMaskEdit {
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};
