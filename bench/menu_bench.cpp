// Opens the main window's six-item popup menu in the Office 2003 blue look until every item is
// painted, then closes it; against a Qt menu of six items with icons opened and rendered the
// same way, offscreen, in the same run. Prints the ratio of the two times (goal: 1.5 or less).
#include "components/controls/AdvMenus.h"

#include "bench/BenchSupport.h"
#include "components/controls/AdvOfficeMenuStyler.h"
#include "framework/ui/Gdi.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QTimer>

namespace {

const char* const kCaptions[] = {"Start Download", "Stop Download", "Video Info",
                                 "Remove Entry",   "Play Video",    "Open Video"};

void BM_AdvPopupMenu(benchmark::State& State) {
    TComponent Form(nullptr);
    auto* Menu = new TAdvPopupMenu(&Form);
    auto* Styler = new TAdvMenuOfficeStyler(&Form);
    Styler->SetStyle(osOffice2003Blue);
    Menu->SetMenuStyler(Styler);
    int Index = 0;
    for (const char* Caption : kCaptions) {
        auto* Item = new TMenuItem(Menu);
        Item->SetCaption(QString::fromLatin1(Caption));
        TBitmap Glyph(16, 16);
        Glyph.Canvas()->Brush()->SetColor(static_cast<TColor>(0x203040 * (++Index)));
        Glyph.Canvas()->FillRect(Rect(0, 0, 16, 16));
        Item->SetBitmap(&Glyph);
        Menu->Items()->Add(Item);
    }
    for (auto _ : State) {
        QTimer::singleShot(0, [] {
            HWND Wnd = ActiveMenuWindow();
            // Reading the window brings its painting up to date: every item paints.
            ReleaseDC(Wnd, GetWindowDC(Wnd));
            EndMenu();
        });
        Menu->Popup(100, 100);
    }
}

void BM_QMenu(benchmark::State& State) {
    QMenu Menu;
    int Index = 0;
    for (const char* Caption : kCaptions) {
        QPixmap Glyph(16, 16);
        Glyph.fill(QColor::fromRgb(0x403020 * (++Index)));
        Menu.addAction(QIcon(Glyph), QString::fromLatin1(Caption));
    }
    for (auto _ : State) {
        Menu.popup(QPoint(100, 100));
        benchmark::DoNotOptimize(Menu.grab());
        Menu.close();
    }
}

BENCHMARK(BM_AdvPopupMenu)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QMenu)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunRatioBenchmarks<QApplication>(argc, argv, "BM_AdvPopupMenu", "BM_QMenu",
                                            "TAdvPopupMenu / QMenu, open to painted", "1.5 or less");
}
