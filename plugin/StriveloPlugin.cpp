// The plug-in library: the framework's entry with the application's plug-in
// object, the compiled resources as the module the host reads, and the Linux
// platform layer.
#include "BarcodePlugin.h"
#include "M7LPlatform.h"
#include "M7LPluginMain.h"
#include "StriveloResources.h"
#include "host/HostPlatform.h"

// The one plug-in object lives as long as the library, so unloading leaks
// nothing.
M7LAIPlugin* CreateBarcodePlugin() {
    static BarcodePlugin plugin;
    return &plugin;
}

extern "C" __attribute__((visibility("default"))) host::Module PluginResourceModule() {
    return StriveloResourceModule();
}

extern "C" __attribute__((visibility("default"))) void PluginInstallPlatformObserver(
    const host::PlatformObserver* observer) {
    InstallPlatformObserver(observer);
}
