// 10,000 anti-aliased 32 x 32 rounded rectangles with a vertical linear gradient, drawn through
// the GDI+ object layer on a bitmap's device context and, in the same run, with QPainter directly
// on an image of the same size and format; prints the ratio of the two times (goal: 1.15 or less).
#include "bench/BenchSupport.h"
#include "components/graphics/AdvGDIP.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int RectCount = 10000;
constexpr int Side = 32;
constexpr float Radius = 6;
constexpr int Columns = 25;  // an 800 x 800 surface, drawn over 16 times
constexpr int SurfaceSide = Columns * Side;
constexpr ARGB TopColor = 0xFFF0F4FF;
constexpr ARGB BottomColor = 0xFF4060A0;

float cellX(int I) { return static_cast<float>((I % Columns) * Side); }
float cellY(int I) { return static_cast<float>((I / Columns) % Columns * Side); }

void addRoundRect(TGPGraphicsPath& Path, float X, float Y, float W, float H, float R) {
    const float D = 2 * R;
    Path.AddArc(X, Y, D, D, 180, 90);
    Path.AddArc(X + W - D, Y, D, D, 270, 90);
    Path.AddArc(X + W - D, Y + H - D, D, D, 0, 90);
    Path.AddArc(X, Y + H - D, D, D, 90, 90);
    Path.CloseFigure();
}

void BM_ObjectLayer(benchmark::State& State) {
    TBitmap Bitmap(SurfaceSide, SurfaceSide);
    HDC DC = Bitmap.Canvas()->Handle();
    for (auto _ : State) {
        // One paint: a graphics per device context, a brush per rectangle.
        TGPGraphics Graphics(DC);
        Graphics.SetSmoothingMode(SmoothingModeAntiAlias);
        for (int I = 0; I < RectCount; ++I) {
            const float X = cellX(I), Y = cellY(I);
            TGPGraphicsPath Path;
            addRoundRect(Path, X, Y, Side, Side, Radius);
            TGPLinearGradientBrush Brush(MakeGPRectF(X, Y, Side, Side), TopColor, BottomColor,
                                         LinearGradientModeVertical);
            Graphics.FillPath(&Brush, &Path);
        }
    }
    benchmark::DoNotOptimize(Bitmap.Canvas()->Pixels(1, 1));
}

void BM_QPainter(benchmark::State& State) {
    QImage Image(SurfaceSide, SurfaceSide, QImage::Format_RGB32);
    Image.fill(Qt::white);
    for (auto _ : State) {
        QPainter Painter(&Image);
        Painter.setRenderHint(QPainter::Antialiasing);
        // The same pixels as the object layer: its pixel centres lie on integer coordinates.
        Painter.translate(0.5, 0.5);
        for (int I = 0; I < RectCount; ++I) {
            const float X = cellX(I), Y = cellY(I);
            QPainterPath Path;
            Path.addRoundedRect(QRectF(X, Y, Side, Side), Radius, Radius);
            QLinearGradient Gradient(X, Y, X, Y + Side);
            Gradient.setColorAt(0, QColor::fromRgba(TopColor));
            Gradient.setColorAt(1, QColor::fromRgba(BottomColor));
            Gradient.setSpread(QGradient::RepeatSpread);
            Painter.fillPath(Path, Gradient);
        }
    }
    benchmark::DoNotOptimize(Image.pixel(1, 1));
}

BENCHMARK(BM_ObjectLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QPainter)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunRatioBenchmarks<QGuiApplication>(argc, argv, "BM_ObjectLayer", "BM_QPainter", "object layer / QPainter",
                                               "1.15 or less");
}
