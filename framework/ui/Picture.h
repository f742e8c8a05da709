// Pictures in file formats: icons, PNG, JPEG and GIF images, and TPicture, which holds any
// graphic and picks its class by file extension or by the first bytes of a stream.
#pragma once

#include "framework/ui/Graphics.h"

#include <memory>

struct TCodecImage;

// A graphic read by an image codec. It keeps the bytes it was loaded from, so saving writes
// exactly those bytes back; a picture built from pixels (Assign, SetWidth) is encoded on save.
class TCodecGraphic : public TGraphic {
public:
    ~TCodecGraphic() override;

    int Width() const override;
    int Height() const override;
    // Resizes the picture, keeping its top-left part; new pixels are transparent.
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;
    bool Empty() const override;

    // Stretches the picture into Rect, blending its alpha channel.
    void Draw(TCanvas* Canvas, const TRect& Rect) override;
    // Raises EInvalidGraphic "<kind> image is not valid" and keeps the old picture.
    void LoadFromStream(TStream* Stream) override;
    // Nothing for an empty picture.
    void SaveToStream(TStream* Stream) override;
    // The same class copies the bytes; any other graphic is drawn into a transparent image.
    void Assign(TPersistent* Source) override;

protected:
    // Format: the codec's name ("PNG"); Kind: the name in messages ("PNG").
    TCodecGraphic(const char* Format, const char* Kind);
    // Encodes the pixels for SaveToStream; raises EInvalidGraphicOperation when the class
    // cannot write its format.
    virtual void encode(TStream* Stream);
    int quality() const { return FQuality; }
    void setQuality(int Value) { FQuality = Value; }

private:
    std::unique_ptr<TCodecImage> FImage;
    const char* FFormat;
    const char* FKind;
    int FQuality = -1;
};

// A Windows icon (.ico); the largest image of the file is shown.
class TIcon : public TCodecGraphic {
public:
    TIcon();
};

class TPngImage : public TCodecGraphic {
public:
    TPngImage();
};

class TJPEGImage : public TCodecGraphic {
public:
    TJPEGImage();
    // 1..100, used when the picture is encoded from pixels; default 90.
    int CompressionQuality() const { return quality(); }
    void SetCompressionQuality(int Value);
};

// The first frame of a GIF. GIFs cannot be encoded here: only loaded bytes can be saved.
class TGIFImage : public TCodecGraphic {
public:
    TGIFImage();

protected:
    void encode(TStream* Stream) override;
};

// A graphic class: makes a new empty graphic of that class.
using TGraphicClass = TGraphic* (*)();
template <class T>
TGraphic* CreateGraphic() {
    return new T();
}

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;

    // The graphic, nullptr when empty.
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Takes a copy of Value, of Value's own class (nullptr empties the picture).
    void SetGraphic(TGraphic* Value);
    // The graphic as a bitmap: another graphic is converted, an empty picture gets an empty one.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* Value) { SetGraphic(Value); }
    // The graphic as an icon: another graphic is converted, an empty picture gets an empty one.
    TIcon* Icon();
    void SetIcon(TIcon* Value) { SetGraphic(Value); }
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    TNotifyEvent OnChange;

    // The class registered for the file's extension reads it. Raises EInvalidGraphic for an
    // unknown extension, EFOpenError or EInvalidGraphic for the file; the old picture stays then.
    void LoadFromFile(const String& FileName);
    // Raises EInvalidGraphic for an empty picture.
    void SaveToFile(const String& FileName);
    // The class is chosen by the stream's first bytes (BMP, PNG, JPEG, GIF, icon).
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream);
    void Assign(TPersistent* Source) override;

    // The class registry. Extension without the dot, any case; a new registration of an
    // extension replaces the old one. Registered at start: bmp, ico, png, jpg, jpeg, jpe, gif.
    static void RegisterFileFormat(const String& AExtension, const String& ADescription, TGraphicClass AGraphicClass);
    static void UnregisterGraphicClass(TGraphicClass AClass);
    // nullptr when no class is registered for the extension.
    static TGraphicClass GraphicClassOfExtension(const String& AExtension);
    // "Description (*.ext)|*.ext|..." for every registered format.
    static String GraphicFilter();

private:
    std::unique_ptr<TGraphic> FGraphic;
    void changed();
    void takeGraphic(std::unique_ptr<TGraphic> Value);
};
