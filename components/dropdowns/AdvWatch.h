// TAdvWatch: an anti-aliased analog clock face. It shows a time of day with hour and minute
// pointers (and a second pointer as a live clock), tick marks, hour numbers and an AM/PM box; a
// click inside the face sets the hour, outside its ellipse the minute, on the AM/PM box the half
// of the day. Pointer moves are animated on a 1 ms timer; as a live clock a 100 ms timer follows
// the system time plus an offset. The face, ticks, numbers and box are drawn once into a cache;
// time changes redraw only the pointers over a copy of it. Also here: its two settings objects,
// the 13 watch styles and the component colour schemes (AdvWatch_Styles.cpp).
#pragma once

#include "components/graphics/TesselStyle.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Graphics.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TTimer;
class TPicture;
class TGPGraphics;

enum TAMPMFrame { apRect, apRoundRect };
enum TWatchShape { wsCircle, wsRect, wsRoundRect };
enum TPointerStyle { psLine, psShortLine, psPointer, psLineArrow };
enum TWatchGradient { wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward };
enum TTickMarks { tmAll, tmHours, tmQuartHours, tmNone };
enum THourMarkStyle { hmsLine, hmsQuartDblLine };
enum TWatchStyle {
    wsClassic,
    wsTower,
    wsFluorescent,
    wsEmerald,
    wsBlueStar,
    wsFuchsia,
    wsBlack,
    wsBlackWhite,
    wsGray,
    wsSuperNova,
    wsSports,
    wsSmooth,
    wsCustom
};

// Whether the watch runs as a live clock. Each writer fires OnChange when the value changes.
class TWatchSettings : public TPersistent {
public:
    bool Auto() const { return FAuto; }  // default false
    void SetAuto(bool Value);
    // Minutes added to the system time while Auto.
    int TimeOffset() const { return FTimeOffset; }
    void SetTimeOffset(int Value);
    // The second pointer shows while Auto.
    bool Second() const { return FSeconds; }  // default true
    void SetSecond(bool Value);

    TNotifyEvent OnChange;

    // Second and TimeOffset silently, Auto through its writer.
    void Assign(TPersistent* Source) override;

private:
    bool FAuto = false;
    bool FSeconds = true;
    int FTimeOffset = 0;
};

// What the watch looks like. Writers fire OnChange when the value changes; the fonts and the
// picture copy their value and always fire; AMPMColor and AMPMBorderColor never fire.
class TWatchAppearance : public TPersistent {
public:
    TWatchAppearance();
    ~TWatchAppearance() override;

    // Side of the watch square; 0 or less: the smaller client side minus 20.
    int Size() const { return FValues.Size; }
    void SetSize(int Value);
    TColor HourPointer() const { return FValues.HourPointer; }  // default 0
    void SetHourPointer(TColor Value);
    TColor BackgroundColor() const { return FValues.BackgroundColor; }  // default 0xFFFFFF
    void SetBackgroundColor(TColor Value);
    TColor MinutePointerShadow() const { return FValues.MinutePointerShadow; }  // clBtnShadow; clNone: none
    void SetMinutePointerShadow(TColor Value);
    TColor BackgroundColorTo() const { return FValues.BackgroundColorTo; }  // clNone: BackgroundColor
    void SetBackgroundColorTo(TColor Value);
    TColor HourPointerShadow() const { return FValues.HourPointerShadow; }  // clBtnShadow; clNone: none
    void SetHourPointerShadow(TColor Value);
    TColor SecondPointer() const { return FValues.SecondPointer; }  // default 0x0000FF
    void SetSecondPointer(TColor Value);
    TColor BorderColor() const { return FValues.BorderColor; }  // default 0
    void SetBorderColor(TColor Value);
    TColor MinutePointer() const { return FValues.MinutePointer; }  // default 0
    void SetMinutePointer(TColor Value);
    TFont* HourFont() const { return FHourFont.get(); }  // "Tahoma" 8
    void SetHourFont(TFont* Value);
    TFont* AMPMFont() const { return FAMPMFont.get(); }  // "Tahoma" 10
    void SetAMPMFont(TFont* Value);
    // Replaces the face fill when not empty.
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value);
    TAMPMFrame AMPMFrame() const { return FValues.AMPMFrame; }  // default apRect
    void SetAMPMFrame(TAMPMFrame Value);
    TWatchShape Shape() const { return FValues.WatchShape; }  // default wsCircle
    void SetShape(TWatchShape Value);
    TPointerStyle PointerStyle() const { return FValues.PointerStyle; }  // default psLine
    void SetPointerStyle(TPointerStyle Value);
    Byte HourPointerSize() const { return FValues.HourPointerSize; }  // default 4
    void SetHourPointerSize(Byte Value);
    Byte SecondPointerSize() const { return FValues.SecondPointerSize; }  // default 1
    void SetSecondPointerSize(Byte Value);
    Byte MinutePointerSize() const { return FValues.MinutePointerSize; }  // default 3
    void SetMinutePointerSize(Byte Value);
    TColor HourColor() const { return FValues.HourColor; }  // hour ticks, default 0
    void SetHourColor(TColor Value);
    TColor MinuteColor() const { return FValues.MinuteColor; }  // minute ticks, default 0x808080
    void SetMinuteColor(TColor Value);
    Byte CenterPointSize() const { return FValues.CenterPointSize; }  // diameter, default 4; 0: none
    void SetCenterPointSize(Byte Value);
    TColor CenterPointColor() const { return FValues.CenterPointColor; }  // default 0
    void SetCenterPointColor(TColor Value);
    TColor CenterPointBorderColor() const { return FValues.CenterPointBorderColor; }  // inner ring, clNone
    void SetCenterPointBorderColor(TColor Value);
    TWatchGradient BackgroundGradient() const { return FValues.BackgroundGradient; }  // default wgVertical
    void SetBackgroundGradient(TWatchGradient Value);
    Byte HourMarkLength() const { return FValues.HourMarkLength; }  // 0: a tenth of the tick radius
    void SetHourMarkLength(Byte Value);
    Byte HourMarkWidth() const { return FValues.HourMarkWidth; }  // default 1
    void SetHourMarkWidth(Byte Value);
    Byte MinuteMarkLength() const { return FValues.MinuteMarkLength; }  // 0: a twentieth of it
    void SetMinuteMarkLength(Byte Value);
    Byte MinuteMarkWidth() const { return FValues.MinuteMarkWidth; }  // default 1
    void SetMinuteMarkWidth(Byte Value);
    int BorderWidth() const { return FValues.BorderWidth; }  // default 4; 0 or less: no border
    void SetBorderWidth(int Value);
    // clNone: no fill and no roll of the box.
    TColor AMPMColor() const { return FValues.AMPMColor; }  // default 0xFFFFFF
    void SetAMPMColor(TColor Value) { FValues.AMPMColor = Value; }
    TColor AMPMBorderColor() const { return FValues.AMPMBorderColor; }  // default 0
    void SetAMPMBorderColor(TColor Value) { FValues.AMPMBorderColor = Value; }
    TColor CenterPointOuterBorderColor() const { return FValues.CenterPointOuterBorderColor; }  // clNone
    void SetCenterPointOuterBorderColor(TColor Value);
    TTickMarks TickMarks() const { return FValues.TickMarks; }  // default tmAll
    void SetTickMarks(TTickMarks Value);
    THourMarkStyle HourMarkStyle() const { return FValues.HourMarkStyle; }  // default hmsLine
    void SetHourMarkStyle(THourMarkStyle Value);

    TNotifyEvent OnChange;

    // Every value back to its default without an event; of the fonts only name and size.
    void Reset();
    // Every value, the fonts and the picture; only the last three writers above run.
    void Assign(TPersistent* Source) override;
    // The same values and fonts, and no picture in either (a picture may change in place): a
    // face drawn from one is the face drawn from the other.
    bool DrawsLike(const TWatchAppearance& Other) const;

private:
    // The plain values, their defaults here only.
    struct TValues {
        int Size = 0;
        TColor HourPointer = 0;
        TColor BackgroundColor = 0xFFFFFF;
        TColor MinutePointerShadow = clBtnShadow;
        TColor BackgroundColorTo = clNone;
        TColor HourPointerShadow = clBtnShadow;
        TColor SecondPointer = 0x0000FF;
        TColor BorderColor = 0;
        TColor MinutePointer = 0;
        TAMPMFrame AMPMFrame = apRect;
        TWatchShape WatchShape = wsCircle;
        TPointerStyle PointerStyle = psLine;
        Byte HourPointerSize = 4;
        Byte SecondPointerSize = 1;
        Byte MinutePointerSize = 3;
        TColor HourColor = 0;
        TColor MinuteColor = 0x808080;
        Byte CenterPointSize = 4;
        TColor CenterPointColor = 0;
        TColor CenterPointBorderColor = clNone;
        TWatchGradient BackgroundGradient = wgVertical;
        Byte HourMarkLength = 0;
        Byte HourMarkWidth = 1;
        Byte MinuteMarkLength = 0;
        Byte MinuteMarkWidth = 1;
        int BorderWidth = 4;
        TColor AMPMColor = 0xFFFFFF;
        TColor AMPMBorderColor = 0;
        TColor CenterPointOuterBorderColor = clNone;
        TTickMarks TickMarks = tmAll;
        THourMarkStyle HourMarkStyle = hmsLine;
        bool operator==(const TValues&) const = default;
    };
    TValues FValues;
    std::unique_ptr<TFont> FHourFont;
    std::unique_ptr<TFont> FAMPMFont;
    std::unique_ptr<TPicture> FPicture;

    template <class T>
    void setField(T& Field, T Value);
    void changed();
    void pictureChanged(TObject* Sender);
};

// A component colour scheme written into an appearance: the watch's and the time picker's.
void ApplyWatchColorScheme(TWatchAppearance* Appearance, TTesselStyle AStyle);

class TAdvWatch : public TCustomControl, public ITesselStyle {
public:
    explicit TAdvWatch(TComponent* AOwner);
    ~TAdvWatch() override;

    bool Animation() const { return FAnimation; }  // default true
    void SetAnimation(bool Value) { FAnimation = Value; }
    // Each animation step covers 1/factor of the remaining distance, at least one unit.
    int AnimationFactor() const { return FAnimationFactor; }  // default 10
    void SetAnimationFactor(int Value) { FAnimationFactor = Value; }
    TWatchAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(TWatchAppearance* Value) { FAppearance->Assign(Value); }
    TWatchSettings* Settings() const { return FSettings.get(); }
    void SetSettings(TWatchSettings* Value) { FSettings->Assign(Value); }
    // Clicks do not change the time.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    // The whole value is stored; its time of day shows. Writing fires no event.
    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime Value);
    bool ShowAMPM() const { return FShowAMPM; }  // default true
    void SetShowAMPM(bool Value);
    bool ShowNumbers() const { return FShowNumbers; }  // default true
    void SetShowNumbers(bool Value);
    // The last style applied; a new watch reads wsClassic but shows the appearance's defaults.
    TWatchStyle Style() const { return FStyle; }
    void SetStyle(TWatchStyle Value);
    // "1.1.2.0"; writing it does nothing.
    String Version() const;
    void SetVersion(const String&) {}
    // True while the AM half of the day shows.
    bool AM() const { return FAM; }

    // After a set hour or minute reached its target; once for a direct (unanimated) change.
    TNotifyEvent OnChange;

    void SetHour(Byte Value);
    // 60 or more raises "Invalid time".
    void SetMinute(Byte Value);
    int XYToHour(int X, int Y) const;
    int XYToMinute(int X, int Y) const;
    // A keyboard command (virtual-key code); nothing as a live clock.
    void HandleKey(Word Key);
    void SetComponentStyle(TTesselStyle AStyle) override;
    // The AM/PM box in client coordinates; (-1, -1, -1, -1) without the box.
    TRect GetAMPMRect() const;

protected:
    virtual int GetVersionNr() const { return 0x01010200; }
    void Loaded() override;
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;
    void WMSetCursor(TMessage& Message);
    void WMGetDlgCode(TMessage& Message);

    // The timers' handlers, open to the time picker's tests through a subclass.
    void AnimationTimerTick(TObject* Sender);
    void WatchTimerTick(TObject* Sender);
    TTimer* AnimationTimer() const { return FAnimationTimer; }
    TTimer* WatchTimer() const { return FWatchTimer; }

private:
    // The watch square's measures for the current client size.
    struct TWatchGeometry {
        int Left, Top, Side;
        int CX, CY, R;
        int RT;  // tick radius
    };

    // Everything the pointers are drawn from, colours as drawn: a frame drawn over the same face
    // from the same look is the same frame.
    struct TPointerLook {
        int CX, CY, R;
        Word Hour, Minute, Second;
        TPointerStyle Style;
        std::uint32_t HourColor, MinuteColor, HourShadow, MinuteShadow, SecondColor;
        bool HasHourShadow, HasMinuteShadow, ShowsSecond;
        Byte HourWidth, MinuteWidth, SecondWidth, CenterSize;
        std::uint32_t CenterColor, CenterOuterColor, CenterBorderColor;
        bool HasCenterColor, HasCenterOuter, HasCenterBorder;
        bool operator==(const TPointerLook&) const = default;
    };

    std::unique_ptr<TWatchAppearance> FAppearance;
    std::unique_ptr<TWatchSettings> FSettings;
    TDateTime FTime = 0;
    std::unique_ptr<TBitmap> FBKGCache;
    std::unique_ptr<TBitmap> FSpareCache;  // the face drawn before, or the next one being drawn
    std::unique_ptr<TBitmap> FFrame;       // the pointers drawn over a copy of the cache
    // What the cache was drawn from: the look, what lay under it where the face lets it show
    // (FFaceShowsUnder), so that a paint over the same finds the same face.
    struct TFaceKey {
        int W = 0, H = 0;
        bool ShowAMPM = false, ShowNumbers = false, AM = false;
        std::array<TColor, 9> Colors{};  // the face's colours as drawn (system colours resolved)
        bool operator==(const TFaceKey&) const = default;
    };
    TFaceKey FFaceKey{};
    std::unique_ptr<TWatchAppearance> FFaceAppearance;
    std::unique_ptr<TBitmap> FFaceUnder;
    std::vector<int> FFaceShowsUnder;  // y * width + x of each pixel the ground shows through
    bool FFaceMeasured = false;
    TPointerLook FFrameLook{};
    bool FFrameCurrent = false;  // FFrame holds the cache with the pointers of FFrameLook
    TTimer* FWatchTimer = nullptr;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    TTimer* FAnimationTimer = nullptr;
    Byte FCurrentHourTo = 0;
    Byte FCurrentMinuteTo = 0;
    Byte FMinuteFrom = 0;
    bool FHourAnimating = false;
    bool FInternalCall = false;
    bool FAM = true;
    bool FShowAMPM = true;
    bool FShowNumbers = true;
    bool FInternalSet = false;
    TWatchStyle FStyle = wsClassic;
    bool FReadOnly = false;
    bool FAnimationStep = false;  // a set of hour or minute made by an animation step

    TWatchGeometry geometry() const;
    TDateTime GetDisplayTime() const;
    void InternalSetTime(TDateTime Value);
    void SetAM(bool Value);
    void SettingsChanged(TObject* Sender);
    void AppearanceChanged(TObject* Sender);
    void fireChange();
    bool animating() const;
    void animationStep(bool Hour, int Value);
    void setHalfOf(TDateTime Value);

    // Drawing (AdvWatch_Paint.cpp).
    void DrawWatch();
    void RefreshPointers();
    void showPointers();
    void followLiveHalf();
    void DrawBackground(TGPGraphics* G, const TWatchGeometry& Geo, int W, int H);
    void DrawTickMarks(TGPGraphics* G, const TWatchGeometry& Geo);
    void DrawNumbers(TCanvas* Canvas, const TWatchGeometry& Geo);
    void DrawAMPM(TCanvas* Canvas);
    TPointerLook pointerLook() const;
    TFaceKey faceKey() const;
    bool faceCacheHolds(const TFaceKey& Key, TBitmap& Under);
    void rememberFace(const TFaceKey& Key, TBitmap& Under);
    void drawFace(TBitmap* Face, const TWatchGeometry& Geo);
    void DrawPointers(TGPGraphics* G, const TPointerLook& Look);
    void DrawAMPMBox(TCanvas* Canvas, const TRect& Box);
    void rollAMPMBox();
    void showFrame(TBitmap* Frame);
    bool drawsDirectly() const;
};
