// The main window: the link box, the settings boxes, the download list and its action buttons.
// The list's entries live in app/Entries.h (`entries`, `grab_done`, `grab_thread`); row i of
// MainListView shows entries[i] once the entry is accepted.
//
// Worker threads never call into this window directly: they queue their updates onto the window
// thread and reach the window there through TEntryWindow (app/Entries.h), which it installs for
// its lifetime.
#pragma once

#include "app/Entries.h"
#include "app/_implodeexplode.h"
#include "components/controls/AdvCombo.h"
#include "components/controls/AdvDirectoryEdit.h"
#include "components/controls/AdvLUEdit.h"
#include "components/controls/AdvMenus.h"
#include "components/controls/AdvOfficeMenuStyler.h"
#include "components/controls/AdvPanel.h"
#include "components/controls/AdvToolButton.h"
#include "components/controls/ExeInfo.h"
#include "components/controls/HTMLabel.h"
#include "framework/ui/ComCtrls.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Menus.h"
#include "framework/ui/StdCtrls.h"
#include "framework/ui/Timer.h"

#include <cstdint>
#include <functional>
#include <vector>

// The program's settings key below HKEY_CURRENT_USER.
extern const String SettingsKey;
// The maker's web host (https), and its support address.
extern const String MakerHost;
extern const String SupportAddress;
// The user's documents folder, found anew at every activation of the main window.
extern String my_documents;
// The language number: stored, never applied.
inline constexpr int DefaultLanguage = 10000;
extern int language;

// Quillory's site id in the site table.
inline constexpr int QuillorySiteId = 67;
// The example page link shown under the link box and in the "Invalid link" message.
extern const String ExampleLink;
// The link box's text until it first gets the focus.
extern const String LinkBoxPrompt;
// The most characters the link box holds. A link that fills it may have been cut by the box, so
// links are taken up to one character less.
inline constexpr int LinkBoxMaxLength = 32767;

// The outcome of matching a link against the site table.
struct TSiteMatch {
    int Server = 0;  // site id of the first accepted row; 0 when no row accepted the link
    // Rows whose domain marker was found but none of whose sub-markers was.
    int InvalidRows = 0;
};
// Tests every row of the site table in order; the link as typed (already trimmed).
TSiteMatch MatchSiteTable(const String& Link);
// The site id of row Row (0-based) of the table, and the number of rows.
int SiteTableId(int Row);
int SiteTableCount();

// The list of output formats in the format box, index = entry format.
extern const String OutputFormats[11];
// The site box's items: "Auto", "Quillory", then the other sites.
extern const String SiteBoxItems[41];

class T_mainForm : public TForm, public TEntryWindow {
public:
    explicit T_mainForm(TComponent* AOwner);
    ~T_mainForm() override;
    void BeforeDestruction() override;

    // ---- controls, at their places ----
    TAdvPanel* AdvPanel1;
    TAdvPanel* TopAdvPanel;
    TAdvLUEdit* LinkAdvLUEdit;
    TAdvToolButton* AddAdvToolButton;
    TCheckBox* AutoCheckBox;
    THTMLabel* ExampleHTMLabel;
    TAdvEdit* ExampleMemo;
    TAdvPanel* SecondAdvPanel;
    THTMLabel* SaveToHTMLabel;
    TAdvDirectoryEdit* SaveAdvDirectoryEdit;
    THTMLabel* DownloadHTMLabel;
    TAdvComboBox* DownloadAdvComboBox;
    THTMLabel* SaveAsHTMLabel;
    TAdvComboBox* AviAdvComboBox;
    TCheckBox* HQCheckBox;
    TAdvPanel* BottomAdvPanel;
    TAdvToolButton* StartAdvToolButton;
    TAdvToolButton* StopAdvToolButton;
    TAdvToolButton* RemoveAdvToolButton;
    TAdvToolButton* PlayAdvToolButton;
    TAdvToolButton* OpenAdvToolButton;
    TListView* MainListView;
    TMemo* LogMemo;
    TAdvPanel* RightAdvPanel;
    TAdvToolButton* HomepageAdvToolButton;
    TAdvToolButton* UpdateAdvToolButton;
    TAdvToolButton* SupportAdvToolButton;
    TAdvToolButton* HelpAdvToolButton;
    TAdvToolButton* ExitAdvToolButton;
    TPanel* TmpPanel;
    TAdvPopupMenu* AdvPopupMenu;
    TAdvMenuOfficeStyler* AdvMenuOfficeStyler;
    TMenuItem* StartDownload1;
    TMenuItem* StopDownload1;
    TMenuItem* RemoveEntry1;
    TMenuItem* PlayVideo1;
    TMenuItem* OpenVideo1;
    TMenuItem* VideoInfo1;
    TImage* Image1;
    TImage* Image2;
    TImage* Image3;
    TImage* Image4;
    TExeInfo* ExeInfo;
    TImageList* ButtonsImageList;
    // The popup items' pictures: drawn from an image list, a disabled item shows its grey image.
    TImageList* PopupImageList;
    TTimer* Timer;  // disabled, without a handler

    // ---- window-level handlers ----
    void FormCreate(TObject* Sender);
    // Loads the settings, at every activation; setting a box runs its handler, which writes back.
    void FormActivate(TObject* Sender);
    // The application's activation: an "http://" link of 1 to 254 characters is pasted.
    void PasteLinkFromClipboard(TObject* Sender);
    void DownloadAdvComboBoxChange(TObject* Sender);
    void DownloadAdvComboBoxClick(TObject* Sender);
    void AviAdvComboBoxClick(TObject* Sender);
    void AutoCheckBoxClick(TObject* Sender);
    // A folder that does not exist is undone; then "path" is stored, or deleted for the
    // documents folder.
    void AdvDirectoryEdit1Change(TObject* Sender);
    void HomepageAdvToolButtonClick(TObject* Sender);
    void UpdateAdvToolButtonClick(TObject* Sender);
    void HelpAdvToolButtonClick(TObject* Sender);
    void SupportAdvToolButtonClick(TObject* Sender);
    // Ends the message loop after a second; the close handlers do not run.
    void ExitAdvToolButtonClick(TObject* Sender);
    // Hides the window and waits five seconds before it closes.
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    // Opens the maker's page.
    void FormClose(TObject* Sender, TCloseAction& Action);

    // ---- handlers no control is bound to ----
    void StopButtonClick(TObject* Sender);
    void SaveAdvDirectoryEditChange(TObject* Sender);
    void ServerAdvLUEditChange(TObject* Sender);
    void PortAdvLUEditChange(TObject* Sender);
    void UsernameAdvLUEditChange(TObject* Sender);
    void PasswordAdvLUEditChange(TObject* Sender);
    void AdvToolButton1Click(TObject* Sender);
    void ExitImageClick(TObject* Sender);
    void MainVidIvezadOrirClickCell(TObject* Sender, int ARow, int ACol);
    void LinkALEditEnter(TObject* Sender);
    void LinkALEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    // Disable or enable the link, folder, format and site boxes, Add, and the proxy window's fields.
    void disable_all();
    void enable_all();

    // ---- the settings: one wrapper opened and freed per call; values as text ----
    void write_reg_integer(const String& key, const String& name, int value);
    void write_reg_string(const String& key, const String& name, const String& value);
    void delete_reg(const String& key, const String& name);
    // Stores the language number, sets the caption from the version resource, and writes
    // "language" when it is not the default.
    void SetCaptionAndLanguage(int lang);
    void LinkAdvLUEditEnter(TObject* Sender);
    void LinkAdvLUEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void MainListViewChange(TObject* Sender, TListItem* Item, TItemChange Change);

    // ---- the list and its actions ----
    bool AddEntry(int server, const String& link);
    void AddListRow(const TItem& Item);
    void ClearList();
    void enable_buttons();
    void AddAdvToolButtonClick(TObject* Sender);
    void StartAdvToolButtonClick(TObject* Sender);
    void StopAdvToolButtonClick(TObject* Sender);
    void RemoveAdvToolButtonClick(TObject* Sender);
    void PlayAdvToolButtonClick(TObject* Sender);
    void OpenAdvToolButtonClick(TObject* Sender);
    void OpenLabelClick(TObject* Sender);

    // Sets the text of column Column (0 title, 1 size, 2 progress) of row Row; ignores a bad row.
    void SetRowText(int Row, int Column, const String& Text) override;
    String RowText(int Row, int Column) const;
    void RefreshButtons() override { enable_buttons(); }
    HWND OwnerHandle() override { return Handle(); }

    // ---- utilities that use no window state (any thread) ----
    static String RandomString(const String& pattern);
    static String FmtFileSize(std::int64_t size);
    static double TimeToSec(const String& tempo);
    static String SecToTime(int seconds);
    static String MSecToTime(const String& msec);
    static std::int64_t FileSize(const String& name);
    // The title of an accepted entry: line breaks, quotes, "*-/:?\|" and "youtube" removed, trimmed.
    static String CleanTitle(const String& title);

    // ---- decoding chains (any thread) ----
    static String _decode_name(const String& name);
    static String _decode_name_quillory(const String& name);
    static String _decode_name_break(const String& name);
    static String _decode_name_xtube(const String& name);
    static String _decode_name_dailymotion(const String& name);
    static String _decode_name_metacafe(const String& name);

private:
    String FLastFolder;         // the folder box's last existing folder, for undoing a missing one
    bool stop_pressed = false;  // set by StopButtonClick; nothing reads it
    // Steps 2 to 7 of the activation; false when the settings key does not exist.
    bool loadSettings();
    void setInputsEnabled(bool Enabled);
    // The icons, the tool buttons' glyphs and the popup menu's bitmaps, from the resources.
    void loadPictures();
    // The ten tool buttons of the bottom and right panels.
    std::vector<TAdvToolButton*> toolButtons() const;
    TAdvToolButton* makeToolButton(TWinControl* Parent, const String& Caption, const String& Hint, int Left, int Top);
    TMenuItem* makeMenuItem(const String& Caption, TNotifyEvent OnClick);
    void waitForPageReader();
    bool acceptEntry(TEntryKey Key);
    // Refuses (with a box) a paste that the link box cannot hold whole.
    bool pasteFitsLinkBox();
};

extern T_mainForm* _mainForm;

// How Add makes its page reader and Start its download thread (suspended, for an entry's key);
// tests put stand-ins here.
using TWorkerFactory = std::function<TThread*(TEntryKey Key)>;
extern TWorkerFactory GrabThreadFactory;
extern TWorkerFactory DownloadThreadFactory;

// The main window's own colour, also given to its panels and boxes.
inline constexpr TColor MainFormColor = 0xD3AC64;

// Opens the file with its default program and waits for that program, processing window
// messages meanwhile; returns at once when the desktop hands the file to a running program.
void ShellExecuteAndWait(const String& FileName, const String& Params, int ShowMode);
