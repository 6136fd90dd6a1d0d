#include "PlatformRecorder.h"

#include <string>

#include "PluginResources.h"

namespace standin {

const host::PlatformObserver* PlatformRecorder::Observer() {
    static const host::PlatformObserver observer{
        &Forward<&PlatformRecorder::Beep>::Call,
        &Forward<&PlatformRecorder::SetCursor>::Call,
    };
    return &observer;
}

void PlatformRecorder::Beep() {
    ++beeps_;
}

void PlatformRecorder::SetCursor(host::Module module, std::int32_t cursorId) {
    if (module == nullptr || module != module_) {
        violations_.Record(ViolationKind::kForeignHandle, "platform SetCursor",
                           "cursor " + std::to_string(cursorId) + " of a module not the plug-in's");
        return;
    }
    if (FindCursorResource(module, cursorId) == nullptr) {
        violations_.Record(
            ViolationKind::kBadArgument, "platform SetCursor",
            "cursor " + std::to_string(cursorId) + " is not in the plug-in's resources");
        return;
    }
    cursors_.push_back(cursorId);
}

}  // namespace standin
