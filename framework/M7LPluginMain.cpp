#include "M7LPluginMain.h"

#include "M7LAIWrappers.h"
#include "M7LErrorAlert.h"
#include "M7LFailure.h"
#include "M7LGuarded.h"
#include "M7LResources.h"
#include "M7LSuiteProperty.h"
#include "M7LSuiteTable.h"
#include "host/HostSuites.h"
#include "host/SpSuites.h"

host::PluginRef gPluginRef;
M7LAIPlugin* gPlugin = nullptr;

namespace {

static_assert(host::kSpBlocksSuite.cs3 == host::kSpBlocksSuite.cs2);
constexpr std::int32_t kBlocksSuiteVersion = host::kSpBlocksSuite.cs3;

// What start-up took and shutdown gives back: each only once, and only what
// was taken. "Reload" forgets the suite hold with the nesting counter.
struct StartupHold {
    bool access = false;
    host::Access pluginAccess;
    bool suites = false;
};
StartupHold gHold;

void InstallResourceModule() {
    host::Access access;
    host::Module module = nullptr;
    if (sSpAccess->GetPluginAccess(gPluginRef, &access) == host::kNoError &&
        sSpAccess->GetPlatformResourceAccess(access, &module) == host::kNoError) {
        SetResourceModule(static_cast<M7LModuleHandle>(module));
    }
}

host::Error Startup(host::InterfaceMessage* message) {
    SetFailureHandler(&ShowFailureAlert);
    InstallResourceModule();
    if (const host::Error error = gPlugin->Startup(message)) {
        return error;
    }
    MakeWrapper<ApplicationStartedNotifier>(message->header);
    gPlugin->PostStartup(message);
    if (sSpAccess->AcquirePlugin(gPluginRef, &gHold.pluginAccess) == host::kNoError) {
        gHold.access = true;
    }
    // Never matched inside this message: the suites stay held until shutdown.
    gHold.suites = true;
    return AcquireSuites(message->header.basic);
}

host::Error Shutdown(host::InterfaceMessage* message) {
    DeleteAllMenuItems();
    DeleteAllTools();
    DeleteAllNotifiers();
    // Whatever the plug-in object does, what start-up took is given back.
    Guarded([message] { return gPlugin->Shutdown(message); });
    if (gHold.access) {
        gHold.access = false;
        sSpAccess->ReleasePlugin(gHold.pluginAccess);
    }
    if (gHold.suites) {
        gHold.suites = false;
        ReleaseSuites(message->header.basic);
    }
    SetFailureHandler(nullptr);
    const host::SpBasicSuite* basic = message->header.basic;
    const void* blocks = nullptr;
    const host::Error error =
        basic->AcquireSuite(host::kSpBlocksSuite.name, kBlocksSuiteVersion, &blocks);
    if (error == host::kNoError) {
        basic->ReleaseSuite(host::kSpBlocksSuite.name, kBlocksSuiteVersion);
    }
    return error;
}

host::Error Properties(const char* selector, host::PropertiesMessage* message) {
    const host::SpBasicSuite* basic = message->header.basic;
    if (basic->IsEqual(selector, host::kSelectorAcquire)) {
        return PublishSuiteProperty(message);
    }
    if (basic->IsEqual(selector, host::kSelectorRelease)) {
        return FreeSuiteProperty(message);
    }
    return host::kNoError;
}

host::Error Access(const char* selector, host::AccessMessage* message) {
    const host::SpBasicSuite* basic = message->header.basic;
    const bool unload = basic->IsEqual(selector, host::kSelectorUnload);
    const bool reload = basic->IsEqual(selector, host::kSelectorReload);
    if (!unload && !reload) {
        return host::kNoError;
    }
    if (gPlugin == nullptr) {
        return host::kErrorNoMemory;
    }
    if (unload) {
        gPlugin->Unload(message);
        return host::kNoError;
    }
    const host::Error result = gPlugin->Reload(message);
    gSuiteNestingCounter = 0;
    gHold.suites = false;
    return result;
}

// With the suite table held.
host::Error Dispatch(const char* caller, const char* selector, void* message) {
    const host::SpBasicSuite* basic = static_cast<host::MessageHeader*>(message)->basic;
    if (basic->IsEqual(caller, host::kCallerInterface)) {
        auto* interface = static_cast<host::InterfaceMessage*>(message);
        const bool startup = basic->IsEqual(selector, host::kSelectorStartup);
        const bool shutdown = basic->IsEqual(selector, host::kSelectorShutdown);
        if ((startup || shutdown) && gPlugin == nullptr) {
            return host::kErrorNoMemory;
        }
        if (startup) {
            return Startup(interface);
        }
        if (shutdown) {
            return Shutdown(interface);
        }
        // The About dialog's answer is not the message's.
        if (basic->IsEqual(selector, host::kSelectorAbout) && gPlugin != nullptr) {
            gPlugin->About();
        }
        return host::kNoError;
    }
    if (basic->IsEqual(caller, host::kCallerMenu)) {
        return DispatchMenuMessage(selector, static_cast<host::MenuMessage*>(message));
    }
    if (basic->IsEqual(caller, host::kCallerNotifier)) {
        return DispatchNotifierMessage(selector, static_cast<host::NotifierMessage*>(message));
    }
    if (basic->IsEqual(caller, host::kCallerTool)) {
        return DispatchToolMessage(selector, static_cast<host::ToolMessage*>(message));
    }
    return host::kNoError;
}

host::Error HandleMessage(const char* caller, const char* selector, void* message) {
    auto* header = static_cast<host::MessageHeader*>(message);
    gPluginRef = header->plugin;
    if (gPlugin == nullptr) {
        gPlugin = CreateBarcodePlugin();
    }
    const host::SpBasicSuite* basic = header->basic;
    if (basic->IsEqual(caller, host::kCallerProperties)) {
        return Properties(selector, static_cast<host::PropertiesMessage*>(message));
    }
    if (basic->IsEqual(caller, host::kCallerAccess)) {
        return Access(selector, static_cast<host::AccessMessage*>(message));
    }
    host::Error result = AcquireSuites(basic);
    if (result == host::kNoError) {
        // Guarded here, so that the table is released after an exception.
        result = Guarded([=] { return Dispatch(caller, selector, message); });
    }
    // An internal failure has had its report already.
    if (result != host::kNoError && result != host::kErrorSuiteNotFound &&
        result != kErrorInternalFailure) {
        ReportPluginError(message, result);
    }
    ReleaseSuites(basic);
    return result;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int PluginMain(const char* caller,
                                                                 const char* selector,
                                                                 void* message) {
    return Guarded([=] { return HandleMessage(caller, selector, message); });
}
