#include "components/graphics/TesselStyle.h"

#include "framework/rtl/Registry.h"
#include "framework/ui/Forms.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>

#include <functional>
#include <vector>

namespace {

const String kCommon16 = QStringLiteral("Software\\Microsoft\\Office\\16.0\\Common");

struct Received {
    HWND Window;
    WPARAM Root;
    String Path;
};
std::vector<Received> gReceived;

// A window that notes every theme-change message it gets.
class TListeningWindow : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_OFFICETHEMECHANGE)
            gReceived.push_back(
                {Handle(), Message.WParam, QString::fromUtf16(reinterpret_cast<const char16_t*>(Message.LParam))});
        TWinControl::WndProc(Message);
    }
};

// Runs the window thread's pending work until Done holds; false after a generous deadline.
bool pumpUntil(const std::function<bool()>& Done) {
    QDeadlineTimer Deadline(10000);
    while (!Done()) {
        if (Deadline.hasExpired()) return false;
        CheckSynchronize(20);
    }
    return true;
}

class ThemeNotifierTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetRegistryFolder(Folder.Path());
        gReceived.clear();
        Form = new TForm(nullptr);
    }
    void TearDown() override {
        FreeAndNil(Form);
        // Monitor threads free themselves once their last work has run here.
        EXPECT_TRUE(pumpUntil([] { return TRegMonitorThread::InstanceCount() == 0; }));
        SetRegistryFolder(String());
    }

    static void installOffice(const char* Version) {
        TRegistry Reg;
        ASSERT_TRUE(Reg.OpenKey(
            QStringLiteral("Software\\Microsoft\\Office\\%1\\Common\\General").arg(QLatin1String(Version)), true));
    }
    static void writeThemeValue(const String& SubKey, int Value) {
        TRegistry Reg;
        ASSERT_TRUE(Reg.OpenKey(kCommon16 + SubKey, true));
        Reg.WriteInteger(QStringLiteral("UI Theme"), Value);
    }
    // Changes made before the thread has armed its first notification are not told.
    static TThemeNotifier* watchingNotifier(TComponent* Owner) {
        TThemeNotifier* Notifier = SharedThemeNotifier(Owner);
        EXPECT_NE(Notifier->RegMonitorThread(), nullptr);
        if (Notifier->RegMonitorThread()) {
            EXPECT_TRUE(pumpUntil([&] { return Notifier->RegMonitorThread()->Watching(); }));
        }
        return Notifier;
    }
    TListeningWindow* newWindow() {
        auto* W = new TListeningWindow(Form);
        W->SetParent(Form);
        return W;
    }
    bool received(HWND Window) const {
        for (const Received& R : gReceived)
            if (R.Window == Window) return true;
        return false;
    }

    TempFolder Folder;
    TForm* Form = nullptr;
};

TEST_F(ThemeNotifierTest, WithoutOffice2007OrLaterNothingIsMonitored) {
    for (const char* Installed : {"", "11.0"}) {
        if (*Installed) installOffice(Installed);
        TThemeNotifier* Notifier = SharedThemeNotifier(Form);
        EXPECT_EQ(Notifier->RegMonitorThread(), nullptr) << Installed;
        EXPECT_EQ(Notifier->Notifier(), nullptr) << Installed;
        EXPECT_EQ(SharedThemeNotifier(nullptr), Notifier);
        TListeningWindow* Window = newWindow();
        Notifier->RegisterWindow(Window->Handle());
        Notifier->UnRegisterWindow(Window->Handle());
        Notifier->Free();
        EXPECT_EQ(TRegMonitorThread::InstanceCount(), 0);
    }
}

TEST_F(ThemeNotifierTest, AChangeBelowCommonReachesTheNotifierAndEveryRegisteredWindow) {
    installOffice("12.0");
    installOffice("16.0");
    TThemeNotifier* Notifier = watchingNotifier(Form);
    ASSERT_NE(Notifier->RegMonitorThread(), nullptr);
    EXPECT_EQ(Notifier->RegMonitorThread()->Key(), kCommon16);
    int Fired = 0;
    Notifier->OnOfficeThemeChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, Notifier);
        ++Fired;
        gReceived.push_back({Notifier->Notifier()->Handle(), 0, String()});
    };
    TListeningWindow* First = newWindow();
    TListeningWindow* Second = newWindow();
    Notifier->RegisterWindow(First->Handle());
    Notifier->RegisterWindow(Second->Handle());
    Notifier->RegisterWindow(First->Handle());
    EXPECT_EQ(Notifier->RegMonitorThread()->WinList()->Count(), 2);

    writeThemeValue(QStringLiteral("\\Roaming"), 2);
    ASSERT_TRUE(pumpUntil([&] { return received(Second->Handle()); }));
    ASSERT_EQ(gReceived.size(), 3u);
    EXPECT_EQ(Fired, 1);
    EXPECT_EQ(gReceived[0].Window, Notifier->Notifier()->Handle());
    EXPECT_EQ(gReceived[1].Window, First->Handle());
    EXPECT_EQ(gReceived[2].Window, Second->Handle());
    for (std::size_t I = 1; I < gReceived.size(); ++I) {
        EXPECT_EQ(gReceived[I].Root, reinterpret_cast<WPARAM>(HKEY_CURRENT_USER));
        EXPECT_EQ(gReceived[I].Path, kCommon16);
    }

    // Armed again: the next change is told as well, now without the unregistered window.
    gReceived.clear();
    Notifier->UnRegisterWindow(First->Handle());
    writeThemeValue(String(), 0);
    ASSERT_TRUE(pumpUntil([&] { return received(Second->Handle()); }));
    EXPECT_FALSE(received(First->Handle()));
    EXPECT_EQ(Fired, 2);
    Notifier->Free();
}

TEST_F(ThemeNotifierTest, AWindowFreedWithoutUnregisteringIsSkipped) {
    installOffice("16.0");
    TThemeNotifier* Notifier = watchingNotifier(Form);
    TListeningWindow* Gone = newWindow();
    TListeningWindow* Last = newWindow();
    const HWND GoneHandle = Gone->Handle();
    Notifier->RegisterWindow(GoneHandle);
    Notifier->RegisterWindow(Last->Handle());
    Gone->Free();
    // Another window made now may even get the freed one's handle value.
    TListeningWindow* Newcomer = newWindow();
    Newcomer->Handle();
    writeThemeValue(String(), 3);
    ASSERT_TRUE(pumpUntil([&] { return received(Last->Handle()); }));
    EXPECT_EQ(gReceived.size(), 1u);
    Notifier->Free();
}

TEST_F(ThemeNotifierTest, StopEndsTheThreadPromptly) {
    installOffice("15.0");
    TThemeNotifier* Notifier = SharedThemeNotifier(Form);
    ASSERT_NE(Notifier->RegMonitorThread(), nullptr);
    Notifier->RegMonitorThread()->Stop();
    EXPECT_TRUE(pumpUntil([&] { return Notifier->RegMonitorThread() == nullptr; }));
    EXPECT_TRUE(pumpUntil([] { return TRegMonitorThread::InstanceCount() == 0; }));
    // Nothing to register with any more; a later change reaches no one.
    TListeningWindow* Window = newWindow();
    Notifier->RegisterWindow(Window->Handle());
    Notifier->Free();
    // Freed: the next request makes a new notifier.
    TThemeNotifier* Again = SharedThemeNotifier(Form);
    EXPECT_NE(Again->RegMonitorThread(), nullptr);
    Again->Free();
}

TEST_F(ThemeNotifierTest, FreeingTheOwnerStopsMonitoring) {
    installOffice("14.0");
    SharedThemeNotifier(Form);
    ASSERT_EQ(TRegMonitorThread::InstanceCount(), 1);
    FreeAndNil(Form);
    EXPECT_TRUE(pumpUntil([] { return TRegMonitorThread::InstanceCount() == 0; }));
    // The shared reference went with it.
    auto* Other = new TForm(nullptr);
    TThemeNotifier* Fresh = SharedThemeNotifier(Other);
    EXPECT_EQ(Fresh->Owner(), Other);
    Other->Free();
}

TEST_F(ThemeNotifierTest, AnOwnerThatIsNoWindowFailsTheCreation) {
    installOffice("16.0");
    TComponent Plain(nullptr);
    EXPECT_THROW(TThemeNotifier Notifier(&Plain), EInvalidCast);
    EXPECT_EQ(Plain.ComponentCount(), 0);
    // Without Office it needs no window at all.
    TRegistry().DeleteKey(QStringLiteral("\\Software"));
    TThemeNotifier* Quiet = new TThemeNotifier(&Plain);
    EXPECT_EQ(Quiet->RegMonitorThread(), nullptr);
}

TEST_F(ThemeNotifierTest, AKeyThatCannotBeOpenedEndsTheThreadWithAnError) {
    TRegMonitorThread Thread;
    Thread.SetRootKey(HKEY_CURRENT_USER);
    Thread.SetKey(kCommon16);
    Thread.Start();
    Thread.WaitFor();
    ASSERT_NE(Thread.FatalException(), nullptr);
    EXPECT_EQ(Thread.FatalException()->Message(), QStringLiteral("Unable to open registry key ") + kCommon16);
    EXPECT_EQ(Thread.GetFilter(), 15);
}

TEST(HandleList, KeepsPointerSizedValues) {
    THandleList List;
    List.Add(7);
    List.Add(9);
    List.Insert(0, 5);
    List.Add(7);
    List.DeleteValue(7);
    ASSERT_EQ(List.Count(), 3);
    EXPECT_EQ(List.GetInteger(0), 5);
    EXPECT_EQ(List.GetInteger(1), 9);
    EXPECT_EQ(List.GetInteger(2), 7);
    List.DeleteValue(42);
    List.SetInteger(1, NativeInt(-1));
    EXPECT_TRUE(List.HasValue(-1));
    EXPECT_FALSE(List.HasValue(9));
    List.Delete(0);
    EXPECT_EQ(List.Count(), 2);
}

}  // namespace
