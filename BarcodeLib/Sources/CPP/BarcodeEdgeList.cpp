#include "BarcodeEdgeList.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <new>
#include <utility>

namespace Strivelo {

namespace {

// Below this share of the product of their spreads, the ideal edges and the
// bar ends vary together too much to be told apart.
constexpr double kSpreadShare = 1e-9;

}  // namespace

// A list of a new count is copied into its new memory while the values are
// checked, in one pass, and the memory dropped if one is not finite; the
// memory in use is written only once all are known to be.
bool BarcodeEdgeList::Assign(const BarcodeEdgeView& view) {
    const std::uint32_t count = view.GetCount();
    if (count == 0 || count > kMaxEdgeCount) {
        return false;
    }
    const auto copy = [&view](double* measured) {
        double* const ideal = measured + view.GetCount();
        bool finite = true;
        view.ForEach([measured, ideal, &finite](std::uint32_t i, double value) {
            finite &= std::isfinite(value);
            measured[i] = value;
            ideal[i] = value;
        });
        return finite;
    };
    if (count != count_) {
        std::unique_ptr<double[]> fresh(new (std::nothrow) double[std::size_t{count} * 2]);
        if (fresh == nullptr || !copy(fresh.get())) {
            return false;
        }
        values_ = std::move(fresh);
        count_ = count;
    } else {
        bool finite = true;
        view.ForEach([&finite](std::uint32_t, double value) { finite &= std::isfinite(value); });
        if (!finite) {
            return false;
        }
        copy(values_.get());
    }
    readReversed_ = view.IsReadReversed();
    callerOrderReversed_ = view.IsCallerOrderReversed();
    return true;
}

bool BarcodeEdgeList::CopyFrom(const BarcodeEdgeList& source) {
    const std::uint32_t count = source.count_;
    if (count == 0) {
        return false;
    }
    if (count != count_) {
        std::unique_ptr<double[]> fresh(new (std::nothrow) double[std::size_t{count} * 2]);
        if (fresh == nullptr) {
            return false;
        }
        values_ = std::move(fresh);
        count_ = count;
    }
    std::copy(source.values_.get(), source.values_.get() + std::size_t{count} * 2, values_.get());
    readReversed_ = source.readReversed_;
    callerOrderReversed_ = source.callerOrderReversed_;
    return true;
}

// Reversals compose: reading a reversed reading reversed again is forwards.
void BarcodeEdgeList::ReferToCallerOf(const BarcodeEdgeList& source) {
    readReversed_ = readReversed_ != source.readReversed_;
    callerOrderReversed_ = callerOrderReversed_ != source.callerOrderReversed_;
}

double BarcodeEdgeList::MeasureBarWidthReduction(std::uint32_t first,
                                                 std::uint32_t edgeCount) const {
    if (edgeCount == 0) {
        return 0.0;
    }
    const double* const measured = GetMeasured();
    const double* const ideal = GetIdeal();
    const std::uint64_t end = std::uint64_t{first} + edgeCount;
    double sum = 0.0;
    for (std::uint64_t i = first; i + 1 < end && i + 1 < count_; i += 2) {
        sum += (measured[i] - ideal[i]) + (ideal[i + 1] - measured[i + 1]);
    }
    return sum / edgeCount * 2.0;
}

// measured = offset + weights . basis - reduction x end, end being 1 at bar
// ends and 0 at bar starts: the normal equations around the means, solved by
// elimination with the largest pivot.
template <std::size_t Bases, typename Basis>
bool BarcodeEdgeList::FitMeasured(std::uint64_t first, std::uint64_t end, const Basis& basis,
                                  std::array<double, Bases>* weights, double* offset) const {
    constexpr std::size_t kTerms = Bases + 1;
    const double* const measured = GetMeasured();
    const auto terms = [&basis](std::uint64_t i) {
        std::array<double, kTerms> x{};
        const std::array<double, Bases> b = basis(i);
        std::copy(b.begin(), b.end(), x.begin());
        x[Bases] = -static_cast<double>(i % 2);
        return x;
    };
    const auto n = static_cast<double>(end - first);
    // The end term is -0 at bar starts, which adds nothing to its mean, and
    // -1 at bar ends, whose share is the same each time.
    const double endShare = -1.0 / n;
    std::array<double, kTerms> means{};
    double measuredMean = 0.0;
    for (std::uint64_t i = first; i < end; ++i) {
        const std::array<double, Bases> b = basis(i);
        for (std::size_t a = 0; a < Bases; ++a) {
            means[a] += b[a] / n;
        }
        if (i % 2 == 1) {
            means[Bases] += endShare;
        }
        measuredMean += measured[i] / n;
    }
    // The products are symmetric, so the lower half is copied from the upper
    // one, which adds the same products in the same order.
    double matrix[kTerms][kTerms + 1] = {};
    for (std::uint64_t i = first; i < end; ++i) {
        std::array<double, kTerms> x = terms(i);
        for (std::size_t a = 0; a < kTerms; ++a) {
            x[a] -= means[a];
        }
        const double deviation = measured[i] - measuredMean;
        for (std::size_t a = 0; a < kTerms; ++a) {
            for (std::size_t b = a; b < kTerms; ++b) {
                matrix[a][b] += x[a] * x[b];
            }
            matrix[a][kTerms] += x[a] * deviation;
        }
    }
    for (std::size_t a = 1; a < kTerms; ++a) {
        for (std::size_t b = 0; b < a; ++b) {
            matrix[a][b] = matrix[b][a];
        }
    }
    double spread[kTerms];
    for (std::size_t a = 0; a < kTerms; ++a) {
        spread[a] = matrix[a][a];
    }
    for (std::size_t k = 0; k < kTerms; ++k) {
        std::size_t pivot = k;
        for (std::size_t a = k + 1; a < kTerms; ++a) {
            if (std::fabs(matrix[a][k]) > std::fabs(matrix[pivot][k])) {
                pivot = a;
            }
        }
        std::swap(matrix[k], matrix[pivot]);
        if (!(std::fabs(matrix[k][k]) > kSpreadShare * spread[k])) {
            return false;
        }
        for (std::size_t a = 0; a < kTerms; ++a) {
            if (a != k) {
                const double factor = matrix[a][k] / matrix[k][k];
                for (std::size_t b = k; b <= kTerms; ++b) {
                    matrix[a][b] -= factor * matrix[k][b];
                }
            }
        }
    }
    double fittedOffset = measuredMean;
    std::array<double, Bases> fitted{};
    for (std::size_t a = 0; a < kTerms; ++a) {
        const double weight = matrix[a][kTerms] / matrix[a][a];
        if (!std::isfinite(weight)) {
            return false;
        }
        fittedOffset -= weight * means[a];
        if (a < Bases) {
            fitted[a] = weight;
        }
    }
    *weights = fitted;
    *offset = fittedOffset;
    return true;
}

bool BarcodeEdgeList::FitIdealEdges(std::uint32_t first, std::uint32_t edgeCount, double* scale) {
    const std::uint64_t end = std::min<std::uint64_t>(std::uint64_t{first} + edgeCount, count_);
    double* const ideal = GetIdeal();
    std::array<double, 1> stretch{};
    double offset = 0.0;
    if (end <= first || !FitMeasured(
                            first, end, [ideal](std::uint64_t i) { return std::array{ideal[i]}; },
                            &stretch, &offset)) {
        return false;
    }
    for (std::uint64_t i = first; i < end; ++i) {
        ideal[i] = offset + stretch[0] * ideal[i];
    }
    *scale = stretch[0];
    return true;
}

// Edge i lies i elements from the first, so with W(i) wide ones among them it
// lies offset + module x i + (ratio - 1) x module x W(i) along; W(i) waits in
// the ideal edges until the fit is known.
bool BarcodeEdgeList::FitWideNarrowEdges(const char* letters, double* moduleMm, double* ratio) {
    if (count_ < 2) {
        return false;
    }
    double* const ideal = GetIdeal();
    ideal[0] = 0.0;
    for (std::uint32_t i = 1; i < count_; ++i) {
        ideal[i] = ideal[i - 1] + (letters[i - 1] == 'W' ? 1.0 : 0.0);
    }
    std::array<double, 2> weights{};
    double offset = 0.0;
    const auto basis = [ideal](std::uint64_t i) {
        return std::array{static_cast<double>(i), ideal[i]};
    };
    if (!FitMeasured(0, count_, basis, &weights, &offset) || !(weights[0] > 0.0)) {
        return false;
    }
    for (std::uint32_t i = 0; i < count_; ++i) {
        ideal[i] = offset + weights[0] * i + weights[1] * ideal[i];
    }
    *moduleMm = weights[0];
    *ratio = 1.0 + weights[1] / weights[0];
    return true;
}

double BarcodeEdgeList::ComputeDeviation(double barWidthReductionMm, double* maximum) const {
    *maximum = 0.0;
    if (count_ == 0) {
        return 0.0;
    }
    const double* const measured = GetMeasured();
    const double* const ideal = GetIdeal();
    double sum = 0.0;
    for (std::uint32_t i = 0; i < count_; ++i) {
        const double reduction = i % 2 == 1 ? barWidthReductionMm : 0.0;
        const double deviation = std::fabs(measured[i] + reduction - ideal[i]);
        sum += deviation;
        if (deviation > *maximum) {
            *maximum = deviation;
        }
    }
    return sum / count_;
}

}  // namespace Strivelo
