// 1,000 panel paints of 300 x 200 (a 128-band body gradient, a shaded caption with HTML text, a
// status bar with text) into an image, and in the same run the same rectangles with QPainter
// directly, the gradients as QLinearGradient; prints the ratio of the two times (goal: 1.5 or
// less). Ten panels on a container, painted 100 times.
#include "bench/BenchSupport.h"
#include "components/controls/AdvPanel.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Gdi.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <vector>

namespace {

constexpr int Columns = 5;
constexpr int PanelCount = 10;
constexpr int Rounds = 100;  // 10 x 100 = 1,000 paints
constexpr int W = 300, H = 200;
constexpr int CaptionHeight = 20, StatusHeight = 18;
constexpr TColor From = 0xFDEADA, To = 0xE4AE88, CaptionColor = 0xD68759, StatusColor = 0xE08F65;
const char* const CaptionText = "<b>Panel</b> caption <i>text</i>";
const char* const StatusText = "Ready";

QColor qcolor(TColor C) { return QColor(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF); }

TPoint placeOf(int I) { return Point((I % Columns) * W, (I / Columns) * H); }

void BM_Panels(benchmark::State& State) {
    TForm Form(nullptr);
    Form.SetBounds(0, 0, Columns * W, (PanelCount / Columns) * H);
    auto* Host = new TPanel(&Form);
    Host->SetParent(&Form);
    Host->SetBevelOuter(bvNone);
    Host->SetBounds(0, 0, Columns * W, (PanelCount / Columns) * H);
    std::vector<TAdvPanel*> Panels;
    for (int I = 0; I < PanelCount; ++I) {
        auto* P = new TAdvPanel(&Form);
        Panels.push_back(P);
        P->SetParent(Host);
        P->SetBounds(placeOf(I).X, placeOf(I).Y, W, H);
        P->SetBevelOuter(bvNone);
        P->SetColor(From);
        P->SetColorTo(To);
        P->Caption()->SetVisible(true);
        P->Caption()->SetColor(CaptionColor);
        P->Caption()->SetShadeType(stHShade);
        P->Caption()->SetFlat(true);
        P->Caption()->SetText(QString::fromLatin1(CaptionText));
        P->Caption()->Font()->SetColor(clWhite);
        P->StatusBar()->SetVisible(true);
        P->StatusBar()->SetColor(StatusColor);
        P->StatusBar()->SetText(QString::fromLatin1(StatusText));
    }
    TBitmap Surface(Columns * W, (PanelCount / Columns) * H);
    // Each panel erases and paints straight into the image at its place, as the platform's
    // PaintTo of one window does: the panel's drawing, without the window layer's composition.
    HDC DC = Surface.Canvas()->Handle();
    for (auto _ : State)
        for (int R = 0; R < Rounds; ++R) {
            Surface.Canvas()->Brush()->SetColor(clWhite);
            Surface.Canvas()->FillRect(Rect(0, 0, Surface.Width(), Surface.Height()));
            for (TAdvPanel* P : Panels) {
                SetWindowOrgEx(DC, -P->Left(), -P->Top(), nullptr);
                P->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
                P->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
            }
            SetWindowOrgEx(DC, 0, 0, nullptr);
        }
    benchmark::DoNotOptimize(Surface.Canvas()->Pixels(1, 1));
}

void BM_QPainter(benchmark::State& State) {
    QImage Image(Columns * W, (PanelCount / Columns) * H, QImage::Format_RGB32);
    QFont Font(QStringLiteral("DejaVu Sans"));
    Font.setPixelSize(11);
    QFont Bold = Font;
    Bold.setBold(true);
    QFont Italic = Font;
    Italic.setItalic(true);
    for (auto _ : State) {
        for (int R = 0; R < Rounds; ++R) {
            QPainter P(&Image);
            P.fillRect(Image.rect(), Qt::white);
            for (int I = 0; I < PanelCount; ++I) {
                const int X = placeOf(I).X, Y = placeOf(I).Y;
                QLinearGradient Body(X, Y, X, Y + H);
                Body.setColorAt(0, qcolor(From));
                Body.setColorAt(1, qcolor(To));
                P.fillRect(X, Y, W, H, Body);
                QLinearGradient Caption(X, Y, X + W, Y);
                Caption.setColorAt(0, qcolor(CaptionColor).darker(250));
                Caption.setColorAt(1, qcolor(CaptionColor).darker(130));
                P.fillRect(X, Y, W, CaptionHeight, Caption);
                P.setPen(Qt::white);
                P.setFont(Bold);
                P.drawText(QRect(X + 2, Y, 40, CaptionHeight), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Panel"));
                P.setFont(Font);
                P.drawText(QRect(X + 42, Y, 50, CaptionHeight), Qt::AlignLeft | Qt::AlignTop,
                           QStringLiteral(" caption "));
                P.setFont(Italic);
                P.drawText(QRect(X + 92, Y, 40, CaptionHeight), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("text"));
                P.fillRect(X + 1, Y + H - StatusHeight - 1, W - 2, StatusHeight, qcolor(StatusColor));
                P.setPen(Qt::black);
                P.setFont(Font);
                P.drawText(QRect(X + 3, Y + H - StatusHeight - 1, W - 4, StatusHeight), Qt::AlignLeft | Qt::AlignTop,
                           QString::fromLatin1(StatusText));
            }
        }
    }
    benchmark::DoNotOptimize(Image.pixel(1, 1));
}

BENCHMARK(BM_Panels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QPainter)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunRatioBenchmarks<QApplication>(argc, argv, "BM_Panels", "BM_QPainter", "panels / QPainter", "1.5 or less");
}
