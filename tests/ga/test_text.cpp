// The text form of values: writing with formats and delimiters, the format
// check, parsing, round trips, renaming basis vectors and the name tables.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "reference/refcompare.h"

namespace {

using ref::fullOf;

// A value with every coordinate set, of varied signs and magnitudes.
template <class V> V randomFullValue(std::mt19937 &rng)
{
	typedef typename V::def Def;
	std::uniform_real_distribution<double> mantissa(0.1, 1.0);
	std::uniform_int_distribution<int> exponent(-10, 10);
	double c[Def::nbCoor];
	for (int k = 0; k < Def::nbCoor; k++)
		c[k] = (k % 3 == 1 ? -1.0 : 1.0) * mantissa(rng) * std::pow(10.0, exponent(rng));
	V v;
	v.set(Def::gradeMask, c);
	return v;
}

// Prints with "%2.20e", parses back, and expects every coordinate to come
// back as its single-precision rounding; returns the printed length.
template <class V> size_t expectRoundTrip(const V &v, const char *format = "%2.20e")
{
	std::string text = v.string(format);
	V back;
	EXPECT_EQ(back.parseString(text.c_str()), (int)text.size()) << text;
	std::vector<double> a = fullOf(v), b = fullOf(back);
	for (size_t k = 0; k < a.size(); k++) EXPECT_EQ(b[k], (double)(float)a[k]) << "coordinate " << k;
	return text.size();
}

template <class V> void expectCoordinates(const V &v, std::vector<double> expected)
{
	EXPECT_EQ(fullOf(v), expected) << v.string();
}

// What fprint writes, read back from a temporary file.
std::string fprinted(const e3ga &v, const char *text)
{
	FILE *f = std::tmpfile();
	v.fprint(f, text);
	std::rewind(f);
	char buf[256] = {0};
	size_t n = std::fread(buf, 1, sizeof(buf) - 1, f);
	std::fclose(f);
	return std::string(buf, n);
}

} // namespace

TEST(TextWriter, DefaultFormatExamples)
{
	e3ga v(7, std::vector<double>{1.0, 2.0, 0.0, 0.0, 0.0, 0.0, -0.5}.data());
	EXPECT_STREQ(v.string(), "1.00 + 2.00*e1 + -0.50*e1^e2");
	EXPECT_STREQ(e3ga().string(), "0");
	EXPECT_STREQ(e3ga(3, std::vector<double>{3.0, 0.0, 0.0, 1.0}.data()).string(), "3.00 + 1.00*e3");
	// coordinates at the threshold vanish; just above it they print
	EXPECT_STREQ(e3ga(2, 1e-14, -1e-14, 0.0).string(), "0");
	EXPECT_STREQ(e3ga(2, 1e-13, 0.0, 0.0).string(), "0.00*e1");
	// the orientation of each stored blade is its printed name
	EXPECT_STREQ(e3ga(4, 0.0, 2.0, 0.0).string(), "2.00*e3^e1");
	EXPECT_STREQ(e3gai::I.string(), "1.00*e1^e2^e3");
	EXPECT_STREQ(p3gai::e0.string(), "1.00*e0");
	EXPECT_STREQ(c3gai::Ii.string(), "-1.00*e1^e2^e3^no^ni");
	EXPECT_STREQ(i2gai::gi.string(), "1.00*gi");
}

TEST(TextWriter, CoordinatesAreRoundedToSinglePrecision)
{
	EXPECT_STREQ(e3ga(0.1).string("%2.20e"), "1.00000001490116119385e-01");
	// beyond the float range the double itself is printed, not an infinity
	EXPECT_STREQ(e3ga(2, 1e300, 0.0, 0.0).string("%g"), "1e+300*e1");
	EXPECT_STREQ(e3ga(2, -1e300, 0.0, 0.0).string("%g"), "-1e+300*e1");
}

TEST(TextWriter, NonFiniteCoordinatesArePrinted)
{
	const double nan = std::numeric_limits<double>::quiet_NaN();
	const double inf = std::numeric_limits<double>::infinity();
	std::string s = e3ga(2, nan, 1.0, 0.0).string();
	EXPECT_TRUE(s == "nan*e1 + 1.00*e2" || s == "-nan*e1 + 1.00*e2") << s;
	std::string t = e3ga(nan).string();
	EXPECT_TRUE(t == "nan" || t == "-nan") << t;
	EXPECT_STREQ(e3ga(2, 0.0, inf, -inf).string(), "inf*e2 + -inf*e3");
	EXPECT_STREQ(c3ga(1, inf).string("%2.20e"), "inf");
}

TEST(TextParser, NonFiniteCoordinatesReadBackAsStored)
{
	// the stored text of each, parsed back with and without delimiters,
	// gives the same text: infinities and NaNs keep their signs
	const double nan = std::nan(""), inf = HUGE_VAL;
	const e3ga e3values[] = {e3ga(inf), e3ga(-nan), e3ga(2, 1.5, -inf, 0.0), e3ga(4, nan, 0.0, -nan),
	                         e3ga(8, inf), e3ga(3, -inf, nan, 0.0, 2.0)};
	for (const e3ga &v : e3values) {
		const std::string text = v.storedString();
		e3ga back;
		EXPECT_EQ(back.parseString(text.c_str()), (int)text.size()) << text;
		EXPECT_EQ(std::string(back.storedString()), text);
		e3ga_ben ben('[', ']');
		EXPECT_EQ(back.parseString(("[" + text + "]").c_str(), &ben), (int)text.size() + 2) << text;
		EXPECT_EQ(std::string(back.storedString()), text);
	}
	c3ga c;
	EXPECT_EQ(c.parseString("-inf*no^ni + nan*e1"), 19);
	EXPECT_STREQ(c.storedString(), "nan*e1 + -inf*no^ni");
	// the words only as words: "info" and "nanx" are names, which the table
	// does not know, and a number too large is still refused
	const char *refused[] = {"info", "nanx*e1", "inf e1", "-inf2", "1e999*e1"};
	for (const char *text : refused) EXPECT_EQ(c.parseString(text), -1) << text;
}

TEST(TextWriter, DelimitersAndPrecisionSettings)
{
	e3ga v(2, 1.0, 0.0, 0.0);
	ASSERT_EQ(e3gai::setStringDelimiters('[', ']'), 0);
	EXPECT_STREQ(v.string(), "[1.00*e1]");
	EXPECT_STREQ(e3ga().string(), "[0]");
	// codes 128 to 255 are refused whatever the signedness of char
	EXPECT_EQ(e3gai::setStringDelimiters((char)200, ']'), -1);
	EXPECT_STREQ(v.string(), "[1.00*e1]");
	// one set of settings per algebra
	EXPECT_STREQ(p3gai::e1.string(), "1.00*e1");
	ASSERT_EQ(e3gai::setStringDelimiters(0, 0), 0);
	EXPECT_STREQ(v.string(), "1.00*e1");

	// the format is copied: the caller's buffer may change or go away
	char buf[16];
	std::strcpy(buf, "%.1f");
	ASSERT_EQ(e3gai::setFPPrecision(buf), 0);
	std::strcpy(buf, "%s");
	EXPECT_STREQ(v.string(), "1.0*e1");
	EXPECT_EQ(e3gai::setFPPrecision(e3gai::fpPrecision), 0);
	EXPECT_STREQ(v.string(), "1.0*e1");
	EXPECT_EQ(e3gai::setFPPrecision(nullptr), -1);
	EXPECT_EQ(e3gai::setFPPrecision("%d"), -1);
	EXPECT_EQ(e3gai::setFPPrecision("%f%f"), -1);
	EXPECT_STREQ(v.string(), "1.0*e1");
	ASSERT_EQ(e3gai::setFPPrecision("%2.2f"), 0);
	EXPECT_STREQ(v.string(), "1.00*e1");
}

TEST(TextWriter, UncheckedFormatsFallBackToTheSetting)
{
	e3ga v(3, std::vector<double>{-2.0, 0.5, 0.0, 1.0}.data());
	const std::string expected = v.string();
	for (const char *bad : {"%d", "%s", "%n", "%*f", "%lf", "%f%f", "abc%", "%p", "", "no conversion"})
		EXPECT_EQ(v.string(bad), expected) << bad;
	// a broken public setting falls back to the built-in default
	const char *saved = e3gai::fpPrecision;
	e3gai::fpPrecision = "%s";
	EXPECT_EQ(std::string(v.string()), expected);
	e3gai::fpPrecision = saved;
}

TEST(TextFormat, CoordinateFormatCheck)
{
	for (const char *good : {"%f", "%5.3e", "%%%f", "%2.20e", "x = %g%%", "%-+ #010.4E", "%.f", "%A",
	                         "%1000.1000f", "%F", "%G", "%a"})
		EXPECT_TRUE(ga::isValidCoordinateFormat(good)) << good;
	for (const char *bad : {(const char *)nullptr, "", "%d", "%s", "%n", "%*f", "%.*f", "%lf", "%Lf", "%f%f",
	                        "abc%", "%", "%%", "%5", "%1001f", "%.1001f", "%99999999999999999999f",
	                        "%f %d", "%$f", "%1$f"})
		EXPECT_FALSE(ga::isValidCoordinateFormat(bad)) << (bad ? bad : "(null)");
}

TEST(TextWriter, RingOfSixteenTexts)
{
	e3ga a(2, 1.0, 0.0, 0.0), b(2, 0.0, 1.0, 0.0);
	const char *first = a.string();
	const char *second = a.string();
	for (int i = 0; i < 14; i++) b.string();
	// the 17th call fills the first slot again, in place
	const char *seventeenth = b.string();
	EXPECT_EQ(seventeenth, first);
	EXPECT_STREQ(first, "1.00*e2");
	EXPECT_STREQ(second, "1.00*e1");
	// each algebra has its own ring
	const char *other = c3gai::no.string();
	EXPECT_STREQ(second, "1.00*e1");
	EXPECT_STREQ(other, "1.00*no");
}

TEST(TextWriter, FprintAndPrint)
{
	e3ga v(2, 1.0, 0.0, 0.0);
	EXPECT_EQ(fprinted(v, "x = "), "x = 1.00*e1\n");
	EXPECT_EQ(fprinted(v, nullptr), "1.00*e1\n");
	// the text is written as it is, not used as a format
	EXPECT_EQ(fprinted(v, "100%d "), "100%d 1.00*e1\n");
}

TEST(TextParser, NumbersAndSigns)
{
	e3ga v;
	EXPECT_EQ(v.parseString("2e1"), 3);
	expectCoordinates(v, {20, 0, 0, 0, 0, 0, 0, 0});
	EXPECT_EQ(v.parseString(""), 0);
	EXPECT_STREQ(v.string(), "0");
	EXPECT_EQ(v.parseString("e1 + - 2"), 8);
	expectCoordinates(v, {-2, 1, 0, 0, 0, 0, 0, 0});
	EXPECT_EQ(v.parseString("- -e1"), 5);
	expectCoordinates(v, {0, 1, 0, 0, 0, 0, 0, 0});
	EXPECT_EQ(v.parseString("  -.5e+1*e3 + 1.5"), 17);
	expectCoordinates(v, {1.5, 0, 0, -5, 0, 0, 0, 0});
	// a number token longer than any fixed buffer
	std::string big = "1" + std::string(300, '0') + "e-300*e2";
	EXPECT_EQ(v.parseString(big.c_str()), (int)big.size());
	expectCoordinates(v, {0, 0, 1, 0, 0, 0, 0, 0});
}

TEST(TextParser, NamesAndProducts)
{
	e3ga v, w;
	EXPECT_EQ(v.parseString("e1 ^e2"), 6);
	expectCoordinates(v, {0, 0, 0, 0, 0, 0, 1, 0});
	EXPECT_EQ(v.parseString("2 ^ e1"), 6);
	expectCoordinates(v, {0, 2, 0, 0, 0, 0, 0, 0});
	EXPECT_EQ(w.parseString("2*e1"), 4);
	EXPECT_EQ(v.parseString("2^e1"), 4);
	EXPECT_EQ(fullOf(v), fullOf(w));
	EXPECT_EQ(v.parseString("e1^e1"), 5);
	EXPECT_STREQ(v.string(), "0");
	// what the writer prints for the blade e3^e1 reads back as that blade
	e3ga printed(4, 0.0, 2.0, 0.0);
	EXPECT_STREQ(printed.string(), "2.00*e3^e1");
	EXPECT_EQ(v.parseString("2*e3^e1"), 7);
	EXPECT_EQ(fullOf(v), fullOf(printed));
	// the other algebras read their own names
	p3ga p;
	EXPECT_EQ(p.parseString("e1^e0 - 3*e0"), 12);
	EXPECT_STREQ(p.string(), "-3.00*e0 + 1.00*e1^e0");
	c3ga c;
	EXPECT_EQ(c.parseString("no^ni + ni^no"), 13);
	EXPECT_STREQ(c.string(), "0");
	EXPECT_EQ(c.parseString("no^ni"), 5);
	EXPECT_STREQ(c.string(), "1.00*no^ni");
	i2ga g;
	EXPECT_EQ(g.parseString("0.5*go^gi + e2^e1"), 17);
	EXPECT_STREQ(g.string(), "-1.00*e1^e2 + 0.50*go^gi");
}

TEST(TextParser, FailuresKeepTheFinishedTerms)
{
	e3ga v;
	EXPECT_EQ(v.parseString("e1^ e2"), -1);
	EXPECT_EQ(v.parseString("e1 e2"), -1);
	expectCoordinates(v, {0, 1, 0, 0, 0, 0, 0, 0});
	EXPECT_EQ(v.parseString("2 e1"), -1);
	EXPECT_EQ(v.parseString("e1 + 2*e2 + x"), -1);
	expectCoordinates(v, {0, 1, 2, 0, 0, 0, 0, 0});
	EXPECT_EQ(v.parseString("e1*e2"), -1);
	EXPECT_EQ(v.parseString("2*"), -1);
	EXPECT_EQ(v.parseString("2 ^ "), -1);
	EXPECT_EQ(v.parseString("2 / 3"), -1);
	EXPECT_EQ(v.parseString("0x10"), -1);
	EXPECT_EQ(v.parseString(nullptr), -1);
	// a number beyond the double range is refused, not read as infinity
	EXPECT_EQ(v.parseString("e1 + 1e999*e2"), -1);
	expectCoordinates(v, {0, 1, 0, 0, 0, 0, 0, 0});
	EXPECT_EQ(v.parseString("-1e999"), -1);
	EXPECT_STREQ(v.string(), "0");
}

TEST(TextParser, BlanksAreReadUnsigned)
{
	e3ga v;
	// bytes 128 to 255 are blanks between terms
	EXPECT_EQ(v.parseString("\xA0" "e1\xC2\xA0+ e2"), 9);
	expectCoordinates(v, {0, 1, 1, 0, 0, 0, 0, 0});
	// ... but not inside a run of signs, where they start an empty name
	EXPECT_EQ(v.parseString("e1 +\xA0" "e2"), -1);
	EXPECT_EQ(v.parseString("\t-\n3"), 4);
	expectCoordinates(v, {-3, 0, 0, 0, 0, 0, 0, 0});
}

TEST(TextParser, Delimiters)
{
	e3ga_ben ben('[', ']');
	e3ga v;
	EXPECT_EQ(v.parseString("[0]", &ben), 3);
	EXPECT_STREQ(v.string(), "0");
	EXPECT_EQ(v.parseString("[]", &ben), -1);
	EXPECT_EQ(v.parseString("[e1", &ben), -1);
	EXPECT_EQ(v.parseString("", &ben), -1);
	EXPECT_EQ(v.parseString("e1]", &ben), -1);
	EXPECT_EQ(v.parseString("[2", &ben), -1);
	const char *text = " [1.5*e1^e2 - e3]rest";
	EXPECT_EQ(v.parseString(text, &ben), (int)(std::strchr(text, 'r') - text));
	expectCoordinates(v, {0, 0, 0, -1, 0, 0, 1.5, 0});
	EXPECT_EQ(e3gai::parseString(v, "[ 2 ]tail", ben), 5);
	expectCoordinates(v, {2, 0, 0, 0, 0, 0, 0, 0});
	EXPECT_EQ(v.parseString("[e1 ]", &ben), 5);
}

TEST(TextParser, NameLengthLimit)
{
	e3ga_ben ben;
	std::string longest(254, 'a'), tooLong(255, 'b');
	ASSERT_EQ(ben.addName(longest.c_str(), e3gai::I), 0);
	ASSERT_EQ(ben.addName(tooLong.c_str(), e3gai::I), 0);
	e3ga v;
	EXPECT_EQ(v.parseString(("3*" + longest).c_str(), &ben), 256);
	EXPECT_STREQ(v.string(), "3.00*e1^e2^e3");
	EXPECT_EQ(v.parseString(tooLong.c_str(), &ben), -1);
}

TEST(TextRoundTrip, RandomValuesOfEveryAlgebra)
{
	std::mt19937 rng(20240611);
	for (int i = 0; i < 20; i++) {
		expectRoundTrip(randomFullValue<e3ga>(rng));
		expectRoundTrip(randomFullValue<p3ga>(rng));
		expectRoundTrip(randomFullValue<c3ga>(rng));
		expectRoundTrip(randomFullValue<i2ga>(rng));
	}
	// partial values, and the default format for what it keeps
	expectRoundTrip(c3ga(8, 0.25, -0.75, 0.0, 1.0, 2.0, 0.0, 0.0, 0.0, 0.0, 3.0));
	expectRoundTrip(e3ga(1, -4.0), "%g");
	expectRoundTrip(e3ga(), "%2.2f");
}

TEST(TextRoundTrip, LongTextsAndLongFormats)
{
	std::mt19937 rng(7);
	// full values far beyond any fixed scratch size
	EXPECT_GT(expectRoundTrip(randomFullValue<c3ga>(rng)), 1100u);
	EXPECT_GT(expectRoundTrip(randomFullValue<i2ga>(rng)), 2400u);
	// a wide field and a format longer than any fixed term buffer
	EXPECT_GT(expectRoundTrip(randomFullValue<i2ga>(rng), "%300.20e"), 64u * 300u);
	const char *longFormat = "%+000000000000000000000000000030.20e";
	ASSERT_GT(std::strlen(longFormat), 32u);
	c3ga v = randomFullValue<c3ga>(rng);
	expectRoundTrip(v, longFormat);
	std::string padded = v.string(longFormat);
	EXPECT_EQ(padded, v.string("%+030.20e"));
}

TEST(TextRename, RenamingChangesOnlyWhatIsPrinted)
{
	ASSERT_EQ(e3gai::renameBasisVector("e1", "x"), 0);
	EXPECT_STREQ(e3ga(2, 1.0, 0.0, 0.0).string(), "1.00*x");
	EXPECT_STREQ(e3ga(4, 0.0, 1.0, 1.0).string(), "1.00*e3^x + 1.00*x^e2");
	EXPECT_STREQ(e3gai::I.string(), "1.00*x^e2^e3");
	// the readers keep the original names, tables built afterwards too
	e3ga v;
	EXPECT_EQ(v.parseString("e1"), 2);
	EXPECT_EQ(v.parseString("x"), -1);
	e3ga_ben later;
	EXPECT_EQ(v.parseString("e1^e2", &later), 5);
	EXPECT_EQ(later.lookupName("x", v), -1);
	// each algebra has its own names
	EXPECT_STREQ(c3gai::e1.string(), "1.00*e1");
	EXPECT_STREQ(p3ga(4, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0).string(), "1.00*e1^e2");
	// a second renaming replaces the earlier replacement
	ASSERT_EQ(e3gai::renameBasisVector("x", "xx"), 0);
	EXPECT_STREQ(e3gai::I.string(), "1.00*xx^e2^e3");
	ASSERT_EQ(e3gai::renameBasisVector("xx", "e1"), 0);
	EXPECT_STREQ(e3gai::I.string(), "1.00*e1^e2^e3");

	// longer names in another algebra
	ASSERT_EQ(c3gai::renameBasisVector("no", "origin"), 0);
	EXPECT_STREQ(c3gai::I.string(), "1.00*e1^e2^e3^origin^ni");
	ASSERT_EQ(c3gai::renameBasisVector("origin", "no"), 0);
	EXPECT_STREQ(c3gai::I.string(), "1.00*e1^e2^e3^no^ni");

	// nothing to rename
	EXPECT_EQ(e3gai::renameBasisVector("e4", "y"), -1);
	EXPECT_EQ(e3gai::renameBasisVector("", "y"), -1);
	EXPECT_EQ(e3gai::renameBasisVector(nullptr, "y"), -1);
	EXPECT_EQ(e3gai::renameBasisVector("e1", nullptr), -1);
	EXPECT_STREQ(e3gai::I.string(), "1.00*e1^e2^e3");
}

TEST(TextStored, EveryCoordinateReadsBackAsItselfUnderTheOriginalNames)
{
	// exact forms: unrounded, tiny coordinates kept, exact zeros dropped
	const struct {
		e3ga v;
		const char *text;
	} cases[] = {
		{e3ga(0.0), "0"},
		{e3ga(1e-20), "9.99999999999999945153e-21"},
		{e3ga(2, 1.0 / 3.0, 0.0, -2.0), "3.33333333333333314830e-01*e1 + -2.00000000000000000000e+00*e3"},
		{e3gai::I, "1.00000000000000000000e+00*e1^e2^e3"},
	};
	for (const auto &c : cases) EXPECT_STREQ(c.v.storedString(), c.text);
	EXPECT_STREQ(e3ga(2, 0.1, 0.0, 0.0).storedString("%.17g"), "0.10000000000000001*e1");
	// full random values of every algebra, the class-wide format and
	// delimiters notwithstanding
	ASSERT_EQ(c3gai::setStringDelimiters('[', ']'), 0);
	ASSERT_EQ(c3gai::setFPPrecision("%g"), 0);
	std::mt19937 rng(7);
	const auto backIsSame = [](const auto &v) {
		auto back = v;
		const char *text = v.storedString();
		return back.parseString(text) == (int)std::strlen(text) && fullOf(back) == fullOf(v);
	};
	for (int i = 0; i < 20; i++) {
		EXPECT_TRUE(backIsSame(randomFullValue<e3ga>(rng)));
		EXPECT_TRUE(backIsSame(randomFullValue<p3ga>(rng)));
		EXPECT_TRUE(backIsSame(randomFullValue<c3ga>(rng)));
		EXPECT_TRUE(backIsSame(randomFullValue<i2ga>(rng)));
	}
	ASSERT_EQ(c3gai::setStringDelimiters(0, 0), 0);
	ASSERT_EQ(c3gai::setFPPrecision(ga::sc_defaultCoordinateFormat), 0);
	// a renamed basis vector prints renamed and is stored by its original name
	ASSERT_EQ(c3gai::renameBasisVector("no", "origin"), 0);
	EXPECT_STREQ(c3gai::no.string(), "1.00*origin");
	EXPECT_STREQ(op(c3gai::no, c3gai::ni).storedString("%g"), "1*no^ni");
	ASSERT_EQ(c3gai::renameBasisVector("origin", "no"), 0);
}

TEST(NameTable, AddLookupRemove)
{
	e3ga_ben ben;
	e3ga v(5.0);
	// an existing name keeps its value
	EXPECT_EQ(ben.addName("e1", e3gai::e2), -1);
	EXPECT_EQ(ben.lookupName("e1", v), 0);
	expectCoordinates(v, {0, 1, 0, 0, 0, 0, 0, 0});
	// any value may be named
	EXPECT_EQ(ben.addName("I", e3gai::I), 0);
	EXPECT_EQ(v.parseString("2*I - e1", &ben), 8);
	expectCoordinates(v, {0, -1, 0, 0, 0, 0, 0, 2});
	// removing moves the last entry into the gap
	EXPECT_EQ(ben.removeName("e2"), 0);
	ASSERT_EQ(ben.m_nbBen, 3);
	EXPECT_STREQ(ben.m_ben[1]->m_name, "I");
	EXPECT_STREQ(ben.m_ben[2]->m_name, "e3");
	EXPECT_EQ(v.parseString("e2", &ben), -1);
	// a null name is stored but never found
	EXPECT_EQ(ben.addName(nullptr, e3gai::e2), 0);
	EXPECT_EQ(ben.addName(nullptr, e3gai::e3), 0);
	EXPECT_EQ(ben.m_nbBen, 5);
	v = 5.0;
	EXPECT_EQ(ben.lookupName(nullptr, v), -1);
	EXPECT_EQ(ben.removeName(nullptr), 0);
	EXPECT_EQ(ben.m_nbBen, 5);
	expectCoordinates(v, {5, 0, 0, 0, 0, 0, 0, 0});
	// an emptied table finds nothing and leaves the output alone
	EXPECT_EQ(ben.removeAll(), 0);
	EXPECT_EQ(ben.m_nbBen, 0);
	EXPECT_EQ(ben.m_ben, nullptr);
	EXPECT_EQ(ben.lookupName("e1", v), -1);
	expectCoordinates(v, {5, 0, 0, 0, 0, 0, 0, 0});
	EXPECT_EQ(ben.setDefaults(), 0);
	EXPECT_EQ(ben.m_nbBen, 3);
}

TEST(NameTable, DelimiterSettings)
{
	c3ga_ben ben('[', ']');
	EXPECT_EQ(ben.m_startDelimiter, '[');
	EXPECT_EQ(ben.m_endDelimiter, ']');
	EXPECT_EQ(ben.setDelimiters((char)200, ')'), -1);
	EXPECT_EQ(ben.m_startDelimiter, '[');
	EXPECT_EQ(ben.setDelimiters('(', ')'), 0);
	c3ga v;
	EXPECT_EQ(v.parseString("(no)", &ben), 4);
	EXPECT_EQ(ben.setDefaults(), 0);
	EXPECT_EQ(ben.m_startDelimiter, 0);
	c3ga_ben refused((char)130, ']');
	EXPECT_EQ(refused.m_startDelimiter, 0);
	EXPECT_EQ(refused.m_endDelimiter, 0);
}
