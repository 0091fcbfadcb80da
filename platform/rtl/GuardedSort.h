#pragma once
// A stable sort that stays inside the list whatever the comparison answers: orders given by callers'
// handlers need not be consistent, and the standard sorts assume they are. Quadratic, for short lists
// such as siblings in a tree.

#include <cstddef>
#include <utility>
#include <vector>

namespace rtl {

template <class T, class Less>
void GuardedStableSort(std::vector<T>& list, Less less)
{
    for (std::size_t i = 1; i < list.size(); ++i) {
        for (std::size_t j = i; j > 0 && less(list[j], list[j - 1]); --j) {
            std::swap(list[j], list[j - 1]);
        }
    }
}

}  // namespace rtl
