#pragma once
// The screen's cursor as the translation component sees it: while a language is applied it shows the
// component's ChangingCursor. The GUI class library binds it to its screen object; without a binding
// the component leaves the cursor alone.

#include <cstdint>

namespace translation {

// The cursor the screen shows when nobody has chosen another.
inline constexpr std::int16_t crDefault = 0;

class TScreenCursor {
public:
    virtual ~TScreenCursor() = default;
    virtual std::int16_t Cursor() const = 0;
    virtual void SetCursor(std::int16_t cursor) = 0;
};

// The bound screen cursor, or null; the binding is not owned and ends with the library's finalize().
TScreenCursor* ScreenCursor();
void SetScreenCursor(TScreenCursor* cursor);

}  // namespace translation
