#include "components/graphics/AEBXPVS.h"

TThemeLoader AEBXPVS("aebxpvs", ThemeFunctionNames, mtnLeaveNil, tlgNone);

namespace {

// The unit's initialisation and finalisation.
struct TAEBXPVSUnit {
    TAEBXPVSUnit() { AEBXPVS.BindThemeFunctions(); }
    ~TAEBXPVSUnit() { AEBXPVS.Finalize(); }
} AEBXPVSUnit;

}  // namespace
