// MiniHTML engine: the call (DrawMarkupText) and the line procedure (LayoutMarkupText).
#include "components/graphics/MiniHTML_Engine.h"

#include "components/graphics/AsgHTMLE.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Gdi.h"

#include <algorithm>
#include <vector>

namespace minihtml {

namespace {

// The grid leaves its CONTROL tags out of the whole-text entity stage: their values are stored
// entity-encoded and decoded when the tag is read, so an encoded quote must stay encoded.
String replaceEntitiesOutsideControls(const String& Text) {
    String R;
    qsizetype From = 0;
    while (From < Text.size()) {
        const qsizetype Lt = Text.indexOf(QLatin1String("<CONTROL"), From, Qt::CaseInsensitive);
        const qsizetype Gt = Lt < 0 ? -1 : Text.indexOf(QLatin1Char('>'), Lt);
        if (Gt < 0) break;
        R += ReplaceTextEntities(Text.mid(From, Lt - From));
        R += QStringView(Text).mid(Lt, Gt + 1 - Lt);
        From = Gt + 1;
    }
    return R + ReplaceTextEntities(Text.mid(From));
}

}  // namespace

int TMarkupCursor::FindLt() {
    if (NextLt == -1 || (NextLt >= 0 && NextLt < Pos)) {
        const int P = static_cast<int>(Text->indexOf(QLatin1Char('<'), Pos));
        NextLt = P < 0 || P >= End ? -2 : P;
    }
    return NextLt;
}

int TMarkupCursor::FindSpace() {
    if (NextSpace == -1 || (NextSpace >= 0 && NextSpace < Pos)) {
        const int P = static_cast<int>(Text->indexOf(QLatin1Char(' '), Pos));
        NextSpace = P < 0 || P >= End ? -2 : P;
    }
    return NextSpace;
}

void TMarkupCursor::TrimBoth() {
    while (Pos < End && (*Text)[Pos].unicode() <= 0x20) ++Pos;
    while (End > Pos && (*Text)[End - 1].unicode() <= 0x20) --End;
}

int TextWidthOf(TCanvas* Canvas, const String& Text) { return Canvas->TextWidth(Text); }

TMarkupEngine::~TMarkupEngine() {
    if (FSelectedFont) DeleteObject(FSelectedFont);
}

void TMarkupEngine::loadPass(TPassKind Kind) {
    const int K = static_cast<int>(Kind);
    FFont->Assign(FPassFont[K].get());
    FBase = FPassBase[K].get();
    FMeasuring = Kind == TPassKind::Measure;
}

void TMarkupEngine::keepPass(TPassKind Kind) { FPassFont[static_cast<int>(Kind)]->Assign(FFont); }

void TMarkupEngine::setBackground(TColor Color) {
    FBk = Color;
    if (Color == clNone) {
        Canvas->Brush()->SetStyle(bsClear);
    } else {
        Canvas->Brush()->SetColor(Color);
        Canvas->Brush()->SetStyle(bsSolid);
    }
}

// Every text of one font has the font's cell height, so it is measured once per font.
int TMarkupEngine::ghHeight() {
    textDC();
    if (FGhHeight <= 0) {
        TSize Size;
        GetTextExtentPoint32(FDC, QStringLiteral("gh"), 2, &Size);
        FGhHeight = Size.cy;
    }
    return FGhHeight;
}

// The width of a space in the current font, measured once per font.
int TMarkupEngine::spaceWidth() {
    textDC();
    if (FSpaceWidth < 0) FSpaceWidth = TextWidthOf(Canvas, QStringLiteral(" "));
    return FSpaceWidth;
}

// The device context with the current font selected and the font colour as text colour. The
// font handle is made anew only when the font changed since the last run.
HDC TMarkupEngine::textDC() {
    const TFont& F = *FFont;
    const TSelectedFont& K = FSelectedKey;
    const bool Kept = FSelectedFont && F.Height() == K.Height && F.Style().Bits() == K.Style &&
                      F.Orientation() == K.Orientation && F.PixelsPerInch() == K.PixelsPerInch &&
                      static_cast<int>(F.Charset()) == K.Charset && static_cast<int>(F.Pitch()) == K.Pitch &&
                      static_cast<int>(F.Quality()) == K.Quality && F.Name() == K.Name;
    if (!Kept) {
        const TSelectedFont Key{F.Name(),
                                F.Height(),
                                F.Orientation(),
                                F.PixelsPerInch(),
                                F.Style().Bits(),
                                static_cast<int>(F.Charset()),
                                static_cast<int>(F.Pitch()),
                                static_cast<int>(F.Quality())};
        const LOGFONTW Log = LogFontOf(F);
        HFONT Font = CreateFontIndirect(&Log);
        // The context keeps what it selects by value: the handle it gives back is ours to free.
        if (HFONT Replaced = SelectObject(FDC, Font)) DeleteObject(Replaced);
        if (FSelectedFont) DeleteObject(FSelectedFont);
        FSelectedFont = Font;
        FSelectedKey = Key;
        FGhHeight = 0;
        FSpaceWidth = -1;
    }
    SetTextColor(FDC, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
    return FDC;
}

int TMarkupEngine::measureRun(const String& Run, const TRect& Rect, UINT Extra) {
    TRect R = Rect;
    DrawTextEx(textDC(), Run, -1, R, FFlags | DT_CALCRECT | Extra, nullptr);
    return R.Right - R.Left;
}

void TMarkupEngine::drawRun(const String& Run, TRect Rect, UINT Flags) {
    if (FFont->Color() == clNone) return;  // a blink phase over a transparent caller
    HDC DC = textDC();
    if (FBk == clNone) {
        SetBkMode(DC, TRANSPARENT);
    } else {
        SetBkMode(DC, OPAQUE);
        SetBkColor(DC, static_cast<COLORREF>(ColorToRGB(FBk)));
    }
    DrawTextEx(DC, Run, -1, Rect, Flags, nullptr);
    SetBkMode(DC, TRANSPARENT);
}

void TMarkupEngine::fillParagraphBand(TLineValues& Line) {
    if (FBk == clNone) return;
    Canvas->Pen()->SetColor(FBk);
    Canvas->Brush()->SetColor(FBk);
    Canvas->Brush()->SetStyle(bsSolid);
    // The band is filled before the line is laid out, so its height is the line's starting height.
    Canvas->FillRect(Rect(DrawRect.Left, Line.Rect.Top, DrawRect.Right, Line.Rect.Top + FLineH0));
}

// One run of text: through the next space (word wrap) or up to the next tag.
void TMarkupEngine::takeRun(TMarkupCursor& Markup, TLineValues& Line) {
    const int T = Markup.FindLt();
    const int S = WordWrap ? Markup.FindSpace() : -2;
    int RunEnd;
    if (T < 0 || (S >= 0 && S < T))
        RunEnd = S >= 0 ? S + 1 : Markup.End;
    else
        RunEnd = T;
    const int N = RunEnd - Markup.Pos;
    if (N <= 0) return;
    const String Raw = Markup.Text->mid(Markup.Pos, N);
    String Run = ReplaceRunEntities(Raw);
    if (Grid) Run = AsgHTMLE::ReplaceLetterEntities(Run);

    if (Line.Height == 0) Line.Height = FLineH0;
    const int H = ghHeight();
    if (FSub) Line.SubExtra = std::max(Line.SubExtra, H / 4);
    if (FSup) Line.SupExtra = std::max(Line.SupExtra, H / 4);
    Line.Height = std::max(Line.Height, H);
    if (FHidden) {
        if (FFirstPass) Out.PlainText += Run;
        Markup.Pos += N;  // gone from the markup: the second pass never sees it
        return;
    }

    const TRect& R = FLineRect;
    int W = 0;
    if (FMeasuring) {
        W = measureRun(Run, R);
        Line.Width += W;
        const int X = HitX - R.Left;
        if (FInAnchor && X >= Line.Width - W && X <= Line.Width) {
            Line.TextAnchorHit = true;
            if (R.Top < HitY) {
                Out.AnchorHref = FAnchorRef;
                Out.AnchorTitle = FAnchorTitle;
                FAnchorHitPending = true;
            }
        }
    } else {
        W = drawTextRun(Run, Line);
    }
    const bool HadContent = FLineContent;
    FLineContent = true;

    // Whether the run fits is decided by the measuring pass; the second pass takes the line it
    // was given whole, so the tags at the end of a right-aligned line still take effect.
    const int Available = R.Right - R.Left - Line.OffsetIn;
    const bool Fits = Line.Width < Available || W >= Available;
    bool Take = !FFirstPass || Fits || !WordWrap;
    bool DropRest = false;
    if (Grid && FFirstPass && !Fits) {
        // Runs split by tags inside a word stay together; without word wrap the text is one
        // line, which ends with the first run that overflows it.
        Take = !WordWrap || !FPrevRunSpace;
        DropRest = !WordWrap && HadContent;
    }
    if (Take) {
        Line.LineMarkup += Raw;
        Markup.Pos += N;
        if (FFirstPass) Out.PlainText += Run;
        FTrailingSpace = Run.size() == N && Run[N - 1] == QLatin1Char(' ') ? spaceWidth() : 0;
        FPrevRunSpace = Run.endsWith(QLatin1Char(' '));
        if (DropRest) Markup.Pos = Markup.End;
    } else {
        FLineFull = true;
        Line.Width -= W;
    }
}

// Draws a run at the run position into the rest of the line and moves the position past it.
int TMarkupEngine::drawTextRun(const String& Run, TLineValues& Line) {
    const TRect& R = FLineRect;
    TRect TR = Rect(FRunX, R.Top, FRightEdge, R.Bottom);
    if (FSup) TR.Bottom -= Line.SupExtra;
    if (FSub) TR.Bottom += Line.SubExtra;
    TR.Bottom -= Line.TextRaise;
    if (FFont->Style().Contains(fsItalic)) TR.Right += 2;
    const UINT Flags = Grid ? FFlags : FFlags & ~DT_EXTERNALLEADING;
    const int W = measureRun(Run, TR, 0);
    const bool Skip = !Grid && !WordWrap && FRunX >= R.Right - TextWidthOf(Canvas, QStringLiteral("l"));
    if (!Skip) {
        if (FShadow) {
            const TColor Color = FFont->Color();
            FFont->SetColor(ShadowColor);
            TRect SR = TR;
            SR.Left += ShadowOffset, SR.Right += ShadowOffset;
            SR.Top += ShadowOffset, SR.Bottom += ShadowOffset;
            drawRun(Run, SR, Flags);
            FFont->SetColor(Color);
        }
        drawRun(Run, TR, Flags);
        if (FErrorMark) drawErrorMark(FRunX, FRunX + W, TR.Bottom);
    }
    if (FInAnchor && FAnchors == FocusIndex + 1) (Grid ? Out.FocusHref : Out.AnchorTitle) = FAnchorRef;
    if (FFlags & DT_RTLREADING)
        FRightEdge -= W;
    else
        FRunX += W;
    return W;
}

void TMarkupEngine::drawErrorMark(int X1, int X2, int Bottom) {
    int X = X1 - (X1 % 2);
    bool Low = X % 4 == 0;
    std::vector<TPoint> Points;
    for (; X <= X2; X += 2, Low = !Low) Points.push_back(Point(X, Low ? Bottom + 1 : Bottom - 1));
    if (Points.size() < 2) return;
    const TColor Saved = Canvas->Pen()->Color();
    Canvas->Pen()->SetColor(clRed);
    Canvas->Pen()->SetWidth(1);
    Canvas->Polyline(Points);
    Canvas->Pen()->SetColor(Saved);
}

void TMarkupEngine::LayoutMarkupText(TMarkupCursor& Markup, TLineValues& Line) {
    ++FLineNumber;
    FLineRect = Line.Rect;
    FLineRect.Bottom -= Line.SubExtra;
    FLineH0 = Line.Height;
    Line.Width = 0;
    if (!Grid) Line.Height = 0;  // the grid's lines start at the height they were given
    Line.TextAnchorHit = Line.ImageAnchorHit = false;
    Line.LineMarkup.clear();
    FTrailingSpace = 0;
    FPrevRunSpace = true;
    FLineFull = FStop = FListItemSeen = FLineContent = false;
    FAnchorTitle.clear();
    FRunX = FLineRect.Left;
    FRightEdge = FLineRect.Right;
    if (!FMeasuring) FRunX += Line.OffsetIn;
    if (FFocusOpen && !FMeasuring) FFocusStart = Point(FRunX + 1, FFocusStart.Y);

    if (!FMeasuring && FParaBackground) fillParagraphBand(Line);

    while (!Markup.AtEnd() && !FLineFull && !FStop) {
        const int Before = Markup.Pos;
        takeRun(Markup, Line);
        if (Markup.AtEnd() || FLineFull) break;
        if (Markup.At(0) != QLatin1Char('<')) {
            if (Markup.Pos == Before) ++Markup.Pos;  // never stand still
            continue;
        }
        // The tag reader needs the text through the ">" and two characters more, which tell
        // a closing tag and a dropped remainder apart as the whole remaining text would.
        const int Gt = static_cast<int>(Markup.Text->indexOf(QLatin1Char('>'), Markup.Pos));
        const int Take =
            Gt < 0 || Gt >= Markup.End ? Markup.Remaining() : std::min(Markup.Remaining(), Gt - Markup.Pos + 3);
        const TMarkupTag Tag = ScanMarkupTag(Markup.Text->mid(Markup.Pos, Take));
        if (!handleTag(Tag, Line)) {
            FStop = true;
            break;
        }
        const int Length = std::clamp(Tag.Length(), 1, Markup.Remaining());
        Line.LineMarkup += Markup.Text->mid(Markup.Pos, Length);
        Markup.Pos += Length;
    }

    Line.Width -= FTrailingSpace;
    if (Out.MeasuredWidth < Line.Width) Out.MeasuredWidth = Grid ? Line.Width : Line.Width + 1;
    if (Line.Height == 0) Line.Height = FLineH0;

    if (!FMeasuring && FFocusOpen) {
        TRect Focus = Rect(FFocusStart.X - 1, FFocusStart.Y, FRunX + 1, FLineRect.Bottom);
        Canvas->DrawFocusRect(Focus);
        FFocusStart = Point(FLineRect.Left + 1, FLineRect.Bottom);
    }
}

TMarkupEngine::TMarkupEngine(const TMarkupRequest& Request, TMarkupResult& Result, TMarkupVariant Variant)
    : TMarkupRequest(Request), Out(Result), Grid(Variant == TMarkupVariant::Grid) {
    // Scaled sizes must stay pixel amounts whatever the caller passes; the grid never shrinks.
    if (!(ImageScale >= 0.0)) ImageScale = 1.0;
    ImageScale = std::clamp(ImageScale, Grid ? 1.0 : 0.0, 100.0);
    if (Grid) LineSpacing = 0;
    FThemed = Grid && AsgHTMLE::ControlsThemed();
    ShadowOffset = clampMarkupPixels(ShadowOffset);
    LineSpacing = clampMarkupPixels(LineSpacing);
}

void TMarkupEngine::clearResults() {
    Out.OnAnchor = false;
    Out.PlainText.clear();
    Out.AnchorTitle.clear();
    Out.FocusHref.clear();
    Out.MeasuredWidth = Out.MeasuredHeight = Out.AnchorCount = 0;
    Out.HitAnchor = -1;
    Out.ControlRect = TRect();
    Out.ControlValue.clear();
    Out.ControlType.clear();
    Out.ControlID = HitTestOnly ? ControlID : String();
}

bool TMarkupEngine::Run() {
    clearResults();
    FFont = Canvas->Font();
    FStartFont = std::make_unique<TFont>();
    FStartFont->Assign(FFont);
    for (int K = 0; K < 2; ++K) {
        FPassFont[K] = std::make_unique<TFont>();
        FPassFont[K]->Assign(FFont);
        FPassBase[K] = std::make_unique<TFont>();
        FPassBase[K]->Assign(FFont);
    }
    FBase = FPassBase[0].get();
    const TColor CallerBrush = Canvas->Brush()->Color();
    const TBrushStyle CallerStyle = Canvas->Brush()->Style();
    const TColor CallerPen = Canvas->Pen()->Color();
    const int CallerPenWidth = Canvas->Pen()->Width();
    FCallerBk = CallerStyle == bsClear ? clNone : CallerBrush;
    setBackground(clNone);
    FLayout = DrawRect;
    if (Grid) ++FLayout.Left;

    FDC = Canvas->Handle();
    const HFONT CallerFont = GetCurrentFont(FDC);
    SetBkMode(FDC, TRANSPARENT);
    FFlags = BidiTextFlags(DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING, BiDiMode);
    // The grid's runs always read a single "&" as a mnemonic prefix.
    if (!Grid && MarkupDisablesPrefix(Text)) FFlags |= DT_NOPREFIX;
    if (!WordWrap) FFlags |= DT_END_ELLIPSIS;

    String Source = Text;
    if (Text.contains(QLatin1Char('&')))
        Source = Grid ? replaceEntitiesOutsideControls(Text) : ReplaceTextEntities(Text);
    Source = LineBreaksToBR(UnwrapHashTags(Source), true);

    TMarkupCursor Markup;
    Markup.Text = &Source;
    Markup.End = static_cast<int>(Source.size());
    bool Result = false;
    int OffsetIn = 0;

    while (true) {
        loadPass(TPassKind::Measure);
        FSub = FSup = false;
        if (Grid) FHiMet = false;
        const int H0 = ghHeight();
        Markup.TrimBoth();
        if (Markup.AtEnd()) break;
        const bool Shadow = FShadow, InAnchor = FInAnchor;
        const String AnchorRef = FAnchorRef, AnchorTitle = FAnchorTitle;
        const int AnchorsAtStart = FAnchors, LevelAtStart = FListLevel, ImagesAtStart = FImageCount;

        TLineValues Line;
        Line.Rect = FLayout;
        Line.Height = H0;
        Line.OffsetIn = Line.OffsetOut = OffsetIn;
        FFirstPass = true;
        const int Start = Markup.Pos;
        LayoutMarkupText(Markup, Line);
        if (Markup.Pos == Start) ++Markup.Pos;  // a line always takes something
        FInAnchor = InAnchor, FAnchorRef = AnchorRef;
        if (Grid)
            FAnchorTitle = AnchorTitle;
        else
            FShadow = Shadow;
        keepPass(TPassKind::Measure);
        Line.Height += LineSpacing;
        TRect LineRect = FLayout;
        if (FAlign == 1) {
            if (LineRect.Right - Line.Width > LineRect.Left) LineRect.Left = LineRect.Right - Line.Width;
        } else if (FAlign == 2) {
            const int Free = LineRect.Width() - Line.Width;
            if (Free > 0) LineRect.Left += Free / 2;
        }
        LineRect.Left += FIndent;
        LineRect.Bottom = LineRect.Top + Line.Height + Line.SubExtra + Line.SupExtra;

        if (!MeasureOnly) {
            loadPass(TPassKind::Draw);
            FMeasuring = HitTestOnly;
            FAnchors = AnchorsAtStart, FListLevel = LevelAtStart, FImageCount = ImagesAtStart;
            FFirstPass = false;
            TMarkupCursor LineMarkup;
            const String Markup2 = Line.LineMarkup;
            LineMarkup.Text = &Markup2;
            LineMarkup.End = static_cast<int>(Markup2.size());
            TLineValues Second = Line;
            Second.Rect = LineRect;
            LayoutMarkupText(LineMarkup, Second);
            keepPass(TPassKind::Draw);
            const int Bottom = LineRect.Bottom - Second.TextRaise;
            if ((Second.TextAnchorHit && Bottom - ghHeight() < HitY && HitY < Bottom) || Second.ImageAnchorHit)
                Result = true;
            Line.Height = Second.Height;
            Line.TextRaise = Second.TextRaise;
        }
        // Floats hold the layout between their margins until a line starts below them.
        FLayout.Left = DrawRect.Left + FLeftMargin;
        FLayout.Right = DrawRect.Right - FRightMargin;
        if (LineRect.Top > DrawRect.Top + FFloatHeight) {
            FLeftMargin = FRightMargin = FFloatHeight = 0;
            FLayout.Left = DrawRect.Left;
            FLayout.Right = DrawRect.Right;
        }
        OffsetIn = Line.OffsetOut;

        if (FFloatSide != 0) {
            FLayout.Left = FFloatStart.X;
            FLayout.Top = FFloatStart.Y;
            FFloatSide = 0;
        } else {
            const int Step = Line.Height + Line.SubExtra + Line.SupExtra;
            FLayout.Top += Step;
            Out.MeasuredHeight += Step;
        }
        if (!MeasureOnly && H0 + FLayout.Top > FLayout.Bottom) Markup.Pos = Markup.End;
    }

    if (Out.MeasuredHeight == 0) Out.MeasuredHeight = ghHeight();

    Canvas->Brush()->SetColor(CallerBrush);
    Canvas->Brush()->SetStyle(CallerStyle);
    Canvas->Pen()->SetColor(CallerPen);
    Canvas->Pen()->SetWidth(CallerPenWidth);
    FFont->Assign(FStartFont.get());
    if (CallerFont) {
        if (HFONT Replaced = SelectObject(FDC, CallerFont)) DeleteObject(Replaced);
        DeleteObject(CallerFont);
    }
    if (FSelectedFont) {
        DeleteObject(FSelectedFont);
        FSelectedFont = nullptr;
    }
    Out.OnAnchor = Result;
    return Result;
}

}  // namespace minihtml

bool DrawMarkupText(const TMarkupRequest& Request, TMarkupResult& Result) {
    return minihtml::TMarkupEngine(Request, Result, minihtml::TMarkupVariant::Standard).Run();
}

bool DrawMarkupText(TCanvas* Canvas, const String& Text, const TRect& DrawRect, TCustomImageList* Images, int HitX,
                    int HitY, int FocusIndex, int HoverIndex, int ShadowOffset, bool HitTestOnly, bool MeasureOnly,
                    bool StretchImages, bool IgnoreColors, bool BlinkVisible, bool HoverOnly, bool WordWrap,
                    double ImageScale, TColor AnchorColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor,
                    String& AnchorHref, String& PlainText, String& AnchorTitle, int& MeasuredWidth, int& MeasuredHeight,
                    int& AnchorCount, int& HitAnchor, TRect& HitAnchorRect, THTMLPictureCache* PictureCache,
                    TPictureContainer* Container, int LineSpacing, TBiDiMode BiDiMode, TColor HighlightColor,
                    TColor HighlightTextColor, TFontStyles HighlightStyle) {
    TMarkupResult R;
    R.AnchorHref = AnchorHref;
    R.HitAnchorRect = HitAnchorRect;
    // The request lists its fields in the order of these arguments.
    DrawMarkupText({Canvas,       Text,           DrawRect,           Images,        HitX,        HitY,
                    FocusIndex,   HoverIndex,     ShadowOffset,       HitTestOnly,   MeasureOnly, StretchImages,
                    IgnoreColors, BlinkVisible,   HoverOnly,          WordWrap,      ImageScale,  AnchorColor,
                    HoverColor,   HoverFontColor, ShadowColor,        PictureCache,  Container,   LineSpacing,
                    BiDiMode,     HighlightColor, HighlightTextColor, HighlightStyle},
                   R);
    AnchorHref = R.AnchorHref, PlainText = R.PlainText, AnchorTitle = R.AnchorTitle;
    MeasuredWidth = R.MeasuredWidth, MeasuredHeight = R.MeasuredHeight, AnchorCount = R.AnchorCount;
    HitAnchor = R.HitAnchor, HitAnchorRect = R.HitAnchorRect;
    return R.OnAnchor;
}
