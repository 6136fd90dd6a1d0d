#pragma once

#include <cstddef>
#include <cstdint>

#include "HostCore.h"
#include "SuiteCalls.h"
#include "SuiteForward.h"
#include "host/AiSuites.h"

namespace standin {

// "AI User Suite": the host's number texts, in the C locale whatever the
// process's locale. A text is a number only as a whole ("12" but not " 12"
// or "12x"); a failing conversion leaves the caller's value alone.
class UserModel : public ActiveInstance<UserModel> {
public:
    explicit UserModel(HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error StringToNumber(const char* text, float* value);
    host::Error NumberToString(float value, std::int32_t decimals, char* text, std::size_t size);

private:
    SuiteCalls calls_;
};

}  // namespace standin
