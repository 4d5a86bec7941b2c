// Small kernel helpers that drawing code calls.
#include "platform/system/gdi/Gdi.h"

#include <cstring>
#include <limits>

int lstrlenA(LPCSTR text)
{
    if (!text) return 0;
    std::size_t n = std::strlen(text);
    return n > static_cast<std::size_t>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                         : static_cast<int>(n);
}

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0) return -1;
    long long p = static_cast<long long>(number) * numerator;
    long long d = denominator;
    if (d < 0) {
        d = -d;
        p = -p;
    }
    // Rounds half away from zero.
    long long result = p >= 0 ? (p + d / 2) / d : -((-p + d / 2) / d);
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) return -1;
    return static_cast<int>(result);
}
