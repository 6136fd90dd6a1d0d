#include "M7LGuarded.h"

#include <exception>
#include <new>

#include "M7LFailure.h"

namespace {

constexpr int kExceptionErrorNumber = 0;
constexpr const char* kUnknownExceptionText = "an exception of unknown type";

void ReportCurrentException() noexcept {
    try {
        throw;
    } catch (const std::exception& exception) {
        ReportCantHappen(kExceptionErrorNumber, exception.what(), __FILE__, __LINE__);
    } catch (...) {
        ReportCantHappen(kExceptionErrorNumber, kUnknownExceptionText, __FILE__, __LINE__);
    }
}

}  // namespace

host::Error AnswerForException() noexcept {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return host::kErrorNoMemory;
    } catch (...) {
        ReportCurrentException();
    }
    return kErrorInternalFailure;
}

void ReportException() noexcept {
    ReportCurrentException();
}
