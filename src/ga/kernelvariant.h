#pragma once
// Builds of the full x full product kernels.  The portable build runs on any
// processor; the AVX2 one only where the processor has AVX2, which is
// checked once when the program starts.  Both give the same bits: neither
// contracts a product and a sum into one rounding.
namespace ga {

enum kernelVariant { KV_PORTABLE, KV_AVX2 };

// The variant the full products run.  Zero-initialised, so products computed
// before the check run the portable build.
extern kernelVariant fullKernelVariant;

// Whether this build holds the variant and the processor can run it.
bool kernelVariantSupported(kernelVariant v);

// Makes the full products run v, for tests and measurements; a variant that
// is not supported is refused (false) and nothing changes.
bool useKernelVariant(kernelVariant v);

// The fastest supported variant.
kernelVariant bestKernelVariant();

} // namespace ga
