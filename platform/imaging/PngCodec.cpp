#include "platform/imaging/PngCodec.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>

// libpng reports errors by longjmp. Only the functions that call setjmp (Decode, Encode) may be jumped
// back to, and no frame between them and libpng may own anything with a destructor: everything that
// must be freed lives in the PngReader/PngWriter object, which outlives the jump.

namespace win {

namespace {

// The most bytes deflate turns one compressed byte into.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

class PngReader {
public:
    explicit PngReader(std::string_view data) : data_(data)
    {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
        if (png_)
            info_ = png_create_info_struct(png_);
        if (!png_ || !info_)
            throw EInvalidGraphic("Invalid PNG file: out of memory");
    }
    ~PngReader() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    Image Read()
    {
        if (data_.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(data_.data()), 0, 8) != 0)
            throw EInvalidGraphic("Invalid PNG file: no PNG signature");
        if (!Decode())
            throw EInvalidGraphic("Invalid PNG file: " + error_);
        return std::move(image_);
    }

private:
    static void OnError(png_structp png, png_const_charp message)
    {
        static_cast<PngReader*>(png_get_error_ptr(png))->error_ = message;
        png_longjmp(png, 1);
    }
    static void OnWarning(png_structp, png_const_charp) {}

    static void OnRead(png_structp png, png_bytep out, png_size_t count)
    {
        auto* self = static_cast<PngReader*>(png_get_io_ptr(png));
        if (count > self->data_.size() - self->position_)
            png_error(png, "the file is truncated");
        std::memcpy(out, self->data_.data() + self->position_, count);
        self->position_ += count;
    }

    bool Decode()
    {
        if (setjmp(png_jmpbuf(png_)))
            return false;
        png_set_read_fn(png_, this, OnRead);
        png_set_user_limits(png_, kMaxImageDimension, kMaxImageDimension);
        // Bounds the memory one ancillary chunk (text, profile) may take.
        png_set_chunk_malloc_max(png_, 8u << 20);
        png_read_info(png_, info_);
        ReadHeader();
        ReadPixels();
        png_read_end(png_, nullptr);
        return true;
    }

    void ReadHeader()
    {
        const png_uint_32 width = png_get_image_width(png_, info_);
        const png_uint_32 height = png_get_image_height(png_, info_);
        CheckImageSize(width, height);
        // Deflate makes at most 1032 bytes of one: a file too short for the image's rows is refused
        // before they are allocated.
        if (std::uint64_t{height} * png_get_rowbytes(png_, info_) > kMaxDeflateRatio * data_.size())
            png_error(png_, "the file is too short for an image of that size");
        image_ = Image(static_cast<int>(width), static_cast<int>(height));

        const int colourType = png_get_color_type(png_, info_);
        const bool hasTrns = png_get_valid(png_, info_, PNG_INFO_tRNS) != 0;
        image_.SetHasAlpha((colourType & PNG_COLOR_MASK_ALPHA) != 0 || hasTrns);
        if (colourType == PNG_COLOR_TYPE_PALETTE)
            KeepPalette();

        png_uint_32 xRes = 0, yRes = 0;
        int unit = 0;
        if (png_get_pHYs(png_, info_, &xRes, &yRes, &unit) && unit == PNG_RESOLUTION_METER
            && xRes <= 0x7fffffff && yRes <= 0x7fffffff)
            image_.SetResolution(static_cast<int>(xRes), static_cast<int>(yRes));

        // Palette images are read as one index a byte and looked up here, so that an index past the
        // palette is caught (libpng paints it black with a warning); everything else becomes 8-bit
        // B, G, R, A.
        if (colourType == PNG_COLOR_TYPE_PALETTE) {
            png_set_packing(png_);
        } else {
            png_set_expand(png_);
            png_set_strip_16(png_);
            png_set_gray_to_rgb(png_);
            png_set_bgr(png_);
            png_set_filler(png_, 0xff, PNG_FILLER_AFTER);
        }
        png_set_interlace_handling(png_);
        png_read_update_info(png_, info_);
        const size_t pixelBytes = colourType == PNG_COLOR_TYPE_PALETTE ? 1 : 4;
        if (png_get_rowbytes(png_, info_) != static_cast<size_t>(width) * pixelBytes)
            png_error(png_, "unexpected row layout");
    }

    void KeepPalette()
    {
        png_colorp colours = nullptr;
        int count = 0;
        if (!png_get_PLTE(png_, info_, &colours, &count))
            return;
        png_bytep alphas = nullptr;
        int alphaCount = 0;
        png_get_tRNS(png_, info_, &alphas, &alphaCount, nullptr);
        std::vector<std::uint32_t> palette(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            const std::uint32_t alpha = i < alphaCount ? alphas[i] : 0xff;
            palette[static_cast<size_t>(i)] = alpha << 24 | std::uint32_t{colours[i].red} << 16
                                              | std::uint32_t{colours[i].green} << 8 | colours[i].blue;
        }
        image_.SetPalette(std::move(palette));
    }

    void ReadPixels()
    {
        const bool indexed = png_get_color_type(png_, info_) == PNG_COLOR_TYPE_PALETTE;
        if (indexed)
            indexes_.resize(static_cast<size_t>(image_.Width()) * static_cast<size_t>(image_.Height()));
        rows_.resize(static_cast<size_t>(image_.Height()));
        for (int y = 0; y < image_.Height(); ++y)
            rows_[static_cast<size_t>(y)] = indexed ? indexes_.data() + static_cast<size_t>(y) * static_cast<size_t>(image_.Width())
                                                    : reinterpret_cast<png_bytep>(image_.Row(y));
        png_read_image(png_, rows_.data());
        if (!indexed)
            return;
        const std::vector<std::uint32_t>& palette = image_.Palette();
        std::uint32_t* out = image_.Row(0);
        for (size_t i = 0; i < indexes_.size(); ++i) {
            if (indexes_[i] >= palette.size())
                png_error(png_, "a pixel refers to a colour past the end of the palette");
            out[i] = palette[indexes_[i]];
        }
    }

    std::string_view data_;
    size_t position_ = 0;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    std::string error_;
    Image image_;
    std::vector<png_bytep> rows_;
    std::vector<png_byte> indexes_;
};

class PngWriter {
public:
    explicit PngWriter(const Image& image) : image_(image)
    {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
        if (png_)
            info_ = png_create_info_struct(png_);
        if (!png_ || !info_)
            throw EInvalidGraphic("PNG write error: out of memory");
    }
    ~PngWriter() { png_destroy_write_struct(&png_, &info_); }
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    std::string Write()
    {
        if (image_.Empty())
            throw EInvalidGraphic("PNG write error: the image is empty");
        rows_.resize(static_cast<size_t>(image_.Height()));
        for (int y = 0; y < image_.Height(); ++y)
            rows_[static_cast<size_t>(y)] = const_cast<png_bytep>(reinterpret_cast<png_const_bytep>(image_.Row(y)));
        if (!Encode())
            throw EInvalidGraphic("PNG write error: " + error_);
        return std::move(out_);
    }

private:
    static void OnError(png_structp png, png_const_charp message)
    {
        static_cast<PngWriter*>(png_get_error_ptr(png))->error_ = message;
        png_longjmp(png, 1);
    }
    static void OnWarning(png_structp, png_const_charp) {}

    static void OnWrite(png_structp png, png_bytep bytes, png_size_t count)
    {
        static_cast<PngWriter*>(png_get_io_ptr(png))->out_.append(reinterpret_cast<const char*>(bytes), count);
    }
    static void OnFlush(png_structp) {}

    bool Encode()
    {
        if (setjmp(png_jmpbuf(png_)))
            return false;
        png_set_write_fn(png_, this, OnWrite, OnFlush);
        const bool alpha = image_.HasAlpha();
        png_set_IHDR(png_, info_, static_cast<png_uint_32>(image_.Width()), static_cast<png_uint_32>(image_.Height()),
                     8, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        if (image_.XPixelsPerMetre() > 0 && image_.YPixelsPerMetre() > 0)
            png_set_pHYs(png_, info_, static_cast<png_uint_32>(image_.XPixelsPerMetre()),
                         static_cast<png_uint_32>(image_.YPixelsPerMetre()), PNG_RESOLUTION_METER);
        png_write_info(png_, info_);
        png_set_bgr(png_);
        // The rows hold B, G, R, A; without alpha the fourth byte is skipped.
        if (!alpha)
            png_set_filler(png_, 0, PNG_FILLER_AFTER);
        png_write_image(png_, rows_.data());
        png_write_end(png_, nullptr);
        return true;
    }

    const Image& image_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    std::string error_;
    std::string out_;
    std::vector<png_bytep> rows_;
};

}  // namespace

Image ReadPng(std::string_view data)
{
    return PngReader(data).Read();
}

std::string WritePng(const Image& image)
{
    return PngWriter(image).Write();
}

}  // namespace win
