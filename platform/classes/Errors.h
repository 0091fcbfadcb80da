#pragma once
// The object model's exception classes.

#include "platform/rtl/Exceptions.h"

namespace classes {

// Stored data that cannot be read or written as a component tree.
class EFilerError : public rtl::EStreamError {
public:
    using rtl::EStreamError::EStreamError;
    const char* ClassName() const noexcept override { return "EFilerError"; }
};

// "Class %s not found": a name no class was registered under.
class EClassNotFound : public EFilerError {
public:
    using EFilerError::EFilerError;
    const char* ClassName() const noexcept override { return "EClassNotFound"; }
};

// Component names and ownership.
class EComponentError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "EComponentError"; }
};

// A property that does not exist or does not take the value.
class EPropertyError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "EPropertyError"; }
};

}  // namespace classes
