#include "ga/kernelvariant.h"

namespace ga {

kernelVariant fullKernelVariant = bestKernelVariant();

bool kernelVariantSupported(kernelVariant v)
{
	if (v == KV_PORTABLE) return true;
#ifdef KORIMBEL_AVX2_KERNELS
	// the features may be asked for before the run-time library has looked
	__builtin_cpu_init();
	if (v == KV_AVX2) return __builtin_cpu_supports("avx2");
#endif
	return false;
}

bool useKernelVariant(kernelVariant v)
{
	if (!kernelVariantSupported(v)) return false;
	fullKernelVariant = v;
	return true;
}

kernelVariant bestKernelVariant() { return kernelVariantSupported(KV_AVX2) ? KV_AVX2 : KV_PORTABLE; }

} // namespace ga
