// The stored factors of the three 3D models: vectors that the factor
// built-ins read and the interpretation uses to orient what it factors.
#include <cstdio>

#include "scene/mvint.h"
#include "scene/mvint_services.h"
#include "state/state.h"

namespace {

// The grade-1 part of value into slot index of factors (count slots); -1
// for an index outside them, negative ones included.
template <class V> int storeFactor(V *factors, unsigned int count, const V &value, int index)
{
	if ((unsigned int)index >= count) return -1;
	factors[index].takeGrade(value, 2);
	// a reading kept for sharing may have been oriented by the old factor
	mvIntSharing::forget();
	return 0;
}

} // namespace

int state::setE3gaFactor(const e3ga &value, int index)
{
	int result = storeFactor(m_e3gaFactor, NB_E3GA_FACTORS, value, index);
	if (result != 0) std::printf("state::setE3gaFactor(): invalid index %d\n", index);
	return result;
}

int state::setP3gaFactor(const p3ga &value, int index)
{
	int result = storeFactor(m_p3gaFactor, NB_P3GA_FACTORS, value, index);
	if (result != 0) std::printf("state::setP3gaFactor(): invalid index %d\n", index);
	return result;
}

int state::setC3gaFactor(const c3ga &value, int index)
{
	return storeFactor(m_c3gaFactor, NB_C3GA_FACTORS, value, index);
}

const e3ga *storedE3gaFactors() { return g_state ? g_state->m_e3gaFactor : nullptr; }
const p3ga *storedP3gaFactors() { return g_state ? g_state->m_p3gaFactor : nullptr; }
const c3ga *storedC3gaFactors() { return g_state ? g_state->m_c3gaFactor : nullptr; }
