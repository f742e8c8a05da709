// TFilePicture: a picture kept by file name and loaded from disk each time it is drawn, so a
// cell can show a large picture without holding it. It holds no picture between calls.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/ui/Graphics.h"

class TFilePicture : public TPersistent {
public:
    const String& Filename() const { return FFilename; }
    // Stores the name; an existing file is loaded once to take its size. A file that does not
    // load leaves the sizes as they were.
    void SetFilename(const String& Value);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // Stretches the file's picture into r; a missing or unreadable file draws nothing.
    void DrawPicture(TCanvas* Canvas, const TRect& r);
    // Name and sizes of another file picture, without loading; other sources raise.
    void Assign(TPersistent* Source) override;

private:
    String FFilename;
    int FWidth = 0;
    int FHeight = 0;
};
