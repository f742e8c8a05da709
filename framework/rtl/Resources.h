// Resources: named byte blocks (bitmaps, icons, raw data) that the program carries with it.
//
// One process-wide table stands in for the module's resource section. Units that ship resources
// register them at static initialisation with QVD_RESOURCE over a byte array; names are looked
// up ignoring letter case, and an integer identifier N is the same resource as the name "#N".
// Every module handle names the program itself, so the Instance arguments are accepted and
// ignored (HInstance is what callers pass).
//
// A static library drops object files that nothing references, registrations included: put
// QVD_RESOURCE in a .cpp whose code the program already uses (the control that draws the glyph).
#pragma once

#include "framework/rtl/Streams.h"

#include <cstddef>

using HINSTANCE = struct TInstanceHandle*;
using HMODULE = HINSTANCE;
// A found resource; stays valid until the resource is unregistered or replaced.
using HRSRC = const struct TResourceEntry*;

// The resource types, numbered as on the platform.
using TResourceType = Word;
inline constexpr TResourceType RT_CURSOR = 1;
inline constexpr TResourceType RT_BITMAP = 2;
inline constexpr TResourceType RT_ICON = 3;
inline constexpr TResourceType RT_MENU = 4;
inline constexpr TResourceType RT_DIALOG = 5;
inline constexpr TResourceType RT_STRING = 6;
inline constexpr TResourceType RT_FONT = 8;
inline constexpr TResourceType RT_RCDATA = 10;
inline constexpr TResourceType RT_GROUP_CURSOR = 12;
inline constexpr TResourceType RT_GROUP_ICON = 14;
inline constexpr TResourceType RT_VERSION = 16;
inline constexpr TResourceType RT_HTML = 23;

QVD_DECLARE_EXCEPTION(EResNotFound, Exception);

// The program's own module.
extern const HINSTANCE HInstance;

// Adds a resource holding a copy of Size bytes at Data; one already registered with the same
// type and name (ignoring case) is replaced. Raises EArgumentException for an empty name.
void RegisterResource(TResourceType Type, const String& Name, const void* Data, std::size_t Size);
void RegisterResource(TResourceType Type, int ResID, const void* Data, std::size_t Size);
// Removes the resource; false when there was none.
bool UnregisterResource(TResourceType Type, const String& Name);
bool UnregisterResource(TResourceType Type, int ResID);

// nullptr when the module has no such resource.
HRSRC FindResource(HINSTANCE Instance, const String& Name, TResourceType Type);
HRSRC FindResource(HINSTANCE Instance, int ResID, TResourceType Type);
DWORD SizeofResource(HINSTANCE Instance, HRSRC ResInfo);
// The resource's bytes (SizeofResource of them); nullptr for a null handle.
const void* LoadResource(HINSTANCE Instance, HRSRC ResInfo);
// The registered name of a resource ("#N" for an identifier), as it was written.
String ResourceName(HRSRC ResInfo);

// A read-only memory stream over a copy of a resource's bytes.
class TResourceStream : public TMemoryStream {
public:
    // Raise EResNotFound "Resource NAME not found" (the identifier for CreateFromID).
    TResourceStream(HINSTANCE Instance, const String& ResName, TResourceType ResType);
    static TResourceStream* CreateFromID(HINSTANCE Instance, int ResID, TResourceType ResType);

    // Raises EStreamError: a resource cannot be changed.
    Int64 Write(const void* Buffer, Int64 Count) override;
    void SetSize(Int64 NewSize) override;

private:
    explicit TResourceStream(TBytes&& Data);
};

#define QVD_RESOURCE_CONCAT2(A, B) A##B
#define QVD_RESOURCE_CONCAT(A, B) QVD_RESOURCE_CONCAT2(A, B)
// Registers the byte array Bytes under Name at static initialisation:
//     static const Byte kLogoPng[] = {0x89, 0x50, ...};
//     QVD_RESOURCE(RT_RCDATA, "LOGO", kLogoPng);
#define QVD_RESOURCE(Type, Name, Bytes)                                                        \
    [[maybe_unused]] static const bool QVD_RESOURCE_CONCAT(qvdResourceRegistered_, __LINE__) = \
        (RegisterResource((Type), QStringLiteral(Name), (Bytes), sizeof(Bytes)), true)
