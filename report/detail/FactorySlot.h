#pragma once
// A creation function installed at start-up by the part that builds a class the report library only
// declares, read by every report that needs one; safe to use from several threads.

#include <mutex>
#include <utility>

namespace report::detail {

template <class Function>
class FactorySlot {
public:
    void Set(Function function)
    {
        std::lock_guard lock(mutex_);
        function_ = std::move(function);
    }
    Function Get() const
    {
        std::lock_guard lock(mutex_);
        return function_;
    }

private:
    mutable std::mutex mutex_;
    Function function_;
};

}  // namespace report::detail
