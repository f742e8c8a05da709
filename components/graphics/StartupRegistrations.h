// Window messages and a clipboard format that the library's hint, toolbar and fill units register
// when the program starts, with the toolbar's two default colour-tone records. Nothing in this
// program sends or reads them yet; they are registered so that the numbers exist as on the platform.
#pragma once

#include "components/graphics/TesselStyle.h"

// The hint unit.
extern UINT WM_CLEARHINTCONTROL;

// The toolbar unit: its default tones (all clNone) and its messages, kept as 16-bit numbers.
extern TColorTones ToolBarDefaultColorTones[2];
extern Word WM_TBCOMPACTWINHIDE;
extern Word WM_TBSETAEROVISTA;
extern Word WM_TBPSETIGNOREALT;
extern Word WM_TBFUPDATECONTEXTMENU;
extern Word WM_TBSETMETRO;
extern Word WM_TBREVERTMETRO;
extern Word WM_TBSETOFFICE2013;
extern Word WM_TBSHOWSHORTCUTHINT;

// The fill unit.
extern UINT CF_GDIPFILL;
