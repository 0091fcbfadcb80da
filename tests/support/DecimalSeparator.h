#pragma once
// The locale's decimal separator for one test.

#include "platform/rtl/FormatSettings.h"

namespace testsupport {

class DecimalSeparator {
public:
    explicit DecimalSeparator(char separator) : saved_(rtl::DefaultFormatSettings().DecimalSeparator)
    {
        rtl::DefaultFormatSettings().DecimalSeparator = separator;
    }
    ~DecimalSeparator() { rtl::DefaultFormatSettings().DecimalSeparator = saved_; }
    DecimalSeparator(const DecimalSeparator&) = delete;
    DecimalSeparator& operator=(const DecimalSeparator&) = delete;

private:
    char saved_;
};

}  // namespace testsupport
