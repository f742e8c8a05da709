// The grid's variant of the renderer on the markup benchmark's document with edit boxes and check
// boxes embedded by CONTROL tags, against QTextDocument on the equivalent HTML (each control a
// framed picture of its size), in the same run; prints the ratio of the two times (goal: 1.0 or
// less).
#include "components/graphics/AsgHTMLE.h"

#include "bench/BenchSupport.h"
#include "bench/MarkupDocument.h"

#include <QGuiApplication>

namespace {

using namespace markupbench;

void BM_GridDrawMarkupText(benchmark::State& State) {
    runRenderer(State, TControls::With,
                [](TCanvas* Canvas, const String& Text, const TRect& Page, TCustomImageList* Images) {
                    return AsgHTMLE::DrawMarkupText(
                               {.Canvas = Canvas, .Text = Text, .DrawRect = Page, .Images = Images, .ShadowOffset = 2})
                        .MeasuredHeight;
                });
}

void BM_QTextDocument(benchmark::State& State) { runQTextDocument(State, TControls::With); }

BENCHMARK(BM_GridDrawMarkupText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTextDocument)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunRatioBenchmarks<QGuiApplication>(argc, argv, "BM_GridDrawMarkupText", "BM_QTextDocument",
                                               "AsgHTMLE::DrawMarkupText / QTextDocument", "1.0 or less");
}
