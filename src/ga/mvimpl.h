#pragma once
// The implementation class shared by the four algebras: storage queries,
// products, involutions, inverses, text form, join and meet, classification.
// D is the concrete class (e3gai, p3gai, c3gai, i2gai), Def its generated
// traits, Storage the pool or the in-place array.  The members are defined
// in the mvimpl_*.h files, one concern each.
#include <cstdio>
#include <type_traits>

#include "ga/gaproduct.h"
#include "ga/mvstorage.h"

namespace ga {

template <class I> class mvOm;
template <class I> class mvBen;
template <class I> class mvBe;
template <class V> class mvValueOm;
struct textBuffer;

// True when every type is a number type, integers included.
template <class... T> constexpr bool areNumbers = (std::is_arithmetic<T>::value && ...);

// True when gradeUsage is a bitmap of the algebra that selects exactly count
// coordinates; the bitmap is tested first, so mvSize is never read out of range.
template <class Def> constexpr bool selectsCount(int gradeUsage, int count)
{
	return (gradeUsage & ~Def::gradeMask) == 0 && Def::mvSize[gradeUsage] == count;
}

template <class D, class Def, class Storage> class mvImpl : public Storage {
public:
	typedef Def def;
	typedef mvBen<D> benType;
	typedef mvOm<D> omType;
	static constexpr int dim = Def::dim;
	static constexpr int nbCoor = Def::nbCoor;

	// --- construction, copying, setting ---------------------------------------
	mvImpl() {}
	mvImpl(const mvImpl &a) : Storage(a) { copy(a.self()); }
	// A bitmap and coordinates as set takes them; a refused set leaves zero.
	mvImpl(int gradeUsage, const double *coordinates) { set(gradeUsage, coordinates); }
	template <class C0, class... T, class = std::enable_if_t<areNumbers<C0, T...>>>
	mvImpl(int gradeUsage, C0 c0, T... rest) { set(gradeUsage, c0, rest...); }
	~mvImpl() { this->setUsage(0); }
	mvImpl &operator=(const mvImpl &a)
	{
		copy(a.self());
		return *this;
	}

	void copy(const D &a);
	void null() { this->setUsage(0); }
	// Each set returns 0, or -1 when it refuses: a bitmap with bits beyond the
	// algebra, or coordinates given as numbers that are not exactly as many as
	// the bitmap selects.  A refused set leaves the value as it was.
	// The coordinates of the selected grades, packed; a null array reads as zeros.
	int set(int gradeUsage, const double *coordinates);
	// set(bitmap, c0, c1, ...): the coordinate types are deduced so that a
	// literal 0 is the number zero rather than a null array.
	template <class C0, class... T, class = std::enable_if_t<areNumbers<C0, T...>>>
	int set(int gradeUsage, C0 c0, T... rest);
	// set<bitmap>(c0, c1, ...): with the bitmap a constant, a wrong count or
	// bitmap does not compile.
	template <int GU, class C0, class... T,
	          class = std::enable_if_t<areNumbers<C0, T...> && selectsCount<Def>(GU, 1 + sizeof...(T))>>
	int set(C0 c0, T... rest) { return set(GU, c0, rest...); }

	void setScalar(const double *coordinates) { setGrade(0, coordinates); }
	void setVector(const double *coordinates) { setGrade(1, coordinates); }
	void set2Vector(const double *coordinates) { setGrade(2, coordinates); }
	void set3Vector(const double *coordinates) { setGrade(3, coordinates); }
	void set4Vector(const double *coordinates) { setGrade(4, coordinates); }
	void set5Vector(const double *coordinates) { setGrade(5, coordinates); }
	void set6Vector(const double *coordinates) { setGrade(6, coordinates); }
	// One grade from numbers, as many as the grade has (checked at compile time).
	template <class... T> auto setScalar(T... c) -> decltype(set<1>(c...)) { return set<1>(c...); }
	template <class... T> auto setVector(T... c) -> decltype(set<2>(c...)) { return set<2>(c...); }
	template <class... T> auto set2Vector(T... c) -> decltype(set<4>(c...)) { return set<4>(c...); }
	template <class... T> auto set3Vector(T... c) -> decltype(set<8>(c...)) { return set<8>(c...); }

	// --- queries ------------------------------------------------------------------
	int gradeUsage() const { return this->usage & Def::gradeMask; }
	int memUsage() const { return this->usage >> Def::countShift; }
	double scalar() const { return (this->usage & 1) ? this->c[0] : 0.0; }
	const double *coordinates(int grade) const;
	int grade() const;
	int maxGrade() const;
	int largestGrade() const;
	double largestCoordinate() const;
	// Whether every coordinate is a finite number: no infinity, no NaN.
	bool isFinite() const;

	// --- conversions for the kernels -------------------------------------------
	void expand(const double **pa) const;
	void expand(const D &b, const double **pa, const double **pb) const;
	void expand2i(const D &b, const double **pa, const double **pb) const;
	// Keeps the grade parts of a full array that are not exactly zero; only
	// the grades of `grades` are read.
	void compress(const double *coordinates, int grades = Def::gradeMask);
	void compress(double epsilon);
	void takeGrade(const D &a, int gu);
	void expand(double *matrix, const int *table) const;

	static int resetProfile() { return 0; }
	static int printProfile(float) { return 0; }
	static int saveProfile(const char *) { return 0; }

	// --- products and sums ---------------------------------------------------------
	// Inlined where it is called, as the general path was before the
	// dispatch: a call of its own costs the small products a tenth.
	template <int P> [[gnu::always_inline]] inline void product(const D &a, const D &b);
	void gp(const D &a, const D &b) { product<P_GP>(a, b); }
	void op(const D &a, const D &b) { product<P_OP>(a, b); }
	void lcont(const D &a, const D &b) { product<P_LCONT>(a, b); }
	void rcont(const D &a, const D &b) { product<P_RCONT>(a, b); }
	void scp(const D &a, const D &b) { product<P_SCP>(a, b); }
	void hip(const D &a, const D &b) { product<P_HIP>(a, b); }
	void mhip(const D &a, const D &b) { product<P_MHIP>(a, b); }
	// Euclidean-metric products; where the metric is orthonormal already
	// (e3ga, p3ga) they are the ordinary ones.
	void gpem(const D &a, const D &b) { product<P_GPEM>(a, b); }
	void lcem(const D &a, const D &b) { product<P_LCEM>(a, b); }
	void scpem(const D &a, const D &b) { product<P_SCPEM>(a, b); }
	// Part K (a productPart) of product P; where the pair has a kernel for
	// the part, no other grade is computed.
	template <int P, int K> void productPart(const D &a, const D &b);
	void op(double a, const D &b);
	void add(const D &a, const D &b);
	void sub(const D &a, const D &b);
	void add(double scalar, const D &b);
	void sub(double scalar, const D &b);

	// --- involutions, duals and norms (mvimpl_unary.h)
	void reverse(const D &a);
	void cliffordConjugate(const D &a);
	void gradeInvolution(const D &a);
	void negate(const D &a);
	int fastDual(const D &a);
	double norm_a() const;
	double norm_b() const;
	void normalize(const D &a, int norm);

	// --- inverses (mvimpl_inverse.h)
	int versorInverse(const D &a);
	int versorInverseEM(const D &a);
	int generalInverse(const D &a);

	// --- random blades and versors (mvimpl_random.h)
	int random(int grade, double scale, int versor);

	// --- outer morphism applied to a (mvom.h)
	void om(const D &a, const mvOm<D> &om);

	// --- text form and parsing (mvtext.h)
	const char *string(const char *prec = nullptr) const;
	// The text form of a value that is stored and read again: every nonzero
	// coordinate exactly as held (not rounded to float, however small),
	// under the basis names before any renaming, without delimiters; by
	// default in sc_storedCoordinateFormat.
	const char *storedString(const char *prec = nullptr) const;
	void fprint(FILE *F, const char *text = nullptr, const char *prec = nullptr) const;
	void print(const char *text = nullptr, const char *prec = nullptr) const;
	static int setFPPrecision(const char *prec);
	static int setStringDelimiters(char start, char end);
	int parseString(const char *str, const mvBen<D> *ben = nullptr);
	static int parseString(D &x, const char *str, const mvBen<D> &ben);
	static int renameBasisVector(const char *oldName, const char *newName);
	// Gives every renamed basis element its name from before any renaming.
	static void restoreBasisNames();
	static const char *fpPrecision;
	static const char *stringStartDelimiter;
	static const char *stringEndDelimiter;

	// --- join, meet and factorization (mvimpl_join.h)
	int highestGrade(const D &a, double epsilon);
	int deltaProduct(const D &a, const D &b);
	int joinAlg1(const D &a, const D &b, int ga, int gb, int gj);
	int joinAlg2(const D &a, const D &b, int ga, int gb, int gj);
	int join(const D &a, const D &b, int algorithm);
	int meet(const D &a, const D &b, int algorithm);
	int factor(D *factors, int versor) const;

	// --- classification, projection, reciprocal frames (mvimpl_classify.h)
	int mvType(int *grade, double epsilon) const;
	static int reciprocalFrame(D *f, const D *e, int nbVectors);
	int project(const D &blade, const D &a);
	int reject(const D &blade, const D &a);
	int projectOntoVersor(const D &versor, const D &a);
	int projectEM(const D &blade, const D &a);

protected:
	const D &self() const { return static_cast<const D &>(*this); }
	D &self() { return static_cast<D &>(*this); }
	void setGrade(int g, const double *coordinates) { set(1 << g, coordinates); }
	// A kernel on packed operands writes the parts it keeps, packed, and
	// returns their usage word; a general kernel adds into a full array whose
	// producible grades are clear.
	typedef int (*packedKernel)(const double *, const double *, double *);
	typedef void (*generalKernel)(const double **, const double **, double *);
	// Runs a packed kernel on packed operands a and b into this value, whose
	// pair can produce the usage word most; through a local array when the
	// target is also an operand (aliased).
	[[gnu::always_inline]] inline void runPacked(const double *a, const double *b, bool aliased, int most,
	                                             packedKernel kernel);
	// The local array's way, kept out of line: the common way stays short
	// enough to be inlined where a product is taken.
	[[gnu::noinline]] void runPackedIntoScratch(const double *a, const double *b, packedKernel kernel);
	// The grades of the full array that the general path clears and compresses.
	template <int P> static int generalGrades(int ua, int ub);
	// Sets the coordinates of the grades of `grades` in a full array to 0.0.
	static void clearGrades(double *full, int grades);
	template <class Sum> void sumOf(const D &a, const D &b, Sum kernel, bool negateSecond);
	template <class Sum> void sumWithScalar(double scalar, const D &b, Sum kernel, bool negateSecond);
	// where a member's target is also an operand, compute into a local first
	bool isOperand(const void *a, const void *b = nullptr) const { return a == this || b == this; }

private:
	// The terms of the text form appended to t; stored: as storedString.
	void appendTerms(textBuffer &t, const char *fmt, bool stored) const;
	// The next text of the ring that string and storedString hand out, emptied.
	static textBuffer &nextStringResult();
};

} // namespace ga

#include "ga/mvimpl_storage.h"
#include "ga/mvimpl_products.h"
