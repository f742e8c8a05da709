// Actions: a command with a caption, enabled and checked states, a hint, an image and a short
// cut, shared by the controls linked to it. A link (TActionLink) sits between an action and one
// client; the action tells its links about each change before storing it, so a link can tell
// whether the client still shows the action's old value (the client "follows" the action only
// while it does).
#pragma once

#include "framework/rtl/Component.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Menus.h"

#include <vector>

class TBasicActionLink;
class TCustomActionList;
class TCustomImageList;

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner);
    ~TBasicAction() override;

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;
    TNotifyEvent OnChange;

    // Fires OnExecute; false when none is assigned.
    virtual bool Execute();
    // Fires OnUpdate; false when none is assigned.
    virtual bool Update();
    int ClientCount() const { return static_cast<int>(FClients.size()); }

protected:
    virtual void Change();
    const std::vector<TBasicActionLink*>& Clients() const { return FClients; }

private:
    friend class TBasicActionLink;
    std::vector<TBasicActionLink*> FClients;
};

class TBasicActionLink : public TObject {
public:
    explicit TBasicActionLink(TObject* AClient);
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* Value);
    // Executes the action; false when there is none or it did nothing.
    virtual bool Execute(TComponent* AComponent = nullptr);
    virtual bool Update();

    TNotifyEvent OnChange;

protected:
    virtual void AssignClient(TObject* AClient) {}
    // The action changed: fires OnChange.
    virtual void Change();

private:
    friend class TBasicAction;
    TBasicAction* FAction = nullptr;
};

// An action that belongs to an action list.
class TContainedAction : public TBasicAction {
public:
    explicit TContainedAction(TComponent* AOwner);
    ~TContainedAction() override;

    TCustomActionList* ActionList() const { return FActionList; }
    void SetActionList(TCustomActionList* Value);
    const String& Category() const { return FCategory; }
    void SetCategory(const String& Value) { FCategory = Value; }
    // Position in the action list, -1 when in none.
    int Index() const;

    // The list's OnExecute first (it may handle the action), then the action's own.
    bool Execute() override;
    bool Update() override;

private:
    friend class TCustomActionList;
    TCustomActionList* FActionList = nullptr;
    String FCategory;
};

class TCustomAction : public TContainedAction {
public:
    explicit TCustomAction(TComponent* AOwner);

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Checked() const { return FChecked; }
    // Checking an action with a group index unchecks the others of its list with that index.
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }  // default true
    void SetEnabled(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    int ImageIndex() const { return FImageIndex; }  // default -1
    void SetImageIndex(int Value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    bool Visible() const { return FVisible; }  // default true
    void SetVisible(bool Value);
    // Execute toggles Checked first.
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }

    bool Execute() override;

private:
    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    int FGroupIndex = 0;
    String FHint;
    int FImageIndex = -1;
    TShortCut FShortCut = scNone;
    bool FVisible = true;
    bool FAutoCheck = false;
    bool FChecking = false;

    template <class F>
    void forEachLink(F Fn);
};

class TAction : public TCustomAction {
public:
    explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

// A link to a TCustomAction: a client follows each property while its check holds.
class TActionLink : public TBasicActionLink {
public:
    explicit TActionLink(TObject* AClient) : TBasicActionLink(AClient) {}

    virtual bool IsCaptionLinked() const;
    virtual bool IsCheckedLinked() const;
    virtual bool IsEnabledLinked() const;
    virtual bool IsGroupIndexLinked() const;
    virtual bool IsHintLinked() const;
    virtual bool IsImageIndexLinked() const;
    virtual bool IsShortCutLinked() const;
    virtual bool IsVisibleLinked() const;

    virtual void SetCaption(const String& Value) {}
    virtual void SetChecked(bool Value) {}
    virtual void SetEnabled(bool Value) {}
    virtual void SetGroupIndex(int Value) {}
    virtual void SetHint(const String& Value) {}
    virtual void SetImageIndex(int Value) {}
    virtual void SetShortCut(TShortCut Value) {}
    virtual void SetVisible(bool Value) {}

protected:
    TCustomAction* customAction() const;
};

// The link of a control: caption, enabled state, hint and visibility go to the control.
class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TControl* AClient);
    static TControlActionLink* Create(TControl* AClient) { return new TControlActionLink(AClient); }

    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;

    void SetCaption(const String& Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const String& Value) override;
    void SetVisible(bool Value) override;

protected:
    void AssignClient(TObject* AClient) override;
    TControl* FClient = nullptr;
};

using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;

class TCustomActionList : public TComponent {
public:
    explicit TCustomActionList(TComponent* AOwner);
    ~TCustomActionList() override;

    // Image list the actions' ImageIndex refers to; dropped when freed.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TContainedAction* Actions(int Index) const;

    TActionEvent OnExecute;
    TActionEvent OnUpdate;

    // Runs OnExecute for Action; true when the handler handled it.
    bool ExecuteAction(TBasicAction* Action);
    bool UpdateAction(TBasicAction* Action);
    // Asks every action to update itself (the platform does this when idle).
    void UpdateActions();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TContainedAction;
    std::vector<TContainedAction*> FActions;
    TCustomImageList* FImages = nullptr;
};

class TActionList : public TCustomActionList {
public:
    explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};
