// DrawText and the single-line text calls. One layout (prefixes, lines, word breaks, tabs,
// ellipses) serves measuring and drawing, and every width comes from the same font metrics as
// the canvas's TextExtent, so what DT_CALCRECT reports is what is drawn.
#include "framework/ui/DrawText.h"

#include "framework/ui/DeviceContext.h"
#include "framework/ui/FontMapper.h"

#include <QColorSpace>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

const QString kEllipsis = QStringLiteral("...");

QColor qColorOfRef(COLORREF C) { return QColor::fromRgb(qRgb(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF)); }

// A run of display text with the characters the "&" prefix marks.
struct TTextLine {
    String Text;
    std::vector<bool> Marked;  // one per character; empty when none is marked
    int Width = 0;

    TTextLine Mid(int From, int Length) const {
        TTextLine L;
        L.Text = Text.mid(From, Length);
        if (!Marked.empty()) L.Marked.assign(Marked.begin() + From, Marked.begin() + From + L.Text.size());
        return L;
    }
};

class TTextLayout {
public:
    TTextLayout(std::shared_ptr<TFontMeasure> Measure, int TabWidth, bool ExpandTabs)
        : FMeasure(std::move(Measure)), FTabWidth(std::max(1, TabWidth)), FExpandTabs(ExpandTabs) {}

    const QFont& Font() const { return FMeasure->Font(); }
    const TFontMeasure& Measure() const { return *FMeasure; }
    bool ExpandsTabs() const { return FExpandTabs; }
    QRect InkBounds(const String& Text) const { return FMeasure->InkBounds(Text); }
    QRect DrawnInk(const String& Text) const { return FMeasure->DrawnInk(Text); }

    // Width of Text drawn from a tab origin of 0.
    int Width(const String& Text) const {
        if (!FExpandTabs || !Text.contains(QLatin1Char('\t'))) return FMeasure->Width(Text);
        int X = 0;
        qsizetype Start = 0;
        while (true) {
            const qsizetype Tab = Text.indexOf(QLatin1Char('\t'), Start);
            X += FMeasure->Width(Text.mid(Start, Tab < 0 ? -1 : Tab - Start));
            if (Tab < 0) return X;
            X = (X / FTabWidth + 1) * FTabWidth;
            Start = Tab + 1;
        }
    }

    // Draws Text with its left edge at X, tabs advancing to the next stop.
    void Draw(QPainter& P, int X, int Baseline, const String& Text) const {
        if (!FExpandTabs || !Text.contains(QLatin1Char('\t'))) {
            drawPiece(P, X, Baseline, Text);
            return;
        }
        int Offset = 0;
        qsizetype Start = 0;
        while (true) {
            const qsizetype Tab = Text.indexOf(QLatin1Char('\t'), Start);
            const String Piece = Text.mid(Start, Tab < 0 ? -1 : Tab - Start);
            drawPiece(P, X + Offset, Baseline, Piece);
            Offset += FMeasure->Width(Piece);
            if (Tab < 0) return;
            Offset = (Offset / FTabWidth + 1) * FTabWidth;
            Start = Tab + 1;
        }
    }

private:
    // Right-to-left reading lets Qt order the text; otherwise the shaped text is reused.
    void drawPiece(QPainter& P, int X, int Baseline, const String& Text) const {
        if (P.layoutDirection() == Qt::RightToLeft)
            P.drawText(QPoint(X, Baseline), Text);
        else
            FMeasure->DrawText(P, X, Baseline, Text);
    }

    std::shared_ptr<TFontMeasure> FMeasure;
    int FTabWidth;
    bool FExpandTabs;
};

bool isBlank(QChar C) { return C == QLatin1Char(' ') || C == QLatin1Char('\t'); }

// Resolves the "&" prefixes: "&x" marks x, "&&" is "&", a trailing "&" is dropped.
TTextLine resolvePrefixes(const String& Text, bool NoPrefix) {
    TTextLine L;
    if (NoPrefix || !Text.contains(QLatin1Char('&'))) {
        L.Text = Text;
        return L;
    }
    L.Text.reserve(Text.size());
    for (qsizetype I = 0; I < Text.size(); ++I) {
        if (Text.at(I) != QLatin1Char('&')) {
            L.Text += Text.at(I);
            L.Marked.push_back(false);
            continue;
        }
        if (I + 1 >= Text.size()) break;
        ++I;
        L.Text += Text.at(I);
        L.Marked.push_back(Text.at(I) != QLatin1Char('&'));
    }
    return L;
}

TTextLine withoutTabs(const TTextLine& Line) {
    TTextLine L;
    for (qsizetype I = 0; I < Line.Text.size(); ++I) {
        if (Line.Text.at(I) == QLatin1Char('\t')) continue;
        L.Text += Line.Text.at(I);
        if (!Line.Marked.empty()) L.Marked.push_back(Line.Marked[I]);
    }
    return L;
}

// Paragraphs split at CR LF, CR or LF.
std::vector<TTextLine> splitParagraphs(const TTextLine& All) {
    std::vector<TTextLine> Result;
    qsizetype Start = 0;
    const qsizetype N = All.Text.size();
    for (qsizetype I = 0; I < N; ++I) {
        const QChar C = All.Text.at(I);
        if (C != QLatin1Char('\r') && C != QLatin1Char('\n')) continue;
        Result.push_back(All.Mid(Start, I - Start));
        if (C == QLatin1Char('\r') && I + 1 < N && All.Text.at(I + 1) == QLatin1Char('\n')) ++I;
        Start = I + 1;
    }
    Result.push_back(All.Mid(Start, N - Start));
    return Result;
}

// The longest prefix of Line (at least one character) no wider than Avail.
qsizetype fittingChars(const TTextLayout& Layout, const String& Text, qsizetype From, qsizetype To, int Avail) {
    qsizetype Lo = From + 1, Hi = To;  // the answer lies in [Lo, Hi]
    while (Lo < Hi) {
        const qsizetype Mid = (Lo + Hi + 1) / 2;
        if (Layout.Width(Text.mid(From, Mid - From)) <= Avail)
            Lo = Mid;
        else
            Hi = Mid - 1;
    }
    return Lo;
}

// Breaks a paragraph at blanks into lines no wider than Avail. A word wider than the line
// stands alone on its line, or is split between characters when SplitWords is set.
void wrapParagraph(const TTextLayout& Layout, const TTextLine& Para, int Avail, bool SplitWords,
                   std::vector<TTextLine>& Lines) {
    const String& T = Para.Text;
    const qsizetype N = T.size();
    qsizetype Pos = 0;
    do {
        const qsizetype LineStart = Pos;
        qsizetype End = LineStart, Next = LineStart;
        bool HasWord = false;
        qsizetype I = LineStart;
        while (I < N) {
            qsizetype WordEnd = I;
            while (WordEnd < N && !isBlank(T.at(WordEnd))) ++WordEnd;
            qsizetype BlankEnd = WordEnd;
            while (BlankEnd < N && isBlank(T.at(BlankEnd))) ++BlankEnd;
            const bool Fits = Layout.Width(T.mid(LineStart, WordEnd - LineStart)) <= Avail;
            if (!Fits && HasWord) break;
            if (!Fits && SplitWords && WordEnd > LineStart) {
                End = fittingChars(Layout, T, LineStart, WordEnd, Avail);
                Next = End;
                HasWord = true;
                break;
            }
            End = WordEnd;
            Next = BlankEnd;
            HasWord = WordEnd > I || HasWord;
            I = BlankEnd;
            if (!Fits) break;
        }
        Lines.push_back(Para.Mid(LineStart, End - LineStart));
        // Progress on every input: a line always consumes at least one character.
        Pos = std::max(Next, LineStart + 1);
    } while (Pos < N);
}

// Cuts Line so that it ends in "..." and fits Avail; Always adds the ellipsis even when the
// line fits (the text continues beyond it).
void applyEndEllipsis(const TTextLayout& Layout, TTextLine& Line, int Avail, bool Always) {
    if (!Always && Layout.Width(Line.Text) <= Avail) return;
    qsizetype Lo = 0, Hi = Line.Text.size();
    while (Lo < Hi) {
        const qsizetype Mid = (Lo + Hi + 1) / 2;
        if (Layout.Width(Line.Text.left(Mid) + kEllipsis) <= Avail)
            Lo = Mid;
        else
            Hi = Mid - 1;
    }
    Line.Text = Line.Text.left(Lo) + kEllipsis;
    if (Line.Marked.empty()) return;
    Line.Marked.resize(Lo);
    Line.Marked.insert(Line.Marked.end(), kEllipsis.size(), false);
}

// Replaces the end of the folder part with "..." keeping the last path component.
void applyPathEllipsis(const TTextLayout& Layout, TTextLine& Line, int Avail) {
    if (Layout.Width(Line.Text) <= Avail) return;
    const qsizetype Sep = std::max(Line.Text.lastIndexOf(QLatin1Char('\\')), Line.Text.lastIndexOf(QLatin1Char('/')));
    if (Sep <= 0) return applyEndEllipsis(Layout, Line, Avail, false);
    const String Tail = Line.Text.mid(Sep);
    for (qsizetype Keep = Sep - 1; Keep >= 0; --Keep) {
        const String Candidate = Line.Text.left(Keep) + kEllipsis + Tail;
        if (Layout.Width(Candidate) > Avail && Keep > 0) continue;
        TTextLine L;
        L.Text = Candidate;
        if (!Line.Marked.empty()) {
            L.Marked.assign(Line.Marked.begin(), Line.Marked.begin() + Keep);
            L.Marked.insert(L.Marked.end(), kEllipsis.size(), false);
            L.Marked.insert(L.Marked.end(), Line.Marked.begin() + Sep, Line.Marked.end());
        }
        Line = L;
        if (Layout.Width(Line.Text) > Avail) applyEndEllipsis(Layout, Line, Avail, false);
        return;
    }
}

void fitLine(const TTextLayout& Layout, TTextLine& Line, int Avail, UINT Format) {
    if (Format & DT_PATH_ELLIPSIS)
        applyPathEllipsis(Layout, Line, Avail);
    else if (Format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
        applyEndEllipsis(Layout, Line, Avail, false);
}

// Whether everything the lines put on the surface lies inside ClipRect, so clipping to it would
// change no pixel. Clipping is not free (see drawThroughView), so text that stays inside is drawn
// unclipped. DrawnInk tells where the glyphs' cells reach past ClipRect but their pixels do not;
// it holds for surfaces of 8 bits a pixel or more painted with text antialiasing (ExactInk).
bool staysInside(const TTextLayout& Layout, const std::vector<TTextLine>& Lines, const std::vector<QPoint>& Starts,
                 const QRect& ClipRect, int LineHeight, bool Opaque, bool ShowUnderlines, UINT Format, int Escapement,
                 bool ExactInk) {
    if (Escapement != 0 || (Format & DT_RTLREADING) || ClipRect.isEmpty()) return false;
    const TFontMeasure& M = Layout.Measure();
    const bool Decorated = Layout.Font().underline() || Layout.Font().strikeOut() || Layout.Font().overline();
    for (size_t I = 0; I < Lines.size(); ++I) {
        const TTextLine& L = Lines[I];
        if (L.Text.isEmpty()) continue;
        if (Layout.ExpandsTabs() && L.Text.contains(QLatin1Char('\t'))) return false;
        if (ShowUnderlines && std::find(L.Marked.begin(), L.Marked.end(), true) != L.Marked.end()) return false;
        const QPoint At = Starts[I];
        if (Opaque && L.Width > 0 && !ClipRect.contains(QRect(At, QSize(L.Width, LineHeight)))) return false;
        // Underline and strike-out lines stay in the cell, at most one pixel past the advance.
        if (Decorated && !ClipRect.contains(QRect(At, QSize(L.Width + 1, M.Height())))) return false;
        // The bounding rectangle covers at least every pixel the text touches.
        const QPoint Baseline(At.x(), At.y() + M.Ascent());
        if (ClipRect.contains(Layout.InkBounds(L.Text).translated(Baseline))) continue;
        if (!ExactInk) return false;
        const QRect Drawn = Layout.DrawnInk(L.Text);
        if (!Drawn.isEmpty() && !ClipRect.contains(Drawn.translated(Baseline))) return false;
    }
    return true;
}

// How the lines of one call are drawn.
struct TLinesLook {
    int LineHeight = 0;
    bool ShowText = true;
    bool ShowUnderlines = true;
    bool Opaque = false;  // the text's cells filled with BkColor first
    QColor TextColor;
    QColor BkColor;
};

// Text takes its colour from the pen's brush, whatever the pen's width or dashes.
bool drawsTextIn(const QPen& Pen, const QColor& Color) {
    return Pen.style() != Qt::NoPen && Pen.brush().style() == Qt::SolidPattern && Pen.color() == Color;
}

// Draws the lines starting at Starts moved by Shift.
void drawLines(QPainter& P, const TTextLayout& Layout, const std::vector<TTextLine>& Lines,
               const std::vector<QPoint>& Starts, const TLinesLook& Look, QPoint Shift = {}) {
    const TFontMeasure& M = Layout.Measure();
    const int UnderlineOffset = std::max(1, M.UnderlinePos());
    const int UnderlineWidth = std::max(1, M.LineWidth());
    if (!drawsTextIn(P.pen(), Look.TextColor)) P.setPen(Look.TextColor);
    for (size_t I = 0; I < Lines.size(); ++I) {
        const TTextLine& L = Lines[I];
        const QPoint At = Starts[I] + Shift;
        if (Look.Opaque) P.fillRect(QRect(At, QSize(L.Width, Look.LineHeight)), Look.BkColor);
        const int Baseline = At.y() + M.Ascent();
        if (Look.ShowText) Layout.Draw(P, At.x(), Baseline, L.Text);
        if (!Look.ShowUnderlines || L.Marked.empty()) continue;
        for (qsizetype C = 0; C < L.Text.size(); ++C) {
            if (!L.Marked[C]) continue;
            const int UX = At.x() + Layout.Width(L.Text.left(C));
            P.fillRect(
                QRect(UX, Baseline + UnderlineOffset, M.Metrics().horizontalAdvance(L.Text.at(C)), UnderlineWidth),
                Look.TextColor);
        }
    }
}

// A clip on the context's painter costs the paint engine a table as tall as the whole image,
// taken and given back for every text that comes near the clip's edge: on a tall image that
// is most of the time text takes. Text that must be clipped is drawn instead through a
// painter on a view of the clip rectangle's visible pixels, whose edges clip for nothing.
// Draw gets the view's painter and the shift from image to view coordinates: the view's painter
// keeps no transform, under which Qt would misplace the underline of kept glyph runs. False, with
// nothing drawn, where the view cannot show the same pixels (a clip region of several
// rectangles, a pixel ratio of the image's own).
bool drawThroughView(HDC DC, QPainter& P, const QRect& ClipRect, const std::function<void(QPainter&, QPoint)>& Draw) {
    const QImage& Image = *DC->Target;
    const TDCState& S = DC->State;
    if (Image.depth() < 8 || Image.format() == QImage::Format_Indexed8 || Image.devicePixelRatio() != 1.0 ||
        P.hasClipping() != S.Clipped)
        return false;
    QRect Visible = ClipRect & Image.rect();
    if (S.Clipped) {
        const QRegion Shown = S.Clip & Visible;
        if (Shown.rectCount() > 1) return false;
        Visible = Shown.boundingRect();
    }
    if (Visible.isEmpty()) return true;
    // The painter on the image writes into the pixels Image shares now; so does the view.
    uchar* Pixels = const_cast<uchar*>(Image.constBits()) + Visible.top() * Image.bytesPerLine() +
                    Visible.left() * (Image.depth() / 8);
    QImage View(Pixels, Visible.width(), Visible.height(), Image.bytesPerLine(), Image.format());
    // A linear colour space turns off the gamma of text blending.
    if (Image.colorSpace().isValid()) View.setColorSpace(Image.colorSpace());
    QPainter V(&View);
    V.setRenderHints(P.renderHints());
    V.setOpacity(P.opacity());
    V.setBackgroundMode(P.backgroundMode());
    V.setBackground(P.background());
    V.setFont(S.Font);
    Draw(V, -Visible.topLeft());
    return true;
}

int drawTextImpl(HDC DC, const String& Source, int Count, TRect& Rect, UINT Format, DRAWTEXTPARAMS* Params,
                 String* Modified) {
    if (!DC) return 0;
    if (Params && Params->cbSize != sizeof(DRAWTEXTPARAMS)) return 0;
    const TDCState& S = DC->State;
    int TabChars = 8;
    if ((Format & DT_TABSTOP) && !Params) {
        // The high byte of the low word is the tab length; the flags it overlays are off.
        // (DrawTextEx takes the length from its parameters instead.)
        TabChars = static_cast<int>((Format >> 8) & 0xFF);
        Format &= ~0xFF00u;
    }
    if (Params && Params->iTabLength > 0) TabChars = Params->iTabLength;
    const int LeftMargin = Params ? Params->iLeftMargin : 0;
    const int RightMargin = Params ? Params->iRightMargin : 0;
    const String Text = Count < 0 ? Source : Source.left(Count);

    auto Measurer = FontMeasure(S.Font);
    const int AveChar = Measurer->AveCharWidth();
    const bool ExpandTabs = (Format & DT_EXPANDTABS) != 0;
    const TTextLayout Layout(std::move(Measurer), std::max(1, TabChars) * AveChar, ExpandTabs);
    const TFontMeasure& M = Layout.Measure();
    const int LineHeight = M.Height() + ((Format & DT_EXTERNALLEADING) ? std::max(0, M.Leading()) : 0);
    const bool SingleLine = (Format & DT_SINGLELINE) != 0;
    const bool WordBreak = (Format & DT_WORDBREAK) != 0 && !SingleLine;
    const bool Measure = (Format & DT_CALCRECT) != 0;
    const int Avail = Rect.Right - Rect.Left - LeftMargin - RightMargin;

    TTextLine All = resolvePrefixes(Text, (Format & DT_NOPREFIX) != 0);
    // Unexpanded tabs take no room, as drawing them would not.
    if (!ExpandTabs && All.Text.contains(QLatin1Char('\t'))) All = withoutTabs(All);
    std::vector<TTextLine> Lines;
    if (SingleLine) {
        Lines.push_back(std::move(All));
    } else {
        for (const TTextLine& Para : splitParagraphs(All)) {
            if (WordBreak)
                wrapParagraph(Layout, Para, Avail, (Format & DT_EDITCONTROL) != 0, Lines);
            else
                Lines.push_back(Para);
        }
    }

    bool Shortened = false;
    if (Format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) {
        for (TTextLine& L : Lines) {
            const String Before = L.Text;
            fitLine(Layout, L, Avail, Format);
            Shortened = Shortened || L.Text != Before;
        }
    }
    if (!Measure && !SingleLine && WordBreak) {
        // Only whole lines show when the text runs below the rectangle: with an end ellipsis the
        // last of them says that more follows; an edit control drops a partial last line.
        const int Room = Rect.Bottom - Rect.Top;
        const auto Whole = static_cast<size_t>(std::max(1, LineHeight > 0 ? Room / LineHeight : 1));
        if (Lines.size() > Whole && (Format & (DT_END_ELLIPSIS | DT_EDITCONTROL))) {
            Lines.resize(Whole);
            if (Format & DT_END_ELLIPSIS) {
                applyEndEllipsis(Layout, Lines.back(), Avail, true);
                Shortened = true;
            }
        }
    }
    int MaxWidth = 0;
    for (TTextLine& L : Lines) {
        L.Width = Layout.Width(L.Text);
        MaxWidth = std::max(MaxWidth, L.Width);
    }
    const int Total = static_cast<int>(Lines.size()) * LineHeight;
    if (Params) Params->uiLengthDrawn = static_cast<UINT>(Text.size());
    if (Modified && (Format & DT_MODIFYSTRING) && Shortened) {
        QStringList Parts;
        for (const TTextLine& L : Lines) Parts << L.Text;
        *Modified = Parts.join(QStringLiteral("\r\n"));
    }

    if (Measure) {
        Rect.Right = Rect.Left + LeftMargin + MaxWidth + RightMargin;
        Rect.Bottom = Rect.Top + Total;
        return Total;
    }

    int Top = Rect.Top;
    if (SingleLine && (Format & DT_VCENTER))
        Top = Rect.Top + (Rect.Bottom - Rect.Top - LineHeight) / 2;
    else if (SingleLine && (Format & DT_BOTTOM))
        Top = Rect.Bottom - LineHeight;
    const int Result = SingleLine && (Format & (DT_VCENTER | DT_BOTTOM)) ? Top + Total - Rect.Top : Total;

    QPainter* P = DCPainter(DC);
    if (!P) return Result;
    TLinesLook Look;
    Look.LineHeight = LineHeight;
    Look.ShowText = !(Format & DT_PREFIXONLY);
    Look.ShowUnderlines = !(Format & (DT_NOPREFIX | DT_HIDEPREFIX));
    Look.Opaque = S.BkMode == OPAQUE && Look.ShowText;
    Look.TextColor = qColorOfRef(S.TextColor);
    Look.BkColor = qColorOfRef(S.BkColor);
    std::vector<QPoint> Starts;
    Starts.reserve(Lines.size());
    for (size_t I = 0; I < Lines.size(); ++I) {
        const TTextLine& L = Lines[I];
        int X = Rect.Left + LeftMargin;
        if (Format & DT_CENTER)
            X += (Avail - L.Width) / 2;
        else if (Format & DT_RIGHT)
            X = Rect.Right - RightMargin - L.Width;
        Starts.push_back(DCToDevice(DC, X, Top + static_cast<int>(I) * LineHeight));
    }
    const QRect ClipRect = DCToDevice(DC, Rect);
    const bool ExactInk = DC->Target->depth() >= 8 && P->testRenderHint(QPainter::TextAntialiasing);
    const bool Clip = !(Format & DT_NOCLIP) && !staysInside(Layout, Lines, Starts, ClipRect, LineHeight, Look.Opaque,
                                                            Look.ShowUnderlines, Format, S.Escapement, ExactInk);
    const bool Turned = S.Escapement != 0 || (Format & DT_RTLREADING);
    if (Clip && !Turned && drawThroughView(DC, *P, ClipRect, [&](QPainter& V, QPoint Shift) {
            drawLines(V, Layout, Lines, Starts, Look, Shift);
        }))
        return Result;
    DCApplyFont(DC, *P);
    // Plain text on a painter already in device coordinates changes at most its pen, which is
    // put back after; anything more goes between a save and a restore.
    const bool Plain =
        !Clip && !Turned && P->transform().isIdentity() && P->compositionMode() == QPainter::CompositionMode_SourceOver;
    const bool PenKept = Plain && drawsTextIn(P->pen(), Look.TextColor);
    const QPen OldPen = Plain && !PenKept ? P->pen() : QPen();
    if (!Plain) {
        P->save();
        P->resetTransform();
        P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    const QPoint Origin = DCToDevice(DC, Rect.Left, Rect.Top);
    if (S.Escapement != 0) {
        // Escapement turns anticlockwise; Qt turns clockwise on a y-down surface.
        P->translate(Origin);
        P->rotate(-S.Escapement / 10.0);
        P->translate(-Origin);
    }
    // Set after the turn, the clip turns with the text about the rectangle's top-left; an
    // unturned clip would cut away text that runs up out of the rectangle.
    if (Clip) P->setClipRect(ClipRect, P->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    if (Format & DT_RTLREADING) P->setLayoutDirection(Qt::RightToLeft);
    drawLines(*P, Layout, Lines, Starts, Look);
    if (!Plain)
        P->restore();
    else if (!PenKept)
        P->setPen(OldPen);
    return Result;
}

}  // namespace

int DrawText(HDC DC, const String& Text, int Count, TRect& Rect, UINT Format) {
    return drawTextImpl(DC, Text, Count, Rect, Format, nullptr, nullptr);
}

int DrawTextEx(HDC DC, const String& Text, int Count, TRect& Rect, UINT Format, DRAWTEXTPARAMS* Params) {
    return drawTextImpl(DC, Text, Count, Rect, Format, Params, nullptr);
}

int DrawText(HDC DC, String& Text, int Count, TRect& Rect, UINT Format) {
    const String Source = Text;
    return drawTextImpl(DC, Source, Count, Rect, Format, nullptr, &Text);
}

int DrawTextEx(HDC DC, String& Text, int Count, TRect& Rect, UINT Format, DRAWTEXTPARAMS* Params) {
    const String Source = Text;
    return drawTextImpl(DC, Source, Count, Rect, Format, Params, &Text);
}

BOOL GetTextMetrics(HDC DC, TEXTMETRICW* Metrics) {
    if (!DC || !Metrics) return 0;
    const QFont& F = DC->State.Font;
    const QFontMetrics M(F);
    TEXTMETRICW T;
    T.tmAscent = M.ascent();
    T.tmDescent = M.descent();
    T.tmHeight = M.height();
    T.tmInternalLeading = std::max(0, T.tmHeight - F.pixelSize());
    T.tmExternalLeading = std::max(0, M.leading());
    T.tmAveCharWidth = M.horizontalAdvance(QLatin1Char('x'));
    T.tmMaxCharWidth = M.maxWidth();
    T.tmWeight = F.weight();
    T.tmItalic = F.italic() ? 1 : 0;
    T.tmUnderlined = F.underline() ? 1 : 0;
    T.tmStruckOut = F.strikeOut() ? 1 : 0;
    // The platform's bit 0 means variable pitch; bits 1 and 2: a scalable outline face.
    T.tmPitchAndFamily = static_cast<Byte>((F.fixedPitch() || QFontInfo(F).fixedPitch() ? 0 : 1) | 0x06);
    T.tmCharSet = DC->State.LogFont.lfCharSet;
    *Metrics = T;
    return 1;
}

BOOL GetTextExtentPoint32(HDC DC, const String& Text, int Count, TSize* Size) {
    if (!DC || !Size) return 0;
    *Size = FontTextExtent(DC->State.Font, Count < 0 ? Text : Text.left(Count));
    return 1;
}

UINT SetTextAlign(HDC DC, UINT Align) {
    if (!DC) return GDI_ERROR;
    return std::exchange(DC->State.TextAlign, Align);
}

UINT GetTextAlign(HDC DC) { return DC ? DC->State.TextAlign : GDI_ERROR; }

BOOL ExtTextOut(HDC DC, int X, int Y, UINT Options, const TRect* Rect, const String& Text, int Count, const int* Dx) {
    if (!DC) return 0;
    const TDCState& S = DC->State;
    const String T = Count < 0 ? Text : Text.left(Count);
    const auto Measure = FontMeasure(S.Font);
    const QFontMetrics& M = Measure->Metrics();
    int Width = 0;
    if (Dx)
        for (qsizetype I = 0; I < T.size(); ++I) Width += Dx[I];
    else
        Width = Measure->Width(T);
    // TA_CENTER includes the TA_RIGHT bit.
    if ((S.TextAlign & TA_CENTER) == TA_CENTER)
        X -= Width / 2;
    else if (S.TextAlign & TA_RIGHT)
        X -= Width;
    if ((S.TextAlign & TA_BASELINE) == TA_BASELINE)
        Y -= M.ascent();
    else if (S.TextAlign & TA_BOTTOM)
        Y -= M.height();
    QPainter* P = DCPainter(DC);
    if (!P) return 1;
    DCApplyFont(DC, *P);
    P->save();
    P->resetTransform();
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QColor Bk = qColorOfRef(S.BkColor);
    if (Rect && (Options & ETO_OPAQUE)) P->fillRect(DCToDevice(DC, *Rect), Bk);
    if (Rect && (Options & ETO_CLIPPED))
        P->setClipRect(DCToDevice(DC, *Rect), P->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    const QPoint Origin = DCToDevice(DC, X, Y);
    P->translate(Origin);
    if (S.Escapement != 0) P->rotate(-S.Escapement / 10.0);
    if (S.BkMode == OPAQUE && !(Rect && (Options & ETO_OPAQUE))) P->fillRect(QRect(0, 0, Width, M.height()), Bk);
    P->setPen(qColorOfRef(S.TextColor));
    if (Options & ETO_RTLREADING) P->setLayoutDirection(Qt::RightToLeft);
    if (Dx) {
        int CX = 0;
        for (qsizetype I = 0; I < T.size(); ++I) {
            P->drawText(QPoint(CX, M.ascent()), String(T.at(I)));
            CX += Dx[I];
        }
    } else {
        P->drawText(QPoint(0, M.ascent()), T);
    }
    P->restore();
    return 1;
}

BOOL TextOut(HDC DC, int X, int Y, const String& Text, int Count) {
    return ExtTextOut(DC, X, Y, 0, nullptr, Text, Count, nullptr);
}
