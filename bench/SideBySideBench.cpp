// The engine side by side with zxing-cpp and zint on the same symbols in the
// same run: identifying a symbol from its edges (exact, and as found in a
// rendered scanline) against zxing-cpp reading that scanline as a one-row
// image, and drawing a symbol against zint encoding it. Each round times every
// operation once in a fixed order, ours next to theirs, and the tables show
// the median over the rounds. Every operation is checked to give the right
// result first, so the figures are those of correct reads.

#include <sched.h>
#include <zint.h>

#include <ZXing/BarcodeFormat.h>
#include <ZXing/DecodeHints.h>
#include <ZXing/ImageView.h>
#include <ZXing/ReadBarcode.h>
#include <ZXing/ZXVersion.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "AllocationCounter.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorStandardSymbologies.h"
#include "CountingGenerator.h"
#include "RandomEdges.h"
#include "Scanline.h"

namespace {

using Clock = std::chrono::steady_clock;
using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;
using StriveloBench::CountingGenerator;

constexpr int kRounds = 21;
constexpr int kSmokeRounds = 3;
constexpr auto kBatchTime = std::chrono::milliseconds(2);
constexpr auto kSmokeBatchTime = std::chrono::microseconds(500);
// Batches double in size until one takes this share of the batch time.
constexpr int kCalibrationShare = 8;
// Not a whole number, so that edges fall at every place inside a pixel.
constexpr double kPixelsPerNarrowBar = 3.3;

struct Sample {
    const char* label;
    std::int32_t type;
    const char* code;
    // zint's symbology and input for the same data; 0 when zint has no
    // counterpart to time.
    int zintSymbology;
    const char* zintData;
    // What zxing-cpp reads from our scanline; null when it does not read the
    // symbology.
    const char* zxingText;
    // What the edges identify as when a type that ties with the sample's
    // comes first in the registry; 0 and null for the sample's own.
    std::int32_t readType = 0;
    const char* readCode = nullptr;
};

const Sample kSamples[] = {
    {"EAN-13", FourCC("eanD"), "4-006381-333931", BARCODE_EANX, "400638133393", "4006381333931"},
    {"UPC-A", FourCC("upca"), "0-36000-29145-2", BARCODE_UPCA, "03600029145", "036000291452",
     FourCC("eanD"), "0-036000-291452"},
    {"Code 128", FourCC("c128"), "Bench-128/0123456789", BARCODE_CODE128, "Bench-128/0123456789",
     "Bench-128/0123456789"},
    {"EAN-128", FourCC("e128"), "(01)12345678901231(17)140704", BARCODE_GS1_128,
     "[01]12345678901231[17]140704", "011234567890123117140704"},
    {"ITF-14", FourCC("itff"), "10012345000017", BARCODE_ITF14, "1001234500001", "10012345000017"},
    {"Code 39", FourCC("3of9"), "CODE39-BENCH", BARCODE_CODE39, "CODE39-BENCH", "CODE39-BENCH"},
    {"Codabar", FourCC("coda"), "A40156B", BARCODE_CODABAR, "A40156B", "40156"},
    {"MSI", FourCC("msit"), "12344", 0, nullptr, nullptr},
    {"Plessey", FourCC("ples"), "1234", 0, nullptr, nullptr},
};

// Lists of no symbol, from a few edges to the most the reader hands over.
constexpr std::size_t kRandomEdgeCounts[] = {8, 60, 300, 4096};
constexpr std::uint32_t kRandomSeed = 20240611;

// Code 39 of growing length, up to the longest code it takes.
constexpr std::int32_t kLengthType = FourCC("3of9");
constexpr std::size_t kLengths[] = {2, 8, 32, 128, 255};
constexpr std::string_view kLengthAlphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

struct Settings {
    int rounds = kRounds;
    Clock::duration batchTime = kBatchTime;
    // -1: the processor the program starts on.
    int cpu = -1;
};

[[noreturn]] void Fail(const std::string& message) {
    std::fflush(stdout);
    std::fprintf(stderr, "strivelo_sidebyside: %s\n", message.c_str());
    std::exit(EXIT_FAILURE);
}

// Runs an operation a number of times and answers how many runs succeeded.
using Batch = std::function<std::size_t(std::size_t iterations)>;

template <typename Operation>
Batch Repeat(Operation operation) {
    return [operation](std::size_t iterations) mutable {
        std::size_t succeeded = 0;
        for (std::size_t i = 0; i < iterations; ++i) {
            succeeded += operation() ? 1 : 0;
        }
        return succeeded;
    };
}

// One operation's batch size, allocations per call and time per call in
// each round. A run that fails ends the program.
class Timing {
public:
    Timing(std::string name, Batch batch) : name_(std::move(name)), batch_(std::move(batch)) {}

    // Warms up with one call, counts the allocations of the next and sizes
    // the batch to take about batchTime.
    void Prepare(Clock::duration batchTime) {
        Run(1);
        const std::size_t before = StriveloBench::CountAllocations();
        Run(1);
        allocations_ = StriveloBench::CountAllocations() - before;
        iterations_ = 1;
        for (;;) {
            const Clock::duration elapsed = Run(iterations_);
            if (elapsed * kCalibrationShare >= batchTime) {
                iterations_ = std::max<std::size_t>(
                    1, static_cast<std::size_t>(static_cast<double>(iterations_) *
                                                static_cast<double>(batchTime.count()) /
                                                static_cast<double>(elapsed.count())));
                return;
            }
            iterations_ *= 2;
        }
    }

    void RunRound() {
        const Clock::duration elapsed = Run(iterations_);
        nsPerCall_.push_back(std::chrono::duration<double, std::nano>(elapsed).count() /
                             static_cast<double>(iterations_));
    }

    double GetMedianNs() const {
        std::vector<double> sorted = nsPerCall_;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t middle = sorted.size() / 2;
        return sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    }
    std::size_t GetAllocations() const { return allocations_; }

private:
    Clock::duration Run(std::size_t iterations) {
        const Clock::time_point start = Clock::now();
        const std::size_t succeeded = batch_(iterations);
        const Clock::duration elapsed = Clock::now() - start;
        if (succeeded != iterations) {
            Fail(name_ + ": " + std::to_string(iterations - succeeded) + " of " +
                 std::to_string(iterations) + " calls failed");
        }
        return elapsed;
    }

    std::string name_;
    Batch batch_;
    std::size_t iterations_ = 1;
    std::size_t allocations_ = 0;
    std::vector<double> nsPerCall_;
};

// Every timing in the order the rounds run them.
class Timings {
public:
    Timing* Add(std::string name, Batch batch) {
        return &timings_.emplace_back(std::move(name), std::move(batch));
    }

    void Run(const Settings& settings) {
        for (Timing& timing : timings_) {
            timing.Prepare(settings.batchTime);
        }
        for (int round = 0; round < settings.rounds; ++round) {
            for (Timing& timing : timings_) {
                timing.RunRound();
            }
        }
    }

private:
    // A deque keeps the handed-out pointers valid.
    std::deque<Timing> timings_;
};

struct ZintDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

// What one sample's timings work on; it stays in place while they run.
struct Subject {
    const Sample* sample = nullptr;
    std::unique_ptr<BarcodeProcessor> processor;
    CountingGenerator drawing;
    std::vector<double> exactEdges;
    StriveloBench::Scanline scanline;
    std::vector<double> scanlineEdges;
    std::unique_ptr<zint_symbol, ZintDeleter> zint;
    Timing* identifyExact = nullptr;
    Timing* identifyScanline = nullptr;
    Timing* zxingRead = nullptr;
    Timing* generate = nullptr;
    Timing* zintEncode = nullptr;
};

struct EdgeListRow {
    std::string label;
    std::vector<double> edges;
    Timing* identify = nullptr;
};

std::unique_ptr<BarcodeProcessor> MakeProcessor(const char* label, std::int32_t type,
                                                const char* code) {
    std::unique_ptr<BarcodeProcessor> processor = Strivelo::CreateByType(type);
    if (processor == nullptr || !processor->SetCode(code)) {
        Fail(std::string(label) + ": the engine refuses \"" + code + "\"");
    }
    return processor;
}

std::vector<double> DrawnEdges(const char* label, BarcodeProcessor& processor) {
    CountingGenerator generator(true);
    if (!processor.GenerateInto(&generator)) {
        Fail(std::string(label) + ": not drawn");
    }
    return generator.GetEdges();
}

std::unique_ptr<BarcodeProcessor> Identify(const std::vector<double>& edges) {
    bool ambiguous = false;
    return Strivelo::IdentifyFromEdges(edges.data(), static_cast<std::uint32_t>(edges.size()),
                                       &ambiguous);
}

void CheckIdentification(const std::string& what, const std::vector<double>& edges,
                         std::int32_t type, const char* code) {
    const std::unique_ptr<BarcodeProcessor> found = Identify(edges);
    if (found == nullptr) {
        Fail(what + ": identifies as nothing");
    }
    if (found->GetType() != type || std::strcmp(found->GetCode(), code) != 0) {
        Fail(what + ": identifies as " + found->GetName() + " \"" + found->GetCode() +
             "\", not as \"" + code + "\"");
    }
}

Batch IdentifyBatch(const std::vector<double>& edges, std::int32_t type) {
    return Repeat([&edges, type] {
        const std::unique_ptr<BarcodeProcessor> found = Identify(edges);
        return found != nullptr && found->GetType() == type;
    });
}

ZXing::DecodeHints OneRowHints() {
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::LinearCodes)
        .setMinLineCount(1)
        .setTryHarder(false)
        .setTryRotate(false)
        .setTryDownscale(false);
    return hints;
}

ZXing::ImageView RowView(const StriveloBench::Scanline& row) {
    return {row.pixels.data(), static_cast<int>(row.pixels.size()), 1, ZXing::ImageFormat::Lum};
}

double NarrowestBarMm(const std::vector<double>& edges) {
    double narrowest = edges[1] - edges[0];
    for (std::size_t i = 2; i + 1 < edges.size(); i += 2) {
        narrowest = std::min(narrowest, edges[i + 1] - edges[i]);
    }
    return narrowest;
}

void SetUp(Subject& subject, Timings& timings) {
    const Sample& sample = *subject.sample;
    const std::string label = sample.label;
    subject.processor = MakeProcessor(sample.label, sample.type, sample.code);
    subject.exactEdges = DrawnEdges(sample.label, *subject.processor);
    const double pixelMm = NarrowestBarMm(subject.exactEdges) / kPixelsPerNarrowBar;
    subject.scanline =
        StriveloBench::RenderScanline(subject.exactEdges, subject.processor->GetWidth(), pixelMm);
    subject.scanlineEdges = StriveloBench::ScanlineEdges(subject.scanline);
    if (subject.scanlineEdges.size() != subject.exactEdges.size()) {
        Fail(label + ": the scanline shows " + std::to_string(subject.scanlineEdges.size()) +
             " edges, the symbol has " + std::to_string(subject.exactEdges.size()));
    }
    const std::int32_t readType = sample.readType != 0 ? sample.readType : sample.type;
    const char* const readCode = sample.readCode != nullptr ? sample.readCode : sample.code;
    CheckIdentification(label + " (exact edges)", subject.exactEdges, readType, readCode);
    CheckIdentification(label + " (scanline edges)", subject.scanlineEdges, readType, readCode);
    subject.identifyExact =
        timings.Add(label + " identify exact", IdentifyBatch(subject.exactEdges, readType));
    subject.identifyScanline =
        timings.Add(label + " identify scanline", IdentifyBatch(subject.scanlineEdges, readType));

    if (sample.zxingText != nullptr) {
        const ZXing::DecodeHints hints = OneRowHints();
        const ZXing::Result read = ZXing::ReadBarcode(RowView(subject.scanline), hints);
        if (!read.isValid() || read.text() != sample.zxingText) {
            Fail(label + ": zxing-cpp reads \"" + read.text() + "\" (" +
                 ZXing::ToString(read.format()) + ") from the scanline, not \"" + sample.zxingText +
                 "\"");
        }
        subject.zxingRead =
            timings.Add(label + " zxing-cpp", Repeat([view = RowView(subject.scanline), hints] {
                            return ZXing::ReadBarcode(view, hints).isValid();
                        }));
    }

    BarcodeProcessor& processor = *subject.processor;
    CountingGenerator& drawing = subject.drawing;
    subject.generate =
        timings.Add(label + " generate",
                    Repeat([&processor, &drawing] { return processor.GenerateInto(&drawing); }));

    if (sample.zintSymbology != 0) {
        subject.zint.reset(ZBarcode_Create());
        if (subject.zint == nullptr) {
            Fail(label + ": no zint symbol");
        }
        subject.zint->symbology = sample.zintSymbology;
        zint_symbol* symbol = subject.zint.get();
        const auto* data = reinterpret_cast<const unsigned char*>(sample.zintData);
        const auto length = static_cast<int>(std::strlen(sample.zintData));
        // A reused symbol must be cleared: zint stacks every encoding as a
        // new row under the last.
        const auto encode = [symbol, data, length] {
            ZBarcode_Clear(symbol);
            return ZBarcode_Encode(symbol, data, length) == 0;
        };
        if (!encode()) {
            Fail(label + ": zint refuses \"" + sample.zintData + "\": " + symbol->errtxt);
        }
        subject.zintEncode = timings.Add(label + " zint", Repeat(encode));
    }
}

std::string LengthCode(std::size_t length) {
    std::string code;
    for (std::size_t i = 0; i < length; ++i) {
        code += kLengthAlphabet[i % kLengthAlphabet.size()];
    }
    return code;
}

bool ParseNumber(std::string_view text, int* value) {
    const char* const end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, *value);
    return error == std::errc() && rest == end && *value >= 0;
}

constexpr std::string_view kRoundsOption = "--rounds=";
constexpr std::string_view kCpuOption = "--cpu=";

bool ParseOption(std::string_view argument, Settings* settings) {
    if (argument == "--smoke") {
        settings->rounds = kSmokeRounds;
        settings->batchTime = kSmokeBatchTime;
        return true;
    }
    if (argument.starts_with(kRoundsOption)) {
        return ParseNumber(argument.substr(kRoundsOption.size()), &settings->rounds) &&
               settings->rounds > 0;
    }
    if (argument.starts_with(kCpuOption)) {
        return ParseNumber(argument.substr(kCpuOption.size()), &settings->cpu);
    }
    return false;
}

Settings ParseArguments(int argc, char** argv) {
    Settings settings;
    for (int i = 1; i < argc; ++i) {
        if (!ParseOption(argv[i], &settings)) {
            std::fprintf(stderr,
                         "usage: %s [--smoke] [--rounds=N] [--cpu=N]\n"
                         "  --smoke     %d short rounds: checks every read, figures are rough\n"
                         "  --rounds=N  rounds to take the median of (default %d)\n"
                         "  --cpu=N     the processor to pin to (default: the one it starts on)\n",
                         argv[0], kSmokeRounds, kRounds);
            std::exit(2);
        }
    }
    return settings;
}

// One core keeps the timings free of migrations; where that is not allowed
// the program still runs.
void PinToCpu(int cpu) {
    if (cpu < 0) {
        cpu = sched_getcpu();
    }
    cpu_set_t set;
    CPU_ZERO(&set);
    if (cpu >= 0) {
        CPU_SET(cpu, &set);
    }
    if (cpu < 0 || sched_setaffinity(0, sizeof set, &set) != 0) {
        std::printf("not pinned to a processor: %s\n", std::strerror(errno));
        return;
    }
    std::printf("pinned to processor %d\n", cpu);
}

std::string Ns(const Timing* timing) {
    if (timing == nullptr) {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", timing->GetMedianNs());
    return text;
}

std::string Allocations(const Timing* timing) {
    return timing == nullptr ? "-" : std::to_string(timing->GetAllocations());
}

std::string Ratio(const Timing* ours, const Timing* theirs) {
    if (theirs == nullptr) {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", ours->GetMedianNs() / theirs->GetMedianNs());
    return text;
}

std::string NsPerEdge(const EdgeListRow& row) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f",
                  row.identify->GetMedianNs() / static_cast<double>(row.edges.size()));
    return text;
}

void PrintTables(const std::deque<Subject>& subjects, const std::vector<EdgeListRow>& randomRows,
                 const std::vector<EdgeListRow>& lengthRows) {
    std::printf(
        "\nIdentify: ours from the exact edges and from the edges found in a scanline "
        "(%.1f pixels per narrowest bar), zxing-cpp reading that scanline "
        "(ns per call, heap allocations per call)\n",
        kPixelsPerNarrowBar);
    std::printf("%-10s %6s %10s %6s %10s %6s %10s %6s %11s %11s\n", "symbol", "edges", "exact",
                "alloc", "scanline", "alloc", "zxing-cpp", "alloc", "exact/zxing", "scan/zxing");
    for (const Subject& subject : subjects) {
        std::printf("%-10s %6zu %10s %6s %10s %6s %10s %6s %11s %11s\n", subject.sample->label,
                    subject.exactEdges.size(), Ns(subject.identifyExact).c_str(),
                    Allocations(subject.identifyExact).c_str(),
                    Ns(subject.identifyScanline).c_str(),
                    Allocations(subject.identifyScanline).c_str(), Ns(subject.zxingRead).c_str(),
                    Allocations(subject.zxingRead).c_str(),
                    Ratio(subject.identifyExact, subject.zxingRead).c_str(),
                    Ratio(subject.identifyScanline, subject.zxingRead).c_str());
    }

    std::printf(
        "\nGenerate: ours drawing the symbol, zint clearing and encoding it "
        "(ns per call; zint allocates with malloc, which is not counted)\n");
    std::printf("%-10s %10s %6s %10s %10s\n", "symbol", "ours", "alloc", "zint", "ours/zint");
    for (const Subject& subject : subjects) {
        std::printf("%-10s %10s %6s %10s %10s\n", subject.sample->label,
                    Ns(subject.generate).c_str(), Allocations(subject.generate).c_str(),
                    Ns(subject.zintEncode).c_str(),
                    Ratio(subject.generate, subject.zintEncode).c_str());
    }

    const auto printEdgeLists = [](const char* title, const std::vector<EdgeListRow>& rows) {
        std::printf("\n%s\n", title);
        std::printf("%-16s %6s %10s %9s %6s\n", "list", "edges", "ns", "ns/edge", "alloc");
        for (const EdgeListRow& row : rows) {
            std::printf("%-16s %6zu %10s %9s %6s\n", row.label.c_str(), row.edges.size(),
                        Ns(row.identify).c_str(), NsPerEdge(row).c_str(),
                        Allocations(row.identify).c_str());
        }
    };
    printEdgeLists("Identify random edge lists (no symbol)", randomRows);
    printEdgeLists("Identify Code 39 of growing length (exact edges)", lengthRows);
}

}  // namespace

int main(int argc, char** argv) {
    const Settings settings = ParseArguments(argc, argv);
    if (!Strivelo::RegisterStandardSymbologies(false) || !Strivelo::RegisterMS7B()) {
        Fail("symbologies not registered");
    }
    // zint's version number is major, minor and release as two digits each.
    const int zint = ZBarcode_Version();
    std::printf("zxing-cpp %d.%d.%d, zint %d.%d.%d, %d rounds, medians\n", ZXING_VERSION_MAJOR,
                ZXING_VERSION_MINOR, ZXING_VERSION_PATCH, zint / 10000, zint / 100 % 100,
                zint % 100, settings.rounds);
    PinToCpu(settings.cpu);

    Timings timings;
    std::deque<Subject> subjects;
    for (const Sample& sample : kSamples) {
        Subject& subject = subjects.emplace_back();
        subject.sample = &sample;
        SetUp(subject, timings);
    }

    std::vector<EdgeListRow> randomRows;
    for (const std::size_t count : kRandomEdgeCounts) {
        randomRows.push_back({"random", StriveloBench::RandomEdges(count, kRandomSeed), nullptr});
    }
    for (EdgeListRow& row : randomRows) {
        const std::vector<double>& edges = row.edges;
        row.identify = timings.Add("random " + std::to_string(edges.size()),
                                   Repeat([&edges] { return Identify(edges) == nullptr; }));
    }

    std::vector<EdgeListRow> lengthRows;
    for (const std::size_t length : kLengths) {
        const std::string code = LengthCode(length);
        const std::string label = std::to_string(length) + " characters";
        const std::unique_ptr<BarcodeProcessor> processor =
            MakeProcessor(label.c_str(), kLengthType, code.c_str());
        lengthRows.push_back({label, DrawnEdges(label.c_str(), *processor), nullptr});
        CheckIdentification("Code 39 of " + label, lengthRows.back().edges, kLengthType,
                            code.c_str());
    }
    for (EdgeListRow& row : lengthRows) {
        row.identify =
            timings.Add("Code 39 of " + row.label, IdentifyBatch(row.edges, kLengthType));
    }

    timings.Run(settings);
    PrintTables(subjects, randomRows, lengthRows);
    Strivelo::FreeRegistry();
    return EXIT_SUCCESS;
}
