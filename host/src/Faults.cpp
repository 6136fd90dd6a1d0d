#include "Faults.h"

namespace standin {

void Faults::RemoveSuite(std::string_view name) {
    removedSuites_.emplace(name);
}

void Faults::FailRelease(std::string_view name, host::Error code) {
    failingReleases_.insert_or_assign(std::string(name), code);
}

void Faults::FailCall(std::string_view suite, std::string_view function, host::Error code,
                      int times) {
    failingCalls_.insert_or_assign({std::string(suite), std::string(function)},
                                   CallFailure{code, times});
}

void Faults::RefuseRegistration(std::string_view name, host::Error code) {
    refusedRegistrations_.insert_or_assign(std::string(name), code);
}

void Faults::Clear() {
    removedSuites_.clear();
    failingReleases_.clear();
    failingCalls_.clear();
    refusedRegistrations_.clear();
}

bool Faults::SuiteRemoved(std::string_view name) const {
    return removedSuites_.find(name) != removedSuites_.end();
}

host::Error Faults::ReleaseFailure(std::string_view name) const {
    const auto found = failingReleases_.find(name);
    return found == failingReleases_.end() ? host::kNoError : found->second;
}

host::Error Faults::TakeCallFailure(std::string_view suite, std::string_view function) {
    const auto found = failingCalls_.find({std::string(suite), std::string(function)});
    if (found == failingCalls_.end() || found->second.remaining == 0) {
        return host::kNoError;
    }
    if (found->second.remaining > 0) {
        --found->second.remaining;
    }
    return found->second.code;
}

std::optional<host::Error> Faults::Refusal(std::string_view name) const {
    const auto found = refusedRegistrations_.find(name);
    if (found == refusedRegistrations_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace standin
