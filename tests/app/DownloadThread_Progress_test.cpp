// The download thread's progress in its row: bytes so far over the announced length, rounded
// halves to even; nothing for an announced length of 500 bytes or less; a text only when the
// percentage changes; and nothing once the entry is gone.
#include "app/Entries.h"
#include "app/_downloadUnit.h"
#include "app/_mainUnit.h"
#include "framework/ui/Dialogs.h"

#include <gtest/gtest.h>

namespace {

// The thread's work handlers, called as the HTTP client would call them (never started).
class TProgressProbe : public TDownloadThread {
public:
    using TDownloadThread::DownloadWork;
    using TDownloadThread::DownloadWorkBegin;
    using TDownloadThread::TDownloadThread;
};

class DownloadProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        entries.clear();
        Form = new T_mainForm(nullptr);
        Form->AfterConstruction();
        ASSERT_EQ(_mainForm, Form);
        for (const char* Title : {"first", "second"}) {
            const int i = AppendEntry(QuillorySiteId, QString::fromLatin1(Title));
            entries[i].title = QString::fromLatin1(Title);
            entries[i].status = esReady;
            Form->AddListRow(entries[i]);
        }
    }
    void TearDown() override {
        Form->Free();
        EXPECT_EQ(_mainForm, nullptr);
        entries.clear();
    }
    static void runQueued() {
        while (CheckSynchronize(0)) {
        }
    }
    String progress(int Row) const { return Form->RowText(Row, 2); }

    T_mainForm* Form = nullptr;
};

TEST_F(DownloadProgressTest, PercentOfTheAnnouncedLength) {
    const struct {
        Int64 Announced;
        Int64 Received;
        const char* Shown;
    } Cases[] = {
        {10000000, 2500000, "25%"},
        {10000000, 125000, "1%"},  // 1.25
        {10000000, 150000, "2%"},  // 1.5: to the even neighbour
        {10000000, 250000, "2%"},  // 2.5: to the even neighbour
        {10000000, 350000, "4%"},  // 3.5
        {10000000, 10000000, "100%"},
        {Int64(5) * 1024 * 1024 * 1024, Int64(4) * 1024 * 1024 * 1024, "80%"},  // beyond 32 bits
        {501, 501, "100%"},
        {500, 250, "0%"},  // 500 bytes or less: nothing shown
        {0, 1000, "0%"},   // no length announced
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Shown);
        Form->SetRowText(0, 2, QStringLiteral("0%"));
        TProgressProbe Thread(entries[0].key);
        Thread.DownloadWorkBegin(nullptr, wmRead, C.Announced);
        EXPECT_EQ(Thread.total_size, C.Announced);
        Thread.DownloadWork(nullptr, wmRead, C.Received);
        EXPECT_EQ(Thread.total, C.Received);
        runQueued();
        EXPECT_EQ(progress(0), QString::fromLatin1(C.Shown)) << C.Announced << " / " << C.Received;
        EXPECT_EQ(progress(1), QStringLiteral("0%"));
    }
}

TEST_F(DownloadProgressTest, TextSentOnlyWhenThePercentageChanges) {
    TProgressProbe Thread(entries[0].key);
    Thread.DownloadWorkBegin(nullptr, wmRead, 1000000);
    Thread.DownloadWork(nullptr, wmRead, 420000);
    runQueued();
    EXPECT_EQ(progress(0), QStringLiteral("42%"));
    // Marks the row: a second report of the same percentage must not write it again.
    Form->SetRowText(0, 2, QStringLiteral("mark"));
    Thread.DownloadWork(nullptr, wmRead, 424000);
    runQueued();
    EXPECT_EQ(progress(0), QStringLiteral("mark"));
    Thread.DownloadWork(nullptr, wmRead, 430000);
    runQueued();
    EXPECT_EQ(progress(0), QStringLiteral("43%"));
}

TEST_F(DownloadProgressTest, EntryRemovedBeforeTheTextArrivesWritesNothing) {
    TProgressProbe Thread(entries[0].key);
    Thread.DownloadWorkBegin(nullptr, wmRead, 1000);
    Thread.DownloadWork(nullptr, wmRead, 700);
    // Remove the first row while its text is on the way: the second entry moves into row 0.
    Form->MainListView->SetItemIndex(0);
    Form->RemoveAdvToolButtonClick(nullptr);
    ASSERT_EQ(entries.size(), 1u);
    runQueued();
    EXPECT_EQ(Form->RowText(0, 0), QStringLiteral("second"));
    EXPECT_EQ(progress(0), QStringLiteral("0%"));
}

}  // namespace
