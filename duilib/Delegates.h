#pragma once

#include <memory>

namespace DuiLib {

// A listener held by an event source: an object and a function to call on it with one argument.
// Returning false stops the event source from calling the listeners after it. Two delegates are
// equal when they call the same function on the same object, which is how an event source keeps
// a listener from being added twice.
template <typename Arg>
class CDelegateBase {
public:
    virtual ~CDelegateBase() = default;
    virtual std::unique_ptr<CDelegateBase> Copy() const = 0;
    virtual bool Invoke(Arg arg) = 0;
    virtual bool Equals(const CDelegateBase& other) const = 0;
};

// Calls a member function on an object the caller keeps alive while the delegate is registered.
template <typename Object, typename Arg>
class CMemberDelegate final : public CDelegateBase<Arg> {
public:
    using Function = bool (Object::*)(Arg);

    CMemberDelegate(Object* object, Function function) : object_(object), function_(function) {}

    std::unique_ptr<CDelegateBase<Arg>> Copy() const override {
        return std::make_unique<CMemberDelegate>(*this);
    }
    bool Invoke(Arg arg) override { return (object_->*function_)(static_cast<Arg>(arg)); }
    bool Equals(const CDelegateBase<Arg>& other) const override {
        const auto* same = dynamic_cast<const CMemberDelegate*>(&other);
        return same != nullptr && same->object_ == object_ && same->function_ == function_;
    }

private:
    Object* object_;
    Function function_;
};

// Calls a free function.
template <typename Arg>
class CFunctionDelegate final : public CDelegateBase<Arg> {
public:
    using Function = bool (*)(Arg);

    explicit CFunctionDelegate(Function function) : function_(function) {}

    std::unique_ptr<CDelegateBase<Arg>> Copy() const override {
        return std::make_unique<CFunctionDelegate>(*this);
    }
    bool Invoke(Arg arg) override { return function_(static_cast<Arg>(arg)); }
    bool Equals(const CDelegateBase<Arg>& other) const override {
        const auto* same = dynamic_cast<const CFunctionDelegate*>(&other);
        return same != nullptr && same->function_ == function_;
    }

private:
    Function function_;
};

template <typename Object, typename Arg>
CMemberDelegate<Object, Arg> MakeDelegate(Object* object, bool (Object::*function)(Arg)) {
    return CMemberDelegate<Object, Arg>(object, function);
}

template <typename Arg>
CFunctionDelegate<Arg> MakeDelegate(bool (*function)(Arg)) {
    return CFunctionDelegate<Arg>(function);
}

}  // namespace DuiLib
