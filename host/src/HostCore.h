#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Faults.h"
#include "HandleTable.h"
#include "Ledger.h"
#include "Violations.h"
#include "host/HostErrors.h"
#include "host/HostHandles.h"
#include "host/HostSuites.h"
#include "host/SpSuites.h"

namespace standin {

struct PublishedSuite {
    std::string name;
    std::int32_t apiVersion;
    std::int32_t internalVersion;
    const void* table;
    host::PluginRef plugin;
};

// The core of the stand-in host: the suite catalogue of one interface
// generation, the plug-in system suites over it, and the ledger, violations
// and faults that the other parts of the stand-in share.
//
// Every suite of the table is served at the generation's version and no
// other; a suite that no part of the stand-in implements is a distinct dummy
// table. Suite functions are plain function pointers, so they reach the host
// through Active(): the most recently constructed host that still lives.
class HostCore {
public:
    explicit HostCore(host::Generation generation);
    ~HostCore();
    HostCore(const HostCore&) = delete;
    HostCore& operator=(const HostCore&) = delete;

    static HostCore* Active();

    host::Generation GetGeneration() const { return generation_; }
    // The basic suite that every message carries.
    const host::SpBasicSuite* GetBasicSuite() const { return basic_; }

    // Loads a plug-in: its reference, and its module as "SP Access Suite"
    // hands it back.
    host::PluginRef AddPlugin(host::Module module);
    // False, with a violation against the call, for a reference of no loaded
    // plug-in.
    bool CheckPlugin(host::PluginRef plugin, std::string_view call);
    // The plug-in's module; false as CheckPlugin.
    bool FindModule(host::PluginRef plugin, std::string_view call, host::Module* module);

    // Serves a suite of the table with real functions in place of its dummy.
    // Throws std::invalid_argument for a name outside the table or no table.
    void Provide(std::string_view name, const void* table);

    const PublishedSuite* FindPublished(std::string_view name, std::int32_t apiVersion) const;

    // Records a violation when the plug-in holds no acquisition of the suite
    // at this generation's version: a suite is used only while it is held.
    void CheckHeld(const host::SuiteVersions& suite);

    Ledger& GetLedger() { return ledger_; }
    Violations& GetViolations() { return violations_; }
    Faults& GetFaults() { return faults_; }

private:
    struct CatalogueEntry {
        const char* name;
        std::int32_t version;
        const void* table;
    };
    struct DummyTable {
        const char* name;
    };
    struct PluginRecord {
        host::Module module;
        host::Access access;
    };
    struct AccessRecord {
        host::PluginRef plugin;
    };

    // The plug-in system suites, defined beside their functions.
    void ProvideSystemSuites();

    host::Error AcquireSuite(const char* name, std::int32_t version, const void** suite);
    host::Error ReleaseSuite(const char* name, std::int32_t version);
    bool IsEqual(const char* left, const char* right);
    void Undefined();
    host::Error AllocateBlock(std::size_t size, const char* debugName, host::Block* block);
    host::Error FreeBlock(host::Block block);
    host::Error AcquirePlugin(host::PluginRef plugin, host::Access* access);
    host::Error ReleasePlugin(host::Access access);
    host::Error GetPluginAccess(host::PluginRef plugin, host::Access* access);
    host::Error GetPlatformResourceAccess(host::Access access, host::Module* module);
    host::Error AddSuite(host::SuiteList list, host::PluginRef plugin, const char* name,
                         std::int32_t apiVersion, std::int32_t internalVersion, const void* table,
                         host::SuiteRef* suite);

    // The plug-in's access, or the error to answer.
    host::Error LookUpAccess(host::PluginRef plugin, host::Access* access,
                             std::string_view function);
    // The plug-in that holds the access, or the error to answer.
    host::Error PluginOfAccess(host::Access access, std::string_view function,
                               host::PluginRef* plugin);
    // The injected failure of the call, or 0; first checks that the suite is
    // held (the basic suite comes with every message and is never acquired).
    host::Error Injected(const host::SuiteVersions& suite, std::string_view function);
    // Records a null text or result and answers the error for it.
    host::Error BadArgument(const host::SuiteVersions& suite, std::string_view function,
                            std::string detail);
    const CatalogueEntry* FindEntry(std::string_view name) const;
    const void* Served(std::string_view name, std::int32_t version) const;
    std::string DescribeRequest(std::string_view name, std::int32_t version) const;

    host::Generation generation_;
    HostCore* previous_;
    const host::SpBasicSuite* basic_ = nullptr;
    Violations violations_;
    Faults faults_;
    Ledger ledger_;
    std::array<DummyTable, host::kSuiteCount> dummies_;
    std::vector<CatalogueEntry> catalogue_;
    std::vector<PublishedSuite> published_;
    HandleTable<host::PluginRef, PluginRecord> plugins_{violations_, "plug-in"};
    HandleTable<host::Access, AccessRecord> accesses_{violations_, "access"};
    HandleTable<host::SuiteRef, std::size_t> suiteRefs_{violations_, "suite"};
};

// "suite name function", as violations name the call.
std::string CallName(const host::SuiteVersions& suite, std::string_view function);

}  // namespace standin
