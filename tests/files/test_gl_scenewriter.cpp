// Saved scenes opened again in a shown main window, where every kind of
// console control has its widget: save, open, save, open, save loses
// nothing, and the last two files are the same byte for byte, also for what
// the closing console lines make again; the console's default model and
// inner product come back with the scene; pictures of labels come back
// wherever the saved folder goes.
#include <gtest/gtest.h>

#include <FL/Fl.H>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/consolecontrol.h"
#include "console/consolegafile.h"
#include "console/consoleglobalscope.h"
#include "files/gafile.h"
#include "image/pngwrapper.h"
#include "scene/labelflags.h"
#include "scene/textobject.h"
#include "view/glwindow.h"
#include "support/savedobjects.h"
#include "support/scratchfiles.h"
#include "support/shownui.h"
#include "state/state.h"

namespace {

// How far the camera's rotor may move on its way through a file: the
// rounding of a logarithm and an exponential.
constexpr double sc_rotorTolerance = 1e-15;

class savedScene : public shownUI {
protected:
	scratchDir m_dir;

	void typed(const char *command) { g_consoleCommandCallback(command, g_state); }
	void line(const char *text) { g_state->m_consoleGAfile->read(g_state, text); }

	// The scene saved in the scratch directory: its path.
	std::string save(const char *name)
	{
		const std::string path = m_dir.file(name);
		EXPECT_EQ(g_state->writeStateToGeoFile(path.c_str()), 0);
		return path;
	}
	static std::string text(const std::string &path)
	{
		const bytes b = readFile(path);
		return std::string(b.begin(), b.end());
	}
	// Opens the file as the menu does and reads it to its end.
	void open(const std::string &path)
	{
		g_state->openGAfile(path.c_str(), 0, nullptr, -1);
		g_state->readScripts();
		Fl::check();
	}

	// What each object writes of itself, by name; the camera is compared apart.
	static std::map<std::string, std::string> objectLines() { return savedObjectLines(*g_state); }
	// The objects of before, each as it was, and no other.
	static void expectKept(const std::map<std::string, std::string> &before) { EXPECT_EQ(objectLines(), before); }

	// The picture of a label, which is put there only after the scene was saved.
	std::string picturePath() const { return m_dir.file("later.png"); }

	void buildScene()
	{
		g_state->setE3gaFactor(e3ga(2, 1.0 / 3.0, -2.0, 0.0), 0);
		g_state->setP3gaFactor(p3ga(2, 0.1, 0.0, 0.0, 1.0), 3);
		g_state->setC3gaFactor(c3ga(2, 0.0, 0.0, 1e-300, 1.0, 0.5), 4);
		for (const char *l :
		     {"fgcolor 0.25 0.5 0.75 0.5", "olcolor 0 1 0 0.25", "fontsize 12",
		      "e3ga \"v w\" [0.5*e1 + 2*e2] stipple orientation", "fgcolor 1 0 0 1", "olcolor 0 0 0 1",
		      "fontsize 20", "i2ga \"k\" [0.25*no + 1e-30*e1^gi] hide", "title \"say \\\"hi\\\" # no comment\"",
		      "eyepos [0.1*e1 + 8*e3]", "eyeori [0.3*e1^e2 + 0.2*e2^e3]", "clip 7.5", "cvcolor 0.1 0.2 0.3 1",
		      "fontsize 17"})
			line(l);
		typed("x = 1/3*e1 + 1/7*e2 + 1e-20*e3;");
		typed("y = dm3(stipple(e1^e2))");
		typed("h = hide(e1^e2^e3)");
		typed("p = p3ga_point(1/3, 2, 3); q = c3ga_point(1/3, 0.5, 0); j = cast_i2ga(e1 + e2/3);");
		typed("ctrl_bool(flag = 1); ctrl_range(r = 1/3, 0, 1, 0.01); ctrl_select(m = 2.5, a1 = 1, \"b 1\" = 2.5);");
		typed("add_const(K = 1/3*e1);");
		typed("dynamic{ d = 2*x + K; } dynamic{ nm : f = 3*r; }");
		// what the file could not give back is refused where it is made: a
		// control of no variable or of a constant, a builtin constant renamed
		// onto a control's variable, a function under it
		typed("ctrl_bool(1); ctrl_range(K = 1, 0, 2, 1); rename_builtin_const(e2, r); function r(x) { return x; }");
		// a function typed before the one it calls, and what calls it
		typed("function g2(x) { return h2(x); } function h2(x) { return 2 * x + ::a2; } a2 = 1;");
		typed("function k2(x) { return g2(x) + 1; } dynamic{ dk : z2 = h2(2) + k2(1), }");
		// labels, polygons and meshes at points named after them in name order
		typed("pt = e1 + 1/3*e2; pu = 1/7*e3; pv = e2;");
		for (const char *l :
		     {"tsmode equation", "tsfont italic", "label \"A \\\"q\\\"\" \"pt\" \"x^2 \\\"y\\\"\" flag_dynamic width=120",
		      "tsmode verbatim", "tsfont regular", "label \"W\" [10*e1 + 20*e2] \"corner\" 2d px ny", "hide W",
		      "label \"N\" \"pu\" \"at a point once\" 3d", "polygon \"P\" 3 \"pt\" \"pu\" \"pv\" outline",
		      "simplex \"S\" 2 \"pu\" \"pt\" dynamic dm2 hide", "mesh \"M\" specify_normals",
		      "meshvertex \"M\" 0 [0.1*e3]", "meshvertex \"M\" 1 \"pu\"", "meshvertex \"M\" 2 [e1]",
		      "meshnormal \"M\" 1 [e1]", "meshface \"M\" 0 1 2", "mesh \"D\" dynamic compute_normals_gouraud",
		      "meshvertex \"D\" 0 \"pt\"", "meshvertex \"D\" 1 \"pu\"", "meshvertex \"D\" 2 \"pv\"",
		      "meshface \"D\" 2 1 0"})
			line(l);
		// a picture label whose file is not there yet shows its file name
		line(("label \"Pic\" [0.5*e1] " + GAfile::quoted(picturePath()) + " image 2d").c_str());
		// the camera moved after the file set it
		typed("campos = campos + 1/3*e2; camori = (0.6 + 0.8*e3^e1) * camori;");
		// what the console lines make again is changed after they ran, in
		// the object panel and by a model that now makes other values
		const float c[4] = {0.25f, 0.5f, 0.75f, 1.0f};
		for (const char *name : {"d", "r", "b 1"}) {
			object *obj = g_state->getObjectPtrByName(name);
			ASSERT_NE(obj, nullptr) << name;
			obj->setFgColor(c);
			obj->toggleHide();
		}
		typed("default_model(p3ga);");
	}
};

TEST_F(savedScene, SavingAndOpeningLosesNothing)
{
	buildScene();
	// the picture label shows its file name
	const auto picture = [] { return dynamic_cast<const textObject *>(g_state->getObjectPtrByName("Pic")); };
	ASSERT_NE(picture(), nullptr);
	EXPECT_FALSE(picture()->m_flags & LF_IMAGE);
	const std::map<std::string, std::string> objects = objectLines();
	const e3ga camOri = glwindow::getCamOri();
	const e3ga camPos = glwindow::getCamPos();
	const auto controls = [] {
		std::string names;
		for (const consoleControl *cc : g_state->m_consoleControls) names += std::string(cc->m_name) + ";";
		return names;
	};
	ASSERT_EQ(controls(), "flag;r;m;");
	// the statement that calls a function left out is left out too
	ASSERT_EQ(g_state->m_dynStmt.size(), 3u);

	const std::string f1 = save("1.geo");
	open(f1);
	EXPECT_EQ(controls(), "flag;r;m;");
	// every object as it was, value and flags to the last bit
	expectKept(objects);
	EXPECT_EQ(g_state->m_title, "say \"hi\" # no comment");
	EXPECT_EQ(std::string(glwindow::getCamPos().storedString()), camPos.storedString());
	EXPECT_LT(std::sqrt(sub(glwindow::getCamOri(), camOri).norm_a()), sc_rotorTolerance);
	EXPECT_EQ(g_state->m_e3gaFactor[0].storedString(), std::string(e3ga(2, 1.0 / 3.0, -2.0, 0.0).storedString()));
	EXPECT_EQ(g_state->m_c3gaFactor[4].storedString(), std::string(c3ga(2, 0.0, 0.0, 1e-300, 1.0, 0.5).storedString()));
	ASSERT_EQ(g_state->m_consoleControls.size(), 3u);
	ASSERT_EQ(g_state->m_dynStmt.size(), 2u);
	EXPECT_EQ(g_state->m_dynStmt[1].name(), "nm");
	consoleVariable *K = nullptr;
	ASSERT_EQ(g_state->m_globalScope->lookupUserConstant("K", &K), 0);
	EXPECT_EQ(K->exactString(), "0.3333333333333333*e1");
	delete K;

	const std::string f2 = save("2.geo");
	EXPECT_EQ(text(f2), text(f1));
	open(f2);
	expectKept(objects);
	const std::string f3 = save("3.geo");
	EXPECT_EQ(text(f3), text(f2));

	// the picture label is one still: with its file there it shows the picture
	const std::vector<unsigned char> grey(2 * 2 * 3, 128);
	ASSERT_EQ(savePNG(picturePath().c_str(), grey.data(), 2, 2), 0);
	open(f3);
	ASSERT_NE(picture(), nullptr);
	EXPECT_TRUE(picture()->m_flags & LF_IMAGE);
	EXPECT_EQ(picture()->m_imageWidth, 2);
}

TEST_F(savedScene, TheDefaultModelAndTheInnerProductComeBack)
{
	// a rotor that is a c3ga value, and an inner product of a scalar that
	// only the left contraction does not make zero
	typed("default_model(c3ga); inner_product(lcont);");
	typed("ctrl_range(angle = 1, 0, 6.28);");
	typed("dynamic{rot: R = cos(angle / 2) - sin(angle / 2) * e1 ^ e3, s = 2 . (angle * e1),}");
	const std::map<std::string, std::string> objects = objectLines();
	ASSERT_TRUE(objects.count("R") == 1 && objects.count("s") == 1);
	EXPECT_NE(objects.at("R").find("c3ga \"R\" ["), std::string::npos) << objects.at("R");
	EXPECT_NE(objects.at("s").find("c3ga \"s\" [2.00000000000000000000e+00*e1]"), std::string::npos) << objects.at("s");
	const std::string f1 = save("model.geo");
	EXPECT_NE(text(f1).find("eyeori [0]\nconsole default_model(c3ga);\nconsole inner_product(lcont);\nconsole ctrl_range(angle = "),
	          std::string::npos);
	open(f1);
	expectKept(objects);
	EXPECT_EQ(text(save("again.geo")), text(f1));
	// and what is typed afterwards
	typed("m = e1 ^ e2 ^ e3;");
	const object *m = g_state->getObjectPtrByName("m");
	ASSERT_NE(m, nullptr);
	EXPECT_EQ(m->m_type, OT_C3GA);
}

// Every picture that a saved scene shows comes back when the saved folder
// is renamed and the scene is opened from another directory: its name in
// the file reads back to the same file, whatever name showed it.
TEST_F(savedScene, PicturesComeBackWhereverTheSavedFolderGoes)
{
	const std::string top = m_dir.path;
	namespace fs = std::filesystem;
	for (const char *d : {"talk/~old", "talk/sub/x", "pics", "deep/inner"}) fs::create_directories(m_dir.file(d));
	// ".." after a link goes up from where the link points
	fs::create_directory_symlink(m_dir.file("deep/inner"), m_dir.file("link"));
	// the saved folder reached through a link, as by a talk's "current"
	fs::create_directory_symlink(m_dir.file("talk"), m_dir.file("current"));
	const struct {
		const char *file;     // where the picture lies, in the scratch directory
		std::string shown;    // the name that the label's line in talk/ gives
		std::string written;  // what Save State writes in talk/
	} pictures[] = {
	    // a name that begins with "~" is read as it stands
	    {"talk/~pic.png", "./~pic.png", "./~pic.png"},
	    {"talk/~old/pic.png", "./~old/pic.png", "./~old/pic.png"},
	    {"~cwd.png", "~cwd.png", top + "/~cwd.png"},
	    // no ".." through the saved folder
	    {"pics/p.png", "../pics/p.png", top + "/pics/p.png"},
	    {"talk/in.png", "sub/./x/../../in.png", "in.png"},
	    {"talk/abs.png", top + "/talk/sub/../abs.png", "abs.png"},
	    {"deep/b.png", top + "/link/../b.png", top + "/deep/b.png"},
	    {"talk/lnk.png", top + "/current/lnk.png", "lnk.png"},
	};
	const std::vector<unsigned char> grey(2 * 2 * 3, 128);
	std::string scene;
	for (size_t i = 0; i < std::size(pictures); i++) {
		ASSERT_EQ(savePNG(m_dir.file(pictures[i].file).c_str(), grey.data(), 2, 2), 0) << pictures[i].file;
		scene += "label L" + std::to_string(i) + " [e1] " + GAfile::quoted(pictures[i].shown) + " image\n";
	}
	writeFile(m_dir.file("talk/s.geo"), bytes(scene.begin(), scene.end()));
	const auto loaded = [&](const char *when) {
		EXPECT_EQ(consoleText().find("could not load image"), std::string::npos) << when << consoleText();
		for (size_t i = 0; i < std::size(pictures); i++) {
			const auto *t = dynamic_cast<const textObject *>(g_state->getObjectPtrByName("L" + std::to_string(i)));
			ASSERT_NE(t, nullptr) << when << i;
			EXPECT_EQ(t->m_imageWidth, 2) << when << pictures[i].shown;
		}
	};
	std::string saved;
	{
		workingIn scratch(top);
		open(m_dir.file("talk/s.geo"));
		loaded(" shown");
		saved = text(save("talk/saved.geo"));
		// saved by the link's name, the folder's pictures are named in it
		EXPECT_EQ(text(save("current/linked.geo")), saved);
	}
	for (size_t i = 0; i < std::size(pictures); i++)
		EXPECT_NE(saved.find("] " + GAfile::quoted(pictures[i].written) + " flag_image"), std::string::npos)
		    << pictures[i].shown << "\n"
		    << saved;
	// the folder renamed, the scene opened from elsewhere, and saved again
	// as the same file
	fs::rename(m_dir.file("talk"), m_dir.file("moved"));
	workingIn elsewhere(m_dir.file("deep"));
	open(m_dir.file("moved/saved.geo"));
	loaded(" moved");
	EXPECT_EQ(text(save("moved/again.geo")), saved);
	// and so from the link pointed at the folder's new place
	fs::remove(m_dir.file("current"));
	fs::create_directory_symlink(m_dir.file("moved"), m_dir.file("current"));
	open(m_dir.file("current/linked.geo"));
	loaded(" linked");
	EXPECT_EQ(text(save("current/again.geo")), saved);
}

} // namespace
