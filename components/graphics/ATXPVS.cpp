#include "components/graphics/ATXPVS.h"

TThemeLoader ATXPVS("atxpvs", ThemeFunctionNames, mtnLeaveNil, tlgNone);

namespace {

// The unit's initialisation and finalisation.
struct TATXPVSUnit {
    TATXPVSUnit() { ATXPVS.BindThemeFunctions(); }
    ~TATXPVSUnit() { ATXPVS.Finalize(); }
} ATXPVSUnit;

}  // namespace
