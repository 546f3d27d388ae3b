// Which instruction sets this processor runs, asked once.

#include "core/rows/row_kernel.h"

namespace core::rows {
namespace {

bool detect(Kernel kernel) {
#ifdef QUILTANE_X86_KERNELS
    // The feature bits are filled in by a constructor in libgcc; calling this makes them
    // ready even for a question asked by another static constructor before it ran.
    __builtin_cpu_init();
    switch (kernel) {
    case Kernel::Portable:
        return true;
    case Kernel::Ssse3:
        return __builtin_cpu_supports("ssse3");
    case Kernel::Avx2:
        return __builtin_cpu_supports("avx2");
    case Kernel::Avx512:
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
               __builtin_cpu_supports("avx512vbmi");
    }
    return false;
#else
    return kernel == Kernel::Portable;
#endif
}

} // namespace

std::string_view kernelName(Kernel kernel) {
    switch (kernel) {
    case Kernel::Portable:
        return "portable";
    case Kernel::Ssse3:
        return "SSSE3";
    case Kernel::Avx2:
        return "AVX2";
    case Kernel::Avx512:
        return "AVX-512";
    }
    return "unknown";
}

bool processorRuns(Kernel kernel) {
    static const std::array<bool, kKernels.size()> runs = [] {
        std::array<bool, kKernels.size()> all{};
        for (Kernel k : kKernels)
            all[static_cast<std::size_t>(k)] = detect(k);
        return all;
    }();
    return runs[static_cast<std::size_t>(kernel)];
}

} // namespace core::rows
