// TAdvTimePickerDropDown: a drop-down edit for a time of day. The edit shows two-digit hours,
// minutes and (by default) seconds joined by the locale's time separator under an edit mask; Up
// and Down change the field under the caret. The popup shows the analog watch, on which the user
// sets hour and minute by clicking or with the keys, and optionally a time-only date-time picker
// below it; edit and watch follow each other while it is open.
#pragma once

#include "components/dropdowns/AdvDropDown.h"

#include <memory>

class TAdvWatch;
class TDateTimePicker;
class TPanel;
class TWatchAppearance;
class TWatchSettings;

class TAdvTimePickerDropDown : public TAdvCustomDropDown {
public:
    explicit TAdvTimePickerDropDown(TComponent* AOwner);
    ~TAdvTimePickerDropDown() override;
    void BeforeDestruction() override;

    // Given to the watch at every opening.
    bool Animation() const { return FAnimation; }  // default true
    void SetAnimation(bool Value) { FAnimation = Value; }
    int AnimationFactor() const { return FAnimationFactor; }  // default 10
    void SetAnimationFactor(int Value) { FAnimationFactor = Value; }
    bool ShowWatchAMPM() const { return FShowWatchAMPM; }  // default true
    void SetShowWatchAMPM(bool Value) { FShowWatchAMPM = Value; }
    bool ShowWatchNumbers() const { return FShowWatchNumbers; }  // default true
    void SetShowWatchNumbers(bool Value) { FShowWatchNumbers = Value; }
    TWatchAppearance* WatchAppearance() const { return FWatchAppearance.get(); }
    void SetWatchAppearance(TWatchAppearance* Value);
    TWatchSettings* WatchSettings() const { return FWatchSettings.get(); }
    void SetWatchSettings(TWatchSettings* Value);
    // The popup also shows a time-only date-time picker below the watch.
    bool ShowTimePicker() const { return FShowTimePicker; }  // default false
    void SetShowTimePicker(bool Value) { FShowTimePicker = Value; }
    // Writing shows the time in the text (and on the watch while open); it fires no event.
    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime Value);
    // The text, its mask and the popup's picker include seconds.
    bool ShowSeconds() const { return FShowSeconds; }  // default true
    void SetShowSeconds(bool Value);

    // Up or Down changed a field, or a watch change carried over to the popup's picker.
    TNotifyEvent OnTimeChange;

    void SetText(const String& Value) override;
    void SetComponentStyle(TTesselStyle AStyle) override;
    // The watch and the picker of the popup (nullptr before they exist).
    TAdvWatch* Watch() const { return FAdvWatch; }
    TDateTimePicker* TimePicker() const { return FDateTimePicker; }
    TPanel* Panel() const { return FPanelCtrl; }

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void ClosePopup(bool Cancelled) override;
    void AfterClosePopup() override;
    void PopupKeyDown(Word& Key, TShiftState Shift) override;
    void PopupKeyUp(Word& Key, TShiftState Shift) override;
    void ControlKeyDown(Word& Key, TShiftState Shift) override;
    void ControlKeyUp(Word& Key, TShiftState Shift) override;
    void ControlKeyPress(Char& Key) override;
    void DoExit() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Change() override;

    // hh:mm:ss (hh:mm without seconds) with the locale's separator.
    String TimeToText(Word Hour, Word Minute, Word Second) const;
    void UpdateEditMask();

private:
    bool FShowTimePicker = false;
    TAdvWatch* FAdvWatch = nullptr;
    TDateTimePicker* FDateTimePicker = nullptr;
    TPanel* FPanelCtrl = nullptr;
    std::unique_ptr<TWatchAppearance> FWatchAppearance;
    bool FShowWatchAMPM = true;
    bool FShowWatchNumbers = true;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    TDateTime FTime = 0;
    std::unique_ptr<TWatchSettings> FWatchSettings;
    bool FInternalCall = false;
    bool FShowSeconds = true;

    void WatchChange(TObject* Sender);
    void TimePickerChange(TObject* Sender);
    bool IsCompleteTime(const String& Text) const;
    void SetHourPart(int Value);
    void SetMinutePart(int Value);
    void SetSecondPart(int Value);
    void setTimePart(int Hour, int Minute, int Second);
    void showPickerTime();
    TDateTime textTime() const;
    void setTextInternally(const String& Value);
};
