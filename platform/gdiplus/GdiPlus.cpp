#include "platform/gdiplus/GdiPlus.h"

#include "platform/gdiplus/ImageList.h"
#include "platform/gdiplus/detail/ImageList.h"

namespace win::gdiplus {

using namespace win::detail;

void initialize()
{
    FinalizeImageLists();
}

void finalize()
{
    FinalizeImageLists();
}

}  // namespace win::gdiplus
