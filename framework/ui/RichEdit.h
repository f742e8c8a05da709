// The rich edit: text with character formats (font, size, bold, italic, underline, strike-out,
// colour) and paragraph alignment, kept in a document that exists with or without a window.
// Lines reads and writes it: LoadFromStream takes rich text (data starting "{\rtf") or plain
// text, SaveToStream writes rich text unless PlainText. The rich text is the platform's format
// in the subset the library uses: fonts and colours tables, \f \fs \b \i \ul \strike \cf,
// \par \pard \ql \qc \qr \qj, \tab, \line, \'hh and \uN; a load reads back what a save wrote.
#pragma once

#include "framework/rtl/StringList.h"
#include "framework/ui/Controls.h"
#include "framework/ui/StdCtrls.h"

#include <memory>

class TCustomRichEdit;
struct TRichEditState;  // framework-internal: the document and its window

// The character format of the selection (SelAttributes) or of text typed where nothing was
// formatted yet (DefAttributes). Reading gives the format at the selection's start.
class TTextAttributes : public TPersistent {
public:
    enum TKind { atSelected, atDefaultText };
    TTextAttributes(TCustomRichEdit* AOwner, TKind Kind) : FOwner(AOwner), FKind(Kind) {}
    TColor Color() const;
    void SetColor(TColor Value);
    String Name() const;
    void SetName(const String& Value);
    // Points.
    int Size() const;
    void SetSize(int Value);
    TFontStyles Style() const;
    void SetStyle(TFontStyles Value);
    void Assign(TPersistent* Source) override;

private:
    TCustomRichEdit* FOwner;
    TKind FKind;
};

// The alignment of the paragraphs of the selection.
class TParaAttributes : public TPersistent {
public:
    explicit TParaAttributes(TCustomRichEdit* AOwner) : FOwner(AOwner) {}
    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);

private:
    TCustomRichEdit* FOwner;
};

class TCustomRichEdit : public TWinControl {
public:
    explicit TCustomRichEdit(TComponent* AOwner);
    ~TCustomRichEdit() override;

    // One line per paragraph.
    TStrings* Lines() const;
    void SetLines(TStrings* Value);
    // Lines are saved as plain text.
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool Value) { FPlainText = Value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    String SelText() const;
    void SelectAll();
    void Clear();
    TTextAttributes* SelAttributes() const { return FSelAttributes.get(); }
    TTextAttributes* DefAttributes() const { return FDefAttributes.get(); }
    TParaAttributes* Paragraph() const { return FParagraph.get(); }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;

    // The document as rich text, and rich text read into it (replacing it); a text that is not
    // rich text is read as plain text.
    String RichText() const;
    void SetRichText(const String& Value);
    // Framework-internal.
    TRichEditState* State() const { return FState.get(); }

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    String RealGetText() const override;
    void RealSetText(const String& Value) override;
    virtual void Change();
    virtual void SelectionChange();

private:
    friend struct TRichEditState;
    std::unique_ptr<TRichEditState> FState;
    std::unique_ptr<TStrings> FLines;
    std::unique_ptr<TTextAttributes> FSelAttributes;
    std::unique_ptr<TTextAttributes> FDefAttributes;
    std::unique_ptr<TParaAttributes> FParagraph;
    bool FPlainText = false;
    bool FReadOnly = false;
};

class TRichEdit : public TCustomRichEdit {
public:
    using TCustomRichEdit::TCustomRichEdit;
};

// Rich text of a plain text (each line a paragraph, the default font), for callers that build it.
String PlainTextToRichText(const String& Text);
