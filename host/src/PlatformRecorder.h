#pragma once

#include <cstdint>
#include <vector>

#include "SuiteForward.h"
#include "Violations.h"
#include "host/HostHandles.h"
#include "host/HostPlatform.h"

namespace standin {

// Records the platform calls the plug-in reports through its platform
// observer: beeps and the current cursor, which must be one of the cursor
// resources of the plug-in's module.
class PlatformRecorder : public ActiveInstance<PlatformRecorder> {
public:
    static constexpr std::int32_t kNoCursor = 0;  // the host's own cursor

    explicit PlatformRecorder(Violations& violations) : violations_(violations) {}

    // The observer handed to the plug-in; it reaches the active recorder.
    static const host::PlatformObserver* Observer();

    // The module of the loaded plug-in, the only one whose cursors it has.
    void SetModule(host::Module module) { module_ = module; }

    int Beeps() const { return beeps_; }
    std::int32_t CurrentCursor() const { return cursors_.empty() ? kNoCursor : cursors_.back(); }
    // Every cursor set, in order.
    const std::vector<std::int32_t>& Cursors() const { return cursors_; }

    void Beep();
    void SetCursor(host::Module module, std::int32_t cursorId);

private:
    Violations& violations_;
    host::Module module_ = nullptr;
    int beeps_ = 0;
    std::vector<std::int32_t> cursors_;
};

}  // namespace standin
