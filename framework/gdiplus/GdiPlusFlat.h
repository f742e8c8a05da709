// The GDI+ flat API, drawn with the framework's painter on device contexts and images.
// Every call returns a Status and never throws; a null handle or output pointer gives
// InvalidParameter. Objects made by a Gdip...Create call are freed by the matching delete call.
// Coordinates are world units (pixels unless a transform says otherwise); angles are degrees,
// clockwise on screen. Text is UTF-16 with a length in code units (-1: up to a zero).
#pragma once

#include "framework/gdiplus/GdiPlusTypes.h"

// ---------------------------------------------------------------------------------------------
// Start-up and the allocator

// Counts start-ups; GdipAlloc answers nullptr until the first one. Version other than 1 gives
// UnsupportedGdiplusVersion.
Status GdiplusStartup(NativeUInt* Token, const GdiplusStartupInput* Input, GdiplusStartupOutput* Output);
void GdiplusShutdown(NativeUInt Token);
void* GdipAlloc(size_t Size);
void GdipFree(void* Ptr);

// ---------------------------------------------------------------------------------------------
// Graphics

// Draws on the context's surface through its current origin and clip.
Status GdipCreateFromHDC(HDC DC, GpGraphics** Graphics);
// Draws on the image's pixels; indexed images give OutOfMemory (the platform's answer), metafiles
// NotImplemented (no metafile recording here).
Status GdipGetImageGraphicsContext(GpImage* Image, GpGraphics** Graphics);
Status GdipDeleteGraphics(GpGraphics* Graphics);
Status GdipFlush(GpGraphics* Graphics, FlushIntention Intention);
Status GdipGraphicsClear(GpGraphics* Graphics, ARGB Color);
// The device context drawn on; for an image graphics a temporary one that GdipReleaseDC frees.
Status GdipGetDC(GpGraphics* Graphics, HDC* DC);
Status GdipReleaseDC(GpGraphics* Graphics, HDC DC);

Status GdipSetWorldTransform(GpGraphics* Graphics, const GpMatrix* Matrix);
Status GdipGetWorldTransform(GpGraphics* Graphics, GpMatrix* Matrix);
Status GdipResetWorldTransform(GpGraphics* Graphics);
Status GdipMultiplyWorldTransform(GpGraphics* Graphics, const GpMatrix* Matrix, MatrixOrder Order);
Status GdipTranslateWorldTransform(GpGraphics* Graphics, REAL DX, REAL DY, MatrixOrder Order);
Status GdipScaleWorldTransform(GpGraphics* Graphics, REAL SX, REAL SY, MatrixOrder Order);
Status GdipRotateWorldTransform(GpGraphics* Graphics, REAL Angle, MatrixOrder Order);

// Hints are stored as given and read back; anti-aliasing follows SmoothingModeAntiAlias and
// HighQuality (shapes) and the anti-alias and ClearType text hints (text).
Status GdipSetSmoothingMode(GpGraphics* Graphics, SmoothingMode Mode);
Status GdipGetSmoothingMode(GpGraphics* Graphics, SmoothingMode* Mode);
Status GdipSetTextRenderingHint(GpGraphics* Graphics, TextRenderingHint Mode);
Status GdipGetTextRenderingHint(GpGraphics* Graphics, TextRenderingHint* Mode);
Status GdipSetCompositingQuality(GpGraphics* Graphics, CompositingQuality Quality);
Status GdipGetCompositingQuality(GpGraphics* Graphics, CompositingQuality* Quality);
Status GdipSetCompositingMode(GpGraphics* Graphics, CompositingMode Mode);
Status GdipGetCompositingMode(GpGraphics* Graphics, CompositingMode* Mode);
Status GdipSetInterpolationMode(GpGraphics* Graphics, InterpolationMode Mode);
Status GdipGetInterpolationMode(GpGraphics* Graphics, InterpolationMode* Mode);
Status GdipSetPixelOffsetMode(GpGraphics* Graphics, PixelOffsetMode Mode);
Status GdipGetPixelOffsetMode(GpGraphics* Graphics, PixelOffsetMode* Mode);

Status GdipDrawLine(GpGraphics* Graphics, GpPen* Pen, REAL X1, REAL Y1, REAL X2, REAL Y2);
Status GdipDrawLineI(GpGraphics* Graphics, GpPen* Pen, INT X1, INT Y1, INT X2, INT Y2);
Status GdipDrawLines(GpGraphics* Graphics, GpPen* Pen, const GpPointF* Points, INT Count);
Status GdipDrawLinesI(GpGraphics* Graphics, GpPen* Pen, const GpPoint* Points, INT Count);
Status GdipDrawRectangle(GpGraphics* Graphics, GpPen* Pen, REAL X, REAL Y, REAL Width, REAL Height);
Status GdipDrawRectangleI(GpGraphics* Graphics, GpPen* Pen, INT X, INT Y, INT Width, INT Height);
Status GdipDrawEllipse(GpGraphics* Graphics, GpPen* Pen, REAL X, REAL Y, REAL Width, REAL Height);
Status GdipDrawEllipseI(GpGraphics* Graphics, GpPen* Pen, INT X, INT Y, INT Width, INT Height);
Status GdipDrawArc(GpGraphics* Graphics, GpPen* Pen, REAL X, REAL Y, REAL Width, REAL Height, REAL StartAngle,
                   REAL SweepAngle);
Status GdipDrawArcI(GpGraphics* Graphics, GpPen* Pen, INT X, INT Y, INT Width, INT Height, REAL StartAngle,
                    REAL SweepAngle);
Status GdipDrawPie(GpGraphics* Graphics, GpPen* Pen, REAL X, REAL Y, REAL Width, REAL Height, REAL StartAngle,
                   REAL SweepAngle);
Status GdipDrawBezier(GpGraphics* Graphics, GpPen* Pen, REAL X1, REAL Y1, REAL X2, REAL Y2, REAL X3, REAL Y3, REAL X4,
                      REAL Y4);
Status GdipDrawBezierI(GpGraphics* Graphics, GpPen* Pen, INT X1, INT Y1, INT X2, INT Y2, INT X3, INT Y3, INT X4,
                       INT Y4);
// Count is 1 + 3n: a start point, then three points per segment.
Status GdipDrawBeziers(GpGraphics* Graphics, GpPen* Pen, const GpPointF* Points, INT Count);
Status GdipDrawBeziersI(GpGraphics* Graphics, GpPen* Pen, const GpPoint* Points, INT Count);
Status GdipDrawPolygon(GpGraphics* Graphics, GpPen* Pen, const GpPointF* Points, INT Count);
Status GdipDrawPolygonI(GpGraphics* Graphics, GpPen* Pen, const GpPoint* Points, INT Count);
Status GdipDrawPath(GpGraphics* Graphics, GpPen* Pen, GpPath* Path);

Status GdipFillRectangle(GpGraphics* Graphics, GpBrush* Brush, REAL X, REAL Y, REAL Width, REAL Height);
Status GdipFillRectangleI(GpGraphics* Graphics, GpBrush* Brush, INT X, INT Y, INT Width, INT Height);
Status GdipFillEllipse(GpGraphics* Graphics, GpBrush* Brush, REAL X, REAL Y, REAL Width, REAL Height);
Status GdipFillEllipseI(GpGraphics* Graphics, GpBrush* Brush, INT X, INT Y, INT Width, INT Height);
Status GdipFillPie(GpGraphics* Graphics, GpBrush* Brush, REAL X, REAL Y, REAL Width, REAL Height, REAL StartAngle,
                   REAL SweepAngle);
Status GdipFillPolygon(GpGraphics* Graphics, GpBrush* Brush, const GpPointF* Points, INT Count, FillMode Mode);
Status GdipFillPolygonI(GpGraphics* Graphics, GpBrush* Brush, const GpPoint* Points, INT Count, FillMode Mode);
Status GdipFillPath(GpGraphics* Graphics, GpBrush* Brush, GpPath* Path);
Status GdipFillRegion(GpGraphics* Graphics, GpBrush* Brush, GpRegion* Region);

// The clip is kept in device units: a later transform does not move it.
Status GdipSetClipRect(GpGraphics* Graphics, REAL X, REAL Y, REAL Width, REAL Height, CombineMode Mode);
Status GdipSetClipRectI(GpGraphics* Graphics, INT X, INT Y, INT Width, INT Height, CombineMode Mode);
Status GdipSetClipPath(GpGraphics* Graphics, GpPath* Path, CombineMode Mode);
Status GdipSetClipRegion(GpGraphics* Graphics, GpRegion* Region, CombineMode Mode);
Status GdipResetClip(GpGraphics* Graphics);
// In world units; an unclipped graphics reports its surface.
Status GdipGetClipBounds(GpGraphics* Graphics, GpRectF* Rect);

Status GdipDrawImage(GpGraphics* Graphics, GpImage* Image, REAL X, REAL Y);
Status GdipDrawImageI(GpGraphics* Graphics, GpImage* Image, INT X, INT Y);
Status GdipDrawImageRect(GpGraphics* Graphics, GpImage* Image, REAL X, REAL Y, REAL Width, REAL Height);
Status GdipDrawImageRectI(GpGraphics* Graphics, GpImage* Image, INT X, INT Y, INT Width, INT Height);
// Source rectangle in SrcUnit (UnitPixel, or a physical unit at 96 dpi); Attributes may be null;
// Callback (may be null) is asked once before drawing and aborts with Aborted.
Status GdipDrawImageRectRect(GpGraphics* Graphics, GpImage* Image, REAL DstX, REAL DstY, REAL DstWidth, REAL DstHeight,
                             REAL SrcX, REAL SrcY, REAL SrcWidth, REAL SrcHeight, Unit SrcUnit,
                             const GpImageAttributes* Attributes, DrawImageAbort Callback, void* CallbackData);
Status GdipDrawImageRectRectI(GpGraphics* Graphics, GpImage* Image, INT DstX, INT DstY, INT DstWidth, INT DstHeight,
                              INT SrcX, INT SrcY, INT SrcWidth, INT SrcHeight, Unit SrcUnit,
                              const GpImageAttributes* Attributes, DrawImageAbort Callback, void* CallbackData);

// Layout of zero width or height: no bound in that direction. Format may be null (the default
// format: near alignment, wrapping). Text is padded by a sixth of the em on each side, as drawn.
Status GdipDrawString(GpGraphics* Graphics, const WCHAR* Text, INT Length, const GpFont* Font,
                      const GpRectF* LayoutRect, const GpStringFormat* Format, const GpBrush* Brush);
// CodepointsFitted and LinesFilled may be null.
Status GdipMeasureString(GpGraphics* Graphics, const WCHAR* Text, INT Length, const GpFont* Font,
                         const GpRectF* LayoutRect, const GpStringFormat* Format, GpRectF* BoundingBox,
                         INT* CodepointsFitted, INT* LinesFilled);

// ---------------------------------------------------------------------------------------------
// Pens

Status GdipCreatePen1(ARGB Color, REAL Width, Unit PenUnit, GpPen** Pen);
Status GdipCreatePen2(GpBrush* Brush, REAL Width, Unit PenUnit, GpPen** Pen);
Status GdipClonePen(GpPen* Pen, GpPen** ClonePen);
Status GdipDeletePen(GpPen* Pen);
Status GdipSetPenWidth(GpPen* Pen, REAL Width);
Status GdipGetPenWidth(GpPen* Pen, REAL* Width);
Status GdipSetPenColor(GpPen* Pen, ARGB Color);
Status GdipGetPenColor(GpPen* Pen, ARGB* Color);
// The pen keeps its own copy of Brush.
Status GdipSetPenBrushFill(GpPen* Pen, GpBrush* Brush);
// A new copy of the pen's brush; the caller deletes it.
Status GdipGetPenBrushFill(GpPen* Pen, GpBrush** Brush);
Status GdipGetPenFillType(GpPen* Pen, PenType* Type);
Status GdipSetPenDashStyle(GpPen* Pen, DashStyle Style);
Status GdipGetPenDashStyle(GpPen* Pen, DashStyle* Style);
Status GdipSetPenStartCap(GpPen* Pen, LineCap Cap);
Status GdipSetPenEndCap(GpPen* Pen, LineCap Cap);
Status GdipGetPenEndCap(GpPen* Pen, LineCap* Cap);
Status GdipSetPenLineJoin(GpPen* Pen, LineJoin Join);
Status GdipGetPenLineJoin(GpPen* Pen, LineJoin* Join);

// ---------------------------------------------------------------------------------------------
// Brushes (every kind is freed by GdipDeleteBrush)

Status GdipCloneBrush(GpBrush* Brush, GpBrush** CloneBrush);
Status GdipDeleteBrush(GpBrush* Brush);
Status GdipGetBrushType(GpBrush* Brush, BrushType* Type);

Status GdipCreateSolidFill(ARGB Color, GpSolidFill** Brush);
Status GdipSetSolidFillColor(GpSolidFill* Brush, ARGB Color);
Status GdipGetSolidFillColor(GpSolidFill* Brush, ARGB* Color);

Status GdipCreateHatchBrush(HatchStyle Style, ARGB ForeColor, ARGB BackColor, GpHatch** Brush);
Status GdipGetHatchStyle(GpHatch* Brush, HatchStyle* Style);
Status GdipGetHatchForegroundColor(GpHatch* Brush, ARGB* Color);
Status GdipGetHatchBackgroundColor(GpHatch* Brush, ARGB* Color);

// The brush keeps its own copy of the image (of the given part of it for the ...2 and IA calls).
Status GdipCreateTexture(GpImage* Image, WrapMode Mode, GpTexture** Texture);
Status GdipCreateTexture2(GpImage* Image, WrapMode Mode, REAL X, REAL Y, REAL Width, REAL Height, GpTexture** Texture);
Status GdipCreateTexture2I(GpImage* Image, WrapMode Mode, INT X, INT Y, INT Width, INT Height, GpTexture** Texture);
Status GdipCreateTextureIA(GpImage* Image, const GpImageAttributes* Attributes, REAL X, REAL Y, REAL Width, REAL Height,
                           GpTexture** Texture);
Status GdipCreateTextureIAI(GpImage* Image, const GpImageAttributes* Attributes, INT X, INT Y, INT Width, INT Height,
                            GpTexture** Texture);
Status GdipResetTextureTransform(GpTexture* Brush);
Status GdipTranslateTextureTransform(GpTexture* Brush, REAL DX, REAL DY, MatrixOrder Order);
Status GdipScaleTextureTransform(GpTexture* Brush, REAL SX, REAL SY, MatrixOrder Order);
Status GdipRotateTextureTransform(GpTexture* Brush, REAL Angle, MatrixOrder Order);
Status GdipSetTextureWrapMode(GpTexture* Brush, WrapMode Mode);
Status GdipGetTextureWrapMode(GpTexture* Brush, WrapMode* Mode);
// A new image (a copy of the brush's); the caller disposes of it.
Status GdipGetTextureImage(GpTexture* Brush, GpImage** Image);

// Colour1 at Point1, Colour2 at Point2; outside them the gradient repeats by Mode.
Status GdipCreateLineBrush(const GpPointF* Point1, const GpPointF* Point2, ARGB Color1, ARGB Color2, WrapMode Mode,
                           GpLineGradient** LineGradient);
Status GdipCreateLineBrushI(const GpPoint* Point1, const GpPoint* Point2, ARGB Color1, ARGB Color2, WrapMode Mode,
                            GpLineGradient** LineGradient);
// A gradient over Rect: a fill larger than Rect tiles it by Mode.
Status GdipCreateLineBrushFromRect(const GpRectF* Rect, ARGB Color1, ARGB Color2, LinearGradientMode GradientMode,
                                   WrapMode Mode, GpLineGradient** LineGradient);
Status GdipCreateLineBrushFromRectI(const GpRect* Rect, ARGB Color1, ARGB Color2, LinearGradientMode GradientMode,
                                    WrapMode Mode, GpLineGradient** LineGradient);
// Angle clockwise from the x axis; scalable: the angle is taken in a square mapped onto Rect.
Status GdipCreateLineBrushFromRectWithAngle(const GpRectF* Rect, ARGB Color1, ARGB Color2, REAL Angle,
                                            BOOL IsAngleScalable, WrapMode Mode, GpLineGradient** LineGradient);
Status GdipCreateLineBrushFromRectWithAngleI(const GpRect* Rect, ARGB Color1, ARGB Color2, REAL Angle,
                                             BOOL IsAngleScalable, WrapMode Mode, GpLineGradient** LineGradient);
Status GdipSetLineColors(GpLineGradient* Brush, ARGB Color1, ARGB Color2);
Status GdipGetLineColors(GpLineGradient* Brush, ARGB* Colors);  // two entries
Status GdipGetLineRect(GpLineGradient* Brush, GpRectF* Rect);
Status GdipSetLineGammaCorrection(GpLineGradient* Brush, BOOL UseGammaCorrection);
Status GdipGetLineGammaCorrection(GpLineGradient* Brush, BOOL* UseGammaCorrection);
Status GdipSetLineWrapMode(GpLineGradient* Brush, WrapMode Mode);
Status GdipGetLineWrapMode(GpLineGradient* Brush, WrapMode* Mode);
// Positions run from 0 to 1, first 0 and last 1; Count at least 2.
Status GdipSetLinePresetBlend(GpLineGradient* Brush, const ARGB* Blend, const REAL* Positions, INT Count);

// Centre colour at the centre point (default: the mean of the path's points), surround colours
// at the path's points (one colour repeats to all), blended by our own rasteriser.
Status GdipCreatePathGradientFromPath(const GpPath* Path, GpPathGradient** PolyGradient);
Status GdipCreatePathGradient(const GpPointF* Points, INT Count, WrapMode Mode, GpPathGradient** PolyGradient);
Status GdipCreatePathGradientI(const GpPoint* Points, INT Count, WrapMode Mode, GpPathGradient** PolyGradient);
Status GdipSetPathGradientCenterColor(GpPathGradient* Brush, ARGB Color);
Status GdipGetPathGradientCenterColor(GpPathGradient* Brush, ARGB* Color);
Status GdipSetPathGradientCenterPoint(GpPathGradient* Brush, const GpPointF* Point);
Status GdipGetPathGradientCenterPoint(GpPathGradient* Brush, GpPointF* Point);
Status GdipSetPathGradientCenterPointI(GpPathGradient* Brush, const GpPoint* Point);
Status GdipGetPathGradientCenterPointI(GpPathGradient* Brush, GpPoint* Point);
Status GdipGetPathGradientPointCount(GpPathGradient* Brush, INT* Count);
// Count in: colours given (1 .. point count); out: colours taken.
Status GdipSetPathGradientSurroundColorsWithCount(GpPathGradient* Brush, const ARGB* Colors, INT* Count);
Status GdipGetPathGradientSurroundColorCount(GpPathGradient* Brush, INT* Count);
// Count in: room in Colors (at least the surround colour count); out: colours written.
Status GdipGetPathGradientSurroundColorsWithCount(GpPathGradient* Brush, ARGB* Colors, INT* Count);
// Positions from the boundary (0) to the centre (1).
Status GdipSetPathGradientPresetBlend(GpPathGradient* Brush, const ARGB* Blend, const REAL* Positions, INT Count);
Status GdipSetPathGradientGammaCorrection(GpPathGradient* Brush, BOOL UseGammaCorrection);
Status GdipGetPathGradientGammaCorrection(GpPathGradient* Brush, BOOL* UseGammaCorrection);
Status GdipSetPathGradientWrapMode(GpPathGradient* Brush, WrapMode Mode);
Status GdipGetPathGradientWrapMode(GpPathGradient* Brush, WrapMode* Mode);

// ---------------------------------------------------------------------------------------------
// String formats

Status GdipCreateStringFormat(INT FormatAttributes, LANGID Language, GpStringFormat** Format);
// Shared formats; deleting them is allowed and does nothing.
Status GdipStringFormatGetGenericDefault(GpStringFormat** Format);
// No padding, no wrapping limits: measures the text's own extent.
Status GdipStringFormatGetGenericTypographic(GpStringFormat** Format);
Status GdipCloneStringFormat(const GpStringFormat* Format, GpStringFormat** NewFormat);
Status GdipDeleteStringFormat(GpStringFormat* Format);
Status GdipSetStringFormatAlign(GpStringFormat* Format, StringAlignment Align);
Status GdipGetStringFormatAlign(const GpStringFormat* Format, StringAlignment* Align);
Status GdipSetStringFormatLineAlign(GpStringFormat* Format, StringAlignment Align);
Status GdipGetStringFormatLineAlign(const GpStringFormat* Format, StringAlignment* Align);
Status GdipSetStringFormatFlags(GpStringFormat* Format, INT Flags);
Status GdipGetStringFormatFlags(const GpStringFormat* Format, INT* Flags);
Status GdipSetStringFormatTrimming(GpStringFormat* Format, StringTrimming Trimming);
Status GdipGetStringFormatTrimming(const GpStringFormat* Format, StringTrimming* Trimming);
Status GdipSetStringFormatHotkeyPrefix(GpStringFormat* Format, INT HotkeyPrefix);
Status GdipGetStringFormatHotkeyPrefix(const GpStringFormat* Format, INT* HotkeyPrefix);

// ---------------------------------------------------------------------------------------------
// Font families and fonts

// The platform's face names map to the installed families first; a family that is not
// installed is FontFamilyNotFound. Collection is ignored (null: the installed fonts).
Status GdipCreateFontFamilyFromName(const WCHAR* Name, GpFontCollection* FontCollection, GpFontFamily** FontFamily);
Status GdipCloneFontFamily(GpFontFamily* FontFamily, GpFontFamily** ClonedFontFamily);
Status GdipDeleteFontFamily(GpFontFamily* FontFamily);
// Name receives up to 31 code units and a terminating zero.
Status GdipGetFamilyName(const GpFontFamily* Family, WCHAR Name[32], LANGID Language);
// Shared families; deleting them is allowed and does nothing.
Status GdipGetGenericFontFamilySansSerif(GpFontFamily** NativeFamily);
Status GdipGetGenericFontFamilySerif(GpFontFamily** NativeFamily);
Status GdipGetGenericFontFamilyMonospace(GpFontFamily** NativeFamily);
Status GdipIsStyleAvailable(const GpFontFamily* Family, INT Style, BOOL* IsStyleAvailable);

// Style: FontStyle bits. Unit: UnitPoint at 96 dpi, UnitPixel or UnitWorld in pixels, or a
// physical unit; UnitDisplay is invalid for fonts.
Status GdipCreateFont(const GpFontFamily* FontFamily, REAL EmSize, INT Style, Unit FontUnit, GpFont** Font);
Status GdipCloneFont(GpFont* Font, GpFont** CloneFont);
Status GdipDeleteFont(GpFont* Font);
Status GdipGetFamily(GpFont* Font, GpFontFamily** Family);
Status GdipGetFontStyle(GpFont* Font, INT* Style);
Status GdipGetFontSize(GpFont* Font, REAL* Size);
Status GdipGetFontUnit(GpFont* Font, Unit* FontUnit);
// Line spacing in pixels.
Status GdipGetFontHeight(const GpFont* Font, const GpGraphics* Graphics, REAL* Height);

// ---------------------------------------------------------------------------------------------
// Paths: points with type bytes (0 start, 1 line, 3 Bézier, | 0x80 closes the figure).

Status GdipCreatePath(FillMode BrushMode, GpPath** Path);
Status GdipCreatePath2(const GpPointF* Points, const BYTE* Types, INT Count, FillMode BrushMode, GpPath** Path);
Status GdipCreatePath2I(const GpPoint* Points, const BYTE* Types, INT Count, FillMode BrushMode, GpPath** Path);
Status GdipClonePath(GpPath* Path, GpPath** ClonePath);
Status GdipDeletePath(GpPath* Path);
Status GdipResetPath(GpPath* Path);
Status GdipGetPathFillMode(GpPath* Path, FillMode* Mode);
Status GdipSetPathFillMode(GpPath* Path, FillMode Mode);
Status GdipStartPathFigure(GpPath* Path);
Status GdipClosePathFigure(GpPath* Path);
Status GdipClosePathFigures(GpPath* Path);

Status GdipAddPathLine(GpPath* Path, REAL X1, REAL Y1, REAL X2, REAL Y2);
Status GdipAddPathLineI(GpPath* Path, INT X1, INT Y1, INT X2, INT Y2);
Status GdipAddPathLine2(GpPath* Path, const GpPointF* Points, INT Count);
Status GdipAddPathLine2I(GpPath* Path, const GpPoint* Points, INT Count);
Status GdipAddPathArc(GpPath* Path, REAL X, REAL Y, REAL Width, REAL Height, REAL StartAngle, REAL SweepAngle);
Status GdipAddPathArcI(GpPath* Path, INT X, INT Y, INT Width, INT Height, REAL StartAngle, REAL SweepAngle);
Status GdipAddPathBezier(GpPath* Path, REAL X1, REAL Y1, REAL X2, REAL Y2, REAL X3, REAL Y3, REAL X4, REAL Y4);
Status GdipAddPathBezierI(GpPath* Path, INT X1, INT Y1, INT X2, INT Y2, INT X3, INT Y3, INT X4, INT Y4);
Status GdipAddPathBeziers(GpPath* Path, const GpPointF* Points, INT Count);
Status GdipAddPathBeziersI(GpPath* Path, const GpPoint* Points, INT Count);
// Cardinal splines through the points; tension 0.5 for the calls without one.
Status GdipAddPathCurve(GpPath* Path, const GpPointF* Points, INT Count);
Status GdipAddPathCurveI(GpPath* Path, const GpPoint* Points, INT Count);
Status GdipAddPathCurve2(GpPath* Path, const GpPointF* Points, INT Count, REAL Tension);
Status GdipAddPathCurve2I(GpPath* Path, const GpPoint* Points, INT Count, REAL Tension);
Status GdipAddPathClosedCurve(GpPath* Path, const GpPointF* Points, INT Count);
Status GdipAddPathRectangle(GpPath* Path, REAL X, REAL Y, REAL Width, REAL Height);
Status GdipAddPathRectangleI(GpPath* Path, INT X, INT Y, INT Width, INT Height);
Status GdipAddPathEllipse(GpPath* Path, REAL X, REAL Y, REAL Width, REAL Height);
Status GdipAddPathEllipseI(GpPath* Path, INT X, INT Y, INT Width, INT Height);
Status GdipAddPathPie(GpPath* Path, REAL X, REAL Y, REAL Width, REAL Height, REAL StartAngle, REAL SweepAngle);
Status GdipAddPathPieI(GpPath* Path, INT X, INT Y, INT Width, INT Height, REAL StartAngle, REAL SweepAngle);
Status GdipAddPathPolygon(GpPath* Path, const GpPointF* Points, INT Count);
Status GdipAddPathPolygonI(GpPath* Path, const GpPoint* Points, INT Count);
Status GdipAddPathPath(GpPath* Path, const GpPath* AddingPath, BOOL Connect);
// Glyph outlines; Family null gives InvalidParameter; EmSize in pixels; Format may be null.
Status GdipAddPathString(GpPath* Path, const WCHAR* Text, INT Length, const GpFontFamily* Family, INT Style,
                         REAL EmSize, const GpRectF* LayoutRect, const GpStringFormat* Format);
Status GdipAddPathStringI(GpPath* Path, const WCHAR* Text, INT Length, const GpFontFamily* Family, INT Style,
                          REAL EmSize, const GpRect* LayoutRect, const GpStringFormat* Format);

Status GdipGetPointCount(GpPath* Path, INT* Count);
// Count must equal the path's point count.
Status GdipGetPathPoints(GpPath* Path, GpPointF* Points, INT Count);
Status GdipGetPathPointsI(GpPath* Path, GpPoint* Points, INT Count);
Status GdipGetPathTypes(GpPath* Path, BYTE* Types, INT Count);
Status GdipTransformPath(GpPath* Path, GpMatrix* Matrix);
// Bounds after Matrix (may be null), widened by Pen (may be null).
Status GdipGetPathWorldBounds(GpPath* Path, GpRectF* Bounds, const GpMatrix* Matrix, const GpPen* Pen);
Status GdipGetPathWorldBoundsI(GpPath* Path, GpRect* Bounds, const GpMatrix* Matrix, const GpPen* Pen);
Status GdipIsVisiblePathPoint(GpPath* Path, REAL X, REAL Y, GpGraphics* Graphics, BOOL* Result);

// ---------------------------------------------------------------------------------------------
// Regions

Status GdipCreateRegion(GpRegion** Region);  // infinite
Status GdipCreateRegionRect(const GpRectF* Rect, GpRegion** Region);
Status GdipCreateRegionRectI(const GpRect* Rect, GpRegion** Region);
Status GdipCreateRegionPath(GpPath* Path, GpRegion** Region);
Status GdipCloneRegion(GpRegion* Region, GpRegion** CloneRegion);
Status GdipDeleteRegion(GpRegion* Region);
Status GdipSetInfinite(GpRegion* Region);
Status GdipSetEmpty(GpRegion* Region);
Status GdipCombineRegionRect(GpRegion* Region, const GpRectF* Rect, CombineMode Mode);
Status GdipCombineRegionRectI(GpRegion* Region, const GpRect* Rect, CombineMode Mode);
Status GdipCombineRegionPath(GpRegion* Region, GpPath* Path, CombineMode Mode);
Status GdipCombineRegionRegion(GpRegion* Region, GpRegion* Region2, CombineMode Mode);
Status GdipTranslateRegion(GpRegion* Region, REAL DX, REAL DY);
// Graphics may be null.
Status GdipGetRegionBounds(GpRegion* Region, GpGraphics* Graphics, GpRectF* Rect);
Status GdipIsEmptyRegion(GpRegion* Region, GpGraphics* Graphics, BOOL* Result);
Status GdipIsInfiniteRegion(GpRegion* Region, GpGraphics* Graphics, BOOL* Result);
Status GdipIsVisibleRegionPoint(GpRegion* Region, REAL X, REAL Y, GpGraphics* Graphics, BOOL* Result);

// ---------------------------------------------------------------------------------------------
// Matrices: affine (m11, m12, m21, m22, dx, dy), points as row vectors (x' = m11 x + m21 y + dx).
// Prepend applies the new operation before the matrix, Append after it.

Status GdipCreateMatrix(GpMatrix** Matrix);
Status GdipCreateMatrix2(REAL M11, REAL M12, REAL M21, REAL M22, REAL DX, REAL DY, GpMatrix** Matrix);
// Maps Rect onto the parallelogram DstPlg (top-left, top-right, bottom-left).
Status GdipCreateMatrix3(const GpRectF* Rect, const GpPointF* DstPlg, GpMatrix** Matrix);
Status GdipCreateMatrix3I(const GpRect* Rect, const GpPoint* DstPlg, GpMatrix** Matrix);
Status GdipCloneMatrix(GpMatrix* Matrix, GpMatrix** CloneMatrix);
Status GdipDeleteMatrix(GpMatrix* Matrix);
Status GdipSetMatrixElements(GpMatrix* Matrix, REAL M11, REAL M12, REAL M21, REAL M22, REAL DX, REAL DY);
Status GdipGetMatrixElements(const GpMatrix* Matrix, REAL* MatrixOut);  // six entries
Status GdipMultiplyMatrix(GpMatrix* Matrix, GpMatrix* Matrix2, MatrixOrder Order);
Status GdipTranslateMatrix(GpMatrix* Matrix, REAL OffsetX, REAL OffsetY, MatrixOrder Order);
Status GdipScaleMatrix(GpMatrix* Matrix, REAL ScaleX, REAL ScaleY, MatrixOrder Order);
Status GdipRotateMatrix(GpMatrix* Matrix, REAL Angle, MatrixOrder Order);
Status GdipShearMatrix(GpMatrix* Matrix, REAL ShearX, REAL ShearY, MatrixOrder Order);
// A singular matrix gives InvalidParameter and stays unchanged.
Status GdipInvertMatrix(GpMatrix* Matrix);
Status GdipTransformMatrixPoints(GpMatrix* Matrix, GpPointF* Points, INT Count);
Status GdipTransformMatrixPointsI(GpMatrix* Matrix, GpPoint* Points, INT Count);
Status GdipVectorTransformMatrixPoints(GpMatrix* Matrix, GpPointF* Points, INT Count);
Status GdipVectorTransformMatrixPointsI(GpMatrix* Matrix, GpPoint* Points, INT Count);
Status GdipIsMatrixInvertible(const GpMatrix* Matrix, BOOL* Result);
Status GdipIsMatrixIdentity(const GpMatrix* Matrix, BOOL* Result);
Status GdipIsMatrixEqual(const GpMatrix* Matrix, const GpMatrix* Matrix2, BOOL* Result);

// ---------------------------------------------------------------------------------------------
// Images and bitmaps. Decoded: BMP, GIF (every frame), JPEG, PNG, ICO (every size, as frames),
// TIFF. EMF and WMF load as empty metafile images (0 x 0, raw format EMF/WMF) that draw nothing.
// Any other data gives UnknownImageFormat; a missing file FileNotFound. Saved: BMP, JPEG, PNG,
// TIFF, one frame each.

Status GdipLoadImageFromFile(const WCHAR* FileName, GpImage** Image);
Status GdipLoadImageFromFileICM(const WCHAR* FileName, GpImage** Image);
// Reads the stream from its position to its end at once; the stream is not kept.
Status GdipLoadImageFromStream(IStream* Stream, GpImage** Image);
Status GdipLoadImageFromStreamICM(IStream* Stream, GpImage** Image);
Status GdipCloneImage(GpImage* Image, GpImage** CloneImage);
Status GdipDisposeImage(GpImage* Image);
Status GdipGetImageType(GpImage* Image, ImageType* Type);
Status GdipGetImageRawFormat(GpImage* Image, GUID* Format);
Status GdipGetImageWidth(GpImage* Image, UINT* Width);
Status GdipGetImageHeight(GpImage* Image, UINT* Height);
Status GdipGetImageDimension(GpImage* Image, REAL* Width, REAL* Height);
Status GdipGetImagePixelFormat(GpImage* Image, PixelFormat* Format);
Status GdipGetImageThumbnail(GpImage* Image, UINT ThumbWidth, UINT ThumbHeight, GpImage** ThumbImage,
                             GetThumbnailImageAbort Callback, void* CallbackData);
Status GdipImageRotateFlip(GpImage* Image, RotateFlipType Type);
Status GdipImageGetFrameDimensionsCount(GpImage* Image, UINT* Count);
Status GdipImageGetFrameDimensionsList(GpImage* Image, GUID* DimensionIDs, UINT Count);
Status GdipImageGetFrameCount(GpImage* Image, const GUID* DimensionID, UINT* Count);
Status GdipImageSelectActiveFrame(GpImage* Image, const GUID* DimensionID, UINT FrameIndex);

// Encoders: BMP, JPEG (EncoderQuality honoured), GIF, TIFF and PNG by their class ids; an unknown
// id gives FileNotFound (the platform's answer). Files are written whole or not at all.
Status GdipGetImageEncodersSize(UINT* NumEncoders, UINT* Size);
Status GdipGetImageEncoders(UINT NumEncoders, UINT Size, ImageCodecInfo* Encoders);
Status GdipSaveImageToFile(GpImage* Image, const WCHAR* FileName, const CLSID* ClsidEncoder,
                           const EncoderParameters* Params);
Status GdipSaveImageToStream(GpImage* Image, IStream* Stream, const CLSID* ClsidEncoder,
                             const EncoderParameters* Params);
// Multi-frame saving is not offered: NotImplemented for valid arguments.
Status GdipSaveAddImage(GpImage* Image, GpImage* NewImage, const EncoderParameters* Params);

Status GdipCreateBitmapFromFile(const WCHAR* FileName, GpBitmap** Bitmap);
Status GdipCreateBitmapFromFileICM(const WCHAR* FileName, GpBitmap** Bitmap);
Status GdipCreateBitmapFromStream(IStream* Stream, GpBitmap** Bitmap);
Status GdipCreateBitmapFromStreamICM(IStream* Stream, GpBitmap** Bitmap);
// Scan0 null: a new zeroed bitmap (Stride ignored); otherwise the pixels are copied from Scan0
// with Stride bytes per row. Formats: the 16-, 24-, 32-bit and 8-bit indexed ones.
Status GdipCreateBitmapFromScan0(INT Width, INT Height, INT Stride, PixelFormat Format, BYTE* Scan0, GpBitmap** Bitmap);
// No GDI bitmap handles exist in this framework: NotImplemented for valid arguments.
Status GdipCreateHBITMAPFromBitmap(GpBitmap* Bitmap, HBITMAP* HBitmap, ARGB Background);
Status GdipBitmapGetPixel(GpBitmap* Bitmap, INT X, INT Y, ARGB* Color);
Status GdipBitmapSetPixel(GpBitmap* Bitmap, INT X, INT Y, ARGB Color);

// ---------------------------------------------------------------------------------------------
// Image attributes: applied to a copy of the source pixels when an image is drawn (the Bitmap
// settings, or the Default ones when Bitmap has none), in this order: remap table, colour key,
// colour matrix, gamma, threshold. Output channels are not offered: NotImplemented when enabled.

Status GdipCreateImageAttributes(GpImageAttributes** ImageAttr);
Status GdipCloneImageAttributes(const GpImageAttributes* ImageAttr, GpImageAttributes** CloneImageAttr);
Status GdipDisposeImageAttributes(GpImageAttributes* ImageAttr);
Status GdipSetImageAttributesToIdentity(GpImageAttributes* ImageAttr, ColorAdjustType Type);
Status GdipResetImageAttributes(GpImageAttributes* ImageAttr, ColorAdjustType Type);
Status GdipSetImageAttributesColorMatrix(GpImageAttributes* ImageAttr, ColorAdjustType Type, BOOL EnableFlag,
                                         const ColorMatrix* ColourMatrix, const ColorMatrix* GrayMatrix,
                                         ColorMatrixFlags Flags);
Status GdipSetImageAttributesThreshold(GpImageAttributes* ImageAttr, ColorAdjustType Type, BOOL EnableFlag,
                                       REAL Threshold);
Status GdipSetImageAttributesGamma(GpImageAttributes* ImageAttr, ColorAdjustType Type, BOOL EnableFlag, REAL Gamma);
Status GdipSetImageAttributesNoOp(GpImageAttributes* ImageAttr, ColorAdjustType Type, BOOL EnableFlag);
// Pixels whose every channel lies between the keys' channels (inclusive) become transparent.
Status GdipSetImageAttributesColorKeys(GpImageAttributes* ImageAttr, ColorAdjustType Type, BOOL EnableFlag,
                                       ARGB ColorLow, ARGB ColorHigh);
Status GdipSetImageAttributesOutputChannel(GpImageAttributes* ImageAttr, ColorAdjustType Type, BOOL EnableFlag,
                                           ColorChannelFlags ChannelFlags);
Status GdipSetImageAttributesOutputChannelColorProfile(GpImageAttributes* ImageAttr, ColorAdjustType Type,
                                                       BOOL EnableFlag, const WCHAR* ColorProfileFilename);
Status GdipSetImageAttributesRemapTable(GpImageAttributes* ImageAttr, ColorAdjustType Type, BOOL EnableFlag,
                                        UINT MapSize, const ColorMap* Map);
// Stored; drawing uses only the source rectangle's pixels, so the wrap mode shows only in
// texture brushes made with these attributes.
Status GdipSetImageAttributesWrapMode(GpImageAttributes* ImageAttr, WrapMode Wrap, ARGB Argb, BOOL Clamp);
Status GdipGetImageAttributesAdjustedPalette(GpImageAttributes* ImageAttr, ColorPalette* Palette, ColorAdjustType Type);
