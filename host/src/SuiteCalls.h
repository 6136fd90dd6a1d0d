#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "HandleTable.h"
#include "HostCore.h"
#include "host/HostErrors.h"
#include "host/HostSuites.h"

namespace standin {

// What the functions of one suite share: the name a call has in violations,
// the refusal of null arguments, injected failures, and texts answered into
// the caller's buffer.
class SuiteCalls {
public:
    SuiteCalls(HostCore& core, const host::SuiteVersions& suite) : core_(core), suite_(suite) {}

    std::string Name(std::string_view function) const { return CallName(suite_, function); }
    // Records a call of the suite while the plug-in holds no acquisition of it.
    void CheckHeld() const { core_.CheckHeld(suite_); }

    // The error to answer before the call does anything: a violation when an
    // argument is missing, else the injected failure, else 0.
    host::Error Enter(std::string_view function, bool argumentsPresent) const;
    // Enter, and then the live record of the handle (a violation when there
    // is none).
    template <typename Handle, typename Record>
    host::Error Enter(std::string_view function, bool argumentsPresent,
                      HandleTable<Handle, Record>& table, Handle handle, Record** record) const {
        if (const host::Error error = Enter(function, argumentsPresent)) {
            return error;
        }
        *record = table.Find(handle, Name(function));
        return *record == nullptr ? host::kErrorBadHandle : host::kNoError;
    }
    // 0 for an index below count; else the violation of a bad argument.
    host::Error CheckIndex(std::string_view function, std::int32_t index, std::size_t count) const;
    // Records the mistake as a bad argument and answers its error.
    host::Error BadArgument(std::string_view function, std::string detail) const;
    // Whether adding a menu item, notifier or tool under the name goes ahead
    // (none) or what to answer: an error for a plug-in that is not loaded or
    // a name taken already (violations), or the injected refusal, which with
    // code 0 answers success and a null handle.
    template <typename Handle>
    std::optional<host::Error> Admit(std::string_view function, host::PluginRef plugin,
                                     std::string_view name, bool taken, Handle* handle) const {
        if (!core_.CheckPlugin(plugin, Name(function))) {
            return host::kErrorBadHandle;
        }
        if (taken) {
            return BadArgument(function, '"' + std::string(name) + "\" is added already");
        }
        const std::optional<host::Error> refusal = core_.GetFaults().Refusal(name);
        if (refusal == host::kNoError) {
            *handle = Handle{};
        }
        return refusal;
    }
    // The text with its NUL into buffer, or kErrorTextTooLong leaving it alone.
    static host::Error CopyText(std::string_view text, char* buffer, std::size_t size);

    Violations& GetViolations() const { return core_.GetViolations(); }

private:
    HostCore& core_;
    const host::SuiteVersions& suite_;
};

}  // namespace standin
