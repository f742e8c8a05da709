// Registry key handles and change notification in the platform's shape: open a key, ask to be
// told (once) when it changes by having an event set, close the key. Built on RegNotifyChange.
#pragma once

#include "framework/rtl/ResultCodes.h"

#include "framework/rtl/Registry.h"
#include "framework/rtl/SyncObjs.h"

#include <cstdint>

// What a notification reports. Changes are not told apart here: any change of a value or a
// subkey counts for every filter.
inline constexpr DWORD REG_NOTIFY_CHANGE_NAME = 0x1;
inline constexpr DWORD REG_NOTIFY_CHANGE_ATTRIBUTES = 0x2;
inline constexpr DWORD REG_NOTIFY_CHANGE_LAST_SET = 0x4;
inline constexpr DWORD REG_NOTIFY_CHANGE_SECURITY = 0x8;

// Opens an existing key below Root (SubKey "" opens the root itself) into *Result.
// ERROR_FILE_NOT_FOUND for a missing key. These handles are not TRegistry's.
LONG RegOpenKeyEx(HKEY Root, const String& SubKey, DWORD Options, LongWord Access, HKEY* Result);
// Ends any pending notification, setting its event as the key goes.
LONG RegCloseKey(HKEY Key);
// Arms a one-time notification on a key opened by RegOpenKeyEx: the next change of the key (or of
// anything below it, with WatchSubtree) sets Event, after which it must be armed again. Arming a
// key that is still armed only replaces the event. Asynchronous = FALSE waits for the change (or
// for the key to be closed) instead and ignores Event. The event must outlive the key's handle.
LONG RegNotifyChangeKeyValue(HKEY Key, BOOL WatchSubtree, DWORD NotifyFilter, TEvent* Event, BOOL Asynchronous);
