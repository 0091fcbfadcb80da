#pragma once
// Switches the process code page for one test and puts the old one back.

#include "platform/rtl/CodePage.h"

namespace testsupport {

class UsingCodePage {
public:
    explicit UsingCodePage(int codePage) : saved_(rtl::AnsiCodePage()) { rtl::SetAnsiCodePage(codePage); }
    ~UsingCodePage() { rtl::SetAnsiCodePage(saved_); }
    UsingCodePage(const UsingCodePage&) = delete;
    UsingCodePage& operator=(const UsingCodePage&) = delete;

private:
    int saved_;
};

}  // namespace testsupport
