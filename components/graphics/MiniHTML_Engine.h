// MiniHTML internals shared by the engine's source files: the state of one DrawMarkupText call
// and the line procedure. Not for use outside MiniHTML*.cpp.
#pragma once

#include "components/graphics/MiniHTML.h"
#include "framework/ui/DrawText.h"

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

class TMarkupEngine {
public:
    // Arguments of the call, by their names.
    TCanvas* Canvas = nullptr;
    TRect DrawRect;
    TCustomImageList* Images = nullptr;
    int HitX = 0, HitY = 0, FocusIndex = -1, HoverIndex = -1, ShadowOffset = 0;
    bool HitTestOnly = false, MeasureOnly = false, StretchImages = false, IgnoreColors = false;
    bool BlinkVisible = true, HoverOnly = false, WordWrap = true;
    double ImageScale = 1.0;
    TColor AnchorColor = clBlue, HoverColor = clNone, HoverFontColor = clNone, ShadowColor = clGray;
    THTMLPictureCache* PictureCache = nullptr;
    TPictureContainer* Container = nullptr;
    int LineSpacing = 0;
    TBiDiMode BiDiMode = bdLeftToRight;
    TColor HighlightColor = clHighlight, HighlightTextColor = clHighlightText;
    TFontStyles HighlightStyle;

    // Results.
    String AnchorHref, PlainText, AnchorTitle;
    int MeasuredWidth = 0, MeasuredHeight = 0, AnchorCount = 0, HitAnchor = -1;
    TRect HitAnchorRect;

    TMarkupEngine();
    ~TMarkupEngine();
    bool Run(const String& Text);

    // The line procedure: consumes one line from Markup.
    void LayoutMarkupText(TMarkupCursor& Markup, TLineValues& Line);

private:
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
    // Text flags and the font selected into the device context for text output.
    UINT FFlags = 0;
    HDC FDC = nullptr;
    HFONT FSelectedFont = nullptr;
    LOGFONTW FSelectedLog;
    int FGhHeight = 0;
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

    void loadPass(TPassKind Kind);
    void keepPass(TPassKind Kind);
    bool drawing() const { return !FMeasuring; }
    bool colorsOn() const { return !IgnoreColors; }
    void setBackground(TColor Color);
    int ghHeight();
    HDC textDC();
    int measureRun(const String& Run, const TRect& Rect, UINT Extra = 0);
    void drawRun(const String& Run, TRect Rect, UINT Flags);
    void takeRun(TMarkupCursor& Markup, TLineValues& Line);
    void fillParagraphBand(TLineValues& Line);
    void drawErrorMark(int X1, int X2, int Bottom);

    // Tags (MiniHTML_Tags.cpp). Returns false when the tag must start the next line.
    bool handleTag(const TMarkupTag& Tag, TLineValues& Line);
    void openAnchor(const TMarkupTag& Tag, TLineValues& Line);
    void closeAnchor(TLineValues& Line);
    void handleBody(const TMarkupTag& Tag, TLineValues& Line);
    void handleFont(const TMarkupTag& Tag);
    void handleHorzRule(const TMarkupTag& Tag, TLineValues& Line);
    bool handleListItem(const TMarkupTag& Tag, TLineValues& Line);
    void handleParagraph(const TMarkupTag& Tag, TLineValues& Line);
    void SelectRotatedFont(int Degrees);
    void RestoreRotatedFont();
    bool handleImage(const TMarkupTag& Tag, TLineValues& Line);
    void endLine() { FStop = true; }

    // Pictures (MiniHTML_Draw.cpp).
    THTMLPicture* findPicture(const TImageSource& Source);
    void drawSourceOnce(const TImageSource& Source, int X, int Y, bool FromRight);
    void tilePicture(THTMLPicture* Picture);
    void drawPictureColumn(THTMLPicture* Picture);
};

int TextWidthOf(TCanvas* Canvas, const String& Text);

}  // namespace minihtml
