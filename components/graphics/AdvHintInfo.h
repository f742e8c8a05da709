// The content of an Office-style hint, and the interface through which a control supplies it.
#pragma once

#include "components/graphics/GDIPicture.h"
#include "framework/rtl/StringList.h"

#include <memory>

class TAdvHintInfo : public TPersistent {
public:
    TAdvHintInfo();
    ~TAdvHintInfo() override;

    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    TStringList* Notes() const { return FNotes.get(); }
    // Copies the lines.
    void SetNotes(TStrings* Value) { FNotes->Assign(Value); }
    TGDIPPicture* Picture() const { return FPicture.get(); }
    // Copies the picture.
    void SetPicture(TGDIPPicture* Value) { FPicture->Assign(Value); }
    bool ShowHelp() const { return FShowHelp; }
    void SetShowHelp(bool Value) { FShowHelp = Value; }
    const String& WideTitle() const { return FWideTitle; }
    void SetWideTitle(const String& Value) { FWideTitle = Value; }
    const String& WideNotes() const { return FWideNotes; }
    void SetWideNotes(const String& Value) { FWideNotes = Value; }

    // Copies only from another TAdvHintInfo; any other source is ignored.
    void Assign(TPersistent* Source) override;
    // No title and no notes text; the picture does not count.
    bool IsEmpty() const;

private:
    std::unique_ptr<TGDIPPicture> FPicture;
    bool FShowHelp = false;
    std::unique_ptr<TStringList> FNotes;
    String FTitle;
    String FWideTitle;
    String FWideNotes;
};

inline constexpr const char* IID_ITesselOfficeHint = "{B7E98AA5-9E7A-4036-BF26-AB2F557A5CDD}";

class ITesselOfficeHint : public IInterface {
public:
    // The hint to show at client point PT (nullptr for none); the control keeps ownership.
    virtual void GetOfficeHint(TPoint PT, TAdvHintInfo*& HintInfo) = 0;

protected:
    ~ITesselOfficeHint() = default;
};
