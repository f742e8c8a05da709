// TVidIvezadOrir life cycle: creation with the defaults and owned objects, destruction, copying
// from another grid, loading from a form, the window's creation and end, bounds and resizing,
// the wheel set-up and the scroll bars' rule when everything fits.
#include "components/graphics/AdvHintInfo.h"
#include "components/graphics/HTMLPicture.h"
#include "components/graphics/PictureContainer.h"
#include "components/graphics/TesselStyle.h"
#include "components/grid/GridControls.h"
#include "components/grid/GridUnit.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/VidIvezadOrir_Internal.h"
#include "components/grid/model/CellGraphic.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridExportSettings.h"
#include "components/grid/model/GridLists.h"
#include "components/grid/model/GridSettings.h"
#include "framework/rtl/Encoding.h"
#include "framework/rtl/Streams.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Menus.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/UxTheme.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// Creation

TVidIvezadOrir::TVidIvezadOrir(TComponent* AOwner)
    : TBaseGrid(AOwner), FState(std::make_unique<TVidIvezadOrirState>()) {
    const TComponentState OwnerState = AOwner ? AOwner->ComponentState() : TComponentState{};
    FState->InitDesign =
        ComponentState().Contains(csDesigning) && !OwnerState.Contains(csReading) && !OwnerState.Contains(csLoading);
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetDrawingStyle(gdsClassic);

    createOwnedObjects(FState->InitDesign);

    SetRowCount(10);
    SetBounds(Left(), Top(), 400, 250);
    FState->VisibleCol.assign(static_cast<size_t>(ColCount()), true);
    FState->AllColWidths.assign(static_cast<size_t>(ColCount()), DefaultColWidth());
    SetDefaultRowHeight(22);
    SetFixedRowHeight(DefaultRowHeight());
    FTesselGradientTo = ColorToRGB(clBtnFace);
    FState->FixedRowsMin = TBaseGrid::FixedRows();
    FState->FixedColsMin = TBaseGrid::FixedCols();

    // The platform, as far as the looks depend on it.
    const TPlatformFacts& Facts = PlatformFacts();
    FIsWinXP = Facts.MajorVersion > 5 || (Facts.MajorVersion == 5 && Facts.MinorVersion >= 1);
    FIsWin7 = Facts.MajorVersion > 6 || (Facts.MajorVersion == 6 && Facts.MinorVersion >= 1);
    FIsComCtl6 = Facts.ComCtlMajorVersion > 5;
    FIsVista = IsVistaOrLater();
    FBorderColor = FIsWinXP ? 0xB99D7F : clGray;
    FScrollWidth = GetSystemMetrics(SM_CXVSCROLL);

    FState->RememberedLeftCol = LeftCol();
    FState->RememberedTopRow = TopRow();
    createFilterTypeMenu();
    if (!ComponentState().Contains(csDesigning)) createWindows();
    GridHyperlinkCursor = crHandPoint;
    FEncoding = TEncoding::UTF8();
}

void TVidIvezadOrir::createOwnedObjects(bool InitDesign) {
    FFooterPanel = CreateFooterPanel();
    FSearchPanel = new TSearchPanel(this);
    FAutoColor = std::make_unique<TAutoColor>();
    cf = std::make_unique<TFont>();
    FFocusHelper = std::make_unique<TFocusHelper>(this);
    FSearchFooter = std::make_unique<TSearchFooter>(this, InitDesign);
    FSearchFooter->OnChange = [this](TObject* Sender) { SearchFooterChanged(Sender); };
    FFloatingFooter = std::make_unique<TFloatingFooter>(this);
    FPrintSettings = std::make_unique<TPrintSettings>(this);
    FHTMLSettings = std::make_unique<THTMLSettings>();
    FSortSettings = std::make_unique<TSortSettings>(this);
    FDragDropSettings = std::make_unique<TDragDropSettings>(this);
    FDragScrollOptions = std::make_unique<TDragScrollOptions>();
    FControlLook = std::make_unique<TControlLook>(this);
    FControlLook->OnChange = [this](TObject*) { Invalidate(); };
    FNavigation = std::make_unique<TNavigation>();
    FNavigation->OnChange = [this](TObject* Sender) { NavigationChange(Sender); };
    FColumnSize = std::make_unique<TColumnSize>(this);
    FCellNode = std::make_unique<TCellNode>(this);
    FBands = std::make_unique<TBands>();
    FBands->OnChange = [this](TObject*) { Invalidate(); };
    FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
    FMouseActions = std::make_unique<TMouseActions>(this);
    FMouseActions->OnChange = [this](TObject* Sender) { MouseActionsChange(Sender); };
    FMouseActions->OnIsDesigning = [this](TObject* Sender, bool& Designing) { IsDesigning(Sender, Designing); };
    FMouseActions->OnInvalidate = [this](TObject* Sender) { InvalidateGrid(Sender); };
    FGrouping = std::make_unique<TGrouping>(this);
    FColumnHeaders = std::make_unique<TStringList>();
    FImageCache = std::make_unique<THTMLPictureCache>();
    FOrigColSizes = std::make_unique<TIntList>(-1, -1);
    FSuppressColSizes = std::make_unique<TIntList>(-1, -1);
    FSuppressRowSizes = std::make_unique<TIntList>(-1, -1);
    FFixedFont = std::make_unique<TFont>();
    FFixedFont->SetName(QStringLiteral("Tahoma"));
    FFixedFont->SetStyle({fsBold});
    FFixedFont->OnChange = [this](TObject*) { Invalidate(); };
    FActiveCellFont = std::make_unique<TFont>();
    FActiveCellFont->SetStyle({fsBold});
    if (InitDesign) FActiveCellFont->SetName(QStringLiteral("Tahoma"));
    FActiveCellFont->OnChange = [this](TObject*) { Invalidate(); };
    FRowHeaders = std::make_unique<TStringList>();
    FColumnHeaders->OnChange = [this](TObject*) {
        ColumnHeadersChanged();
        ShowColumnHeaders();
    };
    FRowHeaders->OnChange = [this](TObject*) { ShowRowHeaders(); };
    Sortlist = std::make_unique<TStringList>();
    FLookupItems = std::make_unique<TStringList>();
    FRowSelect = std::make_unique<TList>();
    FColSelect = std::make_unique<TList>();
    FSortIndexes = std::make_unique<TSortIndexList>();
    FSortRowXRef = std::make_unique<TIntList>(-1, -1);
    FUnSortRowXRef = std::make_unique<TIntList>(-1, -1);
    FMergedColumns = std::make_unique<TIntList>(-1, -1);
    FSelectedCells = std::make_unique<TIntList>(-1, -1);
    FSelectedRows = std::make_unique<TIntList>(-1, -1);
    FModifiedRows = std::make_unique<TIntList>(-1, -1);
    FEnabledRows = std::make_unique<TIntList>(-1, -1);
    FRowIndicator = std::make_unique<TBitmap>();
    FBackGround = std::make_unique<TBackGround>(this);
    FControlList = std::make_unique<TControlList>();
    FProgressAppearance = std::make_unique<TGridProgressAppearance>();
    FProgressAppearance->OnChange = [this](TObject*) { Invalidate(); };
    FSyncGrid = std::make_unique<TSyncGrid>(this);
    FGridItems = std::make_unique<TCollection>(CollectionItemClass<TGridItem>());
    FFilter = std::make_unique<TFilter>(this);
    FBalloonSettings = std::make_unique<TBalloonSettings>();
    FShowModified = std::make_unique<TShowModified>();
    FShowModified->OnChange = [this](TObject*) { InvalidateCol(0); };
    FNotifierList = std::make_unique<TList>();
    FColumnOrder = std::make_unique<TIntList>(-1, -1);
    FCellGraphic = std::make_unique<TCellGraphic>();
    FOfficeHint = std::make_unique<TAdvHintInfo>();
    FIgnoreColumns = std::make_unique<TIntList>(-1, -1);
    FFilterDropDown = std::make_unique<TFilterDropDown>(this);
    if (InitDesign) {
        FFilterDropDown->SetTextChecked(QStringLiteral("Checked"));
        FFilterDropDown->SetTextUnChecked(QStringLiteral("Unchecked"));
    }
    FFilterDropDown->OnChange = [this](TObject*) { Invalidate(); };
    FDropList = new TDropList(this);
    FDropList->SetParent(this);
    FDropList->SetBounds(0, 0, 0, 0);
    FDropList->SetVisible(false);
    FDropCheckList = new TDropCheckList(this);
    FDropCheckList->SetParent(this);
    FDropCheckList->SetBounds(0, 0, 0, 0);
    FDropCheckList->SetVisible(false);
    FFilterList = std::make_unique<TStringList>();
    FFilterList->SetSorted(true);
    FFilterList->SetDuplicates(dupIgnore);
    FFilterEdit = std::make_unique<TFilterEdit>(this);
    FHoverButtons = std::make_unique<THoverButtons>(this);
}

// The windows of a grid in use: never made while it is being designed.
void TVidIvezadOrir::createWindows() {
    FFocusWindow = new TGridFocusWindow(this);
    FFocusWindow->SetParent(this);
    for (TArrowDirection D : {arrUp, arrDown, arrLeft, arrRight}) FArrows[D] = new TArrowWindow(this, D);
    const auto hiddenChild = [this](TControl* C, bool Enabled) {
        C->SetParent(this);
        C->SetEnabled(Enabled);
        C->SetVisible(false);
    };
    FEditCombo = new TGridCombo(this);
    hiddenChild(FEditCombo, false);
    FEditCombo->SetIsWinXP(FIsWinXP);
    FEditCombo->SetIsVista(FIsVista && FIsComCtl6);
    FEditTrans = new TGridTransEdit(this);
    hiddenChild(FEditTrans, true);
    FEditTrans->SetBorderStyle(bsNone);
    FEditTrans->SetIsFilterEdit(false);
    FComboTrans = new TGridTransCombo(this);
    hiddenChild(FComboTrans, true);
    FEditCheck = new TGridCheckBox(this);
    hiddenChild(FEditCheck, false);
    FEditBtn = new TGridEditBtn(this);
    hiddenChild(FEditBtn, false);
    FEditBtn->SetButtonCaption(QStringLiteral("..."));
    FEditBtn->SetBorderStyle(bsNone);
    FEditBtn->SetIsWinXP(FIsWinXP);
    FUnitEditBtn = new TGridUnitEditBtn(this);
    hiddenChild(FUnitEditBtn, false);
    FUnitEditBtn->SetButtonCaption(QStringLiteral("..."));
    FUnitEditBtn->SetBorderStyle(bsNone);
    FUnitEditBtn->OnUnitChanged = [this](TObject* Sender, const String& NewUnit) {
        if (OnUnitChanged) OnUnitChanged(this, Col(), Row(), NewUnit);
    };
    FGridButton = new TGridButton(this);
    hiddenChild(FGridButton, false);
    FGridButton->OnClick = [this](TObject* Sender) { GridButtonClick(Sender); };
    FMoveButton = new THeaderDragButton(this);
    FMoveButton->SetGrid(this);
    hiddenChild(FMoveButton, false);
    FEditControl = new TControlEdit(this);
    hiddenChild(FEditControl, true);
    FComboControl = new TControlCombo(this);
    hiddenChild(FComboControl, true);
    FScrollBar = new TScrollBar(this);
    FPaintScrollBar = new TScrollBar(this);
    FButtonForm = new TNoActiveForm(this);
    FButtonForm->SetBorderStyle(bsNone);
    FButtonForm->SetBounds(0, 0, 200, 22);
    FButtonForm->OnMouseLeave = [this](TObject* Sender) { HideButtonForm(Sender); };
}

TFooterPanel* TVidIvezadOrir::CreateFooterPanel() { return new TFooterPanel(this); }

TInplaceEdit* TVidIvezadOrir::CreateEditor() { return new TAdvInplaceEdit(this); }

String TVidIvezadOrir::GetEditMask(int ACol, int ARow) {
    String Value = FEditMask;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, Value);
    return Value;
}

// ---------------------------------------------------------------------------------------------
// Destruction

TVidIvezadOrir::~TVidIvezadOrir() = default;

void TVidIvezadOrir::BeforeDestruction() {
    // The unit's hook must not reach a freed grid.
    if (ActiveFocusGrid == this) ActiveFocusGrid = nullptr;
    freeDragScrollTimer();
    FreeScrollControls();
    if (FState->IsPanning && HandleAllocated()) KillTimer(Handle(), 999);
    freeHiddenRowsWithTheirCells();
    if (FColumnSize->Save()) {
        // A store that cannot be written loses the widths, not the grid's end.
        try {
            SaveColSizes();
        } catch (const Exception&) {
        }
    }
    if (!ComponentState().Contains(csDesigning) && FState->FormResizeHooked) {
        if (auto* Form = dynamic_cast<TCustomForm*>(Owner())) Form->OnResize = FState->FormOnResize;
        FState->FormResizeHooked = false;
    }
    FClearTextOnly = false;
    FSaveHiddenCells = false;
    SetCursor(FState->SavedCursor);
    TBaseGrid::BeforeDestruction();
}

// ---------------------------------------------------------------------------------------------
// Copying

void TVidIvezadOrir::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TVidIvezadOrir*>(Source);
    if (!S) return;
    assignSettings(S);
    assignSizes(S);
    assignLookAndFlags(S);
    AssignCells(S);
}

void TVidIvezadOrir::assignSettings(TVidIvezadOrir* S) {
    Font()->Assign(S->Font());
    FActiveCellColor = S->FActiveCellColor;
    FActiveCellColorTo = S->FActiveCellColorTo;
    FActiveCellFont->Assign(S->FActiveCellFont.get());
    FActiveCellShow = S->FActiveCellShow;
    FAutoColor->Assign(S->FAutoColor.get());
    SetActiveRowShow(S->ActiveRowShow());
    SetAlign(S->Align());
    FFilterDropDown->Assign(S->FFilterDropDown.get());
    FAnchorHint = S->FAnchorHint;
    FAutoSize = S->FAutoSize;
    FMouseActions->Assign(S->FMouseActions.get());
    FNavigation->Assign(S->FNavigation.get());
    FGrouping->Assign(S->FGrouping.get());
    FSearchFooter->Assign(S->FSearchFooter.get());
    FPrintSettings->Assign(S->FPrintSettings.get());
    FFilter->Assign(S->FFilter.get());
    FHTMLSettings->Assign(S->FHTMLSettings.get());
    FBands->Assign(S->FBands.get());
    FBackGround->Assign(S->FBackGround.get());
    FCellNode->Assign(S->FCellNode.get());
    FSortSettings->Assign(S->FSortSettings.get());
    FDragScrollOptions->Assign(S->FDragScrollOptions.get());
    FDragDropSettings->Assign(S->FDragDropSettings.get());
    FProgressAppearance->Assign(S->FProgressAppearance.get());
    FColumnSize->Assign(S->FColumnSize.get());
    FSyncGrid->Assign(S->FSyncGrid.get());
    FFocusHelper->Assign(S->FFocusHelper.get());
    FFilterEdit->Assign(S->FFilterEdit.get());
    FHoverButtons->Assign(S->FHoverButtons.get());
    FShowModified->Assign(S->FShowModified.get());
    FControlLook->Assign(S->FControlLook.get());
    FBalloonSettings->Assign(S->FBalloonSettings.get());
    FOfficeHint->Assign(S->FOfficeHint.get());
    FFixedRowAlways = S->FFixedRowAlways;
}

void TVidIvezadOrir::assignSizes(TVidIvezadOrir* S) {
    SetColCount(S->ColCount());
    SetRowCount(S->RowCount());
    SetFixedRows(S->FixedRows());
    SetFixedCols(S->FixedCols());
    SetDefaultColWidth(S->DefaultColWidth());
    SetDefaultRowHeight(S->DefaultRowHeight());
    SetFixedRowHeight(S->FixedRowHeight());
    SetFixedColWidth(S->FixedColWidth());
    FInvalidEntryTitle = S->FInvalidEntryTitle;
    FInvalidEntryIcon = S->FInvalidEntryIcon;
    FInvalidEntryText = S->FInvalidEntryText;
    SetOptions(S->Options());
    for (int C = 0; C < ColCount(); ++C) SetColWidths(C, S->ColWidths(C));
    FColumnHeaders->Assign(S->FColumnHeaders.get());
    for (int R = 0; R < RowCount(); ++R) SetRowHeights(R, S->RowHeights(R));
}

void TVidIvezadOrir::assignLookAndFlags(TVidIvezadOrir* S) {
    FScrollProportional = S->FScrollProportional;
    FScrollSynch = S->FScrollSynch;
    FScrollBarAlways = S->FScrollBarAlways;
    SetScrollBars(S->ScrollBars());
    SetScrollColor(S->ScrollColor());
    SetScrollType(S->ScrollType());
    SetScrollWidth(S->ScrollWidth());
    SetLook(S->Look());
    SetBorderColor(S->BorderColor());
    FSelectionColor = S->FSelectionColor;
    FSelectionColorTo = S->FSelectionColorTo;
    FSelectionMirrorColor = S->FSelectionMirrorColor;
    FSelectionMirrorColorTo = S->FSelectionMirrorColorTo;
    FSelectionTextColor = S->FSelectionTextColor;
    FSelectionRTFKeep = S->FSelectionRTFKeep;
    FSelectionResizer = S->FSelectionResizer;
    FAutoFilterUpdate = S->FAutoFilterUpdate;
    FAutoHideSelection = S->FAutoHideSelection;
    FAutoNumAlign = S->FAutoNumAlign;
    FAutoThemeAdapt = S->FAutoThemeAdapt;
    FDefaultEditor = S->FDefaultEditor;
    FDisabledFontColor = S->FDisabledFontColor;
    FEditWithTags = S->FEditWithTags;
    FEnableHTML = S->FEnableHTML;
    FEnableBlink = S->FEnableBlink;
    FEnhRowColMove = S->FEnhRowColMove;
    FEnhTextSize = S->FEnhTextSize;
    FExcelStyleDecimalSeparator = S->FExcelStyleDecimalSeparator;
    FFilterDropDownAuto = S->FFilterDropDownAuto;
    FFilterDropDownCheck = S->FFilterDropDownCheck;
    FFilterDropDownCheckUnCheckAll = S->FFilterDropDownCheckUnCheckAll;
    FFilterDropDownClear = S->FFilterDropDownClear;
    FFilterDropDownColumns = S->FFilterDropDownColumns;
    FFilterDropDownMultiCol = S->FFilterDropDownMultiCol;
    SetFilterDropDownRow(S->FilterDropDownRow());
    FFixedAsButtons = S->FFixedAsButtons;
    FFixedFooters = S->FFixedFooters;
    FFixedRightCols = S->FFixedRightCols;
    SetGridLineColor(S->GridLineColor());
    SetGridLineWidth(S->GridLineWidth());
    FHighlightColor = S->FHighlightColor;
    FHighlightTextColor = S->FHighlightTextColor;
    FHintColor = S->FHintColor;
    FHintShowCells = S->FHintShowCells;
    FHintShowLargeText = S->FHintShowLargeText;
    FHintShowLargeTextPos = S->FHintShowLargeTextPos;
    FHovering = S->FHovering;
    SetHoverRow(S->HoverRow());
    SetHoverRowColor(S->HoverRowColor());
    SetHoverRowColorTo(S->HoverRowColorTo());
    FIntelliZoom = S->FIntelliZoom;
    FIntegralHeight = S->FIntegralHeight;
    FHTMLHint = S->FHTMLHint;
    FHTMLKeepLineBreak = S->FHTMLKeepLineBreak;
    FInvalidEntryTitle = S->FInvalidEntryTitle;
    FInvalidEntryIcon = S->FInvalidEntryIcon;
    FInvalidEntryText = S->FInvalidEntryText;
    FLookupHistory = S->FLookupHistory;
    FLookup = S->FLookup;
    FLookupItems->Assign(S->FLookupItems.get());
    FLookupCaseSensitive = S->FLookupCaseSensitive;
    FMaxComboLength = S->FMaxComboLength;
    FMaxEditLength = S->FMaxEditLength;
    FMultilinecells = S->FMultilinecells;
}

// The rows hidden in the store hold cell properties: freed here with their graphics, as showing
// every row and clearing the whole grid would, without moving a million rows back first.
void TVidIvezadOrir::freeHiddenRowsWithTheirCells() {
    FreeHiddenRowLookup();
    for (int i = 0; i < FGridItems->Count(); ++i) {
        TStrings* Cells = static_cast<TGridItem*>(FGridItems->Items(i))->Items();
        for (int c = 0; c < Cells->Count(); ++c) {
            auto* P = dynamic_cast<TCellProperties*>(Cells->Objects(c));
            if (!P) continue;
            if (TObject* G = P->GraphicObject(); G && G->ClassName() == QLatin1String("TCellGraphic")) G->Free();
            P->Free();
            Cells->PutObject(c, nullptr);
        }
    }
    FGridItems->Clear();
}

void TVidIvezadOrir::AssignCells(TPersistent* Source) {
    auto* S = dynamic_cast<TVidIvezadOrir*>(Source);
    if (!S) return;
    TMemoryStream Stream;
    S->SaveToStream(&Stream);
    Stream.SetPosition(0);
    LoadFromStream(&Stream);
}

// ---------------------------------------------------------------------------------------------
// Loading from a form

void TVidIvezadOrir::Loaded() {
    TBaseGrid::Loaded();
    FState->SavedCursor = Cursor();
    // A Tessel look is applied again: the setter only acts on a change.
    if (FLook == glTessel) {
        FLook = glCustom;
        SetLook(glTessel);
    }
    if (FColumnSize->Save()) LoadColSizes();
    FState->MinFixedRows = FixedRows();
    FState->MinFixedCols = FixedCols();
    FState->MinRowHeight = DefaultRowHeight();
    FState->MinColWidth = 10;
    FState->MaxColCount = ColCount();
    FState->MaxRowCount = RowCount();
    FState->GridLoaded = true;
    if (Options().Contains(goAlwaysShowEditor)) {
        FNavigation->SetAlwaysEdit(true);
        SetOptions(Options() - TGridOptions{goAlwaysShowEditor});
    }
    if (!ComponentState().Contains(csDesigning) && !(FIsWinXP && ThemeSettings().Active) &&
        FControlLook->ControlStyle() == zirodad::csTheme)
        FControlLook->SetControlStyle(zirodad::csClassic);
    FSearchFooter->SetAutoThemeAdapt(FAutoThemeAdapt);
    SearchFooterChanged(FSearchFooter.get());
    ApplyScrollBarAlways(false);
    FState->DisabledSelection = TGridRect{-1, -1, -1, -1};
}

// ---------------------------------------------------------------------------------------------
// The window

void TVidIvezadOrir::CreateWnd() {
    if (ComponentState().Contains(csDestroying)) return;
    TBaseGrid::CreateWnd();
    if (!Parent()) return;
    if (!ComponentState().Contains(csDesigning)) {
        for (TScrollBar* Bar : {FScrollBar, FPaintScrollBar}) {
            if (!Bar) continue;
            Bar->SetParent(this);
            Bar->SetVisible(false);
            Bar->SetTabStop(false);
            Bar->SetKind(sbVertical);
        }
        FState->DPIScale = (Screen ? Screen->PixelsPerInch() : 96) / 96.0;
        if (FScrollHints != shNone && !FState->ScrollHintWnd) FState->ScrollHintWnd = new THTMLHintWindow(this);
        if (FScrollType == ssMetro) CreateScrollControls();
    }
    FFooterPanel->SetParent(this);
    FFooterPanel->SetVisible(FFloatingFooter->Visible());
    FSearchPanel->SetParent(this);
    FSearchPanel->SetVisible(FSearchFooter->Visible());
    FSearchPanel->SetHeight(FSearchFooter->Visible() ? 32 : 0);
    if (FColumnSize->Save()) LoadColSizes();
    FState->GridTimerID = SetTimer(Handle(), GridTimerId, GridTimerInterval);
    if (ComponentState().Contains(csDesigning) && !FState->GridLoaded && !ComponentState().Contains(csLoading))
        Font()->SetName(QStringLiteral("Tahoma"));
    // Windows XP looks need an active visual style too.
    FIsWinXP = FIsWinXP && ThemeSettings().Active;
    InitMouseWheel(true);
    if (FScrollType != ssNormal && !ComponentState().Contains(csLoading)) {
        InitFlatScrollBars();
        ApplyFlatScrollWidth();
        ApplyFlatScrollColor();
    }
}

void TVidIvezadOrir::DestroyWnd() {
    if (FState->GridTimerID) {
        KillTimer(Handle(), GridTimerId);
        FState->GridTimerID = 0;
    }
    TBaseGrid::DestroyWnd();
}

void TVidIvezadOrir::WMTimer(TMessage& Message) {
    if (Message.WParam == GridTimerId) {
        ++FState->TimerTicks;
        Message.Result = 0;
        return;
    }
    TBaseGrid::Dispatch(Message);
}

int TVidIvezadOrir::TimerTicks() const { return FState->TimerTicks; }

void TVidIvezadOrir::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) {
        // The first reference that matches is cleared; only then the synchronised grid.
        if (static_cast<TComponent*>(FGridImages) == AComponent)
            FGridImages = nullptr;
        else if (static_cast<TComponent*>(FPictureContainer) == AComponent)
            FPictureContainer = nullptr;
        else if (static_cast<TComponent*>(FCellChecker) == AComponent)
            FCellChecker = nullptr;
        else if (!ComponentState().Contains(csDestroying) && FSyncGrid && FSyncGrid->Grid() &&
                 static_cast<void*>(FSyncGrid->Grid()) == static_cast<void*>(AComponent))
            FSyncGrid->SetGrid(nullptr);
    }
    TBaseGrid::Notification(AComponent, Operation);
}

// Each linked component tells the grid when it goes.
void TVidIvezadOrir::SetCellChecker(TVidIvezadOrirCheck* Value) {
    if (FCellChecker) FCellChecker->RemoveFreeNotification(this);
    FCellChecker = Value;
    if (!Value) return;
    Value->FreeNotification(this);
    Value->SetGrid(this);
}

void TVidIvezadOrir::SetGridImages(TCustomImageList* Value) {
    if (FGridImages) FGridImages->RemoveFreeNotification(this);
    FGridImages = Value;
    if (Value) Value->FreeNotification(this);
    Invalidate();
}

void TVidIvezadOrir::SetPictureContainer(TPictureContainer* Value) {
    if (FPictureContainer) FPictureContainer->RemoveFreeNotification(this);
    FPictureContainer = Value;
    if (Value) Value->FreeNotification(this);
    Invalidate();
}

TCustomForm* TVidIvezadOrir::FindParentForm(TControl* Control) {
    for (TControl* C = Control; C; C = C->Parent())
        if (auto* Form = dynamic_cast<TCustomForm*>(C)) return Form;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Bounds, resizing, wheel and scroll bars

void TVidIvezadOrir::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FIntegralHeight && FState->UpdateCount == 0 && DefaultRowHeight() > 0) {
        // Whole rows only: the height is cut to the rows that fit, border and bar added back.
        const bool AllColumnsFit = VisibleColCount() + FixedCols() >= ColCount();
        const int s = AllColumnsFit ? 0 : GetSystemMetrics(SM_CYHSCROLL);
        const int b = BorderStyle() == bsSingle ? 2 : 0;
        AHeight = AHeight + b - ((AHeight - s - b) % DefaultRowHeight());
    }
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (Parent() && Parent()->HandleAllocated()) Invalidate();
}

void TVidIvezadOrir::Resize() {
    const TWeak<TVidIvezadOrir> Self(this);
    TBaseGrid::Resize();
    if (!Self || !FState) return;
    if ((FBackGround->Display() == bdGradientHorz || FBackGround->Display() == bdGradientVert) &&
        FBackGround->ColorTo() != clNone)
        Invalidate();
    ApplyScrollBarAlways(false);
    InitMouseWheel(false);
    if (ComponentState().Contains(csDesigning)) Invalidate();
}

void TVidIvezadOrir::InitMouseWheel(bool Init) {
    FState->WheelMsg = 0;
    FState->WheelScrollLines = 0;
    FState->IsPanning = false;
    UINT Lines = 3;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
    // A notch scrolling a page scrolls the rows in view.
    FState->WheelScrollLines = Lines == WHEEL_PAGESCROLL ? VisibleRowCount() : static_cast<int>(Lines);
    FState->WheelMsg = WM_MOUSEWHEEL;
}

int TVidIvezadOrir::WheelScrollLines() const { return FState->WheelScrollLines; }
UINT TVidIvezadOrir::WheelMessage() const { return FState->WheelMsg; }

void TVidIvezadOrir::ApplyScrollBarAlways(bool Force) {
    const bool AllRowsFit = VisibleRowCount() + FixedRows() >= RowCount();
    const bool AllColsFit = VisibleColCount() + FixedCols() >= ColCount();
    const bool HasVert = ScrollBars() == ssVertical || ScrollBars() == ssBoth;
    const bool HasHorz = ScrollBars() == ssHorizontal || ScrollBars() == ssBoth;
    if (FScrollBarAlways != saNone) {
        if (AllRowsFit && HasVert) ShowScrollBar(SB_VERT, FScrollBarAlways == saVert || FScrollBarAlways == saBoth);
        if (AllColsFit && HasHorz) ShowScrollBar(SB_HORZ, FScrollBarAlways == saHorz || FScrollBarAlways == saBoth);
        // Arrows off disable the whole bar.
        EnableScrollBar(SB_VERT, AllRowsFit ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
        EnableScrollBar(SB_HORZ, AllColsFit ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
    } else if (Force) {
        if (AllRowsFit) ShowScrollBar(SB_VERT, false);
        if (AllColsFit) ShowScrollBar(SB_HORZ, false);
    }
}
