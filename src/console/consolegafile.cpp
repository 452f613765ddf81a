#include "console/consolegafile.h"

#include <cstdlib>
#include <cstring>

#include "os/osdep.h"
#include "os/stringarray.h"

consoleGAfile::consoleGAfile(state *s) : GAfile(s)
{
	m_filename = copyString(sc_filename);
	m_directFileOpen = 1;
}

consoleGAfile::~consoleGAfile() = default;

int consoleGAfile::reset(state *)
{
	cprintf("consoleGAfile::reset() was called, which should never happen!\n");
	m_lineNb = 1;
	return 0;
}

int consoleGAfile::read(state *)
{
	cprintf("consoleGAfile::read() was called, which should never happen!\n");
	return 0;
}

int consoleGAfile::handleDelete()
{
	cprintf("consoleGAfile::handleDelete() was called, which should never happen!\n");
	return 0;
}

int consoleGAfile::read(state *s, const char *text)
{
	// the line being interpreted, if any, stays as it is: the interpreter
	// edits its line in place and still reads it after this returns
	char *outerBuf = m_buf;
	const int outerLen = m_bufLen, outerMaxLen = m_bufMaxLen;
	const quoting outerQuoting = m_quoting;
	m_buf = nullptr;
	m_bufLen = m_bufMaxLen = 0;

	const int n = text != nullptr ? (int)std::strlen(text) : 0;
	ensureBufLen(n);
	if (n > 0) std::memcpy(m_buf, text, (size_t)n);
	m_buf[n] = '\0';
	m_bufLen = n;
	m_quoting = lineQuoting(m_buf);
	substituteArguments(s);
	parseLine(s);

	std::free(m_buf);
	m_buf = outerBuf;
	m_bufLen = outerLen;
	m_bufMaxLen = outerMaxLen;
	m_quoting = outerQuoting;
	return 0;
}
