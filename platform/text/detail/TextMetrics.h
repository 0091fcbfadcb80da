#pragma once
// The face selected into a device context and the spacing text output adds to it.

#include "platform/gdi/detail/DeviceContext.h"
#include "platform/text/TextMetrics.h"
#include "platform/text/detail/FontFace.h"

#include <memory>
#include <string_view>
#include <vector>

namespace win::detail {


// The font selected into the context realised at its vertical resolution; null when the context holds
// no valid font (ERROR_INVALID_HANDLE). The caller holds the GDI lock.
std::shared_ptr<const FontFace> SelectedFace(const DeviceContext& context);

// The pixels the context's character extra and pending justification add after each UTF-16 unit of
// text, as text output spaces it: the extra after every character (a surrogate pair's after its first
// unit), and the justification's pixels shared over the blanks, the first ones one more when they do
// not divide evenly. The extent calls below count them too.
std::vector<int> ExtraSpacing(const DcState& state, std::u16string_view text);

}  // namespace win::detail
