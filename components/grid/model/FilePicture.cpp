#include "components/grid/model/FilePicture.h"

#include "framework/rtl/Files.h"
#include "framework/ui/Picture.h"

void TFilePicture::SetFilename(const String& Value) {
    FFilename = Value;
    if (!FileExists(Value)) return;
    try {
        TPicture Picture;
        Picture.LoadFromFile(Value);
        FWidth = Picture.Width();
        FHeight = Picture.Height();
    } catch (const Exception&) {
        // A broken file keeps the sizes of the last good one.
    }
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& r) {
    if (FFilename.isEmpty() || !FileExists(FFilename)) return;
    try {
        TPicture Picture;
        Picture.LoadFromFile(FFilename);
        if (Picture.Graphic()) Canvas->StretchDraw(r, Picture.Graphic());
    } catch (const Exception&) {
        // Drawing a cell never fails over its picture file.
    }
}

void TFilePicture::Assign(TPersistent* Source) {
    if (auto* Other = dynamic_cast<TFilePicture*>(Source)) {
        FFilename = Other->FFilename;
        FWidth = Other->FWidth;
        FHeight = Other->FHeight;
        return;
    }
    TPersistent::Assign(Source);
}
