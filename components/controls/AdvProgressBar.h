// A windowless progress bar whose colour follows the level the position has reached: level 0
// below Level1Perc percent, level 1 below Level2Perc, level 2 below 100 and level 3 at 100; or
// the levels stacked as segments. Blocks or a smooth bar, a mirrored gradient across the bar's
// thickness, a rounded outline, a text, and an "infinite" mode whose window bounces on a timer.
#pragma once

#include "components/graphics/AdvUtilCells.h"  // TProgressLook, the shared bar painting
#include "framework/ui/Controls.h"

class TTimer;

// What the painter takes: the multi-level look plus what only the control has. Position is
// already in percent; FontColor is not read (the font carries its colour).
struct TGaugeSettings : TProgressLook {
    TColor Level0BkColor = clNone;
    TColor Level1BkColor = clNone;
    TColor Level2BkColor = clNone;
    bool ShowPosition{};
    int Value{};  // the raw position, for the text
    int Max{};
    bool Rounded{};
    TColor ParentColor{};
    String Format;
    bool Infinite{};
    int InfinitePos{};
};

// The whole bar in R. With Rounded the rectangle is first filled with $FF00FF, the colour the
// control then draws as transparent.
void DrawProgressBar(TCanvas* Canvas, const TRect& R, const TGaugeSettings& Settings);

class TAdvProgressBar : public TGraphicControl {
public:
    explicit TAdvProgressBar(TComponent* AOwner);
    ~TAdvProgressBar() override;

    TColor Level0Color() const { return FLevel0Color; }
    void SetLevel0Color(TColor Value);
    TColor Level0ColorTo() const { return FLevel0ColorTo; }
    void SetLevel0ColorTo(TColor Value);
    TColor Level1Color() const { return FLevel1Color; }
    void SetLevel1Color(TColor Value);
    TColor Level1ColorTo() const { return FLevel1ColorTo; }
    void SetLevel1ColorTo(TColor Value);
    TColor Level2Color() const { return FLevel2Color; }
    void SetLevel2Color(TColor Value);
    TColor Level2ColorTo() const { return FLevel2ColorTo; }
    void SetLevel2ColorTo(TColor Value);
    TColor Level3Color() const { return FLevel3Color; }
    void SetLevel3Color(TColor Value);
    TColor Level3ColorTo() const { return FLevel3ColorTo; }
    void SetLevel3ColorTo(TColor Value);
    int Level1Perc() const { return FLevel1Perc; }
    void SetLevel1Perc(int Value);
    int Level2Perc() const { return FLevel2Perc; }
    void SetLevel2Perc(int Value);
    // The three zone backgrounds repaint only when they change.
    TColor Level0BkColor() const { return FLevel0BkColor; }
    void SetLevel0BkColor(TColor Value);
    TColor Level1BkColor() const { return FLevel1BkColor; }
    void SetLevel1BkColor(TColor Value);
    TColor Level2BkColor() const { return FLevel2BkColor; }
    void SetLevel2BkColor(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    bool ShowBorder() const { return FShowBorder; }  // else the outline is in BackgroundColor
    void SetShowBorder(bool Value);
    bool Stacked() const { return FStacked; }
    void SetStacked(bool Value);
    bool ShowPercentage() const { return FShowPercentage; }  // else the raw position
    void SetShowPercentage(bool Value);
    bool ShowPosition() const { return FShowPosition; }  // the text at all
    void SetShowPosition(bool Value);
    // Font() is the control's own font ("Verdana", 10), not taken from the parent; SetFont copies.
    bool CompletionSmooth() const { return FCompletionSmooth; }
    void SetCompletionSmooth(bool Value);
    bool ShowGradient() const { return FShowGradient; }
    void SetShowGradient(bool Value);
    int Steps() const { return FSteps; }  // 0 or less paints one band
    void SetSteps(int Value);
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor Value);
    TGaugeOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TGaugeOrientation Value);
    // Clamped to Min..Max; inside the range the bar paints at once when the percentage or the
    // block of MaxIncrement changes, so a large range paints at most once per percent.
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    bool Rounded() const { return FRounded; }
    void SetRounded(bool Value);
    // Applied to the raw position and Max; an unusable format falls back to the plain text.
    const String& Format() const { return FFormat; }
    void SetFormat(const String& Value);
    bool Animated() const { return FAnimated; }
    void SetAnimated(bool Value);
    // Setting it (either way) puts the window back at 0.
    bool Infinite() const { return FInfinite; }
    void SetInfinite(bool Value);
    // The timer's period in milliseconds; no repaint. Negative values are ignored.
    int InfiniteInterval() const { return FInfiniteInterval; }
    void SetInfiniteInterval(int Value);
    String Version() const;
    void SetVersion(const String&) {}

    int GetVersionNr() const { return 0x01020101; }
    // The percentage shown: 0 when Max equals Min.
    int Percentage() const;
    // Where the infinite window is, 0..100.
    int InfinitePos() const { return FInfinitePos; }

protected:
    void Dispatch(TMessage& Message) override;
    void Paint() override;

    void WMEraseBkgnd(TMessage& Message);

private:
    TColor FLevel0Color = 0x00FF00;
    TColor FLevel0ColorTo = 0xE1FFE1;
    TColor FLevel1Color = 0x00FFFF;
    TColor FLevel1ColorTo = 0xCAFFFF;
    TColor FLevel2Color = 0x53A9FF;
    TColor FLevel2ColorTo = 0xA8D3FF;
    TColor FLevel3Color = 0x0000FF;
    TColor FLevel3ColorTo = 0xCACAFF;
    int FLevel1Perc = 70;
    int FLevel2Perc = 90;
    TColor FLevel0BkColor = clNone;
    TColor FLevel1BkColor = clNone;
    TColor FLevel2BkColor = clNone;
    TColor FBorderColor = 0x808080;
    bool FShowBorder = true;
    bool FStacked = false;
    bool FShowPercentage = true;
    bool FShowPosition = true;
    bool FCompletionSmooth = false;
    bool FShowGradient = true;
    int FSteps = 8;
    TColor FBackgroundColor = 0xFFFFFF;
    TGaugeOrientation FOrientation = goHorizontal;
    int FPosition = 50;
    int FMin = 0;
    int FMax = 100;
    bool FRounded = true;
    String FFormat;
    bool FAnimated = false;
    bool FInfinite = false;
    int FInfiniteInterval = 50;
    TTimer* FTimer = nullptr;  // owned through the owner tree
    int FInfinitePos = 0;
    bool FInfiniteUp = false;  // the first tick turns up from 0
    int FMaxIncrement = 1;
    int FLastPerc = 0;
    int FLastBlock = 0;

    template <class T>
    void storeAndInvalidate(T& Field, T Value);
    void updateMaxIncrement();
    void updateTimer();
    void timerTick(TObject* Sender);
    TGaugeSettings gaugeSettings(TFont* FontCopy) const;
};
