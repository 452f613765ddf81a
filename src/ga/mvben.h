#pragma once
// Tables of named basis elements: the names the text reader knows, each
// standing for a value of the algebra (by default its basis vectors).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace ga {

// The names the basis blades had before any renaming.  Renaming changes
// only what the writer prints; the default table keeps the original names.
template <class Def> struct originalBasisNames {
	// null until the name at that coordinate index is first replaced
	static const char *saved[Def::nbCoor];

	static const char *name(int k) { return saved[k] ? saved[k] : Def::basisElementNames()[k]; }
	// Called just before the name at index k is replaced.
	static void remember(int k)
	{
		if (saved[k] == nullptr) saved[k] = Def::basisElementNames()[k];
	}
	// The original name of basis vector v.
	static const char *vectorName(int v) { return name(Def::gradeOffset[1] + v); }
};

template <class Def> const char *originalBasisNames<Def>::saved[Def::nbCoor];

// True when c can serve as a delimiter: seven-bit characters only, tested on
// the unsigned value so that the signedness of char does not matter.
inline bool isDelimiterChar(char c) { return (unsigned char)c < 128; }

// One name and the value it stands for.  Owns its copy of the name.
template <class I> class mvBe {
public:
	char *m_name; // may be null: then no lookup ever matches
	I m_mv;

	mvBe(const char *name, const I &mv)
	{
		initToNothing();
		if (name != nullptr) {
			size_t n = std::strlen(name) + 1;
			m_name = static_cast<char *>(std::malloc(n));
			if (m_name != nullptr) std::memcpy(m_name, name, n);
		}
		m_mv.copy(mv);
	}
	~mvBe()
	{
		std::free(m_name);
		initToNothing();
	}
	mvBe(const mvBe &) = delete;
	mvBe &operator=(const mvBe &) = delete;

	void initToNothing()
	{
		m_name = nullptr;
		m_mv.null();
	}

	// 1 when both names exist and are equal byte for byte, else 0.
	int compareName(const char *name) const
	{
		if (name == nullptr || m_name == nullptr) return 0;
		return std::strcmp(name, m_name) == 0 ? 1 : 0;
	}
};

// A table of names with optional delimiters that must enclose a parsed text.
// Owns its entries; not copyable.
template <class I> class mvBen {
public:
	typedef typename I::def Def;

	char m_startDelimiter; // 0 for none
	char m_endDelimiter;   // 0 for none
	int m_nbBen;
	mvBe<I> **m_ben;

	mvBen()
	{
		initToNothing();
		setDefaults();
	}
	mvBen(char startDelimiter, char endDelimiter)
	{
		initToNothing();
		setDefaults();
		setDelimiters(startDelimiter, endDelimiter);
	}
	~mvBen()
	{
		removeAll();
		initToNothing();
	}
	mvBen(const mvBen &) = delete;
	mvBen &operator=(const mvBen &) = delete;

	void initToNothing()
	{
		m_startDelimiter = 0;
		m_endDelimiter = 0;
		m_nbBen = 0;
		m_ben = nullptr;
	}

	int setDelimiters(char startDelimiter, char endDelimiter)
	{
		if (!isDelimiterChar(startDelimiter) || !isDelimiterChar(endDelimiter)) return -1;
		m_startDelimiter = startDelimiter;
		m_endDelimiter = endDelimiter;
		return 0;
	}

	// Only the basis vectors under their original names, no delimiters.
	int setDefaults()
	{
		removeAll();
		m_startDelimiter = 0;
		m_endDelimiter = 0;
		for (int v = 0; v < Def::dim; v++) {
			int r = addName(originalBasisNames<Def>::vectorName(v), *I::bv[v]);
			if (r != 0) return r;
		}
		return 0;
	}

	int addName(const char *name, const I &mv)
	{
		// an existing name keeps its value
		I existing;
		if (lookupName(name, existing) == 0) return -1;
		// one more slot in the array
		size_t bytes = sizeof(mvBe<I> *) * (size_t)(m_nbBen + 1);
		void *p = std::realloc(m_ben, bytes);
		if (p == nullptr) return allocationFailure(bytes);
		m_ben = static_cast<mvBe<I> **>(p);
		// the entry, with its own copy of the name
		mvBe<I> *be = new (std::nothrow) mvBe<I>(name, mv);
		if (be == nullptr) return allocationFailure(sizeof(mvBe<I>));
		if (name != nullptr && be->m_name == nullptr) {
			delete be;
			return allocationFailure(std::strlen(name) + 1);
		}
		m_ben[m_nbBen++] = be;
		return 0;
	}

	// The value of the first entry of that name, in array order.
	int lookupName(const char *name, I &mv) const
	{
		for (int i = 0; i < m_nbBen; i++) {
			if (m_ben[i]->compareName(name)) {
				mv.copy(m_ben[i]->m_mv);
				return 0;
			}
		}
		return -1;
	}

	// What a default table would find, without building one.
	static int lookupDefaultName(const char *name, I &mv)
	{
		if (name == nullptr) return -1;
		for (int v = 0; v < Def::dim; v++) {
			if (std::strcmp(name, originalBasisNames<Def>::vectorName(v)) == 0) {
				mv.copy(*I::bv[v]);
				return 0;
			}
		}
		return -1;
	}

	// Removes every entry of that name; the last entry fills each gap.
	int removeName(const char *name)
	{
		for (int i = 0; i < m_nbBen;) {
			if (!m_ben[i]->compareName(name)) {
				i++;
				continue;
			}
			delete m_ben[i];
			m_ben[i] = m_ben[m_nbBen - 1];
			m_nbBen--;
		}
		return 0;
	}

	int removeAll()
	{
		for (int i = 0; i < m_nbBen; i++) delete m_ben[i];
		std::free(m_ben);
		m_ben = nullptr;
		m_nbBen = 0;
		return 0;
	}

private:
	static int allocationFailure(size_t bytes)
	{
		std::printf("%s_ben::addName(): memory allocation failure for '%d' bytes\n", Def::name, (int)bytes);
		return -1;
	}
};

} // namespace ga
