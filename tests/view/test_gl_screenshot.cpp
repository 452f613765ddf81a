// Screenshots from the view of a shown main window on a virtual X server:
// the request and its checks, the countdown of redraws, the tiles and the
// PNG file they make, the second file without labels, and the failures that
// leave the program running.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Int_Input.H>
#include <GL/gl.h>
#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "view/glwindow.h"
#include "scene/object.h"
#include "image/pngwrapper.h"
#include "ui/screenshotdialog.h"
#include "support/scratchfiles.h"
#include "support/shownui.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// A stand-in for a label: a red square left of and below the middle of the
// image, drawn in window pixels of the render size, that vanishes when text
// has no size.
class labelLike : public object {
public:
	explicit labelLike(const std::string &name) : object(OT_TEXT, name, 0, 0, 0) {}
	int pick(glwindow *w) override { return draw(w); }
	double drawSortValue() override { return 3.0; }
	int draw(glwindow *w) override
	{
		if (gui_state->m_textScale <= 0.0) return 0;
		w->setup2DOrtho();
		const double cx = w->getRenderWidth() / 2 - 200, cy = w->getRenderHeight() / 2 - 100;
		glDisable(GL_LIGHTING);
		glColor3d(1.0, 0.0, 0.0);
		glBegin(GL_QUADS);
		glVertex3d(cx - 20, cy - 20, -2);
		glVertex3d(cx + 20, cy - 20, -2);
		glVertex3d(cx + 20, cy + 20, -2);
		glVertex3d(cx - 20, cy + 20, -2);
		glEnd();
		w->setup3DProjection();
		w->setupEyeTransform();
		return 0;
	}
};

// An RGB image, rows from the top.
struct image_s {
	int w = 0, h = 0;
	std::vector<unsigned char> rgb;
	const unsigned char *at(int x, int y) const { return &rgb[((size_t)y * w + x) * 3]; }
};

class screenshot : public shownUI {
protected:
	scratchDir m_dir;

	void SetUp() override
	{
		shownUI::SetUp();
		// a scene with depth and colour: a blue disc at the centre, a point
		// above it and a vector to the right
		g_state->consoleCommandCallback("B = e1 ^ e2, P = c3ga_point(0, 1.5, 0), v = 2 e1,");
		// the window system has shown the view once it has drawn
		drawn();
	}
	// Lets the event loop run until the view has drawn what it was asked to.
	void drawn()
	{
		for (int i = 0; i < 200 && m_ui->m_glWindow->damage() != 0; i++) Fl::wait(0.01);
		EXPECT_EQ(m_ui->m_glWindow->damage(), 0);
	}
	// Redraws the view until the requested screenshot has been taken.
	void takePending()
	{
		for (int i = 0; i < 10 && m_ui->m_screenShotOnNextRedraw > 0; i++) {
			m_ui->m_glWindow->redraw();
			drawn();
		}
	}
	// Requests and takes a shot; returns what went to standard output.
	std::string shoot(const std::string &file, int w, int h, bool alsoNoLabels = false)
	{
		testing::internal::CaptureStdout();
		m_ui->setupScreenshot(file, w, h, alsoNoLabels);
		takePending();
		return testing::internal::GetCapturedStdout();
	}
	static bool load(const std::string &file, image_s &im)
	{
		unsigned char *pixels = nullptr;
		if (loadPNG(file.c_str(), &pixels, &im.w, &im.h, 0) != 0) return false;
		im.rgb.assign(pixels, pixels + (size_t)im.w * im.h * 3);
		std::free(pixels);
		return true;
	}
	// The window's own frame, rows from the top.
	image_s windowPixels()
	{
		glwindow *v = m_ui->m_glWindow;
		v->make_current();
		v->draw();
		glFinish();
		image_s im;
		im.w = v->w();
		im.h = v->h();
		std::vector<unsigned char> up((size_t)im.w * im.h * 3);
		glPixelStorei(GL_PACK_ALIGNMENT, 1);
		glReadBuffer(GL_BACK);
		glReadPixels(0, 0, im.w, im.h, GL_RGB, GL_UNSIGNED_BYTE, up.data());
		im.rgb.resize(up.size());
		for (int y = 0; y < im.h; y++)
			std::copy_n(&up[(size_t)(im.h - 1 - y) * im.w * 3], im.w * 3, &im.rgb[(size_t)y * im.w * 3]);
		return im;
	}
	static bool exists(const std::string &file)
	{
		struct stat st;
		return stat(file.c_str(), &st) == 0;
	}
	static bool redAt(const image_s &im, int x, int y)
	{
		const unsigned char *p = im.at(x, y);
		return p[0] > 200 && p[1] < 50 && p[2] < 50;
	}
};

TEST_F(screenshot, ALargeShotIsRenderedInTilesAndWrittenBandByBand)
{
	const std::string file = m_dir.file("large.png");
	const std::string out = shoot(file, 2000, 1500);
	// 3 x 4 tiles of 664 x 375 pixels
	EXPECT_NE(consoleText().find("Screenshot: size: 1992 x 1500\nFile: " + file + "\n"), std::string::npos);
	EXPECT_NE(out.find("Rendering tile 1 / 12\n"), std::string::npos);
	EXPECT_NE(out.find("Rendering tile 12 / 12\n"), std::string::npos);
	EXPECT_EQ(out.find("Rendering tile 13"), std::string::npos);
	EXPECT_NE(out.find("Rendering tile 3 / 12\nWriting row 3 to png\nRendering tile 4 / 12\n"), std::string::npos);
	EXPECT_NE(out.find("Rendering tile 12 / 12\nWriting row 0 to png\n"), std::string::npos);
	image_s im;
	ASSERT_TRUE(load(file, im));
	EXPECT_EQ(im.w, 1992);
	EXPECT_EQ(im.h, 1500);
	// the request stays for the dialog, the countdown is done, the view is back
	EXPECT_EQ(m_ui->m_screenShotOnNextRedraw, 0);
	EXPECT_EQ(m_ui->m_ssWidth, 2000);
	EXPECT_FALSE(m_ui->m_glWindow->m_screenShotActive);
}

TEST_F(screenshot, AShotOfTheWindowsSizeIsTheWindow)
{
	const std::string file = m_dir.file("same.png");
	shoot(file, 724, 445);
	image_s shot;
	ASSERT_TRUE(load(file, shot));
	const image_s window = windowPixels();
	// the scene is there: the disc at the centre, the point above it
	EXPECT_GT(window.at(362 - 30, 222)[2], 200);
	EXPECT_TRUE(redAt(window, 362, 222 - 155));
	ASSERT_EQ(shot.w, window.w);
	ASSERT_EQ(shot.h, window.h);
	EXPECT_TRUE(shot.rgb == window.rgb);
}

TEST_F(screenshot, TilesAssembleTheViewAtTwiceItsSize)
{
	// a large point in one quadrant: a tile out of place cannot match
	m_ui->setPointSize(0.5);
	g_state->consoleCommandCallback("Q = c3ga_point(1.2, 1, 0),");
	// 2 x 2 tiles of the window's size; every 2 x 2 block of the shot is
	// the window's pixel there, the edges of shapes aside
	const std::string file = m_dir.file("double.png");
	shoot(file, 1448, 890);
	image_s shot;
	ASSERT_TRUE(load(file, shot));
	ASSERT_EQ(shot.w, 1448);
	ASSERT_EQ(shot.h, 890);
	const image_s window = windowPixels();
	const unsigned char *canvas = window.at(0, 0);
	int scene = 0, same = 0;
	for (int y = 0; y < window.h; y++)
		for (int x = 0; x < window.w; x++) {
			const unsigned char *a = window.at(x, y), *b = shot.at(2 * x, 2 * y);
			if (a[0] == canvas[0] && a[1] == canvas[1] && a[2] == canvas[2]) continue;
			scene++;
			if (std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) < 30) same++;
		}
	EXPECT_GT(scene, 10000);
	EXPECT_GT(same, scene * 95 / 100);
}

TEST_F(screenshot, ASecondFileWithoutLabels)
{
	g_state->addObject(new labelLike("L"), 0);
	struct case_s {
		std::string file, withoutLabels;
	} cases[] = {{"shot.png", "shot_wol.png"},
	             {"shot", "shot_wol"},
	             {"a.png.d/shot", "a.png.d/shot_wol"},
	             {"SHOT.PNG", "SHOT_wol.PNG"}};
	ASSERT_EQ(mkdir(m_dir.file("a.png.d").c_str(), 0700), 0);
	for (const case_s &c : cases) {
		shoot(m_dir.file(c.file), 724, 445, true);
		image_s with, without;
		ASSERT_TRUE(load(m_dir.file(c.file), with)) << c.file;
		ASSERT_TRUE(load(m_dir.file(c.withoutLabels), without)) << c.withoutLabels;
		EXPECT_TRUE(redAt(with, 162, 322)) << c.file;
		EXPECT_FALSE(redAt(without, 162, 322)) << c.file;
		// the text scale and the request as they were
		EXPECT_DOUBLE_EQ(m_ui->m_textScale, 1.0);
		EXPECT_EQ(m_ui->m_ssFilename, m_dir.file(c.file));
	}
	// a label of the program's own: in the first file only
	g_state->removeObject("L");
	g_state->consoleCommandCallback("label(P),");
	shoot(m_dir.file("real.png"), 724, 445, true);
	image_s with, without;
	ASSERT_TRUE(load(m_dir.file("real.png"), with));
	ASSERT_TRUE(load(m_dir.file("real_wol.png"), without));
	EXPECT_FALSE(with.rgb == without.rgb);
	// without a label both files are the same
	std::vector<std::string> labels;
	for (const auto &entry : g_state->m_objects)
		if (entry.second->type() == OT_TEXT) labels.push_back(entry.second->name());
	ASSERT_EQ(labels.size(), 1u);
	g_state->removeObject(labels[0]);
	shoot(m_dir.file("none.png"), 724, 445, true);
	ASSERT_TRUE(load(m_dir.file("none.png"), with));
	ASSERT_TRUE(load(m_dir.file("none_wol.png"), without));
	EXPECT_TRUE(with.rgb == without.rgb);
}

TEST_F(screenshot, TheShotIsTakenOnTheThirdRedraw)
{
	// the ticks are run by hand here
	Fl::remove_timeout(ui_timerCallback);
	const std::string file = m_dir.file("late.png");
	m_ui->setupScreenshot(file, 100, 80, false);
	EXPECT_EQ(m_ui->m_screenShotOnNextRedraw, 3);
	// the request draws the view once, then each tick asks for a redraw
	for (int draw = 1; draw <= 3; draw++) {
		EXPECT_FALSE(exists(file)) << draw;
		if (draw > 1) m_ui->timerCallback();
		EXPECT_NE(m_ui->m_glWindow->damage(), 0) << draw;
		drawn();
		EXPECT_EQ(m_ui->m_screenShotOnNextRedraw, 3 - draw);
	}
	EXPECT_TRUE(exists(file));
	// nothing pending: the tick leaves the view alone
	m_ui->timerCallback();
	EXPECT_EQ(m_ui->m_glWindow->damage(), 0);
}

TEST_F(screenshot, SizesThatAreRefused)
{
	const std::pair<int, int> sizes[] = {{0, 100}, {100, 0}, {-5, -5}, {5, -5}, {16385, 10}, {10, 16385},
	                                     {INT_MAX, INT_MAX}, {65536, 65536}};
	for (const auto &s : sizes) {
		m_ui->m_console->clear();
		m_ui->setupScreenshot(m_dir.file("no.png"), s.first, s.second, false);
		EXPECT_NE(consoleText().find("UIstate::setupScreenshot(): Invalid screenshot size: " +
		                             std::to_string(s.first) + " x " + std::to_string(s.second) + "\n"),
		          std::string::npos)
		    << s.first << " x " << s.second;
		EXPECT_EQ(m_ui->m_screenShotOnNextRedraw, 0);
	}
	EXPECT_FALSE(exists(m_dir.file("no.png")));
	// the console's form rounds half up
	g_state->consoleCommandCallback(("screenshot(\"" + m_dir.file("c.png") + "\", 640.4, 480.5, 0);").c_str());
	EXPECT_EQ(m_ui->m_ssWidth, 640);
	EXPECT_EQ(m_ui->m_ssHeight, 481);
	EXPECT_FALSE(m_ui->m_ssAlsoNoLabels);
	EXPECT_EQ(m_ui->m_ssFilename, m_dir.file("c.png"));
	EXPECT_EQ(m_ui->m_screenShotOnNextRedraw, 3);
	// a size beyond any int is refused, not undefined
	g_state->consoleCommandCallback("screenshot(x, 1e300, 10, 1);");
	EXPECT_NE(consoleText().find("Invalid screenshot size: 2147483647 x 10\n"), std::string::npos);

	// the built-in and the dialog's fields near and beyond the range of an
	// int: sizes too large for one are refused as such, never read as others
	struct fieldCase {
		const char *width, *height;
		int w, h;
		bool taken;
	};
	const fieldCase fields[] = {
	    {"2147483647", "10", INT_MAX, 10, false},      {"10", "2147483648", 10, INT_MAX, false},
	    {"4294967396", "100", INT_MAX, 100, false},    {"100", "18446744073709551716", 100, INT_MAX, false},
	    {"-2147483649", "100", INT_MIN, 100, false},   {"16384", "2", 16384, 2, true},
	    {"16385", "2", 16385, 2, false},
	};
	for (const fieldCase &f : fields) {
		m_ui->m_console->clear();
		m_ui->m_screenShotOnNextRedraw = 0;
		g_state->consoleCommandCallback(
		    (std::string("screenshot(\"") + m_dir.file("f.png") + "\", " + f.width + ", " + f.height + ", 0);").c_str());
		m_ui->createScreenshotDialog();
		screenShotDialog *d = m_ui->m_screenShotDialog;
		ASSERT_NE(d, nullptr);
		d->m_widthInput->value(f.width);
		d->m_heightInput->value(f.height);
		d->m_OKButton->do_callback();
		Fl::check();
		const std::string refused =
		    "Invalid screenshot size: " + std::to_string(f.w) + " x " + std::to_string(f.h) + "\n";
		// once from the built-in, once from the dialog
		const std::string text = consoleText();
		const size_t first = text.find(refused);
		EXPECT_EQ(first != std::string::npos && text.find(refused, first + 1) != std::string::npos, !f.taken)
		    << f.width << " x " << f.height << "\n" << text;
		EXPECT_EQ(m_ui->m_screenShotOnNextRedraw != 0, f.taken) << f.width << " x " << f.height;
		if (f.taken) {
			EXPECT_EQ(m_ui->m_ssWidth, f.w);
			EXPECT_EQ(m_ui->m_ssHeight, f.h);
		}
	}
	m_ui->m_screenShotOnNextRedraw = 0;
	// a negative size in a field becomes 0 however many digits it has
	m_ui->createScreenshotDialog();
	screenShotDialog *d = m_ui->m_screenShotDialog;
	d->m_widthInput->value("-4294967296");
	d->m_widthInput->do_callback();
	EXPECT_STREQ(d->m_widthInput->value(), "0");
	d->m_cancelButton->do_callback();
}

TEST_F(screenshot, FailuresAreReportedAndTheProgramGoesOn)
{
	// no such directory: refused as it is asked for
	shoot(m_dir.file("none/shot.png"), 100, 100);
	EXPECT_NE(consoleText().find("Screenshot not taken: '" + m_dir.file("none/shot.png") +
	                             "': no such file or directory\n"),
	          std::string::npos);
	EXPECT_FALSE(m_ui->m_glWindow->m_screenShotActive);
	// a full disk: libpng's write error comes back as a message
	m_ui->m_console->clear();
	m_ui->m_glWindow->make_current();
	const std::string full = m_dir.file("full.png");
	m_ui->setupScreenshot(full, 724, 445, true);
	{
		fullDisk disk;
		EXPECT_EQ(m_ui->m_glWindow->performScreenShot(), -1);
	}
	EXPECT_NE(consoleText().find("glwindow::performScreenShot(): Could not write " + full + ": "), std::string::npos);
	EXPECT_DOUBLE_EQ(m_ui->m_textScale, 1.0);
	EXPECT_FALSE(m_ui->m_glWindow->m_screenShotActive);
	// and the next shot works
	shoot(m_dir.file("after.png"), 100, 100);
	EXPECT_TRUE(exists(m_dir.file("after.png")));
}

TEST_F(screenshot, AViewTooNarrowForATileIsRefused)
{
	glwindow *v = m_ui->m_glWindow;
	v->resize(v->x(), v->y(), 3, 100);
	Fl::check();
	m_ui->setupScreenshot(m_dir.file("narrow.png"), 100, 100, false);
	v->make_current();
	EXPECT_EQ(v->performScreenShot(), -1);
	EXPECT_NE(consoleText().find("glwindow::performScreenShot(): Can not take a 100 x 100 screenshot from a 3 x 100 "
	                             "view\n"),
	          std::string::npos);
	// an image narrower than a tile's multiple of 4
	v->resize(v->x(), v->y(), 724, 445);
	Fl::check();
	m_ui->setupScreenshot(m_dir.file("thin.png"), 3, 100, false);
	v->make_current();
	EXPECT_EQ(v->performScreenShot(), -1);
	EXPECT_FALSE(exists(m_dir.file("narrow.png")));
	EXPECT_FALSE(exists(m_dir.file("thin.png")));
}

} // namespace
