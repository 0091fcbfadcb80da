#pragma once
// The font a test asks for: a face at a height, normal weight unless said otherwise.

#include "platform/wintypes/LogFont.h"

namespace wintest {

inline win::LOGFONT Font(const char* face, win::LONG height, win::LONG weight = win::FW_NORMAL, bool italic = false)
{
    win::LOGFONT font;
    font.lfFaceName = face;
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfItalic = italic ? 1 : 0;
    return font;
}

}  // namespace wintest
