#pragma once
// The arithmetic of a chart's axes: which values get a label and how a label reads.

#include <functional>
#include <string>
#include <vector>

namespace chart {

// ⌊a + 0.5⌋ as a pixel, kept within ±2^24 so that far values still give a number GDI takes.
int RoundPixel(double a);

// What two neighbouring labels need between their positions, in pixels: on a vertical axis twice the
// text height, on a horizontal one the widest of the labels shown plus 16.
struct TLabelSpacing {
    bool vertical = true;
    int textHeight = 0;
    std::function<int(const std::string& text)> textWidth;

    int Needed(const std::vector<double>& labels) const;
};

// The multiples k × s (k whole) within minimum..maximum, an end missed by at most 10^-9 × s counting.
std::vector<double> MultiplesOf(double step, double minimum, double maximum);

// Labels of an axis of values: the smallest step 1, 2 or 5 × 10^k, from 10^(⌊log10(range)⌋ − 6) up to
// the first at least the range, whose labels lie far enough apart on pixels pixels; the last tried
// when none does. Needs maximum > minimum.
std::vector<double> StepLabels(double minimum, double maximum, int pixels, const TLabelSpacing& spacing);

// Labels of an axis of categories: every k-th of the distinct sorted values from the first, k the
// smallest whose labels lie far enough apart, gap being the smallest distance between the values.
std::vector<double> CategoryLabels(const std::vector<double>& categories, double gap, double minimum, double maximum,
                                   int pixels, const TLabelSpacing& spacing);

// "#,##0.###" with the separators of the format settings.
std::string LabelText(double value);

}  // namespace chart
