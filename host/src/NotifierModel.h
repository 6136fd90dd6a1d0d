#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "HandleTable.h"
#include "HostCore.h"
#include "SuiteCalls.h"
#include "SuiteForward.h"
#include "host/AiSuites.h"

namespace standin {

struct NotifierRecord {
    host::Notifier handle;
    host::PluginRef plugin;
    std::string name;
    std::string type;
};

// The notifiers added through "AI Notifier Suite", in the order they were
// added. The host sends "AI Notifier"/"AI Notify" to those of a type when it
// broadcasts the type (StandInHost::Notify).
class NotifierModel : public ActiveInstance<NotifierModel> {
public:
    explicit NotifierModel(HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }

    const std::vector<NotifierRecord>& Notifiers() const { return notifiers_; }
    // The notifiers of the type, in the order they were added.
    std::vector<NotifierRecord> OfType(std::string_view type) const;

    host::Error AddNotifier(host::PluginRef plugin, const char* name, const char* type,
                            host::Notifier* notifier);

private:
    SuiteCalls calls_;
    std::vector<NotifierRecord> notifiers_;
    HandleTable<host::Notifier, std::size_t> handles_;
};

}  // namespace standin
