#include "platform/printing/PrinterDC.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "platform/printing/detail/Banding.h"
#include "platform/printing/detail/PrintErrors.h"
#include "platform/printing/detail/Cups.h"
#include "platform/printing/detail/PrinterDC.h"
#include "platform/printing/detail/PrinterDevice.h"

#include <atomic>

namespace win {

using namespace detail;

namespace {

std::atomic<int> lastJobNumber{0};

// Runs work on the printer device of a context under the GDI lock; failure when it has none.
template <class Result, class Work>
Result WithPrinter(HDC dc, Result failure, Work work)
{
    auto lock = LockGdi();
    PrinterDevice* device = FindPrinterDevice(dc);
    if (!device || device->information) {
        NoteFailure(ERROR_INVALID_HANDLE, "The device context is not a printer's");
        return failure;
    }
    return work(*device);
}

// Drops the document of a device: its job, its page and its abort procedure.
void DropDocument(PrinterDevice& device)
{
    if (device.job) {
        device.job->Abort();
    }
    device.job.reset();
    device.page.reset();
    device.documentOpen = false;
    device.abortProc = nullptr;
}

PageSetup SetupOf(const PrinterDevice& device)
{
    const PrintSettings& settings = device.settings;
    PageSetup setup;
    setup.paper = settings.paper;
    setup.custom = settings.Custom();
    setup.orientation = settings.orientation;
    setup.resolution = settings.resolution;
    setup.duplex = settings.duplex;
    if (settings.sourceIndex >= 0) {
        setup.source = device.printer->capabilities.sources[std::size_t(settings.sourceIndex)];
    }
    setup.color = settings.color;
    setup.width = device.geometry.physical.cx;
    setup.height = device.geometry.physical.cy;
    return setup;
}

}  // namespace

HDC detail::CreatePrinterDC(const char* printer, const DEVMODEA* mode, bool information)
{
    std::shared_ptr<const PrinterModel> model;
    try {
        model = FindPrinterModel(printer);
    } catch (const EPrintError& error) {
        NoteFailure(error);
        return nullptr;
    }
    auto device = std::make_unique<PrinterDevice>(model, ReadDevMode(*model, mode), information);
    const Device reported = device->DeviceOf();
    auto context = std::make_unique<DeviceContext>(OBJ_DC, std::move(device));
    context->device = reported;
    auto lock = LockGdi();
    return AddDC(std::move(context));
}

int StartDocA(HDC dc, const DOCINFOA* info)
{
    JobTicket ticket;
    std::string output;
    const bool ready = WithPrinter(dc, false, [&](PrinterDevice& device) {
        if (device.documentOpen) {
            NoteFailure(ERROR_INVALID_PARAMETER, "A document is already open on the printer");
            return false;
        }
        ticket.printer = device.printer->name;
        ticket.copies = device.settings.copies;
        ticket.collate = device.settings.collate;
        device.documentOpen = true;  // held while the job opens
        return true;
    });
    if (!ready) {
        return SP_ERROR;
    }
    ticket.document = info && info->lpszDocName ? info->lpszDocName : "";
    output = info && info->lpszOutput ? info->lpszOutput : "";
    std::unique_ptr<PrintJob> job;
    try {
        if (!output.empty()) {
            job = OpenPrintToFile(output, ticket);
        } else if (PrintBackend* backend = GetPrintBackend()) {
            job = backend->OpenJob(ticket);
        } else {
            throw EPrintError("There is no printer named \"" + ticket.printer + "\"", ERROR_INVALID_PRINTER_NAME);
        }
    } catch (const EPrintError& error) {
        WithPrinter(dc, 0, [](PrinterDevice& device) { return DropDocument(device), 0; });
        NoteFailure(error);
        return SP_ERROR;
    }
    const bool kept = WithPrinter(dc, false, [&](PrinterDevice& device) {
        device.job = std::move(job);
        device.pagesPrinted = 0;
        return true;
    });
    if (!kept) {
        job->Abort();
        return SP_ERROR;
    }
    return ++lastJobNumber;
}

int StartPage(HDC dc)
{
    return WithPrinter(dc, SP_ERROR, [](PrinterDevice& device) {
        if (!device.job || device.page) {
            NoteFailure(ERROR_INVALID_PARAMETER, device.job ? "A page is already open" : "No document is open");
            return SP_ERROR;
        }
        device.page = std::make_unique<PageList>();
        return 1;
    });
}

int EndPage(HDC dc)
{
    // The page is banded without the GDI lock, except while a band is drawn; the job and the page are
    // lent out meanwhile.
    std::unique_ptr<PrintJob> job;
    std::unique_ptr<PageList> page;
    PageSetup setup;
    Device device;
    PageGeometry geometry;
    ABORTPROC abortProc = nullptr;
    const bool open = WithPrinter(dc, false, [&](PrinterDevice& printer) {
        if (!printer.job || !printer.page) {
            NoteFailure(ERROR_INVALID_PARAMETER, "No page is open");
            return false;
        }
        job = std::move(printer.job);
        page = std::move(printer.page);
        setup = SetupOf(printer);
        device = printer.DeviceOf();
        geometry = printer.geometry;
        abortProc = printer.abortProc;
        return true;
    });
    if (!open) {
        return SP_ERROR;
    }
    int result = 1;
    try {
        const RowOrder order = job->StartPage(setup);
        const bool finished = BandPage(*page, device, geometry, setup.color, order, *job,
                                       [&] { return !abortProc || abortProc(dc, 0); });
        if (finished) {
            job->EndPage();
        } else {
            NoteFailure(ERROR_SUCCESS, "The document was abandoned");
            result = SP_APPABORT;
        }
    } catch (const EPrintError& error) {
        NoteFailure(error);
        result = SP_ERROR;
    } catch (const rtl::Exception& error) {
        NoteFailure(ERROR_NOT_ENOUGH_MEMORY, error.what());
        result = SP_ERROR;
    }
    page.reset();
    if (result != 1) {
        job->Abort();
        WithPrinter(dc, 0, [](PrinterDevice& printer) { return DropDocument(printer), 0; });
        return result;
    }
    const bool back = WithPrinter(dc, false, [&](PrinterDevice& printer) {
        printer.job = std::move(job);
        ++printer.pagesPrinted;
        return true;
    });
    if (!back) {
        job->Abort();
        return SP_ERROR;
    }
    return result;
}

int EndDoc(HDC dc)
{
    bool pageOpen = false;
    if (!WithPrinter(dc, false, [&](PrinterDevice& device) {
            pageOpen = device.page != nullptr;
            if (!device.job) {
                NoteFailure(ERROR_INVALID_PARAMETER, "No document is open");
            }
            return device.job != nullptr;
        })) {
        return SP_ERROR;
    }
    if (pageOpen && EndPage(dc) <= 0) {
        return SP_ERROR;
    }
    std::unique_ptr<PrintJob> job;
    WithPrinter(dc, 0, [&](PrinterDevice& device) {
        job = std::move(device.job);
        DropDocument(device);
        return 0;
    });
    try {
        job->Finish();
    } catch (const EPrintError& error) {
        job->Abort();
        NoteFailure(error);
        return SP_ERROR;
    }
    return 1;
}

int AbortDoc(HDC dc)
{
    return WithPrinter(dc, SP_ERROR, [](PrinterDevice& device) {
        if (!device.documentOpen) {
            NoteFailure(ERROR_INVALID_PARAMETER, "No document is open");
            return SP_ERROR;
        }
        DropDocument(device);
        return 1;
    });
}

int SetAbortProc(HDC dc, ABORTPROC proc)
{
    return WithPrinter(dc, SP_ERROR, [proc](PrinterDevice& device) {
        device.abortProc = proc;
        return 1;
    });
}

HDC ResetDCA(HDC dc, const DEVMODEA* mode)
{
    auto lock = LockGdi();
    DeviceContext* context = FindDC(dc);
    PrinterDevice* device = context ? FindPrinterDevice(dc) : nullptr;
    if (!device || device->page) {
        NoteFailure(device ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE,
                    device ? "A page is open" : "The device context is not a printer's");
        return nullptr;
    }
    device->SetMode(ReadDevMode(*device->printer, mode));
    context->device = device->DeviceOf();
    return dc;
}

}  // namespace win
