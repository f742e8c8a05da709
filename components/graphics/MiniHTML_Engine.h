// MiniHTML internals shared by the engine's source files: the state of one DrawMarkupText call
// and the line procedure. Not for use outside MiniHTML*.cpp.
#pragma once

#include "components/graphics/MiniHTML.h"
#include "framework/ui/DrawText.h"

#include <cstdint>
#include <memory>

class THTMLPicture;

namespace minihtml {

// Where a pass reads its markup: a text and a window [Pos, End) on it. The remaining markup is
// always the text from Pos to End, so taking characters is moving Pos, never copying the rest.
// Pixel amounts read from markup (offsets, indents, sizes): kept to a range that cannot
// overflow when added to coordinates, whatever number the text holds.
inline int clampMarkupPixels(int Value) { return Value < -32767 ? -32767 : (Value > 32767 ? 32767 : Value); }

struct TMarkupCursor {
    const String* Text = nullptr;
    int Pos = 0;  // 0-based
    int End = 0;
    int NextLt = -1;  // cached position of the next "<" at or after Pos (-2: none), -1 unknown
    int NextSpace = -1;

    bool AtEnd() const { return Pos >= End; }
    int Remaining() const { return End - Pos; }
    Char At(int Offset) const { return (*Text)[Pos + Offset]; }
    String Rest() const { return Text->mid(Pos, End - Pos); }
    int FindLt();
    int FindSpace();
    void TrimBoth();
};

// The per-line values LayoutMarkupText and DrawMarkupText pass between them.
struct TLineValues {
    TRect Rect;  // the line rectangle
    bool Measuring = true;
    int Width = 0;
    int Height = 0;
    int SubExtra = 0;
    int SupExtra = 0;
    int TextRaise = 0;
    bool TextAnchorHit = false;
    bool ImageAnchorHit = false;
    int OffsetIn = 0;
    int OffsetOut = 0;
    String LineMarkup;
};

enum class TPassKind { Measure, Draw };

// The two members of the renderer family: the controls' engine and the grid's variant, which
// reads some tags differently and adds embedded controls (AsgHTMLE.h).
enum class TMarkupVariant { Standard, Grid };

// One call: the request's fields by their names, the result it fills.
class TMarkupEngine : public TMarkupRequest {
public:
    TMarkupEngine(const TMarkupRequest& Request, TMarkupResult& Result, TMarkupVariant Variant);
    ~TMarkupEngine();
    TMarkupEngine(const TMarkupEngine&) = delete;
    TMarkupEngine& operator=(const TMarkupEngine&) = delete;
    bool Run();

    // The line procedure: consumes one line from Markup.
    void LayoutMarkupText(TMarkupCursor& Markup, TLineValues& Line);

private:
    TMarkupResult& Out;
    const bool Grid;
    // Drawing state (see the markup reader's table).
    TFont* FFont = nullptr;  // the canvas font: the current font
    TFont* FBase = nullptr;  // base font of the running pass
    std::unique_ptr<TFont> FStartFont, FPassFont[2], FPassBase[2];
    TColor FBk = clNone, FCallerBk = clNone, FSavedBk = clNone, FParaSavedBk = clNone;
    bool FShadow = false, FSub = false, FSup = false, FHidden = false, FErrorMark = false;
    bool FParaBackground = false, FInAnchor = false;
    String FAnchorRef, FAnchorTitle;
    TColor FHiColor = clBlack, FHiBk = clNone;
    TFontStyles FHiStyle;
    bool FHiMet = false;
    TColor FHoverSavedBk = clNone, FHoverSavedColor = clBlack;
    int FAlign = 0, FIndent = 0, FFloatSide = 0;
    int FListLevel = 0, FItemNumber = 1;
    bool FOrdered = false;
    String FBulletType;
    TColor FBulletColor = clNone;
    int FAnchors = 0, FImageCount = 0;
    bool FRotated = false;
    int FRotatedFrom = 0;
    // Float margins and the place P FLOAT recorded.
    int FLeftMargin = 0, FRightMargin = 0, FFloatHeight = 0;
    TPoint FFloatStart;
    TRect FLayout;  // the layout rectangle
    // Text flags and the font selected into the device context for text output, with the
    // font properties it was made from and measures taken in it.
    UINT FFlags = 0;
    HDC FDC = nullptr;
    HFONT FSelectedFont = nullptr;
    struct TSelectedFont {
        String Name;
        int Height = 0, Orientation = 0, PixelsPerInch = 0;
        std::uint64_t Style = 0;
        int Charset = 0, Pitch = 0, Quality = 0;
    } FSelectedKey;
    int FGhHeight = 0;
    int FSpaceWidth = -1;
    // Per pass.
    bool FMeasuring = true;
    int FRunX = 0;       // the run position
    int FRightEdge = 0;  // right edge of the remaining space
    bool FLineFull = false, FStop = false, FListItemSeen = false;
    bool FAnchorHitPending = false;
    int FAnchorStartWidth = 0, FAnchorStartTop = 0, FAnchorStartLine = -1, FLineNumber = 0;
    bool FFocusOpen = false;
    TPoint FFocusStart;
    TRect FLineRect;         // the line's own rectangle in the running pass
    int FLineH0 = 0;         // line height on entry: the fallback for a line without text
    bool FFirstPass = true;  // the measuring pass of a line (plain text, fitting)
    bool FLineContent = false;
    int FTrailingSpace = 0;
    bool FPrevRunSpace = true;  // the line's last run ended with a space
    // Grid: the width and hit height of the last embedded control, for one without WIDTH.
    int FControlWidth = 0, FControlHitHeight = 0;
    bool FThemed = false;  // grid: controls drawn through the theme library

    void loadPass(TPassKind Kind);
    void keepPass(TPassKind Kind);
    bool drawing() const { return !FMeasuring; }
    bool colorsOn() const { return !IgnoreColors; }
    void setBackground(TColor Color);
    int ghHeight();
    int spaceWidth();
    HDC textDC();
    int measureRun(const String& Run, const TRect& Rect, UINT Extra = 0);
    void drawRun(const String& Run, TRect Rect, UINT Flags);
    void clearResults();
    void takeRun(TMarkupCursor& Markup, TLineValues& Line);
    int drawTextRun(const String& Run, TLineValues& Line);
    void fillParagraphBand(TLineValues& Line);
    void drawErrorMark(int X1, int X2, int Bottom);

    // Tags (MiniHTML_Tags.cpp). Returns false when the tag must start the next line.
    bool handleTag(const TMarkupTag& Tag, TLineValues& Line);
    void openAnchor(const TMarkupTag& Tag, TLineValues& Line);
    void closeAnchor(TLineValues& Line);
    void handleBody(const TMarkupTag& Tag, TLineValues& Line);
    void handleGridBody(const TMarkupTag& Tag);
    void handleFont(const TMarkupTag& Tag);
    void handleHorzRule(const TMarkupTag& Tag, TLineValues& Line);
    bool handleListItem(const TMarkupTag& Tag, TLineValues& Line);
    void handleParagraph(const TMarkupTag& Tag, TLineValues& Line);
    void SelectRotatedFont(int Degrees);
    void RestoreRotatedFont();
    bool handleImage(const TMarkupTag& Tag, TLineValues& Line);
    // Grid variant (MiniHTML_Controls.cpp): an embedded control; false when it starts the next line.
    bool handleControl(const TMarkupTag& Tag, TLineValues& Line);
    void drawControl(const String& Type, const String& ID, const String& Value, int Height, int LineHeight);
    bool parseColor(const String& Value, TColor& Color) const;
    void endLine() { FStop = true; }

    // Pictures (MiniHTML_Draw.cpp).
    THTMLPicture* findPicture(const TImageSource& Source);
    void drawSourceOnce(const TImageSource& Source, int X, int Y, bool FromRight);
    void drawPictureAt(THTMLPicture* Picture, int X, int Y);
    void tilePicture(THTMLPicture* Picture);
    void drawPictureColumn(THTMLPicture* Picture);
};

int TextWidthOf(TCanvas* Canvas, const String& Text);

}  // namespace minihtml
