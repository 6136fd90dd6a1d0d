#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

// A mistake of the plug-in that the host caught. The host answers the call
// with an error and records it; tests end by asserting that none occurred.
enum class ViolationKind {
    kReleaseNotAcquired,  // a suite or access released more often than acquired
    kDoubleFree,          // a block freed, or an object destroyed, twice
    kForeignHandle,       // a token or address this host never gave out
    kStaleHandle,         // a token of an object that is gone
    kUnknownSuite,        // a suite name or version the host does not serve
    kBadArgument,         // null text or result pointer, a duplicate name
    kUndefinedCalled,     // a published suite entry of an unloaded plug-in reached
    kNestedDestroy,       // a dialog or item destroyed while it is being destroyed
    kUnexpectedModal,     // a modal dialog unlike its script: unexpected, ended early, an
                          // item missing
    kModalLeftOpen,       // a modal dialog still open when its script is done
    kSuiteNotHeld,        // a suite function called while the plug-in holds no acquisition
    kOtherDocument,       // an object of a document that is not the current one
};

std::string_view Name(ViolationKind kind);

struct Violation {
    ViolationKind kind;
    std::string call;  // "suite name function"
    std::string detail;
};

std::ostream& operator<<(std::ostream& out, const Violation& violation);

class Violations {
public:
    void Record(ViolationKind kind, std::string_view call, std::string detail);
    const std::vector<Violation>& All() const { return all_; }
    bool Empty() const { return all_.empty(); }
    std::size_t Count(ViolationKind kind) const;
    void Clear() { all_.clear(); }

private:
    std::vector<Violation> all_;
};

}  // namespace standin
