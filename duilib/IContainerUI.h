#pragma once

namespace DuiLib {

class CControlUI;

// The child list of a container. A control handed to Append or InsertAt belongs to the container
// from then on (when the call succeeds) and is deleted by it, at once or through the manager's
// delayed cleanup, when removed while the container owns its items.
class IContainerUI {
public:
    // nullptr when index is out of range.
    virtual CControlUI* ItemAt(int index) const = 0;
    // -1 when control is not a child.
    virtual int IndexOf(CControlUI* control) const = 0;
    virtual bool MoveItem(CControlUI* control, int index) = 0;
    virtual int Count() const = 0;
    virtual bool Append(CControlUI* control) = 0;
    // index == Count() appends; other indices outside 0..Count() fail.
    virtual bool InsertAt(CControlUI* control, int index) = 0;
    virtual bool Remove(CControlUI* control) = 0;
    virtual bool RemoveIndex(int index) = 0;
    virtual void Clear() = 0;

protected:
    ~IContainerUI() = default;
};

}  // namespace DuiLib
