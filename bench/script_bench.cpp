// Speed of the script front end: one generated 20,000-line program per script language (the same
// functions, loops, conditions, arithmetic, string concatenation, calls and comments in each), parsed
// into its XML program, against the reference of the same program in Python compiled to byte code
// by "python3 -m py_compile" in the same run. Both are wall times, best of five; the ratio is the
// front end's lines per second over the reference's (the target is at least 1.0).

#include "report/script/Script.h"
#include "report/script/sc_iilparser.h"
#include "tests/support/ScriptHost.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int ProgramLines = 20000;
constexpr int BlockLines = 16;
constexpr int Runs = 5;

struct Language {
    const char* name;
    const char* lineEnd;
    // One function of BlockLines lines, with its index in place of every '@'.
    const char* block;
    // The main block, one line.
    const char* main;
    // A comment line that pads the program to its length.
    const char* padding;
};

const Language Languages[] = {
    {"ZododuVudizu", "\n",
     "// block @: sums the even multiples\n"
     "function F@(a: Integer; b: Integer): Integer;\n"
     "var s: String; k: Integer;\n"
     "begin\n"
     "  s := 'item' + IntToStr(a);\n"
     "  Result := 0;\n"
     "  for k := 1 to b do\n"
     "  begin\n"
     "    if k mod 2 = 0 then\n"
     "      Result := Result + k * a\n"
     "    else\n"
     "      Result := Result - k;\n"
     "  end;\n"
     "  s := s + ' done';\n"
     "  ShowMessage(s);\n"
     "end;\n",
     "begin F0(1, 2) end.\n", "// end\n"},
    {"Z++Everav", "\n",
     "// block @: sums the even multiples\n"
     "int F@(int a, int b)\n"
     "{\n"
     "  string s = \"\"; int k;\n"
     "  s = \"item\" + IntToStr(a);\n"
     "  int result = 0;\n"
     "  for (k = 1; k <= b; k++)\n"
     "  {\n"
     "    if (k % 2 == 0)\n"
     "      result = result + k * a;\n"
     "    else\n"
     "      result = result - k;\n"
     "  }\n"
     "  s = s + \" done\";\n"
     "  ShowMessage(s);\n"
     "  return result; }\n",
     "{ F0(1, 2); }\n", "// end\n"},
    {"RorozEdedod", "\r\n",
     "' block @: sums the even multiples\r\n"
     "Function F@(a, b)\r\n"
     "  Dim s, k, result\r\n"
     "  s = \"item\" & CStr(a)\r\n"
     "  result = 0\r\n"
     "  For k = 1 To b\r\n"
     "    rem next k\r\n"
     "    If k Mod 2 = 0 Then\r\n"
     "      result = result + k * a\r\n"
     "    Else\r\n"
     "      result = result - k\r\n"
     "    End If\r\n"
     "  Next\r\n"
     "  s = s & \" done\" : ShowMessage(s)\r\n"
     "  Return result\r\n"
     "End Function\r\n",
     "F0(1, 2)\r\n", "' end\r\n"},
    {"JScript", "\n",
     "// block @: sums the even multiples\n"
     "function F@(a, b)\n"
     "{\n"
     "  var s = \"\", k = 0;\n"
     "  s = \"item\" + IntToStr(a);\n"
     "  var result = 0;\n"
     "  for (k = 1; k <= b; k++)\n"
     "  {\n"
     "    if (k % 2 == 0)\n"
     "      result = result + k * a;\n"
     "    else\n"
     "      result = result - k;\n"
     "  }\n"
     "  s = s + \" done\"; ShowMessage(s);\n"
     "  return result;\n"
     "}\n",
     "F0(1, 2);\n", "// end\n"},
};

const Language Python = {"Python", "\n",
                         "# block @: sums the even multiples\n"
                         "def F@(a, b):\n"
                         "    s = ''\n"
                         "    k = 0\n"
                         "    s = 'item' + str(a)\n"
                         "    result = 0\n"
                         "    for k in range(1, b + 1):\n"
                         "        # next k\n"
                         "        if k % 2 == 0:\n"
                         "            result = result + k * a\n"
                         "        else:\n"
                         "            result = result - k\n"
                         "    # loop done\n"
                         "    s = s + ' done'\n"
                         "    print(s)\n"
                         "    return result\n",
                         "F0(1, 2)\n", "# end\n"};

std::string Generate(const Language& language)
{
    std::string text;
    int lines = 0;
    const std::string block = language.block;
    for (int index = 0; lines + BlockLines + 1 <= ProgramLines; ++index, lines += BlockLines) {
        std::string function = block;
        for (size_t at = function.find('@'); at != std::string::npos; at = function.find('@', at))
            function.replace(at, 1, std::to_string(index));
        text += function;
    }
    for (; lines + 1 < ProgramLines; ++lines)
        text += language.padding;
    return text + language.main;
}

double BestSeconds(const std::function<bool()>& run)
{
    double best = 1e30;
    for (int i = 0; i < Runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!run())
            return -1;
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// The distribution's interpreter (scripts/deps.sh installs it) rather than whatever wrapper a PATH may
// put first, whose start-up would be counted against the reference.
std::string PythonProgram()
{
    return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

bool RunPythonCompile(const std::string& python, const std::string& file)
{
    const char* argv[] = {python.c_str(), "-m", "py_compile", file.c_str(), nullptr};
    pid_t pid;
    if (posix_spawnp(&pid, python.c_str(), nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
        return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main()
{
    script::initialize();
    char folderName[] = "/tmp/script-bench-XXXXXX";
    if (!mkdtemp(folderName)) {
        std::perror("script_bench");
        return 1;
    }
    const std::filesystem::path folder(folderName);
    const std::string pythonFile = (folder / "program.py").string();
    std::ofstream(pythonFile) << Generate(Python);
    const std::string python = PythonProgram();
    const double pythonSeconds = BestSeconds([&] { return RunPythonCompile(python, pythonFile); });
    std::filesystem::remove_all(folder);
    if (pythonSeconds < 0) {
        std::fprintf(stderr, "script_bench: python3 -m py_compile failed\n");
        return 1;
    }
    const double pythonRate = ProgramLines / pythonSeconds;

    int status = 0;
    std::printf("%-14s %14s %14s %8s\n", "language", "lines/s", "python lines/s", "ratio");
    for (const Language& language : Languages) {
        const std::string text = Generate(language);
        testsupport::ScriptHost bench;
        script::TscILParser parser(bench);
        parser.SelectLanguage(language.name);
        const double seconds = BestSeconds([&] { return parser.ParseSource(text); });
        if (seconds < 0) {
            std::fprintf(stderr, "script_bench: %s: %s at %s\n", language.name, bench.errorText.c_str(),
                         bench.errorPlace.c_str());
            status = 1;
            continue;
        }
        const double rate = ProgramLines / seconds;
        std::printf("%-14s %14.0f %14.0f %8.2f\n", language.name, rate, pythonRate, rate / pythonRate);
    }
    script::finalize();
    return status;
}
