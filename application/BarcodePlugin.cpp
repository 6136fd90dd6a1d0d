#include "BarcodePlugin.h"

#include <new>

#include "AboutDialog.h"
#include "AboutWindowMenu.h"
#include "BarcodeCheckTexts.h"
#include "BarcodeDialog.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeWindowMenu.h"
#include "CheckDialog.h"
#include "CheckWindowMenu.h"
#include "CreateTool.h"
#include "DocumentOpenedNotifier.h"
#include "FilterAdjustBWRMenu.h"
#include "FilterAdjustDeviationMenu.h"
#include "M7LGuarded.h"
#include "M7LSuiteProperty.h"
#include "M7LSuiteTable.h"
#include "MeasureTool.h"
#include "StriveloSuite.h"

namespace {

constexpr const char* kSuiteBlockName = "StriveloSuite";
constexpr std::int32_t kSuiteInternalVersion = 1;

// The published function table, in a host block that stays in the host's
// suite list until the host quits; null when it was never published.
StriveloSuite* gSuiteBlock = nullptr;
// The basic suite the reading holds the host's suites with: set once the
// suite is published, null again at shutdown, when the suites it would use
// are released for good.
const host::SpBasicSuite* gSuiteBasic = nullptr;

}  // namespace

host::Error BarcodePlugin::Startup(host::InterfaceMessage* message) {
    const host::MessageHeader& header = message->header;
    MakeWrapper<MeasureTool>(header);
    MakeWrapper<CreateTool>(header);
    MakeWrapper<BarcodeWindowMenu>(header);
    BarcodeVettrin::LoadReportTexts();
    MakeWrapper<CheckWindowMenu>(header);
    MakeWrapper<FilterAdjustBWRMenu>(header);
    MakeWrapper<FilterAdjustDeviationMenu>(header);
    MakeWrapper<DocumentOpenedNotifier>(header);
    MakeWrapper<DocumentChangedNotifier>(header);
    MakeWrapper<DocumentClosedNotifier>(header);
    MakeWrapper<AboutWindowMenu>(header);
    started_ = 1;
    return host::kNoError;
}

host::Error BarcodePlugin::ApplicationStarted(host::NotifierMessage*) {
    if (!started_) {
        return host::kNoError;
    }
    gBarcodeDialog = new (std::nothrow) BarcodeDialog;
    if (gBarcodeDialog == nullptr) {
        return host::kErrorNoMemory;
    }
    gCheckDialog = new (std::nothrow) CheckDialog;
    return gCheckDialog == nullptr ? host::kErrorNoMemory : host::kNoError;
}

host::Error BarcodePlugin::Shutdown(host::InterfaceMessage*) {
    if (!started_) {
        return host::kNoError;
    }
    gSuiteBasic = nullptr;
    delete gBarcodeDialog;
    gBarcodeDialog = nullptr;
    delete gCheckDialog;
    gCheckDialog = nullptr;
    Strivelo::FreeRegistry();
    return host::kNoError;
}

host::Error BarcodePlugin::About() {
    return started_ ? ShowAboutDialog(this) : host::kNoError;
}

host::Error BarcodePlugin::PostStartup(host::InterfaceMessage* message) {
    if (!started_) {
        return host::kNoError;
    }
    host::Block block = nullptr;
    if (const host::Error error =
            sSpBlocks->AllocateBlock(sizeof(StriveloSuite), kSuiteBlockName, &block)) {
        return error;
    }
    auto* table = new (block) StriveloSuite{&ReadBarcodeAlongLine};
    host::SuiteRef suite;
    if (const host::Error error =
            sSpSuites->AddSuite(host::SuiteList{}, message->header.plugin, kStriveloSuiteName,
                                kStriveloSuiteVersion, kSuiteInternalVersion, table, &suite)) {
        // Not published: the block is the plug-in's still.
        sSpBlocks->FreeBlock(block);
        return error;
    }
    gSuiteBlock = table;
    gSuiteBasic = message->header.basic;
    return host::kNoError;
}

host::Error BarcodePlugin::Reload(host::AccessMessage*) {
    if (started_ && gSuiteBlock != nullptr) {
        gSuiteBlock->ReadBarcodeAlongLine = &ReadBarcodeAlongLine;
    }
    return host::kNoError;
}

host::Error BarcodePlugin::Unload(host::AccessMessage* message) {
    if (started_ && gSuiteBlock != nullptr) {
        // The host's stub takes no arguments and answers nothing; callers
        // only ever reach it through this entry.
        gSuiteBlock->ReadBarcodeAlongLine =
            reinterpret_cast<decltype(StriveloSuite::ReadBarcodeAlongLine)>(
                message->header.basic->Undefined);
    }
    return host::kNoError;
}

host::Error BarcodePlugin::ReadBarcodeAlongLine(host::RealPoint from, host::RealPoint to) {
    const host::SpBasicSuite* basic = gSuiteBasic;
    if (basic == nullptr) {
        return kErrorPluginShutDown;
    }
    if (from == to) {
        return host::kNoError;
    }
    // Called between messages, or after "Reload" forgot the start-up hold:
    // the suites are held for the reading as for a message.
    host::Error result = AcquireSuites(basic);
    if (result == host::kNoError) {
        result = Guarded([from, to] { return MeasureTool::ReadAlong(from, to, nullptr, true); });
    }
    ReleaseSuites(basic);
    return result;
}
