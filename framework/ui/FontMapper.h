// Framework-internal: maps the platform's font faces to installed families and builds the
// QFont a TFont draws with, at 96 pixels per inch, so text measures the same on every machine.
#pragma once

#include "framework/ui/Graphics.h"

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QRect>
#include <memory>

class QPainter;

// The installed family that stands in for Face; Face itself when the table does not know it.
String SubstituteFontFace(const String& Face);
// The QFont for a font record: pixel size set explicitly, fixed hinting, no kerning.
QFont QFontOf(const String& Name, int Height, TFontStyles Style, TFontQuality Quality, int PixelsPerInch = 96);
QFont QFontOf(const TFont& Font);
// The measurements of one font, remembered between calls: shaping a text is the costly part
// of measuring, and painting measures the same words again and again. Not shared between
// threads.
class TFontMeasure {
public:
    explicit TFontMeasure(const QFont& Font);
    const QFont& Font() const { return FFont; }
    const QFontMetrics& Metrics() const { return FMetrics; }
    // QFontMetrics::horizontalAdvance of Text.
    int Width(const String& Text);
    // The width of "x", the average character width of the platform's text metrics.
    int AveCharWidth() const { return FAveCharWidth; }
    // QFontMetrics' vertical measures, read once: each read through QFontMetrics looks the
    // font's engine up again under Qt's font database lock.
    int Ascent() const { return FAscent; }
    int Height() const { return FHeight; }
    int Leading() const { return FLeading; }
    int UnderlinePos() const { return FUnderlinePos; }
    int LineWidth() const { return FLineWidth; }
    // QFontMetrics::boundingRect of Text: covers every pixel Text touches drawn at (0, 0).
    QRect InkBounds(const String& Text);
    // The smallest rectangle holding every pixel DrawText colours for Text with its baseline at
    // (0, 0) on a surface of 8 bits a pixel or more, found by drawing it once: tighter than
    // InkBounds, which holds the whole cell, and right where the glyphs' own metrics are not
    // (a synthesized bold or slant). Empty for text that draws nothing.
    QRect DrawnInk(const String& Text);
    // Draws Text left to right with its baseline at Y, the same pixels as QPainter::drawText
    // with this font, without shaping the text again each time.
    void DrawText(QPainter& Painter, int X, int Y, const String& Text);

private:
    QFont FFont;
    QFontMetrics FMetrics;
    int FAveCharWidth;
    int FAscent, FHeight, FLeading, FUnderlinePos, FLineWidth;
    QHash<String, int> FWidths;
    QHash<String, QRect> FInk;
    QHash<String, QRect> FDrawnInk;
    struct TShaped {
        QList<QGlyphRun> Runs;
        qreal Ascent = 0;
    };
    QHash<String, TShaped> FShaped;
};
// The measurements of Font on the calling thread; the few fonts used last are kept.
std::shared_ptr<TFontMeasure> FontMeasure(const QFont& Font);

// Width of Text and the cell height of Font, the way text output measures it.
TSize FontTextExtent(const QFont& Font, const String& Text);
// Distance from the top of the text cell to the baseline.
int FontAscent(const QFont& Font);
