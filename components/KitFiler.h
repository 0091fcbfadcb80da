#pragma once
// A store of settings read and written as text by section and item, with typed reads and writes on
// top. Callers bracket their reads and writes with Open ... Close; brackets nest, and only the
// outermost pair opens and closes what lies behind the store.

#include "components/KitBase.h"

#include <cstdint>
#include <string>

namespace components {

class TKitAbstractStore : public TKitComponent {
public:
    using TKitComponent::TKitComponent;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    // The first Open opens the backing store; when that fails, the store stays closed.
    void Open();
    // The Close that matches the first Open closes the backing store; a Close with nothing open does
    // nothing.
    void Close();
    std::int32_t OpenCount() const { return openCount_; }

    // Default when the section or item is missing.
    virtual std::string ReadString(const std::string& section, const std::string& item,
                                   const std::string& defaultValue) = 0;
    virtual void WriteString(const std::string& section, const std::string& item, const std::string& value) = 0;
    // Removes the section with everything in it; this base has nothing to remove.
    virtual void EraseSection(const std::string& section);

    // True exactly when the text read starts with "1" (an empty text is false, whatever the default).
    bool ReadBoolean(const std::string& section, const std::string& item, bool defaultValue);
    // The default for a text that is not a 32-bit integer.
    std::int32_t ReadInteger(const std::string& section, const std::string& item, std::int32_t defaultValue);
    // "1" or "0".
    void WriteBoolean(const std::string& section, const std::string& item, bool value);
    // Decimal text.
    void WriteInteger(const std::string& section, const std::string& item, std::int32_t value);

protected:
    virtual void OpenBackingStore() = 0;
    virtual void CloseBackingStore() = 0;

private:
    std::int32_t openCount_ = 0;
};

}  // namespace components
