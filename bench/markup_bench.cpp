// Lays out and draws a 1,000-line mini-HTML document (fonts, colours, anchors, lists, images)
// into an image with DrawMarkupText, and the same document as HTML with Qt's QTextDocument in
// the same run; prints the ratio of the two times (goal: 1.0 or less). Both parse their text
// anew on every iteration, as the engine does on every paint.
#include "components/graphics/MiniHTML.h"

#include "bench/BenchSupport.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/ImgList.h"

#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QUrl>

namespace {

constexpr int Lines = 1000;
constexpr int PageWidth = 600;
constexpr int PageHeight = 20000;

// Line I of the document, in the engine's markup (Html false) or as HTML.
String documentLine(int I, bool Html) {
    const String N = IntToStr(I);
    switch (I % 5) {
        case 0:
            return QStringLiteral("<font face=\"Arial\" size=\"3\" color=\"#FF0000\">Heading ") + N +
                   QStringLiteral("</font><br>");
        case 1:
            return QStringLiteral("Some text with <b>bold</b>, <i>italic</i> and <a href=\"http://example.org/") + N +
                   QStringLiteral("\">a link ") + N + QStringLiteral("</a> in it<br>");
        case 2:
            return Html ? QStringLiteral("<ul><li>first item ") + N + QStringLiteral("</li></ul>")
                        : QStringLiteral("<ul><li>first item ") + N + QStringLiteral("</ul><br>");
        case 3:
            return (Html ? QStringLiteral("<img src=\"idx0\">") : QStringLiteral("<img src=\"idx:0\">")) +
                   QStringLiteral(" a line with a picture ") + N + QStringLiteral("<br>");
        default:
            return QStringLiteral("<font color=\"#008000\" bgcolor=\"#00FFFF\">coloured</font> plain words ") + N +
                   QStringLiteral(" to fill the line<br>");
    }
}

String document(bool Html) {
    String S;
    for (int I = 0; I < Lines; ++I) S += documentLine(I, Html);
    return S;
}

void BM_DrawMarkupText(benchmark::State& State) {
    const String Text = document(false);
    TImageList Images(nullptr, 16, 16);
    TBitmap Red(16, 16);
    Red.Canvas()->Brush()->SetColor(clRed);
    Red.Canvas()->FillRect(Rect(0, 0, 16, 16));
    Images.Add(&Red, nullptr);
    TBitmap Page(PageWidth, PageHeight);
    TCanvas* Canvas = Page.Canvas();
    Canvas->Font()->SetName(QStringLiteral("Tahoma"));
    Canvas->Font()->SetSize(8);
    int Height = 0;
    for (auto _ : State) {
        Canvas->Brush()->SetColor(clWhite);
        Canvas->FillRect(Rect(0, 0, PageWidth, PageHeight));
        String Href, Plain, Title;
        int Width = 0, Anchors = 0, Hit = -1;
        TRect HitRect;
        DrawMarkupText(Canvas, Text, Rect(0, 0, PageWidth, PageHeight), &Images, -1, -1, -1, -1, 2, false, false, false,
                       false, true, false, true, 1.0, clBlue, clNone, clNone, clGray, Href, Plain, Title, Width, Height,
                       Anchors, Hit, HitRect, nullptr, nullptr, 0, bdLeftToRight, clHighlight, clHighlightText, {});
    }
    State.counters["height"] = Height;
}

void BM_QTextDocument(benchmark::State& State) {
    const String Html = document(true);
    QImage Picture(16, 16, QImage::Format_RGB32);
    Picture.fill(Qt::red);
    QImage Page(PageWidth, PageHeight, QImage::Format_RGB32);
    QFont Font(QStringLiteral("DejaVu Sans"));
    Font.setPixelSize(11);
    double Height = 0;
    for (auto _ : State) {
        Page.fill(Qt::white);
        QTextDocument Doc;
        Doc.setDefaultFont(Font);
        Doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("idx0")), Picture);
        Doc.setTextWidth(PageWidth);
        Doc.setHtml(Html);
        QPainter Painter(&Page);
        Doc.drawContents(&Painter, QRectF(0, 0, PageWidth, PageHeight));
        Height = Doc.size().height();
    }
    State.counters["height"] = Height;
}

BENCHMARK(BM_DrawMarkupText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTextDocument)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunRatioBenchmarks<QGuiApplication>(argc, argv, "BM_DrawMarkupText", "BM_QTextDocument",
                                               "DrawMarkupText / QTextDocument", "1.0 or less");
}
