#include "platform/printing/Spooler.h"

#include "platform/gdi/detail/Handles.h"
#include "platform/printing/PrintBackend.h"
#include "platform/printing/detail/DevMode.h"
#include "platform/printing/detail/PrintErrors.h"
#include "platform/printing/detail/PrinterHandles.h"
#include "platform/rtl/Collation.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>

namespace win {

using namespace detail;

namespace {

struct OpenPrinter : HandleObject {
    std::string name;
    std::unique_ptr<RawJob> raw;
};

std::mutex& HandlesLock()
{
    static std::mutex lock;
    return lock;
}

std::atomic<DWORD> lastRawJob{0};

// Runs work on the open printer of a handle under the handles' lock; failure when there is none.
template <class Result, class Work>
Result WithOpenPrinter(HANDLE handle, Result failure, Work work)
{
    std::lock_guard guard(HandlesLock());
    auto* printer = FindHandleOf<OpenPrinter>(handle, HandleKind::Printer);
    if (!printer) {
        NoteFailure(ERROR_INVALID_HANDLE, "The printer handle is not open");
        return failure;
    }
    return work(*printer);
}

// Lays records and the texts they point to into a caller's buffer.
class RecordBuffer {
public:
    RecordBuffer(BYTE* buffer, std::size_t recordsBytes) : buffer_(buffer), next_(recordsBytes) {}

    // Where a text goes (null when only measuring): the text is copied there.
    char* Text(const std::string& text)
    {
        char* at = buffer_ ? reinterpret_cast<char*>(buffer_ + next_) : nullptr;
        if (at) {
            std::memcpy(at, text.c_str(), text.size() + 1);
        }
        next_ += text.size() + 1;
        return at;
    }
    DEVMODEA* DevMode(const FullDevMode& mode)
    {
        next_ = (next_ + alignof(FullDevMode) - 1) / alignof(FullDevMode) * alignof(FullDevMode);
        auto* at = buffer_ ? reinterpret_cast<DEVMODEA*>(buffer_ + next_) : nullptr;
        if (at) {
            std::memcpy(static_cast<void*>(at), &mode, sizeof(mode));
        }
        next_ += sizeof(mode);
        return at;
    }
    std::size_t Size() const { return next_; }

private:
    BYTE* buffer_;
    std::size_t next_;
};

DWORD AttributesOf(const PrinterEntry& entry)
{
    return PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_QUEUED | (entry.isDefault ? PRINTER_ATTRIBUTE_DEFAULT : 0);
}

// Writes the records of a level (into buffer when it is given) and answers the bytes they take.
std::size_t WriteRecords(const std::vector<PrinterEntry>& printers, DWORD level, BYTE* buffer)
{
    const std::size_t recordSize = level == 1 ? sizeof(PRINTER_INFO_1A) : level == 2 ? sizeof(PRINTER_INFO_2A)
                                                                                     : sizeof(PRINTER_INFO_4A);
    RecordBuffer out(buffer, recordSize * printers.size());
    for (std::size_t index = 0; index < printers.size(); ++index) {
        const PrinterEntry& entry = printers[index];
        BYTE* record = buffer ? buffer + index * recordSize : nullptr;
        if (level == 1) {
            PRINTER_INFO_1A info{};
            info.Flags = PRINTER_ENUM_ICON8;
            info.pDescription = out.Text(entry.name + "," + entry.makeAndModel + "," + entry.location);
            info.pName = out.Text(entry.name);
            info.pComment = out.Text(entry.info);
            if (record) {
                std::memcpy(record, &info, sizeof(info));
            }
        } else if (level == 2) {
            PRINTER_INFO_2A info{};
            info.pPrinterName = out.Text(entry.name);
            info.pShareName = out.Text("");
            info.pPortName = out.Text("Ne00:");
            info.pDriverName = out.Text(entry.makeAndModel);
            info.pComment = out.Text(entry.info);
            info.pLocation = out.Text(entry.location);
            info.pSepFile = out.Text("");
            info.pPrintProcessor = out.Text("winprint");
            info.pDatatype = out.Text("RAW");
            info.pParameters = out.Text("");
            try {
                info.pDevMode = out.DevMode(DefaultDevMode(*FindPrinterModel(entry.name)));
            } catch (const EPrintError&) {
                info.pDevMode = nullptr;  // a printer that does not answer has no defaults to show
            }
            info.Attributes = AttributesOf(entry);
            info.Priority = info.DefaultPriority = 1;
            info.Status = entry.state == "stopped" ? PRINTER_STATUS_PAUSED : entry.state == "printing" ? PRINTER_STATUS_PRINTING : 0;
            if (record) {
                std::memcpy(record, &info, sizeof(info));
            }
        } else {
            PRINTER_INFO_4A info{};
            info.pPrinterName = out.Text(entry.name);
            info.Attributes = AttributesOf(entry);
            if (record) {
                std::memcpy(record, &info, sizeof(info));
            }
        }
    }
    return out.Size();
}

std::vector<PrinterEntry> AllPrinters()
{
    PrintBackend* backend = GetPrintBackend();
    return backend ? backend->Printers() : std::vector<PrinterEntry>();
}

}  // namespace

std::optional<std::string> detail::PrinterOfHandle(HANDLE printer)
{
    return WithOpenPrinter(printer, std::optional<std::string>(), [](OpenPrinter& open) { return std::optional(open.name); });
}

BOOL EnumPrintersA(DWORD flags, const char* name, DWORD level, BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned)
{
    if (!needed || !returned) {
        NoteFailure(ERROR_INVALID_PARAMETER, "EnumPrinters needs somewhere to answer");
        return FALSE;
    }
    *needed = *returned = 0;
    if (level != 1 && level != 2 && level != 4) {
        NoteFailure(ERROR_INVALID_LEVEL, "EnumPrinters knows levels 1, 2 and 4");
        return FALSE;
    }
    std::vector<PrinterEntry> printers;
    if ((flags & (PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS)) && (!name || !*name)) {
        printers = AllPrinters();
    }
    // Measured first, then written; an answer that grew in between is asked for again.
    const std::size_t bytes = WriteRecords(printers, level, nullptr);
    *needed = static_cast<DWORD>(bytes);
    if (size < bytes || (!buffer && bytes > 0)) {
        NoteFailure(ERROR_INSUFFICIENT_BUFFER, "The buffer is too small for the printers");
        return FALSE;
    }
    WriteRecords(printers, level, buffer);
    *returned = static_cast<DWORD>(printers.size());
    return TRUE;
}

BOOL OpenPrinterA(const char* name, HANDLE* printer, const PRINTER_DEFAULTSA* defaults)
{
    if (!printer || !name) {
        NoteFailure(ERROR_INVALID_PARAMETER, "OpenPrinter needs a printer name");
        return FALSE;
    }
    *printer = nullptr;
    if (defaults && defaults->pDatatype && !rtl::SameText(defaults->pDatatype, "RAW")) {
        NoteFailure(ERROR_INVALID_DATATYPE, std::string("The data type ") + defaults->pDatatype + " is not RAW");
        return FALSE;
    }
    try {
        FindPrinterModel(name);
    } catch (const EPrintError& error) {
        NoteFailure(error);
        return FALSE;
    }
    auto open = std::make_unique<OpenPrinter>();
    open->name = name;
    std::lock_guard guard(HandlesLock());
    const std::intptr_t handle = AddHandle(HandleKind::Printer, std::move(open));
    if (!handle) {
        return FALSE;
    }
    *printer = HandleFromValue<HANDLE>(handle);
    return TRUE;
}

BOOL ClosePrinter(HANDLE printer)
{
    std::unique_ptr<HandleObject> object;
    {
        std::lock_guard guard(HandlesLock());
        object = RemoveHandle(HandleValue(printer), HandleKind::Printer);
    }
    if (!object) {
        NoteFailure(ERROR_INVALID_HANDLE, "The printer handle is not open");
        return FALSE;
    }
    if (auto& raw = static_cast<OpenPrinter&>(*object).raw) {
        raw->Abort();
    }
    return TRUE;
}

DWORD StartDocPrinterA(HANDLE printer, DWORD level, const BYTE* info)
{
    const auto* document = reinterpret_cast<const DOC_INFO_1A*>(info);
    if (level != 1 || !document) {
        NoteFailure(ERROR_INVALID_LEVEL, "StartDocPrinter knows level 1");
        return 0;
    }
    if (document->pDatatype && !rtl::SameText(document->pDatatype, "RAW")) {
        NoteFailure(ERROR_INVALID_DATATYPE, std::string("The data type ") + document->pDatatype + " is not RAW");
        return 0;
    }
    return WithOpenPrinter(printer, DWORD{0}, [&](OpenPrinter& open) -> DWORD {
        if (open.raw) {
            NoteFailure(ERROR_INVALID_PARAMETER, "A document is already open on the printer");
            return 0;
        }
        try {
            PrintBackend* backend = GetPrintBackend();
            if (!backend) {
                throw EPrintError("There is no printer named \"" + open.name + "\"", ERROR_INVALID_PRINTER_NAME);
            }
            open.raw = backend->OpenRawJob(JobTicket{open.name, document->pDocName ? document->pDocName : "", 1, false});
        } catch (const EPrintError& error) {
            NoteFailure(error);
            return 0;
        }
        return ++lastRawJob;
    });
}

BOOL StartPagePrinter(HANDLE printer)
{
    return WithOpenPrinter(printer, FALSE, [](OpenPrinter& open) {
        if (!open.raw) {
            NoteFailure(ERROR_INVALID_PARAMETER, "No document is open");
        }
        return open.raw ? TRUE : FALSE;
    });
}

BOOL WritePrinter(HANDLE printer, const void* bytes, DWORD count, DWORD* written)
{
    if (written) {
        *written = 0;
    }
    return WithOpenPrinter(printer, FALSE, [&](OpenPrinter& open) {
        if (!open.raw || (count > 0 && !bytes)) {
            NoteFailure(ERROR_INVALID_PARAMETER, open.raw ? "No bytes to write" : "No document is open");
            return FALSE;
        }
        try {
            open.raw->Write(bytes, count);
        } catch (const EPrintError& error) {
            NoteFailure(error);
            return FALSE;
        }
        if (written) {
            *written = count;
        }
        return TRUE;
    });
}

BOOL EndPagePrinter(HANDLE printer)
{
    return StartPagePrinter(printer);
}

BOOL EndDocPrinter(HANDLE printer)
{
    return WithOpenPrinter(printer, FALSE, [](OpenPrinter& open) {
        if (!open.raw) {
            NoteFailure(ERROR_INVALID_PARAMETER, "No document is open");
            return FALSE;
        }
        std::unique_ptr<RawJob> raw = std::move(open.raw);
        try {
            raw->Finish();
        } catch (const EPrintError& error) {
            raw->Abort();
            NoteFailure(error);
            return FALSE;
        }
        return TRUE;
    });
}

BOOL AbortPrinter(HANDLE printer)
{
    return WithOpenPrinter(printer, FALSE, [](OpenPrinter& open) {
        if (!open.raw) {
            NoteFailure(ERROR_INVALID_PARAMETER, "No document is open");
            return FALSE;
        }
        open.raw->Abort();
        open.raw.reset();
        return TRUE;
    });
}

DWORD GetProfileStringA(const char* section, const char* key, const char* fallback, char* out, DWORD size)
{
    std::string value = fallback ? fallback : "";
    if (section && key && rtl::SameText(section, "windows") && rtl::SameText(key, "device")) {
        const std::vector<PrinterEntry> printers = AllPrinters();
        const auto found = std::find_if(printers.begin(), printers.end(), [](const PrinterEntry& p) { return p.isDefault; });
        if (found != printers.end()) {
            value = found->name + ",winspool,Ne00:";
        }
    }
    if (!out || size == 0) {
        return 0;
    }
    const std::size_t copied = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(out, value.data(), copied);
    out[copied] = '\0';
    return static_cast<DWORD>(copied);
}

}  // namespace win
