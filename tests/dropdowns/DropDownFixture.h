// A drop-down edit on a form, on test displays (a 1024 x 768 primary one whose work area ends at
// 738, and one left of it at negative x), with the framework's clock in the test's hand.
#pragma once

#include "components/dropdowns/AdvDropDown.h"
#include "framework/rtl/Clock.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

// Opens up what the edit keeps for its pickers, and records the calls a picker would see.
class TTestDropDown : public TAdvDropDown {
public:
    using TAdvCustomDropDown::ClosePopup;
    using TAdvCustomDropDown::Control;
    using TAdvCustomDropDown::EditType;
    using TAdvCustomDropDown::GetFloatValue;
    using TAdvCustomDropDown::OpenPopup;
    using TAdvCustomDropDown::Precision;
    using TAdvCustomDropDown::ResetDropDownSize;
    using TAdvCustomDropDown::SetControl;
    using TAdvCustomDropDown::SetEditType;
    using TAdvCustomDropDown::SetFloatValue;
    using TAdvCustomDropDown::SetModified;
    using TAdvCustomDropDown::SetPrecision;
    using TAdvCustomDropDown::SetRawText;
    using TAdvDropDown::TAdvDropDown;
    TDropDownForm* Popup() const { return FDropDownForm; }
    const String& OldText() const { return FOldText; }

    std::vector<std::string>* Log = nullptr;
    int NextCount = 0;
    int PreviousCount = 0;
    int AdjustTo = -1;  // AdjustDropDownHeight's answer, when set

protected:
    void AfterClosePopup() override {
        if (Log) Log->push_back(FDropDownForm && FDropDownForm->Visible() ? "still shown" : "hidden");
        if (Log) Log->push_back("AfterClosePopup");
        TAdvDropDown::AfterClosePopup();
    }
    void AdjustDropDownHeight(int& Height) override {
        if (AdjustTo >= 0) Height = AdjustTo;
    }
    void DoSelectNext() override { ++NextCount; }
    void DoSelectPrevious() override { ++PreviousCount; }
};

class DropDownFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Screen->SetMonitors(
            {{Rect(0, 0, 1024, 768), Rect(0, 0, 1024, 738)}, {Rect(-1280, 0, 0, 1024), Rect(-1280, 0, 0, 984)}});
        Form->SetBounds(100, 100, 400, 300);
        Edit = new TTestDropDown(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetLeft(10);
        Edit->SetTop(10);
        Mouse->SetCursorPos(Point(-2000, -2000));
    }
    void TearDown() override {
        Mouse->ResetCursorPos();
        Screen->ResetOverrides();
    }

    template <class Pred>
    static bool pumpUntil(Pred Done) {
        const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!Done() && std::chrono::steady_clock::now() < Limit)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return Done();
    }
    void key(Word VK, LPARAM Data = 0) { Edit->Perform(WM_KEYDOWN, VK, Data); }
    void altKey(Word VK) { Edit->Perform(WM_SYSKEYDOWN, VK, AltMask); }
    void chars(const String& Keys) {
        for (const QChar C : Keys) Edit->Perform(WM_CHAR, C.unicode(), 0);
    }
    bool open() const { return Edit->Popup() && Edit->Popup()->Visible(); }

    FakeClock Clock;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TTestDropDown* Edit = nullptr;
};
