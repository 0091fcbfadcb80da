// The only unit that includes libcups: the CUPS back end, the page raster streams and the reading of
// IPP printer attributes.

#include "platform/printing/detail/Cups.h"

#include "platform/printing/detail/DevMode.h"
#include "platform/printing/detail/PrintErrors.h"
#include "platform/printing/detail/SpoolFile.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/TempFiles.h"

#include <cups/cups.h>
#include <cups/raster.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <utility>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <sys/mman.h>
#include <unistd.h>

namespace win {

using namespace detail;

namespace {

// ---- Reading IPP attributes

std::vector<std::string> Keywords(ipp_attribute_t* attribute)
{
    std::vector<std::string> values;
    for (int index = 0; attribute && index < ippGetCount(attribute); ++index) {
        if (const char* value = ippGetString(attribute, index, nullptr)) {
            values.emplace_back(value);
        }
    }
    return values;
}

bool HasKeyword(ipp_attribute_t* attribute, const char* keyword)
{
    return ippContainsString(attribute, keyword) != 0;
}

std::vector<Resolution> Resolutions(ipp_attribute_t* attribute)
{
    std::vector<Resolution> values;
    for (int index = 0; attribute && index < ippGetCount(attribute); ++index) {
        if (ippGetValueTag(attribute) != IPP_TAG_RESOLUTION) {
            break;
        }
        ipp_res_t units = IPP_RES_PER_INCH;
        int y = 0;
        const int x = ippGetResolution(attribute, index, &y, &units);
        // The units come from the wire unchecked: read as a number, not as the enumeration.
        int unitsValue = 0;
        static_assert(sizeof(unitsValue) == sizeof(units));
        std::memcpy(&unitsValue, &units, sizeof(units));
        if (unitsValue == IPP_RES_PER_CM) {
            values.push_back(Resolution{int((x * 254LL + 50) / 100), int((y * 254LL + 50) / 100)});
        } else {
            values.push_back(Resolution{x, y});
        }
    }
    return values;
}

// The largest value an integer or range attribute allows.
int UpperBound(ipp_attribute_t* attribute, int fallback)
{
    if (!attribute || ippGetCount(attribute) < 1) {
        return fallback;
    }
    if (ippGetValueTag(attribute) == IPP_TAG_RANGE) {
        int upper = 0;
        ippGetRange(attribute, 0, &upper);
        return upper;
    }
    return ippGetValueTag(attribute) == IPP_TAG_INTEGER ? ippGetInteger(attribute, 0) : fallback;
}

std::string Ansi(const char* utf8)
{
    return utf8 ? rtl::Utf8ToAnsi(utf8) : std::string();
}

// A size the printer reports for a standard medium, a little off its nominal one (a PPD's sizes are
// whole points), is taken at the nominal size, so A4 is 210 x 297 mm on every printer.
void NominalSize(const std::string& keyword, int& width, int& length)
{
    const pwg_media_t* media = pwgMediaForPWG(keyword.c_str());
    if (media && std::abs(std::int64_t{media->width} - width) <= 100 && std::abs(std::int64_t{media->length} - length) <= 100) {
        width = media->width;
        length = media->length;
    }
}

// What every printer's -supported attributes say beyond its papers. supported(name) finds the attribute
// name-supported.
template <class Supported>
void ReadSupported(PrinterCapabilities& capabilities, Supported supported)
{
    for (const std::string& keyword : Keywords(supported("media-source"))) {
        capabilities.sources.push_back(PaperSource{keyword, keyword});
    }
    capabilities.resolutions = Resolutions(supported("printer-resolution"));
    ipp_attribute_t* sides = supported("sides");
    capabilities.duplex = HasKeyword(sides, "two-sided-long-edge") || HasKeyword(sides, "two-sided-short-edge");
    capabilities.color = HasKeyword(supported("print-color-mode"), "color");
    capabilities.maxCopies = UpperBound(supported("copies"), 1);
    capabilities.collate = HasKeyword(supported("multiple-document-handling"), "separate-documents-collated-copies");
    capabilities.formats = Keywords(supported("document-format"));
    if (std::find(capabilities.formats.begin(), capabilities.formats.end(), "image/pwg-raster") !=
        capabilities.formats.end()) {
        capabilities.pageResolutions = Resolutions(supported("pwg-raster-document-resolution"));
    }
    for (const std::string& keyword : Keywords(supported("media"))) {
        const pwg_media_t* media = pwgMediaForPWG(keyword.c_str());
        if (!media) {
            continue;
        }
        if (keyword.rfind("custom_min_", 0) == 0) {
            capabilities.custom.minWidth = media->width;
            capabilities.custom.minLength = media->length;
        } else if (keyword.rfind("custom_max_", 0) == 0) {
            capabilities.custom.maxWidth = media->width;
            capabilities.custom.maxLength = media->length;
        }
    }
}

int MemberInteger(ipp_t* collection, const char* name)
{
    ipp_attribute_t* member = ippFindAttribute(collection, name, IPP_TAG_INTEGER);
    return member ? ippGetInteger(member, 0) : 0;
}

// The papers of a media-col-database attribute, or of media-supported's standard names when it has none.
std::vector<Paper> PapersOfAttributes(ipp_t* attributes)
{
    std::vector<Paper> papers;
    ipp_attribute_t* database = ippFindAttribute(attributes, "media-col-database", IPP_TAG_BEGIN_COLLECTION);
    for (int index = 0; database && index < ippGetCount(database); ++index) {
        ipp_t* column = ippGetCollection(database, index);
        ipp_attribute_t* sizeAttribute = ippFindAttribute(column, "media-size", IPP_TAG_BEGIN_COLLECTION);
        ipp_t* size = sizeAttribute ? ippGetCollection(sizeAttribute, 0) : nullptr;
        if (!size) {
            continue;
        }
        Paper paper;
        paper.width = MemberInteger(size, "x-dimension");
        paper.length = MemberInteger(size, "y-dimension");
        paper.margins = RECT{MemberInteger(column, "media-left-margin"), MemberInteger(column, "media-top-margin"),
                             MemberInteger(column, "media-right-margin"), MemberInteger(column, "media-bottom-margin")};
        ipp_attribute_t* name = ippFindAttribute(column, "media-size-name", IPP_TAG_ZERO);
        const pwg_media_t* media = pwgMediaForSize(paper.width, paper.length);
        paper.keyword = name && ippGetString(name, 0, nullptr) ? ippGetString(name, 0, nullptr)
                        : media                                ? media->pwg
                                                               : CustomMediaKeyword(paper.width, paper.length);
        NominalSize(paper.keyword, paper.width, paper.length);
        paper.name = paper.keyword;
        papers.push_back(std::move(paper));
    }
    if (!papers.empty()) {
        return papers;
    }
    for (const std::string& keyword : Keywords(ippFindAttribute(attributes, "media-supported", IPP_TAG_ZERO))) {
        const pwg_media_t* media = pwgMediaForPWG(keyword.c_str());
        if (media && keyword.rfind("custom_", 0) != 0) {
            papers.push_back(Paper{keyword, keyword, media->width, media->length, RECT{}});
        }
    }
    return papers;
}

// ---- The connection to the scheduler

// A connection for one errand; the scheduler asking for a password fails it (no prompt).
class Connection {
public:
    Connection()
    {
        cupsSetPasswordCB2([](const char*, http_t*, const char*, const char*, void*) -> const char* { return nullptr; },
                           nullptr);
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000, nullptr);
        if (!http_) {
            throw EPrintError(std::string("The printing system at ") + cupsServer() + " cannot be reached", ERROR_NOT_READY);
        }
    }
    ~Connection() { httpClose(http_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    http_t* Http() const { return http_; }

    // The body of a GET of resource from the scheduler; empty when it has none.
    std::string Get(const std::string& resource) const
    {
        const int fd = memfd_create("rivuve-cups", MFD_CLOEXEC);
        if (fd < 0) {
            return {};
        }
        std::string body;
        if (cupsGetFd(http_, resource.c_str(), fd) == HTTP_STATUS_OK && lseek(fd, 0, SEEK_SET) == 0) {
            rtl::ReadToEnd(fd, body, std::int64_t{16} << 20);
        }
        close(fd);
        return body;
    }

private:
    http_t* http_ = nullptr;
};

// The scheduler's last failure as a printing error.
EPrintError LastError(const std::string& what)
{
    const ipp_status_t status = cupsLastError();
    const DWORD code = status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE ? ERROR_NOT_READY
                       : status == IPP_STATUS_ERROR_NOT_FOUND        ? ERROR_INVALID_PRINTER_NAME
                                                                     : ERROR_ACCESS_DENIED;
    const char* text = cupsLastErrorString();
    return EPrintError(what + (text && *text ? std::string(": ") + Ansi(text) : std::string()), code);
}

// A destination of the scheduler by our name for it ("queue" or "queue/instance").
class Destination {
public:
    Destination(const Connection& connection, const std::string& printer)
    {
        const std::string name = rtl::AnsiToUtf8(printer);
        const std::size_t slash = name.find('/');
        const std::string queue = name.substr(0, slash);
        const std::string instance = slash == std::string::npos ? std::string() : name.substr(slash + 1);
        dest_ = cupsGetNamedDest(connection.Http(), queue.c_str(), instance.empty() ? nullptr : instance.c_str());
        if (!dest_) {
            const ipp_status_t status = cupsLastError();
            if (status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) {
                throw LastError("The printing system cannot be reached");
            }
            throw EPrintError("There is no printer named \"" + printer + "\"", ERROR_INVALID_PRINTER_NAME);
        }
        info_ = cupsCopyDestInfo(connection.Http(), dest_);
        if (!info_) {
            cupsFreeDests(1, dest_);
            throw LastError("The printer \"" + printer + "\" does not answer");
        }
    }
    ~Destination()
    {
        cupsFreeDestInfo(info_);
        cupsFreeDests(1, dest_);
    }
    Destination(const Destination&) = delete;
    Destination& operator=(const Destination&) = delete;

    cups_dest_t* Dest() const { return dest_; }
    cups_dinfo_t* Info() const { return info_; }

private:
    cups_dest_t* dest_ = nullptr;
    cups_dinfo_t* info_ = nullptr;
};

// ---- The queue's own names for its papers and sources

// "key" = "value"; lines of a strings file.
std::map<std::string, std::string> ReadStrings(const std::string& text)
{
    std::map<std::string, std::string> strings;
    const auto quoted = [&](std::size_t& at, std::string& out) {
        at = text.find('"', at);
        if (at == std::string::npos) {
            return false;
        }
        for (++at; at < text.size() && text[at] != '"'; ++at) {
            if (text[at] == '\\' && at + 1 < text.size()) {
                ++at;
                out += text[at] == 'n' ? '\n' : text[at];
            } else {
                out += text[at];
            }
        }
        return at++ < text.size();
    };
    for (std::size_t at = 0; at < text.size();) {
        std::string key;
        std::string value;
        if (!quoted(at, key)) {
            break;
        }
        const std::size_t equals = text.find_first_not_of(" \t", at);
        if (equals == std::string::npos || text[equals] != '=') {
            at = text.find('\n', at);
            continue;
        }
        at = equals + 1;
        if (!quoted(at, value)) {
            break;
        }
        strings.emplace(std::move(key), std::move(value));
    }
    return strings;
}

// The texts of a PPD's *PageSize choices by their PWG names ("*PageSize A4/A4: ...").
std::map<std::string, std::string> PageSizeTexts(const std::string& ppd)
{
    std::map<std::string, std::string> texts;
    for (std::size_t at = 0; (at = ppd.find("*PageSize ", at)) != std::string::npos; ++at) {
        if (at > 0 && ppd[at - 1] != '\n') {
            continue;
        }
        const std::size_t end = ppd.find_first_of(":\n", at);
        if (end == std::string::npos || ppd[end] != ':') {
            continue;
        }
        const std::string choice = ppd.substr(at + 10, end - at - 10);
        const std::size_t slash = choice.find('/');
        const std::string keyword = choice.substr(0, slash);
        const pwg_media_t* media = pwgMediaForPPD(keyword.c_str());
        if (media && slash != std::string::npos) {
            texts.emplace(media->pwg, choice.substr(slash + 1));
        }
    }
    return texts;
}

struct Localizer {
    std::map<std::string, std::string> strings;
    std::map<std::string, std::string> pageSizes;

    Localizer(const Connection& connection, const Destination& destination)
    {
        const std::string queue = destination.Dest()->name;
        strings = ReadStrings(connection.Get("/strings/" + queue + ".strings"));
        pageSizes = PageSizeTexts(connection.Get("/printers/" + queue + ".ppd"));
    }

    std::string Paper(const Connection& connection, const Destination& destination, cups_size_t& size) const
    {
        if (const auto found = strings.find("media." + std::string(size.media)); found != strings.end()) {
            return Ansi(found->second.c_str());
        }
        if (const auto found = pageSizes.find(size.media); found != pageSizes.end()) {
            return Ansi(found->second.c_str());
        }
        return Ansi(cupsLocalizeDestMedia(connection.Http(), destination.Dest(), destination.Info(),
                                          CUPS_MEDIA_FLAGS_DEFAULT, &size));
    }

    std::string Source(const Connection& connection, const Destination& destination, const std::string& keyword) const
    {
        if (const auto found = strings.find("media-source." + keyword); found != strings.end()) {
            return Ansi(found->second.c_str());
        }
        return Ansi(cupsLocalizeDestValue(connection.Http(), destination.Dest(), destination.Info(), "media-source",
                                          keyword.c_str()));
    }
};

std::string ResolutionKeyword(Resolution resolution)
{
    return resolution.x == resolution.y ? std::to_string(resolution.x) + "dpi"
                                        : std::to_string(resolution.x) + "x" + std::to_string(resolution.y) + "dpi";
}

const char* SidesKeyword(SHORT duplex)
{
    return duplex == DMDUP_VERTICAL ? "two-sided-long-edge" : duplex == DMDUP_HORIZONTAL ? "two-sided-short-edge" : "one-sided";
}

// ---- Raster streams

// What a job asks of its printer, from its ticket and its first page.
struct JobAttributes {
    std::string name;
    int copies = 1;
    bool collate = false;
    std::optional<PageSetup> firstPage;
};

// Pages as a raster stream into a spool file. Copies the queue cannot make are repeated pages: collated,
// the whole document again at the end; otherwise each page again after itself.
class RasterJob final : public PrintJob {
public:
    using Deliver = std::function<void(SpoolFile& spool, const JobAttributes& attributes)>;

    RasterJob(std::unique_ptr<SpoolFile> spool, cups_mode_t mode, std::string sheetBack, JobAttributes attributes,
              bool repeatCopies, Deliver deliver)
        : spool_(std::move(spool)), sheetBack_(std::move(sheetBack)), attributes_(std::move(attributes)),
          repeatCopies_(repeatCopies && attributes_.copies > 1), deliver_(std::move(deliver))
    {
        raster_ = cupsRasterOpenIO(&RasterJob::Write, this, mode);
        if (!raster_) {
            throw EPrintError("The page stream cannot be made", ERROR_NOT_ENOUGH_MEMORY);
        }
    }

    ~RasterJob() override { Abort(); }

    RowOrder StartPage(const PageSetup& page) override
    {
        if (!attributes_.firstPage) {
            attributes_.firstPage = page;
            documentStart_ = spool_->Size();
        }
        pageStart_ = spool_->Size();
        ++pages_;
        const bool landscape = page.orientation == DMORIENT_LANDSCAPE;
        const pwg_media_t* media = pwgMediaForPWG(page.paper.keyword.c_str());
        if (!media) {
            media = pwgMediaForSize(page.paper.width, page.paper.length);
        }
        const bool back = page.duplex != DMDUP_SIMPLEX && pages_ % 2 == 0;
        cups_page_header2_t header;
        if (!media || !cupsRasterInitPWGHeader(&header, const_cast<pwg_media_t*>(media), page.color ? "srgb_8" : "sgray_8",
                                               page.resolution.x, page.resolution.y, SidesKeyword(page.duplex),
                                               back ? sheetBack_.c_str() : nullptr)) {
            throw EPrintError("The page cannot be described: " + Ansi(cupsRasterErrorString()), ERROR_INVALID_PARAMETER);
        }
        // The sheet as drawn: the pixels of the page, upright.
        header.cupsWidth = unsigned(landscape ? page.height : page.width);
        header.cupsHeight = unsigned(landscape ? page.width : page.height);
        header.cupsBytesPerLine = header.cupsWidth * (page.color ? 3 : 1);
        bytesPerLine_ = header.cupsBytesPerLine;
        Check(cupsRasterWriteHeader2(raster_, &header) != 0);
        RowOrder order;
        order.turned = landscape;
        order.mirrored = header.cupsInteger[CUPS_RASTER_PWG_CrossFeedTransform] == unsigned(-1);
        order.bottomUp = header.cupsInteger[CUPS_RASTER_PWG_FeedTransform] == unsigned(-1);
        return order;
    }

    void WriteRows(const std::uint8_t* rows, int count) override
    {
        const std::size_t bytes = std::size_t(count) * bytesPerLine_;
        Check(cupsRasterWritePixels(raster_, const_cast<unsigned char*>(rows), unsigned(bytes)) == bytes);
    }

    void EndPage() override
    {
        if (repeatCopies_ && !attributes_.collate) {
            const std::uint64_t end = spool_->Size();
            for (int copy = 1; copy < attributes_.copies; ++copy) {
                spool_->Repeat(pageStart_, end - pageStart_);
            }
        }
    }

    void Finish() override
    {
        CloseRaster();
        if (repeatCopies_ && attributes_.collate) {
            const std::uint64_t end = spool_->Size();
            for (int copy = 1; copy < attributes_.copies; ++copy) {
                spool_->Repeat(documentStart_, end - documentStart_);
            }
        }
        JobAttributes sent = attributes_;
        if (repeatCopies_) {
            sent.copies = 1;
        }
        deliver_(*spool_, sent);
        spool_.reset();
    }

    void Abort() noexcept override
    {
        CloseRaster();
        spool_.reset();
    }

private:
    static ssize_t Write(void* context, unsigned char* bytes, size_t count)
    {
        auto& job = *static_cast<RasterJob*>(context);
        try {
            job.spool_->Write(bytes, count);
            return ssize_t(count);
        } catch (...) {
            job.failure_ = std::current_exception();
            return -1;
        }
    }

    // Raises what went wrong writing, or a failure of the stream itself.
    void Check(bool done)
    {
        if (failure_) {
            std::rethrow_exception(std::exchange(failure_, nullptr));
        }
        if (!done) {
            throw EPrintError("The page cannot be written: " + Ansi(cupsRasterErrorString()), ERROR_NOT_ENOUGH_MEMORY);
        }
    }

    void CloseRaster() noexcept
    {
        if (raster_) {
            cupsRasterClose(raster_);
            raster_ = nullptr;
        }
    }

    std::unique_ptr<SpoolFile> spool_;
    std::string sheetBack_;
    JobAttributes attributes_;
    bool repeatCopies_;
    Deliver deliver_;
    cups_raster_t* raster_ = nullptr;
    std::exception_ptr failure_;
    std::uint64_t documentStart_ = 0;
    std::uint64_t pageStart_ = 0;
    int pages_ = 0;
    unsigned bytesPerLine_ = 0;
};

// Raw bytes into a spool file, delivered whole.
class RawSpoolJob final : public RawJob {
public:
    RawSpoolJob(std::unique_ptr<SpoolFile> spool, std::function<void(SpoolFile&)> deliver)
        : spool_(std::move(spool)), deliver_(std::move(deliver))
    {
    }
    void Write(const void* bytes, std::size_t count) override { spool_->Write(bytes, count); }
    void Finish() override
    {
        deliver_(*spool_);
        spool_.reset();
    }
    void Abort() noexcept override { spool_.reset(); }

private:
    std::unique_ptr<SpoolFile> spool_;
    std::function<void(SpoolFile&)> deliver_;
};

// ---- The back end

class CupsBackend final : public PrintBackend {
public:
    CupsBackend()
    {
        // The environment is read again: a test may have pointed CUPS_SERVER elsewhere.
        cupsSetServer(nullptr);
    }

    std::vector<PrinterEntry> Printers() override
    {
        std::lock_guard guard(lock_);
        std::vector<PrinterEntry> printers;
        try {
            Connection connection;
            cups_dest_t* dests = nullptr;
            const int count = cupsGetDests2(connection.Http(), &dests);
            if (count == 0 && cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) {
                throw LastError(std::string("The printing system at ") + cupsServer() + " cannot be reached");
            }
            for (int index = 0; index < count; ++index) {
                printers.push_back(EntryOf(dests[index]));
            }
            cupsFreeDests(count, dests);
        } catch (const EPrintError& error) {
            if (!toldUnreachable_) {
                std::fprintf(stderr, "%s; there are no printers\n", rtl::AnsiToUtf8(error.what()).c_str());
                toldUnreachable_ = true;
            }
        }
        return printers;
    }

    PrinterCapabilities Capabilities(const std::string& printer) override
    {
        std::lock_guard guard(lock_);
        Connection connection;
        Destination destination(connection, printer);
        http_t* http = connection.Http();
        cups_dest_t* dest = destination.Dest();
        cups_dinfo_t* info = destination.Info();
        const auto supported = [&](const char* name) { return cupsFindDestSupported(http, dest, info, name); };
        PrinterCapabilities capabilities;
        ReadSupported(capabilities, supported);
        const Localizer names(connection, destination);
        const std::vector<std::string> order = Keywords(supported("media"));
        const auto rank = [&](const Paper& paper) {
            return std::find(order.begin(), order.end(), paper.keyword) - order.begin();
        };
        const int count = cupsGetDestMediaCount(http, dest, info, CUPS_MEDIA_FLAGS_DEFAULT);
        for (int index = 0; index < count; ++index) {
            cups_size_t size;
            if (!cupsGetDestMediaByIndex(http, dest, info, index, CUPS_MEDIA_FLAGS_DEFAULT, &size)) {
                continue;
            }
            Paper paper{size.media, names.Paper(connection, destination, size), size.width, size.length,
                        RECT{size.left, size.top, size.right, size.bottom}};
            NominalSize(paper.keyword, paper.width, paper.length);
            capabilities.papers.push_back(std::move(paper));
        }
        std::stable_sort(capabilities.papers.begin(), capabilities.papers.end(),
                         [&](const Paper& a, const Paper& b) { return rank(a) < rank(b); });
        for (PaperSource& source : capabilities.sources) {
            source.name = names.Source(connection, destination, source.keyword);
        }

        PrinterDefaults defaults;
        const auto fallback = [&](const char* name) {
            ipp_attribute_t* value = cupsFindDestDefault(http, dest, info, name);
            return value && ippGetString(value, 0, nullptr) ? std::string(ippGetString(value, 0, nullptr)) : std::string();
        };
        defaults.paper = fallback("media");
        defaults.source = fallback("media-source");
        const std::vector<Resolution> resolution = Resolutions(cupsFindDestDefault(http, dest, info, "printer-resolution"));
        defaults.resolution = resolution.empty() ? Resolution{} : resolution.front();
        const std::string sides = fallback("sides");
        defaults.duplex = sides == "two-sided-long-edge"    ? DMDUP_VERTICAL
                          : sides == "two-sided-short-edge" ? DMDUP_HORIZONTAL
                                                            : DMDUP_SIMPLEX;
        defaults.color = fallback("print-color-mode") != "monochrome" && capabilities.color;
        ipp_attribute_t* copies = cupsFindDestDefault(http, dest, info, "copies");
        defaults.copies = copies && ippGetValueTag(copies) == IPP_TAG_INTEGER ? ippGetInteger(copies, 0) : 1;
        defaults.collate = fallback("multiple-document-handling") != "separate-documents-uncollated-copies";
        defaults_[printer] = defaults;
        return capabilities;
    }

    PrinterDefaults Defaults(const std::string& printer) override
    {
        {
            std::lock_guard guard(lock_);
            if (const auto found = defaults_.find(printer); found != defaults_.end()) {
                return found->second;
            }
        }
        Capabilities(printer);
        std::lock_guard guard(lock_);
        return defaults_[printer];
    }

    std::unique_ptr<PrintJob> OpenJob(const JobTicket& ticket) override
    {
        std::string format;
        std::string sheetBack;
        int maxCopies = 1;
        {
            std::lock_guard guard(lock_);
            Connection connection;
            Destination destination(connection, ticket.printer);
            const auto supported = [&](const char* name) {
                return cupsFindDestSupported(connection.Http(), destination.Dest(), destination.Info(), name);
            };
            ipp_attribute_t* formats = supported("document-format");
            format = HasKeyword(formats, "image/pwg-raster")                ? "image/pwg-raster"
                     : HasKeyword(formats, "application/vnd.cups-raster") ? "application/vnd.cups-raster"
                                                                           : "";
            if (format.empty()) {
                throw EPrintError("The printer \"" + ticket.printer +
                                  "\" takes neither image/pwg-raster nor application/vnd.cups-raster");
            }
            maxCopies = UpperBound(supported("copies"), 1);
            sheetBack = SheetBack(connection, destination);
        }
        auto spool = std::make_unique<SpoolFile>(rtl::OsFileName(rtl::PrivateTempFolder()), 0600);
        JobAttributes attributes{ticket.document, ticket.copies, ticket.collate, std::nullopt};
        const std::string printer = ticket.printer;
        return std::make_unique<RasterJob>(
            std::move(spool), format == "image/pwg-raster" ? CUPS_RASTER_WRITE_PWG : CUPS_RASTER_WRITE_COMPRESSED,
            sheetBack, std::move(attributes), maxCopies < 2,
            [this, printer, format](SpoolFile& file, const JobAttributes& sent) { Submit(printer, format, sent, file); });
    }

    std::unique_ptr<RawJob> OpenRawJob(const JobTicket& ticket) override
    {
        {
            std::lock_guard guard(lock_);
            Connection connection;
            Destination destination(connection, ticket.printer);
        }
        auto spool = std::make_unique<SpoolFile>(rtl::OsFileName(rtl::PrivateTempFolder()), 0600);
        JobAttributes attributes{ticket.document, 1, false, std::nullopt};
        const std::string printer = ticket.printer;
        return std::make_unique<RawSpoolJob>(std::move(spool), [this, printer, attributes](SpoolFile& file) {
            Submit(printer, "application/vnd.cups-raw", attributes, file);
        });
    }

private:
    static PrinterEntry EntryOf(const cups_dest_t& dest)
    {
        const auto option = [&](const char* name) { return Ansi(cupsGetOption(name, dest.num_options, dest.options)); };
        PrinterEntry entry;
        entry.name = Ansi(dest.name) + (dest.instance ? "/" + Ansi(dest.instance) : std::string());
        entry.location = option("printer-location");
        entry.makeAndModel = option("printer-make-and-model");
        entry.info = option("printer-info");
        const std::string state = option("printer-state");
        entry.state = state == "4" ? "printing" : state == "5" ? "stopped" : "idle";
        entry.isDefault = dest.is_default != 0;
        return entry;
    }

    // How the printer wants the back of a sheet (pwg-raster-document-sheet-back), "normal" when it does
    // not say.
    static std::string SheetBack(const Connection& connection, const Destination& destination)
    {
        ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        const char* uri = cupsGetOption("printer-uri-supported", destination.Dest()->num_options, destination.Dest()->options);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri ? uri : "");
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                     "pwg-raster-document-sheet-back");
        ipp_t* response = cupsDoRequest(connection.Http(), request, "/");
        ipp_attribute_t* value = ippFindAttribute(response, "pwg-raster-document-sheet-back", IPP_TAG_KEYWORD);
        std::string sheetBack = value && ippGetString(value, 0, nullptr) ? ippGetString(value, 0, nullptr) : "normal";
        ippDelete(response);
        return sheetBack;
    }

    // Sends a spooled document as one job; a job the scheduler refuses halfway is cancelled, so nothing
    // stays there.
    void Submit(const std::string& printer, const std::string& format, const JobAttributes& attributes, SpoolFile& file)
    {
        std::lock_guard guard(lock_);
        Connection connection;
        Destination destination(connection, printer);
        http_t* http = connection.Http();
        cups_option_t* options = nullptr;
        int count = 0;
        const std::string copies = std::to_string(attributes.copies);
        count = cupsAddOption("copies", copies.c_str(), count, &options);
        count = cupsAddOption("multiple-document-handling",
                              attributes.collate ? "separate-documents-collated-copies" : "separate-documents-uncollated-copies",
                              count, &options);
        if (const std::optional<PageSetup>& page = attributes.firstPage) {
            count = cupsAddOption("sides", SidesKeyword(page->duplex), count, &options);
            count = cupsAddOption("media", page->paper.keyword.c_str(), count, &options);
            if (!page->source.keyword.empty()) {
                count = cupsAddOption("media-source", page->source.keyword.c_str(), count, &options);
            }
            count = cupsAddOption("print-color-mode", page->color ? "color" : "monochrome", count, &options);
            count = cupsAddOption("printer-resolution", ResolutionKeyword(page->resolution).c_str(), count, &options);
        }
        const std::string title = rtl::AnsiToUtf8(attributes.name);
        int job = 0;
        const auto fail = [&](const std::string& what) {
            const EPrintError error = LastError(what);
            if (job > 0) {
                cupsCancelDestJob(http, destination.Dest(), job);
            }
            cupsFreeOptions(count, options);
            throw error;
        };
        if (cupsCreateDestJob(http, destination.Dest(), destination.Info(), &job, title.c_str(), count, options) >
            IPP_STATUS_OK_EVENTS_COMPLETE) {
            job = 0;
            fail("The printer \"" + printer + "\" refuses the job");
        }
        if (cupsStartDestDocument(http, destination.Dest(), destination.Info(), job, title.c_str(), format.c_str(), 0,
                                  nullptr, 1) != HTTP_STATUS_CONTINUE) {
            fail("The printer \"" + printer + "\" refuses the document");
        }
        bool sent = true;
        file.ReadAll([&](const char* bytes, std::size_t size) {
            sent = sent && cupsWriteRequestData(http, bytes, size) == HTTP_STATUS_CONTINUE;
        });
        if (cupsFinishDestDocument(http, destination.Dest(), destination.Info()) > IPP_STATUS_OK_EVENTS_COMPLETE || !sent) {
            fail("The printer \"" + printer + "\" refuses the document");
        }
        cupsFreeOptions(count, options);
    }

    std::mutex lock_;
    std::map<std::string, PrinterDefaults> defaults_;
    bool toldUnreachable_ = false;
};

ssize_t ReadBytes(void* context, ipp_uchar_t* buffer, size_t count)
{
    auto& rest = *static_cast<std::string_view*>(context);
    const std::size_t taken = std::min(count, rest.size());
    std::memcpy(buffer, rest.data(), taken);
    rest.remove_prefix(taken);
    return ssize_t(taken);
}

}  // namespace

std::unique_ptr<PrintBackend> detail::MakeCupsBackend()
{
    return std::make_unique<CupsBackend>();
}

std::unique_ptr<PrintJob> detail::OpenPrintToFile(const std::string& fileName, const JobTicket& ticket)
{
    return OpenRasterFile(rtl::OsFileName(fileName), ticket, "normal");
}

std::unique_ptr<PrintJob> detail::OpenRasterFile(const std::string& path, const JobTicket& ticket, const std::string& sheetBack)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    auto spool = std::make_unique<SpoolFile>(folder, 0666);
    JobAttributes attributes{ticket.document, ticket.copies, ticket.collate, std::nullopt};
    return std::make_unique<RasterJob>(std::move(spool), CUPS_RASTER_WRITE_PWG, sheetBack, std::move(attributes), true,
                                       [path](SpoolFile& file, const JobAttributes&) { file.Commit(path); });
}

PrinterCapabilities detail::CapabilitiesFromIpp(std::string_view response)
{
    ipp_t* attributes = ippNew();
    std::string_view rest = response;
    if (ippReadIO(&rest, ReadBytes, 1, nullptr, attributes) != IPP_STATE_DATA) {
        ippDelete(attributes);
        throw EPrintError("The printer's answer is no IPP message", ERROR_INVALID_DATA);
    }
    PrinterCapabilities capabilities;
    capabilities.papers = PapersOfAttributes(attributes);
    ReadSupported(capabilities, [&](const char* name) {
        return ippFindAttribute(attributes, (std::string(name) + "-supported").c_str(), IPP_TAG_ZERO);
    });
    ippDelete(attributes);
    return capabilities;
}

}  // namespace win
