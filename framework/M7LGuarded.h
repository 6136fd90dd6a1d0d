#pragma once

#include "host/HostErrors.h"

// Where the host calls into the plug-in (its entry, dialog and item
// procedures, a published suite) no exception may pass: it would unwind
// through the host's own frames.

// The answer to a call whose handling failed with an exception other than
// running out of memory ('!MEM'); the failure handler has reported it.
inline constexpr host::Error kErrorInternalFailure = host::FourCharCode("!int");

// Inside a catch block: the answer for the exception being handled. Running
// out of memory answers '!MEM' (its alert follows the answer); anything else
// is reported as a failure of the program and answers kErrorInternalFailure.
host::Error AnswerForException() noexcept;

// Inside a catch block, where no answer reaches the user: reports the
// exception being handled, whatever it is, as a failure of the program.
void ReportException() noexcept;

// Runs operation, which answers a host error code, so that no exception
// leaves it.
template <typename Operation>
host::Error Guarded(const Operation& operation) noexcept {
    try {
        return operation();
    } catch (...) {
        return AnswerForException();
    }
}

// Runs a procedure the host calls, answering failed after an exception.
template <typename Result, typename Operation>
Result GuardedProc(Result failed, const Operation& operation) noexcept {
    try {
        return operation();
    } catch (...) {
        ReportException();
        return failed;
    }
}

template <typename Operation>
void GuardedProc(const Operation& operation) noexcept {
    try {
        operation();
    } catch (...) {
        ReportException();
    }
}
