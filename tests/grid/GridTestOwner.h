// A grid made by a test and freed with Free when the test's pointer goes.
#pragma once

#include "components/grid/VidIvezadOrir.h"

#include <memory>

struct TFree {
    void operator()(TObject* O) const { O->Free(); }
};
using TGridPtr = std::unique_ptr<TVidIvezadOrir, TFree>;
