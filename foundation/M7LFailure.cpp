#include "M7LFailure.h"

#include <cstdio>
#include <cstring>

namespace {

// This system always passes 1 as the handler's second argument; the handler
// ignores it.
constexpr int kHandlerFixedArgument = 1;

struct FailureKindNumber {
    const char* kind;
    unsigned number;
};

constexpr FailureKindNumber kFailureKindNumbers[] = {
    {kFailureKindAssert, 1},
    {kFailureKindCantHappen, 2},
    {kFailureKindShouldBeAssert, 11},
    {kFailureKindShouldNeverComeHere, 12},
};

constexpr unsigned kUnknownFailureKindNumber = 0;

M7LFailureHandler gFailureHandler = nullptr;

unsigned NumberOfKind(const char* kind) {
    if (kind == nullptr) {
        return kUnknownFailureKindNumber;
    }
    for (const FailureKindNumber& entry : kFailureKindNumbers) {
        if (std::strcmp(entry.kind, kind) == 0) {
            return entry.number;
        }
    }
    return kUnknownFailureKindNumber;
}

}  // namespace

void SetFailureHandler(M7LFailureHandler handler) {
    gFailureHandler = handler;
}

int ReportCantHappen(int errorNumber, const char* message, const char* sourceFile, int line) {
    if (gFailureHandler != nullptr) {
        return gFailureHandler(kFailureKindCantHappen, kHandlerFixedArgument, errorNumber, message,
                               sourceFile, line, nullptr);
    }
    ReportFailureDefault(kFailureKindCantHappen, errorNumber);
    return 0;
}

void ReportFailureDefault(const char* kind, int errorNumber) {
    std::fprintf(stderr, "An error of type %u.%u occured.\n Please contact Mor7Lant\n",
                 NumberOfKind(kind), static_cast<unsigned>(errorNumber));
}
