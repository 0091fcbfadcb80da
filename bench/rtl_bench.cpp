// Speed of the runtime beside references measured in the same run (bench/Timing.h): the number
// formatting routines beside snprintf and std::to_chars, Variant arithmetic beside the same loop on
// doubles, sorting a string list beside std::sort with the same collation comparison, and the whole
// process of tools/estimate beside a trivial C++ program, both started by fork and exec.

#include "bench/Timing.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Rtl.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Variant.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const std::vector<double> kValues = {0.0, 1.005, 2.675, -0.285, 1234567.891, 3.14159265358979, 1e-7, 6.02214076e23};

// Runs call over every value; the sizes are summed so that nothing is optimized away.
std::function<void()> OverValues(const std::function<std::size_t(double)>& call)
{
    return [call] {
        for (double value : kValues)
            bench::Keep(double(call(value)));
    };
}

void CompareFormatting(const char* name, const std::function<std::size_t(double)>& call, const char* referenceName,
                       const std::function<std::size_t(double)>& reference)
{
    bench::Comparison figures = bench::Compare(OverValues(call), OverValues(reference));
    // Per call rather than per pass over the values.
    figures.seconds /= double(kValues.size());
    figures.reference /= double(kValues.size());
    bench::Print(name, referenceName, figures);
}

std::size_t Printed(int length) { return std::size_t(length); }

std::size_t ToChars(double value, std::chars_format format, int precision)
{
    char text[64];
    const auto result = precision < 0 ? std::to_chars(text, text + sizeof text, value)
                                      : std::to_chars(text, text + sizeof text, value, format, precision);
    return std::size_t(result.ptr - text);
}

void NumberFormatting()
{
    std::puts("Number formatting, per call (8 values of every size)");
    char text[128];
    CompareFormatting("FloatToStr", [](double v) { return rtl::FloatToStr(v).size(); }, "std::to_chars shortest",
                      [](double v) { return ToChars(v, std::chars_format::general, -1); });
    CompareFormatting("FloatToStrF(fixed, 15, 2)",
                      [](double v) { return rtl::FloatToStrF(v, rtl::FloatFormat::Fixed, 15, 2).size(); },
                      "std::to_chars fixed 2", [](double v) { return ToChars(v, std::chars_format::fixed, 2); });
    CompareFormatting("FloatToStrF(number, 15, 2)",
                      [](double v) { return rtl::FloatToStrF(v, rtl::FloatFormat::Number, 15, 2).size(); },
                      "snprintf(\"%.2f\")", [&](double v) { return Printed(std::snprintf(text, sizeof text, "%.2f", v)); });
    CompareFormatting("FloatToStrF(exponent, 15, 3)",
                      [](double v) { return rtl::FloatToStrF(v, rtl::FloatFormat::Exponent, 15, 3).size(); },
                      "std::to_chars scientific 2",
                      [](double v) { return ToChars(v, std::chars_format::scientific, 2); });
    CompareFormatting("Format(\"%.2f\")", [](double v) { return rtl::Format("%.2f", {v}).size(); },
                      "snprintf(\"%.2f\")", [&](double v) { return Printed(std::snprintf(text, sizeof text, "%.2f", v)); });
    CompareFormatting("Format(\"%d: %10.3n %s\")",
                      [](double v) { return rtl::Format("%d: %10.3n %s", {42, v, "text"}).size(); },
                      "snprintf(\"%d: %10.3f %s\")",
                      [&](double v) { return Printed(std::snprintf(text, sizeof text, "%d: %10.3f %s", 42, v, "text")); });
}

constexpr int kSteps = 100000;

// A running sum of integers and halves with a product and a comparison each step, as a script does.
void VariantLoop()
{
    rtl::Variant sum = 0;
    rtl::Variant half = 0.5;
    for (int k = 0; k < kSteps; ++k) {
        rtl::Variant term = rtl::Variant(k % 7) * half + rtl::Variant(k);
        sum = sum + term;
        if (sum > rtl::Variant(1e12))
            sum = 0;
    }
    bench::Keep(sum.ToDouble());
}

void DoubleLoop()
{
    volatile double half = 0.5;
    double sum = 0;
    for (int k = 0; k < kSteps; ++k) {
        const double term = (k % 7) * half + k;
        sum = sum + term;
        if (sum > 1e12)
            sum = 0;
    }
    bench::Keep(sum);
}

void VariantArithmetic()
{
    std::printf("\nsizeof(rtl::Variant) = %zu bytes\n", sizeof(rtl::Variant));
    bench::Comparison figures = bench::Compare(VariantLoop, DoubleLoop);
    figures.seconds /= kSteps;
    figures.reference /= kSteps;
    bench::Print("Variant arithmetic (* + > =), per step", "the same on doubles", figures);
}

// Words of 1 to 12 letters in code page 1252, some capitalised, some accented, some hyphenated.
std::vector<std::string> Words(std::size_t count)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz\xE9\xE8\xE4\xF6\xFC\xDF";
    std::mt19937 random(12345);
    std::vector<std::string> words;
    words.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string word;
        const int length = 1 + int(random() % 12);
        for (int k = 0; k < length; ++k) {
            const char letter = kLetters[random() % (sizeof kLetters - 1)];
            word += random() % 8 == 0 && letter >= 'a' && letter <= 'z' ? char(letter - 32) : letter;
            if (random() % 40 == 0)
                word += '-';
        }
        words.push_back(std::move(word));
    }
    return words;
}

double Seconds(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Sorting()
{
    constexpr std::size_t kCount = 1000000;
    const std::vector<std::string> words = Words(kCount);
    std::printf("\nSorting %zu words (code page 1252)\n", kCount);
    for (const bool caseSensitive : {false, true}) {
        const auto compare = caseSensitive ? rtl::AnsiCompareStr : rtl::AnsiCompareText;
        std::vector<double> ours;
        std::vector<double> theirs;
        std::vector<double> ratios;
        for (int round = 0; round < 5; ++round) {
            rtl::TStringList list;
            list.SetCaseSensitive(caseSensitive);
            list.SetCapacity(int(kCount));
            for (const std::string& word : words)
                list.Add(word);
            ours.push_back(Seconds([&] { list.Sort(); }));
            std::vector<std::string> copy = words;
            theirs.push_back(Seconds([&] {
                std::sort(copy.begin(), copy.end(),
                          [compare](const std::string& a, const std::string& b) { return compare(a, b) < 0; });
            }));
            ratios.push_back(ours.back() / theirs.back());
        }
        bench::Print(caseSensitive ? "TStringList.Sort, case-sensitive" : "TStringList.Sort",
                     caseSensitive ? "std::sort with AnsiCompareStr" : "std::sort with AnsiCompareText",
                     bench::Comparison{bench::Median(ours), bench::Median(theirs), bench::Median(ratios)});
    }
}

// Starts the program with its output thrown away and waits for it.
void RunProgram(const char* path)
{
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl(path, path, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not finish well\n", path);
        std::exit(1);
    }
}

void StartUp()
{
    std::puts("\nWhole process, started by fork and exec");
    const bench::Comparison figures =
        bench::Compare([] { RunProgram(RIVUVE_ESTIMATE); }, [] { RunProgram(RIVUVE_TRIVIAL_PROGRAM); },
                       bench::Rounds{9, 0.3});
    bench::Print("tools/estimate", "a trivial C++ program", figures);
}

}  // namespace

int main()
{
    rtl::initialize();
    rtl::SetLocaleSource(rtl::FixedLocaleSource::UnitedStates());
    rtl::SetAnsiCodePage(1252);
    NumberFormatting();
    VariantArithmetic();
    Sorting();
    StartUp();
    rtl::finalize();
    return 0;
}
