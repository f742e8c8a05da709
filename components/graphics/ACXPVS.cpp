#include "components/graphics/ACXPVS.h"

TThemeLoader ACXPVS("acxpvs", ThemeFunctionNames, mtnLeaveNil, tlgNone);

namespace {

// The unit's initialisation and finalisation.
struct TACXPVSUnit {
    TACXPVSUnit() { ACXPVS.BindThemeFunctions(); }
    ~TACXPVSUnit() { ACXPVS.Finalize(); }
} ACXPVSUnit;

}  // namespace
