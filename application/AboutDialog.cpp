#include "AboutDialog.h"

#include <cstdint>

#include "M7LPluginMain.h"
#include "M7LSuiteTable.h"

namespace {

constexpr const char* kAboutDialogName = "About Dialog";
constexpr std::int32_t kAboutDialogId = 17005;
constexpr std::int32_t kModalStyle = 0;
constexpr std::int32_t kNoOptions = 0;

}  // namespace

host::Error ShowAboutDialog(M7LAIPlugin* plugin) {
    sAdmDialog->Modal(gPluginRef, kAboutDialogName, kAboutDialogId, kModalStyle, nullptr, plugin,
                      kNoOptions);
    return host::kNoError;
}
