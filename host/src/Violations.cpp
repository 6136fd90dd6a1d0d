#include "Violations.h"

#include <algorithm>
#include <ostream>
#include <utility>

namespace standin {

std::string_view Name(ViolationKind kind) {
    switch (kind) {
        case ViolationKind::kReleaseNotAcquired:
            return "release of what was not acquired";
        case ViolationKind::kDoubleFree:
            return "double free";
        case ViolationKind::kForeignHandle:
            return "foreign handle";
        case ViolationKind::kStaleHandle:
            return "stale handle";
        case ViolationKind::kUnknownSuite:
            return "unknown suite";
        case ViolationKind::kBadArgument:
            return "bad argument";
        case ViolationKind::kUndefinedCalled:
            return "undefined function called";
        case ViolationKind::kNestedDestroy:
            return "nested destroy";
        case ViolationKind::kUnexpectedModal:
            return "unexpected modal dialog";
        case ViolationKind::kModalLeftOpen:
            return "modal dialog left open";
        case ViolationKind::kSuiteNotHeld:
            return "suite not held";
        case ViolationKind::kOtherDocument:
            return "object of another document";
    }
    return "?";
}

std::ostream& operator<<(std::ostream& out, const Violation& violation) {
    return out << Name(violation.kind) << " in " << violation.call << ": " << violation.detail;
}

void Violations::Record(ViolationKind kind, std::string_view call, std::string detail) {
    all_.push_back({kind, std::string(call), std::move(detail)});
}

std::size_t Violations::Count(ViolationKind kind) const {
    return static_cast<std::size_t>(std::count_if(
        all_.begin(), all_.end(), [kind](const Violation& v) { return v.kind == kind; }));
}

}  // namespace standin
