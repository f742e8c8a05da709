// The rich-text format of the rich edit (framework-internal): a QTextDocument written as rich
// text and rich text read into one. The subset: the font and colour tables, \f \fs \b \i \ul
// \ulnone \strike \cf \plain, \par \pard \ql \qc \qr \qj, \tab \line, \'hh (Windows-1252),
// \uN with \ucN, escaped \\ \{ \}; other destinations (\* and the known ones) are skipped.
#pragma once

#include "framework/ui/Graphics.h"

#include <QTextDocument>

// Fonts without a name of their own take Base's; text without a colour of its own has none.
String WriteRichText(const QTextDocument& Doc, const TFont& Base);
// False (the document untouched) when Text is not rich text.
bool ReadRichText(const String& Text, QTextDocument& Doc, const TFont& Base);
