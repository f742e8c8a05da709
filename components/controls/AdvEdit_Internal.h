// Helpers shared by the files of TAdvEdit.
#pragma once

#include "components/controls/AdvEddd.h"
#include "components/controls/AdvEdit.h"
#include "framework/ui/Graphics.h"

// The size of Text in Font, measured as the edit measures.
TSize TextSizeIn(TFont* Font, const String& Text);
int TextWidthIn(TFont* Font, const String& Text);
// What a click on a URL opens: "www." text as "http://...", "x@y" as "mailto:...", and "://"
// text with scheme http, https or ftp as it is; empty when nothing may be opened.
String URLClickTarget(const String& Value);

// The edit's drop target: follows the pointer with the drop caret and inserts dropped text.
class TEditDropTarget : public TAEDropTarget {
public:
    explicit TEditDropTarget(TAdvEdit* AEdit) : FAdvEdit(AEdit) {}

protected:
    void DragMouseMove(const TPoint& Pt, bool& Allow) override;
    void DropText(const TPoint& Pt, const String& S) override;

private:
    TAdvEdit* FAdvEdit;
};
