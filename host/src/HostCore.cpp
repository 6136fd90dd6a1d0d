#include "HostCore.h"

#include <stdexcept>
#include <utility>

namespace standin {

namespace {

HostCore* gActive = nullptr;

}  // namespace

std::string CallName(const host::SuiteVersions& suite, std::string_view function) {
    return std::string(suite.name) + " " + std::string(function);
}

HostCore::HostCore(host::Generation generation) : generation_(generation), previous_(gActive) {
    catalogue_.reserve(host::kSuiteTable.size());
    for (std::size_t row = 0; row < host::kSuiteTable.size(); ++row) {
        const host::SuiteVersions& suite = host::kSuiteTable[row];
        dummies_[row].name = suite.name;
        catalogue_.push_back({suite.name, suite.In(generation), &dummies_[row]});
    }
    ProvideSystemSuites();
    gActive = this;
}

HostCore::~HostCore() {
    if (gActive == this) {
        gActive = previous_;
    }
}

HostCore* HostCore::Active() {
    return gActive;
}

host::PluginRef HostCore::AddPlugin(host::Module module) {
    const host::PluginRef plugin = plugins_.Issue({module, {}});
    if (PluginRecord* record = plugins_.Find(plugin, "loading")) {
        record->access = accesses_.Issue({plugin});
    }
    return plugin;
}

bool HostCore::CheckPlugin(host::PluginRef plugin, std::string_view call) {
    return plugins_.Find(plugin, call) != nullptr;
}

bool HostCore::FindModule(host::PluginRef plugin, std::string_view call, host::Module* module) {
    const PluginRecord* record = plugins_.Find(plugin, call);
    if (record != nullptr) {
        *module = record->module;
    }
    return record != nullptr;
}

void HostCore::Provide(std::string_view name, const void* table) {
    for (CatalogueEntry& entry : catalogue_) {
        if (entry.name == name && table != nullptr) {
            entry.table = table;
            return;
        }
    }
    throw std::invalid_argument("no suite \"" + std::string(name) + "\" to provide");
}

const PublishedSuite* HostCore::FindPublished(std::string_view name,
                                              std::int32_t apiVersion) const {
    for (const PublishedSuite& suite : published_) {
        if (suite.name == name && suite.apiVersion == apiVersion) {
            return &suite;
        }
    }
    return nullptr;
}

void HostCore::CheckHeld(const host::SuiteVersions& suite) {
    const std::int32_t version = suite.In(generation_);
    if (ledger_.Acquisitions(suite.name, version) <= ledger_.Releases(suite.name, version)) {
        violations_.Record(ViolationKind::kSuiteNotHeld, suite.name,
                           "a function called while the plug-in holds no acquisition of it");
    }
}

host::Error HostCore::Injected(const host::SuiteVersions& suite, std::string_view function) {
    if (&suite != &host::kSpBasicSuite) {
        CheckHeld(suite);
    }
    return faults_.TakeCallFailure(suite.name, function);
}

host::Error HostCore::BadArgument(const host::SuiteVersions& suite, std::string_view function,
                                  std::string detail) {
    violations_.Record(ViolationKind::kBadArgument, CallName(suite, function), std::move(detail));
    return host::kErrorBadArgument;
}

const HostCore::CatalogueEntry* HostCore::FindEntry(std::string_view name) const {
    for (const CatalogueEntry& entry : catalogue_) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

const void* HostCore::Served(std::string_view name, std::int32_t version) const {
    if (const CatalogueEntry* entry = FindEntry(name)) {
        return entry->version == version ? entry->table : nullptr;
    }
    const PublishedSuite* published = FindPublished(name, version);
    return published ? published->table : nullptr;
}

std::string HostCore::DescribeRequest(std::string_view name, std::int32_t version) const {
    std::string text = '"' + std::string(name) + "\" version " + std::to_string(version);
    if (const CatalogueEntry* entry = FindEntry(name)) {
        text += ", served at version " + std::to_string(entry->version);
    }
    return text;
}

}  // namespace standin
