#include "components/graphics/StartupRegistrations.h"

#include "framework/ui/Clipbrd.h"
#include "framework/ui/Messages.h"

UINT WM_CLEARHINTCONTROL = 0;

TColorTones ToolBarDefaultColorTones[2];
Word WM_TBCOMPACTWINHIDE = 0;
Word WM_TBSETAEROVISTA = 0;
Word WM_TBPSETIGNOREALT = 0;
Word WM_TBFUPDATECONTEXTMENU = 0;
Word WM_TBSETMETRO = 0;
Word WM_TBREVERTMETRO = 0;
Word WM_TBSETOFFICE2013 = 0;
Word WM_TBSHOWSHORTCUTHINT = 0;

UINT CF_GDIPFILL = 0;

namespace {

Word registerToolBarMessage(const char* Name) { return static_cast<Word>(RegisterWindowMessage(QLatin1String(Name))); }

// The three units' initialisations, in the order the program runs them.
struct TStartupRegistrations {
    TStartupRegistrations() {
        WM_CLEARHINTCONTROL = RegisterWindowMessage(QStringLiteral("ClearHintControl"));

        ClearColorTones(ToolBarDefaultColorTones[0]);
        ClearColorTones(ToolBarDefaultColorTones[1]);
        WM_TBCOMPACTWINHIDE = registerToolBarMessage("TBCompactWinHide");
        WM_TBSETAEROVISTA = registerToolBarMessage("TBSetAeroVista");
        WM_TBPSETIGNOREALT = registerToolBarMessage("TBPSetIgnoreALT");
        WM_TBFUPDATECONTEXTMENU = registerToolBarMessage("TBFUpdateContextMenu");
        WM_TBSETMETRO = registerToolBarMessage("TBSetMetro");
        WM_TBREVERTMETRO = registerToolBarMessage("TBRevertMetro");
        WM_TBSETOFFICE2013 = registerToolBarMessage("TBSetOffice2013");
        WM_TBSHOWSHORTCUTHINT = registerToolBarMessage("TBShowShortCutHint");

        CF_GDIPFILL = RegisterClipboardFormat(QStringLiteral("GDI+ Fill"));
    }
} StartupRegistrationsUnit;

}  // namespace
