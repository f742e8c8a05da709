// Holds virtual keys (and mouse buttons) down for a test: GetKeyState reports them down, every
// other key up, until the guard goes.
#pragma once

#include "framework/ui/Messages.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

struct HeldKeys {
    explicit HeldKeys(std::initializer_list<int> Keys)
        : Previous(SetKeyStateSource([Down = std::vector<int>(Keys)](int VK) -> short {
              return std::find(Down.begin(), Down.end(), VK) != Down.end() ? short(-128) : short(0);
          })) {}
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;
    ~HeldKeys() { SetKeyStateSource(Previous); }
    TKeyStateSource Previous;
};
