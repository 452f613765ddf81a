#include "console/consolestatement.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "console/consolemodel.h"
#include "os/osdep.h"

namespace {

// Printed text of each infix operator code; code 0 (juxtaposition) is never printed.
const char *const s_opStrings[COP_COUNT] = {" ", "= ", "/ ", "^ ", ". ", "* ", "+ ", "- ", "& ",
                                            "| ", "== ", "< ", "> ", "<= ", ">= ", "&& ", "|| ", "!= "};

// The unary prefixes and their bits.
struct unaryPrefix {
	char c;
	int bit;
};
const unaryPrefix c_unaryPrefixes[] = {{'-', COP_NEGATE}, {'!', COP_INVERSE}, {'~', COP_REVERSE}};

// Characters skipped between the parts of an operator token. A carriage
// return counts as a blank, so that text with CR LF line ends decodes as with LF.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The infix operator whose text starts at p, the longest that matches; its
// length in *length. 0 (juxtaposition) when none does.
int infixAt(const char *p, int *length)
{
	int code = COP_NONE;
	*length = 0;
	for (int k = 1; k < COP_COUNT; k++) {
		// the printed text without its trailing blank
		int n = (int)std::strlen(s_opStrings[k]) - 1;
		if (n > *length && std::strncmp(p, s_opStrings[k], n) == 0) {
			code = k;
			*length = n;
		}
	}
	return code;
}

} // namespace

consoleStatement::consoleStatement() { initToNothing(); }

consoleStatement::consoleStatement(int line, int column)
{
	initToNothing();
	lineAndColumn(line, column);
}

consoleStatement::consoleStatement(consoleStatement *first)
{
	initToNothing();
	if (first != nullptr) lineAndColumn(first->m_line, first->m_column);
	addChild(first);
}

consoleStatement::consoleStatement(const consoleStatement &s)
{
	initToNothing();
	m_line = s.m_line;
	m_column = s.m_column;
	m_op = s.m_op;
	m_flags = s.m_flags;
	// null children stay null, so positions and the count are the same
	for (int i = 0; i < s.m_nbChildren; i++) addChild(s.m_child[i] ? s.m_child[i]->copy() : nullptr);
}

consoleStatement::~consoleStatement()
{
	for (int i = 0; i < m_nbChildren; i++) delete m_child[i];
	std::free(m_child);
	initToNothing();
}

void consoleStatement::initToNothing()
{
	m_line = -1;
	m_column = -1;
	m_op = 0;
	m_nbChildren = 0;
	m_child = nullptr;
	m_flags = 0;
}

int consoleStatement::addChild(consoleStatement *s)
{
	void *p = std::realloc(m_child, sizeof(consoleStatement *) * (size_t)(m_nbChildren + 1));
	if (p == nullptr) {
		delete s;
		throw std::bad_alloc();
	}
	m_child = static_cast<consoleStatement **>(p);
	m_child[m_nbChildren++] = s;
	return 0;
}

int consoleStatement::line(int line)
{
	m_line = line;
	return 0;
}

int consoleStatement::column(int column)
{
	m_column = column;
	return 0;
}

int consoleStatement::lineAndColumn(int line, int column)
{
	m_line = line;
	m_column = column;
	return 0;
}

int consoleStatement::setOp(int code)
{
	m_op = code;
	return 0;
}

int consoleStatement::setOp(const char *filename, int line, int column, const char *opStr)
{
	const char *p = opStr;
	// step 1: leading control characters and blanks
	while (*p >= 1 && *p <= 32) p++;
	// step 2: the infix operator; any other character ends the scan
	int code = COP_NONE;
	while (*p != 0 && isBlank(*p)) p++;
	if (*p != 0) {
		int length = 0;
		code = infixAt(p, &length);
		p += length;
	}
	// step 3: unary prefixes, each toggling its bit
	for (;; p++) {
		if (isBlank(*p) || *p == '\n') continue;
		const unaryPrefix *u = nullptr;
		for (const unaryPrefix &up : c_unaryPrefixes)
			if (*p == up.c) u = &up;
		if (u == nullptr) break;
		code ^= u->bit;
	}
	// step 4: whatever was decoded before a stray character stays
	m_op = code;
	if (*p == 0) return 0;
	cprintf("Warning: %s%sline %d, column %d: ignoring non-unary operator '%d'\n", filename ? filename : "",
	        filename ? ": " : "", line, column, (int)(unsigned char)*p);
	return -1;
}

int consoleStatement::setFlag(int flag, int val)
{
	m_flags = (val ? flag : 0) | (m_flags & ~flag);
	return 0;
}

int consoleStatement::quote(const char *str)
{
	for (const char *p = str; *p; p++) {
		char c = *p;
		bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
		if (!plain) return 1;
	}
	return 0;
}

// --- pieces of the text forms ------------------------------------------------------

std::string consoleStatement::text(consoleStatement *s, int cr, int tl)
{
	if (s == nullptr) return std::string();
	char *t = s->string(cr, tl);
	std::string r(t ? t : "");
	std::free(t);
	return r;
}

char *consoleStatement::result(const std::string &t)
{
	char *r = static_cast<char *>(std::malloc(t.size() + 1));
	if (r == nullptr) throw std::bad_alloc();
	std::memcpy(r, t.c_str(), t.size() + 1);
	return r;
}

std::string consoleStatement::nameText(const std::string &name)
{
	// a name that starts with a digit would read back as a number and a
	// name, and an empty one as nothing at all
	if (!name.empty() && !quote(name.c_str()) && !(name[0] >= '0' && name[0] <= '9')) return name;
	std::string r = "\"";
	for (char c : name) {
		if (c == '"') r += '\\';
		r += c;
	}
	return r + "\"";
}

std::string consoleStatement::opText(int code)
{
	int infix = code & COP_INFIX_MASK;
	std::string r;
	if (infix != COP_NONE && infix < COP_COUNT) r = s_opStrings[infix];
	if (infix != COP_NONE || !(code & COP_NEGATE)) {
		for (const unaryPrefix &u : c_unaryPrefixes)
			if (code & u.bit) r += u.c;
		return r;
	}
	// Without an infix operator a leading "-" would read back as the infix
	// minus: the other prefixes go first, or a cancelling pair of "!".
	if (code & COP_INVERSE) r += '!';
	if (code & COP_REVERSE) r += '~';
	if (r.empty()) r = "!!";
	return r + '-';
}

const char *consoleStatement::modelName(int model) { return consoleModelName(model); }
