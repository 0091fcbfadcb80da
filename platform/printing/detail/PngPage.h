#pragma once
// A page image written as a PNG file row band by row band, as it is printed: 8-bit RGB or grey, its
// resolution in the pHYs chunk, deflated at level 1 (pages are large and mostly white; speed counts
// more than the last bytes).

#include "platform/printing/PrintBackend.h"
#include "platform/printing/detail/SpoolFile.h"

#include <cstdint>
#include <memory>
#include <string>

namespace win::detail {

class PngPage {
public:
    // A file in folder for a page of width x height pixels; EPrintError when it cannot be made.
    PngPage(const std::string& folder, int width, int height, bool color, Resolution dpi);
    ~PngPage();
    PngPage(const PngPage&) = delete;
    PngPage& operator=(const PngPage&) = delete;

    // count rows of width * 3 (or width) bytes.
    void WriteRows(const std::uint8_t* rows, int count);
    // Ends the image (every row written) and gives the file its name.
    void Finish(const std::string& path);

private:
    struct Writer;
    std::unique_ptr<Writer> writer_;
};

}  // namespace win::detail
