// Lays out and draws a 1,000-line mini-HTML document (fonts, colours, anchors, lists, images)
// into an image with DrawMarkupText, and the same document as HTML with Qt's QTextDocument in
// the same run; prints the ratio of the two times (goal: 0.5 or less).
#include "components/graphics/MiniHTML.h"

#include "bench/BenchSupport.h"
#include "bench/MarkupDocument.h"

#include <QGuiApplication>

namespace {

using namespace markupbench;

void BM_DrawMarkupText(benchmark::State& State) {
    runRenderer(State, TControls::Without,
                [](TCanvas* Canvas, const String& Text, const TRect& Page, TCustomImageList* Images) {
                    return DrawMarkupText(
                               {.Canvas = Canvas, .Text = Text, .DrawRect = Page, .Images = Images, .ShadowOffset = 2})
                        .MeasuredHeight;
                });
}

void BM_QTextDocument(benchmark::State& State) { runQTextDocument(State, TControls::Without); }

BENCHMARK(BM_DrawMarkupText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTextDocument)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunRatioBenchmarks<QGuiApplication>(argc, argv, "BM_DrawMarkupText", "BM_QTextDocument",
                                               "DrawMarkupText / QTextDocument", "0.5 or less");
}
