// The plug-in library: the framework's entry, the compiled resources as the
// module the host reads, and the Linux platform layer.
#include "M7LAIPlugin.h"
#include "M7LPlatform.h"
#include "M7LPluginMain.h"
#include "StriveloResources.h"
#include "host/HostPlatform.h"

// The base object stands in until the application provides its own. It
// lives as long as the library, so unloading leaks nothing.
M7LAIPlugin* CreateBarcodePlugin() {
    static M7LAIPlugin plugin;
    return &plugin;
}

extern "C" __attribute__((visibility("default"))) host::Module PluginResourceModule() {
    return StriveloResourceModule();
}

extern "C" __attribute__((visibility("default"))) void PluginInstallPlatformObserver(
    const host::PlatformObserver* observer) {
    InstallPlatformObserver(observer);
}
