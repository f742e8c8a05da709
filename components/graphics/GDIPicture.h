// TGDIPPicture: a graphic that keeps any image file's bytes and draws them through the GDI+
// layer, with an optional rotation; SniffPictureFormat tells the file type from the bytes.
#pragma once

#include "framework/ui/Picture.h"

#include <cstddef>
#include <memory>

class TGPGraphics;

enum TPictureFormat { pfBMP, pfGIF, pfJPG, pfPNG, pfICO, pfTiff, pfMetaFile, pfNone };

// The format the first bytes announce; pfNone for fewer than 44 bytes.
TPictureFormat SniffPictureFormat(const void* Buffer, std::size_t Size);

// Decoding shared by the picture classes. Both raise Exception "Could not allocate memory for
// image" when the copy for the decoder cannot be made, and leave Bytes at position 0.
// The image's size; 0 x 0 when the bytes cannot be decoded.
TSize MeasurePictureBytes(TMemoryStream* Bytes);
// Draws the image into Rect, rotated by Angle degrees about the image's own centre placed at
// Rect's top-left; a BMP with TransparentBitmap is drawn as a framework bitmap with its
// bottom-left colour transparent. Frame (from 0) picks a frame of a GIF; one it does not have
// draws the first. Returns the image's size (0 x 0 when nothing was drawn).
TSize DrawPictureBytes(TMemoryStream* Bytes, TCanvas* Canvas, const TRect& Rect, int Angle, bool TransparentBitmap,
                       int Frame = 0);

class TGDIPPicture : public TGraphic {
public:
    TGDIPPicture();
    ~TGDIPPicture() override;

    // Stored for the users of the picture; no operation here reads them.
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor Value) { FBackgroundColor = Value; }
    // Default true: BMP pictures show their bottom-left colour transparent.
    bool TransparentBitmap() const { return FTransparentBitmap; }
    void SetTransparentBitmap(bool Value) { FTransparentBitmap = Value; }
    // Degrees, drawn rotated about the image's centre.
    int Angle() const { return FAngle; }
    void SetAngle(int Value) { FAngle = Value; }
    TPictureFormat PictureFormat() const;
    TGraphic* Graphic() { return this; }

    // Fired when LoadFromFile starts over and when Assign(nullptr) clears the picture.
    TNotifyEvent OnClear;

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    bool Empty() const override { return FIsEmpty; }

    void Assign(TPersistent* Source) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    // Any failure leaves the picture empty; nothing is raised.
    void LoadFromFile(const String& FileName) override;
    // Only when an RCDATA resource of that name exists.
    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    // Raises EResNotFound when there is no such RCDATA resource.
    void LoadFromResourceID(HINSTANCE Instance, int ResID);
    // "RES://name" and "FILE://path" (prefix in any case); other addresses do nothing.
    void LoadFromURL(const String& URL);
    // Decodes the bytes and takes the image's size; false when they cannot be decoded.
    bool GetImageSizes();
    const String& GetFileName() const { return FFileName; }
    void DrawImage(TGPGraphics* Graphics, int X, int Y);
    void DrawImageRect(TGPGraphics* Graphics, int X, int Y, int W, int H);

    // Form data: the bytes only; the size is measured on the next GetImageSizes, Assign or Draw.
    void ReadData(TStream* Stream) override;
    void WriteData(TStream* Stream) override;

private:
    String FFileName;
    std::unique_ptr<TMemoryStream> FDatastream;
    bool FIsEmpty = true;
    int FWidth = 0;
    int FHeight = 0;
    bool FDoubleBuffered = false;
    TColor FBackgroundColor = clNone;
    bool FTransparentBitmap = true;
    int FAngle = 0;

    void storeBytes(TStream* Stream);
    void fireChange();
};
