// The seven theme loaders let go of the theme library for the life of the object (so that a test
// can put another library in its place), and bind again, with whatever library is there, after it.
#pragma once

#include "components/graphics/ACXPVS.h"
#include "components/graphics/AEBXPVS.h"
#include "components/graphics/APXPVS.h"
#include "components/graphics/ATXPVS.h"
#include "components/graphics/AdvTBXPVS.h"
#include "components/graphics/AdvXPVS.h"
#include "components/graphics/BtnXPVS.h"

#include <array>

inline std::array<TThemeLoader*, 7> AllThemeLoaders() {
    return {&BtnXPVS, &AEBXPVS, &AdvXPVS, &ATXPVS, &APXPVS, &ACXPVS, &AdvTBXPVS};
}

class TThemeLoadersReleased {
public:
    TThemeLoadersReleased() { releaseAll(); }
    ~TThemeLoadersReleased() {
        releaseAll();
        for (TThemeLoader* Loader : AllThemeLoaders()) Loader->BindThemeFunctions();
    }
    TThemeLoadersReleased(const TThemeLoadersReleased&) = delete;
    TThemeLoadersReleased& operator=(const TThemeLoadersReleased&) = delete;

    static void releaseAll() {
        for (TThemeLoader* Loader : AllThemeLoaders()) {
            Loader->Finalize();
            Loader->UnbindThemeFunctions();
        }
    }
};
