#include "framework/rtl/RegNotify.h"

#include "framework/rtl/Registry.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

const String kWatched = QStringLiteral("Software\\Quillory\\Watched");
constexpr DWORD kWait = 10000;  // a deadline for a broken build, never reached when it works

class RegNotifyTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetRegistryFolder(Folder.Path());
        TRegistry Reg;
        ASSERT_TRUE(Reg.OpenKey(kWatched + QStringLiteral("\\Below"), true));
        ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kWatched, 0, KEY_NOTIFY, &Key), ERROR_SUCCESS);
    }
    void TearDown() override {
        if (Key) RegCloseKey(Key);
        SetRegistryFolder(String());
    }
    static void write(const String& SubKey, int Value) {
        TRegistry Reg;
        ASSERT_TRUE(Reg.OpenKey(kWatched + SubKey, true));
        Reg.WriteInteger(QStringLiteral("Value"), Value);
    }

    TempFolder Folder;
    HKEY Key = nullptr;
};

TEST_F(RegNotifyTest, AChangeSetsTheEventOnceUntilArmedAgain) {
    TEvent Changed(true, false);
    ASSERT_EQ(RegNotifyChangeKeyValue(Key, 1, REG_NOTIFY_CHANGE_LAST_SET, &Changed, 1), ERROR_SUCCESS);
    write(QStringLiteral("\\Below"), 1);
    ASSERT_EQ(Changed.WaitFor(kWait), wrSignaled);
    Changed.ResetEvent();

    // Not armed: the next change is not told. A second key on the same path, armed after it,
    // hears of the change that follows, by which time the first would have heard of both.
    write(String(), 2);
    HKEY Witness = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kWatched, 0, KEY_NOTIFY, &Witness), ERROR_SUCCESS);
    TEvent WitnessChanged(true, false);
    ASSERT_EQ(RegNotifyChangeKeyValue(Witness, 1, REG_NOTIFY_CHANGE_LAST_SET, &WitnessChanged, 1), ERROR_SUCCESS);
    write(String(), 3);
    ASSERT_EQ(WitnessChanged.WaitFor(kWait), wrSignaled);
    EXPECT_EQ(Changed.WaitFor(0), wrTimeout);

    // Armed again, it hears the next one.
    ASSERT_EQ(RegNotifyChangeKeyValue(Key, 1, REG_NOTIFY_CHANGE_LAST_SET, &Changed, 1), ERROR_SUCCESS);
    write(String(), 4);
    EXPECT_EQ(Changed.WaitFor(kWait), wrSignaled);
    RegCloseKey(Witness);
}

TEST_F(RegNotifyTest, ClosingTheKeySetsAPendingEventAndEndsASynchronousWait) {
    TEvent Changed(true, false);
    ASSERT_EQ(RegNotifyChangeKeyValue(Key, 0, REG_NOTIFY_CHANGE_NAME, &Changed, 1), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(Key), ERROR_SUCCESS);
    EXPECT_EQ(Changed.WaitFor(0), wrSignaled);
    Key = nullptr;

    HKEY Waited = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kWatched, 0, KEY_NOTIFY, &Waited), ERROR_SUCCESS);
    TEvent Done(true, false);
    LONG Result = -1;
    std::thread Waiter([&] {
        Result = RegNotifyChangeKeyValue(Waited, 1, REG_NOTIFY_CHANGE_LAST_SET, nullptr, 0);
        Done.SetEvent();
    });
    // The waiter may arm after any one change, so changes go on until one ends its wait; closing
    // before it armed would only refuse the handle.
    for (int Value = 5; Done.WaitFor(1) != wrSignaled && Value < 5 + int(kWait); ++Value) write(String(), Value);
    RegCloseKey(Waited);
    Waiter.join();
    EXPECT_EQ(Result, ERROR_SUCCESS);
}

TEST_F(RegNotifyTest, BadArgumentsAreRefused) {
    TEvent Changed;
    HKEY Missing = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, QStringLiteral("Software\\Nowhere"), 0, KEY_NOTIFY, &Missing),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Missing, nullptr);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kWatched, 0, KEY_NOTIFY, nullptr), ERROR_INVALID_PARAMETER);
    // A TRegistry handle is not one of these.
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(kWatched, false));
    EXPECT_EQ(RegNotifyChangeKeyValue(Reg.CurrentKey(), 1, REG_NOTIFY_CHANGE_LAST_SET, &Changed, 1),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegNotifyChangeKeyValue(Key, 1, 0, &Changed, 1), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegNotifyChangeKeyValue(Key, 1, 0x40, &Changed, 1), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegNotifyChangeKeyValue(Key, 1, REG_NOTIFY_CHANGE_LAST_SET, nullptr, 1), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(std::uintptr_t(12345))), ERROR_INVALID_HANDLE);
    // A key opened below an open key.
    HKEY Below = nullptr;
    ASSERT_EQ(RegOpenKeyEx(Key, QStringLiteral("Below"), 0, KEY_NOTIFY, &Below), ERROR_SUCCESS);
    ASSERT_EQ(RegNotifyChangeKeyValue(Below, 0, REG_NOTIFY_CHANGE_LAST_SET, &Changed, 1), ERROR_SUCCESS);
    write(QStringLiteral("\\Below"), 6);
    EXPECT_EQ(Changed.WaitFor(kWait), wrSignaled);
    RegCloseKey(Below);
}

}  // namespace
