#include "platform/gdiplus/GdiPlus.h"

#include "platform/gdiplus/ImageList.h"

namespace win::gdiplus {

void initialize()
{
    FinalizeImageLists();
}

void finalize()
{
    FinalizeImageLists();
}

}  // namespace win::gdiplus
