#pragma once

#include "Delegates.h"

#include <memory>
#include <vector>

namespace DuiLib {

// An ordered list of listeners that are called with one argument. Invoke stops at the first
// listener that returns false and reports whether every listener agreed (true when there are none).
template <typename Arg>
class CEventSource {
public:
    CEventSource() = default;
    CEventSource(const CEventSource&) = delete;
    CEventSource& operator=(const CEventSource&) = delete;

    // Keeps a copy of the delegate unless an equal one is registered already.
    void Add(const CDelegateBase<Arg>& delegate) {
        if (Find(delegate) == delegates_.size()) {
            delegates_.push_back(delegate.Copy());
        }
    }

    void Remove(const CDelegateBase<Arg>& delegate) {
        const size_t index = Find(delegate);
        if (index < delegates_.size()) {
            delegates_.erase(delegates_.begin() + static_cast<std::ptrdiff_t>(index));
        }
    }

    bool IsEmpty() const { return delegates_.empty(); }
    size_t Count() const { return delegates_.size(); }

    // Walks by index so that a listener may remove itself (or others) while being called.
    bool Invoke(Arg arg) {
        for (size_t i = 0; i < delegates_.size(); ++i) {
            if (!delegates_[i]->Invoke(static_cast<Arg>(arg))) {
                return false;
            }
        }
        return true;
    }

private:
    size_t Find(const CDelegateBase<Arg>& delegate) const {
        for (size_t i = 0; i < delegates_.size(); ++i) {
            if (delegates_[i]->Equals(delegate)) {
                return i;
            }
        }
        return delegates_.size();
    }

    std::vector<std::unique_ptr<CDelegateBase<Arg>>> delegates_;
};

}  // namespace DuiLib
