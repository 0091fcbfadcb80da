#pragma once
// What the project file takes from the windows and gives to them: the analysis window's customer
// edits, the setup window's custom-control titles, currency buttons, custom-currency edit and power-unit
// buttons. The analysis and setup windows implement it; tests implement it with plain fields.

#include <string>

namespace shell {

// The analysis window's customer edits, in the order the project file keeps them.
enum class CustomerEdit {
    PREPFOR = 1,
    Titlefor,
    Companyfor,
    AddressFor,
    ZipFor,
    CountryFor,
    Telfor,
    Faxfor,
    EmailFor,
    PROJECTNAME,
};
inline constexpr int CustomerEditCount = 10;

// The setup window's currency buttons, one per currency mode 0..3.
enum class CurrencyButton { CUR001, CUR002, CUR003, CUR004 };

enum class PowerButton { KW, HP };

class ProjectWindows {
public:
    virtual ~ProjectWindows() = default;

    virtual std::string CustomerText(CustomerEdit edit) const = 0;
    virtual void SetCustomerText(CustomerEdit edit, const std::string& text) = 0;
    // The setup window's edits CustomTitle1 (number 1) and CustomTitle2 (number 2).
    virtual std::string CustomTitleText(int number) const = 0;
    // Checks the button and unchecks the other three.
    virtual void CheckCurrencyButton(CurrencyButton button) = 0;
    // The setup window's edit CURRCUSTOM.
    virtual void SetCustomCurrencyText(const std::string& text) = 0;
    // Checks the button and unchecks the other one.
    virtual void CheckPowerButton(PowerButton button) = 0;
};

}  // namespace shell
