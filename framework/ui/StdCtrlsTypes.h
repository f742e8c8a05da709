// The standard controls' plain enumerations, apart from the controls, so that window-free models
// (the grid's cell store among them) can name them without a window header.
#pragma once

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };
