// MiniHTML engine: what each tag does to the drawing state and the line.
#include "components/graphics/MiniHTML_Engine.h"

#include "components/graphics/AsgHTMLE.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"

#include <algorithm>

namespace minihtml {

namespace {

void setStyle(TFont* Font, TFontStyle Style, bool On) {
    TFontStyles S = Font->Style();
    if (On)
        S.Include(Style);
    else
        S.Exclude(Style);
    Font->SetStyle(S);
}

}  // namespace

bool TMarkupEngine::handleTag(const TMarkupTag& Tag, TLineValues& Line) {
    using K = TMarkupTagKind;
    K Kind = Tag.Kind;
    // The grid knows no persistent offset: "<OF…>" has no effect and "</O>" closes a list.
    if (Grid && Kind == K::Offset) Kind = Tag.Closing ? K::OrderedList : K::Unknown;
    if (Tag.Closing) {
        switch (Kind) {
            case K::Anchor:
                closeAnchor(Line);
                break;
            case K::Bold:
                setStyle(FFont, fsBold, false);
                break;
            case K::Blink:
                FFont->SetColor(FBase->Color());
                break;
            case K::Error:
                if (drawing()) FErrorMark = false;
                break;
            case K::Font:
                FFont->SetName(FBase->Name());
                FFont->SetSize(FBase->Size());
                if (drawing() && colorsOn()) {
                    FFont->SetColor(FBase->Color());
                    setBackground(FSavedBk);
                }
                break;
            case K::Highlight:
                if (drawing() && FHiMet) {
                    FFont->SetColor(FHiColor);
                    if (!Grid) FFont->SetStyle(FHiStyle);
                    setBackground(FHiBk);
                }
                break;
            case K::Italic:
                setStyle(FFont, fsItalic, false);
                break;
            case K::ListItem:
                endLine();
                break;
            case K::Offset:
                Line.OffsetOut = 0;
                break;
            case K::OrderedList:
                if (FListLevel < 1) {
                    Line.OffsetOut = 0;
                } else {
                    --FListLevel;
                    if (drawing()) FOrdered = false;
                }
                break;
            case K::Paragraph:
                endLine();
                if (Grid) {
                    FAlign = 0;
                    FParaBackground = false;
                    if (drawing()) setBackground(FParaSavedBk);
                } else if (drawing()) {
                    FParaBackground = false;
                    if (!HitTestOnly && colorsOn()) setBackground(FParaSavedBk);
                }
                break;
            case K::Rotate:
                RestoreRotatedFont();
                break;
            case K::Strike:
                setStyle(FFont, fsStrikeOut, false);
                break;
            case K::Subscript:
            case K::Superscript:
                FSub = FSup = false;
                break;
            case K::Span:
                setBackground(FSavedBk);
                break;
            case K::Shadow:
                FShadow = false;
                break;
            case K::Underline:
                setStyle(FFont, fsUnderline, false);
                break;
            case K::UnorderedList:
                if (FListLevel < 1)
                    setStyle(FFont, fsUnderline, false);
                else
                    --FListLevel;
                break;
            case K::Hidden:
                FHidden = false;
                break;
            default:
                break;
        }
        return true;
    }

    switch (Kind) {
        case K::Anchor:
            openAnchor(Tag, Line);
            break;
        case K::Bold:
            setStyle(FFont, fsBold, true);
            break;
        case K::LineBreak:
            if (FFirstPass) Out.PlainText += QChar(13);
            endLine();
            break;
        case K::Blink:
            if (!BlinkVisible) FFont->SetColor(FCallerBk);
            break;
        case K::Body:
            if (Grid && drawing())
                handleGridBody(Tag);
            else if (drawing() && colorsOn())
                handleBody(Tag, Line);
            break;
        case K::Error:
            if (drawing()) FErrorMark = true;
            break;
        case K::Font:
            handleFont(Tag);
            break;
        case K::Highlight:
            if (drawing()) {
                FHiMet = true;
                FHiColor = FFont->Color();
                FHiBk = FBk;
                FHiStyle = FFont->Style();
                setBackground(HighlightColor);
                FFont->SetColor(HighlightTextColor);
                if (!Grid) FFont->SetStyle(HighlightStyle);
            }
            break;
        case K::HorzRule:
            handleHorzRule(Tag, Line);
            break;
        case K::Italic:
            setStyle(FFont, fsItalic, true);
            break;
        case K::Indent: {
            int Value = 0;
            if (TryValInteger(MarkupLetterAttribute(MarkupAttributeText(Tag), u'x'), Value) &&
                (Value = clampMarkupPixels(Value)) > Line.Width) {
                Line.Width = Value;
                FRunX = DrawRect.Left + Value;
            }
            break;
        }
        case K::Image:
            return handleImage(Tag, Line);
        case K::ListItem:
            return handleListItem(Tag, Line);
        case K::OrderedList:
        case K::UnorderedList:
            if (!Grid || drawing()) ++FListLevel;
            if (FLineContent) endLine();
            FOrdered = Kind == K::OrderedList;
            if (FOrdered) FItemNumber = 1;
            break;
        case K::Offset: {
            const int Value = clampMarkupPixels(ValInteger(MarkupLetterAttribute(MarkupAttributeText(Tag), u'x')));
            Line.OffsetOut = Value;
            FRunX = DrawRect.Left + Value;
            Line.Width = Value;
            break;
        }
        case K::Paragraph:
            handleParagraph(Tag, Line);
            break;
        case K::Rotate:
            SelectRotatedFont(ValInteger(MarkupLetterAttribute(MarkupAttributeText(Tag), u'a')));
            break;
        case K::Strike:
            setStyle(FFont, fsStrikeOut, true);
            break;
        case K::Shadow:
            FShadow = true;
            break;
        case K::Span: {
            TColor Color;
            if (Tag.HasEnd() &&
                ReadSpanBackground(MarkupAttribute(MarkupAttributeText(Tag), QStringLiteral("STYLE")), Color)) {
                FSavedBk = FBk;
                setBackground(Color);
            }
            break;
        }
        case K::Subscript:
            FSub = true;
            break;
        case K::Superscript:
            FSup = true;
            break;
        case K::Underline:
            setStyle(FFont, fsUnderline, true);
            break;
        case K::Hidden:
            FHidden = true;
            break;
        case K::Control:
            if (Grid) return handleControl(Tag, Line);
            break;
        default:
            break;
    }
    return true;
}

void TMarkupEngine::openAnchor(const TMarkupTag& Tag, TLineValues& Line) {
    // The grid's closing tags return to the colour the call started with.
    if (!Grid) {
        FBase->SetColor(FFont->Color());
        FStartFont->SetColor(FFont->Color());
    }
    if (drawing() && FocusIndex == FAnchors) {
        FFocusOpen = true;
        FFocusStart = Point(FRunX, FLineRect.Top);
    }
    ++FAnchors;
    Out.AnchorCount = std::max(Out.AnchorCount, FAnchors);
    FAnchorStartWidth = Line.Width;
    FAnchorStartTop = FLineRect.Top;
    FAnchorStartLine = FLineNumber;

    const bool Hovered = FAnchors == HoverIndex;
    if (drawing() && (!HoverOnly || Hovered)) {
        setStyle(FFont, fsUnderline, true);
        if (HoverColor != clNone) {
            FHoverSavedBk = FBk;
            setBackground(HoverColor);
        }
        if (HoverFontColor != clNone) {
            FHoverSavedColor = FFont->Color();
            FFont->SetColor(HoverFontColor);
        }
    }
    if (colorsOn() && !(HoverOnly && Hovered && HoverFontColor != clNone)) FFont->SetColor(AnchorColor);

    const String Attrs = MarkupAttributeText(Tag);
    FInAnchor = HasMarkupAttribute(Attrs, QStringLiteral("HREF"));
    if (FInAnchor) FAnchorRef = MarkupAttribute(Attrs, QStringLiteral("HREF"), true);
    if (HasMarkupAttribute(Attrs, QStringLiteral("TITLE")))
        FAnchorTitle = MarkupAttribute(Attrs, QStringLiteral("TITLE"), true);
    else
        FAnchorTitle.clear();
}

void TMarkupEngine::closeAnchor(TLineValues& Line) {
    if (drawing() && (!HoverOnly || FAnchors == HoverIndex)) {
        setStyle(FFont, fsUnderline, false);
        if (HoverColor != clNone) setBackground(FHoverSavedBk);
        if (HoverFontColor != clNone) FFont->SetColor(FHoverSavedColor);
    }
    if (colorsOn()) FFont->SetColor(FBase->Color());
    if (FAnchorHitPending) {
        const int Left = FLineRect.Left + (FAnchorStartLine == FLineNumber ? FAnchorStartWidth : 0);
        Out.HitAnchorRect = Rect(Left, FAnchorStartTop, FLineRect.Left + Line.Width, FLineRect.Bottom);
        Out.HitAnchor = FAnchors;
        FAnchorHitPending = false;
    }
    if (drawing() && FFocusOpen && FAnchors == FocusIndex + 1) {
        const int Bottom = FLineRect.Bottom - Line.TextRaise;
        Canvas->DrawFocusRect(Rect(FFocusStart.X - 1, Bottom - ghHeight(), FRunX + 1, Bottom));
        FFocusOpen = false;
    }
    FInAnchor = false;
}

void TMarkupEngine::handleFont(const TMarkupTag& Tag) {
    if (!Tag.HasEnd()) return;
    if (!Grid) FSavedBk = FBk;
    const String Attrs = MarkupAttributeText(Tag);
    if (HasMarkupAttribute(Attrs, QStringLiteral("FACE")))
        FFont->SetName(MarkupAttribute(Attrs, QStringLiteral("FACE")));
    // The grid applies the colour in both passes and keeps its base colour.
    if (HasMarkupAttribute(Attrs, QStringLiteral(" COLOR")) && colorsOn() && (Grid || drawing())) {
        if (!Grid && !FInAnchor) {
            FBase->SetColor(FFont->Color());
            FStartFont->SetColor(FFont->Color());
        }
        TColor Color;
        if (parseColor(MarkupAttribute(Attrs, QStringLiteral(" COLOR")), Color)) FFont->SetColor(Color);
    }
    if (HasMarkupAttribute(Attrs, QStringLiteral("BGCOLOR")) && drawing() && colorsOn()) {
        TColor Color;
        if (parseColor(MarkupAttribute(Attrs, QStringLiteral("BGCOLOR")), Color)) {
            if (Grid) FSavedBk = FBk;
            setBackground(Color);
        }
    }
    if (HasMarkupAttribute(Attrs, QStringLiteral("STYLE"))) {
        int Size = 0;
        if (ReadFontStyleSize(MarkupAttribute(Attrs, QStringLiteral("STYLE")), Size)) FFont->SetSize(Size);
    } else if (HasMarkupAttribute(Attrs, QStringLiteral("SIZE"))) {
        const int N = ValInteger(MarkupAttribute(Attrs, QStringLiteral("SIZE")));
        FFont->SetSize(Grid ? AbsoluteFontSizeStep(N) : FontSizeStep(FBase->Size(), N));
    }
}

void TMarkupEngine::handleHorzRule(const TMarkupTag& Tag, TLineValues&) {
    endLine();
    if (!drawing()) return;
    TColor Color = clBlack;
    if (!Grid) ParseMarkupColor(MarkupAttribute(MarkupAttributeText(Tag), QStringLiteral("COLOR"), true), Color);
    const TColor Saved = Canvas->Pen()->Color();
    Canvas->Pen()->SetColor(Color);
    Canvas->MoveTo(FLineRect.Left, FLineRect.Bottom);
    Canvas->LineTo(FLineRect.Right, FLineRect.Bottom);
    Canvas->Pen()->SetColor(Saved);
}

bool TMarkupEngine::handleListItem(const TMarkupTag& Tag, TLineValues& Line) {
    if (FListItemSeen) return false;  // a second item starts the next line
    FListItemSeen = true;
    if (Tag.HasEnd() && !Grid) {  // the grid's items always get the Symbol bullet or number
        const String Attrs = MarkupAttributeText(Tag);
        FBulletType = MarkupAttribute(Attrs, QStringLiteral("TYPE"));
        FBulletColor = clNone;
        ParseMarkupColor(MarkupAttribute(Attrs, QStringLiteral("COLOR")), FBulletColor);
    }
    Line.Width += FListLevel * 12;
    FRunX += FListLevel * 12 - 12;
    if (drawing() && !FHidden) {
        if (!FBulletType.isEmpty()) {
            const TRect Box = Bounds(FRunX, FLineRect.Top + 2, 8, 8);
            if (FBulletType == QLatin1String("SQUARE") || FBulletType == QLatin1String("CIRCLE")) {
                Canvas->Brush()->SetStyle(bsSolid);
                Canvas->Brush()->SetColor(FBulletColor == clNone ? FFont->Color() : FBulletColor);
                Canvas->Pen()->SetColor(Canvas->Brush()->Color());
                if (FBulletType == QLatin1String("SQUARE"))
                    Canvas->Rectangle(Box);
                else
                    Canvas->Ellipse(Box);
                setBackground(clNone);
            }
        } else {
            const String Name = FFont->Name();
            const TColor Color = FFont->Color();
            FFont->SetName(QStringLiteral("Symbol"));
            if (FBulletColor != clNone) FFont->SetColor(FBulletColor);
            String Bullet;
            if (FOrdered)
                Bullet = IntToStr(FItemNumber++) + QStringLiteral(". ");
            else
                Bullet = FListLevel % 2 == 1 ? QString(QChar(0x00B7)) : QStringLiteral("o");
            TRect R = Rect(FRunX, FLineRect.Top, FLineRect.Right, FLineRect.Bottom - Line.TextRaise);
            drawRun(Bullet, R, (FFlags & ~DT_EXTERNALLEADING) | DT_NOPREFIX);
            if (FOrdered) FRunX += measureRun(Bullet, R, DT_NOPREFIX) - 12;
            FFont->SetName(Name);
            FFont->SetColor(Color);
        }
    }
    FRunX += 12;
    return true;
}

void TMarkupEngine::handleParagraph(const TMarkupTag& Tag, TLineValues& Line) {
    if (!Tag.HasEnd()) return;
    const String Attrs = MarkupAttributeText(Tag);
    if (HasMarkupAttribute(Attrs, QStringLiteral("ALIGN")))
        FAlign = ParseParagraphAlign(MarkupAttribute(Attrs, QStringLiteral("ALIGN")), FAlign);
    if (HasMarkupAttribute(Attrs, QStringLiteral("INDENT")))
        FIndent = clampMarkupPixels(ValInteger(MarkupAttribute(Attrs, QStringLiteral("INDENT"))));
    if (HasMarkupAttribute(Attrs, QStringLiteral("FLOAT"))) {
        const String Side = MarkupAttribute(Attrs, QStringLiteral("FLOAT"));
        if (Side == QLatin1String("LEFT")) FFloatSide = 1;
        if (Side == QLatin1String("RIGHT")) FFloatSide = 2;
        FFloatStart = Point(FLayout.Left, FLayout.Top);
    }
    // The grid fills its paragraph backgrounds whatever IgnoreColors says, and has no gradient.
    if (!HasMarkupAttribute(Attrs, QStringLiteral("BGCOLOR")) || !(colorsOn() || Grid) || !drawing()) return;
    TColor From = clNone;
    parseColor(MarkupAttribute(Attrs, QStringLiteral("BGCOLOR")), From);
    const TRect Band = Rect(DrawRect.Left, FLineRect.Top, DrawRect.Right, FLineRect.Bottom);
    FParaBackground = true;
    if (!Grid && HasMarkupAttribute(Attrs, QStringLiteral("BGCOLORTO"))) {
        TColor To = clNone;
        ParseMarkupColor(MarkupAttribute(Attrs, QStringLiteral("BGCOLORTO")), To);
        if (From != clNone && To != clNone) {
            FillGradientBands(Canvas, From, To, true, Rect(Band.Left, Band.Top, Band.Right, Band.Bottom + 2), 64,
                              clNone);
        }
        setBackground(clNone);
        return;
    }
    FParaSavedBk = FBk;
    setBackground(From);
    (void)Line;
    if (From == clNone) return;
    const TColor SavedPen = Canvas->Pen()->Color();
    Canvas->Pen()->SetColor(From);
    Canvas->FillRect(Band);
    Canvas->Pen()->SetColor(SavedPen);
    setBackground(From);
}

void TMarkupEngine::handleBody(const TMarkupTag& Tag, TLineValues&) {
    const String Attrs = MarkupAttributeText(Tag);
    // Image sources keep the case they were written in: file names here are case-sensitive.
    for (const char* Name : {"BACKGROUND", "BGTOPLEFT"}) {
        const String Key = QLatin1String(Name);
        if (!HasMarkupAttribute(Attrs, Key)) continue;
        const TImageSource Source = ParseImageSource(MarkupAttribute(Attrs, Key, true));
        if (THTMLPicture* Picture = findPicture(Source))
            tilePicture(Picture);
        else
            drawSourceOnce(Source, FRunX, FLineRect.Top, false);
    }
    if (HasMarkupAttribute(Attrs, QStringLiteral("BGTOPRIGHT"))) {
        const TImageSource Source = ParseImageSource(MarkupAttribute(Attrs, QStringLiteral("BGTOPRIGHT"), true));
        if (THTMLPicture* Picture = findPicture(Source))
            drawPictureColumn(Picture);
        else
            drawSourceOnce(Source, FRightEdge, FLineRect.Top, true);
    }
    if (!HasMarkupAttribute(Attrs, QStringLiteral("BGCOLOR"))) return;
    TColor From = clNone;
    ParseMarkupColor(MarkupAttribute(Attrs, QStringLiteral("BGCOLOR")), From);
    if (HasMarkupAttribute(Attrs, QStringLiteral("BGCOLORTO"))) {
        TColor To = clNone;
        ParseMarkupColor(MarkupAttribute(Attrs, QStringLiteral("BGCOLORTO")), To);
        const bool Horizontal = !HasMarkupAttribute(Attrs, QStringLiteral("DIR")) ||
                                MarkupAttribute(Attrs, QStringLiteral("DIR")) == QLatin1String("H");
        if (From != clNone && To != clNone) FillGradientBands(Canvas, From, To, Horizontal, DrawRect, 64, clNone);
        setBackground(clNone);
        return;
    }
    FSavedBk = FBk;
    if (From == clNone) return;
    const TColor SavedPen = Canvas->Pen()->Color();
    setBackground(From);
    Canvas->Pen()->SetColor(From);
    Canvas->FillRect(Rect(DrawRect.Left - 2, DrawRect.Top, DrawRect.Right, DrawRect.Bottom));
    Canvas->Pen()->SetColor(SavedPen);
}

// The grid's BODY: background pictures tiled, and a BGCOLOR read as a "cl" name or "#RRGGBB".
void TMarkupEngine::handleGridBody(const TMarkupTag& Tag) {
    const String Attrs = MarkupAttributeText(Tag);
    if (HasMarkupAttribute(Attrs, QStringLiteral("BACKGROUND"))) {
        const TImageSource Source = ParseImageSource(MarkupAttribute(Attrs, QStringLiteral("BACKGROUND"), true));
        if (THTMLPicture* Picture = findPicture(Source)) tilePicture(Picture);
    }
    if (!HasMarkupAttribute(Attrs, QStringLiteral("BGCOLOR"))) return;
    const String Value = MarkupAttribute(Attrs, QStringLiteral("BGCOLOR"));
    TColor Color;
    if (Value.contains(QStringLiteral("CL")))
        Color = AsgHTMLE::ParseColorName(LowerCase(Value));
    else if (Value.contains(u'#'))
        Color = ParseHexColor(Value);
    else
        return;
    setBackground(Color);
    const TColor SavedPen = Canvas->Pen()->Color();
    Canvas->Pen()->SetColor(Color);
    Canvas->FillRect(DrawRect);
    Canvas->Pen()->SetColor(SavedPen);
    FSavedBk = Color;
}

bool TMarkupEngine::parseColor(const String& Value, TColor& Color) const {
    if (!Grid) return ParseMarkupColor(Value, Color);
    if (Value.isEmpty()) return false;
    Color = AsgHTMLE::ParseColorName(LowerCase(Value));
    return true;
}

void TMarkupEngine::SelectRotatedFont(int Degrees) {
    if (!FRotated) FRotatedFrom = FFont->Orientation();
    FRotated = true;
    // Tenths of a degree, within one turn: any angle the markup names, without overflow.
    FFont->SetOrientation(static_cast<int>((static_cast<long long>(Degrees) * 10) % 3600));
}

void TMarkupEngine::RestoreRotatedFont() {
    if (!FRotated) return;
    FFont->SetOrientation(FRotatedFrom);
    FRotated = false;
}

}  // namespace minihtml
