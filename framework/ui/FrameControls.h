// The classic (unthemed) frames and frame controls, drawn by the framework in the system
// colours: DrawEdge for 3-D borders, DrawFrameControl for push buttons, check boxes, radio
// buttons and scroll-bar / combo-box arrow buttons.
#pragma once

#include "framework/ui/Graphics.h"

// DrawEdge: edges
inline constexpr UINT BDR_RAISEDOUTER = 0x0001;
inline constexpr UINT BDR_SUNKENOUTER = 0x0002;
inline constexpr UINT BDR_RAISEDINNER = 0x0004;
inline constexpr UINT BDR_SUNKENINNER = 0x0008;
inline constexpr UINT BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
inline constexpr UINT BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
inline constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
// DrawEdge: sides and options
inline constexpr UINT BF_LEFT = 0x0001;
inline constexpr UINT BF_TOP = 0x0002;
inline constexpr UINT BF_RIGHT = 0x0004;
inline constexpr UINT BF_BOTTOM = 0x0008;
inline constexpr UINT BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr UINT BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr UINT BF_MIDDLE = 0x0800;
inline constexpr UINT BF_SOFT = 0x1000;
inline constexpr UINT BF_ADJUST = 0x2000;
inline constexpr UINT BF_FLAT = 0x4000;
inline constexpr UINT BF_MONO = 0x8000;

// DrawFrameControl: kinds
inline constexpr UINT DFC_CAPTION = 1;
inline constexpr UINT DFC_MENU = 2;
inline constexpr UINT DFC_SCROLL = 3;
inline constexpr UINT DFC_BUTTON = 4;
// DFC_BUTTON
inline constexpr UINT DFCS_BUTTONCHECK = 0x0000;
inline constexpr UINT DFCS_BUTTONRADIO = 0x0004;
inline constexpr UINT DFCS_BUTTON3STATE = 0x0008;
inline constexpr UINT DFCS_BUTTONPUSH = 0x0010;
// DFC_SCROLL
inline constexpr UINT DFCS_SCROLLUP = 0x0000;
inline constexpr UINT DFCS_SCROLLDOWN = 0x0001;
inline constexpr UINT DFCS_SCROLLLEFT = 0x0002;
inline constexpr UINT DFCS_SCROLLRIGHT = 0x0003;
inline constexpr UINT DFCS_SCROLLCOMBOBOX = 0x0005;
// States
inline constexpr UINT DFCS_INACTIVE = 0x0100;
inline constexpr UINT DFCS_PUSHED = 0x0200;
inline constexpr UINT DFCS_CHECKED = 0x0400;
inline constexpr UINT DFCS_TRANSPARENT = 0x0800;
inline constexpr UINT DFCS_HOT = 0x1000;
inline constexpr UINT DFCS_ADJUSTRECT = 0x2000;
inline constexpr UINT DFCS_FLAT = 0x4000;
inline constexpr UINT DFCS_MONO = 0x8000;

// Draws the chosen sides of a one- or two-pixel 3-D border inside *Rect; with BF_ADJUST *Rect
// becomes the inside of the border, with BF_MIDDLE the inside is filled in the face colour.
BOOL DrawEdge(HDC DC, TRect* Rect, UINT Edge, UINT Flags);
// Draws a frame control filling *Rect; FALSE for a kind or type it does not know. The button
// face shows the arrow (scroll kinds) in the button-text colour, grey and embossed when
// inactive, moved one pixel right and down when pushed. DFCS_ADJUSTRECT shrinks *Rect to the
// inside of the button's border.
BOOL DrawFrameControl(HDC DC, TRect* Rect, UINT Kind, UINT State);
// The border a control paints around its own client area: a sunken 3-D edge (2 pixels) with
// Ctl3D, else a 1-pixel frame in the window-frame colour.
void DrawControlBorder(HDC DC, const TRect& Rect, bool Ctl3D);
