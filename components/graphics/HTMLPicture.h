// Pictures of the mini-HTML renderer: THTMLPicture keeps an image file's bytes, decodes them
// through the GDI+ layer and steps through the frames of an animated GIF; THTMLPictureCache is
// the per-control list of pictures the renderer loaded from "RES://" and "FILE://" addresses.
#pragma once

#include "framework/rtl/List.h"
#include "framework/rtl/Threads.h"
#include "framework/ui/Picture.h"

#include <cstdint>
#include <functional>
#include <memory>

using TDownloadProgressEvent = std::function<void(TObject* Sender, Cardinal dwSize, Cardinal dwTotSize)>;
using TDownloadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TDownloadCompleteEvent = TNotifyEvent;
using TDownloadErrorEvent = std::function<void(TObject* Sender, const String& err)>;

class THTMLPicture : public TGraphic {
public:
    THTMLPicture();
    ~THTMLPicture() override;

    bool Stretch() const { return FStretched; }
    void SetStretch(bool Value) { FStretched = Value; }
    // 1-based; a new frame reloads the picture and fires OnFrameChange.
    int Frame() const { return FFrame; }
    void SetFrame(int Value);
    // The address the picture was loaded from: the cache's lookup key.
    const String& ID() const { return FID; }
    void SetID(const String& Value) { FID = Value; }
    bool IsDB() const { return FIsDB; }
    void SetIsDB(bool Value) { FIsDB = Value; }
    bool Asynch() const { return FAsynch; }  // default true
    void SetAsynch(bool Value) { FAsynch = Value; }
    bool Busy() const { return FThreadBusy; }
    const String& URL() const { return FURL; }
    bool IsGIF() const;
    // Frames of a GIF (cached after the first count), -1 for other pictures.
    int FrameCount();
    int MaxWidth() const { return FWidth; }
    int MaxHeight() const { return FHeight; }
    // Placement of the selected frame on the GIF's logical screen.
    Word FrameXPos() const { return FFrameXPos; }
    Word FrameYPos() const { return FFrameYPos; }
    Word FrameXSize() const { return FFrameXSize; }
    Word FrameYSize() const { return FFrameYSize; }
    bool FrameTransp() const { return FFrameTransp; }
    Word FrameDisposal() const { return FFrameDisposal; }
    Word AnimMaxX() const { return FAnimMaxX; }
    Word AnimMaxY() const { return FAnimMaxY; }

    TNotifyEvent OnFrameChange;
    // Kept for form compatibility; nothing raises them.
    TDownloadProgressEvent OnDownLoadProgress;
    TDownloadCancelEvent OnDownLoadCancel;
    TDownloadCompleteEvent OnDownLoadComplete;
    TDownloadErrorEvent OnDownLoadError;

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    // The size comes from the image: setting it does nothing.
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    bool Empty() const override { return FIsEmpty; }

    void Assign(TPersistent* Source) override;
    // Draws the selected frame into Rect: bitmaps with their bottom-left colour transparent. An
    // animated GIF that is not stretched is drawn in its own size as the frame appears on the
    // GIF's screen, with Rect's top-left at the frame's offset (FrameXPos, FrameYPos).
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    // Loads the stream's bytes from its position; undecodable bytes give width and height 0.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    // Any failure leaves the picture empty; nothing is raised.
    void LoadFromFile(const String& FileName) override;
    // Only when an RCDATA resource of that name exists.
    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    // Raises EResNotFound when there is no such RCDATA resource.
    void LoadFromResourceID(HINSTANCE Instance, int ResID);
    // "RES://name" and "FILE://path" (prefix in any case) load; other addresses are never fetched.
    void LoadFromURL(const String& url);

    void FrameNext();
    void FramePrev();
    // One 100 ms animation tick; true when the frame changed.
    bool Step();
    // Delay of frame i in hundredths of a second; -1 when not a GIF or no such frame.
    int GetFrameTime(int i);

    void ReadData(TStream* Stream) override;
    void WriteData(TStream* Stream) override;

private:
    std::unique_ptr<TMemoryStream> FDatastream;
    bool FIsEmpty = true;
    bool FStretched = false;
    String FURL;
    String FID;
    int FHeight = 0;
    int FWidth = 0;
    bool FIsDB = false;
    bool FAsynch = true;
    bool FThreadBusy = false;
    int FFrame = 1;
    int FFrameCount = -1;
    Word FFrameXPos = 0;
    Word FFrameYPos = 0;
    Word FFrameXSize = 0;
    Word FFrameYSize = 0;
    bool FFrameTransp = false;
    Word FFrameDisposal = 0;
    Word FAnimMaxX = 0;
    Word FAnimMaxY = 0;
    int FNextCount = -1;
    int FTimerCount = -1;

    void LoadPicture();
    void storeBytes(TStream* Stream);
    void fireChange();
};

// Would fetch a picture's address; nothing in this system downloads, so it is never started.
class TDownLoadThread : public TThread {
public:
    explicit TDownLoadThread(THTMLPicture* aHTMLPicture);
    THTMLPicture* HTMLPicture;

protected:
    void Execute() override {}
};

// Owns its pictures.
class THTMLPictureCache : public TListOf<THTMLPicture*> {
public:
    THTMLPictureCache() = default;
    ~THTMLPictureCache() override;

    THTMLPicture* Picture(int Index) const { return Items(Index); }
    void SetPicture(int Index, THTMLPicture* Value) { SetItems(Index, Value); }

    THTMLPicture* AddPicture();
    // Compares the ID exactly, letter case included; nullptr when none.
    THTMLPicture* FindPicture(const String& ID) const;
    void ClearPictures();
    // Steps every picture; true when one changed frame.
    bool Animate();
};
