#include "components/graphics/AdvXPVS.h"

TThemeLoader AdvXPVS("advxpvs", ThemeFunctionNames, mtnAssertionFailure, tlgNone);

namespace {

// The unit's initialisation and finalisation.
struct TAdvXPVSUnit {
    TAdvXPVSUnit() { AdvXPVS.BindThemeFunctions(); }
    ~TAdvXPVSUnit() { AdvXPVS.Finalize(); }
} AdvXPVSUnit;

}  // namespace
