// Keywords on the windows: title, status line, console, panels, sizes, full
// screen, the end of the program, and clearing the scene or the console.
#include <strings.h>

#include "files/gafile.h"
#include "files/gafilekeywords.h"
#include "scene/object.h"
#include "os/osdep.h"
#include "ui/scriptui.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// The panel names of "hide" and "show".
struct panelName {
	const char *word;
	uiPanel panel;
};
const panelName c_panelNames[] = {
	{"controls", UI_PANEL_CONTROLS},
	{"scalar_controls", UI_PANEL_SCALAR_CONTROLS},
	{"console", UI_PANEL_CONSOLE},
};

// The smallest main window a script may ask for: the menu, the view and the
// status line still fit.
constexpr int sc_minWindowWidth = 400;
constexpr int sc_minWindowHeight = 100;
// The tallest console a script may ask for, in pixels or lines.
constexpr int sc_maxConsoleHeight = 2048;
// The smallest view a script may ask for.
constexpr int sc_minViewWidth = 200;
constexpr int sc_minViewHeight = 16;

// The integers after the keyword, at most max of them; how many were read.
int readInts(const gaLine &l, int *v, int max)
{
	int n = 0;
	for (int pos = l.pos; n < max && (pos = gaReadInt(l.line, pos, v[n])) >= 0;) n++;
	return n;
}

// Sizes and places of windows, held within what the view's GL serves (a
// larger view ends the software GL, and numbers near the range of an int
// overflow the layout's sums), with a message when one was held.
void holdWithinWindowSides(const gaLine &l, int *v, int n)
{
	const int most = uiMaxWindowSide();
	bool held = false;
	for (int k = 0; k < n; k++) {
		if (v[k] >= -most && v[k] <= most) continue;
		v[k] = v[k] < 0 ? -most : most;
		held = true;
	}
	if (held)
		cprintf("warning: GAfile::parseLine(): file '%s': '%s' entry at line '%d' held within %d pixels\n",
		        l.file->m_filename, l.kw.c_str(), l.file->m_lineNb, most);
}

} // namespace

int gaKwTitle(const gaLine &l)
{
	std::string text;
	if (gaReadName(l.line, l.pos, text) < 0) l.noName();
	else l.s->setTitle(text.c_str());
	return 0;
}

int gaKwConsoleFontSize(const gaLine &l)
{
	int n;
	if (gaReadInt(l.line, l.pos, n) < 0 || n <= 0) l.invalidEntry("fontsize");
	else uiSetConsoleFontSize(n);
	return 0;
}

int gaKwClear(const gaLine &l)
{
	// a statement that runs this line must finish in the scope it runs in
	if (l.s->m_commandNesting > 0) l.s->m_clearRequested = 1;
	else l.s->clearScene();
	return 0;
}

int gaKwClearConsole(const gaLine &l)
{
	uiClearConsole();
	l.s->removeAllConsoleControls();
	return 0;
}

int gaKwHideShow(const gaLine &l)
{
	std::string name;
	if (gaReadName(l.line, l.pos, name) < 0) {
		l.noName();
		return 0;
	}
	const bool show = strcasecmp(l.kw.c_str(), "show") == 0;
	for (const panelName &p : c_panelNames) {
		if (strcasecmp(name.c_str(), p.word) != 0) continue;
		uiShowPanel(p.panel, show);
		return 0;
	}
	object *obj = l.s->getObjectPtrByName(name);
	if (obj == nullptr) {
		cprintf("GAfile::parseLine(): file '%s': invalid name '%s' specified in entry '%s' at line '%d'\n",
		        l.file->m_filename, name.c_str(), l.kw.c_str(), l.file->m_lineNb);
		return 0;
	}
	if (show) obj->show();
	else obj->hide();
	uiRedrawView();
	return 0;
}

int gaKwStatus(const gaLine &l)
{
	std::string text;
	if (gaReadName(l.line, l.pos, text) < 0) l.noName();
	else if (!l.textTooLong(text)) uiSetStatus(text.c_str());
	return 0;
}

int gaKwExit(const gaLine &)
{
	uiExit();
	return 0;
}

int gaKwResize(const gaLine &l)
{
	int v[4];
	int n = readInts(l, v, 4);
	// w h, or x y w h
	int *wh = n == 4 ? v + 2 : v;
	if ((n != 2 && n != 4) || wh[0] <= 0 || wh[1] <= 0) {
		l.invalid();
		return 0;
	}
	if (wh[0] < sc_minWindowWidth) wh[0] = sc_minWindowWidth;
	if (wh[1] < sc_minWindowHeight) wh[1] = sc_minWindowHeight;
	holdWithinWindowSides(l, v, n);
	uiResizeMainWindow(n == 4 ? v[0] : 0, n == 4 ? v[1] : 0, wh[0], wh[1], n == 4);
	return 0;
}

int gaKwConsoleHeight(const gaLine &l)
{
	if (!uiHasConsolePanel()) return 0;
	int n;
	std::string unit;
	int pos = gaReadInt(l.line, l.pos, n);
	if (pos >= 0) pos = gaReadName(l.line, pos, unit);
	if (pos < 0 || n < 0 || n > sc_maxConsoleHeight || (unit != "pixels" && unit != "lines")) {
		l.invalid();
		return 0;
	}
	uiSetConsoleHeight(n, unit == "lines");
	return 0;
}

int gaKwViewWindowSize(const gaLine &l)
{
	if (!uiHasView()) return 0;
	int v[2];
	if (readInts(l, v, 2) != 2 || v[0] < 0 || v[1] < 0) {
		l.invalid();
		return 0;
	}
	if (v[0] < sc_minViewWidth) v[0] = sc_minViewWidth;
	if (v[1] < sc_minViewHeight) v[1] = sc_minViewHeight;
	holdWithinWindowSides(l, v, 2);
	int w = v[0], h = v[1];
	uiSetViewSize(w, h);
	cprintf("New view window size: %d x %d", w, h);
	return 0;
}

int gaKwFullscreen(const gaLine &l)
{
	std::string word;
	if (GAfile::readString(l.line, l.pos, word, "") < 0 || word == "on") uiFullscreen(true);
	else if (word == "off") uiFullscreen(false);
	else l.invalid();
	return 0;
}
