#include "components/graphics/BtnXPVS.h"

TThemeLoader BtnXPVS("btnxpvs", ThemeFunctionNames, mtnLeaveNil, tlgNone);

namespace {

// The unit's initialisation and finalisation.
struct TBtnXPVSUnit {
    TBtnXPVSUnit() { BtnXPVS.BindThemeFunctions(); }
    ~TBtnXPVSUnit() { BtnXPVS.Finalize(); }
} BtnXPVSUnit;

}  // namespace
