// The plug-in system suites: "SP Basic Suite" over the catalogue, "SP Blocks
// Suite", "SP Access Suite" and "SP Suites Suite".
#include <cstring>

#include "HostCore.h"
#include "SuiteForward.h"

namespace standin {

void HostCore::ProvideSystemSuites() {
    static const host::SpBasicSuite basic{
        &Forward<&HostCore::AcquireSuite>::Call,
        &Forward<&HostCore::ReleaseSuite>::Call,
        &Forward<&HostCore::IsEqual>::Call,
        &Forward<&HostCore::Undefined>::Call,
    };
    static const host::SpBlocksSuite blocks{
        &Forward<&HostCore::AllocateBlock>::Call,
        &Forward<&HostCore::FreeBlock>::Call,
    };
    static const host::SpAccessSuite access{
        &Forward<&HostCore::AcquirePlugin>::Call,
        &Forward<&HostCore::ReleasePlugin>::Call,
        &Forward<&HostCore::GetPluginAccess>::Call,
        &Forward<&HostCore::GetPlatformResourceAccess>::Call,
    };
    static const host::SpSuitesSuite suites{
        &Forward<&HostCore::AddSuite>::Call,
    };
    Provide(host::kSpBasicSuite.name, &basic);
    Provide(host::kSpBlocksSuite.name, &blocks);
    Provide(host::kSpAccessSuite.name, &access);
    Provide(host::kSpSuitesSuite.name, &suites);
    basic_ = &basic;
}

host::Error HostCore::AcquireSuite(const char* name, std::int32_t version, const void** suite) {
    static constexpr std::string_view kFunction = "AcquireSuite";
    if (name == nullptr || suite == nullptr) {
        return BadArgument(host::kSpBasicSuite, kFunction, "null name or result");
    }
    if (const host::Error error = Injected(host::kSpBasicSuite, kFunction)) {
        return error;
    }
    if (faults_.SuiteRemoved(name)) {
        return host::kErrorSuiteNotFound;
    }
    const void* table = Served(name, version);
    if (table == nullptr) {
        violations_.Record(ViolationKind::kUnknownSuite, CallName(host::kSpBasicSuite, kFunction),
                           DescribeRequest(name, version));
        return host::kErrorSuiteNotFound;
    }
    *suite = table;
    ledger_.SuiteAcquired(name, version);
    return host::kNoError;
}

host::Error HostCore::ReleaseSuite(const char* name, std::int32_t version) {
    static constexpr std::string_view kFunction = "ReleaseSuite";
    if (name == nullptr) {
        return BadArgument(host::kSpBasicSuite, kFunction, "null name");
    }
    if (const host::Error error = Injected(host::kSpBasicSuite, kFunction)) {
        return error;
    }
    if (const host::Error error = faults_.ReleaseFailure(name)) {
        return error;
    }
    if (!ledger_.SuiteReleased(name, version)) {
        violations_.Record(ViolationKind::kReleaseNotAcquired,
                           CallName(host::kSpBasicSuite, kFunction),
                           DescribeRequest(name, version));
        return host::kErrorNotAcquired;
    }
    return host::kNoError;
}

bool HostCore::IsEqual(const char* left, const char* right) {
    if (left == nullptr || right == nullptr) {
        BadArgument(host::kSpBasicSuite, "IsEqual", "null text");
        return false;
    }
    return std::strcmp(left, right) == 0;
}

void HostCore::Undefined() {
    violations_.Record(ViolationKind::kUndefinedCalled, CallName(host::kSpBasicSuite, "Undefined"),
                       "an entry of a suite whose plug-in is unloaded");
}

host::Error HostCore::AllocateBlock(std::size_t size, const char* debugName, host::Block* block) {
    static constexpr std::string_view kFunction = "AllocateBlock";
    if (block == nullptr) {
        return BadArgument(host::kSpBlocksSuite, kFunction, "null result");
    }
    if (const host::Error error = Injected(host::kSpBlocksSuite, kFunction)) {
        return error;
    }
    *block = ledger_.AllocateBlock(size, debugName ? debugName : "");
    return host::kNoError;
}

host::Error HostCore::FreeBlock(host::Block block) {
    static constexpr std::string_view kFunction = "FreeBlock";
    if (const host::Error error = Injected(host::kSpBlocksSuite, kFunction)) {
        return error;
    }
    switch (ledger_.FreeBlock(block)) {
        case Ledger::FreeResult::kFreed:
            return host::kNoError;
        case Ledger::FreeResult::kAlreadyFreed:
            violations_.Record(ViolationKind::kDoubleFree,
                               CallName(host::kSpBlocksSuite, kFunction), "a freed block");
            break;
        case Ledger::FreeResult::kNotABlock:
            violations_.Record(ViolationKind::kForeignHandle,
                               CallName(host::kSpBlocksSuite, kFunction),
                               "an address that is no block");
            break;
    }
    return host::kErrorBadHandle;
}

host::Error HostCore::LookUpAccess(host::PluginRef plugin, host::Access* access,
                                   std::string_view function) {
    if (access == nullptr) {
        return BadArgument(host::kSpAccessSuite, function, "null result");
    }
    if (const host::Error error = Injected(host::kSpAccessSuite, function)) {
        return error;
    }
    const PluginRecord* record = plugins_.Find(plugin, CallName(host::kSpAccessSuite, function));
    if (record == nullptr) {
        return host::kErrorBadHandle;
    }
    *access = record->access;
    return host::kNoError;
}

host::Error HostCore::PluginOfAccess(host::Access access, std::string_view function,
                                     host::PluginRef* plugin) {
    if (const host::Error error = Injected(host::kSpAccessSuite, function)) {
        return error;
    }
    const AccessRecord* record = accesses_.Find(access, CallName(host::kSpAccessSuite, function));
    if (record == nullptr) {
        return host::kErrorBadHandle;
    }
    *plugin = record->plugin;
    return host::kNoError;
}

host::Error HostCore::AcquirePlugin(host::PluginRef plugin, host::Access* access) {
    const host::Error error = LookUpAccess(plugin, access, "AcquirePlugin");
    if (error == host::kNoError) {
        ledger_.AccessAcquired(plugin);
    }
    return error;
}

host::Error HostCore::ReleasePlugin(host::Access access) {
    static constexpr std::string_view kFunction = "ReleasePlugin";
    host::PluginRef plugin;
    if (const host::Error error = PluginOfAccess(access, kFunction, &plugin)) {
        return error;
    }
    if (!ledger_.AccessReleased(plugin)) {
        violations_.Record(ViolationKind::kReleaseNotAcquired,
                           CallName(host::kSpAccessSuite, kFunction), "an access not acquired");
        return host::kErrorNotAcquired;
    }
    return host::kNoError;
}

host::Error HostCore::GetPluginAccess(host::PluginRef plugin, host::Access* access) {
    return LookUpAccess(plugin, access, "GetPluginAccess");
}

host::Error HostCore::GetPlatformResourceAccess(host::Access access, host::Module* module) {
    static constexpr std::string_view kFunction = "GetPlatformResourceAccess";
    if (module == nullptr) {
        return BadArgument(host::kSpAccessSuite, kFunction, "null result");
    }
    host::PluginRef plugin;
    if (const host::Error error = PluginOfAccess(access, kFunction, &plugin)) {
        return error;
    }
    const PluginRecord* record = plugins_.Find(plugin, CallName(host::kSpAccessSuite, kFunction));
    if (record == nullptr) {
        return host::kErrorBadHandle;
    }
    *module = record->module;
    return host::kNoError;
}

host::Error HostCore::AddSuite(host::SuiteList list, host::PluginRef plugin, const char* name,
                               std::int32_t apiVersion, std::int32_t internalVersion,
                               const void* table, host::SuiteRef* suite) {
    static constexpr std::string_view kFunction = "AddSuite";
    if (name == nullptr || table == nullptr) {
        return BadArgument(host::kSpSuitesSuite, kFunction, "null name or table");
    }
    if (const host::Error error = Injected(host::kSpSuitesSuite, kFunction)) {
        return error;
    }
    const std::string call = CallName(host::kSpSuitesSuite, kFunction);
    if (list) {
        violations_.Record(ViolationKind::kForeignHandle, call,
                           "a suite list; there is only the global one");
        return host::kErrorBadHandle;
    }
    if (plugins_.Find(plugin, call) == nullptr) {
        return host::kErrorBadHandle;
    }
    if (FindEntry(name) != nullptr || FindPublished(name, apiVersion) != nullptr) {
        return BadArgument(host::kSpSuitesSuite, kFunction,
                           DescribeRequest(name, apiVersion) + " is served already");
    }
    published_.push_back({name, apiVersion, internalVersion, table, plugin});
    // A table in a block belongs to the host's suite list from now on.
    ledger_.HoldBlock(table, name);
    const host::SuiteRef added = suiteRefs_.Issue(published_.size() - 1);
    if (suite != nullptr) {
        *suite = added;
    }
    return host::kNoError;
}

}  // namespace standin
