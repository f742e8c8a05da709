// The shown (not clicked) cell graphics of TVidIvezadOrir: bitmaps, icons, pictures and file
// pictures, image-list images, container pictures, progress bars and pies, range indicators,
// shapes, ratings, in-cell scroll bars, rotated text, expand glyphs, balloons, comments, error
// markers and caller objects that paint themselves. Add... replaces the cell's graphic and the
// caller keeps what it passes; Create... makes an object the cell owns and returns it.
// TVidIvezadOrir inherits this class.
#pragma once

#include "components/grid/model/CellGraphic.h"

class TVidIvezadOrir;

struct TScrollProp {
    int PageSize = -1;
    int Range = -1;
};

using TRatingChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, double& NewRate, bool& Allow)>;

class TVidIvezadOrirPictures {
public:
    virtual ~TVidIvezadOrirPictures() = default;

    TRatingChangeEvent OnRatingChange;

    // ---- Bitmaps, icons and pictures.
    void AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* GetBitmap(int ACol, int ARow);
    bool HasBitmap(int ACol, int ARow) { return GetBitmap(ACol, ARow) != nullptr; }
    void RemoveBitmap(int ACol, int ARow);
    void AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                    TCellHAlign hal, TCellVAlign val);
    TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int padding,
                            TCellHAlign hal, TCellVAlign val);
    TPicture* GetPicture(int ACol, int ARow);
    bool HasPicture(int ACol, int ARow) { return GetPicture(ACol, ARow) != nullptr; }
    void RemovePicture(int ACol, int ARow);
    void AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent, TStretchMode StretchMode,
                        int padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int padding,
                                    TCellHAlign hal, TCellVAlign val);
    TFilePicture* GetFilePicture(int ACol, int ARow);
    bool HasFilePicture(int ACol, int ARow) { return GetFilePicture(ACol, ARow) != nullptr; }
    void RemoveFilePicture(int ACol, int ARow);
    void AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
    TIcon* CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
    void RemoveIcon(int ACol, int ARow);

    // ---- Images of the grid's image list and pictures of its container; nothing without them.
    void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    bool GetImageIdx(int ACol, int ARow, int& idx);
    void SetImageIdx(int ACol, int ARow, int Idx);
    void RemoveImageIdx(int ACol, int ARow);
    // An empty cell gets the index as its integer value.
    void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    // Clears the cell text whatever the cell holds.
    void RemoveDataImage(int ACol, int ARow);
    bool HasDataImage(int ACol, int ARow);
    // An empty cell gets the name as its text.
    void AddDataPicture(int ACol, int ARow, const String& AName, TCellHAlign hal, TCellVAlign val);
    void RemoveDataPicture(int ACol, int ARow);
    bool HasDataPicture(int ACol, int ARow);
    // Dir 0: side by side; every change of the list repaints the cell.
    void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
    void RemoveMultiImage(int ACol, int ARow);

    // ---- Indicators. The value a progress bar shows is the cell's float value.
    void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
    void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor, TColor BKTextColor);
    void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                              TColor BKTextColor, const String& Fmt, int Min, int Max);
    void RemoveProgress(int ACol, int ARow);
    void AddAdvProgress(int ACol, int ARow, int Min, int Max);
    void RemoveAdvProgress(int ACol, int ARow);
    void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
    void SetProgressPie(int ACol, int ARow, int Value);
    void RemoveProgressPie(int ACol, int ARow);
    void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
    void RemoveRangeIndicator(int ACol, int ARow);
    // Shape: a TCellShape.
    void AddShape(int ACol, int ARow, int Shape, TColor FillColor, TColor LineColor, TCellHAlign hal, TCellVAlign val);
    void SetShapeColor(int ACol, int ARow, TColor FillColor);
    // clNone for other cells.
    TColor GetShapeColor(int ACol, int ARow);
    void RemoveShape(int ACol, int ARow);
    void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
    void RemoveRating(int ACol, int ARow);
    // Asked before a new rating is stored: OnRatingChange may change or refuse it.
    virtual bool RatingChange(int ACol, int ARow, double& NewRate);
    // Page size 0, range 100, position 0; an auto range fits the cell at once.
    void AddScrollBar(int ACol, int ARow, bool AutoRange);
    void SetScrollPosition(int ACol, int ARow, int Pos);
    int GetScrollPosition(int ACol, int ARow);
    void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
    TScrollProp GetScrollProp(int ACol, int ARow);
    bool HasAutoRangeScrollBar(int ACol, int ARow);
    void RemoveScrollBar(int ACol, int ARow);

    // ---- Rotated text.
    void AddRotated(int ACol, int ARow, short AAngle, const String& s);
    // Turns the cell's graphic (or a new one) into rotated text, freeing what it owned; a node
    // is left alone.
    void SetRotated(int ACol, int ARow, short AAngle);
    bool IsRotated(int ACol, int ARow, int& aAngle);
    void RemoveRotated(int ACol, int ARow);

    // ---- Expand glyphs switching the row between two heights.
    void AddExpand(int ACol, int ARow, int ExpandedHeight);
    bool ToggleExpand(int ACol, int ARow);
    bool GetExpandState(int ACol, int ARow);
    int GetExpandHeight(int ACol, int ARow, bool Expanded);
    // The 11 x 11 glyph at the cell's top right corner; (0, 0, 0, 0) without one.
    TRect GetExpandRect(int ACol, int ARow);
    void RemoveExpand(int ACol, int ARow);

    // ---- Balloons: attached to an icon, check box or radio button, else a graphic of their own;
    // a cell of another kind gets none. A new balloon replaces the texts of an earlier one.
    void AddBalloon(int ACol, int ARow, const String& Title, const String& Text, TBalloonIcon Icon);
    void RemoveBalloon(int ACol, int ARow);
    bool IsBalloon(int ACol, int ARow, String& Title, String& Text, TBalloonIcon& Icon);

    // ---- Comments, on a graphic of any kind.
    void AddColorComment(int ACol, int ARow, const String& Comment, TColor Color);
    void AddComment(int ACol, int ARow, const String& Comment);
    void SetComment(int ACol, int ARow, const String& Value);
    bool IsComment(int ACol, int ARow, String& Comment);
    String GetComment(int ACol, int ARow);
    void RemoveComment(int ACol, int ARow);
    void RemoveAllComments();

    // ---- Error markers. Kinds that keep ranges or counts in the marker's fields (progress
    // bars, scroll bars, nodes) hold no marker.
    void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
    void GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen);
    void RemoveMarker(int ACol, int ARow);
    void RemoveAllMarkers();

    // ---- Caller objects that paint themselves; the object stays the caller's.
    void AddInterfacedCell(int ACol, int ARow, TInterfacedPersistent* AObject);
    TInterfacedPersistent* GetInterfacedCell(int ACol, int ARow);
    void RemoveInterfacedCell(int ACol, int ARow);

private:
    TVidIvezadOrir& grid();
    TCellGraphic* ownGraphic(int ACol, int ARow);
    TCellGraphic* baseGraphic(int ACol, int ARow);
    TCellGraphic* addOfKind(int ACol, int ARow, TCellType Kind, TCellHAlign hal, TCellVAlign val);
};
