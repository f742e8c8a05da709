// Fuzz target for the mini-HTML engine and the grid's variant. An input is UTF-8 markup; its first
// byte, when present, picks the call's switches (word wrap, measure-only, hit-test-only, focus and
// hover) and the rectangle's width. Each input is drawn by both engines into a small bitmap with
// an image list, so the image, list, float, background and embedded-control paths all run; the
// grid's control routines then read and rewrite the input's CONTROL tags. Besides memory faults,
// hangs and undefined behaviour it stops when a call does not give the canvas's font back,
// reports a size that cannot be, or a control value does not survive being written and read back.
#include "components/graphics/AsgHTMLE.h"

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

void check(const TMarkupResult& R, TCanvas* Canvas, const String& Text) {
    if (Canvas->Font()->Size() != 8 || Canvas->Font()->Name() != QStringLiteral("Tahoma") ||
        Canvas->Font()->Orientation() != 0)
        fail("the canvas font was not given back", Text);
    if (R.MeasuredHeight < 0 || R.MeasuredWidth < 0 || R.AnchorCount < 0) fail("impossible measured size", Text);
    if (R.HitAnchor > R.AnchorCount) fail("hit anchor beyond the anchors met", Text);
    if (R.ControlRect.Right < R.ControlRect.Left || R.ControlRect.Bottom < R.ControlRect.Top)
        fail("impossible control rectangle", Text);
}

// The control routines on whatever CONTROL tags the input holds; a value written must read back.
void checkControls(const String& Text) {
    const String Value = QStringLiteral("x&\"<>\u00e9&amp;");
    String Written = Text;
    if (AsgHTMLE::SetControlValue(Written, QStringLiteral("a"), Value)) {
        String Read;
        if (!AsgHTMLE::GetControlValue(Written, QStringLiteral("a"), Read) || Read != Value)
            fail("a control value did not read back", Text);
    }
    AsgHTMLE::NextControlID(Text, AsgHTMLE::NextControlID(Text, String()));
    AsgHTMLE::UncheckRadioControls(Text);
    AsgHTMLE::GetControlMaxLen(Text, QStringLiteral("a"));
    AsgHTMLE::GetControlProp(Text, QStringLiteral("a"));
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
    const TMarkupRequest Request{.Canvas = Canvas,
                                 .Text = Text,
                                 .DrawRect = Box,
                                 .Images = Images,
                                 .HitX = 30,
                                 .HitY = 10,
                                 .FocusIndex = (Switches & 8) ? 0 : -1,
                                 .HoverIndex = (Switches & 8) ? 1 : -1,
                                 .ShadowOffset = 2,
                                 .HitTestOnly = (Switches & 2) != 0,
                                 .MeasureOnly = (Switches & 4) != 0,
                                 .StretchImages = (Switches & 8) != 0,
                                 .WordWrap = (Switches & 1) == 0,
                                 .ImageScale = 1.5,
                                 .HoverColor = clYellow,
                                 .HoverFontColor = clRed,
                                 .PictureCache = &Cache,
                                 .LineSpacing = 1,
                                 .HighlightStyle = {fsBold},
                                 .PressedDown = (Switches & 2) != 0,
                                 .PressedControlID = QStringLiteral("a"),
                                 .ControlID = (Switches & 8) ? QStringLiteral("a") : String()};
    check(DrawMarkupText(Request), Canvas, Text);
    check(AsgHTMLE::DrawMarkupText(Request), Canvas, Text);
    checkControls(Text);
    return 0;
}
