#include "platform/printing/PrintBackend.h"

#include "platform/printing/detail/PrinterModel.h"

#include <mutex>

namespace win {

namespace {

struct Installed {
    std::mutex lock;
    std::unique_ptr<PrintBackend> backend;
};

Installed& TheBackend()
{
    static Installed installed;
    return installed;
}

}  // namespace

std::unique_ptr<PrintBackend> SetPrintBackend(std::unique_ptr<PrintBackend> backend)
{
    Installed& installed = TheBackend();
    {
        std::lock_guard guard(installed.lock);
        std::swap(installed.backend, backend);
    }
    detail::ForgetPrinterModels();
    return backend;
}

PrintBackend* GetPrintBackend()
{
    Installed& installed = TheBackend();
    std::lock_guard guard(installed.lock);
    return installed.backend.get();
}

}  // namespace win
