// TAdvImage: a graphic that keeps image bytes and draws them as a picture object sized in
// HIMETRIC (hundredths of a millimetre); the panel uses it for its caption and background.
// Metafiles have no decoder here: they raise the invalid-format error.
#pragma once

#include "framework/ui/Picture.h"

#include <memory>

class TAdvImage : public TGraphic {
public:
    TAdvImage();
    ~TAdvImage() override;

    // Pixels at 96 per inch from the picture's HIMETRIC size; 0 without a decoded picture.
    int Width() const override;
    int Height() const override;
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    bool Empty() const override { return FIsEmpty; }
    // The decoded picture's size in HIMETRIC; 0 x 0 when none.
    TSize HimetricSize() const { return FHimetric; }

    void Assign(TPersistent* Source) override;
    // Stretches the picture into Rect; nothing when empty or not decoded.
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    // Raise Exception "Could not load image. Invalid format" for bytes that are no picture.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    // Any failure leaves the image empty; nothing is raised.
    void LoadFromFile(const String& FileName) override;
    // Raise EResNotFound when there is no such RCDATA resource.
    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    void LoadFromResourceID(HINSTANCE Instance, int ResID);

    void ReadData(TStream* Stream) override;
    void WriteData(TStream* Stream) override;

private:
    std::unique_ptr<TMemoryStream> FDatastream;
    bool FIsEmpty = true;
    std::unique_ptr<TPicture> gpPicture;  // the decoded picture, nullptr when not decoded
    TSize FHimetric;
    int FLogPixX = 96;
    int fLogPixY = 96;

    void storeBytes(TStream* Stream);
    void LoadPicture();
    void loadBytesOf(TGraphic* Graphic);
    void fireChange();
};
