// The document the markup benchmarks lay out: 1,000 lines of fonts, colours, anchors, lists and
// images, optionally with embedded controls, in the renderer's markup or as the equivalent HTML
// for Qt's QTextDocument (a control there is a picture of its size). Both sides parse their text
// anew on every iteration, as the renderers do on every paint.
#pragma once

#include "framework/rtl/SysUtils.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/ImgList.h"

#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QUrl>

namespace markupbench {

constexpr int Lines = 1000;
constexpr int PageWidth = 600;
constexpr int PageHeight = 20000;
constexpr int EditWidth = 80, EditHeight = 23, CheckSize = 16;

enum class TControls { Without, With };

// Line I of the document, in the renderer's markup (Html false) or as HTML.
inline String documentLine(int I, bool Html, TControls Controls) {
    const String N = IntToStr(I);
    String Extra;
    if (Controls == TControls::With && I % 5 == 1)
        Extra = Html ? QStringLiteral(" <img src=\"edit\" width=\"80\" height=\"23\">")
                     : QStringLiteral(" <CONTROL TYPE=\"EDIT\" ID=\"e") + N + QStringLiteral("\" VALUE=\"value ") + N +
                           QStringLiteral("\" WIDTH=\"80\">");
    if (Controls == TControls::With && I % 5 == 4)
        Extra = Html ? QStringLiteral(" <img src=\"check\" width=\"16\" height=\"16\">")
                     : QStringLiteral(" <CONTROL TYPE=\"CHECK\" ID=\"c") + N +
                           QStringLiteral("\" VALUE=\"TRUE\" WIDTH=\"20\">");
    switch (I % 5) {
        case 0:
            return QStringLiteral("<font face=\"Arial\" size=\"3\" color=\"#FF0000\">Heading ") + N +
                   QStringLiteral("</font><br>");
        case 1:
            return QStringLiteral("Some text with <b>bold</b>, <i>italic</i> and <a href=\"http://example.org/") + N +
                   QStringLiteral("\">a link ") + N + QStringLiteral("</a> in it") + Extra + QStringLiteral("<br>");
        case 2:
            return Html ? QStringLiteral("<ul><li>first item ") + N + QStringLiteral("</li></ul>")
                        : QStringLiteral("<ul><li>first item ") + N + QStringLiteral("</ul><br>");
        case 3:
            return (Html ? QStringLiteral("<img src=\"idx0\">") : QStringLiteral("<img src=\"idx:0\">")) +
                   QStringLiteral(" a line with a picture ") + N + QStringLiteral("<br>");
        default:
            return QStringLiteral("<font color=\"#008000\" bgcolor=\"#00FFFF\">coloured</font> plain words ") + N +
                   QStringLiteral(" to fill the line") + Extra + QStringLiteral("<br>");
    }
}

inline String document(bool Html, TControls Controls) {
    String S;
    for (int I = 0; I < Lines; ++I) S += documentLine(I, Html, Controls);
    return S;
}

// A page in Tahoma 8 with a 16 x 16 red image at index 0; Draw lays the document out on it.
template <class TDraw>
void runRenderer(benchmark::State& State, TControls Controls, TDraw Draw) {
    const String Text = document(false, Controls);
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
        Height = Draw(Canvas, Text, Rect(0, 0, PageWidth, PageHeight), &Images);
    }
    State.counters["height"] = Height;
}

inline QImage framedBox(int Width, int Height) {
    QImage Box(Width, Height, QImage::Format_RGB32);
    Box.fill(Qt::white);
    QPainter P(&Box);
    P.setPen(QColor(0x80, 0x80, 0x80));
    P.drawRect(0, 0, Width - 1, Height - 1);
    return Box;
}

inline void runQTextDocument(benchmark::State& State, TControls Controls) {
    const String Html = document(true, Controls);
    QImage Picture(16, 16, QImage::Format_RGB32);
    Picture.fill(Qt::red);
    const QImage Edit = framedBox(EditWidth, EditHeight), Check = framedBox(CheckSize, CheckSize);
    QImage Page(PageWidth, PageHeight, QImage::Format_RGB32);
    QFont Font(QStringLiteral("DejaVu Sans"));
    Font.setPixelSize(11);
    double Height = 0;
    for (auto _ : State) {
        Page.fill(Qt::white);
        QTextDocument Doc;
        Doc.setDefaultFont(Font);
        Doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("idx0")), Picture);
        Doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("edit")), Edit);
        Doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("check")), Check);
        Doc.setTextWidth(PageWidth);
        Doc.setHtml(Html);
        QPainter Painter(&Page);
        Doc.drawContents(&Painter, QRectF(0, 0, PageWidth, PageHeight));
        Height = Doc.size().height();
    }
    State.counters["height"] = Height;
}

}  // namespace markupbench
