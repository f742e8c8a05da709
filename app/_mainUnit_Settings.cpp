// The main window's settings in the user's registry, its activation, and its window-level handlers.
#include "app/_mainUnit.h"

#include "app/proxy_unit.h"
#include "framework/os/ShellAPI.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Registry.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Clipbrd.h"
#include "framework/ui/Dialogs.h"

const String SettingsKey = QStringLiteral("\\SOFTWARE\\Pellucidworks\\Quillory Video Downloader\\");
const String MakerHost = QStringLiteral("https://www.pellucidworks.com");
const String SupportAddress = QStringLiteral("mailto:support@pellucidworks.com");
String my_documents;
int language = DefaultLanguage;

namespace {

const String kLanguage = QStringLiteral("language");
const String kFormat = QStringLiteral("format");
const String kDownload = QStringLiteral("download");
const String kAuto = QStringLiteral("auto");
const String kPath = QStringLiteral("path");
const String kProxy = QStringLiteral("proxy");

// A stored number; Default when it is missing or no number.
int storedInteger(TRegistry& Reg, const String& Name, int Default) {
    return Reg.ValueExists(Name) ? StrToIntDef(Trim(Reg.ReadString(Name)), Default) : Default;
}

// Opens Address with the desktop's program for it; false when nothing opens it.
bool openWithDesktop(const String& Address) {
    return ShellExecute(nullptr, QStringLiteral("open"), Address, String(), String(), SW_SHOWDEFAULT) > 32;
}

// A button's page: when nothing opens it, the user is told the address to open by hand.
void openPage(const String& Address) {
    if (openWithDesktop(Address)) return;
    const String Text =
        Address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)
            ? QStringLiteral("Could not open a mail program to write to %1. Write to it by hand.").arg(Address.mid(7))
            : QStringLiteral("Could not open %1 in a web browser. Open it by hand.").arg(Address);
    MessageDlg(Text, mtWarning, {mbOK}, 0);
}

}  // namespace

// ---- registry operations: each opens and frees its own wrapper ----

void T_mainForm::write_reg_integer(const String& key, const String& name, int value) {
    write_reg_string(key, name, IntToStr(value));
}

void T_mainForm::write_reg_string(const String& key, const String& name, const String& value) {
    TRegIniFile Reg{String()};
    Reg.WriteString(key, name, value);
}

void T_mainForm::delete_reg(const String& key, const String& name) {
    TRegIniFile Reg{String()};
    Reg.DeleteKey(key, name);
}

void T_mainForm::SetCaptionAndLanguage(int lang) {
    language = lang;
    SetCaption(ExeInfo->ProductName() + QStringLiteral("  ") + ExeInfo->ProductVersion());
    if (lang != DefaultLanguage) write_reg_integer(SettingsKey, kLanguage, lang);
}

// ---- activation ----

void T_mainForm::FormActivate(TObject*) {
    my_documents = GetMyDocumentsFolder();
    if (!loadSettings()) {
        SetCaptionAndLanguage(DefaultLanguage);
        SaveAdvDirectoryEdit->SetText(my_documents);
    }
    MainListView->Columns()->Items(0)->SetWidth(335);
    DownloadAdvComboBoxChange(DownloadAdvComboBox);
    enable_buttons();
}

bool T_mainForm::loadSettings() {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    if (!Reg.OpenKeyReadOnly(SettingsKey)) return false;
    SetCaptionAndLanguage(storedInteger(Reg, kLanguage, DefaultLanguage));
    // A format the box does not have counts as missing: the entry's format must name a converter.
    const int Format = storedInteger(Reg, kFormat, -1);
    AviAdvComboBox->SetItemIndex(Format >= 0 && Format < AviAdvComboBox->Items()->Count() ? Format : 1);
    if (const int Site = storedInteger(Reg, kDownload, 0); Site > 0) DownloadAdvComboBox->SetItemIndex(Site);
    if (storedInteger(Reg, kAuto, 0) > 0) AutoCheckBox->SetChecked(true);
    const String Path = Reg.ValueExists(kPath) ? Reg.ReadString(kPath) : String();
    const bool Proxy = storedInteger(Reg, kProxy, 0) > 0;
    String Proxies[4];
    const String ProxyNames[4] = {QStringLiteral("server"), QStringLiteral("port"), QStringLiteral("username"),
                                  QStringLiteral("password")};
    for (int i = 0; i < 4; ++i)
        if (Reg.ValueExists(ProxyNames[i])) Proxies[i] = Reg.ReadString(ProxyNames[i]);
    Reg.CloseKey();

    // Setting the boxes runs their own handlers, which write what they show back.
    SaveAdvDirectoryEdit->SetText(!Path.isEmpty() && DirectoryExists(Path) ? Path : my_documents);
    if (Proxy && _proxyForm) {
        TAdvLUEdit* const Fields[4] = {_proxyForm->ServerAdvLUEdit, _proxyForm->PortAdvLUEdit,
                                       _proxyForm->UsernameAdvLUEdit, _proxyForm->PasswordAdvLUEdit};
        for (int i = 0; i < 4; ++i)
            if (!Proxies[i].isEmpty()) Fields[i]->SetText(Proxies[i]);
        _proxyForm->ProxyCheckBox->SetChecked(true);
        _proxyForm->ProxyALCheckBoxClick(_proxyForm->ProxyCheckBox);
    }
    return true;
}

void T_mainForm::PasteLinkFromClipboard(TObject*) {
    const String Text = Clipboard()->AsText();
    if (Text.length() >= 1 && Text.length() <= 254 && Text.startsWith(QStringLiteral("http://")))
        LinkAdvLUEdit->SetText(Text);
}

// ---- the setting boxes ----

void T_mainForm::DownloadAdvComboBoxClick(TObject*) {
    const int Index = DownloadAdvComboBox->ItemIndex();
    if (Index > 0)
        write_reg_integer(SettingsKey, kDownload, Index);
    else
        delete_reg(SettingsKey, kDownload);
}

void T_mainForm::AviAdvComboBoxClick(TObject*) {
    const int Index = AviAdvComboBox->ItemIndex();
    if (Index >= 0)
        write_reg_integer(SettingsKey, kFormat, Index);
    else
        delete_reg(SettingsKey, kFormat);
}

void T_mainForm::AutoCheckBoxClick(TObject*) {
    if (AutoCheckBox->Checked())
        write_reg_integer(SettingsKey, kAuto, 1);
    else
        delete_reg(SettingsKey, kAuto);
}

void T_mainForm::AdvDirectoryEdit1Change(TObject* Sender) {
    const String Folder = SaveAdvDirectoryEdit->Text();
    if (!DirectoryExists(Folder)) {
        // Undone to the last folder the box held, which is stored already.
        if (Folder != FLastFolder) SaveAdvDirectoryEdit->SetText(FLastFolder);
        return;
    }
    FLastFolder = Folder;
    SaveAdvDirectoryEditChange(Sender);
}

void T_mainForm::SaveAdvDirectoryEditChange(TObject*) {
    const String Folder = SaveAdvDirectoryEdit->Text();
    if (Folder != my_documents)
        write_reg_string(SettingsKey, kPath, Folder);
    else
        delete_reg(SettingsKey, kPath);
}

// ---- the right panel and closing ----

void T_mainForm::HomepageAdvToolButtonClick(TObject*) { openPage(MakerHost + QStringLiteral("/quillory/")); }

void T_mainForm::UpdateAdvToolButtonClick(TObject*) { openPage(MakerHost + QStringLiteral("/quillory/update.html")); }

void T_mainForm::HelpAdvToolButtonClick(TObject*) { openPage(MakerHost + QStringLiteral("/quillory/faq.html")); }

void T_mainForm::SupportAdvToolButtonClick(TObject*) { openPage(SupportAddress); }

void T_mainForm::ExitAdvToolButtonClick(TObject*) {
    Application->ProcessMessages();
    Sleep(1000);
    // Ends the loop without the close handlers; the workers are stopped after the loop.
    Application->Terminate();
}

void T_mainForm::FormCloseQuery(TObject*, bool& CanClose) {
    Hide();
    Sleep(5000);
    CanClose = true;
}

// The window is gone by now: a page that does not open is not worth a message.
void T_mainForm::FormClose(TObject*, TCloseAction&) { openWithDesktop(MakerHost + u'/'); }

// ---- handlers that no control is bound to ----

void T_mainForm::StopButtonClick(TObject*) { stop_pressed = true; }

void T_mainForm::ServerAdvLUEditChange(TObject*) {
    if (_proxyForm) write_reg_string(SettingsKey, QStringLiteral("server"), _proxyForm->ServerAdvLUEdit->Text());
}

void T_mainForm::PortAdvLUEditChange(TObject*) {
    if (_proxyForm) write_reg_string(SettingsKey, QStringLiteral("port"), _proxyForm->PortAdvLUEdit->Text());
}

void T_mainForm::UsernameAdvLUEditChange(TObject*) {
    if (_proxyForm) write_reg_string(SettingsKey, QStringLiteral("username"), _proxyForm->UsernameAdvLUEdit->Text());
}

void T_mainForm::PasswordAdvLUEditChange(TObject*) {
    if (_proxyForm) write_reg_string(SettingsKey, QStringLiteral("password"), _proxyForm->PasswordAdvLUEdit->Text());
}

void T_mainForm::AdvToolButton1Click(TObject*) { Application->Terminate(); }

void T_mainForm::ExitImageClick(TObject*) { Application->Terminate(); }

void T_mainForm::MainVidIvezadOrirClickCell(TObject*, int, int) { enable_buttons(); }

void T_mainForm::LinkALEditEnter(TObject* Sender) { LinkAdvLUEditEnter(Sender); }

void T_mainForm::LinkALEditKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
    LinkAdvLUEditKeyDown(Sender, Key, Shift);
}

void T_mainForm::disable_all() { setInputsEnabled(false); }

void T_mainForm::enable_all() { setInputsEnabled(true); }

void T_mainForm::setInputsEnabled(bool Enabled) {
    for (TControl* Control : std::initializer_list<TControl*>{AddAdvToolButton, SaveAdvDirectoryEdit, AviAdvComboBox,
                                                              LinkAdvLUEdit, DownloadAdvComboBox})
        Control->SetEnabled(Enabled);
    if (!_proxyForm) return;
    for (TControl* Control : std::initializer_list<TControl*>{_proxyForm->ProxyCheckBox, _proxyForm->ServerAdvLUEdit,
                                                              _proxyForm->PortAdvLUEdit, _proxyForm->UsernameAdvLUEdit,
                                                              _proxyForm->PasswordAdvLUEdit})
        Control->SetEnabled(Enabled);
}
