#include "common/pixel_filters/cpu_features.h"

#include <cstdlib>

bool HasAvx2()
{
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
    static const bool has = __builtin_cpu_supports("avx2") && !std::getenv("VEXIL_NO_AVX2");
    return has;
#else
    return false;
#endif
}
