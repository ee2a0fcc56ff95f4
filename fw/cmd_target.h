// SPDX-License-Identifier: MIT
// The root of everything that has a message map: windows and the
// application object. A class that declares its own map overrides
// GetMessageMap and offers GetThisMessageMap for its derived classes to chain
// to; the tables are built on first use, so no static initialisation order
// is involved.
#pragma once

#include "fw/message_map.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    virtual const fw::MessageMap* GetMessageMap() const { return GetThisMessageMap(); }
    static const fw::MessageMap* GetThisMessageMap();

    // Finds the first entry for message (and, for WM_COMMAND, the command id
    // in wParam's low word) along the chain of maps; null when none.
    const fw::MessageMapEntry* FindEntry(UINT message, WPARAM wParam) const;

    // Runs the command handler for id; FALSE when the maps have none.
    BOOL OnCmdMsg(UINT id);
};
