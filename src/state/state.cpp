#include "state/state.h"

#include <climits>
#include <cstdlib>

#include "console/consolecontrol.h"
#include "console/consolecontrolstmt.h"
#include "console/consolegafile.h"
#include "console/consoleglobalscope.h"
#include "draw/geosphere.h"
#include "os/osdep.h"
#include "ui/scriptui.h"
#include "os/stringarray.h"
#include "typeset/typeset.h"

state *g_state = nullptr;

state::state()
{
	g_state = this;
	initToNothing();
	// the longest path the system names
	char cwd[PATH_MAX];
	if (u_dirGetCwd(cwd, sizeof cwd) == 0) m_initialWorkingDirectory = cwd;
	m_playListParse = 0;
	m_playbackSpeed = 1.0;
	setColor("fgcolor", "r");
	setColor("bgcolor", 0.7f, 0.7f, 0.7f, 1.0f);
	setColor("olcolor", 0.0f, 0.0f, 0.0f, 1.0f);
	setColor("cvcolor", 0.5f, 0.5f, 0.5f, 1.0f);
	m_fontSize = sc_defaultFontSize;
	m_clipDistance = sc_defaultClipDistance;
	m_labelsAlwaysOnTop = 1;
	m_ambient = sc_defaultAmbient;
	m_diffuse = sc_defaultDiffuse;
	// the shared spheres of points and of spheres; a sphere left by an earlier
	// state is replaced, not leaked
	gsFree(&g_pointSphere);
	gsFree(&g_sphereSphere);
	gsCompute(&g_pointSphere, sc_pointSphereDepth);
	gsCompute(&g_sphereSphere, sc_sphereSphereDepth);
	tsReset();
	m_deleteFileQuestion = copyString(sc_defaultDeleteFileQuestion);
	m_consoleGAfile = new consoleGAfile(this);
	newGlobalScope();
	// the network waits for the first tick, which opens the default port
	// unless start-up said otherwise
	m_nbNetServers = -1;
	m_displayNetworkCommands = true;
}

state::~state()
{
	delete m_consoleGAfile;
	m_consoleGAfile = nullptr;
	deleteGAfileStack(nullptr, 0);
	std::free(m_deleteFileQuestion);
	m_deleteFileQuestion = nullptr;
	removeAllDynStmt();
	removeAllConsoleControls();
	removeAllObjects();
	delete m_globalScope;
	m_globalScope = nullptr;
	gsFree(&g_pointSphere);
	gsFree(&g_sphereSphere);
	delete m_typesetState;
	clearPlayList();
	freeOpenFile();
	closeNetServers();
	initToNothing();
	// no one may reach a state that is gone
	if (g_state == this) g_state = nullptr;
}

void state::initToNothing()
{
	m_consoleGAfile = nullptr;
	m_workingDirectory.clear();
	m_initialWorkingDirectory.clear();
	m_GAfileStackDepth = -1;
	m_GAfileStack = nullptr;
	m_deleteFileQuestion = nullptr;
	m_openFilename = nullptr;
	m_openFileLevel = 0;
	m_openFileNbArg = 0;
	m_openFileArg = nullptr;
	m_playListLength = -1;
	m_playListPos = -1;
	m_playList = nullptr;
	m_playListParse = 0;
	m_playListsReading.clear();
	m_nestedPlayLists = 0;
	m_unreadPlayListLines = 0;
	m_heldPlayListMessages.clear();
	m_inputSleepTime = -1.0;
	m_inputWait = 0;
	m_inputWaitTime = -1.0;
	m_playbackSpeed = -1.0;
	m_bookmarkSearch = 0;
	m_preBookmarkSearchPlaybackSpeed = 0.0;
	m_globalScope = nullptr;
	m_dynStmtUpdating = false;
	m_dynStmtChanges = 0;
	m_title.clear();
	m_eyeOriKnown = false;
	m_eyeOriRotor = 0.0;
	m_eyeOriBivector = 0.0;
	m_commandNesting = 0;
	m_GAfileReadNesting = 0;
	m_clearRequested = 0;
	for (float *c : {m_fgColor, m_bgColor, m_olColor, m_cvColor})
		for (int i = 0; i < 4; i++) c[i] = 0.0f;
	m_fontSize = 0.0f;
	m_clipDistance = -1.0f;
	m_poFactor = 0.0f;
	m_poUnits = 0.0f;
	m_ambient = -1.0f;
	m_diffuse = -1.0f;
	m_labelsAlwaysOnTop = 0;
	m_trlTime = m_trlEndTime = -1.0;
	m_trl = 0.0;
	m_rotTime = m_rotEndTime = -1.0;
	m_rot = 0.0;
	m_animationMode = ANIMATION_STOPPED;
	m_lastAnimationUpdate = -1.0;
	for (e3ga &f : m_e3gaFactor) f = 0.0;
	for (p3ga &f : m_p3gaFactor) f = 0.0;
	for (c3ga &f : m_c3gaFactor) f = 0.0;
	m_typesetState = nullptr;
	m_tsMode = m_tsFont = nullptr;
	m_netServers = nullptr;
	m_nbNetServers = 0;
	m_displayNetworkCommands = false;
	m_netPolling = false;
	m_netRequests.clear();
}

int state::reset(const char *filename)
{
	removeAllDynStmt();
	stopAnimation();
	removeAllObjects();
	deleteGAfileStack(filename, 0);
	resetGAfileState();
	uiClearConsole();
	m_displayNetworkCommands = true;
	newGlobalScope();
	return 0;
}

int state::newGlobalScope()
{
	// no lookup may reach the scope while it is taken down
	consoleGlobalScope *old = m_globalScope;
	m_globalScope = nullptr;
	delete old;
	// a new scene, like a new program, knows the builtin constants by their
	// first names: a saved scene renames them again from those, so that it
	// reads back the same wherever it is opened
	consoleGlobalScope::restoreBuiltinNames();
	m_globalScope = new consoleGlobalScope(nullptr);
	return setDefaultGlobalScopeVariables();
}

int state::setDefaultGlobalScopeVariables()
{
	// the program maintains these itself: hidden, and never displayed
	const int system = DM_INTERNAL | DM_HIDE;
	m_globalScope->externalAssignVariable(sc_camOriName, e3ga(1.0), system);
	m_globalScope->externalAssignVariable(sc_camPosName, gp(sc_defaultCameraDistance, e3ga(e3gai::e3)), system | DM_MAGNITUDE);
	m_globalScope->externalAssignVariable("autocolor", e3ga(1.0), system);
	// the controls stay with the values they show
	return restoreConsoleControlVariables();
}

int state::modified(const std::string &name, bool markStatements)
{
	m_netVarChanges.insert(name);
	// a change of an element counts for its array
	const std::string base = name.substr(0, name.find('['));
	for (dynStmtInfo &d : m_dynStmt)
		if (markStatements && d.ds()->dependsOn(base)) d.ds()->evalRequired(1);
	// the control bound to it shows the new value at the next update
	for (consoleControl *cc : m_consoleControls)
		if (base == cc->m_name) {
			cc->m_updateRequired = 1;
			break;
		}
	return 0;
}
