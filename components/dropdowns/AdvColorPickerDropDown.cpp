#include "components/dropdowns/AdvColorPickerDropDown.h"

#include "components/dropdowns/AdvDropDownDraw.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/Timer.h"
#include "framework/ui/WebColors.h"
#include "framework/ui/WindowFunctions.h"

#include <algorithm>

using namespace advdropdown;
using namespace advcolorpicker;

namespace {

struct TNamedColor {
    const char* Name;
    TColor Color;
};
constexpr TNamedColor kDefaultColors[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};
static_assert(std::size(kDefaultColors) == 16);

String hexPair(Byte B) { return QStringLiteral("%1").arg(B, 2, 16, QChar(u'0')).toUpper(); }

// The key as the character it types, for the list's type-ahead; nothing for keys that type none.
Char searchChar(Word Key) {
    if (Key == VK_SPACE || (Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return Char(Key);
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return Char(u'0' + (Key - VK_NUMPAD0));
    return QChar();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Colour items

TColorItem::TColorItem(TCollection* Collection) : TCollectionItem(Collection) {}

void TColorItem::changed() {
    if (auto* Items = dynamic_cast<TColorItems*>(Collection()); Items && Items->OnChange)
        FireEvent(Items->OnChange, Items);
}

void TColorItem::SetCaption(const String& Value) {
    FCaption = Value;
    changed();
}

void TColorItem::SetColor(TColor Value) {
    FColor = Value;
    changed();
}

void TColorItem::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TColorItem*>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = S->FCaption;
    FColor = S->FColor;
    FEnabled = S->FEnabled;
    FHint = S->FHint;
}

TColorItems::TColorItems(TPersistent* AOwner) : TCollection(CollectionItemClass<TColorItem>()), FMyOwner(AOwner) {}

// ---------------------------------------------------------------------------------------------
// The picker

TAdvColorPickerDropDown::TAdvColorPickerDropDown(TComponent* AOwner)
    : TAdvDropDown(AOwner),
      FColors(std::make_unique<TColorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)) {
    FColors->OnChange = [](TObject*) {};
    FKeyTimer = new TTimer(this);
    FKeyTimer->SetEnabled(false);
    FKeyTimer->SetInterval(500);
    FKeyTimer->OnTimer = [this](TObject* Sender) { KeyTimerTick(Sender); };
    FDesignTime = ComponentState().Contains(csDesigning);
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetDropDownHeight(200);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetCursor(crArrow);
    // The base made its popup before this class existed: the style's control comes now.
    if (!FDesignTime) CreateDropDownForm();
}

// The key timer, as every owned component, is freed before the destructor runs.
TAdvColorPickerDropDown::~TAdvColorPickerDropDown() = default;

void TAdvColorPickerDropDown::Notification(TComponent* AComponent, TOperation Operation) {
    TAdvDropDown::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FItemSelector) FItemSelector = nullptr;
    if (AComponent == FColorCubePanel) FColorCubePanel = nullptr;
    if (AComponent == FSpectrumPanel) FSpectrumPanel = nullptr;
    if (AComponent == FColorSelector) FColorSelector = nullptr;
    if (AComponent == FKeyTimer) FKeyTimer = nullptr;
}

void TAdvColorPickerDropDown::AddDefaultColors() {
    FColors->Clear();
    for (const TNamedColor& C : kDefaultColors) {
        TColorItem* Item = FColors->Add();
        Item->SetCaption(QString::fromLatin1(C.Name));
        Item->SetColor(C.Color);
    }
}

void TAdvColorPickerDropDown::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0) FillListItems();
}

void TAdvColorPickerDropDown::Loaded() {
    TAdvDropDown::Loaded();
    if (FDesignTime && FColors->Count() == 0) AddDefaultColors();
    FillListItems();
    ApplyListSettings();
}

void TAdvColorPickerDropDown::CreateWnd() {
    TAdvDropDown::CreateWnd();
    if (FDesignTime && FColors->Count() == 0) AddDefaultColors();
}

// ---------------------------------------------------------------------------------------------
// Value and text

void TAdvColorPickerDropDown::SetItemIndex(int Value) {
    if (Value >= FColors->Count()) return;
    FItemIndex = std::max(Value, -1);
    if (FItemIndex >= 0) FSelectedColor = FColors->Items(FItemIndex)->Color();
    Invalidate();
    if (OnSelect) FireEvent(OnSelect, this);
}

void TAdvColorPickerDropDown::SetSelectedColor(TColor Value) {
    if (Value == FSelectedColor) return;
    FSelectedColor = Value == clNone ? clNone : ColorToRGB(Value);
    int Found = -1;
    for (int I = 0; I < FColors->Count() && Found < 0 && FSelectedColor != clNone; ++I)
        if (ColorToRGB(FColors->Items(I)->Color()) == FSelectedColor) Found = I;
    // With no entry of that colour no entry is chosen, so the text never names another colour.
    if (Found >= 0)
        SetItemIndex(Found);
    else
        FItemIndex = -1;
    Invalidate();
}

void TAdvColorPickerDropDown::SetColorBoxHeight(int Value) {
    if (FColorBoxHeight == Value) return;
    FColorBoxHeight = Value;
    Invalidate();
}

void TAdvColorPickerDropDown::SetColorBoxWidth(int Value) {
    if (FColorBoxWidth == Value) return;
    FColorBoxWidth = Value;
    Invalidate();
}

void TAdvColorPickerDropDown::SetColorBoxBorderColor(TColor Value) {
    if (FColorBoxBorderColor == Value) return;
    FColorBoxBorderColor = Value;
    Invalidate();
}

void TAdvColorPickerDropDown::SetShowText(bool Value) {
    if (FShowText == Value) return;
    FShowText = Value;
    Invalidate();
}

String TAdvColorPickerDropDown::GetSelectedColorText() const {
    if (FColorSelectionStyle == csList && FItemIndex >= 0 && FItemIndex < FColors->Count())
        return FColors->Items(FItemIndex)->Caption();
    const TColor C = ColorToRGB(FSelectedColor);
    switch (FColorValueText) {
        case cvtHex:
            return IntToHex(static_cast<Int64>(FSelectedColor), 6).toUpper();
        case cvtWebName:
            return ColorToWebColorName(C);
        case cvtRGB:
            return Format(QStringLiteral("Red:%d,Green:%d,Blue:%d"),
                          {int(GetRValue(C)), int(GetGValue(C)), int(GetBValue(C))});
        case cvtHTML:
            return QStringLiteral("#") + hexPair(GetRValue(C)) + hexPair(GetGValue(C)) + hexPair(GetBValue(C));
        default:
            return String();
    }
}

void TAdvColorPickerDropDown::DrawDisabledFocus() {
    TAdvDropDown::DrawDisabledFocus();
    DrawSelectedColor();
}

void TAdvColorPickerDropDown::DrawSelectedColor() {
    if (!HandleAllocated()) return;
    HDC DC = GetWindowDC(Handle());
    if (!DC) return;
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    TCanvas* C = &Canvas;
    const TRect R = Rect(1, 1, Width() - 2 - DropDownButtonWidth(), Height() - 2);
    const bool Highlighted = !EditorEnabled() && Focused();
    if (OnDrawSelectedColor) {
        const auto Handler = OnDrawSelectedColor;
        Handler(this, C, R);
    } else if (FSelectedColor != clNone) {
        if (Highlighted) {
            C->Brush()->SetColor(clHighlight);
            C->FillRect(Rect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2));
        }
        const TRect Box = Bounds(R.Left + 4, R.Top + (Height() - FColorBoxHeight) / 2, FColorBoxWidth, FColorBoxHeight);
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(FSelectedColor);
        C->Pen()->SetColor(FColorBoxBorderColor);
        C->Rectangle(Box);
        if (FShowText) {
            C->Font()->Assign(Font());
            if (Highlighted) C->Font()->SetColor(clHighlightText);
            C->Brush()->SetColor(Focused() ? clHighlight : Color());
            TRect T = Rect(Box.Right + 4, R.Top, R.Right, R.Bottom);
            const String Text = GetSelectedColorText();
            if (Text.contains(QStringLiteral("</"))) {
                TSize Size;
                DrawMarkupCaption(C, Text, T, nullptr, true, Handle(), Size);
            } else {
                DrawText(C->Handle(), Text, -1, T, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
            }
        }
    }
    Canvas.SetHandle(nullptr);
    ReleaseDC(Handle(), DC);
}

// ---------------------------------------------------------------------------------------------
// Popup controls

void TAdvColorPickerDropDown::CreateColorList() {
    if (FItemSelector || !FDropDownForm) return;
    FItemSelector = new TAdvCustomItemSelector(this);
    FItemSelector->SetParent(FDropDownForm);
    FItemSelector->SetSelectorType(stColor);
    FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
}

void TAdvColorPickerDropDown::CreateColorSelector() {
    if (FColorSelector || !FDropDownForm) return;
    FColorSelector = new TCustomColorSelector(this);
    FColorSelector->SetParent(FDropDownForm);
    FColorSelector->SetBounds(0, 0, FColorSelector->Width(), FColorSelector->Height());
    FColorSelector->SetColor(DropDownColor());
    FColorSelector->AddDefaultBoxes();
    FColorSelector->UpdateLayout();
}

void TAdvColorPickerDropDown::CreateColorCube() {
    if (FColorCubePanel || !FDropDownForm) return;
    FColorCubePanel = new TAdvColorCubePanel(this);
    FColorCubePanel->SetParent(FDropDownForm);
    FColorCubePanel->SetBounds(0, 0, 0, 0);
    FColorCubePanel->SizeCubePanel();
    FColorCubePanel->SetColor(DropDownColor());
}

void TAdvColorPickerDropDown::CreateColorSpectrum() {
    if (FSpectrumPanel || !FDropDownForm) return;
    FSpectrumPanel = new TAdvColorSpectrumPanel(this);
    FSpectrumPanel->SetParent(FDropDownForm);
    FSpectrumPanel->SetLeft(0);
    FSpectrumPanel->SetTop(0);
    FSpectrumPanel->SetColor(DropDownColor());
}

TControl* TAdvColorPickerDropDown::styleControl() const {
    switch (FColorSelectionStyle) {
        case csList:
            return FItemSelector;
        case csDiscrete:
            return FColorSelector;
        case csColorCube:
            return FColorCubePanel;
        case csSpectrum:
            return FSpectrumPanel;
    }
    return nullptr;
}

void TAdvColorPickerDropDown::hideOtherControls(TControl* Shown) {
    for (TControl* C : {static_cast<TControl*>(FItemSelector), static_cast<TControl*>(FColorSelector),
                        static_cast<TControl*>(FColorCubePanel), static_cast<TControl*>(FSpectrumPanel)})
        if (C && C != Shown) C->SetVisible(false);
}

void TAdvColorPickerDropDown::CreateDropDownForm() {
    TAdvDropDown::CreateDropDownForm();
    if (!FDropDownForm) return;
    switch (FColorSelectionStyle) {
        case csList:
            CreateColorList();
            break;
        case csDiscrete:
            CreateColorSelector();
            break;
        case csColorCube:
            CreateColorCube();
            break;
        case csSpectrum:
            CreateColorSpectrum();
            break;
    }
    if (TControl* C = styleControl()) SetControl(C);
}

// Creates the style's control when needed and loads it from the picker.
void TAdvColorPickerDropDown::prepareStyleControl() {
    if (!FDropDownForm) return;
    switch (FColorSelectionStyle) {
        case csList:
            CreateColorList();
            hideOtherControls(FItemSelector);
            ApplyListSettings();
            if (OnDrawColor)
                FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, const TRect& R, int Index) {
                    if (OnDrawColor) FireEvent(OnDrawColor, this, Canvas, R, Index);
                };
            else
                FItemSelector->OnDrawItem = nullptr;
            FOldItemIndex = FItemIndex;
            break;
        case csDiscrete:
            CreateColorSelector();
            hideOtherControls(FColorSelector);
            // Loaded before it reports, so loading it tells the picker nothing.
            FColorSelector->OnItemSelect = nullptr;
            FColorSelector->SetSelectedColor(FSelectedColor);
            FColorSelector->UpdateLayout();
            FColorSelector->OnItemSelect = [this](TObject* Sender) { SelectorSelected(Sender); };
            FColorSelector->SetItemColorStyle(SelectionColorStyle());
            break;
        case csColorCube:
            CreateColorCube();
            hideOtherControls(FColorCubePanel);
            FColorCubePanel->SetSelectedColor(FSelectedColor);
            FColorCubePanel->InitCubeCells();
            FColorCubePanel->ResetHotCell();
            FColorCubePanel->OnSelect = [this](TObject* Sender) { CubeSelected(Sender); };
            break;
        case csSpectrum:
            CreateColorSpectrum();
            hideOtherControls(FSpectrumPanel);
            FSpectrumPanel->SetSelectedColor(FSelectedColor);
            FSpectrumPanel->LayoutSpectrum();
            FSpectrumPanel->OnSelect = [this](TObject* Sender) { SpectrumSelected(Sender); };
            break;
    }
    TControl* C = styleControl();
    SetControl(C);
    if (C) C->SetVisible(true);
    FOldSelectedColor = FSelectedColor;
}

void TAdvColorPickerDropDown::BeforeDropDown() {
    const TWeak<TAdvColorPickerDropDown> Self(this);
    TAdvDropDown::BeforeDropDown();
    if (Self) prepareStyleControl();
}

void TAdvColorPickerDropDown::FillListItems() {
    if (!FItemSelector) return;
    TSelectorItems* Items = FItemSelector->Items();
    Items->Clear();
    for (int I = 0; I < FColors->Count(); ++I) {
        const TColorItem* C = FColors->Items(I);
        TSelectorItem* Item = Items->Add();
        Item->SetCaption(C->Caption());
        Item->SetColor(C->Color());
        Item->SetHint(C->Hint());
    }
}

void TAdvColorPickerDropDown::ApplyListSettings() {
    if (!FItemSelector) return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(FColumns);
    FItemSelector->SetImages(Images());
    FItemSelector->SetItemLayout(FLayout);
    FItemSelector->SetColor(DropDownColor());
    FillListItems();
    FItemSelector->SetColorBoxHeight(FColorBoxHeight);
    FItemSelector->SetColorBoxWidth(FColorBoxWidth);
    FItemSelector->SetItemAppearance(FItemAppearance.get());
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = [this](TObject* Sender) { ListItemSelected(Sender); };
    FItemSelector->SetShowHint(ShowHint());
}

void TAdvColorPickerDropDown::sizeListSelector() {
    if (!FItemSelector) return;
    FItemSelector->SetAlign(alNone);
    const TSize S = FItemSelector->GetSelectorPanelSize();
    if (DropDownWidth() < 1) FItemSelector->SetWidth(S.cx);
    if (DropDownHeight() < 1) FItemSelector->SetHeight(S.cy);
}

void TAdvColorPickerDropDown::SizeDropDownForm() {
    if (!FDropDownForm) return;
    if (FColorSelectionStyle == csList) {
        sizeListSelector();
        TAdvDropDown::SizeDropDownForm();
        if (FItemSelector && FItemSelector->VertScrollBar()->IsScrollBarVisible())
            FDropDownForm->SetWidth(FDropDownForm->Width() + GetSystemMetrics(SM_CXVSCROLL));
        return;
    }
    TControl* C = styleControl();
    const bool Shown = C && C->Visible();
    const int Border = 2 * DropDownBorderWidth();
    int H = Border;
    if (DropDownHeader()->Visible()) H += DropDownHeader()->Height();
    if (DropDownFooter()->Visible()) H += DropDownFooter()->Height();
    if (Shown) H += C->Height();
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), Shown ? C->Width() + Border : Width(), H);
}

void TAdvColorPickerDropDown::PlaceDropDownControl() {
    TAdvDropDown::PlaceDropDownControl();
    if (FDropDownForm && FColorSelectionStyle != csList) FDropDownForm->SetSizeable(false);
}

void TAdvColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle Value) {
    if (FColorSelectionStyle == Value) return;
    FColorSelectionStyle = Value;
    ResetDropDownSize();
    if (ComponentState().Contains(csDesigning) || !FDropDownForm) return;
    prepareStyleControl();
    TControl* C = styleControl();
    if (!C) return;
    if (Value == csList) {
        sizeListSelector();
        C->SetAlign(alClient);
    } else {
        C->SetAlign(alNone);
        SizeDropDownForm();
        C->SetAlign(alClient);
    }
    FOldSelectedColor = FSelectedColor;
    FDropDownForm->Invalidate();
}

void TAdvColorPickerDropDown::PopupDestroyed() {
    if (ComponentState().Contains(csDestroying)) return;
    FItemSelector = nullptr;
    FColorCubePanel = nullptr;
    FSpectrumPanel = nullptr;
    FColorSelector = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Picks and closing

template <class F>
void TAdvColorPickerDropDown::internally(F Step) {
    const TWeak<TAdvColorPickerDropDown> Self(this);
    FInternalCall = true;
    Step();
    if (Self) FInternalCall = false;
}

void TAdvColorPickerDropDown::ListItemSelected(TObject*) {
    const TWeak<TAdvColorPickerDropDown> Self(this);
    SetItemIndex(FItemSelector ? FItemSelector->ItemIndex() : -1);
    if (Self && !FInternalCall) ClosePopup(false);
}

void TAdvColorPickerDropDown::SelectorSelected(TObject*) {
    const TWeak<TAdvColorPickerDropDown> Self(this);
    if (FColorSelector) SetSelectedColor(FColorSelector->SelectedColor());
    if (Self) SetItemIndex(-1);
    if (Self && !FInternalCall) ClosePopup(false);
}

void TAdvColorPickerDropDown::CubeSelected(TObject*) {
    const TWeak<TAdvColorPickerDropDown> Self(this);
    if (FColorCubePanel) SetSelectedColor(FColorCubePanel->SelectedColor());
    if (Self) SetItemIndex(-1);
    if (Self) ClosePopup(false);
}

void TAdvColorPickerDropDown::SpectrumSelected(TObject*) {
    const TWeak<TAdvColorPickerDropDown> Self(this);
    if (FSpectrumPanel) SetSelectedColor(FSpectrumPanel->SelectedColor());
    if (Self) SetItemIndex(-1);
    if (Self) ClosePopup(false);
}

void TAdvColorPickerDropDown::ClosePopup(bool Cancelled) {
    const TWeak<TAdvColorPickerDropDown> Self(this);
    TAdvDropDown::ClosePopup(Cancelled);
    if (!Self || !Cancelled) return;
    if (FColorSelectionStyle == csList) SetItemIndex(FOldItemIndex);
    if (FColorSelectionStyle == csDiscrete && FColorSelector) FColorSelector->SetSelectedColor(FOldSelectedColor);
}

// ---------------------------------------------------------------------------------------------
// Keys and the wheel

void TAdvColorPickerDropDown::KeyTimerTick(TObject*) {
    FKeyTimer->SetEnabled(false);
    FCurSearch.clear();
}

void TAdvColorPickerDropDown::selectInList(int Index) {
    internally([&] {
        FItemSelector->SetItemIndex(Index);
        FItemSelector->ScrollItemInView(Index);
    });
}

void TAdvColorPickerDropDown::listKey(Word Key, bool Taken) {
    const bool Open = DroppedDown();
    const int Count = FColors->Count();
    const int Current = FItemSelector->ItemIndex();
    switch (Key) {
        case VK_RETURN:
            if (!Taken && OnSelect) FireEvent(OnSelect, this);
            break;
        case VK_PRIOR:
        case VK_NEXT: {
            if (FItemSelector->Items()->Count() != Count) ApplyListSettings();
            const int N = FItemSelector->GetVisibleItemCount();
            const int Last = FItemSelector->Items()->Count() - 1;
            if (N > 0 && Last >= 0)
                selectInList(Key == VK_PRIOR ? std::max(FItemSelector->ItemIndex() - N, 0)
                                             : std::min(FItemSelector->ItemIndex() + N, Last));
            break;
        }
        case VK_END:
        case VK_HOME:
            if (Open)
                internally([&] { Key == VK_END ? FItemSelector->SelectLast() : FItemSelector->SelectFirst(); });
            else if (Count > 0)
                SetItemIndex(Key == VK_END ? Count - 1 : 0);
            break;
        case VK_LEFT:
        case VK_RIGHT:
            if (!EditorEnabled() && Open)
                internally([&] { Key == VK_LEFT ? FItemSelector->SelectPrevious() : FItemSelector->SelectNext(); });
            break;
        case VK_UP:
        case VK_DOWN: {
            if (Open) {
                const int Target = Current < 0 ? 0 : Current + (Key == VK_UP ? -FColumns : FColumns);
                if (Target >= 0 && Target < FItemSelector->Items()->Count()) selectInList(Target);
            } else if (Key == VK_UP && FItemIndex > 0) {
                SetItemIndex(FItemIndex - 1);
            } else if (Key == VK_DOWN && FItemIndex + 1 < Count) {
                SetItemIndex(FItemIndex + 1);
            }
            break;
        }
        default: {
            const Char C = searchChar(Key);
            if (GetKeyState(VK_CONTROL) < 0 || C.isNull()) break;
            FCurSearch += C;
            // A key's selection keeps the popup open, the list's own report of it included.
            internally([&] {
                FItemSelector->LookupItem(FCurSearch);
                SetItemIndex(FItemSelector->ItemIndex());
            });
            // Enabling a running timer does not restart it: the search ends 500 ms after its first key.
            if (FKeyTimer) FKeyTimer->SetEnabled(true);
            break;
        }
    }
}

void TAdvColorPickerDropDown::WMKeyDown(TMessage& Message) {
    const Word Key = static_cast<Word>(Message.WParam);
    const TWeak<TAdvColorPickerDropDown> Self(this);
    bool Taken = false;
    if (Enabled() && DroppedDown() && Key == VK_RETURN) {
        if (FColorSelectionStyle == csList && FItemSelector && FItemSelector->ItemHot() >= 0) {
            FItemSelector->SetItemIndex(FItemSelector->ItemHot());
            Taken = true;
        } else if (FColorSelectionStyle == csDiscrete && FColorSelector && FColorSelector->ItemHot() >= 0) {
            FColorSelector->SetItemIndex(FColorSelector->ItemHot());
            Taken = true;
        }
        if (!Self) return;
    }
    TAdvDropDown::Dispatch(Message);
    if (!Self || !Enabled() || GetKeyState(VK_MENU) < 0) return;
    if (FColorSelectionStyle == csList && FItemSelector) {
        listKey(Key, Taken);
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        internally([&] { FColorSelector->HandleNavigationKey(Key, EditorEnabled(), DroppedDown()); });
        if (Self && Key == VK_RETURN && !Taken && OnSelect) FireEvent(OnSelect, this);
    }
}

void TAdvColorPickerDropDown::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_KEYDOWN) {
        WMKeyDown(Message);
        return;
    }
    const UINT Msg = Message.Msg;
    const TWeak<TAdvColorPickerDropDown> Self(this);
    TAdvDropDown::Dispatch(Message);
    if (Self && Msg == WM_PAINT) DrawSelectedColor();
}

void TAdvColorPickerDropDown::DoSelectNext() {
    TAdvDropDown::DoSelectNext();
    if (!Enabled() || ReadOnly()) return;
    const bool Open = DroppedDown();
    if (FColorSelectionStyle == csList) {
        if (Open && FItemSelector)
            FItemSelector->HotNext();
        else if (!Open && FItemIndex + 1 < FColors->Count())
            internally([&] { SetItemIndex(FItemIndex + 1); });
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        if (Open)
            FColorSelector->HotNext();
        else
            internally([&] { FColorSelector->SelectNext(); });
    }
}

void TAdvColorPickerDropDown::DoSelectPrevious() {
    TAdvDropDown::DoSelectPrevious();
    if (!Enabled() || ReadOnly()) return;
    const bool Open = DroppedDown();
    if (FColorSelectionStyle == csList) {
        if (Open && FItemSelector)
            FItemSelector->HotPrevious();
        else if (!Open && FItemIndex > 0)
            internally([&] { SetItemIndex(FItemIndex - 1); });
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        if (Open)
            FColorSelector->HotPrevious();
        else
            internally([&] { FColorSelector->SelectPrevious(); });
    }
}

// ---------------------------------------------------------------------------------------------
// Styles

void TAdvColorPickerDropDown::SetComponentStyle(TTesselStyle AStyle) {
    TAdvDropDown::SetComponentStyle(AStyle);
    ApplyItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TAdvColorPickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
    TAdvDropDown::SetSelectionColorStyle(Value);
    if (FItemSelector) FItemSelector->ItemAppearance()->SetColorStyle(Value);
}
