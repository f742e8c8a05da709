// The one graphic a grid cell may carry besides its text (check box, picture, node, button...).
// The grid frees a TCellGraphic with its cell's properties; any other object given as a cell
// graphic belongs to the caller.
#pragma once

#include "framework/rtl/Component.h"

class TBaseCellGraphic : public TPersistent {};

class TCellGraphic : public TBaseCellGraphic {};
