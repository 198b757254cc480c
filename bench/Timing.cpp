#include "Timing.h"

#include <algorithm>

namespace kemuyi::bench {

double Samples::quantile(double q) const
{
    if (m_values.empty())
        return 0.0;
    std::vector<double> sorted = m_values;
    const auto index = static_cast<size_t>(q * double(sorted.size() - 1) + 0.5);
    std::nth_element(sorted.begin(), sorted.begin() + index, sorted.end());
    return sorted[index];
}

} // namespace kemuyi::bench
