// The main window's settings in a registry of the test's own, the proxy switch, the clipboard on
// the application's activation, the caption, the colours of FormCreate, the right panel's buttons
// and the wait window's Stop.
#include "app/Entries.h"
#include "app/VersionResource.h"
#include "app/_mainUnit.h"
#include "app/_waitUnit.h"
#include "app/proxy_unit.h"
#include "framework/os/ShellAPI.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Registry.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/Clipbrd.h"
#include "framework/ui/Dialogs.h"
#include "tests/app/ProgramTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

using TValues = std::map<String, String>;

class SettingsTest : public ::testing::Test {
protected:
    // Every test has a registry of its own (tests/support/TestMain.cpp).
    void SetUp() override {
        FPreviousMask = StartProgramWindows();
        Form = _mainForm;
    }
    void TearDown() override { FreeProgramWindows(FPreviousMask); }

    // The main window activated again, as after a dialog or a return to the program.
    void activate() {
        Form->Perform(WM_ACTIVATE, WA_INACTIVE, 0);
        Form->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
    }
    bool keyExists() {
        TRegistry Reg;
        return Reg.KeyExists(SettingsKey);
    }
    // Every value of the key, as stored; each must be text.
    TValues stored() {
        TValues Values;
        TRegistry Reg;
        if (!Reg.OpenKeyReadOnly(SettingsKey)) return Values;
        TStringList Names;
        Reg.GetValueNames(&Names);
        for (int i = 0; i < Names.Count(); ++i) {
            EXPECT_EQ(Reg.GetDataType(Names.Strings(i)), rdString) << Names.Strings(i).toStdString();
            Values[Names.Strings(i)] = Reg.ReadString(Names.Strings(i));
        }
        return Values;
    }
    void store(const TValues& Values) {
        TRegistry Reg;
        Reg.DeleteKey(SettingsKey);
        ASSERT_TRUE(Reg.OpenKey(SettingsKey, true));
        for (const auto& [Name, Value] : Values) Reg.WriteString(Name, Value);
    }
    void click(TControl* Control, const TNotifyEvent& Event) { FireEvent(Event, Control); }

    TempFolder FFolders;
    TRecordingDialogService Dialogs;
    TDialogServiceGuard DialogGuard{&Dialogs};
    TRecordingShellService Shell;
    TShellServiceGuard ShellGuard{&Shell};
    TArithmeticExceptionMask FPreviousMask;
    T_mainForm* Form = nullptr;
};

String caption() { return QStringLiteral("Quillory Video Downloader  ") + QString::fromLatin1(ProgramVersion); }

TEST_F(SettingsTest, FirstStartWithoutTheKeyKeepsTheLayoutAndChoosingAFormatMakesTheKey) {
    activate();
    EXPECT_FALSE(keyExists());
    EXPECT_EQ(Form->AviAdvComboBox->ItemIndex(), 0);
    EXPECT_EQ(Form->AviAdvComboBox->Text(), QStringLiteral("FLV for WEB (not converted)"));
    EXPECT_EQ(Form->SaveAdvDirectoryEdit->Text(), my_documents);
    EXPECT_EQ(my_documents, GetMyDocumentsFolder());
    EXPECT_EQ(Form->Caption(), caption());
    EXPECT_EQ(Form->ExeInfo->CompanyName(), QStringLiteral("Pellucidworks"));

    Form->AviAdvComboBox->SetItemIndex(3);
    click(Form->AviAdvComboBox, Form->AviAdvComboBox->OnClick);
    EXPECT_EQ(stored(), (TValues{{"format", "3"}}));
}

// What an activation shows for what is stored, and what it writes back as it loads.
TEST_F(SettingsTest, ActivationLoadsEachValueAndWritesAutoAndPathBack) {
    const String Other = FFolders.Path();
    const String Missing = FFolders.File(QStringLiteral("gone"));
    struct Case {
        const char* Name;
        TValues Stored;
        int Format, Site;
        bool Auto;
        String Folder;
        int Language;
        TValues After;
    };
    const Case Cases[] = {
        {"key without values", {}, 1, 0, false, my_documents, 10000, {}},
        {"format, site and autostart",
         {{"format", "4"}, {"download", "5"}, {"auto", "1"}},
         4,
         5,
         true,
         my_documents,
         10000,
         {{"format", "4"}, {"download", "5"}, {"auto", "1"}}},
        {"negative format, site 0, autostart 0",
         {{"format", "-2"}, {"download", "0"}, {"auto", "0"}},
         1,
         0,
         false,
         my_documents,
         10000,
         {{"format", "-2"}, {"download", "0"}, {"auto", "0"}}},
        // A number the format box has no item for would give the entry no converter.
        {"format beyond the box", {{"format", "99"}}, 1, 0, false, my_documents, 10000, {{"format", "99"}}},
        {"existing folder", {{"path", Other}}, 1, 0, false, Other, 10000, {{"path", Other}}},
        {"missing folder", {{"path", Missing}}, 1, 0, false, my_documents, 10000, {}},
        {"language", {{"language", "7"}}, 1, 0, false, my_documents, 7, {{"language", "7"}}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Form->AutoCheckBox->SetChecked(false);
        Form->DownloadAdvComboBox->SetItemIndex(0);
        store(C.Stored);
        activate();
        EXPECT_EQ(Form->AviAdvComboBox->ItemIndex(), C.Format);
        EXPECT_EQ(Form->DownloadAdvComboBox->ItemIndex(), C.Site);
        EXPECT_EQ(Form->AutoCheckBox->Checked(), C.Auto);
        EXPECT_EQ(Form->SaveAdvDirectoryEdit->Text(), C.Folder);
        EXPECT_EQ(language, C.Language);
        EXPECT_EQ(Form->Caption(), caption());
        EXPECT_EQ(stored(), C.After);
    }
}

TEST_F(SettingsTest, EachBoxWritesOrDeletesItsValue) {
    const String Other = FFolders.Path();
    activate();
    const struct Step {
        const char* Name;
        std::function<void()> Act;
        const char* Value;
        std::optional<String> Expected;
    } Steps[] = {
        {"site chosen",
         [&] {
             Form->DownloadAdvComboBox->SetItemIndex(3);
             click(Form->DownloadAdvComboBox, Form->DownloadAdvComboBox->OnClick);
         },
         "download", QStringLiteral("3")},
        {"site back to Auto",
         [&] {
             Form->DownloadAdvComboBox->SetItemIndex(0);
             click(Form->DownloadAdvComboBox, Form->DownloadAdvComboBox->OnClick);
         },
         "download", std::nullopt},
        {"format 0 is stored too",
         [&] {
             Form->AviAdvComboBox->SetItemIndex(0);
             click(Form->AviAdvComboBox, Form->AviAdvComboBox->OnClick);
         },
         "format", QStringLiteral("0")},
        {"no format",
         [&] {
             Form->AviAdvComboBox->SetItemIndex(-1);
             click(Form->AviAdvComboBox, Form->AviAdvComboBox->OnClick);
         },
         "format", std::nullopt},
        {"autostart ticked", [&] { Form->AutoCheckBox->SetChecked(true); }, "auto", QStringLiteral("1")},
        {"autostart unticked", [&] { Form->AutoCheckBox->SetChecked(false); }, "auto", std::nullopt},
        {"another folder", [&] { Form->SaveAdvDirectoryEdit->SetText(Other); }, "path", Other},
        {"missing folder undone",
         [&] {
             Form->SaveAdvDirectoryEdit->SetText(FFolders.File(QStringLiteral("gone")));
             EXPECT_EQ(Form->SaveAdvDirectoryEdit->Text(), Other);
         },
         "path", Other},
        {"documents folder", [&] { Form->SaveAdvDirectoryEdit->SetText(my_documents); }, "path", std::nullopt},
        {"default language", [&] { Form->SetCaptionAndLanguage(DefaultLanguage); }, "language", std::nullopt},
        {"another language", [&] { Form->SetCaptionAndLanguage(1031); }, "language", QStringLiteral("1031")},
    };
    for (const Step& S : Steps) {
        SCOPED_TRACE(S.Name);
        S.Act();
        const TValues Values = stored();
        const auto Found = Values.find(QString::fromLatin1(S.Value));
        if (S.Expected) {
            ASSERT_NE(Found, Values.end());
            EXPECT_EQ(Found->second, *S.Expected);
        } else {
            EXPECT_EQ(Found, Values.end());
        }
    }
}

TEST_F(SettingsTest, ProxySwitchStoresAndDeletesItsFiveValues) {
    T_proxyForm* Proxy = _proxyForm;
    const char* const Texts[4] = {"proxy.example", "8080", "ann", "secret"};
    TAdvLUEdit* const Fields[4] = {Proxy->ServerAdvLUEdit, Proxy->PortAdvLUEdit, Proxy->UsernameAdvLUEdit,
                                   Proxy->PasswordAdvLUEdit};
    for (int i = 0; i < 4; ++i) Fields[i]->SetText(QString::fromLatin1(Texts[i]));
    const TValues On = {
        {"proxy", "1"}, {"server", "proxy.example"}, {"port", "8080"}, {"username", "ann"}, {"password", "secret"}};

    Proxy->ProxyCheckBox->SetChecked(true);
    EXPECT_EQ(stored(), On);
    EXPECT_EQ(Form->Height(), 350);
    for (TAdvLUEdit* Field : Fields) EXPECT_TRUE(Field->Enabled());

    Proxy->ProxyCheckBox->SetChecked(false);
    EXPECT_EQ(stored(), TValues());
    EXPECT_EQ(Form->Height(), 285);
    for (TAdvLUEdit* Field : Fields) EXPECT_FALSE(Field->Enabled());

    // Stored as 1: every activation fills the fields, then ticks the switch, which writes back.
    for (TAdvLUEdit* Field : Fields) Field->SetText(String());
    store(On);
    for (int Round = 0; Round < 2; ++Round) {
        Form->SetHeight(400);
        activate();
        EXPECT_TRUE(Proxy->ProxyCheckBox->Checked());
        EXPECT_EQ(Form->Height(), 350);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Fields[i]->Text(), QString::fromLatin1(Texts[i]));
        EXPECT_EQ(stored(), On);
    }
}

TEST_F(SettingsTest, ApplicationActivationPastesOnlyShortHttpLinks) {
    const String Prompt = Form->LinkAdvLUEdit->Text();
    const String Http = QStringLiteral("http://www.quillory.com/video/video.php?v=1");
    const struct {
        const char* Name;
        String Clip;
        bool Pasted;
    } Cases[] = {
        {"http link", Http, true},
        {"254 characters", QStringLiteral("http://") + String(247, u'a'), true},
        {"255 characters", QStringLiteral("http://") + String(248, u'a'), false},
        {"https link", QStringLiteral("https://www.quillory.com/video/video.php?v=1"), false},
        {"empty", String(), false},
        {"http inside the text", QStringLiteral(" http://x"), false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Form->LinkAdvLUEdit->SetText(Prompt);
        Clipboard()->SetAsText(C.Clip);
        ASSERT_TRUE(Application->OnActivate);
        FireEvent(Application->OnActivate, Application);
        EXPECT_EQ(Form->LinkAdvLUEdit->Text(), C.Pasted ? C.Clip : Prompt);
    }
}

TEST_F(SettingsTest, FormCreateFillsTheSiteBoxAndColoursTheWindow) {
    ASSERT_EQ(Form->DownloadAdvComboBox->Items()->Count(), 41);
    EXPECT_EQ(Form->DownloadAdvComboBox->Items()->Strings(0), QStringLiteral("Auto"));
    EXPECT_EQ(Form->DownloadAdvComboBox->Items()->Strings(1), QStringLiteral("Quillory"));
    EXPECT_EQ(Form->DownloadAdvComboBox->Items()->Strings(40), QStringLiteral("Beeg"));
    EXPECT_EQ(Form->DownloadAdvComboBox->ItemIndex(), 0);
    EXPECT_EQ(Form->Color(), MainFormColor);
    for (TControl* Control : std::initializer_list<TControl*>{
             Form->AdvPanel1, Form->TopAdvPanel, Form->SecondAdvPanel, Form->BottomAdvPanel, Form->RightAdvPanel,
             Form->AutoCheckBox, Form->ExampleMemo, Form->ExampleHTMLabel, Form->SaveToHTMLabel, Form->DownloadHTMLabel,
             Form->SaveAsHTMLabel, Form->HQCheckBox})
        EXPECT_EQ(Control->Color(), MainFormColor) << Control->Name().toStdString();
    for (TAdvToolButton* Button :
         {Form->StartAdvToolButton, Form->StopAdvToolButton, Form->RemoveAdvToolButton, Form->PlayAdvToolButton,
          Form->OpenAdvToolButton, Form->HomepageAdvToolButton, Form->UpdateAdvToolButton, Form->SupportAdvToolButton,
          Form->HelpAdvToolButton, Form->ExitAdvToolButton}) {
        SCOPED_TRACE(Button->Name().toStdString());
        EXPECT_EQ(Button->Color(), MainFormColor);
        EXPECT_EQ(Button->ColorDown(), MainFormColor);
        EXPECT_EQ(Button->ColorHot(), MainFormColor);
    }
    EXPECT_EQ(Form->AddAdvToolButton->Color(), clCream);
    EXPECT_EQ(Form->AddAdvToolButton->ColorHotTo(), clMoneyGreen);

    const char* const Order[] = {"Start Download", "Stop Download", "Video Info",
                                 "Remove Entry",   "Play Video",    "Open Video"};
    ASSERT_EQ(Form->AdvPopupMenu->Items()->Count(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Form->AdvPopupMenu->Items()->Items(i)->Caption(), QString::fromLatin1(Order[i]));
    EXPECT_EQ(Form->AdvPopupMenu->MenuStyler(), Form->AdvMenuOfficeStyler);
    EXPECT_EQ(Form->AdvMenuOfficeStyler->Style(), osOffice2003Blue);
}

TEST_F(SettingsTest, RightPanelOpensTheMakersPagesAndClosingWaitsThenOpensOne) {
    const struct {
        TAdvToolButton* Button;
        String Target;
    } Cases[] = {
        {Form->HomepageAdvToolButton, MakerHost + QStringLiteral("/quillory/")},
        {Form->UpdateAdvToolButton, MakerHost + QStringLiteral("/quillory/update.html")},
        {Form->HelpAdvToolButton, MakerHost + QStringLiteral("/quillory/faq.html")},
        {Form->SupportAdvToolButton, SupportAddress},
    };
    EXPECT_TRUE(MakerHost.startsWith(QStringLiteral("https://")));
    EXPECT_TRUE(SupportAddress.startsWith(QStringLiteral("mailto:")));
    for (const auto& C : Cases) {
        FireEvent(C.Button->OnClick, C.Button);
        EXPECT_EQ(Shell.Last().File, C.Target);
        EXPECT_EQ(Shell.Last().Verb, QStringLiteral("open"));
        EXPECT_EQ(Shell.Last().ShowCmd, SW_SHOWDEFAULT);
    }

    FakeClock Clock;
    Shell.Clear();
    Form->Show();
    const UInt64 Before = GetTickCount64();
    bool HiddenWhileWaiting = false;
    Form->OnHide = [&](TObject*) { HiddenWhileWaiting = GetTickCount64() == Before; };
    Form->Close();
    EXPECT_TRUE(HiddenWhileWaiting);
    EXPECT_EQ(GetTickCount64() - Before, 5000u);
    ASSERT_EQ(Shell.Count(), 1);
    EXPECT_TRUE(Shell.Last().File.startsWith(MakerHost));
    EXPECT_TRUE(Application->Terminated());
}

// A page reader that notes, when asked to stop, what the wait window's Stop had done by then.
class TStopWatchingReader : public TThread {
public:
    TStopWatchingReader() : TThread(true) {}
    bool ButtonOffAtStop = false;
    bool DoneAtStop = false;
    UInt64 TicksAtStop = 0;

protected:
    void Execute() override {}
    void TerminatedSet() override {
        ButtonOffAtStop = !_waitForm->Stop1AdvToolButton->Enabled();
        DoneAtStop = grab_done;
        TicksAtStop = GetTickCount64();
    }
};

TEST_F(SettingsTest, WaitWindowTakesThePanelColourAndStopEndsTheWaitAfterTenSeconds) {
    EXPECT_EQ(_waitForm->HTMLStaticText2->HTMLText()->Text().trimmed(),
              QStringLiteral("<FONT color=\"#0000FF\">If you are having problems in getting the video, please "
                             "double-check your firewall configuration.</FONT>"));
    _waitForm->Show();
    _waitForm->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(_waitForm->RightAdvPanel->Color(), Form->AdvPanel1->Color());
    EXPECT_EQ(_waitForm->FormStyle(), fsStayOnTop);

    FakeClock Clock;
    TStopWatchingReader Reader;
    SetGrabThread(&Reader);
    grab_done = false;
    const UInt64 Before = GetTickCount64();
    FireEvent(_waitForm->Stop1AdvToolButton->OnClick, _waitForm->Stop1AdvToolButton);
    EXPECT_TRUE(Reader.Terminated());
    EXPECT_TRUE(Reader.ButtonOffAtStop);
    EXPECT_TRUE(Reader.DoneAtStop);
    EXPECT_EQ(Reader.TicksAtStop - Before, 10000u);
    EXPECT_TRUE(_waitForm->Stop1AdvToolButton->Enabled());
    EXPECT_FALSE(_waitForm->Visible());
    ForgetGrabThread(&Reader);
}

}  // namespace
