// Text dropped into TAdvEdit and its selection dragged out, through synthetic drops and a drag
// runner that stands in for the user's pointer.
#include "components/controls/AdvEddd.h"
#include "components/controls/AdvEdit.h"
#include "framework/ui/OleDragDrop.h"
#include "tests/controls/EditFixture.h"
#include "tests/controls/HeldKeys.h"

namespace {

// A data object that cannot list its formats.
class TMuteDataObject : public IDataObject {
public:
    HRESULT GetData(const FORMATETC&, STGMEDIUM&) override { return DV_E_FORMATETC; }
    HRESULT GetDataHere(const FORMATETC&, STGMEDIUM&) override { return DV_E_FORMATETC; }
    HRESULT QueryGetData(const FORMATETC&) override { return DV_E_FORMATETC; }
    HRESULT GetCanonicalFormatEtc(const FORMATETC&, FORMATETC&) override { return E_NOTIMPL; }
    HRESULT SetData(const FORMATETC&, STGMEDIUM&, BOOL) override { return E_NOTIMPL; }
    HRESULT EnumFormatEtc(DWORD, std::unique_ptr<IEnumFORMATETC>&) override { return E_NOTIMPL; }
    HRESULT DAdvise(const FORMATETC&, DWORD, void*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise(void**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

class AdvEditDrop : public EditFixture {
protected:
    void TearDown() override { SetDragRunner(nullptr); }
    TAdvEdit* dropEdit(const char* Text) {
        auto* E = newEdit();
        E->SetText(QString::fromUtf8(Text));
        E->SetOleDropTarget(true);
        E->SetOleDropSource(true);
        return E;
    }
    // The screen point over character Index of E.
    static TPoint over(TAdvEdit* E, int Index) {
        return E->ClientToScreen(Point(E->PosFromChar(Index).X + 1, E->PosFromChar(Index).Y + 4));
    }
    static DWORD drop(TAdvEdit* E, const TDropContents& What, int Index, DWORD Keys = 0) {
        const auto Data = CreateDropDataObject(What);
        return SimulateDrop(E->Handle(), Data.get(), Keys, over(E, Index));
    }
    static TDropContents text(const char* S) {
        TDropContents C;
        C.Text = QString::fromUtf8(S);
        C.HasText = true;
        return C;
    }
    // Selects From..To with the focus, presses inside the selection and moves: the drag runs
    // Runner in place of the user's pointer.
    void drag(TAdvEdit* E, int From, int To, TDragRunner Runner) {
        E->Perform(WM_SETFOCUS, 0, 0);
        caret(E, From, To);
        const TPoint P = Point(E->PosFromChar(From + 1).X + 1, E->PosFromChar(From + 1).Y + 4);
        SetDragRunner(std::move(Runner));
        E->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(P.X, P.Y));
        E->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(P.X + 6, P.Y));
    }
    // A runner that drops at character Index of Target with the given keys.
    static TDragRunner dropAt(TAdvEdit* Target, int Index, DWORD Keys) {
        return [=](IDataObject* Data, IDropSource* Source, DWORD, DWORD* Effect) -> HRESULT {
            if (Source->QueryContinueDrag(0, 0) != DRAGDROP_S_DROP) return DRAGDROP_S_CANCEL;
            *Effect = SimulateDrop(Target->Handle(), Data, Keys, over(Target, Index));
            Source->GiveFeedback(*Effect);
            return DRAGDROP_S_DROP;
        };
    }
};

TEST_F(AdvEditDrop, TheFirstLineOfADroppedTextGoesUnderThePointer) {
    auto* E = dropEdit("hello");
    EXPECT_EQ(drop(E, text("ab\r\ncd"), 2), DROPEFFECT_MOVE);
    EXPECT_EQ(window(E), QStringLiteral("heabllo"));
    EXPECT_EQ(E->DropCaretPos(), Point(-1, -1)) << "the drop caret is gone";

    TDropContents Files;
    Files.Files = {QStringLiteral("/tmp/a.txt")};
    EXPECT_NE(drop(E, Files, 1), DROPEFFECT_NONE) << "files are accepted";
    EXPECT_EQ(window(E), QStringLiteral("heabllo")) << "and change nothing";

    TMuteDataObject Mute;
    EXPECT_EQ(SimulateDrop(E->Handle(), &Mute, 0, over(E, 1)), DROPEFFECT_NONE);
    EXPECT_EQ(window(E), QStringLiteral("heabllo"));

    auto* N = dropEdit("12");
    N->SetEditType(etNumeric);
    drop(N, text("ab"), 1);
    EXPECT_EQ(window(N), QStringLiteral("12")) << "a drop passes the number filter as a paste does";
    drop(N, text("3"), 1);
    EXPECT_EQ(window(N), QStringLiteral("132"));
}

TEST_F(AdvEditDrop, DraggingTheSelectionMovesItCopiesWithControlAndNotOntoItself) {
    struct Case {
        const char* What;
        int DropAt;
        DWORD Keys;
        const char* Window;
    };
    const Case Cases[] = {
        {"moved to the end", 11, 0, " worldhello"},
        {"copied with Control", 11, MK_CONTROL, "hello worldhello"},
        {"dropped onto itself", 2, 0, "hello world"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.What);
        auto* E = dropEdit("hello world");
        HeldKeys Keys = C.Keys ? HeldKeys{VK_CONTROL} : HeldKeys{};
        drag(E, 0, 5, dropAt(E, C.DropAt, C.Keys));
        EXPECT_EQ(window(E), QString::fromUtf8(C.Window));
        E->Free();
    }
}

TEST_F(AdvEditDrop, EscapeCancelsTheDragAndAMoveOutClearsTheSelection) {
    auto* E = dropEdit("hello world");
    drag(E, 0, 5, [](IDataObject*, IDropSource* Source, DWORD, DWORD* Effect) -> HRESULT {
        *Effect = DROPEFFECT_NONE;
        return Source->QueryContinueDrag(1, MK_LBUTTON);
    });
    EXPECT_EQ(window(E), QStringLiteral("hello world"));

    auto* Other = dropEdit("");
    drag(E, 6, 11, dropAt(Other, 0, 0));
    EXPECT_EQ(window(Other), QStringLiteral("world"));
    EXPECT_EQ(window(E), QStringLiteral("hello ")) << "moved out";
}

}  // namespace
