// The reference of the start-up figure: a C++ program that does next to nothing.
#include <iostream>

int main()
{
    std::cout << "Nothing to do\n";
    return 0;
}
