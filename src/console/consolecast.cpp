// Conversions of console values between the four models. Basis vectors are
// matched by name (e0 of p3ga being the same vector as no of c3ga and i2ga);
// every basis blade built only from matched vectors goes over to the same
// blade of the target, with the sign of any reordering of its vectors, and
// every other blade is dropped.
#include <cmath>
#include <cstring>
#include <type_traits>

#include "console/consolevariable.h"

namespace {

// Parts within this of zero are dropped from a converted value: rounding
// noise, far below any coordinate a user types.
constexpr double sc_castEpsilon = 1e-14;

// Which geometric role each basis-vector name plays across the models.
struct basisRole {
	const char *name;
	int role;
};
const basisRole c_basisRoles[] = {
	{"e1", 1}, {"e2", 2}, {"e3", 3},
	{"e0", 4}, {"no", 4}, // the origin
	{"ni", 5},            // infinity
	{"go", 6}, {"gi", 7}, // grayscale origin and infinity
};

// The role of basis vector v of algebra V; 0 for a vector no other model has.
template <class V> int roleOf(int v)
{
	const char *name = ga::originalBasisNames<typename V::def>::vectorName(v);
	for (const basisRole &r : c_basisRoles)
		if (std::strcmp(r.name, name) == 0) return r.role;
	return 0;
}

// The coordinate index and sign of a basis blade, which has one coordinate of +-1.
template <class V> void bladeCoordinate(const V &blade, int *index, double *sign)
{
	for (int g = 0; g <= V::dim; g++) {
		const double *c = blade.coordinates(1 << g);
		for (int j = 0; j < V::def::gradeSize[g]; j++) {
			if (c[j] == 0.0) continue;
			*index = V::def::gradeOffset[g] + j;
			*sign = c[j];
			return;
		}
	}
}

// Where each coordinate of S goes in T, made once per pair of models.
template <class S, class T> struct castTable {
	int target[S::nbCoor]; // coordinate index in T, or -1 when the blade is dropped
	double sign[S::nbCoor];

	castTable()
	{
		// the counterpart in T of each basis vector of S, or -1
		int counterpart[S::dim];
		for (int v = 0; v < S::dim; v++) {
			counterpart[v] = -1;
			for (int w = 0; w < T::dim; w++)
				if (roleOf<S>(v) != 0 && roleOf<S>(v) == roleOf<T>(w)) counterpart[v] = w;
		}
		for (int k = 0; k < S::nbCoor; k++) {
			// the blade as the outer product of its vectors in index order,
			// in S and with the counterparts in T; the stored blades may
			// differ from these by their signs
			int vectors = S::def::newBevt[k];
			S fromS = 1.0;
			T inT = 1.0;
			target[k] = -1;
			sign[k] = 0.0;
			bool carried = true;
			for (int v = 0; v < S::dim; v++) {
				if (!(vectors & (1 << v))) continue;
				fromS ^= *S::bv[v];
				if (counterpart[v] < 0) carried = false;
				else inT ^= *T::bv[counterpart[v]];
			}
			if (!carried) continue;
			int sourceIndex = 0;
			double sourceSign = 0.0, targetSign = 0.0;
			bladeCoordinate(fromS, &sourceIndex, &sourceSign);
			bladeCoordinate(inT, &target[k], &targetSign);
			sign[k] = sourceSign * targetSign;
		}
	}
};

// The value of model S converted to model T, in a temporary of T.
template <class S, class T> T &convert(const S &source)
{
	static const castTable<S, T> table;
	double c[T::nbCoor] = {};
	// every source coordinate is read once, for the blade of its own name
	for (int g = 0; g <= S::dim; g++) {
		const double *sc = source.coordinates(1 << g);
		for (int j = 0; j < S::def::gradeSize[g]; j++) {
			int k = S::def::gradeOffset[g] + j;
			if (table.target[k] >= 0) c[table.target[k]] = table.sign[k] * sc[j];
		}
	}
	// a grade is kept when a coordinate lies beyond epsilon or is no number:
	// a failed computation stays NaN instead of passing for a zero
	int kept = 0;
	for (int g = 0; g <= T::dim; g++)
		for (int j = 0; j < T::def::gradeSize[g]; j++) {
			const double x = c[T::def::gradeOffset[g] + j];
			if (std::isnan(x) || std::fabs(x) > sc_castEpsilon) kept |= 1 << g;
		}
	T &result = T::getTemp();
	result.compress(c, kept);
	return result;
}

} // namespace

template <class T> consoleVariable *consoleVariable::castTo() const
{
	consoleVariable *result = nullptr;
	visitModel(m_model, m_mv, [&](const auto &mv) {
		using S = modelValue<decltype(mv)>;
		// a copy within the model is not compressed
		if constexpr (std::is_same<S, T>::value) result = new consoleVariable(std::string(), mv);
		else result = new consoleVariable(std::string(), convert<S, T>(mv));
	});
	return result;
}

consoleVariable *consoleVariable::castToE3ga() const { return castTo<e3ga>(); }
consoleVariable *consoleVariable::castToP3ga() const { return castTo<p3ga>(); }
consoleVariable *consoleVariable::castToC3ga() const { return castTo<c3ga>(); }
consoleVariable *consoleVariable::castToI2ga() const { return castTo<i2ga>(); }
