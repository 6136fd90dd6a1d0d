#include "M7LAIPlugin.h"

// The older generation's program tests its suite table alone and never
// starts a plug-in.
M7LAIPlugin* CreateBarcodePlugin() {
    return nullptr;
}
