#pragma once
// The value class shared by the four algebras: arithmetic syntax over the
// implementation class.  Every operator and free function that yields a new
// multivector returns a slot of a ring of 64 reused temporaries, so an
// expression allocates nothing once the coordinate pool is warm; callers copy
// what they keep.
#include <type_traits>

namespace ga {

// Slots in the ring of temporaries of each algebra: a result stays valid
// until this many further temporaries of its algebra have been taken.
constexpr int sc_nbTemporaries = 64;

// Usage word with which each slot is primed: it makes the pool hand out a
// first run of blocks (of count 0x7f >> countShift) before any real work.
constexpr int sc_tempPrimeUsage = 0x7f;

template <class V, class I> class mvValue : public I {
public:
	typedef I implClass;

	mvValue() {}
	mvValue(double s) { this->set(1, &s); }
	mvValue(int gradeUsage, const double *coordinates) : I(gradeUsage, coordinates) {}
	template <class C0, class... T, class = std::enable_if_t<areNumbers<C0, T...>>>
	mvValue(int gradeUsage, C0 c0, T... rest) : I(gradeUsage, c0, rest...) {}
	mvValue(const mvValue &a) : I(a) {}
	mvValue(const I &a) : I(a) {}

	V &operator=(const mvValue &a)
	{
		this->copy(a);
		return self();
	}
	V &operator=(const I &a)
	{
		this->copy(a);
		return self();
	}
	V &operator=(double f)
	{
		this->set(1, &f);
		return self();
	}

	// The next slot of this algebra's ring of temporaries.  Short enough to be
	// inlined where a temporary is taken; the ring is made on first use.
	static V &getTemp()
	{
		if (s_temporaries == nullptr) makeTemporaries();
		if (s_nextTemporary == sc_nbTemporaries) s_nextTemporary = 0;
		return s_temporaries[s_nextTemporary++];
	}

	// --- compound assignment: computed into a local, so the operand may be this value
	V &operator*=(const I &a) { return assignVia([&](V &t) { t.gp(*this, a); }); }
	V &operator^=(const I &a) { return assignVia([&](V &t) { t.op(*this, a); }); }
	V &operator<<=(const I &a) { return assignVia([&](V &t) { t.lcont(*this, a); }); }
	V &operator>>=(const I &a) { return assignVia([&](V &t) { t.rcont(*this, a); }); }
	V &operator%=(const I &a) { return assignVia([&](V &t) { t.scp(*this, a); }); }
	V &operator+=(const I &a) { return assignVia([&](V &t) { t.add(*this, a); }); }
	V &operator-=(const I &a) { return assignVia([&](V &t) { t.sub(*this, a); }); }
	V &operator*=(double d) { return assignVia([&](V &t) { t.op(d, *this); }); }
	V &operator^=(double d) { return assignVia([&](V &t) { t.op(d, *this); }); }
	V &operator/=(double d) { return assignVia([&](V &t) { t.op(1.0 / d, *this); }); }
	V &operator%=(double d)
	{
		this->setScalar(this->scalar() * d);
		return self();
	}
	V &operator+=(double d) { return assignVia([&](V &t) { t.add(d, *this); }); }
	V &operator-=(double d) { return assignVia([&](V &t) { t.add(-d, *this); }); }

	// --- members that return a temporary
	using I::grade;
	V &grade(int gu) const { return into([&](V &t) { t.takeGrade(*this, gu); }); }
	V &operator()(int gu) const { return grade(gu); }
	const double *operator[](int grade) const { return this->coordinates(grade); }

	using I::reverse;
	V &operator~() const { return reverse(); }
	V &reverse() const { return into([&](V &t) { t.reverse(*this); }); }
	using I::cliffordConjugate;
	V &operator--() const { return cliffordConjugate(); }
	V &cliffordConjugate() const { return into([&](V &t) { t.cliffordConjugate(*this); }); }
	using I::gradeInvolution;
	V &operator++() const { return gradeInvolution(); }
	V &gradeInvolution() const { return into([&](V &t) { t.gradeInvolution(*this); }); }
	using I::fastDual;
	V &fastDual() const { return into([&](V &t) { t.fastDual(*this); }); }
	V &dual() const { return fastDual(); }
	using I::negate;
	V &operator-() const { return negate(); }
	V &negate() const { return into([&](V &t) { t.negate(*this); }); }
	V &normal(int norm) const { return into([&](V &t) { t.normalize(*this, norm); }); }
	using I::versorInverse;
	V &inverse() const { return versorInverse(); }
	V &versorInverse() const { return into([&](V &t) { t.versorInverse(*this); }); }
	using I::generalInverse;
	V &generalInverse() const { return into([&](V &t) { t.generalInverse(*this); }); }
	V &exp(int order) const;
	// The factors of this blade, into an array of either class.
	using I::factor;
	int factor(V *factors, int versor) const
	{
		I tmp[I::dim];
		int n = I::factor(tmp, versor);
		for (int i = 0; i < n; i++) factors[i] = tmp[i];
		return n;
	}
	V &operator/=(const I &a)
	{
		V tmp, inv;
		inv.versorInverse(a);
		tmp.gp(*this, inv);
		this->copy(tmp);
		return self();
	}

private:
	// The ring of temporaries and the slot that getTemp hands out next.
	static inline V *s_temporaries = nullptr;
	static inline int s_nextTemporary = 0;
	[[gnu::noinline]] static void makeTemporaries()
	{
		s_temporaries = new V[sc_nbTemporaries];
		for (int i = 0; i < sc_nbTemporaries; i++) {
			s_temporaries[i].setUsage(sc_tempPrimeUsage);
			s_temporaries[i].setUsage(0);
		}
	}
	V &self() { return static_cast<V &>(*this); }
	template <class F> V &assignVia(F f)
	{
		V tmp;
		f(tmp);
		this->copy(tmp);
		return self();
	}

protected:
	template <class F> static V &into(F f)
	{
		V &t = getTemp();
		f(t);
		return t;
	}
};

// --- free functions and operators over values and implementation objects ------

// The value class of an algebra, for any of its classes.
template <class T> using valueOf = typename T::valueClass;
// Result type of a function of two operands of one algebra.
template <class A, class B>
using sameAlgebra = std::enable_if_t<std::is_same<valueOf<A>, valueOf<B>>::value, valueOf<A> &>;
template <class A> using oneAlgebra = valueOf<A> &;

template <class A, class F> valueOf<A> &intoTemp(F f)
{
	valueOf<A> &t = valueOf<A>::getTemp();
	f(t);
	return t;
}

#define GA_BINARY_PRODUCT(NAME)                                                                  \
	template <class A, class B> sameAlgebra<A, B> NAME(const A &a, const B &b)                   \
	{                                                                                              \
		return intoTemp<A>([&](valueOf<A> &t) { t.NAME(a, b); });                                \
	}
GA_BINARY_PRODUCT(gp)
GA_BINARY_PRODUCT(op)
GA_BINARY_PRODUCT(lcont)
GA_BINARY_PRODUCT(rcont)
GA_BINARY_PRODUCT(scp)
GA_BINARY_PRODUCT(hip)
GA_BINARY_PRODUCT(mhip)
GA_BINARY_PRODUCT(gpem)
GA_BINARY_PRODUCT(lcem)
GA_BINARY_PRODUCT(add)
GA_BINARY_PRODUCT(sub)
#undef GA_BINARY_PRODUCT

// The vector part of gp(a, b): where the pair allows, no other grade is computed.
template <class A, class B> sameAlgebra<A, B> gpVectorPart(const A &a, const B &b)
{
	return intoTemp<A>([&](valueOf<A> &t) { t.template productPart<P_GP, PART_VECTOR>(a, b); });
}

// Scalar multiples: a times b with all-zero grade parts dropped.
template <class B> oneAlgebra<B> gp(double a, const B &b)
{
	return intoTemp<B>([&](valueOf<B> &t) { t.op(a, b); });
}
template <class B> oneAlgebra<B> gpem(double a, const B &b) { return gp(a, b); }
template <class B> oneAlgebra<B> op(double a, const B &b) { return gp(a, b); }
// The scalar a times the scalar part of b, kept even when it is 0.0.
template <class B> oneAlgebra<B> scp(double a, const B &b)
{
	return intoTemp<B>([&](valueOf<B> &t) { t.set(1, a * b.scalar()); });
}
template <class B> oneAlgebra<B> hip(double a, const B &b)
{
	return intoTemp<B>([&](valueOf<B> &t) { t.hip(valueOf<B>(a), b); });
}
template <class A> oneAlgebra<A> hip(const A &a, double b)
{
	return intoTemp<A>([&](valueOf<A> &t) { t.hip(a, valueOf<A>(b)); });
}
template <class B> oneAlgebra<B> mhip(double a, const B &b)
{
	return intoTemp<B>([&](valueOf<B> &t) { t.mhip(valueOf<B>(a), b); });
}
template <class A> oneAlgebra<A> mhip(const A &a, double b)
{
	return intoTemp<A>([&](valueOf<A> &t) { t.mhip(a, valueOf<A>(b)); });
}
template <class B> oneAlgebra<B> add(double a, const B &b)
{
	return intoTemp<B>([&](valueOf<B> &t) { t.add(a, b); });
}
template <class B> oneAlgebra<B> sub(double a, const B &b)
{
	return intoTemp<B>([&](valueOf<B> &t) { t.sub(a, b); });
}

template <class A, class B> sameAlgebra<A, B> operator*(const A &a, const B &b) { return gp(a, b); }
template <class A, class B> sameAlgebra<A, B> operator^(const A &a, const B &b) { return op(a, b); }
template <class A, class B> sameAlgebra<A, B> operator<<(const A &a, const B &b) { return lcont(a, b); }
template <class A, class B> sameAlgebra<A, B> operator>>(const A &a, const B &b) { return rcont(a, b); }
template <class A, class B> sameAlgebra<A, B> operator%(const A &a, const B &b) { return scp(a, b); }
template <class A, class B> sameAlgebra<A, B> operator+(const A &a, const B &b) { return add(a, b); }
template <class A, class B> sameAlgebra<A, B> operator-(const A &a, const B &b) { return sub(a, b); }

// a / b: the versor inverse of b first, then the product
template <class A, class B> sameAlgebra<A, B> operator/(const A &a, const B &b)
{
	valueOf<A> &inv = valueOf<A>::getTemp();
	inv.versorInverse(b);
	return gp(a, inv);
}

template <class A> oneAlgebra<A> negate(const A &a)
{
	return intoTemp<A>([&](valueOf<A> &t) { t.negate(a); });
}
template <class A, class B> sameAlgebra<A, B> join(const A &a, const B &b)
{
	return intoTemp<A>([&](valueOf<A> &t) { t.join(a, b, 1); });
}
template <class A, class B> sameAlgebra<A, B> meet(const A &a, const B &b)
{
	return intoTemp<A>([&](valueOf<A> &t) { t.meet(a, b, 1); });
}

template <class A> oneAlgebra<A> operator*(double d, const A &a) { return gp(d, a); }
template <class A> oneAlgebra<A> operator+(double d, const A &a) { return add(d, a); }
template <class A> oneAlgebra<A> operator-(double d, const A &a) { return sub(d, a); }
// With the double on the right, each gives what its compound form stores.
template <class A> oneAlgebra<A> operator*(const A &a, double d) { return gp(d, a); }
template <class A> oneAlgebra<A> operator^(const A &a, double d) { return gp(d, a); }
template <class A> oneAlgebra<A> operator/(const A &a, double d) { return gp(1.0 / d, a); }
template <class A> oneAlgebra<A> operator%(const A &a, double d)
{
	return intoTemp<A>([&](valueOf<A> &t) { t.set(1, a.scalar() * d); });
}
template <class A> oneAlgebra<A> operator+(const A &a, double d) { return add(d, a); }
template <class A> oneAlgebra<A> operator-(const A &a, double d) { return add(-d, a); }

} // namespace ga
