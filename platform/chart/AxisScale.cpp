#include "platform/chart/AxisScale.h"

#include "platform/rtl/Numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace chart {

int RoundPixel(double a)
{
    constexpr double limit = 1 << 24;
    const double rounded = std::floor(a + 0.5);
    if (std::isnan(rounded)) {
        return 0;
    }
    return int(std::clamp(rounded, -limit, limit));
}

int TLabelSpacing::Needed(const std::vector<double>& labels) const
{
    if (vertical) {
        return 2 * textHeight;
    }
    int widest = 0;
    for (double value : labels) {
        widest = std::max(widest, textWidth(LabelText(value)));
    }
    return widest + 16;
}

std::vector<double> MultiplesOf(double step, double minimum, double maximum)
{
    std::vector<double> values;
    const double tolerance = 1e-9 * step;
    const double first = std::ceil((minimum - tolerance) / step);
    const double last = std::floor((maximum + tolerance) / step);
    // Counted apart from k, which stops growing by 1 beyond 2^53; callers never ask for more labels
    // than an axis has room for, the cap only guards the arithmetic.
    const double count = std::min(last - first + 1, 1e6);
    for (double i = 0; i < count; i += 1) {
        values.push_back((first + i) * step);
    }
    return values;
}

std::vector<double> StepLabels(double minimum, double maximum, int pixels, const TLabelSpacing& spacing)
{
    const double range = maximum - minimum;
    // Shares of the range first: pixels per unit overflow on a range of a few denormals.
    const int length = std::max(pixels, 0);
    // Horizontal labels never need less than 16 pixels: steps closer than that are passed over unmeasured,
    // which also keeps the number of labels ever made small.
    const double least = spacing.vertical ? 2.0 * spacing.textHeight : 16.0;
    double power = std::max(std::pow(10.0, std::floor(std::log10(range)) - 6),
                            std::numeric_limits<double>::denorm_min());
    for (;;) {
        for (double factor : {1.0, 2.0, 5.0}) {
            const double step = factor * power;
            const double apart = step / range * length;
            if (step >= range) {
                return MultiplesOf(step, minimum, maximum);
            }
            if (apart >= least) {
                std::vector<double> labels = MultiplesOf(step, minimum, maximum);
                if (apart >= spacing.Needed(labels)) {
                    return labels;
                }
            }
        }
        power *= 10;
    }
}

std::vector<double> CategoryLabels(const std::vector<double>& categories, double gap, double minimum, double maximum,
                                   int pixels, const TLabelSpacing& spacing)
{
    const double perCategory = gap / (maximum - minimum) * std::max(pixels, 0);
    const int count = int(categories.size());
    std::vector<double> labels;
    for (int k = 1; k <= count; ++k) {
        labels.clear();
        for (int i = 0; i < count; i += k) {
            labels.push_back(categories[std::size_t(i)]);
        }
        if (k * perCategory >= spacing.Needed(labels)) {
            break;
        }
    }
    return labels;
}

std::string LabelText(double value)
{
    return rtl::FormatFloat("#,##0.###", value);
}

}  // namespace chart
