// The preference store and "AI Preference Suite" over it.
#include "Preferences.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace standin {

namespace {

template <typename Value, typename Variant>
struct AlternativeIndex;

template <typename Value, typename... Alternatives>
struct AlternativeIndex<Value, std::variant<Alternatives...>> {
    static constexpr std::size_t kIndex = [] {
        std::size_t index = 0;
        static_cast<void>(((std::is_same_v<Value, Alternatives> ? false : (++index, true)) && ...));
        return index;
    }();
};

constexpr char kGetBoolean[] = "GetBooleanPreference";
constexpr char kPutBoolean[] = "PutBooleanPreference";
constexpr char kGetInteger[] = "GetIntegerPreference";
constexpr char kPutInteger[] = "PutIntegerPreference";
constexpr char kGetReal[] = "GetRealPreference";
constexpr char kPutReal[] = "PutRealPreference";
constexpr char kGetPoint[] = "GetPointPreference";
constexpr char kPutPoint[] = "PutPointPreference";

template <typename Value>
constexpr PreferenceKind kKindOf =
    static_cast<PreferenceKind>(AlternativeIndex<Value, PreferenceValue>::kIndex);

// The path, NUL-terminated, and nothing but zeros after it.
bool IsPlatformRecord(const host::PlatformFileSpecification& record) {
    const char* end = std::find(std::begin(record.path), std::end(record.path), '\0');
    return end != std::end(record.path) &&
           std::all_of(end, std::end(record.path), [](char byte) { return byte == 0; });
}

}  // namespace

PreferenceKind KindOf(const PreferenceValue& value) {
    return static_cast<PreferenceKind>(value.index());
}

std::string_view Name(PreferenceKind kind) {
    switch (kind) {
        case PreferenceKind::kBoolean:
            return "boolean";
        case PreferenceKind::kInteger:
            return "integer";
        case PreferenceKind::kReal:
            return "real";
        case PreferenceKind::kString:
            return "string";
        case PreferenceKind::kPoint:
            return "point";
        case PreferenceKind::kFileSpecification:
            return "file specification";
    }
    return "?";
}

void PreferenceStore::Put(std::string_view section, std::string_view key, PreferenceValue value) {
    values_.insert_or_assign({std::string(section), std::string(key)}, std::move(value));
}

const PreferenceValue* PreferenceStore::Find(std::string_view section, std::string_view key) const {
    const auto found = values_.find({std::string(section), std::string(key)});
    return found == values_.end() ? nullptr : &found->second;
}

PreferenceModel::PreferenceModel(HostCore& core, PreferenceStore& store)
    : calls_(core, host::kAiPreferenceSuite), store_(store) {
    static const host::AiPreferenceSuite suite{
        &Forward<&PreferenceModel::Get<bool, kGetBoolean>>::Call,
        &Forward<&PreferenceModel::Put<bool, kPutBoolean>>::Call,
        &Forward<&PreferenceModel::Get<std::int32_t, kGetInteger>>::Call,
        &Forward<&PreferenceModel::Put<std::int32_t, kPutInteger>>::Call,
        &Forward<&PreferenceModel::GetStringPreference>::Call,
        &Forward<&PreferenceModel::PutStringPreference>::Call,
        &Forward<&PreferenceModel::Get<host::Point, kGetPoint>>::Call,
        &Forward<&PreferenceModel::Put<host::Point, kPutPoint>>::Call,
        &Forward<&PreferenceModel::PutFileSpecificationPreference>::Call,
        &Forward<&PreferenceModel::Get<double, kGetReal>>::Call,
        &Forward<&PreferenceModel::Put<double, kPutReal>>::Call,
    };
    core.Provide(host::kAiPreferenceSuite.name, &suite);
}

template <typename Value, typename Deliver>
host::Error PreferenceModel::Read(std::string_view function, const char* section, const char* key,
                                  bool resultPresent, Deliver deliver) {
    if (section == nullptr || key == nullptr || !resultPresent) {
        return calls_.Enter(function, false);
    }
    host::Error error = calls_.Enter(function, true);
    if (error == host::kNoError) {
        const PreferenceValue* stored = store_.Find(section, key);
        if (stored == nullptr) {
            error = host::kErrorNotFound;
        } else if (!std::holds_alternative<Value>(*stored)) {
            error = host::kErrorWrongKind;
        } else {
            error = deliver(std::get<Value>(*stored));
        }
    }
    log_.push_back({false, section, key, kKindOf<Value>, error});
    return error;
}

template <typename Value, const char* Function>
host::Error PreferenceModel::Get(const char* section, const char* key, Value* value) {
    return Read<Value>(Function, section, key, value != nullptr, [value](const Value& stored) {
        *value = stored;
        return host::kNoError;
    });
}

template <typename Value, const char* Function>
host::Error PreferenceModel::Put(const char* section, const char* key, Value value) {
    return Write(Function, section, key, true, value);
}

host::Error PreferenceModel::Write(std::string_view function, const char* section, const char* key,
                                   bool valuePresent, PreferenceValue value) {
    if (section == nullptr || key == nullptr || !valuePresent) {
        return calls_.Enter(function, false);
    }
    const PreferenceKind kind = KindOf(value);
    const host::Error error = calls_.Enter(function, true);
    if (error == host::kNoError) {
        store_.Put(section, key, std::move(value));
    }
    log_.push_back({true, section, key, kind, error});
    return error;
}

host::Error PreferenceModel::GetStringPreference(const char* section, const char* key, char* value,
                                                 std::size_t size) {
    return Read<std::string>("GetStringPreference", section, key, value != nullptr,
                             [value, size](const std::string& stored) {
                                 return SuiteCalls::CopyText(stored, value, size);
                             });
}

host::Error PreferenceModel::PutStringPreference(const char* section, const char* key,
                                                 const char* value) {
    return Write("PutStringPreference", section, key, value != nullptr,
                 std::string(value != nullptr ? value : ""));
}

host::Error PreferenceModel::PutFileSpecificationPreference(
    const char* section, const char* key, const host::PlatformFileSpecification* value) {
    static constexpr std::string_view kFunction = "PutFileSpecificationPreference";
    if (value != nullptr && !IsPlatformRecord(*value)) {
        return calls_.BadArgument(kFunction,
                                  "a file record whose path is not NUL-terminated "
                                  "and followed by zeros only");
    }
    return Write(kFunction, section, key, value != nullptr,
                 value != nullptr ? PreferenceValue(*value) : PreferenceValue());
}

}  // namespace standin
