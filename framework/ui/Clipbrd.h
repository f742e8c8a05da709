// The system clipboard. Use it on the window thread only.
#pragma once

#include "framework/rtl/Component.h"

#include <memory>

// Standard formats; registered formats take ids from 0xC000 on.
inline constexpr Word CF_TEXT = 1;
inline constexpr Word CF_BITMAP = 2;
inline constexpr Word CF_DIB = 8;
inline constexpr Word CF_UNICODETEXT = 13;
inline constexpr Word CF_HDROP = 15;

// A stable id for a format name, the same for the same name (ignoring case) for the life of
// the program; raises EArgumentException for an empty name.
UINT RegisterClipboardFormat(const String& FormatName);
// The name a registered format was given; empty for an unknown id.
String GetClipboardFormatName(UINT Format);

class TClipboard : public TPersistent {
public:
    TClipboard();
    ~TClipboard() override;

    // Text in either text format; empty when the clipboard holds no text.
    String AsText() const;
    // Replaces what the clipboard holds by Value (within Open/Close: adds it to what was
    // written since Open).
    void SetAsText(const String& Value);

    bool HasFormat(Word Format) const;
    // Empties the clipboard.
    void Clear();
    // Open and Close nest: what is written in between reaches the system clipboard as one
    // content when the outermost Close runs. Close without Open raises EInvalidOperation.
    void Open();
    void Close();
    int OpenCount() const { return FOpenRefCount; }

private:
    struct Pending;
    void beginWrite();
    void endWrite();

    int FOpenRefCount = 0;
    std::unique_ptr<Pending> FPending;  // what was written since the outermost Open
};

// The program's clipboard object, created on first use.
TClipboard* Clipboard();
