#pragma once
// The project file's reader with nobody at the screen: message boxes take their default answer without a
// word, texts are their identifiers, and the windows keep only the customer texts.

#include "analysis/Texts.h"
#include "platform/services/DialogService.h"
#include "shell/ProjectWindows.h"

#include <array>
#include <string>
#include <string_view>

namespace testsupport {

class DefaultAnswers final : public win::DialogService {
public:
    int MessageBox(const std::string&, const std::string&, unsigned type) override
    {
        return win::DefaultMessageBoxAnswer(type);
    }
};

class IdTexts final : public analysis::TextSource {
public:
    std::string Text(std::string_view id) const override { return std::string(id); }
};

class CustomerTextWindows final : public shell::ProjectWindows {
public:
    std::string CustomerText(shell::CustomerEdit edit) const override { return customer_[size_t(edit) - 1]; }
    void SetCustomerText(shell::CustomerEdit edit, const std::string& text) override { customer_[size_t(edit) - 1] = text; }
    std::string CustomTitleText(int) const override { return {}; }
    void CheckCurrencyButton(shell::CurrencyButton) override {}
    void SetCustomCurrencyText(const std::string&) override {}
    void CheckPowerButton(shell::PowerButton) override {}

private:
    std::array<std::string, shell::CustomerEditCount> customer_;
};

}  // namespace testsupport
