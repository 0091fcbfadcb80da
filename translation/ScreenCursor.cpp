#include "translation/ScreenCursor.h"

namespace translation {

namespace {

TScreenCursor* boundCursor = nullptr;

}  // namespace

TScreenCursor* ScreenCursor()
{
    return boundCursor;
}

void SetScreenCursor(TScreenCursor* cursor)
{
    boundCursor = cursor;
}

}  // namespace translation
