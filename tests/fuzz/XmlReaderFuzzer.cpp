// Feeds arbitrary bytes to the XML reader with receivers shaped like the
// profile: a root with scalars of every kind, a nested element it handles
// itself and a delegated test element with a nested element of its own.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "M7LFailure.h"
#include "M7LIO_StructuredIOXMLLoad.h"
#include "RecordingReceiver.h"

namespace {

constexpr const char* kRootName = "BarcodeProfile";
constexpr const char* kTestLabel = "test";

// The receivers know only defined kinds, so no content may raise a failure
// report: those are for faults of the program.
int AbortOnFailureReport(const char*, int, int, const char*, const char*, int, const char*) {
    std::abort();
}

// A successful parse must have closed every element it opened, in each
// receiver. A line's call is read from its start, after the receiver's label,
// since recorded values may hold any text.
void CheckBalanced(const RecordingReceiver& root, const std::string& childLabel) {
    const std::string childPrefix = childLabel + ": ";
    std::map<std::string, int> open;
    for (const std::string& line : root.Log()) {
        const bool child = line.starts_with(childPrefix);
        const std::string_view call = std::string_view(line).substr(child ? childPrefix.size() : 0);
        if (call.starts_with("BeginElement(")) {
            ++open[child ? childLabel : ""];
        } else if (call == "EndElement") {
            --open[child ? childLabel : ""];
        }
    }
    for (const auto& [label, count] : open) {
        if (count != 0) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool strict = (SetFailureHandler(&AbortOnFailureReport), true);
    (void)strict;

    RecordingReceiver profile({{"ProfileName", kM7LIO_String},
                               {"ProfileSaveTime", kM7LIO_String},
                               {"ProfileCheckSum", kM7LIO_Integer},
                               {"Note", kM7LIO_WideString},
                               {"Comment", kM7LIO_AttributeString},
                               {"Key", kM7LIO_Binary},
                               {"Secret", kM7LIO_ScrambledBinary},
                               {"CountTest", kM7LIO_Element},
                               {"EnableTest", kM7LIO_Boolean},
                               {"NrOfBarcodes", kM7LIO_Integer},
                               {"HeightTest", kM7LIO_Element}});
    RecordingReceiver test({{"EnableTest", kM7LIO_Boolean},
                            {"EnableFix", kM7LIO_Boolean},
                            {"MinimumHeight", kM7LIO_Real},
                            {"Code", kM7LIO_String},
                            {"Range", kM7LIO_Element},
                            {"Low", kM7LIO_Real},
                            {"High", kM7LIO_Real}},
                           kTestLabel);
    profile.DelegateTo("HeightTest", test);

    M7LIO_StructuredIOXMLLoad reader{M7L_FileSpecificationNative()};
    profile.StartDocument(kRootName, nullptr);
    const bool ok = reader.ProduceFromText(
        &profile, kRootName, std::string_view(reinterpret_cast<const char*>(data), size));
    profile.FinishDocument();
    if (ok) {
        CheckBalanced(profile, kTestLabel);
    }
    return 0;
}
