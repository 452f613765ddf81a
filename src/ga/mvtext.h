#pragma once
// Text form of a multivector: the writer `string` (and `fprint`, `print`),
// its class-wide settings, the reader `parseString` and the renaming of
// basis-blade names.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ga/mvben.h"
#include "ga/textformat.h"

namespace ga {

// Texts handed out by `string` before its first slot is reused.
constexpr int sc_nbStringResults = 16;

// Coordinates of this magnitude or less are rounding noise of products and
// are not printed.
constexpr double sc_printThreshold = 1e-14;

// Longest name the reader accepts; it bounds the copy made for the lookup.
constexpr size_t sc_maxNameLength = 254;

namespace text {

// A blank of the reader: codes 1 to 32 and 128 to 255, read unsigned so that
// the signedness of char does not matter.
inline bool isBlank(char c)
{
	unsigned u = (unsigned char)c;
	return u != 0 && (u <= 32 || u >= 128);
}

// Inside a run of signs only the control characters and space count as blanks.
inline bool isSignBlank(char c)
{
	unsigned u = (unsigned char)c;
	return u >= 1 && u <= 32;
}

// True when c is one of the characters of set (a NUL c never is).
inline bool memberOf(char c, const char *set) { return c != '\0' && std::strchr(set, c) != nullptr; }

inline void skipBlanks(const char *str, size_t &i)
{
	while (isBlank(str[i])) i++;
}

// The characters that end a name.
inline bool endsName(char c, char endDelimiter)
{
	return c == '\0' || isBlank(c) || c == '-' || c == '+' || c == '^' || (endDelimiter != 0 && c == endDelimiter);
}

// End of the number token starting at i: digits, '.', 'e', 'E', and a sign
// right after an exponent letter.
inline size_t numberTokenEnd(const char *str, size_t i)
{
	for (; str[i] != '\0'; i++) {
		if (memberOf(str[i], "0123456789.eE")) continue;
		if ((str[i] == '+' || str[i] == '-') && i > 0 && (str[i - 1] == 'e' || str[i - 1] == 'E')) continue;
		break;
	}
	return i;
}

// End of the word "inf" or "nan" at i, which the writer gives a coordinate
// that is no finite number (its sign goes before it, as a number's does);
// 0 when no such word stands there, ended as a name is or by the '*' that
// joins a number to its names.
inline size_t nonFiniteWordEnd(const char *str, size_t i, char endDelimiter)
{
	if (std::strncmp(str + i, "inf", 3) != 0 && std::strncmp(str + i, "nan", 3) != 0) return 0;
	return endsName(str[i + 3], endDelimiter) || str[i + 3] == '*' ? i + 3 : 0;
}

} // namespace text

template <class D, class Def, class S> const char *mvImpl<D, Def, S>::fpPrecision = sc_defaultCoordinateFormat;
template <class D, class Def, class S> const char *mvImpl<D, Def, S>::stringStartDelimiter = "";
template <class D, class Def, class S> const char *mvImpl<D, Def, S>::stringEndDelimiter = "";

template <class D, class Def, class S> textBuffer &mvImpl<D, Def, S>::nextStringResult()
{
	// The ring of returned texts; plain aggregates, so usable before and after main.
	static textBuffer result[sc_nbStringResults];
	static int currentResult;
	textBuffer &t = result[currentResult];
	currentResult = (currentResult + 1) % sc_nbStringResults;
	t.clear();
	return t;
}

template <class D, class Def, class S>
void mvImpl<D, Def, S>::appendTerms(textBuffer &t, const char *fmt, bool stored) const
{
	// one term per printed coordinate, grade by grade in basis order
	const char *const *names = Def::basisElementNames();
	const int bm = gradeUsage();
	const double *p = this->c;
	bool printedAny = false;
	for (int g = 0; g <= Def::dim; g++) {
		if (!(bm & (1 << g))) continue;
		for (int k = 0; k < Def::gradeSize[g]; k++) {
			double x = p[k];
			// a stored text drops only exact zeros; a shown one also the
			// rounding noise (a NaN passes both tests, so that a broken
			// value never reads as 0)
			if (stored ? x == 0.0 : std::fabs(x) <= sc_printThreshold) continue;
			if (printedAny) t.append(" + ");
			t.appendDouble(fmt, stored ? x : roundForPrinting(x));
			if (g > 0) {
				const int blade = Def::gradeOffset[g] + k;
				t.append("*");
				t.append(stored ? originalBasisNames<Def>::name(blade) : names[blade]);
			}
			printedAny = true;
		}
		p += Def::gradeSize[g];
	}
	if (!printedAny) t.append("0");
}

template <class D, class Def, class S> const char *mvImpl<D, Def, S>::string(const char *prec) const
{
	// A format that fails the check could make printf read an argument that
	// is not there, so it is never used: `prec` falls back to fpPrecision,
	// and fpPrecision (a public member) to the built-in default.
	const char *fmt = prec;
	if (!isValidCoordinateFormat(fmt)) fmt = fpPrecision;
	if (!isValidCoordinateFormat(fmt)) fmt = sc_defaultCoordinateFormat;

	// the text is assembled directly in the next slot of the ring
	textBuffer &t = nextStringResult();
	if (stringStartDelimiter != nullptr) t.append(stringStartDelimiter);
	appendTerms(t, fmt, false);
	if (stringEndDelimiter != nullptr) t.append(stringEndDelimiter);
	return t.data;
}

template <class D, class Def, class S> const char *mvImpl<D, Def, S>::storedString(const char *prec) const
{
	const char *fmt = isValidCoordinateFormat(prec) ? prec : sc_storedCoordinateFormat;
	textBuffer &t = nextStringResult();
	appendTerms(t, fmt, true);
	return t.data;
}

template <class D, class Def, class S>
void mvImpl<D, Def, S>::fprint(FILE *F, const char *text, const char *prec) const
{
	if (text != nullptr) std::fputs(text, F);
	std::fprintf(F, "%s\n", string(prec));
}

template <class D, class Def, class S> void mvImpl<D, Def, S>::print(const char *text, const char *prec) const
{
	fprint(stdout, text, prec);
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::setFPPrecision(const char *prec)
{
	// the format in force when it is our own copy, freed on replacement
	static char *owned;
	if (!isValidCoordinateFormat(prec)) return -1;
	// keep a copy: the caller's text may go away
	size_t n = std::strlen(prec) + 1;
	char *copy = static_cast<char *>(std::malloc(n));
	if (copy == nullptr) return -1;
	std::memcpy(copy, prec, n);
	fpPrecision = copy;
	std::free(owned);
	owned = copy;
	return 0;
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::setStringDelimiters(char start, char end)
{
	static char startStr[2];
	static char endStr[2];
	if (!isDelimiterChar(start) || !isDelimiterChar(end)) return -1;
	// a NUL character gives an empty delimiter
	startStr[0] = start;
	endStr[0] = end;
	stringStartDelimiter = startStr;
	stringEndDelimiter = endStr;
	return 0;
}

template <class D, class Def, class S>
int mvImpl<D, Def, S>::parseString(D &x, const char *str, const mvBen<D> &ben)
{
	return x.parseString(str, &ben);
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::parseString(const char *str, const mvBen<D> *ben)
{
	using namespace text;
	null();
	if (str == nullptr) return -1;
	const char startDelimiter = ben ? ben->m_startDelimiter : 0;
	const char endDelimiter = ben ? ben->m_endDelimiter : 0;
	auto isEnd = [&](char c) { return endDelimiter != 0 && c == endDelimiter; };
	size_t i = 0;
	int nbTerms = 0;
	D blade, named, term;

	// the opening delimiter
	if (startDelimiter != 0) {
		skipBlanks(str, i);
		if (str[i] != startDelimiter) return -1;
		i++;
	}

	for (;;) {
		// a term begins with the blade 1; the end of the text ends the sum
		blade.set(1, 1.0);
		skipBlanks(str, i);
		if (str[i] == '\0') return endDelimiter != 0 ? -1 : (int)i;

		// run of signs
		double coefficient = 1.0;
		int nbSigns = 0;
		for (;; i++) {
			if (str[i] == '+') nbSigns++;
			else if (str[i] == '-') {
				coefficient = -coefficient;
				nbSigns++;
			} else if (!isSignBlank(str[i])) break;
		}
		// every term after the first needs a sign
		if (nbTerms > 0 && nbSigns == 0) return -1;

		// number, then a scalar term or the names it multiplies
		const size_t nonFiniteEnd = nonFiniteWordEnd(str, i, endDelimiter);
		if (nonFiniteEnd != 0 || memberOf(str[i], "0123456789.")) {
			size_t end = nonFiniteEnd;
			double number;
			if (nonFiniteEnd != 0) {
				number = str[i] == 'i' ? HUGE_VAL : std::nan("");
			} else {
				end = numberTokenEnd(str, i);
				// strtod reads the same prefix of the token as atof of a copy
				// would; it could read past the token only for a hexadecimal
				// "0x", whose 'x' then fails the parse below anyway
				number = std::strtod(str + i, nullptr);
				// an overflowing number would turn the whole value infinite
				if (!std::isfinite(number)) return -1;
			}
			// the sign run's sign, by negation, which a NaN keeps ("-nan")
			coefficient = coefficient < 0.0 ? -number : number;
			i = end;
			skipBlanks(str, i);
			if (str[i] == '\0') {
				add(coefficient, self());
				return endDelimiter != 0 ? -1 : (int)i;
			}
			if (str[i] == '+' || str[i] == '-') {
				add(coefficient, self());
				nbTerms++;
				continue;
			}
			if (isEnd(str[i])) {
				add(coefficient, self());
				return (int)(i + 1);
			}
			if (str[i] != '*' && str[i] != '^') return -1;
			i++;
			skipBlanks(str, i);
			if (str[i] == '\0') return -1;
		}

		// names joined by '^', multiplied in the order they stand
		for (;;) {
			size_t start = i;
			while (!endsName(str[i], endDelimiter)) i++;
			size_t n = i - start;
			if (n > sc_maxNameLength) return -1;
			char name[sc_maxNameLength + 1];
			std::memcpy(name, str + start, n);
			name[n] = '\0';
			int found = ben ? ben->lookupName(name, named) : mvBen<D>::lookupDefaultName(name, named);
			if (found != 0) return -1;
			blade.op(blade, named);
			while (isBlank(str[i]) && !isEnd(str[i])) i++;
			if (str[i] != '^') break;
			i++;
		}

		// the finished term joins the sum; a coefficient that is no finite
		// number scales only the blade's own coordinates, where times 0 it
		// would put NaNs in all the others
		if (std::isfinite(coefficient)) {
			term.op(coefficient, blade);
		} else {
			double full[Def::nbCoor] = {};
			for (int g = 0; g <= Def::dim; g++) {
				const double *bc = blade.coordinates(1 << g);
				for (int k = 0; k < Def::gradeSize[g]; k++)
					if (bc[k] != 0.0) full[Def::gradeOffset[g] + k] = coefficient * bc[k];
			}
			term.compress(full);
		}
		add(self(), term);
		nbTerms++;
		if (isEnd(str[i])) return (int)(i + 1);
	}
}

template <class D, class Def, class S>
int mvImpl<D, Def, S>::renameBasisVector(const char *oldName, const char *newName)
{
	// an empty name would match everywhere without ever advancing
	if (oldName == nullptr || oldName[0] == '\0' || newName == nullptr) return -1;
	const char **names = Def::basisElementNames();
	int *allocated = Def::basisElementNamesAllocated();
	const size_t oldLength = std::strlen(oldName);
	const size_t newLength = std::strlen(newName);
	long total = 0;
	for (int k = 0; k < Def::nbCoor; k++) {
		// count the occurrences, each search starting after the previous match
		size_t count = 0;
		for (const char *p = std::strstr(names[k], oldName); p; p = std::strstr(p + oldLength, oldName)) count++;
		if (count == 0) continue;
		total += (long)count;
		// the new text, with every occurrence replaced
		size_t length = std::strlen(names[k]) - count * oldLength + count * newLength;
		char *text = static_cast<char *>(std::malloc(length + 1));
		if (text == nullptr) return -1;
		char *out = text;
		const char *src = names[k];
		for (const char *p = std::strstr(src, oldName); p; p = std::strstr(src, oldName)) {
			std::memcpy(out, src, (size_t)(p - src));
			out += p - src;
			std::memcpy(out, newName, newLength);
			out += newLength;
			src = p + oldLength;
		}
		std::strcpy(out, src);
		// the old text goes when it was ours; the original is remembered for the name tables
		originalBasisNames<Def>::remember(k);
		if (allocated[k]) std::free(const_cast<char *>(names[k]));
		names[k] = text;
		allocated[k] = 1;
	}
	return total != 0 ? 0 : -1;
}

template <class D, class Def, class S>
void mvImpl<D, Def, S>::restoreBasisNames()
{
	const char **names = Def::basisElementNames();
	int *allocated = Def::basisElementNamesAllocated();
	for (int k = 0; k < Def::nbCoor; k++) {
		const char *first = originalBasisNames<Def>::saved[k];
		if (first == nullptr) continue;
		if (allocated[k]) std::free(const_cast<char *>(names[k]));
		names[k] = first;
		allocated[k] = 0;
		originalBasisNames<Def>::saved[k] = nullptr;
	}
}

} // namespace ga
