#pragma once
// Row loops written for several instruction sets, one picked at run time: the build runs on
// any x86-64 processor (and on others through the portable loops), while a processor with
// SSSE3, AVX2 or AVX-512 gets the loop written for it. Each loop lists its versions in a
// KernelSet; tests and benchmarks ask for each version by name, everything else for the
// widest one the processor runs, chosen once.

#include <array>
#include <string_view>
#include <vector>

// The x86 versions are compiled with per-function target attributes (GCC and Clang), never
// with build-wide -m flags, so the rest of the program stays plain x86-64.
#if defined(__x86_64__) && defined(__GNUC__)
#define QUILTANE_X86_KERNELS 1
#endif

namespace core::rows {

// The instruction sets a row loop may be written for, narrowest first. Avx512 means AVX-512
// F and BW with the byte permutes of VBMI (Ice Lake, Zen 4 and later).
enum class Kernel { Portable, Ssse3, Avx2, Avx512 };
inline constexpr std::array<Kernel, 4> kKernels = {Kernel::Portable, Kernel::Ssse3, Kernel::Avx2,
                                                   Kernel::Avx512};

// "portable", "SSSE3", "AVX2", "AVX-512", for test names and benchmark labels.
std::string_view kernelName(Kernel kernel);
// Whether this processor (and its operating system, for the wide registers) runs code for
// the kernel's instruction set. Portable: always; the others only on x86-64.
bool processorRuns(Kernel kernel);

// One row loop's versions, by kernel: null where the loop has none (or this build cannot
// have it), the portable one always there.
template <class Fn> class KernelSet {
  public:
    constexpr explicit KernelSet(std::array<Fn, kKernels.size()> versions) : m_versions(versions) {}

    // Whether the loop has the kernel's version and this processor runs it.
    bool runs(Kernel kernel) const { return version(kernel) != nullptr && processorRuns(kernel); }
    // The kernels it runs here, narrowest (portable) first.
    std::vector<Kernel> runnable() const {
        std::vector<Kernel> kernels;
        for (Kernel kernel : kKernels)
            if (runs(kernel)) kernels.push_back(kernel);
        return kernels;
    }
    // The widest kernel it runs here.
    Kernel widest() const { return runnable().back(); }
    // The kernel's version where it runs here, else the portable one.
    Fn pick(Kernel kernel) const { return runs(kernel) ? version(kernel) : version(Kernel::Portable); }

  private:
    Fn version(Kernel kernel) const { return m_versions[static_cast<std::size_t>(kernel)]; }
    std::array<Fn, kKernels.size()> m_versions;
};

} // namespace core::rows
