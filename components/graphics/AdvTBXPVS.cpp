#include "components/graphics/AdvTBXPVS.h"

TThemeLoader AdvTBXPVS("AdvTBXPVS", ThemeFunctionNames, mtnAssertionFailure, tlgLockAndCount);

namespace {

// The unit's initialisation and finalisation.
struct TAdvTBXPVSUnit {
    TAdvTBXPVSUnit() { AdvTBXPVS.BindThemeFunctions(); }
    ~TAdvTBXPVSUnit() { AdvTBXPVS.Finalize(); }
} AdvTBXPVSUnit;

}  // namespace
