#include "components/grid/model/CellGraphic.h"

#include "components/grid/model/FilePicture.h"
#include "components/grid/model/GridLists.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Picture.h"

#include <algorithm>

TBaseCellGraphic::~TBaseCellGraphic() { FreeOwned(); }

void TBaseCellGraphic::FreeOwned() {
    bool OwnsBitmap = false;
    switch (FCellType) {
        case ctImages:
        case ctBalloon:
            OwnsBitmap = true;
            break;
        case ctBitmap:
        case ctPicture:
        case ctFilePicture:
        case ctRadio:
        case ctBitButton:
            OwnsBitmap = FCellCreated;
            break;
        case ctIcon:
            if (FCellCreated && FCellIcon) {
                FCellIcon->Free();
                FCellIcon = nullptr;
            }
            OwnsBitmap = FCellBalloon;
            break;
        case ctCheckBox:
        case ctDataCheckBox:
        case ctRadioButton:
            OwnsBitmap = FCellBalloon;
            break;
        default:
            break;
    }
    if (OwnsBitmap && FCellBitmap) {
        FCellBitmap->Free();
        FCellBitmap = nullptr;
    }
    FCellCreated = false;
    FCellBalloon = false;
}

void TBaseCellGraphic::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TBaseCellGraphic*>(Source);
    if (!S) return;
    FCellType = S->FCellType;
    FCellVAlign = S->FCellVAlign;
    FCellHAlign = S->FCellHAlign;
    FCellIndex = S->FCellIndex;
    FCellTransparent = S->FCellTransparent;
    FCellValue = S->FCellValue;
    FCellAngle = S->FCellAngle;
    FCellBoolean = S->FCellBoolean;
    FCellErrFrom = S->FCellErrFrom;
    FCellErrLen = S->FCellErrLen;
    FCellText = S->FCellText;
    FCellCreated = S->FCellCreated;
}

void TCellGraphic::Assign(TPersistent* Source) {
    TBaseCellGraphic::Assign(Source);
    if (auto* S = dynamic_cast<TCellGraphic*>(Source)) {
        FCommentColor = S->FCommentColor;
        FCellComment = S->FCellComment;
    }
}

TBitmap* TBaseCellGraphic::Bitmap() const { return dynamic_cast<TBitmap*>(FCellBitmap); }
TPicture* TBaseCellGraphic::Picture() const { return dynamic_cast<TPicture*>(FCellBitmap); }
TFilePicture* TBaseCellGraphic::FilePicture() const { return dynamic_cast<TFilePicture*>(FCellBitmap); }
TStrings* TBaseCellGraphic::Strings() const { return dynamic_cast<TStrings*>(FCellBitmap); }
TIntList* TBaseCellGraphic::IntList() const { return dynamic_cast<TIntList*>(FCellBitmap); }

void TBaseCellGraphic::SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val) {
    FCellType = ctBitmap;
    FCellBitmap = ABmp;
    FCellTransparent = Transparent;
    setAlignments(hal, val);
}

void TBaseCellGraphic::SetIcon(TIcon* aicon, TCellHAlign hal, TCellVAlign val) {
    FCellType = ctIcon;
    FCellIcon = aicon;
    setAlignments(hal, val);
}

void TBaseCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                                  TCellHAlign hal, TCellVAlign val) {
    FCellType = ctPicture;
    FCellBitmap = APicture;
    FCellTransparent = Transparent;
    FCellAngle = StretchMode;
    FCellIndex = padding;
    setAlignments(hal, val);
}

void TBaseCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                                      TCellHAlign hal, TCellVAlign val) {
    SetPicture(nullptr, Transparent, StretchMode, padding, hal, val);
    FCellType = ctFilePicture;
    FCellBitmap = APicture;
}

void TBaseCellGraphic::SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val) {
    FCellType = ctImageList;
    FCellIndex = idx;
    setAlignments(hal, val);
}

void TBaseCellGraphic::SetDataImage(int idx, TCellHAlign hal, TCellVAlign val) {
    FCellType = ctDataImage;
    FCellIndex = idx;
    setAlignments(hal, val);
}

void TBaseCellGraphic::SetDataPicture(TCellHAlign hal, TCellVAlign val) {
    FCellType = ctDataPicture;
    setAlignments(hal, val);
}

void TBaseCellGraphic::SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val,
                                     const std::function<void(TObject*, int, int)>& Notifier) {
    FCellType = ctImages;
    setAlignments(hal, val);
    FCellBoolean = dir == 0;
    auto* List = new TIntList(Col, Row);
    List->OnChange = Notifier;
    FCellBitmap = List;
    FCellCreated = true;
}

void TBaseCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val) {
    FCellType = Data ? ctDataCheckBox : ctCheckBox;
    FCellAngle = 0;
    FCellBoolean = Value;
    setAlignments(hal, val);
    FCellTransparent = Flat;
}

void TBaseCellGraphic::SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val) {
    FCellType = ctTriStateCheckBox;
    FCellCheckBoxState = Value;
    FCellBoolean = false;
    setAlignments(hal, val);
    FCellTransparent = Flat;
}

void TBaseCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val,
                                      TRadioButtonGroup Group) {
    FCellType = ctRadioButton;
    FCellAngle = Group;
    FCellBoolean = Value;
    setAlignments(hal, val);
    FCellTransparent = Flat;
}

void TBaseCellGraphic::SetAngle(short AAngle) {
    FCellType = ctRotated;
    int A = AAngle;
    while (A < 0) A += 360;
    while (A > 360) A -= 360;
    FCellAngle = A;
}

void TBaseCellGraphic::SetButton(int bw, int bh, const String& caption, TCellHAlign hal, TCellVAlign val) {
    FCellType = ctButton;
    setAlignments(hal, val);
    FCellIndex = static_cast<int>((static_cast<unsigned>(bh) << 16) | (static_cast<unsigned>(bw) & 0xFFFFu));
    FCellBoolean = false;
    FCellText = caption;
}

void TBaseCellGraphic::SetBitButton(int bw, int bh, const String& caption, TBitmap* Glyph, TCellHAlign hal,
                                    TCellVAlign val) {
    SetButton(bw, bh, caption, hal, val);
    FCellType = ctBitButton;
    FCellBitmap = Glyph;
}

void TBaseCellGraphic::SetInterfacedCell(TInterfacedPersistent* AObject) {
    FCellType = ctInterface;
    FCellBitmap = AObject;
}

TPoint TBaseCellGraphic::GetPictureSize(int cw, int rh, TGraphic* Graph, bool) const {
    int W = 0, H = 0;
    int Mode = noStretch;
    int Padding = 0;
    switch (FCellType) {
        case ctPicture:
            if (const TPicture* P = Picture()) {
                W = P->Width();
                H = P->Height();
            }
            Mode = FCellAngle;
            Padding = FCellIndex;
            break;
        case ctFilePicture:
            if (const TFilePicture* P = FilePicture()) {
                W = P->Width();
                H = P->Height();
            }
            Mode = FCellAngle;
            Padding = FCellIndex;
            break;
        case ctDataPicture:
            if (Graph) {
                W = Graph->Width();
                H = Graph->Height();
            }
            break;
        default:
            return Point(0, 0);
    }
    const int bw = std::max(0, cw - Padding);
    const int bh = std::max(0, rh - Padding);
    const auto byAspect = [&](bool Cap) {
        double rx = W <= 0 ? 1.0 : double(bw) / W;
        double ry = H <= 0 ? 1.0 : double(bh) / H;
        if (Cap) {
            rx = std::min(rx, 1.0);
            ry = std::min(ry, 1.0);
        }
        if (rx < ry) return Point(bw, static_cast<int>(Round(H * rx)));
        return Point(static_cast<int>(Round(W * ry)), bh);
    };
    const bool TooBig = W > bw || H > bh;
    TPoint Result;
    switch (Mode) {
        case Stretch:
            Result = Point(bw, bh);
            break;
        case Shrink:
            Result = TooBig ? Point(bw, bh) : Point(W, H);
            break;
        case StretchWithAspectRatio:
            Result = byAspect(false);
            break;
        case ShrinkWithAspectRatio:
            Result = TooBig ? byAspect(true) : Point(W, H);
            break;
        default:
            Result = Point(W, H);
            break;
    }
    return Point(std::max(0, Result.X), std::max(0, Result.Y));
}
