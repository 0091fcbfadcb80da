#include "platform/printing/detail/PngPage.h"

#include <png.h>

#include <cmath>
#include <csetjmp>
#include <exception>

// libpng reports errors by longjmp. Only the functions that call setjmp may be jumped back to, and no
// frame between them and libpng owns anything with a destructor: what must be freed lives in Writer.

namespace win {

using namespace detail;

struct PngPage::Writer {
    SpoolFile file;
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::string error;
    std::exception_ptr failure;
    int width;
    int height;
    int bytesPerPixel;
    int written = 0;

    Writer(const std::string& folder, int pageWidth, int pageHeight, bool color)
        : file(folder, 0666), width(pageWidth), height(pageHeight), bytesPerPixel(color ? 3 : 1)
    {
        png = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
        if (png) {
            info = png_create_info_struct(png);
        }
        if (!png || !info) {
            png_destroy_write_struct(&png, &info);
            throw EPrintError("The page image cannot be made: out of memory", ERROR_NOT_ENOUGH_MEMORY);
        }
        png_set_write_fn(png, this, OnWrite, OnFlush);
    }
    ~Writer() { png_destroy_write_struct(&png, &info); }

    static void OnError(png_structp png, png_const_charp message)
    {
        static_cast<Writer*>(png_get_error_ptr(png))->error = message;
        png_longjmp(png, 1);
    }
    static void OnWarning(png_structp, png_const_charp) {}
    static void OnWrite(png_structp png, png_bytep bytes, png_size_t count)
    {
        auto* self = static_cast<Writer*>(png_get_io_ptr(png));
        try {
            self->file.Write(bytes, count);
        } catch (...) {
            self->failure = std::current_exception();
            png_error(png, "the page file cannot be written");
        }
    }
    static void OnFlush(png_structp) {}

    bool Header(Resolution dpi)
    {
        if (setjmp(png_jmpbuf(png))) {
            return false;
        }
        png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8,
                     bytesPerPixel == 3 ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        const auto perMetre = [](int perInch) { return png_uint_32(std::lround(perInch / 0.0254)); };
        png_set_pHYs(png, info, perMetre(dpi.x), perMetre(dpi.y), PNG_RESOLUTION_METER);
        png_set_compression_level(png, 1);
        // Rows of a page mostly repeat the row above: the Up filter alone finds that, five times faster
        // than trying every filter on every row.
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
        png_write_info(png, info);
        return true;
    }

    bool Rows(const std::uint8_t* rows, int count)
    {
        if (setjmp(png_jmpbuf(png))) {
            return false;
        }
        for (int row = 0; row < count; ++row) {
            png_write_row(png, rows + std::size_t(row) * std::size_t(width) * std::size_t(bytesPerPixel));
        }
        return true;
    }

    bool End()
    {
        if (setjmp(png_jmpbuf(png))) {
            return false;
        }
        png_write_end(png, info);
        return true;
    }

    void Check(bool done)
    {
        if (failure) {
            std::rethrow_exception(failure);
        }
        if (!done) {
            throw EPrintError("The page image cannot be written: " + error, ERROR_INVALID_DATA);
        }
    }
};

PngPage::PngPage(const std::string& folder, int width, int height, bool color, Resolution dpi)
    : writer_(std::make_unique<Writer>(folder, width, height, color))
{
    writer_->Check(writer_->Header(dpi));
}

PngPage::~PngPage() = default;

void PngPage::WriteRows(const std::uint8_t* rows, int count)
{
    const int room = writer_->height - writer_->written;
    writer_->Check(writer_->Rows(rows, std::min(count, room)));
    writer_->written += std::min(count, room);
}

void PngPage::Finish(const std::string& path)
{
    if (writer_->written != writer_->height) {
        throw EPrintError("The page image lacks rows", ERROR_INVALID_DATA);
    }
    writer_->Check(writer_->End());
    writer_->file.Commit(path);
}

}  // namespace win
