// Firing the settings objects' change events: from a copy, since a handler may replace the
// event (or free the object that holds it) while it runs.
#pragma once

#include "framework/rtl/Component.h"

inline void FireNotify(const TNotifyEvent& Event, TObject* Sender) {
    if (!Event) return;
    const TNotifyEvent Handler = Event;
    Handler(Sender);
}
