#include <cstdio>

int main()
{
    std::puts("vellumar-convert");
    return 0;
}
