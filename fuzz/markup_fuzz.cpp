// Fuzz target for the mini-HTML engine. An input is UTF-8 markup; its first byte, when present,
// picks the call's switches (word wrap, measure-only, hit-test-only, focus and hover) and the
// rectangle's width. Each input is drawn into a small bitmap with an image list, so the image,
// list, float and background paths all run. Besides memory faults, hangs and undefined
// behaviour it stops when a call does not give the canvas's font back or reports a size that
// cannot be.
#include "components/graphics/MiniHTML.h"

#include "components/graphics/HTMLPicture.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

TBitmap* Surface = nullptr;
TImageList* Images = nullptr;

[[noreturn]] void fail(const char* What, const String& Text) {
    std::fprintf(stderr, "markup_fuzz: %s\n  markup '%s'\n", What, Text.toUtf8().constData());
    std::abort();
}

}  // namespace

// The font library keeps caches it never frees; the tests suppress the same (tests/lsan.supp).
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application->Initialize();
    Surface = new TBitmap(120, 80);
    Images = new TImageList(nullptr, 16, 16);
    TBitmap Red(16, 16);
    Red.Canvas()->Brush()->SetColor(clRed);
    Red.Canvas()->FillRect(Rect(0, 0, 16, 16));
    Images->Add(&Red, nullptr);
    Images->Add(&Red, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::uint8_t Switches = Size > 0 ? Data[0] : 0;
    const String Text =
        Size > 1 ? String::fromUtf8(reinterpret_cast<const char*>(Data + 1), static_cast<int>(Size - 1)) : String();
    TCanvas* Canvas = Surface->Canvas();
    Canvas->Font()->SetName(QStringLiteral("Tahoma"));
    Canvas->Font()->SetSize(8);
    Canvas->Brush()->SetColor(clWhite);
    Canvas->FillRect(Rect(0, 0, 120, 80));

    const TRect Box = Rect(2, 2, 20 + (Switches >> 4) * 6, 70);
    THTMLPictureCache Cache;
    String Href, Plain, Title;
    int Width = 0, Height = 0, Anchors = 0, Hit = -1;
    TRect HitRect;
    DrawMarkupText(Canvas, Text, Box, Images, 30, 10, (Switches & 8) ? 0 : -1, (Switches & 8) ? 1 : -1, 2,
                   (Switches & 2) != 0, (Switches & 4) != 0, (Switches & 8) != 0, false, true, false,
                   (Switches & 1) == 0, 1.5, clBlue, clYellow, clRed, clGray, Href, Plain, Title, Width, Height,
                   Anchors, Hit, HitRect, &Cache, nullptr, 1, bdLeftToRight, clHighlight, clHighlightText, {fsBold});

    if (Canvas->Font()->Size() != 8 || Canvas->Font()->Name() != QStringLiteral("Tahoma") ||
        Canvas->Font()->Orientation() != 0)
        fail("the canvas font was not given back", Text);
    if (Height < 0 || Width < 0 || Anchors < 0) fail("impossible measured size", Text);
    if (Hit > Anchors) fail("hit anchor beyond the anchors met", Text);
    return 0;
}
