#include "M7LSuiteProperty.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <new>
#include <type_traits>
#include <vector>

#include "host/HostSuites.h"
#include "host/SpSuites.h"

namespace {

// Both generations ask for the same version, so this code is built once.
static_assert(host::kSpBlocksSuite.cs3 == host::kSpBlocksSuite.cs2);
constexpr std::int32_t kBlocksSuiteVersion = host::kSpBlocksSuite.cs3;

constexpr const char* kBlockDebugName = "properties";
constexpr std::int32_t kPropertyId = 0;
constexpr std::int32_t kExportedSuiteCount = 1;

// The name with its NUL, in whole words.
constexpr std::size_t kWordSize = sizeof(std::int32_t);
constexpr std::size_t kNameFieldSize =
    (sizeof(kStriveloSuiteName) + kWordSize - 1) / kWordSize * kWordSize;

// The host's export-list property for one suite, in the platform's byte order.
struct ExportedSuitesProperty {
    std::int32_t vendor;
    std::int32_t key;
    std::int32_t id;
    std::int32_t length;  // of what follows this field
    std::int32_t count;
    std::int32_t entryLength;  // of the one entry: name and version
    char name[kNameFieldSize];
    std::int32_t version;
};
// No padding: the host reads every byte.
static_assert(std::has_unique_object_representations_v<ExportedSuitesProperty>);

constexpr auto kPropertyLength = static_cast<std::int32_t>(sizeof(ExportedSuitesProperty) -
                                                           offsetof(ExportedSuitesProperty, count));
constexpr auto kEntryLength = static_cast<std::int32_t>(sizeof(ExportedSuitesProperty) -
                                                        offsetof(ExportedSuitesProperty, name));

// The blocks handed out and not yet given back: each request gets its own.
std::vector<host::Block> gPublishedBlocks;

// "SP Blocks Suite" through the message's basic suite, for one call.
class BlocksSuite {
public:
    explicit BlocksSuite(const host::SpBasicSuite* basic) : basic_(basic) {
        error_ = basic_->AcquireSuite(host::kSpBlocksSuite.name, kBlocksSuiteVersion, &table_);
    }
    ~BlocksSuite() {
        if (error_ == host::kNoError) {
            basic_->ReleaseSuite(host::kSpBlocksSuite.name, kBlocksSuiteVersion);
        }
    }
    BlocksSuite(const BlocksSuite&) = delete;
    BlocksSuite& operator=(const BlocksSuite&) = delete;

    host::Error Error() const { return error_; }
    const host::SpBlocksSuite* operator->() const {
        return static_cast<const host::SpBlocksSuite*>(table_);
    }

private:
    const host::SpBasicSuite* basic_;
    const void* table_ = nullptr;
    host::Error error_;
};

bool AsksForExportedSuites(const host::PropertiesMessage& message) {
    return message.vendor == host::kPropertyVendor && message.key == host::kPropertyExportedSuites;
}

}  // namespace

host::Error PublishSuiteProperty(host::PropertiesMessage* message) {
    const BlocksSuite blocks(message->header.basic);
    if (blocks.Error() != host::kNoError) {
        return blocks.Error();
    }
    if (!AsksForExportedSuites(*message)) {
        return host::kNoError;
    }
    // Room first, so that a block once allocated is always kept.
    gPublishedBlocks.reserve(gPublishedBlocks.size() + 1);
    host::Block block = nullptr;
    if (const host::Error error =
            blocks->AllocateBlock(sizeof(ExportedSuitesProperty), kBlockDebugName, &block)) {
        return error;
    }
    gPublishedBlocks.push_back(block);
    // Value-initialised, so the bytes after the name's NUL are zero.
    auto* property = new (block) ExportedSuitesProperty{
        .vendor = host::kPropertyVendor,
        .key = host::kPropertyExportedSuites,
        .id = kPropertyId,
        .length = kPropertyLength,
        .count = kExportedSuiteCount,
        .entryLength = kEntryLength,
        .name = {},
        .version = kStriveloSuiteVersion,
    };
    std::copy(std::begin(kStriveloSuiteName), std::end(kStriveloSuiteName), property->name);
    message->property = block;
    message->propertyWord = 0;
    return host::kNoError;
}

host::Error FreeSuiteProperty(host::PropertiesMessage* message) {
    if (!AsksForExportedSuites(*message)) {
        return host::kNoError;
    }
    const auto published =
        std::find(gPublishedBlocks.begin(), gPublishedBlocks.end(), message->property);
    if (published == gPublishedBlocks.end()) {
        return host::kNoError;
    }
    const BlocksSuite blocks(message->header.basic);
    if (blocks.Error() != host::kNoError) {
        return blocks.Error();
    }
    if (blocks->FreeBlock(*published) == host::kNoError) {
        gPublishedBlocks.erase(published);
    }
    return host::kNoError;
}
