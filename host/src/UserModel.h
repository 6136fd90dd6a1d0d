#pragma once

#include <cstddef>
#include <cstdint>

#include "FileDialogAnswerer.h"
#include "HostCore.h"
#include "SuiteCalls.h"
#include "SuiteForward.h"
#include "host/AiSuites.h"

namespace standin {

// "AI User Suite": the host's number texts, in the C locale whatever the
// process's locale, and its standard file dialogs, which the answerer
// answers. A text is a number only as a whole ("12" but not " 12" or
// "12x"); a failing conversion leaves the caller's value alone.
class UserModel : public ActiveInstance<UserModel> {
public:
    UserModel(HostCore& core, FileDialogAnswerer& fileDialogs);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error StringToNumber(const char* text, float* value);
    host::Error NumberToString(float value, std::int32_t decimals, char* text, std::size_t size);
    host::Error PutFileDialog(const char* message, const host::FileFilter* filters,
                              std::int32_t filterCount, const char* defaultName,
                              host::PlatformFileSpecification* chosen);
    host::Error GetFileDialog(const char* message, const host::FileFilter* filters,
                              std::int32_t filterCount, const char* defaultName,
                              host::PlatformFileSpecification* chosen);

private:
    host::Error FileDialog(std::string_view function, bool save, const char* message,
                           const host::FileFilter* filters, std::int32_t filterCount,
                           const char* defaultName, host::PlatformFileSpecification* chosen);

    SuiteCalls calls_;
    FileDialogAnswerer& fileDialogs_;
};

}  // namespace standin
