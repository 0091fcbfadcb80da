// Throughput of the number formatting routines: calls per second of FloatToStrF and Format, each
// measured over a fixed mix of values for about half a second. Then the size of a Variant and the speed
// of Variant arithmetic, beside the same loop on plain doubles (the reference) and the ratio.

#include "platform/rtl/Format.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Variant.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const std::vector<double> kValues = {0.0, 1.005, 2.675, -0.285, 1234567.891, 3.14159265358979, 1e-7, 6.02214076e23};

// Runs call over the values until half a second has passed; returns calls per second.
double CallsPerSecond(const std::function<std::size_t(double)>& call)
{
    using Clock = std::chrono::steady_clock;
    std::size_t calls = 0, sink = 0;
    const auto start = Clock::now();
    auto elapsed = Clock::duration::zero();
    while (elapsed < std::chrono::milliseconds(500)) {
        for (double value : kValues)
            sink += call(value);
        calls += kValues.size();
        elapsed = Clock::now() - start;
    }
    if (sink == 0)
        std::puts("(no output)");
    return double(calls) / std::chrono::duration<double>(elapsed).count();
}

void Report(const char* name, const std::function<std::size_t(double)>& call)
{
    std::printf("%-40s %12.0f calls/s\n", name, CallsPerSecond(call));
}

// Seconds per run of loop, measured for about half a second.
double SecondsPerRun(const std::function<double()>& loop)
{
    using Clock = std::chrono::steady_clock;
    std::size_t runs = 0;
    double sink = 0;
    const auto start = Clock::now();
    auto elapsed = Clock::duration::zero();
    while (elapsed < std::chrono::milliseconds(500)) {
        sink += loop();
        ++runs;
        elapsed = Clock::now() - start;
    }
    if (sink == 0.5)
        std::puts("(unlikely)");
    return std::chrono::duration<double>(elapsed).count() / double(runs);
}

constexpr int kSteps = 100000;

// A running sum of integers and halves with a product and a comparison each step, as a script does.
double VariantLoop()
{
    rtl::Variant sum = 0;
    rtl::Variant half = 0.5;
    for (int k = 0; k < kSteps; ++k) {
        rtl::Variant term = rtl::Variant(k % 7) * half + rtl::Variant(k);
        sum = sum + term;
        if (sum > rtl::Variant(1e12))
            sum = 0;
    }
    return sum.ToDouble();
}

double DoubleLoop()
{
    volatile double half = 0.5;
    double sum = 0;
    for (int k = 0; k < kSteps; ++k) {
        const double term = (k % 7) * half + k;
        sum = sum + term;
        if (sum > 1e12)
            sum = 0;
    }
    return sum;
}

}  // namespace

int main()
{
    rtl::SetLocaleSource(rtl::FixedLocaleSource::UnitedStates());
    Report("FloatToStr", [](double v) { return rtl::FloatToStr(v).size(); });
    Report("FloatToStrF(fixed, 15, 2)", [](double v) { return rtl::FloatToStrF(v, rtl::FloatFormat::Fixed, 15, 2).size(); });
    Report("FloatToStrF(number, 15, 2)", [](double v) { return rtl::FloatToStrF(v, rtl::FloatFormat::Number, 15, 2).size(); });
    Report("FloatToStrF(exponent, 15, 3)", [](double v) { return rtl::FloatToStrF(v, rtl::FloatFormat::Exponent, 15, 3).size(); });
    Report("Format(\"%.2f\")", [](double v) { return rtl::Format("%.2f", {v}).size(); });
    Report("Format(\"%d: %10.3n %s\")", [](double v) { return rtl::Format("%d: %10.3n %s", {42, v, "text"}).size(); });

    std::printf("\nsizeof(rtl::Variant) = %zu bytes\n", sizeof(rtl::Variant));
    const double variant = SecondsPerRun(VariantLoop);
    const double plain = SecondsPerRun(DoubleLoop);
    std::printf("%-40s %10.1f ns/step   doubles %8.2f ns/step   ratio %6.1f\n", "Variant arithmetic (* + > =)",
                variant / kSteps * 1e9, plain / kSteps * 1e9, variant / plain);
    return 0;
}
