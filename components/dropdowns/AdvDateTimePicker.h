// The flat date-time picker. TCustomDateTimePicker paints a flat or metro border and drop button
// over the platform picker, moves on to the next field or control once a field is typed
// (auto-tab) and lets a grid have Tab and Shift+Tab. TAdvDateTimePicker adds the kind date and
// time together (a second, time-only picker inside the right end of the control), a caption
// label, a null date shown with a format of its own, and limits on the time of day.
#pragma once

#include "components/dropdowns/AdvDropDownTypes.h"
#include "framework/ui/DateTimePicker.h"

#include <memory>

class TLabel;

// The message a picker posts to itself after a typed digit, so the auto-tab check runs once the
// field took the digit; the grid unit registers the same name and gets the same number.
namespace advdatetimepicker {
extern UINT DTPShiftFocusMessage;
}
void InitializeAdvDateTimePickerUnit();

enum TAdvDateTimeKind { dkDate, dkTime, dkDateTime };

class TCustomDateTimePicker : public TDateTimePicker {
public:
    explicit TCustomDateTimePicker(TComponent* AOwner);

    // The metro look: a flat button in the colours below, borders in BorderColor.
    bool MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(bool Value);
    TColor BorderColor() const { return FBorderColor; }  // default 0
    void SetBorderColor(TColor Value);
    TColor FocusBorderColor() const { return FFocusBorderColor; }  // default clNone
    void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }  // bsNone or bsSingle
    virtual void SetBorderStyle(TBorderStyle Value);
    // clNone: the themed or classic button.
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor Value) { FButtonColor = Value; }
    TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(TColor Value) { FButtonColorHot = Value; }
    TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(TColor Value) { FButtonColorDown = Value; }
    TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(TColor Value) { FButtonTextColor = Value; }
    TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(TColor Value) { FButtonTextColorHot = Value; }
    TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(TColor Value) { FButtonTextColorDown = Value; }
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor Value) { FButtonBorderColor = Value; }
    // A typed field moves on to the next field, the last one to the next control.
    bool AutoTab() const { return FAutoTab; }
    virtual void SetAutoTab(bool Value);
    bool AutoTabToNext() const { return FAutoTabToNext; }  // default true
    virtual void SetAutoTabToNext(bool Value);
    // Set by the grid whose cell editor this picker is: Tab and Shift+Tab reach the control.
    bool GridTabHandling() const { return FGridTabhandling; }
    void SetGridTabHandling(bool Value) { FGridTabhandling = Value; }
    bool IsTimePicker() const { return FIsTimePicker; }

protected:
    virtual void DoAutoTab();
    virtual bool UseDefaultPainting() const { return true; }
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void KeyPress(Char& Key) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

    void WMNCPaint(TMessage& Message);
    void WMPaint(TMessage& Message);
    void WMGetDlgCode(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    void DrawFlatBorder(HDC DC);
    void DrawBorders(HDC DC);
    void DrawDropButton(HDC DC);
    void DrawFrame(HDC DC);
    void DrawButtonFrame(HDC DC);
    bool ThemeActive() const;
    bool IsHot() const;
    bool UseMetroPainting() const { return FMetroStyle && !UseDefaultPainting(); }
    // The parent form moves the focus on (when the window is visible).
    void FocusNextControl();
    void postRight();

    bool FIsThemed;
    bool FIsWinXP;
    bool FIsTimePicker = false;
    bool FGridTabhandling = false;
    Word Fh = 0, Fm = 0, Fs = 0, Fms = 0;

private:
    friend class TAdvDateTimePicker;  // makes and sets up its second picker

    TBorderStyle FBorderStyle = bsNone;
    TColor FBorderColor = 0;
    TColor FButtonColorDown = clNone;
    TColor FButtonBorderColor = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonTextColorDown = clNone;
    int FButtonWidth;
    bool FButtonHover = false;
    bool FMouseInControl = false;
    bool FMetroStyle = false;
    TColor FFocusBorderColor = clNone;
    bool FHasFocus = false;
    bool FAutoTab = false;
    bool FAutoTabToNext = true;

    TColor flatPenColor() const;
    bool mouseButtonDown() const;
};

class TAdvDateTimePicker : public TCustomDateTimePicker {
public:
    explicit TAdvDateTimePicker(TComponent* AOwner);
    ~TAdvDateTimePicker() override;
    void BeforeDestruction() override;

    // dkDateTime shows the date here and the time in a second picker at the right.
    TAdvDateTimeKind Kind() const { return FKind; }  // default dkDateTime
    void SetKind(TAdvDateTimeKind Value);
    // The date of the control with the time of the second picker.
    TDateTime DateTime() const;
    virtual void SetDateTime(TDateTime Value);
    TDateTime Date() const { return TCustomDateTimePicker::Date(); }
    // Keeps the time of day to the second.
    void SetDate(TDateTime Value);
    TDateTime Time() const;
    void SetTime(TDateTime Value);
    const String& Format() const { return TCustomDateTimePicker::Format(); }
    void SetFormat(const String& Value);
    // The second picker's format (and the control's with dkTime).
    const String& TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const String& Value);
    // Equal limits: no limit. Only their times of day count.
    TDateTime MinTime() const { return FMinTime; }
    void SetMinTime(TDateTime Value) { FMinTime = Value; }
    TDateTime MaxTime() const { return FMaxTime; }
    void SetMaxTime(TDateTime Value) { FMaxTime = Value; }
    // While DateTime equals NullDateDate, NullDateFormat shows (when set).
    TDateTime NullDateDate() const { return FNullDateDate; }
    void SetNullDateDate(TDateTime Value) { FNullDateDate = Value; }
    const String& NullDateFormat() const { return FNullDateFormat; }
    void SetNullDateFormat(const String& Value) { FNullDateFormat = Value; }
    // A value of day 0 shows as today.
    bool NullDateIsToday() const { return FNullDateIsToday; }
    void SetNullDateIsToday(bool Value) { FNullDateIsToday = Value; }
    void SetAutoTab(bool Value) override;
    void SetAutoTabToNext(bool Value) override;
    void SetTabStop(bool Value);
    void SetBorderStyle(TBorderStyle Value) override;
    // "1.2.5.0"; writing it does nothing.
    String Version() const;
    void SetVersion(const String&) {}

    String LabelCaption() const;
    void SetLabelCaption(const String& Value);
    TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(TFont* Value);
    int LabelMargin() const { return FLabelMargin; }  // default 4
    void SetLabelMargin(int Value);
    advdropdown::TLabelPosition LabelPosition() const { return FLabelPosition; }  // default lpLeftTop
    void SetLabelPosition(advdropdown::TLabelPosition Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    // The label is bold while the control has the focus.
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool Value) { FFocusLabel = Value; }
    TLabel* PickerLabel() const { return FLabel; }
    TCustomDateTimePicker* TimePicker() const { return FTimePicker; }

    TNotifyEvent OnTimeChange;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;

protected:
    virtual int GetVersionNr() const { return 0x01020500; }
    virtual void DoChange();
    virtual void DoClick();
    virtual void DateTimeHook(TObject* Sender, Char& Key) {}
    void DoAutoTab() override;
    bool UseDefaultPainting() const override { return false; }
    void Loaded() override;
    void CreateWnd() override;
    void MsgSetDateTime(const TSystemTime& Value) override;
    void DoDateTimeChange(int Flag) override;
    void DoUserString(const String& Text, TDateTime& Value, int& Flag) override;
    void Change() override;
    void DoEnter() override;
    void DoExit() override;
    void KeyPress(Char& Key) override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

private:
    TAdvDateTimeKind FKind = dkDateTime;
    String FTimeFormat;
    Word Fy = 0, Fmo = 0, Fd = 0;
    TLabel* FLabel = nullptr;
    std::unique_ptr<TFont> FLabelFont;
    advdropdown::TLabelPosition FLabelPosition = advdropdown::lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FFocusLabel = false;
    bool FLabelAlwaysEnabled = false;
    bool FParentFnt = false;
    bool FIgnoreTimePickerCheck = false;
    bool FFirstRun = true;
    bool FNullDateIsToday = false;
    bool FLblUpdate = false;
    int FLblFntHeight = 0;
    String FNullDateFormat;
    TDateTime FNullDateDate = 0;
    String FOriginalFormat;
    bool FInternalChangedFlag = false;
    TDateTime FMaxTime = 0, FMinTime = 0;
    TCustomDateTimePicker* FTimePicker = nullptr;

    void CreateTimePicker();
    void UpdateTimePicker();
    void TimePickerChange(TObject* Sender);
    void InternalSetDateTime(TDateTime Value);
    void UpdateNullDateFormat();
    void RestoreFormat();
    void CreateLabel();
    void UpdateLabel();
    void UpdateLabelPos();
    void LabelFontChanged(TObject* Sender);
    void setLabelBold(bool Bold);
    void enableTimePicker();
    bool hasTimeLimits() const;
    TDateTime clampedTime(TDateTime Time) const;
    bool designing() const { return ComponentState().Contains(csDesigning); }
    bool loading() const { return ComponentState().Contains(csLoading); }
};
