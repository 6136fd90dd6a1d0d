// A plug-in library of the tests' own, loaded with dlopen: at "Startup" it
// checks its resource module through "SP Access Suite", holds its access and
// adds a menu item; "AI Go" for the item beeps and sets a cursor through the
// platform observer; "Shutdown" releases the access.
#include "TestPluginLibrary.h"

#include <iterator>

#include "M7LResourceFormat.h"
#include "host/AiSuites.h"
#include "host/HostMessages.h"
#include "host/HostPlatform.h"
#include "host/HostSuites.h"
#include "host/SpSuites.h"

namespace {

// Its resources: the one cursor it sets.
constexpr M7LResourceCursor kCursors[] = {{testlibrary::kCursorId}};
constexpr M7LResourceModule kResources{
    .strings = nullptr, .stringCount = 0, .cursors = kCursors, .cursorCount = std::size(kCursors)};
const host::PlatformObserver* gObserver = nullptr;
host::Access gHeld;
host::MenuItem gItem;

template <typename Suite>
const Suite* Acquire(const host::SpBasicSuite& basic, const host::SuiteVersions& suite) {
    const void* table = nullptr;
    if (basic.AcquireSuite(suite.name, suite.cs3, &table) != host::kNoError) {
        return nullptr;
    }
    return static_cast<const Suite*>(table);
}

host::Error Startup(const host::MessageHeader& header) {
    const auto* access = Acquire<host::SpAccessSuite>(*header.basic, host::kSpAccessSuite);
    const auto* menus = Acquire<host::AiMenuSuite>(*header.basic, host::kAiMenuSuite);
    if (access == nullptr || menus == nullptr) {
        return host::kErrorSuiteNotFound;
    }
    host::Access mine;
    host::Module module = nullptr;
    host::Error error = access->GetPluginAccess(header.plugin, &mine);
    if (error == host::kNoError) {
        error = access->GetPlatformResourceAccess(mine, &module);
    }
    if (error == host::kNoError && module != &kResources) {
        error = testlibrary::kWrongModule;
    }
    if (error == host::kNoError) {
        error = access->AcquirePlugin(header.plugin, &gHeld);
    }
    if (error == host::kNoError) {
        const host::MenuItemData data{host::kMenuGroupToolPalettes, testlibrary::kMenuItemText};
        error = menus->AddMenuItem(header.plugin, testlibrary::kMenuItemName, &data,
                                   testlibrary::kMenuItemOptions, &gItem);
    }
    header.basic->ReleaseSuite(host::kAiMenuSuite.name, host::kAiMenuSuite.cs3);
    header.basic->ReleaseSuite(host::kSpAccessSuite.name, host::kSpAccessSuite.cs3);
    return error;
}

host::Error Shutdown(const host::MessageHeader& header) {
    const auto* access = Acquire<host::SpAccessSuite>(*header.basic, host::kSpAccessSuite);
    if (access == nullptr) {
        return host::kErrorSuiteNotFound;
    }
    const host::Error error = access->ReleasePlugin(gHeld);
    header.basic->ReleaseSuite(host::kSpAccessSuite.name, host::kSpAccessSuite.cs3);
    return error;
}

host::Error Go(const host::MenuMessage& message) {
    if (message.menuItem != gItem || gObserver == nullptr) {
        return host::kNoError;
    }
    gObserver->Beep();
    gObserver->SetCursor(&kResources, testlibrary::kCursorId);
    return testlibrary::kGoAnswer;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int PluginMain(const char* caller,
                                                                 const char* selector,
                                                                 void* message) {
    const auto& header = *static_cast<const host::MessageHeader*>(message);
    const auto is = [&header](const char* text, const char* expected) {
        return header.basic->IsEqual(text, expected);
    };
    if (is(caller, host::kCallerInterface) && is(selector, host::kSelectorStartup)) {
        return Startup(header);
    }
    if (is(caller, host::kCallerInterface) && is(selector, host::kSelectorShutdown)) {
        return Shutdown(header);
    }
    if (is(caller, host::kCallerMenu) && is(selector, host::kSelectorGo)) {
        return Go(*static_cast<const host::MenuMessage*>(message));
    }
    return host::kNoError;
}

extern "C" __attribute__((visibility("default"))) host::Module PluginResourceModule() {
    return &kResources;
}

extern "C" __attribute__((visibility("default"))) void PluginInstallPlatformObserver(
    const host::PlatformObserver* observer) {
    gObserver = observer;
}
