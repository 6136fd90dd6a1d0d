// Loads arbitrary bytes as a profile file. Whatever loads must save again,
// and the saved file must load as the same profile (reals at the file's
// seven decimals) and save to the same bytes. No content may raise a
// failure report: those are for faults of the program.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <stdlib.h>

#include "BarcodeProfile.h"
#include "M7LFailure.h"
#include "M7L_FileSpecificationNative.h"
#include "RecordingReceiver.h"

namespace {

constexpr std::string_view kRealCall = "PutReal(";
// Saving syncs every file to its disk; a memory file system keeps that fast.
constexpr const char* kMemoryFolder = "/dev/shm";

int AbortOnFailureReport(const char*, int, int, const char*, const char*, int, const char*) {
    std::abort();
}

std::filesystem::path MakeWorkFolder() {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::is_directory(kMemoryFolder, error)
                                           ? std::filesystem::path(kMemoryFolder)
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "profile-fuzzer-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    return pattern;
}

// Removes the work folder when the fuzzer ends.
struct WorkFolder {
    std::filesystem::path path = MakeWorkFolder();
    ~WorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

M7L_FileSpecificationNative Spec(const std::filesystem::path& path) {
    return M7L_FileSpecificationNative(path.string().c_str());
}

// Every value of the profile as it produces them, each real with the
// decimals the file writes.
std::vector<std::string> Snapshot(BarcodeVettrin::BarcodeProfile& profile) {
    RecordingReceiver receiver({});
    if (!profile.Produce(&receiver, BarcodeVettrin::BarcodeProfile::kRootName)) {
        std::abort();
    }
    std::vector<std::string> values = receiver.Log();
    for (std::string& line : values) {
        if (!line.starts_with(kRealCall)) {
            continue;
        }
        const std::size_t start = line.find(", ") + 2;
        double value = 0;
        std::from_chars(line.data() + start, line.data() + line.size() - 1, value);
        char text[BarcodeVettrin::BarcodeProfileBaseTest::kRealTextBytes];
        BarcodeVettrin::BarcodeProfileBaseTest::FormatReal(value, text);
        line = line.substr(0, start) + text + ")";
    }
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool strict = (SetFailureHandler(&AbortOnFailureReport), true);
    (void)strict;
    static const WorkFolder folder;
    const std::filesystem::path input = folder.path / "input.bcp";
    const std::filesystem::path first = folder.path / "first.bcp";
    const std::filesystem::path second = folder.path / "second.bcp";
    std::ofstream(input, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    BarcodeVettrin::BarcodeProfile loaded;
    if (!loaded.Load(Spec(input))) {
        return 0;
    }
    BarcodeVettrin::BarcodeProfile reread;
    if (!loaded.SaveAs(Spec(first)) || !reread.Load(Spec(first)) ||
        Snapshot(reread) != Snapshot(loaded) || !reread.SaveAs(Spec(second)) ||
        ReadFile(second) != ReadFile(first)) {
        std::abort();
    }
    return 0;
}
