// TAdvDirectoryEdit: browsing for a folder and checking that the text names one.
#include "components/controls/AdvDirectoryEdit.h"

#include "framework/os/ShellAPI.h"
#include "framework/rtl/Files.h"
#include "framework/ui/Forms.h"

String BrowseStartPath;

namespace {

// The platform's path buffer holds MAX_PATH characters.
constexpr int kMaxPath = 260;

struct TAdvDirectoryEditUnit {
    ~TAdvDirectoryEditUnit() { BrowseStartPath.clear(); }
} AdvDirectoryEditUnit;

}  // namespace

TAdvDirectoryEdit::TAdvDirectoryEdit(TComponent* AOwner) : TAdvEditBtn(AOwner) {
    TAdvEdit::OnValueValidate = [this](TObject*, String Value, bool& IsValid) { ValidateDirectory(Value, IsValid); };
    SetButtonWidth(18);
}

void TAdvDirectoryEdit::ValidateDirectory(const String& Value, bool& IsValid) {
    IsValid = true;
    if (ShowError() && !Value.isEmpty()) IsValid = DirectoryExists(Value);
}

bool TAdvDirectoryEdit::IsValidDirectory() {
    const bool Exists = DirectoryExists(Text());
    SetIsError(!Exists);
    return Exists;
}

TPoint TAdvDirectoryEdit::dialogPlace(const TSize& DialogSize) const {
    TPoint P = ClientToScreen(Point(0, Height()));
    const TRect WorkArea = Screen->WorkAreaRect();
    if (P.X + DialogSize.cx > WorkArea.Right) P.X -= DialogSize.cx;
    if (P.Y + DialogSize.cy >= WorkArea.Bottom) P.Y = WorkArea.Bottom - DialogSize.cy - 64;
    return P;
}

void TAdvDirectoryEdit::DoClickBtn() {
    const TWeak<TAdvDirectoryEdit> Self(this);
    String Start = Text().isEmpty() ? GetCurrentDir() : Text();
    if (OnShowDirectoryDialog) {
        FireEvent(OnShowDirectoryDialog, this, Start);
        if (!Self) return;
    }
    BrowseStartPath = Start.left(kMaxPath);

    TBrowseFolderRequest Request;
    Request.Caption = FBrowseDialogText;
    Request.NewFolderButton = FAllowNewFolder;
    Request.Shares = FAllowNewFolder && FAllowShares;
    // The folder shown selected: the field's folder, unless a start folder was given.
    String Selected = Text();
    while (Selected.size() > 1 && Selected.endsWith(PathDelim)) Selected.chop(1);
    if (Selected.isEmpty()) Selected = GetCurrentDir();
    Request.StartFolder = BrowseStartPath.isEmpty() ? Selected : BrowseStartPath;
    Request.Place = [this](const TSize& Size) { return dialogPlace(Size); };

    // The Escape or Return that closes the dialog is not the edit's.
    FBlockDefaultHandling = true;
    String Chosen;
    bool OK = false;
    try {
        OK = ShellService()->BrowseForFolder(Request, Chosen);
    } catch (const std::exception&) {
        OK = false;
    }
    if (!Self) return;
    if (OK) {
        OK = !Chosen.isEmpty();
        if (OnDialogClose) {
            FireEvent(OnDialogClose, this, Chosen, OK);
            if (!Self) return;
        }
        if (OK && Chosen != Text()) {
            SetText(Chosen);
            SetModified(true);
        }
    } else if (OnDialogClose) {
        String Current = Text();
        FireEvent(OnDialogClose, this, Current, false);
    }
}
