// TCustomComboBox on QComboBox. The items, the picked index and the typed text live in the
// control, so it works without a window and keeps its state when the window is made again.
// The Qt box is transparent and draws neither frame nor arrow: the control paints them under
// it, and the Qt box's style places its text and list where the control says.
#include "framework/ui/ControlWidget.h"
#include "framework/ui/DeviceContext.h"
#include "framework/ui/FontMapper.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/ScrollBars.h"
#include "framework/ui/StdCtrls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <algorithm>

struct TComboState {
    // Set while the control writes into the Qt box, whose signals must then not echo back.
    bool Syncing = false;

    // The list opens or has closed: the parent hears first, then the box's event.
    static void dropDown(TCustomComboBox* Box) {
        const TWeak<TCustomComboBox> Alive(Box);
        Box->NotifyParent(CBN_DROPDOWN);
        if (Alive) Box->DropDown();
    }
    static void closeUp(TCustomComboBox* Box) {
        const TWeak<TCustomComboBox> Alive(Box);
        Box->NotifyParent(CBN_CLOSEUP);
        if (Alive) Box->CloseUp();
    }
};

// What the Qt box's style asks of the control.
struct TComboStyleAccess {
    static TRect editField(const TCustomComboBox* Box) { return Box->EditFieldRect(); }
    static TRect button(const TCustomComboBox* Box) { return Box->DropDownButtonRect(); }
    static int droppedWidth(const TCustomComboBox* Box) { return Box->FDroppedWidth; }
    static bool showsFocusedSelection(const TCustomComboBox* Box) { return Box->showsFocusedSelection(); }
};

namespace {

// The Qt box tells the control when its list opens and closes, whoever opened it (a click, F4,
// Alt+Down or SetDroppedDown).
class TQtComboBox : public QComboBox {
public:
    explicit TQtComboBox(TCustomComboBox* Owner) : FOwner(Owner) {}
    void Detach() { FOwner = nullptr; }

    TCustomComboBox* Owner() const { return FOwner; }

    void showPopup() override {
        if (FOwner && !FOwner->DroppedDown()) {
            const QPointer<TQtComboBox> Self(this);
            const TWeak<TCustomComboBox> Owner(FOwner);
            TComboState::dropDown(FOwner);
            if (!Self || !Owner) return;
        }
        QComboBox::showPopup();
        // Qt lays the list over the box's last row; the platform's starts under it.
        if (QWidget* Popup = view() ? view()->window() : nullptr) {
            const int Bottom = mapToGlobal(QPoint(0, height())).y();
            if (Popup->geometry().top() == Bottom - 1) Popup->move(Popup->x(), Bottom);
            widenToLongestItem(Popup);
        }
    }
    void hidePopup() override {
        const bool WasShown = view() && view()->isVisible();
        QComboBox::hidePopup();
        if (WasShown && FOwner) TComboState::closeUp(FOwner);
    }

private:
    TCustomComboBox* FOwner;

    // The list grows wider than the box until its longest item reads whole, as far as the
    // screen allows, and moves left when it would run off the screen's right edge.
    void widenToLongestItem(QWidget* Popup) {
        QAbstractItemView* View = view();
        const int Missing = View->sizeHintForColumn(0) - View->viewport()->width();
        if (Missing <= 0) return;
        const QScreen* Screen = Popup->screen() ? Popup->screen() : QGuiApplication::primaryScreen();
        const QRect Room = Screen ? Screen->availableGeometry() : QRect(Popup->geometry());
        QRect R = Popup->geometry();
        R.setWidth(std::min(R.width() + Missing, Room.width()));
        if (R.right() > Room.right()) R.moveRight(Room.right());
        if (R.left() < Room.left()) R.moveLeft(Room.left());
        Popup->setGeometry(R);
    }
};

QComboBox* comboOf(TControl* C) { return qobject_cast<QComboBox*>(HostedWidget(C)); }

QRect qRectOf(const TRect& R) { return QRect(R.Left, R.Top, std::max(0, R.Width()), std::max(0, R.Height())); }

// Draws nothing of the box but its text; the field, the arrow and the list lie where the control
// says.
class TComboStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint Hint, const QStyleOption* Option, const QWidget* Widget,
                  QStyleHintReturn* Return) const override {
        // The list opens below the box, as the platform's does, never over it.
        if (Hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(Hint, Option, Widget, Return);
    }

    int pixelMetric(PixelMetric Metric, const QStyleOption* Option, const QWidget* Widget) const override {
        if (Metric == PM_ScrollBarExtent) return GetSystemMetrics(SM_CXVSCROLL);
        return QProxyStyle::pixelMetric(Metric, Option, Widget);
    }

    void drawControl(ControlElement Element, const QStyleOption* Option, QPainter* Painter,
                     const QWidget* Widget) const override {
        const auto* Box = dynamic_cast<const TQtComboBox*>(Widget);
        if (Element == CE_ComboBoxLabel && Box && Box->Owner() &&
            TComboStyleAccess::showsFocusedSelection(Box->Owner())) {
            // The focused selection reads in the highlight's text colour on the control's highlight.
            const TColor RGB = ColorToRGB(clHighlightText);
            const QColor Text = QColor::fromRgb(GetRValue(RGB), GetGValue(RGB), GetBValue(RGB));
            if (const auto* Combo = qstyleoption_cast<const QStyleOptionComboBox*>(Option)) {
                QStyleOptionComboBox Copy = *Combo;
                Copy.palette.setColor(QPalette::Text, Text);
                Copy.palette.setColor(QPalette::ButtonText, Text);
                Painter->save();
                Painter->setPen(Text);
                QProxyStyle::drawControl(Element, &Copy, Painter, Widget);
                Painter->restore();
                return;
            }
        }
        QProxyStyle::drawControl(Element, Option, Painter, Widget);
    }

    void drawComplexControl(ComplexControl Control, const QStyleOptionComplex* Option, QPainter* Painter,
                            const QWidget* Widget) const override {
        if (Control == CC_ComboBox) return;
        if (const auto* Bar = scrollBarOption(Control, Option)) return drawScrollBar(Bar, Painter);
        QProxyStyle::drawComplexControl(Control, Option, Painter, Widget);
    }
    SubControl hitTestComplexControl(ComplexControl Control, const QStyleOptionComplex* Option, const QPoint& At,
                                     const QWidget* Widget) const override {
        if (const auto* Bar = scrollBarOption(Control, Option)) {
            const QPoint Local = At - Bar->rect.topLeft();
            return subControlOf(scrollBarLayout(Bar).PartAt(Point(Local.x(), Local.y())));
        }
        return QProxyStyle::hitTestComplexControl(Control, Option, At, Widget);
    }
    QRect subControlRect(ComplexControl Control, const QStyleOptionComplex* Option, SubControl Sub,
                         const QWidget* Widget) const override {
        if (const auto* Bar = scrollBarOption(Control, Option))
            return scrollBarPartRect(Bar, Sub).translated(Bar->rect.topLeft());
        const auto* Box = dynamic_cast<const TQtComboBox*>(Widget);
        TCustomComboBox* Owner = Box ? Box->Owner() : nullptr;
        if (Control != CC_ComboBox || !Owner) return QProxyStyle::subControlRect(Control, Option, Sub, Widget);
        switch (Sub) {
            case SC_ComboBoxEditField:
                return qRectOf(TComboStyleAccess::editField(Owner));
            case SC_ComboBoxArrow:
                return qRectOf(TComboStyleAccess::button(Owner));
            case SC_ComboBoxFrame:
                return Option->rect;
            case SC_ComboBoxListBoxPopup: {
                QRect R = QProxyStyle::subControlRect(Control, Option, Sub, Widget);
                R.setWidth(std::max(R.width(), TComboStyleAccess::droppedWidth(Owner)));
                return R;
            }
            default:
                return QProxyStyle::subControlRect(Control, Option, Sub, Widget);
        }
    }

private:
    // The list's scroll bars are the framework's own, laid out and drawn as every other bar.
    static const QStyleOptionSlider* scrollBarOption(ComplexControl Control, const QStyleOptionComplex* Option) {
        return Control == CC_ScrollBar ? qstyleoption_cast<const QStyleOptionSlider*>(Option) : nullptr;
    }
    // In the bar's own coordinates; Qt's range ends where the page starts, the platform's where it ends.
    static TScrollBarLayout scrollBarLayout(const QStyleOptionSlider* Bar) {
        const int Page = std::max(0, Bar->pageStep);
        return TScrollBarLayout(Rect(0, 0, Bar->rect.width(), Bar->rect.height()), Bar->orientation == Qt::Vertical,
                                Bar->minimum, Bar->maximum + std::max(0, Page - 1), Page, Bar->sliderPosition);
    }
    static SubControl subControlOf(TScrollBarPart Part) {
        switch (Part) {
            case sbpFirstArrow:
                return SC_ScrollBarSubLine;
            case sbpSecondArrow:
                return SC_ScrollBarAddLine;
            case sbpPageBefore:
                return SC_ScrollBarSubPage;
            case sbpPageAfter:
                return SC_ScrollBarAddPage;
            case sbpThumb:
                return SC_ScrollBarSlider;
            default:
                return SC_None;
        }
    }
    static TScrollBarPart partOf(SubControl Sub) {
        switch (Sub) {
            case SC_ScrollBarSubLine:
                return sbpFirstArrow;
            case SC_ScrollBarAddLine:
                return sbpSecondArrow;
            case SC_ScrollBarSubPage:
                return sbpPageBefore;
            case SC_ScrollBarAddPage:
                return sbpPageAfter;
            case SC_ScrollBarSlider:
                return sbpThumb;
            default:
                return sbpNone;
        }
    }
    static QRect scrollBarPartRect(const QStyleOptionSlider* Bar, SubControl Sub) {
        const TScrollBarLayout Layout = scrollBarLayout(Bar);
        if (Sub == SC_ScrollBarGroove) {
            // The track between the arrows, where the thumb travels.
            const TRect First = Layout.Part(sbpFirstArrow), Second = Layout.Part(sbpSecondArrow);
            return Layout.Vertical() ? qRectOf(Rect(First.Left, First.Bottom, First.Right, Second.Top))
                                     : qRectOf(Rect(First.Right, First.Top, Second.Left, First.Bottom));
        }
        const TScrollBarPart Part = partOf(Sub);
        return Part == sbpNone ? QRect() : qRectOf(Layout.Part(Part));
    }
    static void drawScrollBar(const QStyleOptionSlider* Bar, QPainter* Painter) {
        if (Bar->rect.isEmpty()) return;
        TBitmap Image(Bar->rect.width(), Bar->rect.height());
        const TScrollBarPart Pressed =
            (Bar->state & State_Sunken) ? partOf(static_cast<SubControl>(int(Bar->activeSubControls))) : sbpNone;
        PaintScrollBar(Image.Canvas(), scrollBarLayout(Bar), TScrollBarLook{}, Pressed,
                       (Bar->state & State_Enabled) != 0);
        Painter->drawImage(Bar->rect.topLeft(), *BitmapQImage(&Image));
    }
};

QStyle* comboStyle() {
    static QPointer<TComboStyle> Style;
    if (!Style) {
        Style = new TComboStyle(QApplication::style()->name());
        Style->setParent(qApp);
    }
    return Style;
}

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

void TCustomComboBox::SetMaxLength(int Value) {
    Value = std::max(0, Value);
    if (FMaxLength == Value) return;
    FMaxLength = Value;
    applyEditorProperties();
}

void TCustomComboBox::SetCtl3D(bool Value) {
    if (FCtl3D == Value) return;
    FCtl3D = Value;
    Perform(CM_CTL3DCHANGED, 0, 0);
    Invalidate();
}

TRect TCustomComboBox::DropDownButtonRect() const {
    if (FStyle == csSimple) return TRect();
    const int W = ClientWidth(), H = ClientHeight();
    return Rect(std::max(2, W - 2 - GetSystemMetrics(SM_CXVSCROLL)), 2, std::max(2, W - 2), std::max(2, H - 2));
}

TRect TCustomComboBox::EditFieldRect() const {
    const TRect Button = DropDownButtonRect();
    const int Right = Button.IsEmpty() ? ClientWidth() - 3 : Button.Left - 1;
    return Rect(3, 3, std::max(3, Right), std::max(3, ClientHeight() - 3));
}

void TCustomComboBox::EditFieldChanged() {
    QComboBox* C = comboOf(this);
    if (!C) return;
    // The Qt box places its editor when it is resized.
    QResizeEvent Resized(C->size(), C->size());
    QCoreApplication::sendEvent(C, &Resized);
    C->update();
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) FireEvent(OnDropDown, this);
}

void TCustomComboBox::CloseUp() {
    if (OnCloseUp) FireEvent(OnCloseUp, this);
}

void TCustomComboBox::PaintWindow(HDC DC) {
    DrawControlBorder(DC, ClientRect(), FCtl3D);
    TRect Button = DropDownButtonRect();
    if (!Button.IsEmpty())
        DrawFrameControl(DC, &Button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled() ? 0u : DFCS_INACTIVE));
    if (showsFocusedSelection()) paintFocusedSelection(DC);
}

bool TCustomComboBox::showsFocusedSelection() const { return FStyle == csDropDownList && Focused() && !DroppedDown(); }

void TCustomComboBox::paintFocusedSelection(HDC DC) {
    // The platform's drop-down list marks its focus in the selection field: the highlight under
    // the text (which the Qt box then draws in the highlight's text colour) and a dotted
    // rectangle around it.
    const TRect Field = EditFieldRect();
    if (Field.IsEmpty()) return;
    TDCBrush Highlight;
    Highlight.Color = ColorToRGB(clHighlight);
    DCFillRect(DC, Field, Highlight);
    DrawFocusRect(DC, &Field);
}

bool TCustomComboBox::fromEditPart(const TMessage& Message) const {
    const TControlData* D = Data();
    QComboBox* C = comboOf(const_cast<TCustomComboBox*>(this));
    QLineEdit* Edit = C ? C->lineEdit() : nullptr;
    QWidget* Source = D->QtEventSource;
    if (!Edit || !Source || !D->PendingQtEvent || D->PendingQtEvent->Message != &Message) return false;
    if (Source == Edit || Edit->isAncestorOf(Source)) return true;
    // An editable Qt box takes the keys and hands them to its editor itself.
    if (Source != C) return false;
    switch (Message.Msg) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_SYSCHAR:
            return true;
        default:
            return false;
    }
}

void TCustomComboBox::WndProc(TMessage& Message) {
    if (fromEditPart(Message))
        EditWndProc(Message);
    else
        TWinControl::WndProc(Message);
}

void TCustomComboBox::EditWndProc(TMessage& Message) { TWinControl::WndProc(Message); }

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
    C->setStyle(comboStyle());
    if (QAbstractItemView* List = C->view()) {
        // The platform's list cuts an item at its edge; it never shortens the text.
        List->setTextElideMode(Qt::ElideNone);
        List->verticalScrollBar()->setStyle(comboStyle());
        List->horizontalScrollBar()->setStyle(comboStyle());
    }
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
    // The control paints the background; the Qt box shows only its text.
    QPalette Pal = C->palette();
    Pal.setColor(QPalette::Base, Qt::transparent);
    Pal.setColor(QPalette::Button, Qt::transparent);
    Pal.setColor(QPalette::Window, Qt::transparent);
    Pal.setColor(QPalette::Text, qColorOf(Font()->Color()));
    Pal.setColor(QPalette::ButtonText, qColorOf(Font()->Color()));
    Pal.setColor(QPalette::Disabled, QPalette::Text, qColorOf(clGrayText));
    Pal.setColor(QPalette::Disabled, QPalette::ButtonText, qColorOf(clGrayText));
    C->setPalette(Pal);
    if (QLineEdit* L = C->lineEdit()) {
        L->setFrame(false);
        L->setPalette(Pal);
        // The limit holds for typing; a text from code is kept whole, as on the platform.
        const int Limit = std::max<int>(FMaxLength > 0 ? FMaxLength : 32767, FEditText.size());
        if (L->maxLength() != Limit) L->setMaxLength(Limit);
    }
    // The list keeps the box's colours.
    if (QAbstractItemView* List = C->view()) {
        QPalette ListPal = List->palette();
        ListPal.setColor(QPalette::Base, qColorOf(Color()));
        ListPal.setColor(QPalette::Text, qColorOf(Font()->Color()));
        List->setPalette(ListPal);
    }
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
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            WMFocusChanged(Message);
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
        case CB_SETDROPPEDWIDTH:
            CBSetDroppedWidth(Message);
            break;
        case CB_GETDROPPEDWIDTH:
            Message.Result = FDroppedWidth > 0 ? FDroppedWidth : Width();
            break;
        case CB_SHOWDROPDOWN:
            SetDroppedDown(Message.WParam != 0);
            Message.Result = 1;
            break;
        case CB_SETCURSEL:
            SetItemIndex(static_cast<int>(static_cast<std::intptr_t>(Message.WParam)));
            Message.Result = FItemIndex;
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

void TCustomComboBox::WMFocusChanged(TMessage& Message) {
    const TWeak<TCustomComboBox> Self(this);
    TWinControl::Dispatch(Message);
    // The focus mark in the selection field comes and goes with the focus.
    if (Self) Invalidate();
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

void TCustomComboBox::CBSetDroppedWidth(TMessage& Message) {
    FDroppedWidth = std::max(0, static_cast<int>(static_cast<std::intptr_t>(Message.WParam)));
    Message.Result = FDroppedWidth > 0 ? FDroppedWidth : Width();
}
