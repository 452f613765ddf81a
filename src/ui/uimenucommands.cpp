// The commands of the main menu by code, the "About" text and the camera
// output of the "Utils" menu.
#include <FL/Fl.H>
#include <FL/fl_ask.H>

#include <cmath>
#include <cstdint>
#include <string>

#include "view/glwindow.h"
#include "os/osdep.h"
#include "ui/scriptui.h"
#include "state/state.h"
#include "ui/ui.h"
#include "ui/uimenu.h"
#include "ui/version.h"

namespace {

// The canvas's light grey, which has an item of its own; white, grey and
// black follow from their codes.
constexpr float sc_lightGreyCanvas = 0.65f;

// Playback speeds of the codes MC_SPEED_QUARTER to MC_SPEED_AFAP: the speed
// divides time, so "0.25x realtime" is 4 and "AFAP" (as fast as possible) 0.
const double c_playbackSpeeds[] = {4.0, 2.0, 1.0, 0.5, 0.25, 0.1, 0.0};
constexpr int sc_playbackSpeedCount = sizeof c_playbackSpeeds / sizeof c_playbackSpeeds[0];

// Coordinates of the camera output: every digit that matters.
const char *const c_cameraFormat = "%e";

void setCanvas(float grey)
{
	g_state->setColor("cvcolor", grey, grey, grey, 0.0f);
	uiRedrawView();
}

// Shows every hidden object but the program's own variables.
void unhideAll()
{
	for (state::objectMap::value_type &entry : g_state->m_objects)
		if (entry.second->hidden() && !(entry.second->m_drawMode & DM_INTERNAL)) entry.second->show();
	uiRedrawView();
}

// The camera's rotor scaled to unit size (R ~R = 1); a rotor of no size
// stays as it is.
e3ga unitCameraRotor()
{
	e3ga R = glwindow::getCamOri();
	const double s = lcont(R, R.reverse()).scalar();
	if (s > 0.0) R = gp(1.0 / std::sqrt(s), R);
	return R;
}

} // namespace

const char *aboutText()
{
	static const std::string s_text = std::string(sc_productName) + " " + sc_version +
	                                  ", by the Korimbel authors.\n"
	                                  "\n"
	                                  "Korimbel makes use of the following great libraries/programs:\n"
	                                  "\n"
	                                  "-flex and byacc (label typesetting parser)\n"
	                                  "-zlib and libpng (reading and writing images)\n"
	                                  "-FLTK (user interface)\n"
	                                  "-ANTLR (console parser and internal programming language)";
	return s_text.c_str();
}

void printCameraBivector()
{
	const e3ga R = unitCameraRotor();
	const e3ga B = R.grade(1 << 2);
	const double squares = B.norm_a();
	// the angle of the rotation times its unit plane
	const double angle = std::atan2(std::sqrt(squares), R.scalar());
	const e3ga bivector = squares == 0.0 ? e3ga(0.0) : e3ga(gp(angle, B.normal(1)));
	cprintf("Camera bivector: %s", bivector.string(c_cameraFormat));
}

void printCameraRotor() { cprintf("Camera rotor: %s", unitCameraRotor().string(c_cameraFormat)); }

void printCameraTranslation() { cprintf("Camera translation: %s\n", glwindow::getCamPos().string(c_cameraFormat)); }

void markPlaybackSpeed(double speed)
{
	for (int i = 0; i < sc_playbackSpeedCount; i++)
		setMenuRadio(menuTablePosition(gui_menuTable, menuCode(MC_SPEED_QUARTER + i)), c_playbackSpeeds[i] == speed);
}

void ui_menuCommand(int code) { ui_menuCallback(nullptr, menuCode(code)); }

void ui_menuCallback(Fl_Widget *, void *data)
{
	const int code = static_cast<int>(reinterpret_cast<intptr_t>(data));
	const int position = menuTablePosition(gui_menuTable, data);
	UIstate *ui = gui_state;
	if (ui == nullptr || g_state == nullptr) return;
	switch (code) {
	// --- files
	case MC_OPEN: ui->openAnyFile(); break;
	case MC_OPEN_GEO_FILE: ui->openGeoFile(nullptr); break;
	case MC_OPEN_PLAYLIST: ui->openPlayList(nullptr); break;
	case MC_OPEN_G_FILE: ui->loadGFile(nullptr); break;
	case MC_LOAD_G_DIRECTORY: ui->loadGDir(); break;
	case MC_SAVE_STATE: ui->saveState(); break;
	case MC_REPLAY: g_state->replayFirstGAfile(); break;
	case MC_NEXT_IN_PLAYLIST: g_state->nextPlayListEntry(); break;
	case MC_PREVIOUS_IN_PLAYLIST: g_state->previousPlayListEntry(); break;
	// the main window goes once the event loop has it back, which then ends
	case MC_EXIT: uiExit(); break;

	// --- view
	case MC_SELECT_OBJECT: ui->createSelectWindow(2); break;
	case MC_UNHIDE_ALL: unhideAll(); break;
	case MC_SELECT_HIDDEN_OBJECT: ui->createSelectWindow(1); break;
	case MC_SHOW_HIDDEN_OBJECT: ui->createSelectWindow(3); break;
	// white, grey and black: (26 - code) / 2
	case MC_CANVAS_WHITE:
	case MC_CANVAS_GREY:
	case MC_CANVAS_BLACK: setCanvas(static_cast<float>(MC_CANVAS_BLACK - code) * 0.5f); break;
	case MC_CANVAS_LIGHT_GREY: setCanvas(sc_lightGreyCanvas); break;
	case MC_CONSOLE_FONT_12:
	case MC_CONSOLE_FONT_16:
	case MC_CONSOLE_FONT_20:
	case MC_CONSOLE_FONT_24: ui->setConsoleFontSizeFromMenu(code); break;
	case MC_POINT_SIZE_001:
	case MC_POINT_SIZE_005:
	case MC_POINT_SIZE_01:
	case MC_POINT_SIZE_05:
		ui->setPointSizeFromMenu(code);
		uiRedrawView();
		break;
	case MC_LINE_WIDTH_1:
	case MC_LINE_WIDTH_2:
	case MC_LINE_WIDTH_4:
	case MC_LINE_WIDTH_8:
		ui->setLineWidthFromMenu(code);
		uiRedrawView();
		break;
	case MC_TOGGLE_CONTROLS: ui->toggleHideControls(position); break;
	case MC_TOGGLE_SCALAR_CONTROLS: ui->toggleHideScalarControls(position); break;
	case MC_TOGGLE_CONSOLE: ui->toggleHideConsole(position); break;
	case MC_LABELS_ON_TOP:
		g_state->m_labelsAlwaysOnTop = !g_state->m_labelsAlwaysOnTop;
		setMenuCheck(position, g_state->m_labelsAlwaysOnTop != 0);
		uiRedrawView();
		break;
	case MC_DESCRIPTION_IN_STATUS:
		ui->m_alwaysObjectDescriptionInStatusBar = !ui->m_alwaysObjectDescriptionInStatusBar;
		if (!ui->m_alwaysObjectDescriptionInStatusBar) ui->setStatus("");
		setMenuCheck(position, ui->m_alwaysObjectDescriptionInStatusBar);
		break;
	case MC_GL_LINES:
		ui->m_tubeDraw.setUseOpenGL(!ui->m_tubeDraw.getUseOpenGL());
		setMenuCheck(position, ui->m_tubeDraw.getUseOpenGL());
		uiRedrawView();
		break;
	case MC_FULLSCREEN: ui->toggleFullscreen(position); break;

	// --- dynamic statements, the animation clock and playback
	case MC_DYNAMIC_STATEMENTS: ui->createDynStmtWindow(); break;
	case MC_START_ANIMATION: g_state->startAnimation(); break;
	case MC_STOP_ANIMATION: g_state->stopAnimation(); break;
	case MC_PAUSE_ANIMATION: g_state->pauseAnimation(); break;
	case MC_SPEED_QUARTER:
	case MC_SPEED_HALF:
	case MC_SPEED_REALTIME:
	case MC_SPEED_DOUBLE:
	case MC_SPEED_FOURFOLD:
	case MC_SPEED_TENFOLD:
	case MC_SPEED_AFAP: g_state->setPlaybackSpeed(c_playbackSpeeds[code - MC_SPEED_QUARTER]); break;

	// --- utilities and help
	case MC_NEXT_BOOKMARK: g_state->bookmarkSearch(); break;
	case MC_CAMERA_BIVECTOR: printCameraBivector(); break;
	case MC_CAMERA_ROTOR: printCameraRotor(); break;
	case MC_CAMERA_TRANSLATION: printCameraTranslation(); break;
	case MC_SCREENSHOT: ui->createScreenshotDialog(); break;
	case MC_ABOUT: fl_message("%s", aboutText()); break;
	default: break;
	}
}
