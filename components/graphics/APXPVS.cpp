#include "components/graphics/APXPVS.h"

TThemeLoader APXPVS("apxpvs", PanelThemeFunctionNames, mtnLeaveNil, tlgNone);

namespace {

// The unit's initialisation and finalisation.
struct TAPXPVSUnit {
    TAPXPVSUnit() { APXPVS.BindThemeFunctions(); }
    ~TAPXPVSUnit() { APXPVS.Finalize(); }
} APXPVSUnit;

}  // namespace
