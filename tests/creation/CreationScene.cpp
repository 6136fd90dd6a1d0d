#include "M7LAIPlugin.h"

// The program links the entry for the process-wide plug-in reference only;
// no message ever makes a plug-in object.
M7LAIPlugin* CreateBarcodePlugin() {
    return nullptr;
}
