// Printing speed and memory: pages per second and the peak memory of printing A4 pages at 600 dpi,
// a page of text (60 lines of 10 pt) and a page with a 2480 x 3508 image stretched over it, to the file
// printer (PNG page images) and to a PWG raster file (print to file). Each figure stands beside a
// reference measured in the same run, writing the same number of blank pages of that size with the
// encoder alone (libpng at level 1 with the Up filter, libcups' raster stream), and the ratio of the two: what drawing in
// bands costs on top of encoding the page. Every run is a process of its own, so its peak memory is its
// own. Usage: print_bench [pages per run] (default 3).

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/printing/PrinterDC.h"
#include "platform/printing/Printing.h"
#include "platform/rtl/Rtl.h"
#include "platform/services/Services.h"
#include "platform/text/Text.h"
#include "platform/text/TextOut.h"

#include <cups/raster.h>
#include <png.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace win;

constexpr int kWidth = 4961;  // A4 at 600 dpi
constexpr int kHeight = 7016;

void TextPage(HDC dc)
{
    LOGFONT font{};
    font.lfHeight = -MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfFaceName = "Arial";
    HFONT face = CreateFontIndirect(&font);
    HGDIOBJ old = SelectObject(dc, face);
    const std::string line = "Annual energy savings of the variable frequency drive at 80 % flow: 12,345 kWh";
    for (int row = 0; row < 60; ++row) {
        TextOutA(dc, 200, 200 + row * 105, line.c_str(), int(line.size()));
    }
    SelectObject(dc, old);
    DeleteObject(face);
}

void ImagePage(HDC dc, const std::vector<std::uint8_t>& bits)
{
    BITMAPINFO info;
    info.bmiHeader.biWidth = 2480;
    info.bmiHeader.biHeight = -3508;
    info.bmiHeader.biBitCount = 24;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), 0, 0, 2480, 3508, bits.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
}

std::vector<std::uint8_t> Picture()
{
    std::vector<std::uint8_t> bits(std::size_t(2480 * 3) * 3508);
    for (std::size_t at = 0; at < bits.size(); ++at) {
        bits[at] = static_cast<std::uint8_t>((at * 7 + at / 7440 * 3) & 0xFF);
    }
    return bits;
}

// Prints pages of a kind on the file printer, to its folder or (output given) to a PWG raster file.
void PrintPages(int pages, const std::function<void(HDC)>& draw, const std::string& output)
{
    const HDC dc = CreateDCA(nullptr, "File Printer", nullptr, nullptr);
    DOCINFOA info;
    info.lpszDocName = "Bench";
    info.lpszOutput = output.empty() ? nullptr : output.c_str();
    if (StartDocA(dc, &info) <= 0) {
        std::fprintf(stderr, "print_bench: %s\n", PrintErrorText().c_str());
        std::exit(1);
    }
    for (int page = 0; page < pages; ++page) {
        StartPage(dc);
        draw(dc);
        if (EndPage(dc) <= 0) {
            std::fprintf(stderr, "print_bench: %s\n", PrintErrorText().c_str());
            std::exit(1);
        }
    }
    EndDoc(dc);
    DeleteDC(dc);
}

// The references: blank pages through the encoders alone.
void BlankPng(int pages, const std::string& folder)
{
    const std::vector<std::uint8_t> row(std::size_t(kWidth) * 3, 0xFF);
    for (int page = 0; page < pages; ++page) {
        FILE* file = std::fopen((folder + "/blank-" + std::to_string(page) + ".png").c_str(), "wb");
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_init_io(png, file);
        png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_set_compression_level(png, 1);
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
        png_write_info(png, info);
        for (int y = 0; y < kHeight; ++y) {
            png_write_row(png, row.data());
        }
        png_write_end(png, info);
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
    }
}

void BlankRaster(int pages, const std::string& folder)
{
    std::vector<std::uint8_t> row(std::size_t(kWidth) * 3, 0xFF);
    const int fd = ::open((folder + "/blank.pwg").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    cups_raster_t* raster = cupsRasterOpen(fd, CUPS_RASTER_WRITE_PWG);
    for (int page = 0; page < pages; ++page) {
        cups_page_header2_t header;
        cupsRasterInitPWGHeader(&header, pwgMediaForPWG("iso_a4_210x297mm"), "srgb_8", 600, 600, "one-sided", nullptr);
        header.cupsWidth = kWidth;
        header.cupsHeight = kHeight;
        header.cupsBytesPerLine = kWidth * 3;
        cupsRasterWriteHeader2(raster, &header);
        for (int y = 0; y < kHeight; ++y) {
            cupsRasterWritePixels(raster, row.data(), unsigned(row.size()));
        }
    }
    cupsRasterClose(raster);
    ::close(fd);
}

struct Figure {
    double seconds = 0;
    long peakKiB = 0;
};

// Runs work in a process of its own, with the libraries started and the file printer in a fresh folder.
Figure Measure(const std::function<void(const std::string& folder)>& work)
{
    const std::string folder = (std::filesystem::temp_directory_path() / ("print-bench-" + std::to_string(::getpid()))).string();
    std::filesystem::create_directories(folder);
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        std::exit(1);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        setenv("RIVUVE_PRINTER_DIR", folder.c_str(), 1);
        rtl::initialize();
        services::initialize();
        gdi::initialize();
        text::initialize();
        printing::initialize();
        const auto start = std::chrono::steady_clock::now();
        work(folder);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (::write(pipeEnds[1], &seconds, sizeof(seconds)) != sizeof(seconds)) {
            std::_Exit(1);
        }
        std::_Exit(0);
    }
    ::close(pipeEnds[1]);
    Figure figure;
    if (::read(pipeEnds[0], &figure.seconds, sizeof(figure.seconds)) != sizeof(figure.seconds)) {
        std::fprintf(stderr, "print_bench: a run failed\n");
        std::exit(1);
    }
    ::close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    figure.peakKiB = usage.ru_maxrss;
    std::filesystem::remove_all(folder);
    return figure;
}

void Report(const char* name, int pages, const Figure& figure, const Figure& reference)
{
    const double rate = pages / figure.seconds;
    const double referenceRate = pages / reference.seconds;
    std::printf("%-30s %6.2f pages/s  peak %6.1f MiB   reference %6.2f pages/s  peak %6.1f MiB   ratio %.2f\n", name, rate,
                figure.peakKiB / 1024.0, referenceRate, reference.peakKiB / 1024.0, rate / referenceRate);
}

}  // namespace

int main(int argc, char** argv)
{
    const int pages = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::printf("A4 at 600 dpi (%d x %d), %d pages a run; reference: blank pages through the encoder alone\n", kWidth,
                kHeight, pages);
    const Figure png = Measure([&](const std::string& folder) { BlankPng(pages, folder); });
    const Figure raster = Measure([&](const std::string& folder) { BlankRaster(pages, folder); });
    const auto text = [&](const std::string& output) {
        return Measure([&, output](const std::string& folder) {
            PrintPages(pages, TextPage, output.empty() ? output : folder + "/" + output);
        });
    };
    const auto image = [&](const std::string& output) {
        return Measure([&, output](const std::string& folder) {
            const std::vector<std::uint8_t> bits = Picture();
            PrintPages(pages, [&](HDC dc) { ImagePage(dc, bits); }, output.empty() ? output : folder + "/" + output);
        });
    };
    Report("text page, file printer", pages, text(""), png);
    Report("image page, file printer", pages, image(""), png);
    Report("text page, PWG raster file", pages, text("bench.pwg"), raster);
    Report("image page, PWG raster file", pages, image("bench.pwg"), raster);
    return 0;
}
