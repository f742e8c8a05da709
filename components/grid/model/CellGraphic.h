// The one graphic a grid cell may carry besides its text (check box, picture, node, button...).
// One small record serves every kind: a kind tag and general fields whose meaning depends on the
// kind. The grid frees a TCellGraphic with its cell's properties; any other object given as a cell
// graphic belongs to the caller.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/rtl/Variant.h"
#include "framework/ui/StdCtrlsTypes.h"

class TBitmap;
class TCanvas;
class TFilePicture;
class TGraphic;
class TIcon;
class TIntList;
class TPicture;
class TStringList;
class TStrings;

// The kind of graphic; ordinals are stored (one byte).
enum TCellType {
    ctBitmap,
    ctIcon,
    ctNone,  // no graphic: a comment holder, and the state of a new graphic
    ctImageList,
    ctCheckBox,
    ctDataCheckBox,
    ctRotated,
    ctDataImage,
    ctNode,
    ctRadio,
    ctEmpty,  // an error marker only
    ctImages,
    ctPicture,
    ctFilePicture,
    ctValue,
    ctProgress,
    ctComment,
    ctButton,
    ctBitButton,
    ctVirtCheckBox,
    ctRowCheckBox,
    ctProgressPie,
    ctSummary,
    ctRangeIndicator,
    ctXPProgress,
    ctInterface,
    ctScrollbar,
    ctRadioButton,
    ctBalloon,
    ctShape,
    ctRating,
    ctTriStateCheckBox,
    ctExpand,
    ctDataPicture
};
static_assert(ctDataPicture == 33);

enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
// How a picture fills its box; stored in a picture graphic's angle field.
enum TStretchMode { noStretch, Stretch, Shrink, ShrinkWithAspectRatio, StretchWithAspectRatio };
// The group a single radio button unchecks when it is checked.
enum TRadioButtonGroup { rgNone, rgCol, rgRow };
enum TBalloonIcon { biNone, biInfo, biWarning, biError };

// A caller's object that paints and measures itself inside a cell ({0712BE3F-5C9A-4771-
// BF71-4C987CDC39B3}). Width and height 0 mean "the whole cell".
class IGridCellObject : public IInterface {
public:
    virtual void Paint(TCanvas* Canvas, const TRect& R, TObject* Grid, bool Selected, int ACol, int ARow) = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    // The painter asks whether the cell background is painted under the object.
    virtual bool NeedsBackground() = 0;
};

class TBaseCellGraphic : public TPersistent {
public:
    TBaseCellGraphic() = default;
    // Frees what the kind owns (see the ownership rules beside the fields).
    ~TBaseCellGraphic() override;
    // Frees what the kind owns and clears the object fields: the graphic can become another kind.
    void FreeOwned();
    // Copies the plain fields of another graphic, never its objects, variant or tri-state;
    // any other source is ignored.
    void Assign(TPersistent* Source) override;

    // ---- Published fields, read and written directly.
    TCellType CellType() const { return FCellType; }
    void SetCellType(TCellType Value) { FCellType = Value; }
    TCellVAlign CellVAlign() const { return FCellVAlign; }
    void SetCellVAlign(TCellVAlign Value) { FCellVAlign = Value; }
    TCellHAlign CellHAlign() const { return FCellHAlign; }
    void SetCellHAlign(TCellHAlign Value) { FCellHAlign = Value; }
    // Index, count, packed size or colour, by kind.
    int CellIndex() const { return FCellIndex; }
    void SetCellIndex(int Value) { FCellIndex = Value; }
    // Transparent drawing, or the flat look of check boxes and radio buttons.
    bool CellTransparent() const { return FCellTransparent; }
    void SetCellTransparent(bool Value) { FCellTransparent = Value; }
    // The graphic made, and owns, its main object.
    bool CellCreated() const { return FCellCreated; }
    void SetCellCreated(bool Value) { FCellCreated = Value; }
    bool CellBoolean() const { return FCellBoolean; }
    void SetCellBoolean(bool Value) { FCellBoolean = Value; }
    TCheckBoxState CellCheckBoxState() const { return FCellCheckBoxState; }
    void SetCellCheckBoxState(TCheckBoxState Value) { FCellCheckBoxState = Value; }
    // Angle, count, stretch mode, radio group, colour or balloon flag, by kind.
    int CellAngle() const { return FCellAngle; }
    void SetCellAngle(int Value) { FCellAngle = Value; }
    // A button's or expand glyph's drawn position, x + y * 65536.
    double CellValue() const { return FCellValue; }
    void SetCellValue(double Value) { FCellValue = Value; }
    // Error-marker start and length, or a kind's minimum/range/count and maximum.
    int CellErrFrom() const { return FCellErrFrom; }
    void SetCellErrFrom(int Value) { FCellErrFrom = Value; }
    int CellErrLen() const { return FCellErrLen; }
    void SetCellErrLen(int Value) { FCellErrLen = Value; }
    const String& CellText() const { return FCellText; }
    void SetCellText(const String& Value) { FCellText = Value; }

    // ---- Public: the object fields and the variant.
    // The kind's main object: bitmap, picture, file picture, caption list, image list, balloon
    // strings or the caller's object. Kinds that keep colours there use CellBitmapColor.
    TObject* CellBitmap() const { return FCellBitmap; }
    void SetCellBitmap(TObject* Value) { FCellBitmap = Value; }
    TIcon* CellIcon() const { return FCellIcon; }
    void SetCellIcon(TIcon* Value) { FCellIcon = Value; }
    // The same two fields holding plain colours (progress bars, shapes, ratings, indicators).
    TColor CellBitmapColor() const { return FCellBitmapColor; }
    void SetCellBitmapColor(TColor Value) { FCellBitmapColor = Value; }
    TColor CellIconColor() const { return FCellIconColor; }
    void SetCellIconColor(TColor Value) { FCellIconColor = Value; }
    const Variant& CellVar() const { return FCellVar; }
    void SetCellVar(const Variant& Value) { FCellVar = Value; }
    // Balloon strings attached to an icon, check box or radio button. Held apart from the angle
    // field, where a radio button keeps its group.
    bool CellBalloon() const { return FCellBalloon; }
    void SetCellBalloon(bool Value) { FCellBalloon = Value; }

    // Typed views of CellBitmap; nullptr when it holds another class.
    TBitmap* Bitmap() const;
    TPicture* Picture() const;
    TFilePicture* FilePicture() const;
    TStrings* Strings() const;
    TIntList* IntList() const;

    // ---- Setters: each sets the kind and the fields named; the others stay.
    void SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    void SetIcon(TIcon* aicon, TCellHAlign hal, TCellVAlign val);
    void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int padding, TCellHAlign hal,
                    TCellVAlign val);
    void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                        TCellHAlign hal, TCellVAlign val);
    void SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val);
    void SetDataImage(int idx, TCellHAlign hal, TCellVAlign val);
    void SetDataPicture(TCellHAlign hal, TCellVAlign val);
    // A new image-index list, owned, bound to (Col, Row), reporting to Notifier.
    void SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val,
                       const std::function<void(TObject*, int, int)>& Notifier);
    void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val, TRadioButtonGroup Group);
    // Brought into 0..360 by whole turns (360 stays 360).
    void SetAngle(short AAngle);
    // Packs (bh shl 16) or (bw and $FFFF) into the index.
    void SetButton(int bw, int bh, const String& caption, TCellHAlign hal, TCellVAlign val);
    void SetBitButton(int bw, int bh, const String& caption, TBitmap* Glyph, TCellHAlign hal, TCellVAlign val);
    void SetInterfacedCell(TInterfacedPersistent* AObject);

    // The drawn size of a picture graphic in a cw x rh box, by its stretch mode and padding;
    // Graph is a data picture's picture. 0 x 0 for other kinds; never negative.
    TPoint GetPictureSize(int cw, int rh, TGraphic* Graph, bool hastext) const;

protected:
    TCellType FCellType = ctNone;
    TObject* FCellBitmap = nullptr;
    TIcon* FCellIcon = nullptr;
    TColor FCellBitmapColor = 0;
    TColor FCellIconColor = 0;
    TCellVAlign FCellVAlign = vaTop;
    TCellHAlign FCellHAlign = haLeft;
    int FCellIndex = 0;
    bool FCellTransparent = false;
    bool FCellCreated = false;
    bool FCellBoolean = false;
    int FCellAngle = 0;
    double FCellValue = 0;
    int FCellErrFrom = 0;
    int FCellErrLen = 0;
    String FCellText;
    Variant FCellVar;
    TCheckBoxState FCellCheckBoxState = cbUnchecked;
    bool FCellBalloon = false;

private:
    void setAlignments(TCellHAlign hal, TCellVAlign val) {
        FCellHAlign = hal;
        FCellVAlign = val;
    }
};

class TCellGraphic : public TBaseCellGraphic {
public:
    // The base fields, then the comment and its colour from another TCellGraphic.
    void Assign(TPersistent* Source) override;

    // The cell's comment; empty: none. A comment can sit on a graphic of any kind.
    const String& CellComment() const { return FCellComment; }
    void SetCellComment(const String& Value) { FCellComment = Value; }
    TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(TColor Value) { FCommentColor = Value; }

private:
    String FCellComment;
    TColor FCommentColor = 0;
};
