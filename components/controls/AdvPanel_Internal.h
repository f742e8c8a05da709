// Internal to the panel's source files: event firing and the geometry tables' building blocks.
#pragma once

#include "components/controls/AdvPanel.h"

#include <utility>

namespace advpanel_detail {

// The slot is copied first: a handler may reassign it or free its sender.
template <class F, class... A>
void fire(const F& Event, A&&... Args) {
    if (!Event) return;
    const F Handler = Event;
    Handler(std::forward<A>(Args)...);
}

template <class T>
bool assignChanged(T& Field, const T& Value) {
    if (Field == Value) return false;
    Field = Value;
    return true;
}

// The edges of a rectangle, for tables of points placed relative to them.
enum TEdge : char { eL, eT, eR, eB };

// x = edge + DX + XG * size, y = edge + DY + YG * size (a glyph's or a button's size).
struct TSpot {
    TEdge XE;
    int DX;
    int XG;
    TEdge YE;
    int DY;
    int YG;
};

inline int edgeOf(const TRect& R, TEdge E) {
    switch (E) {
        case eL:
            return R.Left;
        case eT:
            return R.Top;
        case eR:
            return R.Right;
        case eB:
            break;
    }
    return R.Bottom;
}

inline int& edgeRef(TRect& R, TEdge E) {
    switch (E) {
        case eL:
            return R.Left;
        case eT:
            return R.Top;
        case eR:
            return R.Right;
        case eB:
            break;
    }
    return R.Bottom;
}

inline TPoint spotAt(const TRect& R, const TSpot& S, int W = 0, int H = 0) {
    return {edgeOf(R, S.XE) + S.DX + S.XG * W, edgeOf(R, S.YE) + S.DY + S.YG * H};
}

inline TRect rectAt(const TRect& R, const TSpot& TopLeft, const TSpot& BottomRight, int Size) {
    const TPoint A = spotAt(R, TopLeft, Size, Size);
    const TPoint B = spotAt(R, BottomRight, Size, Size);
    return {A.X, A.Y, B.X, B.Y};
}

}  // namespace advpanel_detail

// The pointer went down on the caption's drag area or an edge; the gesture starts with the first
// move away from the press.
struct TCustomAdvPanel::TMoveSize {
    LRESULT Code = HTNOWHERE;
    TPoint StartMouse;  // screen
    TRect StartRect;    // screen
    bool Entered = false;
};
