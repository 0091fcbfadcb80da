#include "platform/printing/Printing.h"

#include "platform/printing/detail/PrintBackend.h"

namespace win::printing {

void initialize()
{
    detail::ResetPrintBackend();
}

void finalize()
{
    detail::ResetPrintBackend();
}

}  // namespace win::printing
