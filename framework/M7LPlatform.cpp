#include "M7LPlatform.h"

namespace {

const host::PlatformObserver* gObserver = nullptr;

}  // namespace

void InstallPlatformObserver(const host::PlatformObserver* observer) {
    gObserver = observer;
}

void PlatformBeep() {
    if (gObserver != nullptr) {
        gObserver->Beep();
    }
}

void PlatformSetCursor(host::Module module, std::int32_t cursorId) {
    if (gObserver != nullptr) {
        gObserver->SetCursor(module, cursorId);
    }
}
