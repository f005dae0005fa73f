#pragma once

#include "UINotify.h"

#include <string>
#include <vector>

namespace DuiLib {

class CNotifyPump;

// One row of a class's notification table: a notification type, the sender's name (empty: any
// sender) and the member function that handles it, taking either (wParam, lParam) or the whole
// notification. A table ends with a row whose type is nullptr.
struct NotifyMapEntry {
    const wchar_t* type;
    const wchar_t* controlName;
    void (CNotifyPump::*onParams)(WPARAM wParam, LPARAM lParam);
    void (CNotifyPump::*onNotify)(UINotify& notification);
};

// A class's table chained to the table of its base class (nullptr at the end).
struct NotifyMap {
    const NotifyMap* base;
    const NotifyMapEntry* entries;
};

// Routes notifications to handler member functions by table. A window class derives from it,
// overrides NotifyTable with its own table chained to its base's, and calls NotifyPump from its
// INotifyUI::Notify. Notifications of a registered virtual window go to that window's object
// first.
class CNotifyPump {
public:
    CNotifyPump() = default;
    CNotifyPump(const CNotifyPump&) = delete;
    CNotifyPump& operator=(const CNotifyPump&) = delete;

    // False when the name is registered already. The object is not owned.
    bool AddVirtualWnd(const std::wstring& name, CNotifyPump* object);
    bool RemoveVirtualWnd(const std::wstring& name);
    // True when a handler was called.
    bool NotifyPump(UINotify& notification);

    // The handler of a table row, as a pointer to a member of CNotifyPump.
    template <typename Derived>
    static auto ParamsHandler(void (Derived::*handler)(WPARAM, LPARAM)) {
        return static_cast<void (CNotifyPump::*)(WPARAM, LPARAM)>(handler);
    }
    template <typename Derived>
    static auto NotifyHandler(void (Derived::*handler)(UINotify&)) {
        return static_cast<void (CNotifyPump::*)(UINotify&)>(handler);
    }

protected:
    virtual ~CNotifyPump() = default;
    // The class's own table; the base table has no rows.
    virtual const NotifyMap* NotifyTable() const;

private:
    bool Dispatch(UINotify& notification);

    std::vector<std::pair<std::wstring, CNotifyPump*>> virtualWindows_;
};

// The row of a table that matches a notification, or nullptr: the first row naming the sender
// exactly, else the last row of the type with no control name.
const NotifyMapEntry* MatchNotifyEntry(const NotifyMapEntry* entries, const std::wstring& type,
                                       const std::wstring& senderName);

}  // namespace DuiLib
