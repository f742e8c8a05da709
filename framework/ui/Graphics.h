// Colours, graphics objects (font, pen, brush), the canvas and bitmaps.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/rtl/Resources.h"
#include "framework/rtl/Streams.h"
#include "framework/ui/WinTypes.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

QVD_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
QVD_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);

// ---------------------------------------------------------------------------------------------
// Colours: $00BBGGRR; system colours are $FF000000 + index and resolve through one palette.

using TColor = std::int32_t;
using COLORREF = DWORD;

inline constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clLtGray = 0xC0C0C0;
inline constexpr TColor clDkGray = 0x808080;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clScrollBar = clSystemColor | 0;
inline constexpr TColor clBackground = clSystemColor | 1;
inline constexpr TColor clActiveCaption = clSystemColor | 2;
inline constexpr TColor clInactiveCaption = clSystemColor | 3;
inline constexpr TColor clMenu = clSystemColor | 4;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowFrame = clSystemColor | 6;
inline constexpr TColor clMenuText = clSystemColor | 7;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clCaptionText = clSystemColor | 9;
inline constexpr TColor clActiveBorder = clSystemColor | 10;
inline constexpr TColor clInactiveBorder = clSystemColor | 11;
inline constexpr TColor clAppWorkSpace = clSystemColor | 12;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clInactiveCaptionText = clSystemColor | 19;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor cl3DDkShadow = clSystemColor | 21;
inline constexpr TColor cl3DLight = clSystemColor | 22;
inline constexpr TColor clInfoText = clSystemColor | 23;
inline constexpr TColor clInfoBk = clSystemColor | 24;
inline constexpr TColor clHotLight = clSystemColor | 26;
inline constexpr TColor clGradientActiveCaption = clSystemColor | 27;
inline constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
inline constexpr TColor clMenuHighlight = clSystemColor | 29;
inline constexpr TColor clMenuBar = clSystemColor | 30;

// Number of entries in the system palette (indexes 0 .. 30).
inline constexpr int SysColorCount = 31;

inline constexpr TColor RGB(int R, int G, int B) {
    return static_cast<TColor>((R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16));
}
inline constexpr Byte GetRValue(TColor C) { return static_cast<Byte>(C & 0xFF); }
inline constexpr Byte GetGValue(TColor C) { return static_cast<Byte>((C >> 8) & 0xFF); }
inline constexpr Byte GetBValue(TColor C) { return static_cast<Byte>((C >> 16) & 0xFF); }

// The system palette. Tests and theme changes set entries; ResetSysColors restores the defaults.
TColor GetSysColor(int Index);
void SetSysColor(int Index, TColor Value);
void ResetSysColors();

// Resolves a system colour to its RGB value; other colours are returned unchanged.
TColor ColorToRGB(TColor Color);
// "clRed" for named colours, "$00BBGGRR" otherwise.
String ColorToString(TColor Color);
// Accepts a colour name ("clRed", any case) or a number ("$00FF0000", "255"); raises EConvertError.
TColor StringToColor(const String& S);
bool IdentToColor(const String& Ident, int& Color);
bool ColorToIdent(int Color, String& Ident);

// ---------------------------------------------------------------------------------------------
// Graphics objects

class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TFontQuality { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural };
using TFontCharset = Byte;
using TFontName = String;

inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset SYMBOL_CHARSET = 2;
inline constexpr TFontCharset OEM_CHARSET = 255;

class TFont : public TGraphicsObject {
public:
    TFont() = default;
    ~TFont() override;

    const TFontName& Name() const { return FName; }
    void SetName(const TFontName& Value);
    // Points; kept in step with Height: Size = -MulDiv(Height, 72, PixelsPerInch).
    int Size() const;
    void SetSize(int Value);
    // Negative: character height in pixels; positive: cell height (with internal leading).
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    // Tenths of a degree, anticlockwise.
    int Orientation() const { return FOrientation; }
    void SetOrientation(int Value);
    TFontQuality Quality() const { return FQuality; }
    void SetQuality(TFontQuality Value);
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value);

    void Assign(TPersistent* Source) override;

    // A logical-font handle for the font (GdiObjects.h), owned by the font and valid until the
    // font changes or is freed.
    HFONT Handle() const;
    // Takes name, height, style, escapement (as Orientation), charset, quality and pitch from
    // the handle's logical font; the colour stays. An invalid handle changes nothing.
    void SetHandle(HFONT Value);

protected:
    void Changed() override;

private:
    mutable HFONT FHandle = nullptr;
    TFontName FName = QStringLiteral("MS Sans Serif");
    int FHeight = -11;  // 8 points at 96 pixels per inch
    TColor FColor = clWindowText;
    TFontStyles FStyle;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    int FOrientation = 0;
    TFontQuality FQuality = fqDefault;
    int FPixelsPerInch = 96;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value);

    void Assign(TPersistent* Source) override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

class TBitmap;

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    // A pattern bitmap, not owned; while set it replaces Color and Style.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* Value);

    void Assign(TPersistent* Source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Canvas

class TGraphic;

enum TFillStyle { fsSurface, fsBorder };

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(const TPoint& Value);
    // The clip box in logical coordinates (the whole surface when nothing clips).
    TRect ClipRect();

    // Creates the handle through CreateHandle when there is none and puts the canvas's font, pen
    // and brush into it (so a GDI call on the handle draws with them); raises EInvalidOperation
    // when the canvas has no surface to draw on.
    HDC Handle();
    void SetHandle(HDC Value);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return FLockCount; }

    void MoveTo(int X, int Y);
    // Draws from PenPos to (X, Y) without the last pixel.
    void LineTo(int X, int Y);
    // Outline with the pen inside the rectangle, filled with the brush; right and bottom excluded.
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void FillRect(const TRect& R);
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& R);
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    void Polygon(const std::vector<TPoint>& Points);
    void Polyline(const std::vector<TPoint>& Points);
    // Elliptic arcs in the bounding rectangle, anticlockwise from the ray to (X3, Y3) to the ray to (X4, Y4).
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);

    TColor Pixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Value);

    // (X, Y) is the top-left of the text cell; the background is filled with the brush unless
    // the brush is not solid.
    void TextOut(int X, int Y, const String& Text);
    // Text clipped to Rect; an opaque brush fills the whole of Rect.
    void TextRect(const TRect& Rect, int X, int Y, const String& Text);
    TSize TextExtent(const String& Text);
    int TextWidth(const String& Text) { return TextExtent(Text).cx; }
    int TextHeight(const String& Text) { return TextExtent(Text).cy; }

    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    // A dotted frame drawn by XOR: drawing it twice restores the pixels.
    void DrawFocusRect(const TRect& Rect);

protected:
    // Called when a handle is needed and none is set; subclasses attach their surface here.
    virtual void CreateHandle() {}
    // Releases a surface the subclass created (the base class owns none).
    virtual void FreeHandle() { SetHandle(nullptr); }
    virtual void Changing();
    virtual void Changed();
    // Copies the font, pen and brush into the device context before a drawing call.
    HDC requireHandle();

private:
    struct TApplied;
    HDC FHandle = nullptr;
    // What the canvas last put into the handle: an object is selected again only when it
    // changed, so a font or background mode set on Handle() directly stays in force.
    std::unique_ptr<TApplied> FApplied;
    void applyObjects();
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TPoint FPenPos;
    std::recursive_mutex FLock;
    int FLockCount = 0;
};

// ---------------------------------------------------------------------------------------------
// Graphics: the abstract picture and the bitmap

class TGraphic : public TPersistent {
public:
    virtual int Width() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual int Height() const = 0;
    virtual void SetHeight(int Value) = 0;
    virtual bool Empty() const = 0;
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool Modified() const { return FModified; }
    void SetModified(bool Value);

    TNotifyEvent OnChange;

    // Draws the picture stretched into Rect (logical coordinates of Canvas).
    virtual void Draw(TCanvas* Canvas, const TRect& Rect) = 0;
    // Reads the picture from the stream's position to its end; raises EInvalidGraphic for bytes
    // the class cannot read and keeps the previous picture then.
    virtual void LoadFromStream(TStream* Stream) = 0;
    // Writes the picture in the class's own file format.
    virtual void SaveToStream(TStream* Stream) = 0;
    // Through LoadFromStream; raises EFOpenError when the file cannot be read.
    virtual void LoadFromFile(const String& FileName);
    // Through SaveToStream, written atomically; raises EFCreateError.
    virtual void SaveToFile(const String& FileName);

protected:
    virtual void Changed();
    // Form data: the picture's bytes, as SaveToStream writes them.
    virtual void ReadData(TStream* Stream) { LoadFromStream(Stream); }
    virtual void WriteData(TStream* Stream) { SaveToStream(Stream); }

private:
    bool FTransparent = false;
    bool FModified = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

struct TBitmapImage;

// A bitmap on a raster image. pf24bit rows are B,G,R bytes; pf32bit and pfDevice rows are B,G,R,A.
class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int AWidth, int AHeight);
    ~TBitmap() override;

    int Width() const override;
    void SetWidth(int Value) override;
    int Height() const override;
    void SetHeight(int Value) override;
    void SetSize(int AWidth, int AHeight);
    bool Empty() const override;
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat Value);
    // tmAuto: the bottom-left pixel; tmFixed: the colour set by SetTransparentColor.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor Value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    TCanvas* Canvas();
    // Raw bytes of row Row; raises EInvalidGraphicOperation for a row outside the bitmap.
    void* ScanLine(int Row);

    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    // BMP, PNG and the other formats the image codecs read; raises EFOpenError or EInvalidGraphic.
    void LoadFromFile(const String& FileName) override;
    // Writes BMP (or the format the extension names) atomically; raises EFCreateError.
    void SaveToFile(const String& FileName) override;
    // Any format the image codecs read (a BMP file, or a bare device-independent bitmap as
    // resources hold it); raises EInvalidGraphic and keeps the old picture.
    void LoadFromStream(TStream* Stream) override;
    // A BMP file.
    void SaveToStream(TStream* Stream) override;
    // The RT_BITMAP resource of that name (ignoring case); raises EResNotFound.
    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    void LoadFromResourceID(HINSTANCE Instance, int ResID);
    void Assign(TPersistent* Source) override;
    void Dormant() {}
    void FreeImage() {}

private:
    friend TBitmapImage* BitmapImageOf(TBitmap*);
    std::unique_ptr<TBitmapImage> FImage;
    std::unique_ptr<TCanvas> FCanvas;
    TPixelFormat FPixelFormat = pfDevice;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;

    void releaseCanvasHandle();
};
