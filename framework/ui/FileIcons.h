// File-type icons from the desktop's icon theme: the icon of a file's type, found by its name
// or extension (the file need not exist), falling back to a generic document icon of our own
// (and a folder icon for a folder) when the theme has none. The icons also sit in two shared
// image lists, small (16 x 16) and large (32 x 32), by index, as a shell's icon cache offers them.
#pragma once

#include "framework/ui/Graphics.h"

class TCustomImageList;
class TIcon;

// An icon handle owns its pixels (32-bit with alpha). Free with DestroyIcon.
HICON FileTypeIcon(const String& FileNameOrExtension, int Size);
// The generic document icon (Folder: the generic folder icon), drawn by the project.
HICON GenericFileIcon(int Size, bool Folder = false);
BOOL DestroyIcon(HICON Icon);
// Width and height of the icon (0 for nullptr).
TSize IconSize(HICON Icon);

inline constexpr UINT DI_MASK = 0x0001;
inline constexpr UINT DI_IMAGE = 0x0002;
inline constexpr UINT DI_NORMAL = 0x0003;
// Draws the icon blended at (X, Y), stretched to Width x Height (0: its own size).
BOOL DrawIconEx(HDC DC, int X, int Y, HICON Icon, int Width, int Height, UINT StepIfAniCur, HBRUSH FlickerFreeDraw,
                UINT Flags);
BOOL DrawIcon(HDC DC, int X, int Y, HICON Icon);
// The icon as a pf32bit bitmap with its alpha channel.
void IconToBitmap(HICON Icon, TBitmap* Bitmap);
// The icon as a TIcon picture.
void IconToPicture(HICON Icon, TIcon* Picture);

// The shared list of file-type icons (Large: 32 x 32, otherwise 16 x 16); owned by the framework.
TCustomImageList* FileIconImageList(bool Large);
// The index in both lists of the icon for the path's type: a folder's icon for an existing
// folder (unless UseExtensionOnly), the document icon for a path with no known type. Indexes
// stay valid for the life of the process.
int FileIconIndex(const String& PathOrExtension, bool UseExtensionOnly = false);
