// The main window: the link box, the settings boxes, the download list and its action buttons.
// The list's entries live in app/Entries.h (`entries`, `grab_done`, `grab_thread`); row i of
// MainListView shows entries[i] once the entry is accepted.
//
// Worker threads never call into this window directly: they queue their updates onto the window
// thread, where the entry helpers at the end of this header find the row again and are a no-op
// when the main window or the entry is gone.
#pragma once

#include "app/Entries.h"
#include "app/_implodeexplode.h"
#include "framework/ui/Buttons.h"
#include "framework/ui/ComCtrls.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Menus.h"
#include "framework/ui/StdCtrls.h"

#include <cstdint>
#include <functional>

// Quillory's site id in the site table.
inline constexpr int QuillorySiteId = 67;
// The example page link shown under the link box and in the "Invalid link" message.
extern const String ExampleLink;
// The link box's text until it first gets the focus.
extern const String LinkBoxPrompt;
// The most characters the link box holds. A link that fills it may have been cut by the box, so
// links are taken up to one character less.
inline constexpr int LinkBoxMaxLength = 32767;
// The program's settings key below HKEY_CURRENT_USER.
extern const String SettingsKey;
// The user's documents folder, found anew at every activation of the main window.
extern String my_documents;

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

class T_mainForm : public TForm {
public:
    explicit T_mainForm(TComponent* AOwner);
    ~T_mainForm() override;

    // ---- controls, at their places ----
    TPanel* AdvPanel1;
    TPanel* TopAdvPanel;
    TEdit* LinkAdvLUEdit;
    TSpeedButton* AddAdvToolButton;
    TCheckBox* AutoCheckBox;
    TLabel* ExampleHTMLabel;
    TEdit* ExampleMemo;
    TPanel* SecondAdvPanel;
    TLabel* SaveToHTMLabel;
    TEdit* SaveAdvDirectoryEdit;
    TLabel* DownloadHTMLabel;
    TComboBox* DownloadAdvComboBox;
    TLabel* SaveAsHTMLabel;
    TComboBox* AviAdvComboBox;
    TCheckBox* HQCheckBox;
    TPanel* BottomAdvPanel;
    TSpeedButton* StartAdvToolButton;
    TSpeedButton* StopAdvToolButton;
    TSpeedButton* RemoveAdvToolButton;
    TSpeedButton* PlayAdvToolButton;
    TSpeedButton* OpenAdvToolButton;
    TListView* MainListView;
    TMemo* LogMemo;
    TPanel* RightAdvPanel;
    TSpeedButton* HomepageAdvToolButton;
    TSpeedButton* UpdateAdvToolButton;
    TSpeedButton* SupportAdvToolButton;
    TSpeedButton* HelpAdvToolButton;
    TSpeedButton* ExitAdvToolButton;
    TPanel* TmpPanel;
    TPopupMenu* AdvPopupMenu;
    TMenuItem* StartDownload1;
    TMenuItem* StopDownload1;
    TMenuItem* RemoveEntry1;
    TMenuItem* PlayVideo1;
    TMenuItem* OpenVideo1;
    TMenuItem* VideoInfo1;

    // ---- window-level handlers ----
    void FormCreate(TObject* Sender);
    // Shows the save folder: the stored "path" when that folder exists, else the documents folder.
    void FormActivate(TObject* Sender);
    void DownloadAdvComboBoxChange(TObject* Sender);
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
    void SetRowText(int Row, int Column, const String& Text);
    String RowText(int Row, int Column) const;

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
    TSpeedButton* makeToolButton(TWinControl* Parent, const String& Caption, const String& Hint, int Left, int Top);
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

// ---- for workers' queued updates (window thread): no-ops without a main window or row ----
void SetEntryRowText(int Row, int Column, const String& Text);
void EnableEntryButtons();
