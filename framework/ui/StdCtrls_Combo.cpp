// TCustomComboBox on QComboBox. The items, the picked index and the typed text live in the
// control, so it works without a window and keeps its state when the window is made again.
#include "framework/ui/ControlWidget.h"
#include "framework/ui/FontMapper.h"
#include "framework/ui/StdCtrls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

struct TComboState {
    // Set while the control writes into the Qt box, whose signals must then not echo back.
    bool Syncing = false;

    // The list opens or has closed: the parent hears first, then the box's event.
    static void dropDown(TCustomComboBox* Box) {
        const TWeak<TCustomComboBox> Alive(Box);
        Box->NotifyParent(CBN_DROPDOWN);
        if (Alive && Box->OnDropDown) Box->OnDropDown(Box);
    }
    static void closeUp(TCustomComboBox* Box) {
        const TWeak<TCustomComboBox> Alive(Box);
        Box->NotifyParent(CBN_CLOSEUP);
        if (Alive && Box->OnCloseUp) Box->OnCloseUp(Box);
    }
};

namespace {

// The Qt box tells the control when its list opens and closes, whoever opened it (a click, F4,
// Alt+Down or SetDroppedDown).
class TQtComboBox : public QComboBox {
public:
    explicit TQtComboBox(TCustomComboBox* Owner) : FOwner(Owner) {}
    void Detach() { FOwner = nullptr; }

    void showPopup() override {
        if (FOwner && !FOwner->DroppedDown()) {
            const QPointer<TQtComboBox> Self(this);
            const TWeak<TCustomComboBox> Owner(FOwner);
            TComboState::dropDown(FOwner);
            if (!Self || !Owner) return;
        }
        QComboBox::showPopup();
    }
    void hidePopup() override {
        const bool WasShown = view() && view()->isVisible();
        QComboBox::hidePopup();
        if (WasShown && FOwner) TComboState::closeUp(FOwner);
    }

private:
    TCustomComboBox* FOwner;
};

QComboBox* comboOf(TControl* C) { return qobject_cast<QComboBox*>(HostedWidget(C)); }

QColor qColorOf(TColor Value) {
    const TColor RGB = ColorToRGB(Value);
    return QColor::fromRgb(GetRValue(RGB), GetGValue(RGB), GetBValue(RGB));
}

}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TStringList>()), FState(std::make_unique<TComboState>()) {
    // The Qt box takes the clicks: a click opens its list and fires no OnClick (a pick does), and
    // its list holds the mouse by itself.
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents, csCaptureMouse});
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
    FItems->OnChange = [this](TObject*) { itemsChanged(); };
}

TCustomComboBox::~TCustomComboBox() {
    FItems->OnChange = nullptr;
    // The window outlives this part of the object; its signals must not reach it.
    if (QWidget* W = HostedWidget(this)) W->disconnect();
    if (auto* C = dynamic_cast<TQtComboBox*>(HostedWidget(this))) C->Detach();
}

TStrings* TCustomComboBox::Items() const { return FItems.get(); }

void TCustomComboBox::SetItems(TStrings* Value) { FItems->Assign(Value); }

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    if (FStyle == csDropDownList && FItemIndex < 0) FEditText.clear();
    if (HandleAllocated()) RecreateWnd();
}

int TCustomComboBox::ItemIndex() const { return FItemIndex; }

void TCustomComboBox::SetItemIndex(int Value) {
    if (Value < 0 || Value >= FItems->Count()) Value = -1;
    FItemIndex = Value;
    // The platform keeps a typed text when the selection is cleared, and shows the item otherwise.
    if (Value >= 0)
        FEditText = FItems->Strings(Value);
    else if (FStyle == csDropDownList)
        FEditText.clear();
    applyEditorProperties();
}

void TCustomComboBox::SetDropDownCount(int Value) {
    Value = std::max(1, Value);
    if (FDropDownCount == Value) return;
    FDropDownCount = Value;
    applyEditorProperties();
}

bool TCustomComboBox::DroppedDown() const {
    QComboBox* C = comboOf(const_cast<TCustomComboBox*>(this));
    return C && C->view() && C->view()->isVisible();
}

void TCustomComboBox::SetDroppedDown(bool Value) {
    QComboBox* C = comboOf(this);
    if (!C || Value == DroppedDown()) return;
    // The Qt box fires OnDropDown and OnCloseUp.
    if (Value)
        C->showPopup();
    else
        C->hidePopup();
}

void TCustomComboBox::SelectItem(int Index) {
    if (Index < 0 || Index >= FItems->Count()) return;
    FItemIndex = Index;
    FEditText = FItems->Strings(Index);
    applyEditorProperties();
    // The handlers may free the box; touch it only while it is still alive.
    const TWeak<TCustomComboBox> Self(this);
    NotifyParent(CBN_SELCHANGE);
    if (!Self.get()) return;
    Click();
    if (!Self.get()) return;
    Select();
    if (!Self.get()) return;
    Change();
}

void TCustomComboBox::Clear() {
    FItems->Clear();
    FEditText.clear();
    FItemIndex = -1;
    applyEditorProperties();
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect) OnSelect(this);
}

String TCustomComboBox::RealGetText() const {
    if (FStyle == csDropDownList) return FItemIndex >= 0 ? FItems->Strings(FItemIndex) : String();
    return FEditText;
}

void TCustomComboBox::RealSetText(const String& Value) {
    const int Index = FItems->IndexOf(Value);
    if (FStyle == csDropDownList) {
        // Only an item's text can be shown.
        if (Index >= 0) SetItemIndex(Index);
        return;
    }
    FEditText = Value;
    FItemIndex = Index;
    applyEditorProperties();
}

void TCustomComboBox::itemsChanged() {
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    if (FStyle == csDropDownList) FEditText = FItemIndex >= 0 ? FItems->Strings(FItemIndex) : String();
    if (QComboBox* C = comboOf(this)) {
        FState->Syncing = true;
        C->clear();
        for (int i = 0; i < FItems->Count(); ++i) C->addItem(FItems->Strings(i));
        FState->Syncing = false;
    }
    applyEditorProperties();
}

void TCustomComboBox::editorTextTyped(const String& Value) {
    if (FState->Syncing) return;
    FEditText = Value;
    FItemIndex = FItems->IndexOf(Value);
    const TWeak<TCustomComboBox> Self(this);
    NotifyParent(CBN_EDITCHANGE);
    if (Self) Change();
}

void TCustomComboBox::CreateWnd() {
    TWinControl::CreateWnd();
    auto* C = new TQtComboBox(this);
    C->setEditable(FStyle != csDropDownList);
    for (int i = 0; i < FItems->Count(); ++i) C->addItem(FItems->Strings(i));
    SetHostedWidget(this, C);
    applyEditorProperties();
    QObject::connect(C, qOverload<int>(&QComboBox::activated), [this](int Index) {
        if (!FState->Syncing) SelectItem(Index);
    });
    if (QLineEdit* L = C->lineEdit())
        QObject::connect(L, &QLineEdit::textEdited, [this](const QString& Text) { editorTextTyped(Text); });
}

void TCustomComboBox::DestroyWnd() {
    if (QWidget* W = HostedWidget(this)) W->disconnect();
    if (auto* C = dynamic_cast<TQtComboBox*>(HostedWidget(this))) C->Detach();
    if (QComboBox* C = comboOf(this); C && C->lineEdit()) C->lineEdit()->disconnect();
    TWinControl::DestroyWnd();
}

void TCustomComboBox::applyEditorProperties() {
    QComboBox* C = comboOf(this);
    if (!C) return;
    FState->Syncing = true;
    C->setFont(QFontOf(*Font()));
    QPalette Pal = C->palette();
    Pal.setColor(QPalette::Base, qColorOf(Color()));
    Pal.setColor(QPalette::Text, qColorOf(Font()->Color()));
    C->setPalette(Pal);
    C->setEnabled(Enabled());
    C->setMaxVisibleItems(FDropDownCount);
    if (C->currentIndex() != FItemIndex) C->setCurrentIndex(FItemIndex);
    if (C->isEditable() && C->currentText() != FEditText) C->setEditText(FEditText);
    FState->Syncing = false;
}

void TCustomComboBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        case CM_COLORCHANGED:
            TWinControl::Dispatch(Message);
            applyEditorProperties();
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case WM_GETDLGCODE:
            WMGetDlgCode(Message);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
            WMLButton(Message);
            break;
        case CB_GETCURSEL:
            Message.Result = FItemIndex;
            break;
        case CB_GETLBTEXT:
            CBGetLBText(Message);
            break;
        case CB_GETLBTEXTLEN:
            Message.Result = Message.WParam < static_cast<WPARAM>(FItems->Count())
                                 ? FItems->Strings(static_cast<int>(Message.WParam)).length()
                                 : CB_ERR;
            break;
        case CB_SETITEMHEIGHT:
            CBSetItemHeight(Message);
            break;
        case CB_GETITEMHEIGHT:
            Message.Result = static_cast<int>(Message.WParam) == -1 ? FSelectionFieldHeight : FItemHeight;
            break;
        default:
            TWinControl::Dispatch(Message);
            break;
    }
}

void TCustomComboBox::CBGetLBText(TMessage& Message) {
    const int Index = static_cast<int>(Message.WParam);
    auto* Target = reinterpret_cast<String*>(Message.LParam);
    if (Index < 0 || Index >= FItems->Count() || !Target) {
        Message.Result = CB_ERR;
        return;
    }
    *Target = FItems->Strings(Index);
    Message.Result = Target->length();
}

// WParam -1 is the selection field, any other the list's items.
void TCustomComboBox::CBSetItemHeight(TMessage& Message) {
    const int Height = static_cast<int>(Message.LParam);
    if (Height <= 0 || Height > 255) {
        Message.Result = CB_ERR;
        return;
    }
    if (static_cast<int>(Message.WParam) == -1)
        FSelectionFieldHeight = Height;
    else
        FItemHeight = Height;
    Message.Result = 0;
}

void TCustomComboBox::CMFontChanged(TMessage& Message) {
    TWinControl::Dispatch(Message);
    applyEditorProperties();
}

void TCustomComboBox::CMEnabledChanged(TMessage& Message) {
    TWinControl::Dispatch(Message);
    applyEditorProperties();
}

void TCustomComboBox::WMGetDlgCode(TMessage& Message) {
    // The arrows move the selection (they are not the form's focus keys) and letters pick items.
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TCustomComboBox::WMLButton(TMessage& Message) {
    const TWeak<TCustomComboBox> Self(this);
    TWinControl::Dispatch(Message);
    // The Qt box then opens its list on the press.
    if (Self) DefaultHandler(Message);
}
