#pragma once
// Medians of runs taken in turns, so that load from other work on a shared
// machine falls on both sides alike.
#include <algorithm>
#include <cmath>
#include <vector>

// NaN stands for a failed run; one failed run fails the whole figure.
inline double median(std::vector<double> values) {
    if (values.empty()) return NAN;
    for (double v : values)
        if (std::isnan(v)) return NAN;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The value that a `share` (0 to 1) of the values do not exceed, by nearest
// rank: 1 gives the largest. NaN as for the median.
inline double percentile(std::vector<double> values, double share) {
    if (values.empty()) return NAN;
    for (double v : values)
        if (std::isnan(v)) return NAN;
    std::sort(values.begin(), values.end());
    const double rank = std::ceil(share * static_cast<double>(values.size()));
    const size_t index = rank < 1 ? 0 : static_cast<size_t>(rank) - 1;
    return values[index < values.size() ? index : values.size() - 1];
}

struct PairedMedians {
    double kivo = NAN;
    double bare = NAN;
};

// Runs kivo(), bare(), kivo(), bare(), ... `runs` times each; each returns one figure.
template <typename KivoRun, typename BareRun>
PairedMedians alternate(int runs, KivoRun kivo, BareRun bare) {
    std::vector<double> kivoValues;
    std::vector<double> bareValues;
    for (int i = 0; i < runs; ++i) {
        kivoValues.push_back(kivo());
        bareValues.push_back(bare());
    }
    return PairedMedians{median(kivoValues), median(bareValues)};
}
