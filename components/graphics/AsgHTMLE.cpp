// AsgHTMLE: the call, the unit's state and its readers of colours and line breaks.
#include "components/graphics/AsgHTMLE.h"

#include "components/graphics/AdvXPVS.h"
#include "components/graphics/MiniHTML_Engine.h"
#include "framework/rtl/StrUtils.h"
#include "framework/ui/PlatformFacts.h"

#include <algorithm>
#include <vector>

namespace AsgHTMLE {
namespace {

struct TUnitState {
    TColor HighlightColor = clHighlight;
    TColor HighlightTextColor = clHighlightText;
    bool KeepLineBreaks = true;
    bool WinXPOrLater = false;
};

TUnitState& unitState() {
    static TUnitState State;
    return State;
}

struct TSortedColor {
    String Name;  // without "cl"
    TColor Color;
};

// The colour table by name without its "cl" prefix, in ordinal order for a binary search.
const std::vector<TSortedColor>& sortedColorNames() {
    static const std::vector<TSortedColor> Names = [] {
        std::vector<TSortedColor> List;
        for (const TMarkupColorName& Row : MarkupColorNames())
            List.push_back({String::fromLatin1(Row.Name + 2), Row.Color});
        std::sort(List.begin(), List.end(),
                  [](const TSortedColor& A, const TSortedColor& B) { return A.Name < B.Name; });
        return List;
    }();
    return Names;
}

int hexDigit(Char C) {
    const char16_t U = C.unicode();
    if (U >= u'0' && U <= u'9') return U - u'0';
    if (U >= u'A' && U <= u'F') return U - u'A' + 10;
    if (U >= u'a' && U <= u'f') return U - u'a' + 10;
    return -1;
}

struct TUnitStart {
    TUnitStart() { DetectWinXPOrLater(); }
};
const TUnitStart UnitStart;

}  // namespace

bool DrawMarkupText(const TMarkupRequest& Request, TMarkupResult& Result) {
    TMarkupRequest Call = Request;
    Call.HighlightColor = unitState().HighlightColor;
    Call.HighlightTextColor = unitState().HighlightTextColor;
    return minihtml::TMarkupEngine(Call, Result, minihtml::TMarkupVariant::Grid).Run();
}

bool DrawMarkupText(TCanvas* Canvas, const String& Text, const TRect& DrawRect, TCustomImageList* Images, int HitX,
                    int HitY, int FocusIndex, int HoverIndex, int ShadowOffset, bool HitTestOnly, bool MeasureOnly,
                    bool StretchImages, bool IgnoreColors, bool BlinkVisible, bool HoverOnly, bool WordWrap,
                    bool PressedDown, const String& PressedControlID, double ImageScale, TColor AnchorColor,
                    TColor HoverColor, TColor HoverFontColor, TColor ShadowColor, String& AnchorHref, String& PlainText,
                    String& FocusHref, String& AnchorTitle, int& MeasuredWidth, int& MeasuredHeight, int& AnchorCount,
                    int& HitAnchor, TRect& HitAnchorRect, TRect& ControlRect, String& ControlID, String& ControlValue,
                    String& ControlType, THTMLPictureCache* PictureCache, TPictureContainer* Container,
                    HWND ThemeWindow, TBiDiMode BiDiMode) {
    TMarkupResult R;
    R.AnchorHref = AnchorHref;
    R.HitAnchorRect = HitAnchorRect;
    AsgHTMLE::DrawMarkupText({.Canvas = Canvas,
                              .Text = Text,
                              .DrawRect = DrawRect,
                              .Images = Images,
                              .HitX = HitX,
                              .HitY = HitY,
                              .FocusIndex = FocusIndex,
                              .HoverIndex = HoverIndex,
                              .ShadowOffset = ShadowOffset,
                              .HitTestOnly = HitTestOnly,
                              .MeasureOnly = MeasureOnly,
                              .StretchImages = StretchImages,
                              .IgnoreColors = IgnoreColors,
                              .BlinkVisible = BlinkVisible,
                              .HoverOnly = HoverOnly,
                              .WordWrap = WordWrap,
                              .ImageScale = ImageScale,
                              .AnchorColor = AnchorColor,
                              .HoverColor = HoverColor,
                              .HoverFontColor = HoverFontColor,
                              .ShadowColor = ShadowColor,
                              .PictureCache = PictureCache,
                              .Container = Container,
                              .BiDiMode = BiDiMode,
                              .PressedDown = PressedDown,
                              .PressedControlID = PressedControlID,
                              .ControlID = ControlID,
                              .ThemeWindow = ThemeWindow},
                             R);
    AnchorHref = R.AnchorHref, PlainText = R.PlainText, FocusHref = R.FocusHref, AnchorTitle = R.AnchorTitle;
    MeasuredWidth = R.MeasuredWidth, MeasuredHeight = R.MeasuredHeight, AnchorCount = R.AnchorCount;
    HitAnchor = R.HitAnchor, HitAnchorRect = R.HitAnchorRect, ControlRect = R.ControlRect;
    ControlID = R.ControlID, ControlValue = R.ControlValue, ControlType = R.ControlType;
    return R.OnAnchor;
}

void SetMarkupHighlightColors(TColor Color, TColor TextColor) {
    unitState().HighlightColor = Color;
    unitState().HighlightTextColor = TextColor;
}

TColor MarkupHighlightColor() { return unitState().HighlightColor; }
TColor MarkupHighlightTextColor() { return unitState().HighlightTextColor; }
bool MarkupKeepLineBreaks() { return unitState().KeepLineBreaks; }
void SetMarkupKeepLineBreaks(bool Value) { unitState().KeepLineBreaks = Value; }

void DetectWinXPOrLater() {
    OSVERSIONINFOW Info;
    unitState().WinXPOrLater =
        GetVersionEx(&Info) && (Info.dwMajorVersion > 5 || (Info.dwMajorVersion == 5 && Info.dwMinorVersion > 0));
}

bool ControlsThemed() { return unitState().WinXPOrLater && AdvXPVS.IsThemeActive && AdvXPVS.IsThemeActive() != 0; }

TColor ParseColorName(const String& Name) {
    if (Name.startsWith(u'#'))
        return static_cast<TColor>(HexPairAt(Name, 2) + HexPairAt(Name, 4) * 256 + HexPairAt(Name, 6) * 65536);
    if (!Name.startsWith(QLatin1String("cl"))) return 0;
    const String Key = Name.mid(2);
    const std::vector<TSortedColor>& Names = sortedColorNames();
    const auto It = std::lower_bound(Names.begin(), Names.end(), Key,
                                     [](const TSortedColor& Row, const String& K) { return Row.Name < K; });
    return It != Names.end() && It->Name == Key ? It->Color : 0;
}

int HexPairAt(const String& Text, int Position) {
    if (Position < 1 || Position >= Text.size()) return 0;
    const int High = hexDigit(Text[Position - 1]);
    const int Low = hexDigit(Text[Position]);
    return High < 0 || Low < 0 ? 0 : High * 16 + Low;
}

int PosIgnoreCaseOut(const String& SubStr, const String& S, int& Position) {
    Position = Pos(SubStr, UpperCase(S));
    return Position;
}

String LineBreaksToBR(const String& S, bool Flag) {
    if (Flag) return ::LineBreaksToBR(S, true);
    String Text = S;
    Text.remove(QLatin1Char('\n'));
    String R;
    R.reserve(Text.size());
    const qsizetype N = Text.size();
    for (qsizetype I = 0; I < N; ++I) {
        if (Text[I] != u'\r') {
            R += Text[I];
            continue;
        }
        // A break between two tags is dropped; any other becomes a blank.
        const bool AfterTag = I > 0 && Text[I - 1] == u'>';
        const bool BeforeTag = I + 1 >= N || Text[I + 1] == u'<';
        if (!(AfterTag && BeforeTag)) R += QLatin1Char(' ');
    }
    return R;
}

String PasswordMask(const String& Text) { return String(Text.size(), QLatin1Char('*')); }

}  // namespace AsgHTMLE
