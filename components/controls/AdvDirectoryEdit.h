// TAdvDirectoryEdit: a button edit whose button browses for a folder. The dialog opens under the
// field with the field's folder selected; with ShowError a text that names no existing folder
// shows the error colours.
#pragma once

#include "components/controls/AdvEdBtn.h"

using TDirectoryShowEvent = std::function<void(TObject* Sender, String& InitialPath)>;
using TDialogCloseEvent = std::function<void(TObject* Sender, String& NewDirectory, bool OK)>;

// The start folder of the dialog that runs now.
extern String BrowseStartPath;

class TAdvDirectoryEdit : public TAdvEditBtn {
public:
    explicit TAdvDirectoryEdit(TComponent* AOwner);

    // The dialog may make new folders (and then also show shares).
    bool AllowNewFolder() const { return FAllowNewFolder; }
    void SetAllowNewFolder(bool Value) { FAllowNewFolder = Value; }
    bool AllowShares() const { return FAllowShares; }
    void SetAllowShares(bool Value) { FAllowShares = Value; }
    const String& BrowseDialogText() const { return FBrowseDialogText; }  // default "Select Directory"
    void SetBrowseDialogText(const String& Value) { FBrowseDialogText = Value; }

    // Shown again read-only: the folder edit neither sets nor stores them.
    bool AutoThousandSeparator() const { return FDummy != 0; }
    void SetAutoThousandSeparator(bool) {}
    TEditAlign EditAlign() const { return static_cast<TEditAlign>(FDummy); }
    void SetEditAlign(TEditAlign) {}
    TAdvEditType EditType() const { return static_cast<TAdvEditType>(FDummy); }
    void SetEditType(TAdvEditType) {}
    bool ExcelStyleDecimalSeparator() const { return FDummy != 0; }
    void SetExcelStyleDecimalSeparator(bool) {}
    Char PasswordChar() const { return Char(FDummy); }
    void SetPasswordChar(Char) {}
    int Precision() const { return FDummy; }
    void SetPrecision(int) {}
    bool ShowURL() const { return FDummy != 0; }
    void SetShowURL(bool) {}
    bool Signed() const { return FDummy != 0; }
    void SetSigned(bool) {}
    TColor URLColor() const { return FDummy; }
    void SetURLColor(TColor) {}

    TDialogCloseEvent OnDialogClose;
    TDirectoryShowEvent OnShowDirectoryDialog;
    // Published again on fields of their own, which the folder edit does not fire: the button
    // browses and validation checks the folder.
    TNotifyEvent OnClickBtn;
    TValueValidateEvent OnValueValidate;

    // True when the text names an existing folder; sets IsError otherwise.
    bool IsValidDirectory();
    // Browses as the button does.
    void ClickButton() { DoClickBtn(); }

protected:
    void DoClickBtn() override;
    // Valid unless ShowError is on and a non-empty text names no existing folder.
    virtual void ValidateDirectory(const String& Value, bool& IsValid);

private:
    unsigned char FDummy = 0;
    String FBrowseDialogText = QStringLiteral("Select Directory");
    bool FAllowNewFolder = false;
    bool FAllowShares = false;

    // Where the dialog goes: under the edit's bottom-left corner, kept inside the work area.
    TPoint dialogPlace(const TSize& DialogSize) const;
};
