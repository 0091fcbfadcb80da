#include "platform/imaging/JpegCodec.h"

#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstdlib>

// libjpeg reports errors through error_exit, which must not return: ours longjmps back to the function
// that called setjmp (Decode, Encode). No frame between that function and libjpeg owns anything with a
// destructor; what must be freed lives in the JpegReader/JpegWriter object, which outlives the jump.

namespace win {

namespace {

// A progressive file may hold any number of scans, each a pass over the whole image; a damaged one
// can make decoding take minutes. Real files have a few dozen at most.
constexpr long kMaxScans = 1000;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void OnErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void OnOutputMessage(j_common_ptr) {}

// libjpeg only warns about a file that ends early or damaged entropy-coded data and fills the rest of
// the picture with grey; such a file is damaged, not readable.
void OnEmitMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
        OnErrorExit(info);
    default:
        break;
    }
}

std::string ErrorText(j_common_ptr info)
{
    return "JPEG error #" + std::to_string(info->err->msg_code);
}

int PixelsPerMetre(int density, int unit)
{
    if (density <= 0)
        return 0;
    if (unit == 1)  // dots per inch
        return static_cast<int>(density / 0.0254 + 0.5);
    if (unit == 2)  // dots per centimetre
        return density * 100;
    return 0;
}

class JpegReader {
public:
    explicit JpegReader(std::string_view data) : data_(data)
    {
        info_.err = jpeg_std_error(&errors_.base);
        errors_.base.error_exit = OnErrorExit;
        errors_.base.output_message = OnOutputMessage;
        errors_.base.emit_message = OnEmitMessage;
        progress_.progress_monitor = OnProgress;
    }
    ~JpegReader()
    {
        if (created_)
            jpeg_destroy_decompress(&info_);
    }
    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;

    Image Read()
    {
        if (data_.size() < 3)
            throw EInvalidGraphic("JPEG error #" + std::to_string(JERR_INPUT_EMPTY));
        if (!Decode())
            throw EInvalidGraphic(ErrorText(reinterpret_cast<j_common_ptr>(&info_)));
        return std::move(image_);
    }

private:
    static void OnProgress(j_common_ptr info)
    {
        auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
        if (decompress->is_decompressor && decompress->input_scan_number > kMaxScans)
            ERREXIT(info, JERR_NOTIMPL);
    }

    bool Decode()
    {
        if (setjmp(errors_.jump))
            return false;
        jpeg_create_decompress(&info_);
        created_ = true;
        info_.progress = &progress_;
        jpeg_mem_src(&info_, reinterpret_cast<const unsigned char*>(data_.data()), data_.size());
        jpeg_read_header(&info_, TRUE);
        CheckImageSize(info_.image_width, info_.image_height);
        ChooseOutput();
        jpeg_start_decompress(&info_);
        image_ = Image(static_cast<int>(info_.output_width), static_cast<int>(info_.output_height));
        image_.SetResolution(PixelsPerMetre(info_.X_density, info_.density_unit),
                             PixelsPerMetre(info_.Y_density, info_.density_unit));
        row_.resize(static_cast<size_t>(info_.output_width) * static_cast<size_t>(info_.output_components));
        while (info_.output_scanline < info_.output_height) {
            const int y = static_cast<int>(info_.output_scanline);
            JSAMPROW rows[1] = {row_.data()};
            if (jpeg_read_scanlines(&info_, rows, 1) != 1)
                ERREXIT(&info_, JERR_INPUT_EOF);
            StoreRow(y);
        }
        jpeg_finish_decompress(&info_);
        return true;
    }

    void ChooseOutput()
    {
        switch (info_.jpeg_color_space) {
        case JCS_GRAYSCALE:
            info_.out_color_space = JCS_GRAYSCALE;
            break;
        case JCS_CMYK:
        case JCS_YCCK:
            info_.out_color_space = JCS_CMYK;
            break;
        default:
            info_.out_color_space = JCS_RGB;
            break;
        }
    }

    void StoreRow(int y)
    {
        std::uint32_t* out = image_.Row(y);
        const unsigned char* in = row_.data();
        const unsigned width = info_.output_width;
        switch (info_.out_color_space) {
        case JCS_GRAYSCALE:
            for (unsigned x = 0; x < width; ++x)
                out[x] = 0xff000000u | in[x] * 0x010101u;
            break;
        case JCS_CMYK:
            // Files with the Adobe marker (nearly all CMYK files) store the inks inverted.
            for (unsigned x = 0; x < width; ++x, in += 4) {
                const bool inverted = info_.saw_Adobe_marker;
                const unsigned c = inverted ? in[0] : 255u - in[0];
                const unsigned m = inverted ? in[1] : 255u - in[1];
                const unsigned yellow = inverted ? in[2] : 255u - in[2];
                const unsigned k = inverted ? in[3] : 255u - in[3];
                out[x] = 0xff000000u | (c * k + 127) / 255 << 16 | (m * k + 127) / 255 << 8 | (yellow * k + 127) / 255;
            }
            break;
        default:
            for (unsigned x = 0; x < width; ++x, in += 3)
                out[x] = 0xff000000u | std::uint32_t{in[0]} << 16 | std::uint32_t{in[1]} << 8 | in[2];
            break;
        }
    }

    std::string_view data_;
    jpeg_decompress_struct info_{};
    ErrorManager errors_{};
    jpeg_progress_mgr progress_{};
    bool created_ = false;
    Image image_;
    std::vector<unsigned char> row_;
};

class JpegWriter {
public:
    JpegWriter(const Image& image, int quality) : image_(image), quality_(quality)
    {
        info_.err = jpeg_std_error(&errors_.base);
        errors_.base.error_exit = OnErrorExit;
        errors_.base.output_message = OnOutputMessage;
    }
    ~JpegWriter()
    {
        if (created_)
            jpeg_destroy_compress(&info_);
        std::free(buffer_);
    }
    JpegWriter(const JpegWriter&) = delete;
    JpegWriter& operator=(const JpegWriter&) = delete;

    std::string Write()
    {
        if (quality_ < 1 || quality_ > 100)
            throw EInvalidGraphic("JPEG quality must be from 1 to 100, not " + std::to_string(quality_));
        if (image_.Empty())
            throw EInvalidGraphic("JPEG write error: the image is empty");
        row_.resize(static_cast<size_t>(image_.Width()) * 3);
        if (!Encode())
            throw EInvalidGraphic(ErrorText(reinterpret_cast<j_common_ptr>(&info_)));
        return std::string(reinterpret_cast<const char*>(buffer_), size_);
    }

private:
    bool Encode()
    {
        if (setjmp(errors_.jump))
            return false;
        jpeg_create_compress(&info_);
        created_ = true;
        jpeg_mem_dest(&info_, &buffer_, &size_);
        info_.image_width = static_cast<JDIMENSION>(image_.Width());
        info_.image_height = static_cast<JDIMENSION>(image_.Height());
        info_.input_components = 3;
        info_.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info_);
        jpeg_set_quality(&info_, quality_, TRUE);
        if (image_.XPixelsPerMetre() > 0 && image_.YPixelsPerMetre() > 0) {
            info_.density_unit = 1;
            info_.X_density = static_cast<UINT16>(image_.XPixelsPerMetre() * 0.0254 + 0.5);
            info_.Y_density = static_cast<UINT16>(image_.YPixelsPerMetre() * 0.0254 + 0.5);
        }
        jpeg_start_compress(&info_, TRUE);
        while (info_.next_scanline < info_.image_height) {
            LoadRow(static_cast<int>(info_.next_scanline));
            JSAMPROW rows[1] = {row_.data()};
            jpeg_write_scanlines(&info_, rows, 1);
        }
        jpeg_finish_compress(&info_);
        return true;
    }

    void LoadRow(int y)
    {
        const std::uint32_t* in = image_.Row(y);
        unsigned char* out = row_.data();
        for (int x = 0; x < image_.Width(); ++x, out += 3) {
            out[0] = static_cast<unsigned char>(in[x] >> 16);
            out[1] = static_cast<unsigned char>(in[x] >> 8);
            out[2] = static_cast<unsigned char>(in[x]);
        }
    }

    const Image& image_;
    int quality_;
    jpeg_compress_struct info_{};
    ErrorManager errors_{};
    bool created_ = false;
    unsigned char* buffer_ = nullptr;
    unsigned long size_ = 0;
    std::vector<unsigned char> row_;
};

}  // namespace

Image ReadJpeg(std::string_view data)
{
    return JpegReader(data).Read();
}

std::string WriteJpeg(const Image& image, int quality)
{
    return JpegWriter(image, quality).Write();
}

}  // namespace win
