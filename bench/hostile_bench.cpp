// Time and memory of the hostile inputs of tests/fixtures/hostile/: each picture read (or refused) and
// each metafile read and played onto a 64 x 48 memory context, beside a well-formed file of the same
// kind handled the same way in the same run, and the ratio. Each input runs in a process of its own,
// so that its memory figure is the growth of that process's peak over what the libraries took at start.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/imaging/BmpCodec.h"
#include "platform/imaging/GifCodec.h"
#include "platform/imaging/Image.h"
#include "platform/imaging/JpegCodec.h"
#include "platform/metafile/EnhMetaFile.h"
#include "platform/metafile/Metafile.h"
#include "platform/metafile/WmfPlayer.h"
#include "platform/metafile/WmfReader.h"
#include "platform/rtl/Rtl.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace win;

std::string Bytes(const std::string& path)
{
    std::ifstream in(std::string(RIVUVE_FIXTURES) + "/" + path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Reads or plays the bytes as the name's extension says: "read" or "refused" for a picture, "played"
// or "FALSE" (a record could not be drawn) for a metafile.
const char* Handle(const std::string& name, const std::string& bytes)
{
    try {
        if (name.ends_with(".bmp"))
            return ReadBmp(bytes).Empty() ? "refused" : "read";
        if (name.ends_with(".gif"))
            return ReadGif(bytes).Empty() ? "refused" : "read";
        if (name.ends_with(".jpg"))
            return ReadJpeg(bytes).Empty() ? "refused" : "read";
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, 64, 48);
        SelectObject(dc, bitmap);
        const RECT rect{2, 3, 60, 45};
        BOOL played = FALSE;
        if (name.ends_with(".emf")) {
            HENHMETAFILE metafile = ReadEnhMetaFile(bytes);
            played = PlayEnhMetaFile(dc, metafile, &rect);
            DeleteEnhMetaFile(metafile);
        } else {
            played = PlayWindowsMetafile(dc, ReadWindowsMetafile(bytes), rect);
        }
        DeleteDC(dc);
        DeleteObject(bitmap);
        return played ? "played" : "FALSE";
    } catch (const EInvalidGraphic&) {
        return "refused";
    }
}

struct Figures {
    double milliseconds = 0;
    double megabytes = 0;
    char outcome[12] = "";
};

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// In a child process: the best of five runs, and the growth of the peak memory over the first.
Figures Measure(const std::string& path)
{
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        const std::string bytes = Bytes(path);
        const long before = PeakKilobytes();
        Figures figures;
        figures.milliseconds = 1e9;
        for (int run = 0; run < 5; ++run) {
            const auto start = std::chrono::steady_clock::now();
            std::snprintf(figures.outcome, sizeof figures.outcome, "%s", Handle(path, bytes));
            const auto elapsed = std::chrono::steady_clock::now() - start;
            figures.milliseconds = std::min(figures.milliseconds, std::chrono::duration<double, std::milli>(elapsed).count());
        }
        figures.megabytes = double(PeakKilobytes() - before) / 1024;
        (void)!write(channel[1], &figures, sizeof figures);
        _exit(0);
    }
    close(channel[1]);
    Figures figures;
    if (read(channel[0], &figures, sizeof figures) != sizeof figures)
        figures.milliseconds = -1;
    close(channel[0]);
    waitpid(child, nullptr, 0);
    return figures;
}

}  // namespace

int main()
{
    rtl::initialize();
    win::gdi::initialize();
    win::text::initialize();
    win::metafile::initialize();
    // Fonts are loaded before the children start, as in the program, where they are loaded once.
    Handle("text_blit.emf", Bytes("../fuzz/corpus/emf/text_blit.emf"));

    const std::pair<const char*, const char*> inputs[] = {
        {"hostile/slow-494a29d0.bmp", "pictures/rgb24.bmp"},
        {"hostile/slow-694cb23d.jpg", "pictures/colour.jpg"},
        {"hostile/slow-7a70050e.jpg", "pictures/colour.jpg"},
        {"hostile/slow-d649f648.gif", "pictures/wide.gif"},
        {"hostile/play-41a153eb.emf", "../fuzz/corpus/emf/shapes.emf"},
        {"hostile/play-699009a6.emf", "../fuzz/corpus/emf/shapes.emf"},
        {"hostile/play-6fbcce2b.emf", "../fuzz/corpus/emf/shapes.emf"},
        {"hostile/play-c360a7b2.emf", "../fuzz/corpus/emf/shapes.emf"},
        {"hostile/play-03a9e66d.wmf", "../fuzz/corpus/wmf/every-record.wmf"},
        {"hostile/play-19fc182e.wmf", "../fuzz/corpus/wmf/every-record.wmf"},
        {"hostile/play-67be6b46.wmf", "../fuzz/corpus/wmf/every-record.wmf"},
    };
    std::printf("%-28s %-9s %9s %9s   %-36s %9s %9s   %s\n", "input", "outcome", "ms", "MB", "reference", "ms", "MB",
                "time ratio");
    for (const auto& [input, reference] : inputs) {
        const Figures hostile = Measure(input);
        const Figures usual = Measure(reference);
        std::printf("%-28s %-9s %9.3f %9.1f   %-36s %9.3f %9.1f   %.2f\n", input, hostile.outcome,
                    hostile.milliseconds, hostile.megabytes, reference, usual.milliseconds, usual.megabytes,
                    usual.milliseconds > 0 ? hostile.milliseconds / usual.milliseconds : 0.0);
    }
    return 0;
}
