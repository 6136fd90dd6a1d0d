#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "HostCore.h"
#include "SuiteCalls.h"
#include "SuiteForward.h"
#include "host/AiSuites.h"
#include "host/HostGeometry.h"

namespace standin {

// The kinds in the order of PreferenceValue's alternatives.
enum class PreferenceKind { kBoolean, kInteger, kReal, kString, kPoint, kFileSpecification };

using PreferenceValue = std::variant<bool, std::int32_t, double, std::string, host::Point,
                                     host::PlatformFileSpecification>;

PreferenceKind KindOf(const PreferenceValue& value);
std::string_view Name(PreferenceKind kind);

// The host's preferences: one typed value per (section, key). It is a plain
// object apart from any host, so that one store can serve a host, outlive it
// and serve the next (a restart of the plug-in).
class PreferenceStore {
public:
    using Key = std::pair<std::string, std::string>;  // section, key

    void Put(std::string_view section, std::string_view key, PreferenceValue value);
    // Null when the key is absent.
    const PreferenceValue* Find(std::string_view section, std::string_view key) const;
    // The value when the key holds one of that kind.
    template <typename Value>
    std::optional<Value> Get(std::string_view section, std::string_view key) const {
        const PreferenceValue* value = Find(section, key);
        if (value == nullptr || !std::holds_alternative<Value>(*value)) {
            return std::nullopt;
        }
        return std::get<Value>(*value);
    }
    std::size_t Size() const { return values_.size(); }
    // Every value, by section and key.
    const std::map<Key, PreferenceValue>& All() const { return values_; }

private:
    std::map<Key, PreferenceValue> values_;
};

// One call of the plug-in into the store, for tests that ask what was read
// or written.
struct PreferenceAccess {
    bool write;
    std::string section;
    std::string key;
    PreferenceKind kind;
    host::Error result;
};

// "AI Preference Suite" over a store. A read of an absent key fails with
// kErrorNotFound, of a key of another kind with kErrorWrongKind; both leave
// the caller's value alone. A write replaces whatever the key held.
class PreferenceModel : public ActiveInstance<PreferenceModel> {
public:
    PreferenceModel(HostCore& core, PreferenceStore& store);
    const SuiteCalls& Calls() const { return calls_; }

    PreferenceStore& Store() { return store_; }
    const std::vector<PreferenceAccess>& Log() const { return log_; }

    // The suite's reads and writes of a boolean, an integer, a real and a
    // point; Function is the suite function's name.
    template <typename Value, const char* Function>
    host::Error Get(const char* section, const char* key, Value* value);
    template <typename Value, const char* Function>
    host::Error Put(const char* section, const char* key, Value value);
    host::Error GetStringPreference(const char* section, const char* key, char* value,
                                    std::size_t size);
    host::Error PutStringPreference(const char* section, const char* key, const char* value);
    host::Error PutFileSpecificationPreference(const char* section, const char* key,
                                               const host::PlatformFileSpecification* value);

private:
    // Hands the stored value of that kind to deliver, which answers the
    // call; or answers the read's failure.
    template <typename Value, typename Deliver>
    host::Error Read(std::string_view function, const char* section, const char* key,
                     bool resultPresent, Deliver deliver);
    host::Error Write(std::string_view function, const char* section, const char* key,
                      bool valuePresent, PreferenceValue value);

    SuiteCalls calls_;
    PreferenceStore& store_;
    std::vector<PreferenceAccess> log_;
};

}  // namespace standin
