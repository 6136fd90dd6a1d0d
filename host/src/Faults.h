#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "host/HostErrors.h"

namespace standin {

// Failures a test arranges. An injected failure is never a violation.
class Faults {
public:
    static constexpr int kEveryCall = -1;

    // The host answers 'S!Fd' for the suite, at every version, and leaves the
    // caller's pointer alone.
    void RemoveSuite(std::string_view name);
    // Releasing the suite fails with the code; the suite stays acquired.
    void FailRelease(std::string_view name, host::Error code);
    // The host function (the member name in its suite's table) fails with the
    // code, for the next `times` calls or for every call.
    void FailCall(std::string_view suite, std::string_view function, host::Error code,
                  int times = kEveryCall);
    // The host refuses to add the menu item, notifier or tool of that name
    // with the code; with 0 it answers success but gives no handle.
    void RefuseRegistration(std::string_view name, host::Error code);
    void Clear();

    bool SuiteRemoved(std::string_view name) const;
    host::Error ReleaseFailure(std::string_view name) const;
    // The code the call fails with (counting the call), or 0.
    host::Error TakeCallFailure(std::string_view suite, std::string_view function);
    std::optional<host::Error> Refusal(std::string_view name) const;

private:
    struct CallFailure {
        host::Error code;
        int remaining;
    };

    std::set<std::string, std::less<>> removedSuites_;
    std::map<std::string, host::Error, std::less<>> failingReleases_;
    std::map<std::pair<std::string, std::string>, CallFailure> failingCalls_;
    std::map<std::string, host::Error, std::less<>> refusedRegistrations_;
};

}  // namespace standin
