#include "components/controls/AdvPanelSettings.h"

#include <algorithm>

namespace {

// The slot is copied first: a handler may reassign it or free its sender.
void fire(const TNotifyEvent& Event, TObject* Sender) {
    if (!Event) return;
    TNotifyEvent Handler = Event;
    Handler(Sender);
}

[[noreturn]] void raiseInvalidCast(TPersistent* Source, const char* Target) {
    const String SourceName = Source ? Source->ClassName() : QStringLiteral("nil");
    throw EInvalidCast(
        QStringLiteral("Invalid class typecast: cannot assign a %1 to a %2").arg(SourceName, QLatin1String(Target)));
}

// Copies a picture; false when Value is the target itself, so there is nothing to do.
bool copyBitmap(TBitmap* Target, TBitmap* Value) {
    if (Value == Target) return false;
    Target->Assign(Value);
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TPanelCaption

TPanelCaption::TPanelCaption() {
    FFont = std::make_unique<TFont>();
    FFont->SetColor(clHighlightText);
    FFont->OnChange = [this](TObject*) { fontChanged(); };
    FMinGlyph = std::make_unique<TBitmap>();
    FCloseMinGlyph = std::make_unique<TBitmap>();
    FCloseMaxGlyph = std::make_unique<TBitmap>();
    FMaxGlyph = std::make_unique<TBitmap>();
    FBackground = std::make_unique<TBitmap>();
    FOfficeHint = std::make_unique<TAdvHintInfo>();
}

TPanelCaption::~TPanelCaption() = default;

template <class T>
void TPanelCaption::setAndNotify(T& Field, const T& Value, void (TPanelCaption::*Notify)()) {
    if (Field == Value) return;
    Field = Value;
    (this->*Notify)();
}

void TPanelCaption::changed() { fire(OnChange, this); }

void TPanelCaption::shadeChanged() {
    TWeak<TPanelCaption> Self(this);
    fire(OnShadeChange, this);
    if (Self) changed();
}

void TPanelCaption::fontChanged() {
    if (FCopyingFont) {
        FFontCopied = true;
        return;
    }
    fire(OnFontChange, this);
}

bool TPanelCaption::copyFont(TFont* Value) {
    FCopyingFont = true;
    FFontCopied = false;
    try {
        FFont->Assign(Value);
    } catch (...) {
        FCopyingFont = false;
        throw;
    }
    FCopyingFont = false;
    return FFontCopied;
}

void TPanelCaption::SetShape(advpanel::TCaptionShape Value) {
    setAndNotify(FShape, Value, &TPanelCaption::shadeChanged);
}
void TPanelCaption::SetColor(TColor Value) { setAndNotify(FColor, Value, &TPanelCaption::shadeChanged); }
void TPanelCaption::SetFlat(bool Value) { setAndNotify(FFlat, Value, &TPanelCaption::shadeChanged); }
void TPanelCaption::SetShadeGrain(Byte Value) { setAndNotify(FShadeGrain, Value, &TPanelCaption::shadeChanged); }
void TPanelCaption::SetShadeType(TShadeType Value) { setAndNotify(FShadeType, Value, &TPanelCaption::shadeChanged); }

void TPanelCaption::SetBackground(TBitmap* Value) {
    if (copyBitmap(FBackground.get(), Value)) shadeChanged();
}

void TPanelCaption::SetShadeLight(int Value) {
    FShadeLight = std::max(Value, 200);
    shadeChanged();
}

void TPanelCaption::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    TWeak<TPanelCaption> Self(this);
    changed();
    if (Self) fire(OnStateChange, this);
}

void TPanelCaption::SetFont(TFont* Value) {
    if (!copyFont(Value)) return;
    TWeak<TPanelCaption> Self(this);
    fire(OnFontChange, this);
    if (Self) changed();
}

void TPanelCaption::SetPosition(TCaptionPosition Value) {
    if (FPosition == Value) return;
    FPosition = Value;
    fire(OnPositionChange, this);
}

void TPanelCaption::SetText(const String& Value) { setAndNotify(FText, Value, &TPanelCaption::changed); }
void TPanelCaption::SetHeight(int Value) { setAndNotify(FHeight, Value, &TPanelCaption::changed); }
void TPanelCaption::SetIndent(int Value) { setAndNotify(FIndent, Value, &TPanelCaption::changed); }
void TPanelCaption::SetTopIndent(int Value) { setAndNotify(FTop, Value, &TPanelCaption::changed); }
void TPanelCaption::SetColorTo(TColor Value) { setAndNotify(FColorTo, Value, &TPanelCaption::changed); }
void TPanelCaption::SetCloseColor(TColor Value) { setAndNotify(FCloseColor, Value, &TPanelCaption::changed); }
void TPanelCaption::SetCloseButton(bool Value) { setAndNotify(FCloseButton, Value, &TPanelCaption::changed); }
void TPanelCaption::SetCloseButtonColor(TColor Value) {
    setAndNotify(FCloseButtonColor, Value, &TPanelCaption::changed);
}
void TPanelCaption::SetMinMaxButton(bool Value) { setAndNotify(FMinMaxButton, Value, &TPanelCaption::changed); }
void TPanelCaption::SetMinMaxButtonColor(TColor Value) {
    setAndNotify(FMinMaxButtonColor, Value, &TPanelCaption::changed);
}
void TPanelCaption::SetGradientDirection(advpanel::TGradientDirection Value) {
    setAndNotify(FGradientDirection, Value, &TPanelCaption::changed);
}
void TPanelCaption::SetButtonPosition(TCaptionButtonPosition Value) {
    setAndNotify(FbuttonPosition, Value, &TPanelCaption::changed);
}

void TPanelCaption::SetCloseMinGlyph(TBitmap* Value) {
    if (copyBitmap(FCloseMinGlyph.get(), Value)) changed();
}

void TPanelCaption::SetCloseMaxGlyph(TBitmap* Value) {
    if (copyBitmap(FCloseMaxGlyph.get(), Value)) changed();
}

void TPanelCaption::SetMinGlyph(TBitmap* Value) { copyBitmap(FMinGlyph.get(), Value); }
void TPanelCaption::SetMaxGlyph(TBitmap* Value) { copyBitmap(FMaxGlyph.get(), Value); }
void TPanelCaption::SetOfficeHint(TAdvHintInfo* Value) {
    if (Value != FOfficeHint.get()) FOfficeHint->Assign(Value);
}

void TPanelCaption::Assign(TPersistent* Source) {
    auto* C = dynamic_cast<TPanelCaption*>(Source);
    if (!C) raiseInvalidCast(Source, "TPanelCaption");
    if (C == this) return;
    FBackground->Assign(C->FBackground.get());
    FbuttonPosition = C->FbuttonPosition;
    FColor = C->FColor;
    FColorTo = C->FColorTo;
    FCloseColor = C->FCloseColor;
    FCloseButton = C->FCloseButton;
    FCloseButtonColor = C->FCloseButtonColor;
    FCloseButtonHoverColor = C->FCloseButtonHoverColor;
    FCloseMinGlyph->Assign(C->FCloseMinGlyph.get());
    FCloseMaxGlyph->Assign(C->FCloseMaxGlyph.get());
    FFlat = C->FFlat;
    const bool FontChanged = copyFont(C->FFont.get());
    FHeight = C->FHeight;
    FIndent = C->FIndent;
    FMaxGlyph->Assign(C->FMaxGlyph.get());
    FMinGlyph->Assign(C->FMinGlyph.get());
    FMinMaxButton = C->FMinMaxButton;
    FMinMaxButtonColor = C->FMinMaxButtonColor;
    FMinMaxButtonHoverColor = C->FMinMaxButtonHoverColor;
    FShadeLight = C->FShadeLight;
    FShadeGrain = C->FShadeGrain;
    FShadeType = C->FShadeType;
    FShape = C->FShape;
    FGradientDirection = C->FGradientDirection;

    // One round of notifications for the whole copy rather than one per property.
    TWeak<TPanelCaption> Self(this);
    if (FontChanged) fire(OnFontChange, this);
    if (Self) fire(OnShadeChange, this);
    if (Self) changed();
}

// ---------------------------------------------------------------------------------------------
// TPanelStatusBar

TPanelStatusBar::TPanelStatusBar() {
    FFont = std::make_unique<TFont>();
    FFont->SetName(QStringLiteral("Tahoma"));
    FFont->OnChange = [this](TObject*) { changed(); };
}

TPanelStatusBar::~TPanelStatusBar() = default;

void TPanelStatusBar::changed() {
    if (FCopying) {
        FCopyChanged = true;
        return;
    }
    fire(OnChange, this);
}

template <class T>
void TPanelStatusBar::setAndNotify(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    changed();
}

void TPanelStatusBar::SetImageIndex(int Value) { setAndNotify(FImageIndex, Value); }
void TPanelStatusBar::SetText(const String& Value) { setAndNotify(FText, Value); }
void TPanelStatusBar::SetColor(TColor Value) { setAndNotify(FColor, Value); }
void TPanelStatusBar::SetColorTo(TColor Value) { setAndNotify(FColorTo, Value); }
void TPanelStatusBar::SetGradientDirection(advpanel::TGradientDirection Value) {
    setAndNotify(FGradientDirection, Value);
}
void TPanelStatusBar::SetVisible(bool Value) { setAndNotify(FVisible, Value); }
void TPanelStatusBar::SetHeight(int Value) { setAndNotify(FHeight, Value); }
void TPanelStatusBar::SetBevelInner(bool Value) { setAndNotify(FBevelInner, Value); }
void TPanelStatusBar::SetBorderStyle(TBorderStyle Value) { setAndNotify(FBorderStyle, Value); }
void TPanelStatusBar::SetBorderColor(TColor Value) { setAndNotify(FBorderColor, Value); }
void TPanelStatusBar::SetTopIndent(int Value) { setAndNotify(FTopIndent, Value); }

// The font's own change notification tells the owner.
void TPanelStatusBar::SetFont(TFont* Value) { FFont->Assign(Value); }

void TPanelStatusBar::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TPanelStatusBar*>(Source);
    if (!S || S == this) return;
    FCopying = true;
    FCopyChanged = false;
    setAndNotify(FColor, S->FColor);
    setAndNotify(FColorTo, S->FColorTo);
    setAndNotify(FGradientDirection, S->FGradientDirection);
    setAndNotify(FBorderStyle, S->FBorderStyle);
    setAndNotify(FBorderColor, S->FBorderColor);
    FFont->Assign(S->FFont.get());
    setAndNotify(FTopIndent, S->FTopIndent);
    FCopying = false;
    if (FCopyChanged) fire(OnChange, this);
}

// ---------------------------------------------------------------------------------------------
// TPanelPosition

void TPanelPosition::Assign(TPersistent* Source) {
    auto* P = dynamic_cast<TPanelPosition*>(Source);
    if (!P) raiseInvalidCast(Source, "TPanelPosition");
    FKey = P->FKey;
    FSection = P->FSection;
    FSave = P->FSave;
    FLocation = P->FLocation;
}

// ---------------------------------------------------------------------------------------------
// TAutoSize

void TAutoSize::SetEnabled(bool Value) {
    FEnabled = Value;
    if (!Value) return;
    IAutoSizeOwner* Sizer = nullptr;
    if (Supports(FOwner, &Sizer)) Sizer->DoAutoSize();
}

void TAutoSize::Assign(TPersistent* Source) {
    auto* A = dynamic_cast<TAutoSize*>(Source);
    if (!A) return TPersistent::Assign(Source);
    FHeight = A->FHeight;
    FWidth = A->FWidth;
    SetEnabled(A->FEnabled);
}
