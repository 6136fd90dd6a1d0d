// "AI Notifier Suite" over the notifier registrations.
#include "NotifierModel.h"

#include <algorithm>
#include <iterator>

namespace standin {

NotifierModel::NotifierModel(HostCore& core)
    : calls_(core, host::kAiNotifierSuite), handles_(core.GetViolations(), "notifier") {
    static const host::AiNotifierSuite suite{
        &Forward<&NotifierModel::AddNotifier>::Call,
    };
    core.Provide(host::kAiNotifierSuite.name, &suite);
}

std::vector<NotifierRecord> NotifierModel::OfType(std::string_view type) const {
    std::vector<NotifierRecord> result;
    std::copy_if(notifiers_.begin(), notifiers_.end(), std::back_inserter(result),
                 [type](const NotifierRecord& record) { return record.type == type; });
    return result;
}

host::Error NotifierModel::AddNotifier(host::PluginRef plugin, const char* name, const char* type,
                                       host::Notifier* notifier) {
    static constexpr std::string_view kFunction = "AddNotifier";
    const bool present = name != nullptr && type != nullptr && notifier != nullptr;
    if (const host::Error error = calls_.Enter(kFunction, present)) {
        return error;
    }
    const bool taken =
        std::any_of(notifiers_.begin(), notifiers_.end(),
                    [name](const NotifierRecord& record) { return record.name == name; });
    if (const auto answer = calls_.Admit(kFunction, plugin, name, taken, notifier)) {
        return *answer;
    }
    const host::Notifier added = handles_.Issue(notifiers_.size());
    notifiers_.push_back({added, plugin, name, type});
    *notifier = added;
    return host::kNoError;
}

}  // namespace standin
