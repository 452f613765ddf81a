// Cost of a console built-in called by name through the dispatcher (lookup,
// call, result value, freeing of the arguments), and of a power whose huge
// exponent is taken by repeated squaring.
#include <benchmark/benchmark.h>

#include "console/consolefunctions.h"
#include "console/consoleglobalscope.h"
#include "console/consolevariable.h"
#include "state/state.h"

namespace {

template <class M> consoleVariable *argument(const M &x)
{
	consoleVariable *v = new consoleVariable("", x);
	v->rhs(1);
	return v;
}

// name called on a and b of model M, in a root global scope.
template <class M> void callBinary(benchmark::State &bs, const char *name, const M &a, const M &b)
{
	state st;
	consoleGlobalScope root(nullptr);
	for (auto _ : bs) {
		consoleVariable *x = argument(a);
		x->next(argument(b));
		delete consoleExecFunc(&root, name, x);
	}
}

void BM_gp_e3ga(benchmark::State &bs) { callBinary(bs, "gp", e3ga(2, 1.0, 2.0, 3.0), e3ga(2, 3.0, 2.0, 1.0)); }
void BM_gp_c3ga(benchmark::State &bs)
{
	callBinary(bs, "gp", c3ga(2, 1.0, 2.0, 3.0, 1.0, 7.0), c3ga(2, 3.0, 2.0, 1.0, 1.0, 7.0));
}
// a rotor to the largest int power: 31 squarings and 31 products
void BM_pow_huge(benchmark::State &bs)
{
	e3ga rotor = add(0.6, gp(0.8, op(e3gai::e1, e3gai::e2)));
	callBinary(bs, "pow", rotor, e3ga(2147483647.0));
}

} // namespace

BENCHMARK(BM_gp_e3ga);
BENCHMARK(BM_gp_c3ga);
BENCHMARK(BM_pow_huge);
