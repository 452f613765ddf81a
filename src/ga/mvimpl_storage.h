#pragma once
// Storage members: setting, copying, grade queries, and the conversions
// between packed coordinates and the forms the kernels take.
#include <cmath>
#include <functional>
#include <type_traits>
#include <utility>

namespace ga {

// Zeros returned for absent grades, long enough for any grade of any algebra.
inline const double *zeroCoordinates()
{
	static const double zeros[64] = {0.0};
	return zeros;
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::copy(const D &a)
{
	if (&a == this) return;
	this->setUsage(a.usage);
	Def::copy(this->c, a.c, Def::mvSize[a.usage & Def::gradeMask]);
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::set(int gradeUsage, const double *coordinates)
{
	// a bitmap beyond the algebra has no size: refuse it
	if (gradeUsage & ~Def::gradeMask) return -1;
	int n = Def::mvSize[gradeUsage];
	if (coordinates == nullptr) {
		this->setUsage(gradeUsage | (n << Def::countShift));
		Def::null(this->c, n);
		return 0;
	}
	std::less<const double *> before;
	bool inside = !before(coordinates, this->c) && before(coordinates, this->c + memUsage());
	if (inside && !(coordinates == this->c && n == memUsage())) {
		// the source lies in this value's own storage, which may move or overlap
		double tmp[Def::nbCoor];
		Def::copy(tmp, coordinates, n);
		return set(gradeUsage, tmp);
	}
	this->setUsage(gradeUsage | (n << Def::countShift));
	if (this->c != coordinates) Def::copy(this->c, coordinates, n);
	return 0;
}

template <class D, class Def, class S>
template <class C0, class... T, class>
int mvImpl<D, Def, S>::set(int gradeUsage, C0 c0, T... rest)
{
	constexpr int n = 1 + (int)sizeof...(T);
	static_assert(n <= Def::nbCoor, "more coordinates than the algebra has");
	// too many would write past the block, too few leave another value's data
	if (!selectsCount<Def>(gradeUsage, n)) return -1;
	const double coordinates[] = {static_cast<double>(c0), static_cast<double>(rest)...};
	this->setUsage(gradeUsage | (n << Def::countShift));
	Def::copy(this->c, coordinates, n);
	return 0;
}

template <class D, class Def, class S> const double *mvImpl<D, Def, S>::coordinates(int grade) const
{
	int bm = gradeUsage();
	if (grade <= 0 || (grade & (grade - 1)) != 0 || !(bm & grade)) return zeroCoordinates();
	int off = 0;
	for (int g = 0; (1 << g) < grade; g++)
		if (bm & (1 << g)) off += Def::gradeSize[g];
	return this->c + off;
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::grade() const
{
	// the highest grade with a non-zero coordinate decides; any other grade
	// part beside it, even an all-zero one, makes the value mixed
	int g = maxGrade();
	if (g < 1) return 0;
	return gradeUsage() == (1 << g) ? g : -1;
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::maxGrade() const
{
	int bm = gradeUsage();
	int end = memUsage();
	// walk the packed parts from the top grade down
	for (int g = Def::dim; g >= 1; g--) {
		if (!(bm & (1 << g))) continue;
		int start = end - Def::gradeSize[g];
		for (int i = start; i < end; i++)
			if (this->c[i] != 0.0) return g;
		end = start;
	}
	return -1;
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::largestGrade() const
{
	int bm = gradeUsage();
	double largest = -1.0;
	int result = 0, off = 0;
	for (int g = 0; g <= Def::dim; g++) {
		if (!(bm & (1 << g))) continue;
		double n = Def::norm_a(this->c + off, Def::gradeSize[g]);
		if (n > largest) {
			largest = n;
			result = g;
		}
		off += Def::gradeSize[g];
	}
	return result;
}

template <class D, class Def, class S> double mvImpl<D, Def, S>::largestCoordinate() const
{
	double m = 0.0;
	for (int i = 0, n = memUsage(); i < n; i++)
		if (std::fabs(this->c[i]) > m) m = std::fabs(this->c[i]);
	return m;
}

template <class D, class Def, class S> bool mvImpl<D, Def, S>::isFinite() const
{
	for (int i = 0, n = memUsage(); i < n; i++)
		if (!std::isfinite(this->c[i])) return false;
	return true;
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::expand(const double **pa) const
{
	int bm = gradeUsage();
	const double *p = this->c;
	for (int g = 0; g <= Def::dim; g++) {
		if (bm & (1 << g)) {
			pa[g] = p;
			p += Def::gradeSize[g];
		} else pa[g] = nullptr;
	}
}

template <class D, class Def, class S>
void mvImpl<D, Def, S>::expand(const D &b, const double **pa, const double **pb) const
{
	expand(pa);
	b.expand(pb);
}

template <class D, class Def, class S>
void mvImpl<D, Def, S>::expand2i(const D &b, const double **pa, const double **pb) const
{
	expand(pa);
	for (int g = 0; g <= Def::dim; g++) pb[g] = pa[g] ? b.c + (pa[g] - this->c) : nullptr;
}

// Calls f(std::integral_constant<int, g>()) for every grade g of the algebra,
// unrolled, so that the sizes and offsets of each grade are constants.
template <class Def, int G = 0, class F> inline void forEachGrade(F &&f)
{
	if constexpr (G <= Def::dim) {
		f(std::integral_constant<int, G>());
		forEachGrade<Def, G + 1>(f);
	}
}

// Sets p[I...] to 0.0 one store each, which the compiler merges into wide
// stores; a loop or a memset of more than a few doubles becomes `rep stos`,
// which costs more than the products it prepares.
template <int... I> inline void clearEach(double *p, std::integer_sequence<int, I...>)
{
	((p[I] = 0.0), ...);
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::clearGrades(double *full, int grades)
{
	forEachGrade<Def>([&](auto g) {
		constexpr int G = decltype(g)::value;
		if (grades & (1 << G))
			clearEach(full + Def::gradeOffset[G], std::make_integer_sequence<int, Def::gradeSize[G]>());
	});
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::compress(const double *cc, int grades)
{
	int bm = 0, n = 0;
	forEachGrade<Def>([&](auto g) {
		if (!(grades & (1 << g))) return;
		const double *p = cc + Def::gradeOffset[g];
		for (int i = 0; i < Def::gradeSize[g]; i++) {
			if (p[i] != 0.0) { // NaN counts as non-zero
				bm |= 1 << g;
				n += Def::gradeSize[g];
				break;
			}
		}
	});
	this->setUsage(bm | (n << Def::countShift));
	double *dst = this->c;
	forEachGrade<Def>([&](auto g) {
		if (!(bm & (1 << g))) return;
		Def::copy(dst, cc + Def::gradeOffset[g], Def::gradeSize[g]);
		dst += Def::gradeSize[g];
	});
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::compress(double epsilon)
{
	int bm = gradeUsage(), keep = 0, off = 0;
	for (int g = 0; g <= Def::dim; g++) {
		if (!(bm & (1 << g))) continue;
		for (int i = 0; i < Def::gradeSize[g]; i++) {
			double x = this->c[off + i];
			if (x > epsilon || x < -epsilon) {
				keep |= 1 << g;
				break;
			}
		}
		off += Def::gradeSize[g];
	}
	if (keep == bm) return;
	double scratch[Def::nbCoor];
	int n = 0;
	off = 0;
	for (int g = 0; g <= Def::dim; g++) {
		if (!(bm & (1 << g))) continue;
		if (keep & (1 << g)) {
			Def::copy(scratch + n, this->c + off, Def::gradeSize[g]);
			n += Def::gradeSize[g];
		}
		off += Def::gradeSize[g];
	}
	set(keep, scratch);
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::takeGrade(const D &a, int gu)
{
	int k = a.gradeUsage() & gu;
	if (k == 0) {
		this->setUsage(0);
		return;
	}
	// gather the kept parts first: a may be this value
	double scratch[Def::nbCoor];
	int n = 0, off = 0;
	for (int g = 0; g <= Def::dim; g++) {
		if (!(a.usage & (1 << g))) continue;
		if (k & (1 << g)) {
			Def::copy(scratch + n, a.c + off, Def::gradeSize[g]);
			n += Def::gradeSize[g];
		}
		off += Def::gradeSize[g];
	}
	this->setUsage(k | (n << Def::countShift));
	Def::copy(this->c, scratch, n);
}

template <class D, class Def, class S>
void mvImpl<D, Def, S>::expand(double *matrix, const int *table) const
{
	constexpr int n2 = Def::nbCoor * Def::nbCoor;
	const double *full[Def::dim + 1];
	expand(full);
	double value = 0.0;
	int coordinate = -1; // group 0 is applied with 0.0, group k + 1 with coordinate k
	for (;;) {
		int code = *table++;
		if (code < 0) {
			if (++coordinate == Def::nbCoor) break;
			int g = 0;
			while (g < Def::dim && Def::gradeOffset[g + 1] <= coordinate) g++;
			value = full[g] ? full[g][coordinate - Def::gradeOffset[g]] : 0.0;
			continue;
		}
		double v = (code & n2) ? -value : value;
		double &e = matrix[code & (n2 - 1)];
		if (code & (2 * n2)) e += v;
		else e = v;
	}
}

} // namespace ga
