// The menu styler and its appearance objects: every colour, font, glyph and size an owner-drawn
// menu paints with. The styler owns one object per region (background, icon column, selected
// item, menu-bar items, glyphs, side bar, separators, button colours) and the menu fonts, and
// hands the menu it serves to them. A change that alters item sizes asks the menu to rebuild its
// items (measured again); other changes show at the next paint. Object-valued properties are set
// by assigning into the owned object, never by replacing it. clNone means no colour.
#pragma once

#include "components/controls/AdvMenuDraw.h"
#include "components/graphics/AdvGDIP.h"
#include "framework/ui/Menus.h"
#include "framework/ui/Picture.h"
#include "framework/ui/StdCtrls.h"

#include <cstdint>
#include <memory>
#include <vector>

class TCustomAdvMenuStyler;

namespace advmenu {
enum TDirection { dDownToUp, dUpToDown };
enum TSideBarPosition { spLeft, spRight };
enum TSideBarVisibleIn { viFirstVisible, viFirstLevel, viAnyLevel };
enum TBackgroundPosition {
    bpTopLeft,
    bpTopRight,
    bpBottomLeft,
    bpBottomRight,
    bpTiled,
    bpStretched,
    bpCenter,
    bpTopCenter,
    bpBottomCenter,
    bpXY
};
enum TGlyphPosition { gpLeft, gpRight, gpTop, gpBottom };
// Where the images of an item's action come from: its action list, or the large images.
enum TActionImage { aiNormal, aiLarge };
}  // namespace advmenu

// What the menu engine and the appearance objects reach a styled menu through.
class IAdvMenu : public IInterface {
public:
    // Rebuilds the native items, so every item is measured again.
    virtual void UpdateItems() = 0;
    virtual TMenu* MenuObject() = 0;
    virtual TCustomAdvMenuStyler* MenuStyler() const = 0;
    virtual TCustomAdvMenuStyler* CurrentMenuStyler() const = 0;
    virtual void SetMenuStyler(TCustomAdvMenuStyler* Value) = 0;
    virtual Byte Opacity() const = 0;
    virtual void SetOpacity(Byte Value) = 0;
    virtual bool ShowNotes() const = 0;
    virtual void SetShowNotes(bool Value) = 0;
    virtual bool IntlKeybShortCuts() const = 0;
    virtual void SetIntlKeybShortCuts(bool Value) = 0;
    virtual void SetActionImages(advmenu::TActionImage Value) = 0;
    virtual advmenu::TActionImage ActionImages() const = 0;

protected:
    ~IAdvMenu() = default;
};

// The menu's IAdvMenu, nullptr for a menu of another kind.
IAdvMenu* GetAdvMenuIntf(TMenu* Menu);
// With Rebuild the menu rebuilds its items; otherwise nothing happens now and the next paint
// shows the new values.
void AdvMenuChanged(IAdvMenu* Intf, bool Rebuild);
// The screen's menu font: "Segoe UI" 9 points from the Vista generation on, else "Tahoma" 8.
void AssignScreenMenuFont(TFont* Font);

// ---------------------------------------------------------------------------------------------

// Base of the gradient regions. Color and ColorTo notify nobody.
class TGradientBar : public TPersistent {
public:
    explicit TGradientBar(TMenu* AMenu);

    TColor Color() const { return FColor; }  // default $D8BDAF
    void SetColor(TColor Value) { SetColor(0, Value); }
    TColor ColorTo() const { return FColorTo; }  // default clNone
    void SetColorTo(TColor Value) { SetColor(1, Value); }
    // Index 0 Color, 1 ColorTo; raises EInvalidPropertyIndex for any other.
    TColor GetColor(int Index) const;
    void SetColor(int Index, TColor Value);
    advmenu::TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(advmenu::TGradientDirection Value) { FGradientDirection = Value; }

    // The menu served; set by the styler.
    TMenu* Menu() const { return FMenu.get(); }

    void Assign(TPersistent* Source) override;

protected:
    void changedMenu(bool Rebuild);

private:
    friend class TCustomAdvMenuStyler;
    advmenu::TGradientDirection FGradientDirection = advmenu::gdVertical;
    TWeak<TMenu> FMenu;
    TColor FColor = 0xD8BDAF;
    TColor FColorTo = clNone;
};

// The icon column at the left of every item.
class TIconBar : public TGradientBar {
public:
    explicit TIconBar(TMenu* AMenu);

    // Indexed pairs: 0 the colour, 1 its gradient end; notify the menu without a rebuild.
    TColor GetCheckColor(int Index) const;
    void SetCheckColor(int Index, TColor Value);
    TColor GetRadioColor(int Index) const;
    void SetRadioColor(int Index, TColor Value);
    TColor CheckColor() const { return FCheckColor; }  // default $6FC0FF
    void SetCheckColor(TColor Value) { SetCheckColor(0, Value); }
    TColor CheckColorTo() const { return FCheckColorTo; }  // default clNone
    void SetCheckColorTo(TColor Value) { SetCheckColor(1, Value); }
    TColor CheckBorder() const { return FCheckBorder; }  // default $6F4B4B
    void SetCheckBorder(TColor Value) { FCheckBorder = Value; }
    advmenu::TGradientDirection CheckGradientDirection() const { return FCheckGradientDirection; }
    void SetCheckGradientDirection(advmenu::TGradientDirection Value) { FCheckGradientDirection = Value; }
    TColor RadioColor() const { return FRadioColor; }  // default $6FC0FF
    void SetRadioColor(TColor Value) { SetRadioColor(0, Value); }
    TColor RadioColorTo() const { return FRadioColorTo; }  // default clNone
    void SetRadioColorTo(TColor Value) { SetRadioColor(1, Value); }
    TColor RadioBorder() const { return FRadioBorder; }  // default $6F4B4B
    void SetRadioBorder(TColor Value) { FRadioBorder = Value; }
    advmenu::TGradientDirection RadioGradientDirection() const { return FRadioGradientDirection; }
    void SetRadioGradientDirection(advmenu::TGradientDirection Value) { FRadioGradientDirection = Value; }
    // A vertical line at the column's right edge.
    TColor SeparatorColor() const { return FSeparatorColor; }  // default clNone
    void SetSeparatorColor(TColor Value) { FSeparatorColor = Value; }
    // Width of the column, at least 16; a change rebuilds the menu.
    int Size() const { return FSize; }  // default 24
    void SetSize(int Value);
    bool Drawn() const { return FDrawn; }
    void SetDrawn(bool Value) { FDrawn = Value; }

    // Copies the check and radio settings, Size and SeparatorColor, not the column's gradient.
    void Assign(TPersistent* Source) override;

private:
    TColor FRadioBorder = 0x6F4B4B;
    TColor FCheckBorder = 0x6F4B4B;
    TColor FRadioColor = 0x6FC0FF;
    TColor FRadioColorTo = clNone;
    TColor FCheckColor = 0x6FC0FF;
    TColor FCheckColorTo = clNone;
    advmenu::TGradientDirection FCheckGradientDirection = advmenu::gdVertical;
    advmenu::TGradientDirection FRadioGradientDirection = advmenu::gdVertical;
    bool FDrawn = false;
    int FSize = 24;
    TColor FSeparatorColor = clNone;
};

// The selected (hot) item.
class TSelectedItem : public TGradientBar {
public:
    explicit TSelectedItem(TMenu* AMenu);
    ~TSelectedItem() override;

    TColor GetCheckColor(int Index) const;
    void SetCheckColor(int Index, TColor Value);
    TColor GetRadioColor(int Index) const;
    void SetRadioColor(int Index, TColor Value);
    TColor CheckColor() const { return FCheckColor; }  // default $3E80FE
    void SetCheckColor(TColor Value) { SetCheckColor(0, Value); }
    TColor CheckColorTo() const { return FCheckColorTo; }  // default clNone
    void SetCheckColorTo(TColor Value) { SetCheckColor(1, Value); }
    TColor CheckBorder() const { return FCheckBorder; }  // default $6F4B4B
    void SetCheckBorder(TColor Value) { FCheckBorder = Value; }
    advmenu::TGradientDirection CheckGradientDirection() const { return FCheckGradientDirection; }
    void SetCheckGradientDirection(advmenu::TGradientDirection Value) { FCheckGradientDirection = Value; }
    TColor RadioColor() const { return FRadioColor; }  // default $3E80FE
    void SetRadioColor(TColor Value) { SetRadioColor(0, Value); }
    TColor RadioColorTo() const { return FRadioColorTo; }  // default clNone
    void SetRadioColorTo(TColor Value) { SetRadioColor(1, Value); }
    TColor RadioBorder() const { return FRadioBorder; }  // default $6F4B4B
    void SetRadioBorder(TColor Value) { FRadioBorder = Value; }
    advmenu::TGradientDirection RadioGradientDirection() const { return FRadioGradientDirection; }
    void SetRadioGradientDirection(advmenu::TGradientDirection Value) { FRadioGradientDirection = Value; }
    // The lower half of the selection; clNone: one gradient over the whole item.
    TColor ColorMirror() const { return FColorMirror; }  // default clNone
    void SetColorMirror(TColor Value) { FColorMirror = Value; }
    TColor ColorMirrorTo() const { return FColorMirrorTo; }  // default clNone
    void SetColorMirrorTo(TColor Value) { FColorMirrorTo = Value; }
    TColor BorderColor() const { return FBorderColor; }  // default $6F4B4B
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    // Changes to the fonts, or of UseSystemFont, rebuild the menu.
    TFont* Font() const { return FFont.get(); }  // the screen's menu font in clWindowText
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TFont* NotesFont() const { return FNotesFont.get(); }  // 2 points smaller
    void SetNotesFont(TFont* Value) { FNotesFont->Assign(Value); }
    // The screen's menu font is used instead of Font.
    bool UseSystemFont() const { return FUseSystemFont; }  // default true
    void SetUseSystemFont(bool Value);

    // Copies mirror and border colours, Font, UseSystemFont and the check and radio settings.
    void Assign(TPersistent* Source) override;

private:
    TColor FRadioBorder = 0x6F4B4B;
    TColor FCheckBorder = 0x6F4B4B;
    TColor FRadioColor = 0x3E80FE;
    TColor FRadioColorTo = clNone;
    TColor FCheckColor = 0x3E80FE;
    TColor FCheckColorTo = clNone;
    advmenu::TGradientDirection FCheckGradientDirection = advmenu::gdVertical;
    advmenu::TGradientDirection FRadioGradientDirection = advmenu::gdVertical;
    TColor FBorderColor = 0x6F4B4B;
    std::unique_ptr<TFont> FFont;
    bool FUseSystemFont = true;
    TColor FColorMirror = clNone;
    TColor FColorMirrorTo = clNone;
    std::unique_ptr<TFont> FNotesFont;
};

// The items of a menu bar.
class TRootItem : public TGradientBar {
public:
    explicit TRootItem(TMenu* AMenu);
    ~TRootItem() override;

    TFont* Font() const { return FFont.get(); }  // the screen's menu font; changes rebuild
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    bool UseSystemFont() const { return FUseSystemFont; }  // default true
    void SetUseSystemFont(bool Value);
    // Index 0 SelectedColor, 1 SelectedColorTo, 2 SelectedColorMirror, 3 SelectedColorMirrorTo;
    // a change rebuilds the menu.
    TColor GetSelectedColor(int Index) const;
    void SetSelectedColor(int Index, TColor Value);
    // The same four for the hover look.
    TColor GetHoverColor(int Index) const;
    void SetHoverColor(int Index, TColor Value);
    TColor SelectedColor() const { return FSelectedColor; }  // default $F2E8E8
    void SetSelectedColor(TColor Value) { SetSelectedColor(0, Value); }
    TColor SelectedColorTo() const { return FSelectedColorTo; }  // default $CDB8B9
    void SetSelectedColorTo(TColor Value) { SetSelectedColor(1, Value); }
    TColor SelectedColorMirror() const { return FSelectedColorMirror; }  // default clNone
    void SetSelectedColorMirror(TColor Value) { SetSelectedColor(2, Value); }
    TColor SelectedColorMirrorTo() const { return FSelectedColorMirrorTo; }  // default clNone
    void SetSelectedColorMirrorTo(TColor Value) { SetSelectedColor(3, Value); }
    advmenu::TGradientDirection SelectedGradientDirection() const { return FSelectedGradientDirection; }
    void SetSelectedGradientDirection(advmenu::TGradientDirection Value) { FSelectedGradientDirection = Value; }
    TColor SelectedBorderColor() const { return FSelectedBorderColor; }  // default $947C7C
    void SetSelectedBorderColor(TColor Value) { FSelectedBorderColor = Value; }
    TColor SelectedTextColor() const { return FSelectedTextColor; }  // default clWindowText
    void SetSelectedTextColor(TColor Value) { FSelectedTextColor = Value; }
    TColor HoverColor() const { return FHoverColor; }  // default $CFF6FF
    void SetHoverColor(TColor Value) { SetHoverColor(0, Value); }
    TColor HoverColorTo() const { return FHoverColorTo; }  // default $9DD8FF
    void SetHoverColorTo(TColor Value) { SetHoverColor(1, Value); }
    TColor HoverColorMirror() const { return FHoverColorMirror; }  // default clNone
    void SetHoverColorMirror(TColor Value) { SetHoverColor(2, Value); }
    TColor HoverColorMirrorTo() const { return FHoverColorMirrorTo; }  // default clNone
    void SetHoverColorMirrorTo(TColor Value) { SetHoverColor(3, Value); }
    advmenu::TGradientDirection HoverGradientDirection() const { return FHoverGradientDirection; }
    void SetHoverGradientDirection(advmenu::TGradientDirection Value) { FHoverGradientDirection = Value; }
    TColor HoverBorderColor() const { return FHoverBorderColor; }  // default $6F4B4B
    void SetHoverBorderColor(TColor Value) { FHoverBorderColor = Value; }
    TColor HoverTextColor() const { return FHoverTextColor; }  // default clWindowText
    void SetHoverTextColor(TColor Value) { FHoverTextColor = Value; }

    // With UseSystemFont, Font becomes the screen's menu font again.
    void UpdateFont();
    // Copies Font, UseSystemFont and the selected and hover settings but the hover mirror colours.
    void Assign(TPersistent* Source) override;

private:
    std::unique_ptr<TFont> FFont;
    TColor FSelectedBorderColor = 0x947C7C;
    TColor FSelectedTextColor = clWindowText;
    bool FUseSystemFont = true;
    TColor FHoverTextColor = clWindowText;
    TColor FHoverBorderColor = 0x6F4B4B;
    TColor FSelectedColor = 0xF2E8E8;
    TColor FSelectedColorTo = 0xCDB8B9;
    TColor FSelectedColorMirror = clNone;
    TColor FSelectedColorMirrorTo = clNone;
    TColor FHoverColor = 0xCFF6FF;
    TColor FHoverColorTo = 0x9DD8FF;
    TColor FHoverColorMirror = clNone;
    TColor FHoverColorMirrorTo = clNone;
    advmenu::TGradientDirection FHoverGradientDirection = advmenu::gdVertical;
    advmenu::TGradientDirection FSelectedGradientDirection = advmenu::gdVertical;
};

// The sub-menu arrow, check mark and radio dot: monochrome, white transparent.
class TMenuGlyphs : public TPersistent {
public:
    // Loads the three glyphs from the program's bitmap resources; a missing one stays empty.
    explicit TMenuGlyphs(TMenu* AMenu);
    ~TMenuGlyphs() override;

    TBitmap* SubMenu() const { return FSubMenu.get(); }
    void SetSubMenu(TBitmap* Value) { setGlyph(FSubMenu.get(), Value); }
    TBitmap* Check() const { return FCheck.get(); }
    void SetCheck(TBitmap* Value) { setGlyph(FCheck.get(), Value); }
    TBitmap* Radio() const { return FRadio.get(); }
    void SetRadio(TBitmap* Value) { setGlyph(FRadio.get(), Value); }
    TMenu* Menu() const { return FMenu.get(); }

    // Copies the three bitmaps from other glyphs; any other source is ignored.
    void Assign(TPersistent* Source) override;

private:
    friend class TCustomAdvMenuStyler;
    std::unique_ptr<TBitmap> FSubMenu;
    std::unique_ptr<TBitmap> FCheck;
    std::unique_ptr<TBitmap> FRadio;
    TWeak<TMenu> FMenu;

    void setGlyph(TBitmap* Glyph, TBitmap* Value);
};

// A gradient with an optional picture (see DrawMenuBackground).
class TBackground : public TGradientBar {
public:
    explicit TBackground(TMenu* AMenu);
    ~TBackground() override;

    // Created on first read; a bitmap in it is drawn transparent (automatic colour).
    TPicture* Image();
    // nullptr clears the picture; anything else is assigned into it.
    void SetImage(TPicture* Value);
    advmenu::TBackgroundPosition Position() const { return FPosition; }  // default bpCenter
    void SetPosition(advmenu::TBackgroundPosition Value) { FPosition = Value; }
    int OffsetX() const { return FOffsetX; }
    void SetOffsetX(int Value) { FOffsetX = Value; }
    int OffsetY() const { return FOffsetY; }
    void SetOffsetY(int Value) { FOffsetY = Value; }
    int MarginX() const { return FMarginX; }
    void SetMarginX(int Value) { FMarginX = Value; }
    int MarginY() const { return FMarginY; }
    void SetMarginY(int Value) { FMarginY = Value; }

    // The work bitmap the background is rendered through, created on first use.
    TBitmap* Bitmap();
    // True when Image holds a graphic that is not empty (without creating the picture).
    bool HasPicture() const;
    // Counts the changes of Image, so a rendering of it can tell whether it is still current.
    unsigned PictureVersion() const { return FPictureVersion; }
    // Where the picture goes in ARect by Position and the offsets; (Left, Top) for the tiled,
    // stretched and XY positions or without a picture.
    void CalcPicturePosition(const TRect& ARect, int& X, int& Y) const;

    // Copies Image, the offsets, Position, Color and ColorTo (not the margins or the direction).
    void Assign(TPersistent* Source) override;

private:
    std::unique_ptr<TPicture> FImage;
    unsigned FPictureVersion = 0;
    int FOffsetX = 0;
    int FOffsetY = 0;
    advmenu::TBackgroundPosition FPosition = advmenu::bpCenter;
    int FMarginX = 0;
    int FMarginY = 0;
    std::unique_ptr<TBitmap> FBitmap;
};

// The side bar's caption, drawn with a rotated font. Changes notify nobody.
class TBarCaption : public TPersistent {
public:
    explicit TBarCaption(TMenu* AMenu);
    ~TBarCaption() override;

    TAlignment Alignment() const { return FAlignment; }  // default taLeftJustify
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    TFont* Font() const { return FFont.get(); }  // "Tahoma" 14 points, white, bold italic
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TColor ShadowColor() const { return FShadowColor; }  // default clNone
    void SetShadowColor(TColor Value) { FShadowColor = Value; }
    TColor HighlightColor() const { return FHighlightColor; }  // default clNone
    void SetHighlightColor(TColor Value) { FHighlightColor = Value; }
    int Depth() const { return FDepth; }  // default 1
    void SetDepth(int Value) { FDepth = Value; }
    advmenu::TDirection Direction() const { return FDirection; }  // default dDownToUp
    void SetDirection(advmenu::TDirection Value) { FDirection = Value; }
    int OffsetY() const { return FOffsetY; }  // default 6
    void SetOffsetY(int Value) { FOffsetY = Value; }
    TMenu* Menu() const { return FMenu.get(); }

    void Assign(TPersistent* Source) override;

protected:
    void changedMenu(bool Rebuild);

private:
    friend class TCustomAdvMenuStyler;
    String FCaption;
    std::unique_ptr<TFont> FFont;
    int FOffsetY = 6;
    advmenu::TDirection FDirection = advmenu::dDownToUp;
    TColor FShadowColor = clNone;
    TColor FHighlightColor = clNone;
    int FDepth = 1;
    TAlignment FAlignment = taLeftJustify;
    TWeak<TMenu> FMenu;
};

// A vertical bar along one side of a popup window.
class TSideBar : public TBarCaption {
public:
    explicit TSideBar(TMenu* AMenu);
    ~TSideBar() override;

    bool Visible() const { return FVisible; }  // default false
    void SetVisible(bool Value) { FVisible = Value; }
    advmenu::TSideBarVisibleIn VisibleIn() const { return FVisibleIn; }  // default viFirstVisible
    void SetVisibleIn(advmenu::TSideBarVisibleIn Value) { FVisibleIn = Value; }
    // Both are assigned into and rebuild the menu; changes inside them notify nobody.
    TBackground* Image() const { return FImage.get(); }
    void SetImage(TBackground* Value);
    TBackground* Background() const { return FBackground.get(); }
    void SetBackground(TBackground* Value);
    int Size() const { return FSize; }  // default 24
    void SetSize(int Value) { FSize = Value; }
    TColor SplitterColor() const { return FSplitterColor; }  // default $808080
    void SetSplitterColor(TColor Value) { FSplitterColor = Value; }
    TColor SplitterColorTo() const { return FSplitterColorTo; }  // default clNone
    void SetSplitterColorTo(TColor Value) { FSplitterColorTo = Value; }
    int SplitterWidth() const { return FSplitterWidth; }  // default 1
    void SetSplitterWidth(int Value) { FSplitterWidth = Value; }
    int SplitterMargin() const { return FSplitterMargin; }
    void SetSplitterMargin(int Value) { FSplitterMargin = Value; }
    int SplitterGradientWidth() const { return FSplitterGradientWidth; }
    void SetSplitterGradientWidth(int Value) { FSplitterGradientWidth = Value; }
    advmenu::TGradientType SplitterGradientType() const { return FSplitterGradientType; }  // default gtBoth
    void SetSplitterGradientType(advmenu::TGradientType Value) { FSplitterGradientType = Value; }
    TColor BorderColor() const { return FBorderColor; }  // default $A19D9D
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    advmenu::TSideBarPosition Position() const { return FPosition; }  // default spLeft
    void SetPosition(advmenu::TSideBarPosition Value) { FPosition = Value; }
    // The height of the items area, stored by the engine when it paints the bar.
    int PopupHeight() const { return FPopupHeight; }
    void SetPopupHeight(int Value) { FPopupHeight = Value; }

    void Assign(TPersistent* Source) override;

private:
    bool FVisible = false;
    std::unique_ptr<TBackground> FBackground;
    std::unique_ptr<TBackground> FImage;
    int FSplitterWidth = 1;
    advmenu::TSideBarPosition FPosition = advmenu::spLeft;
    int FSize = 24;
    int FSplitterMargin = 0;
    int FSplitterGradientWidth = 0;
    advmenu::TGradientType FSplitterGradientType = advmenu::gtBoth;
    TColor FBorderColor = 0xA19D9D;
    TColor FSplitterColor = 0x808080;
    TColor FSplitterColorTo = clNone;
    advmenu::TSideBarVisibleIn FVisibleIn = advmenu::viFirstVisible;
    int FPopupHeight = 0;
};

// Separator items: a horizontal MenuGradientLine.
class TSeparator : public TGradientBar {
public:
    explicit TSeparator(TMenu* AMenu);

    int Width() const { return FWidth; }  // the line's thickness, default 1
    void SetWidth(int Value) { FWidth = Value; }
    advmenu::TGradientType GradientType() const { return FGradientType; }  // default gtBoth
    void SetGradientType(advmenu::TGradientType Value) { FGradientType = Value; }
    int GradientWidth() const { return FGradientWidth; }  // default 0
    void SetGradientWidth(int Value) { FGradientWidth = Value; }
    int Margin() const { return FMargin; }  // default 2
    void SetMargin(int Value) { FMargin = Value; }

    void Assign(TPersistent* Source) override;

private:
    advmenu::TGradientType FGradientType = advmenu::gtBoth;
    int FGradientWidth = 0;
    int FMargin = 2;
    int FWidth = 1;
};

// Button colours the styler carries for its owner; the menu engine does not read them.
class TButtonAppearance : public TPersistent {
public:
    TButtonAppearance();
    ~TButtonAppearance() override;

    // The colour and direction setters fire OnChange when the value changes.
    TColor Color() const { return FColor; }  // default clNone
    void SetColor(TColor Value) { setColor(FColor, Value); }
    TColor ColorTo() const { return FColorTo; }  // default clNone
    void SetColorTo(TColor Value) { setColor(FColorTo, Value); }
    TColor DownColor() const { return FDownColor; }  // default $B59285
    void SetDownColor(TColor Value) { setColor(FDownColor, Value); }
    TColor DownColorTo() const { return FDownColorTo; }  // default clNone
    void SetDownColorTo(TColor Value) { setColor(FDownColorTo, Value); }
    TColor HoverColor() const { return FHoverColor; }  // default $D2BDB6
    void SetHoverColor(TColor Value) { setColor(FHoverColor, Value); }
    TColor HoverColorTo() const { return FHoverColorTo; }  // default clNone
    void SetHoverColorTo(TColor Value) { setColor(FHoverColorTo, Value); }
    TColor BorderColor() const { return FBorderColor; }  // default clNone
    void SetBorderColor(TColor Value) { setColor(FBorderColor, Value); }
    TColor DownBorderColor() const { return FDownBorderColor; }  // default $6A240A, no event
    void SetDownBorderColor(TColor Value) { FDownBorderColor = Value; }
    TColor HoverBorderColor() const { return FHoverBorderColor; }  // default $6A240A, no event
    void SetHoverBorderColor(TColor Value) { FHoverBorderColor = Value; }
    advmenu::TGradientDirection GradientDirection() const { return FGradientDirection; }  // default gdVertical
    void SetGradientDirection(advmenu::TGradientDirection Value);
    // "Segoe UI" from the Vista generation on, else "Tahoma".
    TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(TFont* Value);
    bool UseSystemFont() const { return FUseSystemFont; }  // default true
    void SetUseSystemFont(bool Value);
    advmenu::TGlyphPosition GlyphPosition() const { return FGlyphPosition; }  // default gpLeft

    TNotifyEvent OnChange;

    // Copies the nine colours and GradientDirection.
    void Assign(TPersistent* Source) override;

private:
    TColor FHoverColor = 0xD2BDB6;
    TColor FColorTo = clNone;
    TColor FColor = clNone;
    TColor FHoverColorTo = clNone;
    TColor FDownColorTo = clNone;
    TColor FDownColor = 0xB59285;
    TColor FDownBorderColor = 0x6A240A;
    TColor FBorderColor = clNone;
    TColor FHoverBorderColor = 0x6A240A;
    advmenu::TGradientDirection FGradientDirection = advmenu::gdVertical;
    std::unique_ptr<TFont> FCaptionFont;
    advmenu::TGlyphPosition FGlyphPosition = advmenu::gpLeft;
    bool FUseSystemFont = true;

    void setColor(TColor& Field, TColor Value);
    void changed();
};

// The styler: the appearance objects and fonts of the menu it serves. Descendants publish the
// properties.
class TCustomAdvMenuStyler : public TComponent {
public:
    explicit TCustomAdvMenuStyler(TComponent* AOwner);
    ~TCustomAdvMenuStyler() override;

    // The menu served; every appearance object gets it, and the menu is told (no rebuild).
    TMenu* Menu() const { return FMenu; }
    void SetMenu(TMenu* Value);
    // aaNone: item text with GDI; the others with GDI+ and that rendering hint. Rebuilds.
    TAntiAlias AntiAlias() const { return FAntiAlias; }  // default aaNone
    void SetAntiAlias(TAntiAlias Value);
    // The object setters assign into the owned objects; SideBar rebuilds, the others notify.
    TBackground* Background() const { return FBackground.get(); }
    void SetBackground(TBackground* Value);
    TIconBar* IconBar() const { return FIconBar.get(); }
    void SetIconBar(TIconBar* Value);
    TSelectedItem* SelectedItem() const { return FSelectedItem.get(); }
    void SetSelectedItem(TSelectedItem* Value);
    TRootItem* RootItem() const { return FRootItem.get(); }
    void SetRootItem(TRootItem* Value);
    TMenuGlyphs* Glyphs() const { return FGlyphs.get(); }
    void SetGlyphs(TMenuGlyphs* Value);
    TSideBar* SideBar() const { return FSideBar.get(); }
    void SetSideBar(TSideBar* Value);
    TSeparator* Separator() const { return FSeparator.get(); }
    void SetSeparator(TSeparator* Value);
    TButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(TButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
    // Text of unselected items; changes rebuild.
    TFont* Font() const { return FFont.get(); }  // the screen's menu font
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    // Notes lines of unselected items; changes rebuild.
    TFont* NotesFont() const { return FNotesFont.get(); }  // 2 points smaller, $808080
    void SetNotesFont(TFont* Value) { FNotesFont->Assign(Value); }
    // The screen's menu font is used instead of Font. Rebuilds.
    bool UseSystemFont() const { return FUseSystemFont; }  // default true
    void SetUseSystemFont(bool Value);
    // Outer frame of every menu window.
    TColor MenuBorderColor() const { return FMenuBorderColor; }  // default $7C7C94
    void SetMenuBorderColor(TColor Value) { FMenuBorderColor = Value; }
    bool MenuBarUpdating() const { return FMenuBarUpdating; }
    void SetMenuBarUpdating(bool Value) { FMenuBarUpdating = Value; }
    // Cache of the pre-rendered background picture.
    TBitmap* BackgroundBitmap() const { return FBackgroundBitmap.get(); }
    // The background (gradient and picture) rendered over an items area of W x H; rendered
    // again when the size or anything the rendering shows changes, else reused.
    TBitmap* RenderedBackground(int W, int H);

    // From another styler copies the appearance objects (not ButtonAppearance), both fonts and
    // UseSystemFont; MenuBorderColor and AntiAlias stay. Any other source is ignored.
    void Assign(TPersistent* Source) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool FUseSystemFont = true;
    std::unique_ptr<TSeparator> FSeparator;
    std::unique_ptr<TBackground> FBackground;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TIconBar> FIconBar;
    std::unique_ptr<TMenuGlyphs> FGlyphs;
    std::unique_ptr<TRootItem> FRootItem;
    std::unique_ptr<TSelectedItem> FSelectedItem;
    std::unique_ptr<TSideBar> FSideBar;
    TColor FMenuBorderColor = 0x7C7C94;
    bool FMenuBarUpdating = false;
    TMenu* FMenu = nullptr;
    std::unique_ptr<TBitmap> FBackgroundBitmap;
    std::unique_ptr<TFont> FNotesFont;
    TAntiAlias FAntiAlias = aaNone;
    std::unique_ptr<TButtonAppearance> FButtonAppearance;
    // What the cached background was rendered from.
    std::vector<std::intptr_t> FBackgroundKey;

    void changedMenu(bool Rebuild);
    void handOutMenu(TMenu* Value);
};
