#include "app/_mainUnit.h"

#include "app/_downloadUnit.h"
#include "app/_preview_QuilloryUnit.h"
#include "app/_waitUnit.h"
#include "framework/os/ShellAPI.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/StrUtils.h"
#include "framework/ui/Clipbrd.h"
#include "framework/ui/Dialogs.h"

T_mainForm* _mainForm = nullptr;

TWorkerFactory GrabThreadFactory = [](TEntryKey Key) -> TThread* { return new TQuilloryGrabThread(Key); };

TWorkerFactory DownloadThreadFactory = [](TEntryKey Key) -> TThread* { return new TDownloadThread(Key); };

namespace {

const String NoVideoMessage = QStringLiteral("No video to download or link already in list");
const String InvalidLinkMessage = QStringLiteral("Invalid link. Example: ");

String linkTooLongMessage(const String& Outcome) {
    return QStringLiteral("The link is too long: the link box takes links of at most %1 characters. ")
               .arg(LinkBoxMaxLength - 1) +
           Outcome;
}

template <class T>
T* place(TWinControl* Parent, TComponent* Owner, const char* Name, int Left, int Top, int Width, int Height) {
    T* Control = new T(Owner);
    Control->SetName(QString::fromLatin1(Name));
    Control->SetParent(Parent);
    Control->SetBounds(Left, Top, Width, Height);
    return Control;
}

THTMLabel* placeLabel(TWinControl* Parent, TComponent* Owner, const char* Name, int Left, int Top, const String& Text) {
    THTMLabel* Label = place<THTMLabel>(Parent, Owner, Name, Left, Top, 60, 13);
    Label->HTMLText()->SetText(Text);
    Label->SetAutoSizing(true);
    return Label;
}

TAdvPanel* placePanel(TWinControl* Parent, TComponent* Owner, const char* Name, int Left, int Top, int Width,
                      int Height, int FullHeight) {
    TAdvPanel* Panel = place<TAdvPanel>(Parent, Owner, Name, Left, Top, Width, Height);
    Panel->SetFullHeight(FullHeight);
    return Panel;
}

void showError(const String& Text) { MessageDlg(Text, mtError, {mbOK}, 0); }

}  // namespace

T_mainForm::T_mainForm(TComponent* AOwner) : TForm(AOwner) {
    SetName(QStringLiteral("_mainForm"));
    SetCaption(QStringLiteral("Quillory Video Downloader"));
    SetBorderStyle(bsSingle);
    SetBorderIcons({biSystemMenu, biMinimize});
    SetPosition(poScreenCenter);
    SetScaled(false);
    Font()->SetName(QStringLiteral("MS Sans Serif"));
    Font()->SetHeight(-11);
    SetClientWidth(613);
    SetClientHeight(557);

    AdvPanel1 = placePanel(this, this, "AdvPanel1", 0, 0, 613, 557, 520);
    AdvPanel1->SetAlign(alClient);
    AdvPanel1->SetColor(clSkyBlue);
    AdvPanel1->SetBorderColor(0x0099FF);
    AdvPanel1->SetBorderWidth(1);
    AdvPanel1->SetBevelOuter(bvNone);
    AdvPanel1->SetShadowOffset(0);

    TopAdvPanel = placePanel(AdvPanel1, this, "TopAdvPanel", 9, 8, 510, 75, 75);
    Image1 = place<TImage>(TopAdvPanel, this, "Image1", 10, 28, 20, 20);
    LinkAdvLUEdit = place<TAdvLUEdit>(TopAdvPanel, this, "LinkAdvLUEdit", 36, 29, 350, 19);
    LinkAdvLUEdit->SetAutoSize(false);
    LinkAdvLUEdit->SetAutoHistory(false);
    LinkAdvLUEdit->SetColor(clCream);
    LinkAdvLUEdit->Font()->SetName(QStringLiteral("Tahoma"));
    LinkAdvLUEdit->Font()->SetColor(clGray);
    LinkAdvLUEdit->SetMaxLength(LinkBoxMaxLength);
    LinkAdvLUEdit->SetText(LinkBoxPrompt);
    LinkAdvLUEdit->OnEnter = [this](TObject* Sender) { LinkAdvLUEditEnter(Sender); };
    LinkAdvLUEdit->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) {
        LinkAdvLUEditKeyDown(Sender, Key, Shift);
    };
    AddAdvToolButton = place<TAdvToolButton>(TopAdvPanel, this, "AddAdvToolButton", 391, 29, 110, 19);
    AddAdvToolButton->SetCaption(QStringLiteral("Add"));
    AddAdvToolButton->SetColor(clCream);
    AddAdvToolButton->SetColorTo(clNone);
    AddAdvToolButton->SetColorHot(clWhite);
    AddAdvToolButton->SetColorHotTo(clMoneyGreen);
    AddAdvToolButton->SetColorDown(clWhite);
    AddAdvToolButton->SetColorDownTo(clMoneyGreen);
    AddAdvToolButton->SetBorderColor(clBlack);
    AddAdvToolButton->SetBorderHotColor(clBlack);
    AddAdvToolButton->SetBorderDownColor(clBlack);
    AddAdvToolButton->Font()->SetName(QStringLiteral("Tahoma"));
    AddAdvToolButton->Font()->SetStyle({fsBold});
    AddAdvToolButton->SetCursor(crHandPoint);
    AddAdvToolButton->OnClick = [this](TObject* Sender) { AddAdvToolButtonClick(Sender); };
    AutoCheckBox = place<TCheckBox>(TopAdvPanel, this, "AutoCheckBox", 347, 10, 154, 17);
    AutoCheckBox->SetCaption(QStringLiteral("Enable autostart downloads"));
    ExampleHTMLabel = placeLabel(TopAdvPanel, this, "ExampleHTMLabel", 10, 50, QStringLiteral("Example:"));
    ExampleHTMLabel->Font()->SetColor(clNavy);
    ExampleHTMLabel->Font()->SetHeight(-9);
    ExampleMemo = place<TAdvEdit>(TopAdvPanel, this, "ExampleMemo", 54, 50, 447, 13);
    ExampleMemo->SetAutoSize(false);
    ExampleMemo->SetReadOnly(true);
    ExampleMemo->SetBorderStyle(bsNone);
    ExampleMemo->SetTransparent(true);
    ExampleMemo->Font()->SetColor(clNavy);
    ExampleMemo->Font()->SetHeight(-9);

    SecondAdvPanel = placePanel(AdvPanel1, this, "SecondAdvPanel", 8, 89, 510, 86, 75);
    Image2 = place<TImage>(SecondAdvPanel, this, "Image2", 10, 11, 20, 20);
    Image4 = place<TImage>(SecondAdvPanel, this, "Image4", 10, 39, 20, 20);
    Image3 = place<TImage>(SecondAdvPanel, this, "Image3", 246, 38, 20, 20);
    SaveToHTMLabel = placeLabel(SecondAdvPanel, this, "SaveToHTMLabel", 32, 14, QStringLiteral("Save To:"));
    SaveToHTMLabel->Font()->SetStyle({fsBold});
    SaveAdvDirectoryEdit = place<TAdvDirectoryEdit>(SecondAdvPanel, this, "SaveAdvDirectoryEdit", 90, 12, 411, 19);
    SaveAdvDirectoryEdit->SetAutoSize(false);
    // Typing disabled: the folder comes from the browse button.
    SaveAdvDirectoryEdit->SetEditorEnabled(false);
    SaveAdvDirectoryEdit->SetButtonWidth(18);
    SaveAdvDirectoryEdit->SetBrowseDialogText(QStringLiteral("Select Directory"));
    SaveAdvDirectoryEdit->SetColor(clCream);
    DownloadHTMLabel = placeLabel(SecondAdvPanel, this, "DownloadHTMLabel", 32, 42, QStringLiteral("Download From:"));
    DownloadHTMLabel->Font()->SetStyle({fsBold});
    DownloadAdvComboBox = place<TAdvComboBox>(SecondAdvPanel, this, "DownloadAdvComboBox", 112, 37, 128, 21);
    DownloadAdvComboBox->SetStyle(csDropDownList);
    DownloadAdvComboBox->OnChange = [this](TObject* Sender) { DownloadAdvComboBoxChange(Sender); };
    SaveAsHTMLabel = placeLabel(SecondAdvPanel, this, "SaveAsHTMLabel", 267, 42, QStringLiteral("Save As:"));
    SaveAsHTMLabel->Font()->SetStyle({fsBold});
    AviAdvComboBox = place<TAdvComboBox>(SecondAdvPanel, this, "AviAdvComboBox", 325, 37, 176, 21);
    AviAdvComboBox->SetStyle(csDropDownList);
    for (const String& Format : OutputFormats) AviAdvComboBox->Items()->Add(Format);
    AviAdvComboBox->SetItemIndex(0);
    HQCheckBox = place<TCheckBox>(SecondAdvPanel, this, "HQCheckBox", 10, 64, 182, 17);
    HQCheckBox->SetCaption(QStringLiteral("Download in high ( or HD ) quality  "));
    HQCheckBox->SetAlignment(taLeftJustify);

    BottomAdvPanel = placePanel(AdvPanel1, this, "BottomAdvPanel", 8, 181, 510, 368, 340);
    StartAdvToolButton =
        makeToolButton(BottomAdvPanel, QStringLiteral("Start"), QStringLiteral("Start Download"), 10, 10);
    StartAdvToolButton->SetName(QStringLiteral("StartAdvToolButton"));
    StopAdvToolButton = makeToolButton(BottomAdvPanel, QStringLiteral("Stop"), QStringLiteral("Stop Download"), 69, 10);
    StopAdvToolButton->SetName(QStringLiteral("StopAdvToolButton"));
    RemoveAdvToolButton =
        makeToolButton(BottomAdvPanel, QStringLiteral("Remove"), QStringLiteral("Remove Video"), 128, 10);
    RemoveAdvToolButton->SetName(QStringLiteral("RemoveAdvToolButton"));
    PlayAdvToolButton = makeToolButton(BottomAdvPanel, QStringLiteral("Play"), QStringLiteral("Play Video"), 385, 10);
    PlayAdvToolButton->SetName(QStringLiteral("PlayAdvToolButton"));
    OpenAdvToolButton =
        makeToolButton(BottomAdvPanel, QStringLiteral("Browse"), QStringLiteral("Open Folder"), 446, 10);
    OpenAdvToolButton->SetName(QStringLiteral("OpenAdvToolButton"));
    StartAdvToolButton->OnClick = [this](TObject* Sender) { StartAdvToolButtonClick(Sender); };
    StopAdvToolButton->OnClick = [this](TObject* Sender) { StopAdvToolButtonClick(Sender); };
    RemoveAdvToolButton->OnClick = [this](TObject* Sender) { RemoveAdvToolButtonClick(Sender); };
    PlayAdvToolButton->OnClick = [this](TObject* Sender) { PlayAdvToolButtonClick(Sender); };
    OpenAdvToolButton->OnClick = [this](TObject* Sender) { OpenAdvToolButtonClick(Sender); };
    for (TAdvToolButton* Button : {StopAdvToolButton, RemoveAdvToolButton, PlayAdvToolButton, OpenAdvToolButton})
        Button->SetEnabled(false);

    MainListView = place<TListView>(BottomAdvPanel, this, "MainListView", 13, 78, 488, 275);
    MainListView->SetViewStyle(vsReport);
    MainListView->SetReadOnly(true);
    MainListView->SetRowSelect(true);
    MainListView->SetGridLines(true);
    MainListView->SetHideSelection(false);
    MainListView->SetColumnClick(false);
    const struct {
        const char* Caption;
        int Width;
        TAlignment Alignment;
    } Columns[] = {{"Video", 335, taLeftJustify}, {"Size", 70, taLeftJustify}, {"Progress", 70, taCenter}};
    for (const auto& C : Columns) {
        TListColumn* Column = MainListView->Columns()->Add();
        Column->SetCaption(QString::fromLatin1(C.Caption));
        Column->SetWidth(C.Width);
        Column->SetAlignment(C.Alignment);
    }
    MainListView->OnChange = [this](TObject* Sender, TListItem* Item, TItemChange Change) {
        MainListViewChange(Sender, Item, Change);
    };
    LogMemo = place<TMemo>(BottomAdvPanel, this, "LogMemo", 31, 131, 433, 145);
    LogMemo->SetVisible(false);
    LogMemo->SetText(QStringLiteral("LogMemo"));

    RightAdvPanel = placePanel(AdvPanel1, this, "RightAdvPanel", 525, 8, 80, 541, 0);
    HomepageAdvToolButton = makeToolButton(RightAdvPanel, QStringLiteral("Home"), String(), 13, 13);
    HomepageAdvToolButton->SetName(QStringLiteral("HomepageAdvToolButton"));
    UpdateAdvToolButton = makeToolButton(RightAdvPanel, QStringLiteral("Update"), String(), 13, 77);
    UpdateAdvToolButton->SetName(QStringLiteral("UpdateAdvToolButton"));
    SupportAdvToolButton = makeToolButton(RightAdvPanel, QStringLiteral("Support"), String(), 13, 140);
    SupportAdvToolButton->SetName(QStringLiteral("SupportAdvToolButton"));
    HelpAdvToolButton = makeToolButton(RightAdvPanel, QStringLiteral("Help"), String(), 13, 204);
    HelpAdvToolButton->SetName(QStringLiteral("HelpAdvToolButton"));
    ExitAdvToolButton = makeToolButton(RightAdvPanel, QStringLiteral("Exit"), String(), 13, 265);
    ExitAdvToolButton->SetName(QStringLiteral("ExitAdvToolButton"));

    TmpPanel = place<TPanel>(AdvPanel1, this, "TmpPanel", 0, 0, 185, 0);

    AdvMenuOfficeStyler = new TAdvMenuOfficeStyler(this);
    AdvMenuOfficeStyler->SetName(QStringLiteral("AdvMenuOfficeStyler"));
    AdvMenuOfficeStyler->SetStyle(osOffice2003Blue);
    AdvPopupMenu = new TAdvPopupMenu(this);
    AdvPopupMenu->SetName(QStringLiteral("AdvPopupMenu"));
    AdvPopupMenu->SetMenuStyler(AdvMenuOfficeStyler);
    StartDownload1 = makeMenuItem(QStringLiteral("Start Download"), [this](TObject* S) { StartAdvToolButtonClick(S); });
    StopDownload1 = makeMenuItem(QStringLiteral("Stop Download"), [this](TObject* S) { StopAdvToolButtonClick(S); });
    VideoInfo1 = makeMenuItem(QStringLiteral("Video Info"), nullptr);
    RemoveEntry1 = makeMenuItem(QStringLiteral("Remove Entry"), [this](TObject* S) { RemoveAdvToolButtonClick(S); });
    PlayVideo1 = makeMenuItem(QStringLiteral("Play Video"), [this](TObject* S) { PlayAdvToolButtonClick(S); });
    OpenVideo1 = makeMenuItem(QStringLiteral("Open Video"), [this](TObject* S) { OpenLabelClick(S); });
    // Offered on the list, so that the twins of the action buttons can be reached.
    MainListView->SetPopupMenu(AdvPopupMenu);

    ExeInfo = new TExeInfo(this);
    ExeInfo->SetName(QStringLiteral("ExeInfo"));
    ButtonsImageList = new TImageList(this);
    ButtonsImageList->SetName(QStringLiteral("ButtonsImageList"));
    ButtonsImageList->SetWidth(32);
    ButtonsImageList->SetHeight(32);
    PopupImageList = new TImageList(this);
    PopupImageList->SetName(QStringLiteral("PopupImageList"));
    PopupImageList->SetWidth(16);
    PopupImageList->SetHeight(16);
    AdvPopupMenu->SetImages(PopupImageList);
    Timer = new TTimer(this);
    Timer->SetName(QStringLiteral("Timer"));
    Timer->SetEnabled(false);

    loadPictures();

    AutoCheckBox->OnClick = [this](TObject* Sender) { AutoCheckBoxClick(Sender); };
    DownloadAdvComboBox->OnClick = [this](TObject* Sender) { DownloadAdvComboBoxClick(Sender); };
    AviAdvComboBox->OnClick = [this](TObject* Sender) { AviAdvComboBoxClick(Sender); };
    SaveAdvDirectoryEdit->OnChange = [this](TObject* Sender) { AdvDirectoryEdit1Change(Sender); };
    HomepageAdvToolButton->OnClick = [this](TObject* Sender) { HomepageAdvToolButtonClick(Sender); };
    UpdateAdvToolButton->OnClick = [this](TObject* Sender) { UpdateAdvToolButtonClick(Sender); };
    SupportAdvToolButton->OnClick = [this](TObject* Sender) { SupportAdvToolButtonClick(Sender); };
    HelpAdvToolButton->OnClick = [this](TObject* Sender) { HelpAdvToolButtonClick(Sender); };
    ExitAdvToolButton->OnClick = [this](TObject* Sender) { ExitAdvToolButtonClick(Sender); };

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnActivate = [this](TObject* Sender) { FormActivate(Sender); };
    OnCloseQuery = [this](TObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
    InstallEntryWindow(this);
}

T_mainForm::~T_mainForm() {
    if (_mainForm == this) _mainForm = nullptr;
}

void T_mainForm::BeforeDestruction() {
    // Workers hand their last writes to this window; let them end while its controls exist.
    StopAllWorkers();
    RemoveEntryWindow(this);
    if (Application) Application->OnActivate = nullptr;
    TForm::BeforeDestruction();
}

TAdvToolButton* T_mainForm::makeToolButton(TWinControl* Parent, const String& Caption, const String& Hint, int Left,
                                           int Top) {
    auto* Button = new TAdvToolButton(this);
    Button->SetParent(Parent);
    Button->SetBounds(Left, Top, 55, 55);
    Button->SetCaption(Caption);
    Button->SetLayout(blGlyphTop);
    Button->SetBorderDownColor(clBlack);
    Button->SetBorderHotColor(clWhite);
    if (!Hint.isEmpty()) {
        Button->SetHint(Hint);
        Button->SetShowHint(true);
    }
    return Button;
}

std::vector<TAdvToolButton*> T_mainForm::toolButtons() const {
    return {StartAdvToolButton,    StopAdvToolButton,   RemoveAdvToolButton,  PlayAdvToolButton, OpenAdvToolButton,
            HomepageAdvToolButton, UpdateAdvToolButton, SupportAdvToolButton, HelpAdvToolButton, ExitAdvToolButton};
}

TMenuItem* T_mainForm::makeMenuItem(const String& Caption, TNotifyEvent OnClick) {
    auto* Item = new TMenuItem(this);
    Item->SetCaption(Caption);
    Item->OnClick = std::move(OnClick);
    AdvPopupMenu->Items()->Add(Item);
    return Item;
}

void T_mainForm::FormCreate(TObject*) {
    if (!_mainForm) _mainForm = this;
    ClearList();
    Application->OnActivate = [this](TObject* Sender) { PasteLinkFromClipboard(Sender); };
    DownloadAdvComboBox->Items()->Clear();
    for (const String& Site : SiteBoxItems) DownloadAdvComboBox->Items()->Add(Site);
    DownloadAdvComboBox->SetItemIndex(0);
    SetColor(MainFormColor);
    for (TControl* Control : std::initializer_list<TControl*>{
             AdvPanel1, TopAdvPanel, SecondAdvPanel, BottomAdvPanel, RightAdvPanel, AutoCheckBox, ExampleMemo,
             ExampleHTMLabel, SaveToHTMLabel, DownloadHTMLabel, SaveAsHTMLabel, HQCheckBox})
        Control->SetColor(MainFormColor);
    // The Add button keeps its own colours.
    for (TAdvToolButton* Button : toolButtons()) {
        Button->SetColor(MainFormColor);
        Button->SetColorDown(MainFormColor);
        Button->SetColorHot(MainFormColor);
    }
    DownloadAdvComboBoxChange(DownloadAdvComboBox);
    enable_buttons();
}

void T_mainForm::DownloadAdvComboBoxChange(TObject*) { ExampleMemo->SetText(ExampleLink); }

void T_mainForm::LinkAdvLUEditEnter(TObject*) {
    LinkAdvLUEdit->SetText(String());
    LinkAdvLUEdit->Font()->SetColor(clBlack);
}

void T_mainForm::LinkAdvLUEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
    const bool Paste = (Key == 'V' && Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) ||
                       (Key == VK_INSERT && Shift.Contains(ssShift) && !Shift.Contains(ssCtrl));
    // The editor would cut a paste at its limit without a word.
    if (Paste && !pasteFitsLinkBox()) {
        Key = 0;
        return;
    }
    if (Key == VK_RETURN) AddAdvToolButtonClick(Sender);
}

bool T_mainForm::pasteFitsLinkBox() {
    const int Kept = int(LinkAdvLUEdit->Text().length()) - LinkAdvLUEdit->SelLength();
    if (Kept + int(Clipboard()->AsText().length()) < LinkBoxMaxLength) return true;
    showError(linkTooLongMessage(QStringLiteral("Nothing was pasted.")));
    return false;
}

void T_mainForm::MainListViewChange(TObject*, TListItem*, TItemChange) { enable_buttons(); }

// ---- the list ----

bool T_mainForm::AddEntry(int server, const String& link) {
    AppendEntry(server, link);
    return true;
}

void T_mainForm::AddListRow(const TItem& Item) {
    TListItem* Row = MainListView->Items()->Add();
    Row->SetCaption(Item.title);
    Row->SubItems()->Add(FmtFileSize(Item.size));
    Row->SubItems()->Add(QStringLiteral("0%"));
    MainListView->SetItemIndex(MainListView->Items()->Count() - 1);
    if (MainListView->CanFocus()) MainListView->SetFocus();
    enable_buttons();
}

void T_mainForm::ClearList() { MainListView->Items()->Clear(); }

void T_mainForm::enable_buttons() {
    bool Start = false, Stop = false, Remove = false, Done = false;
    const int i = MainListView->ItemIndex();
    if (i >= 0 && i < int(entries.size()) && !entries[i].title.isEmpty()) {
        const TItem& Item = entries[i];
        Remove = Item.status != esDownloading;
        // A stopped entry whose thread is still ending is not started again until it has ended.
        Start = Item.status == esReady && !Item.thread;
        Stop = Item.status == esDownloading;
        Done = Item.status == esDone;
    }
    StartAdvToolButton->SetEnabled(Start);
    StopAdvToolButton->SetEnabled(Stop);
    RemoveAdvToolButton->SetEnabled(Remove);
    PlayAdvToolButton->SetEnabled(Done);
    OpenAdvToolButton->SetEnabled(Done);
    StartDownload1->SetEnabled(Start);
    StopDownload1->SetEnabled(Stop);
    RemoveEntry1->SetEnabled(Remove);
    PlayVideo1->SetEnabled(Done);
    OpenVideo1->SetEnabled(Done);
}

void T_mainForm::SetRowText(int Row, int Column, const String& Text) {
    if (Row < 0 || Row >= MainListView->Items()->Count() || Column < 0 || Column > 2) return;
    TListItem* Item = MainListView->Items()->Item(Row);
    if (Column == 0) {
        Item->SetCaption(Text);
        return;
    }
    while (Item->SubItems()->Count() < Column) Item->SubItems()->Add(String());
    if (Item->SubItems()->Strings(Column - 1) != Text) Item->SubItems()->Put(Column - 1, Text);
}

String T_mainForm::RowText(int Row, int Column) const {
    if (Row < 0 || Row >= MainListView->Items()->Count() || Column < 0 || Column > 2) return String();
    TListItem* Item = MainListView->Items()->Item(Row);
    if (Column == 0) return Item->Caption();
    return Column - 1 < Item->SubItems()->Count() ? Item->SubItems()->Strings(Column - 1) : String();
}

// ---- link intake ----

void T_mainForm::AddAdvToolButtonClick(TObject*) {
    // One page read at a time: the wait loop below keeps the window alive, and a second Add
    // inside it would share grab_done with the first.
    if (!AddAdvToolButton->Enabled()) return;
    // A box filled to its limit may hold a link the editor cut (a drop, the editor's own menu):
    // a cut address is never fetched.
    if (LinkAdvLUEdit->Text().length() >= LinkBoxMaxLength) {
        showError(linkTooLongMessage(QStringLiteral("Nothing was added.")));
        return;
    }
    const String Link = Trim(LinkAdvLUEdit->Text());
    LinkAdvLUEdit->SetText(Link);

    const TSiteMatch Match = MatchSiteTable(Link);
    for (int i = 0; i < Match.InvalidRows; ++i) showError(InvalidLinkMessage + ExampleLink);
    if (Match.Server == 0 || LinkInEntries(Link, int(entries.size())) || Match.Server != QuillorySiteId) {
        showError(NoVideoMessage);
        return;
    }

    AddEntry(Match.Server, Link);
    const TEntryKey Key = entries.back().key;
    TThread* Reader = GrabThreadFactory ? GrabThreadFactory(Key) : nullptr;
    if (!Reader) {
        RemoveEntryAt(EntryIndexOfKey(Key));
        showError(QStringLiteral("The page reader is not available."));
        return;
    }
    entries.back().title.clear();
    Reader->SetFreeOnTerminate(true);
    Reader->SetPriority(tpLowest);
    Reader->OnTerminate = [Reader](TObject*) {
        // Only the current reader may end the wait: an older one ending late would release a
        // later Add's wait before its page was read.
        const bool Current = grab_thread == Reader;
        ForgetGrabThread(Reader);
        if (Current) grab_done = true;
    };
    RegisterWorker(Reader);
    SetGrabThread(Reader);
    grab_done = false;
    Reader->Start();
    waitForPageReader();
    acceptEntry(Key);
}

void T_mainForm::waitForPageReader() {
    AddAdvToolButton->SetEnabled(false);
    Application->ProcessMessages();
    if (_waitForm) _waitForm->Show();
    while (!grab_done && !Application->Terminated()) {
        CheckSynchronize(10);
        Application->ProcessMessages();
    }
    if (_waitForm) _waitForm->Hide();
    Application->ProcessMessages();
    AddAdvToolButton->SetEnabled(true);
}

bool T_mainForm::acceptEntry(TEntryKey Key) {
    int Index = EntryIndexOfKey(Key);
    if (Index < 0) return false;
    if (entries[Index].title.isEmpty()) {
        RemoveEntryAt(Index);
        return false;
    }
    // Row i shows entries[i]: the accepted entry takes the place after the listed ones.
    const int Row = MainListView->Items()->Count();
    if (Index != Row && Row < int(entries.size())) {
        TItem Item = std::move(entries[Index]);
        entries.erase(entries.begin() + Index);
        entries.insert(entries.begin() + Row, std::move(Item));
        for (int k = 0; k < int(entries.size()); ++k) entries[k].id = k;
        Index = Row;
    }
    TItem& Item = entries[Index];
    Item.title = CleanTitle(Item.title);
    Item.format = AviAdvComboBox->ItemIndex();
    Item.saveto = SaveAdvDirectoryEdit->Text();
    // An empty folder box never makes a path in the filesystem root.
    if (Item.saveto.isEmpty()) Item.saveto = GetMyDocumentsFolder();
    Item.status = esReady;
    Item.filename = Item.title;
    AddListRow(Item);
    if (AutoCheckBox->Checked()) StartAdvToolButtonClick(StartAdvToolButton);
    return true;
}

// ---- actions on the selected row ----

void T_mainForm::StartAdvToolButtonClick(TObject*) {
    const int i = MainListView->ItemIndex();
    if (i < 0 || i >= int(entries.size())) return;
    TItem& Item = entries[i];
    if (Item.status != esReady || Item.thread || Item.title.isEmpty()) return;
    TThread* Thread = DownloadThreadFactory ? DownloadThreadFactory(Item.key) : nullptr;
    if (!Thread) {
        showError(QStringLiteral("The download could not be started."));
        return;
    }
    Item.status = esDownloading;
    Item.thread = Thread;
    const TEntryKey Key = Item.key;
    Thread->SetFreeOnTerminate(true);
    Thread->SetPriority(tpLowest);
    Thread->OnTerminate = [Key, Thread](TObject*) {
        if (TItem* Entry = EntryOfKey(Key); Entry && Entry->thread == Thread) Entry->thread = nullptr;
        EnableEntryButtons();
    };
    // Known from the thread's creation, so the entry is found by thread_id from its first step.
    Item.thread_id = Thread->ThreadID();
    RegisterWorker(Thread);
    Thread->Start();
    enable_buttons();
}

void T_mainForm::StopAdvToolButtonClick(TObject*) {
    const int i = MainListView->ItemIndex();
    if (i < 0 || i >= int(entries.size())) return;
    TItem& Item = entries[i];
    // Only a live thread is asked to stop; one that has ended is never touched again.
    if (Item.status != esDownloading || !Item.thread) return;
    Item.thread->Terminate();
    Item.status = esReady;
    enable_buttons();
}

void T_mainForm::RemoveAdvToolButtonClick(TObject*) {
    const int i = MainListView->ItemIndex();
    if (i < 0 || i >= int(entries.size()) || i >= MainListView->Items()->Count()) return;
    if (entries[i].status == esDownloading) return;
    MainListView->Items()->BeginUpdate();
    for (int k = i; k < MainListView->Items()->Count() - 1; ++k)
        MainListView->Items()->Item(k)->Assign(MainListView->Items()->Item(k + 1));
    MainListView->Items()->Delete(MainListView->Items()->Count() - 1);
    MainListView->Items()->EndUpdate();
    RemoveEntryAt(i);
    // The entry that followed takes the removed one's place and its selection.
    if (i < MainListView->Items()->Count()) MainListView->SetItemIndex(i);
    MainListView->Repaint();
    enable_buttons();
}

namespace {

String entryPath(const TItem& Item) {
    String Path = Item.saveto + QStringLiteral("\\") + Item.filename;
    while (Path.contains(QStringLiteral("\\\\"))) Path.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    return Path;
}

}  // namespace

void T_mainForm::PlayAdvToolButtonClick(TObject*) {
    const int i = MainListView->ItemIndex();
    if (i < 0 || i >= int(entries.size()) || entries[i].status != esDone) return;
    ShellExecuteAndWait(entryPath(entries[i]), String(), SW_SHOWNORMAL);
}

void T_mainForm::OpenAdvToolButtonClick(TObject*) {
    const int i = MainListView->ItemIndex();
    if (i < 0 || i >= int(entries.size()) || entries[i].status != esDone) return;
    const String Params = QStringLiteral(" /select, \"") + entryPath(entries[i]) + u'"';
    ShellExecute(nullptr, QStringLiteral("open"), QStringLiteral("explorer.exe"), Params, String(), SW_SHOWNORMAL);
}

void T_mainForm::OpenLabelClick(TObject*) {
    ShellExecute(nullptr, QStringLiteral("open"), SaveAdvDirectoryEdit->Text(), String(), String(), SW_SHOWDEFAULT);
}

// ---- shared routines ----

void ShellExecuteAndWait(const String& FileName, const String& Params, int ShowMode) {
    SHELLEXECUTEINFO Info;
    Info.fMask = SEE_MASK_NOCLOSEPROCESS;
    Info.lpFile = FileName;
    Info.lpParameters = Params;
    Info.nShow = ShowMode;
    if (!ShellExecuteEx(&Info) || !Info.hProcess) return;
    while (WaitForSingleObject(Info.hProcess, 500) == WAIT_TIMEOUT) Application->ProcessMessages();
}
