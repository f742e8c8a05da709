// Opens a drop-down edit whose popup holds a memo of 20 lines until the popup is shown and
// painted, then closes it; the same for the time picker (its watch drawn) and for the date-time
// picker's calendar; each against a QComboBox of 20 items whose popup is shown, rendered and
// hidden the same way, offscreen, in the same run. Beside them, 1,000 live-clock frames of the
// watch against the same shapes drawn by QPainter directly. The calculator, the colour cube, a
// multi-column list of 100 rows, the detail drop-down with 100 items, header and footer, and the
// image picker with 50 images likewise, against a QComboBox of 100 items. Prints the ratios
// (goal: 1.5 or less).
#include "components/dropdowns/AdvCalculatorDropdown.h"
#include "components/dropdowns/AdvColorPickerDropDown.h"
#include "components/dropdowns/AdvDetailDropDown.h"
#include "components/dropdowns/AdvDropDown.h"
#include "components/dropdowns/AdvImagePickerDropDown.h"
#include "components/dropdowns/AdvMultiColumnDropDown.h"
#include "components/dropdowns/AdvTimePickerDropDown.h"
#include "components/dropdowns/AdvWatch.h"

#include "bench/BenchSupport.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/DateTimePicker.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/StdCtrls.h"

#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <numbers>

namespace {

// A drop-down showing a memo, as the memo picker does.
class TMemoDropDown : public TAdvDropDown {
public:
    explicit TMemoDropDown(TComponent* AOwner) : TAdvDropDown(AOwner) { CreateDropDownForm(); }
    TDropDownForm* Popup() const { return FDropDownForm; }

protected:
    void CreateDropDownForm() override {
        TAdvDropDown::CreateDropDownForm();
        if (Control() || !FDropDownForm) return;
        auto* Memo = new TMemo(this);
        Memo->SetParent(FDropDownForm);
        Memo->SetBounds(0, 0, 200, 120);
        String Lines;
        for (int I = 1; I <= 20; ++I) Lines += QStringLiteral("Line %1 of the memo\n").arg(I);
        Memo->SetText(Lines);
        SetControl(Memo);
    }
};

void BM_DropDownMemo(benchmark::State& State) {
    TForm Form(nullptr);
    Form.SetBounds(100, 100, 300, 200);
    auto* Edit = new TMemoDropDown(&Form);
    Edit->SetParent(&Form);
    Edit->SetBounds(10, 10, 200, 21);
    Form.HandleNeeded();
    TBitmap Target(200, 200);
    for (auto _ : State) {
        Edit->ShowDropDown();
        // Rendering the popup brings its painting, the memo's included, up to date.
        Edit->Popup()->PaintTo(Target.Canvas(), 0, 0);
        Edit->HideDropDown(false);
    }
}

void BM_QComboBox(benchmark::State& State) {
    QComboBox Combo;
    for (int I = 1; I <= 20; ++I) Combo.addItem(QStringLiteral("Line %1 of the list").arg(I));
    Combo.setGeometry(110, 110, 200, 21);
    Combo.setMaxVisibleItems(20);
    Combo.show();
    for (auto _ : State) {
        Combo.showPopup();
        benchmark::DoNotOptimize(Combo.view()->window()->grab());
        Combo.hidePopup();
    }
}

class TBenchDetailDropDown : public TAdvDetailDropDown {
public:
    using TAdvDetailDropDown::TAdvDetailDropDown;
    TDropDownForm* Popup() const { return FDropDownForm; }
};

void BM_DetailDropDown(benchmark::State& State) {
    TForm Form(nullptr);
    Form.SetBounds(100, 100, 300, 200);
    auto* Edit = new TBenchDetailDropDown(&Form);
    Edit->SetParent(&Form);
    Edit->SetBounds(10, 10, 200, 21);
    for (int I = 1; I <= 100; ++I) {
        TDetailItem* Item = Edit->Items()->Add();
        Item->SetCaption(QStringLiteral("Item %1").arg(I));
        Item->SetNotes(QStringLiteral("Notes of <b>item %1</b>").arg(I));
    }
    Edit->DropDownHeader()->SetCaption(QStringLiteral("Header"));
    Edit->DropDownFooter()->SetCaption(QStringLiteral("Footer"));
    Edit->SetDropDownHeight(300);
    Form.HandleNeeded();
    TBitmap Target(200, 300);
    for (auto _ : State) {
        Edit->ShowDropDown();
        if (!Edit->DroppedDown()) State.SkipWithError("the popup did not open");
        Edit->Popup()->PaintTo(Target.Canvas(), 0, 0);
        Edit->HideDropDown(false);
    }
}

class TBenchImagePicker : public TAdvImagePickerDropDown {
public:
    using TAdvImagePickerDropDown::TAdvImagePickerDropDown;
    TDropDownForm* Popup() const { return FDropDownForm; }
};

void BM_ImagePicker(benchmark::State& State) {
    TForm Form(nullptr);
    Form.SetBounds(100, 100, 300, 200);
    TImageList Images(nullptr);
    Images.SetWidth(16);
    Images.SetHeight(16);
    for (int I = 0; I < 50; ++I) {
        TBitmap B(16, 16);
        B.Canvas()->Brush()->SetColor(static_cast<TColor>(0x050505 * I));
        B.Canvas()->FillRect(Rect(0, 0, 16, 16));
        Images.AddMasked(&B, clNone);
    }
    auto* Picker = new TBenchImagePicker(&Form);
    Picker->SetParent(&Form);
    Picker->SetBounds(10, 10, 200, 24);
    Picker->SetImages(&Images);
    Picker->AddImagesFromImageList();
    Picker->SetColumns(5);
    Form.HandleNeeded();
    TBitmap Target(300, 300);
    for (auto _ : State) {
        Picker->ShowDropDown();
        if (!Picker->DroppedDown()) State.SkipWithError("the popup did not open");
        Picker->Popup()->PaintTo(Target.Canvas(), 0, 0);
        Picker->HideDropDown(false);
    }
}

class TBenchTimePicker : public TAdvTimePickerDropDown {
public:
    using TAdvTimePickerDropDown::TAdvTimePickerDropDown;
    TDropDownForm* Popup() const { return FDropDownForm; }
};

// Opens, paints and closes the time picker. The watch keeps its last frame for a reopening at
// the same time; a user mostly opens it at a time it has not shown yet (NewTime).
void timePickerOpenings(benchmark::State& State, bool NewTime) {
    TForm Form(nullptr);
    Form.SetBounds(100, 100, 300, 200);
    auto* Edit = new TBenchTimePicker(&Form);
    Edit->SetParent(&Form);
    Edit->SetBounds(10, 10, 200, 21);
    Edit->SetTime(EncodeTime(10, 10, 0, 0));
    Form.HandleNeeded();
    TBitmap Target(200, 200);
    int Minute = 10;
    for (auto _ : State) {
        if (NewTime) {
            Minute = (Minute + 7) % 60;
            Edit->SetTime(EncodeTime(10, static_cast<Word>(Minute), 0, 0));
        }
        Edit->ShowDropDown();
        Edit->Popup()->PaintTo(Target.Canvas(), 0, 0);
        Edit->HideDropDown(false);
    }
}

void BM_TimePicker(benchmark::State& State) { timePickerOpenings(State, false); }
void BM_TimePickerNewTime(benchmark::State& State) { timePickerOpenings(State, true); }

void BM_DateTimeCalendar(benchmark::State& State) {
    TForm Form(nullptr);
    Form.SetBounds(100, 100, 300, 200);
    auto* Picker = new TDateTimePicker(&Form);
    Picker->SetParent(&Form);
    Picker->SetWeekNumbers(true);
    Form.HandleNeeded();
    TBitmap Target(300, 300);
    for (auto _ : State) {
        Picker->SetDroppedDown(true);
        Picker->Calendar()->PaintTo(Target.Canvas(), 0, 0);
        Picker->SetDroppedDown(false);
        // The closed calendar's window goes with the next messages.
        Application->ProcessMessages();
    }
}

constexpr int kFrames = 1000;

// The live clock: every 100 ms tick draws the pointers over the cached face.
void BM_WatchFrames(benchmark::State& State) {
    FakeClock Clock;
    TForm Form(nullptr);
    auto* Watch = new TAdvWatch(&Form);
    Watch->SetParent(&Form);
    Watch->Settings()->SetAuto(true);
    Form.Show();
    TBitmap Target(180, 180);
    Watch->PaintTo(Target.Canvas(), 0, 0);
    for (auto _ : State)
        for (int I = 0; I < kFrames; ++I) Clock.Advance(100);
}

// The same frame straight in QPainter: the face image copied, three anti-aliased lines and the
// centre point drawn, the frame copied to the window's image.
void BM_QPainterFrames(benchmark::State& State) {
    QImage Face(180, 180, QImage::Format_ARGB32_Premultiplied);
    Face.fill(Qt::white);
    {
        QPainter P(&Face);
        P.setRenderHint(QPainter::Antialiasing);
        P.setPen(QPen(Qt::black, 4));
        P.drawEllipse(QRectF(10, 10, 160, 160));
    }
    QImage Window(180, 180, QImage::Format_ARGB32_Premultiplied);
    int Second = 0;
    for (auto _ : State)
        for (int I = 0; I < kFrames; ++I) {
            QImage Frame = Face.copy();
            {
                QPainter P(&Frame);
                P.setRenderHint(QPainter::Antialiasing);
                auto line = [&](double Angle, double Length, const QColor& C, double W) {
                    const double A = Angle * std::numbers::pi / 180;
                    P.setPen(QPen(C, W));
                    P.drawLine(QPointF(90 - std::sin(A) * 8, 90 + std::cos(A) * 8),
                               QPointF(90 + std::sin(A) * Length, 90 - std::cos(A) * Length));
                };
                line(300, 40, QColor(0, 0, 0, 80), 4);
                line(300, 40, Qt::black, 4);
                line(60, 56, QColor(0, 0, 0, 80), 3);
                line(60, 56, Qt::black, 3);
                line(++Second % 60 * 6, 72, Qt::red, 1);
                P.setBrush(Qt::black);
                P.drawEllipse(QRectF(88, 88, 4, 4));
            }
            QPainter W(&Window);
            W.drawImage(0, 0, Frame);
        }
}

// The calculator, the colour cube and a multi-column list of 100 rows, each opened until its
// popup is painted and closed, against a QComboBox popup of 100 items.
template <class T>
class TOpenPicker : public T {
public:
    using T::T;
    TDropDownForm* Popup() const { return this->FDropDownForm; }
};

template <class T, class Prepare>
void openPaintClose(benchmark::State& State, Prepare prepare) {
    TForm Form(nullptr);
    Form.SetBounds(100, 100, 300, 200);
    auto* Edit = new TOpenPicker<T>(&Form);
    Edit->SetParent(&Form);
    Edit->SetBounds(10, 10, 200, 21);
    prepare(Edit);
    Form.HandleNeeded();
    TBitmap Target(320, 320);
    for (auto _ : State) {
        Edit->ShowDropDown();
        // A shown window is painted afresh, as the screen exposes it: nothing comes from the
        // last opening's image.
        Edit->Popup()->Invalidate();
        Edit->Popup()->PaintTo(Target.Canvas(), 0, 0);
        Edit->HideDropDown(false);
    }
}

void BM_Calculator(benchmark::State& State) {
    openPaintClose<TAdvCalculatorDropdown>(State, [](auto*) {});
}

void BM_ColorCube(benchmark::State& State) {
    openPaintClose<TAdvColorPickerDropDown>(State,
                                            [](auto* P) { P->SetColorSelectionStyle(advcolorpicker::csColorCube); });
}

void BM_MultiColumn100(benchmark::State& State) {
    openPaintClose<TAdvMultiColumnDropDown>(State, [](auto* M) {
        for (int C = 0; C < 3; ++C) M->Columns()->Add()->SetHeader(QStringLiteral("Column %1").arg(C));
        for (int I = 1; I <= 100; ++I) {
            TDropDownItem* Item = M->Items()->Add();
            Item->Text()->Add(QStringLiteral("Entry %1").arg(I));
            Item->Text()->Add(QStringLiteral("Second %1").arg(I));
            Item->Text()->Add(QStringLiteral("Third %1").arg(I));
        }
        M->EndUpdate();
    });
}

void BM_QComboBox100(benchmark::State& State) {
    QComboBox Combo;
    for (int I = 1; I <= 100; ++I) Combo.addItem(QStringLiteral("Entry %1 of the list").arg(I));
    Combo.setGeometry(110, 110, 200, 21);
    Combo.show();
    for (auto _ : State) {
        Combo.showPopup();
        benchmark::DoNotOptimize(Combo.view()->window()->grab());
        Combo.hidePopup();
    }
}

BENCHMARK(BM_Calculator)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColorCube)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MultiColumn100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QComboBox100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DropDownMemo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimePicker)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimePickerNewTime)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DateTimeCalendar)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QComboBox)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetailDropDown)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImagePicker)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WatchFrames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QPainterFrames)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    TRatioReporter Reporter;
    if (!RunBenchmarks(argc, argv, Reporter)) return 1;
    const struct {
        const char* Ours;
        const char* Theirs;
        const char* Label;
    } Ratios[] = {
        {"BM_DropDownMemo", "BM_QComboBox", "drop-down with a memo / QComboBox, open to painted and closed"},
        {"BM_TimePicker", "BM_QComboBox", "time picker with its watch / QComboBox, open to painted and closed"},
        {"BM_TimePickerNewTime", "BM_QComboBox",
         "time picker with its watch at a new time each opening / QComboBox, open to painted and closed"},
        {"BM_DateTimeCalendar", "BM_QComboBox", "date-time picker's calendar / QComboBox, open to painted and closed"},
        {"BM_Calculator", "BM_QComboBox100", "calculator / QComboBox of 100, open to painted and closed"},
        {"BM_ColorCube", "BM_QComboBox100", "colour cube / QComboBox of 100, open to painted and closed"},
        {"BM_MultiColumn100", "BM_QComboBox100",
         "multi-column list of 100 / QComboBox of 100, open to painted and closed"},
        {"BM_DetailDropDown", "BM_QComboBox100",
         "detail drop-down of 100 items with header and footer / QComboBox of 100, open to painted and closed"},
        {"BM_ImagePicker", "BM_QComboBox100",
         "image picker of 50 images / QComboBox of 100, open to painted and closed"},
        {"BM_WatchFrames", "BM_QPainterFrames", "1,000 live-clock frames of the watch / QPainter"},
    };
    for (const auto& R : Ratios)
        if (const double Ratio = Reporter.Ratio(R.Ours, R.Theirs); Ratio > 0)
            std::printf("ratio %s: %.3f (goal: 1.5 or less)\n", R.Label, Ratio);
    return 0;
}
