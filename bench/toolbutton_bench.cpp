// 10,000 tool-button paints (gradient look, glyph and caption) into an image, and in the same run
// the same rectangles, 16-band gradients, glyph and text with QPainter directly; prints the ratio
// of the two times (goal: 1.5 or less). 100 buttons on a panel, painted 100 times.
#include "bench/BenchSupport.h"
#include "components/controls/AdvToolButton.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <vector>

namespace {

constexpr int Columns = 10;
constexpr int ButtonCount = Columns * Columns;
constexpr int Rounds = 100;  // 100 x 100 = 10,000 paints
constexpr int W = 60, H = 24;
constexpr TColor From = 0xFDEADA, To = 0xE4AE88;

QColor qcolor(TColor C) { return QColor(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF); }

void BM_ToolButtons(benchmark::State& State) {
    TForm Form(nullptr);
    Form.SetBounds(0, 0, Columns * W, Columns * H);
    auto* Panel = new TPanel(&Form);
    Panel->SetParent(&Form);
    Panel->SetBevelOuter(bvNone);
    Panel->SetBounds(0, 0, Columns * W, Columns * H);
    TBitmap Glyph(16, 16);
    Glyph.Canvas()->Brush()->SetColor(clWhite);
    Glyph.Canvas()->FillRect(Rect(0, 0, 16, 16));
    Glyph.Canvas()->Brush()->SetColor(clRed);
    Glyph.Canvas()->FillRect(Rect(3, 3, 13, 13));
    std::vector<TAdvToolButton*> Buttons;
    for (int I = 0; I < ButtonCount; ++I) {
        auto* B = new TAdvToolButton(&Form);
        Buttons.push_back(B);
        B->SetParent(Panel);
        B->SetBounds((I % Columns) * W, (I / Columns) * H, W, H);
        B->SetLook(2);
        B->SetGlyph(&Glyph);
        B->SetCaption(QStringLiteral("Add"));
    }
    TBitmap Surface(Columns * W, Columns * H);
    for (auto _ : State)
        for (int R = 0; R < Rounds; ++R) {
            for (TAdvToolButton* B : Buttons) B->Invalidate();  // every paint runs Paint again
            Panel->PaintTo(Surface.Canvas(), 0, 0);
        }
    benchmark::DoNotOptimize(Surface.Canvas()->Pixels(1, 1));
}

void BM_QPainter(benchmark::State& State) {
    QImage Image(Columns * W, Columns * H, QImage::Format_RGB32);
    QImage Glyph(16, 16, QImage::Format_ARGB32);
    Glyph.fill(Qt::transparent);
    QPainter(&Glyph).fillRect(3, 3, 10, 10, Qt::red);
    QFont Font(QStringLiteral("DejaVu Sans"));
    Font.setPixelSize(11);
    for (auto _ : State) {
        for (int R = 0; R < Rounds; ++R) {
            QPainter P(&Image);
            P.fillRect(Image.rect(), Qt::white);
            P.setFont(Font);
            for (int I = 0; I < ButtonCount; ++I) {
                const int X = (I % Columns) * W + 1, Y = (I / Columns) * H + 1;
                const double Band = (H - 2) / 16.0;
                for (int S = 0; S < 16; ++S) {
                    const QColor F = qcolor(From), T = qcolor(To);
                    const QColor C(F.red() + (T.red() - F.red()) * S / 16, F.green() + (T.green() - F.green()) * S / 16,
                                   F.blue() + (T.blue() - F.blue()) * S / 16);
                    P.fillRect(X, Y + int(S * Band), W - 2, int(Band) + 1, C);
                }
                P.drawImage(X + 8, Y + 3, Glyph);
                P.drawText(QRect(X + 28, Y, 30, H - 2), Qt::AlignCenter, QStringLiteral("Add"));
            }
        }
    }
    benchmark::DoNotOptimize(Image.pixel(1, 1));
}

BENCHMARK(BM_ToolButtons)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QPainter)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunRatioBenchmarks<QApplication>(argc, argv, "BM_ToolButtons", "BM_QPainter", "tool buttons / QPainter",
                                            "1.5 or less");
}
