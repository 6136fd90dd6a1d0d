#pragma once

#include <iostream>
#include <type_traits>

#include "host/HostErrors.h"

namespace standin {

// A suite function as a plain function pointer: it forwards to the member of
// the active owner (Owner::Active()). An owner that serves one suite (it has
// Calls()) first records a call the plug-in makes without holding the suite.
// Without an owner, it refuses and says so.
template <auto Method>
struct Forward;

template <typename Owner, typename Result, typename... Args, Result (Owner::*Method)(Args...)>
struct Forward<Method> {
    static Result Call(Args... args) {
        auto* owner = Owner::Active();
        if (owner != nullptr) {
            if constexpr (requires { owner->Calls(); }) {
                owner->Calls().CheckHeld();
            }
            // The class of the method, which may be a base of the owner's.
            Owner* target = owner;
            return (target->*Method)(args...);
        }
        std::cerr << "stand-in host: a suite function was called with no host\n";
        if constexpr (std::is_same_v<Result, host::Error>) {
            return host::kErrorBadHandle;
        } else if constexpr (!std::is_void_v<Result>) {
            return Result{};
        }
    }
};

// The most recently constructed object of the class that still lives, for
// the plain functions that reach it.
template <typename Derived>
class ActiveInstance {
public:
    static Derived* Active() { return active_; }

protected:
    ActiveInstance() : previous_(active_) { active_ = static_cast<Derived*>(this); }
    ~ActiveInstance() {
        if (active_ == this) {
            active_ = previous_;
        }
    }
    ActiveInstance(const ActiveInstance&) = delete;
    ActiveInstance& operator=(const ActiveInstance&) = delete;

private:
    inline static Derived* active_ = nullptr;
    Derived* previous_;
};

}  // namespace standin
