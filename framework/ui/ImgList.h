// Image lists: a row of equal-sized images drawn by index, enabled or in the grey embossed look
// of a disabled command, and the change links through which the controls using a list learn of
// its changes.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/ui/Graphics.h"

#include <memory>
#include <vector>

class TCustomImageList;
struct TImageListImages;  // framework-internal: the stored images

// Tells a user of an image list that the list changed. The link unregisters itself when freed;
// the list clears Sender when it goes first.
class TChangeLink : public TObject {
public:
    TChangeLink() = default;
    ~TChangeLink() override;

    TCustomImageList* Sender() const { return FSender; }
    void SetSender(TCustomImageList* Value) { FSender = Value; }

    TNotifyEvent OnChange;

    virtual void Change();

private:
    TCustomImageList* FSender = nullptr;
};

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    TCustomImageList(TComponent* AOwner, int AWidth, int AHeight);
    ~TCustomImageList() override;
    void BeforeDestruction() override;

    // Changing the size empties the list, as every image must have it.
    int Width() const { return FWidth; }  // default 16
    void SetWidth(int Value);
    int Height() const { return FHeight; }  // default 16
    void SetHeight(int Value);
    int Count() const;
    // The colour behind the images where they are transparent; clNone draws them transparently.
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value);
    // dsSelected and dsFocus blend the image with the highlight colour (50% and 25%).
    TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TDrawingStyle Value);
    // Off: images are drawn opaque, their transparent parts in their stored colours.
    bool Masked() const { return FMasked; }  // default true
    void SetMasked(bool Value);

    TNotifyEvent OnChange;

    // Adds Image (split into Width-wide images when it is wider) with Mask, a bitmap whose dark
    // pixels mark the opaque parts (nullptr: all opaque); returns the index of the first image
    // added. Raises EInvalidOperation for a missing or empty image.
    int Add(TBitmap* Image, TBitmap* Mask);
    // Adds Image with MaskColor as its transparent colour (clDefault: the bottom-left pixel).
    int AddMasked(TBitmap* Image, TColor MaskColor);
    void Replace(int Index, TBitmap* Image, TBitmap* Mask);
    void Delete(int Index);
    void Clear();
    void Move(int CurIndex, int NewIndex);
    // Sizes Image to the list's size and draws the image at Index on it (over BkColor, or
    // transparent pixels in a 32-bit bitmap when BkColor is clNone).
    void GetBitmap(int Index, TBitmap* Image) const;
    // A disabled image is drawn grey over a light copy offset by one pixel, in no colour of its own.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true) const;
    void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle, bool Enabled = true) const;

    void BeginUpdate();
    void EndUpdate();
    void RegisterChanges(TChangeLink* Value);
    void UnRegisterChanges(TChangeLink* Value);

protected:
    // Fires OnChange and tells every change link (once per outermost update).
    virtual void Change();

private:
    friend struct TImageListImages;
    int FWidth = 16;
    int FHeight = 16;
    TColor FBkColor = clNone;
    TDrawingStyle FDrawingStyle = dsNormal;
    bool FMasked = true;
    int FUpdateCount = 0;
    bool FChanged = false;
    std::unique_ptr<TImageListImages> FImages;
    std::vector<TChangeLink*> FLinks;

    void checkIndex(int Index) const;
    void resize(int AWidth, int AHeight);
    void detachLinks();
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};
