#pragma once
// A fixture for tests of scripts: a state without a user interface, a
// scratch directory for script files, a clock that moves only when the test
// says so, and the timer's script steps run by hand. Output is what the
// console would show.
#include <gtest/gtest.h>

#include <string>

#include "console/console.h"
#include "console/consolegafile.h"
#include "console/consoleglobalscope.h"
#include "files/gafile.h"
#include "os/osdep.h"
#include "support/scratchfiles.h"
#include "state/state.h"

class scriptTest : public testing::Test {
protected:
	static double s_now;
	static double clock() { return s_now; }

	scratchDir m_dir;
	state m_state;

	void SetUp() override
	{
		s_now = 1000.0;
		u_timeSetSource(clock);
	}
	void TearDown() override { u_timeSetSource(nullptr); }

	// The clock moves on by dt seconds.
	void later(double dt) { s_now += dt; }

	// Writes text as the file name in the scratch directory; its full path.
	std::string write(const std::string &name, const std::string &text)
	{
		std::string path = m_dir.file(name);
		writeFile(path, bytes(text.begin(), text.end()));
		return path;
	}

	// Each runs something and returns what it printed.
	template <class F> std::string output(F f)
	{
		testing::internal::CaptureStdout();
		f();
		return testing::internal::GetCapturedStdout();
	}
	std::string line(const std::string &text)
	{
		return output([&] { m_state.m_consoleGAfile->read(&m_state, text.c_str()); });
	}
	std::string typed(const char *command)
	{
		return output([&] { g_consoleCommandCallback(command, &m_state); });
	}
	std::string open(const std::string &path, int level = -1)
	{
		return output([&] { m_state.openGAfile(path.c_str(), 0, nullptr, level); });
	}
	// One tick's script steps.
	std::string tick()
	{
		return output([&] { m_state.readScripts(); });
	}

	bool has(const std::string &name) const { return m_state.getObjectPtrByName(name) != nullptr; }
	// The e3ga value of a global variable, as text; "none" when there is none.
	std::string value(const char *name)
	{
		e3ga v;
		if (m_state.m_globalScope->externalLookupVariable(name, 1, v) != 0) return "none";
		return v.string("%g");
	}
	GAfile *top() const
	{
		return m_state.m_GAfileStackDepth >= 0 ? m_state.m_GAfileStack[m_state.m_GAfileStackDepth] : nullptr;
	}
};

inline double scriptTest::s_now = 0.0;
