#pragma once
// The exponential of a multivector by scaling and squaring: divide the value
// by a power of two until its coordinates are small, sum the power series,
// then square the sum once per halving.
#include <cmath>

namespace ga {

// How many times the exponential halves a value whose largest coordinate
// is `largest`: none below 1, one below 2, else one more than the bit length
// of the integer part, so every scaled coordinate ends up below 1/2.
// Counting halvings (at most 1025 for a finite double) rather than keeping
// the factor 2^n as an integer means no value is large enough to wrap it.
inline int expHalvings(double largest)
{
	// an infinite coordinate has no useful scaling; the series runs unscaled
	if (!std::isfinite(largest) || largest < 1.0) return 0;
	if (largest < 2.0) return 1;
	// largest = m 2^e with m in [0.5, 1): e is the bit length of its integer part
	int e = 0;
	std::frexp(largest, &e);
	return e + 1;
}

template <class V, class I> V &mvValue<V, I>::exp(int order) const
{
	V result(1.0);
	// with no term beyond the constant one the result is 1 whatever the value
	if (order <= 1) return into([&](V &t) { t.copy(result); });
	// scale the value down by 2^halvings (exact: a power of two)
	int halvings = expHalvings(this->largestCoordinate());
	V scaled, term(1.0), product, sum[2];
	scaled.op(std::ldexp(1.0, -halvings), *this);
	sum[0].copy(result);
	int cur = 0;
	// sum the terms scaled^i / i! for i = 1 to order - 1
	for (int i = 1; i < order; i++) {
		product.gp(term, scaled);
		term.op(1.0 / i, product);
		sum[1 - cur].add(sum[cur], term);
		cur = 1 - cur;
	}
	// undo the scaling: exp(x) = exp(x / 2^n)^(2^n)
	for (int i = 0; i < halvings; i++) {
		sum[1 - cur].gp(sum[cur], sum[cur]);
		cur = 1 - cur;
	}
	return into([&](V &t) { t.copy(sum[cur]); });
}

} // namespace ga
