#pragma once
// TNameIndex: objects by name without regard to ASCII case (the case rule of SameText), so that a large
// owner or object tree finds a name without walking all its members. Several objects may share a name;
// empty names are not indexed. The index holds no order: a caller that finds several asks its list which
// comes first.

#include "platform/rtl/StringUtils.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace classes {

template <class T>
class TNameIndex {
public:
    void Add(std::string_view name, T* object)
    {
        if (!name.empty())
            map_.emplace(rtl::UpperCase(name), object);
    }

    void Remove(std::string_view name, T* object)
    {
        if (name.empty())
            return;
        auto [first, last] = map_.equal_range(rtl::UpperCase(name));
        for (auto it = first; it != last; ++it)
            if (it->second == object) {
                map_.erase(it);
                return;
            }
    }

    // Calls visit(object) for every object indexed under name.
    template <class Visit>
    void ForEach(std::string_view name, Visit visit) const
    {
        auto [first, last] = map_.equal_range(rtl::UpperCase(name));
        for (auto it = first; it != last; ++it)
            visit(it->second);
    }

private:
    std::unordered_multimap<std::string, T*> map_;
};

}  // namespace classes
