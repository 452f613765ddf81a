// Labels drawn by the view in a shown window: verbatim text with its box
// and outline, images as textures tinted by the foreground colour, window
// anchoring and dragging, labels following a point, picking where the label
// was drawn, the text scale, and typeset labels drawn where the typesetter's
// records say, laid out once per display list.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/consoleglobalscope.h"
#include "view/glwindow.h"
#include "image/pngwrapper.h"
#include "support/scratchfiles.h"
#include "state/state.h"
#include "support/glfeedback.h"
#include "support/shownview.h"
#include "scene/textobject.h"
#include "typeset/openglfont.h"
#include "typeset/typeset.h"
#include "ui/ui.h"

namespace {

const int c_width = 640, c_height = 400;

struct rect {
	int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
	bool empty() const { return minX > maxX; }
};

class labelView : public shownView<c_width, c_height> {
protected:
	void SetUp() override
	{
		shownView::SetUp();
		// a blue canvas, so that the grey box and black outline stand out
		m_state->setColor("cvcolor", 0.0f, 0.0f, 1.0f, 1.0f);
	}

	textObject *label(const std::string &name)
	{
		return dynamic_cast<textObject *>(m_state->getObjectPtrByName(name));
	}
	void type(const char *line) { g_consoleCommandCallback(line, m_state); }
	// The bounds of the pixels (window coordinates from the bottom left)
	// whose colour passes the test.
	template <class F> rect bounds(F test) const
	{
		std::vector<unsigned char> rgb = pixels();
		rect r;
		for (int y = 0; y < c_height; y++)
			for (int x = 0; x < c_width; x++) {
				const unsigned char *p = &rgb[3 * ((size_t)y * c_width + x)];
				if (!test(p)) continue;
				r.minX = std::min(r.minX, x), r.maxX = std::max(r.maxX, x);
				r.minY = std::min(r.minY, y), r.maxY = std::max(r.maxY, y);
			}
		return r;
	}
	static bool notCanvas(const unsigned char *p) { return !(p[0] < 8 && p[1] < 8 && p[2] > 247); }
	static bool near(const unsigned char *p, int r, int g, int b)
	{
		return std::abs(p[0] - r) < 4 && std::abs(p[1] - g) < 4 && std::abs(p[2] - b) < 4;
	}
	const unsigned char *pixel(const std::vector<unsigned char> &rgb, int x, int y) const
	{
		return &rgb[3 * ((size_t)y * c_width + x)];
	}
	// The window coordinates of a point of the label's drawing space.
	static std::pair<double, double> at(const textObject *t, double x, double y)
	{
		const double p[3] = {x, y, 0.0};
		double w[2];
		t->windowCoordinates(p, w);
		return {w[0], w[1]};
	}
	// Hits of the label's pick pass in a 3 x 3 pixel region around (x, y).
	int picks(textObject *t, int x, int y)
	{
		GLuint buffer[64];
		m_view->m_pick[0] = x, m_view->m_pick[1] = y, m_view->m_pick[2] = m_view->m_pick[3] = 1;
		glSelectBuffer(64, buffer);
		glRenderMode(GL_SELECT);
		glInitNames();
		glPushName(0);
		m_view->setup3DProjection();
		t->pick(m_view);
		m_view->m_pick[0] = m_view->m_pick[1] = -1;
		return glRenderMode(GL_RENDER);
	}
	// A w x h white PNG whose last column is blue.
	static void whiteImage(const std::string &name, int w, int h)
	{
		std::vector<unsigned char> rgb((size_t)w * h * 3, 255);
		for (int y = 0; y < h; y++) rgb[3 * ((size_t)y * w + w - 1)] = rgb[3 * ((size_t)y * w + w - 1) + 1] = 0;
		ASSERT_EQ(savePNG(name.c_str(), rgb.data(), w, h), 0);
	}
};

TEST_F(labelView, VerbatimTextBoxAndOutline)
{
	m_state->addTextObject("50% of\nit", e3ga(2, 20.0, 30.0, 0.0), "t", LF_2D | LF_PX | LF_PY, -1);
	drawFrame();
	textObject *t = label("t");
	// the label font is current; the text is measured as it stands, "%"
	// and the (empty) newline glyph included, one font size high
	ASSERT_NE(g_oglfThreadInfo.currentFont, -1);
	EXPECT_STREQ(g_oglfThreadInfo.fonts[g_oglfThreadInfo.currentFont]->fontName, "verdana256x256");
	double aspects = 0.0;
	for (const char *c = "50% of\nit"; *c; c++) aspects += oglfCharWidth((unsigned char)*c);
	EXPECT_NEAR(t->m_width, 20.0 * aspects, 1e-4);
	EXPECT_EQ(t->m_height, 20.0);
	EXPECT_NE(t->m_displayList, object::NO_DISPLAY_LIST);

	// the box: 2 pixels around the content, whose top left corner is 20
	// pixels right of the left edge and 30 below the top
	const int w = (int)t->m_width, h = (int)t->m_height, top = c_height - 30;
	rect box = bounds([](const unsigned char *p) { return near(p, 178, 178, 178) || (p[0] < 30 && p[1] < 30 && p[2] < 30); });
	EXPECT_NEAR(box.minX, 18, 1);
	EXPECT_NEAR(box.maxX, 20 + w + 2, 1);
	EXPECT_NEAR(box.maxY, top + 2, 1);
	EXPECT_NEAR(box.minY, top - h - 2, 1);
	std::vector<unsigned char> rgb = pixels();
	// grey inside the margin, a black outline, red glyphs within the content
	EXPECT_TRUE(near(pixel(rgb, 19, top - h / 2), 178, 178, 178));
	int black = 0;
	for (int y = top; y <= top + 4; y++) black += near(pixel(rgb, 20 + w / 2, y), 0, 0, 0);
	EXPECT_GE(black, 1);
	rect red = bounds([](const unsigned char *p) { return p[0] > 150 && p[1] < 90 && p[2] < 90; });
	ASSERT_FALSE(red.empty());
	EXPECT_GE(red.minX, 20);
	EXPECT_LE(red.maxX, 20 + w);
	// the second line hangs below the box
	EXPECT_LT(red.minY, top - h - 2);

	// a text scale of 0 leaves the label out and its size alone
	gui_state->setTextScale(0.0);
	drawFrame();
	EXPECT_TRUE(bounds(notCanvas).empty());
	EXPECT_NEAR(t->m_width, 20.0 * aspects, 1e-4);
}

TEST_F(labelView, ImagesAsTextures)
{
	scratchDir dir;
	const std::string file = dir.file("i.png");
	whiteImage(file, 100, 60);
	m_state->addTextObject(file.c_str(), e3ga(2, 0.0, 0.0, 0.0), "img", LF_2D | LF_CX | LF_CY | LF_IMAGE, -1);
	textObject *t = label("img");
	// loaded at once, the view being shown: powers of two, the padding
	// repeating the last column and row
	EXPECT_EQ(t->m_imageWidth, 100);
	EXPECT_EQ(t->m_imageHeight, 60);
	EXPECT_EQ(t->m_textureWidth, 128);
	EXPECT_EQ(t->m_textureHeight, 64);
	ASSERT_NE(t->m_textureName, textObject::NO_TEXTURE);
	std::vector<unsigned char> tex(128 * 64 * 3);
	glBindTexture(GL_TEXTURE_2D, t->m_textureName);
	glPixelStorei(GL_PACK_ALIGNMENT, 1);
	glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, tex.data());
	const unsigned char *pad = &tex[3 * (63 * 128 + 127)];
	EXPECT_TRUE(near(pad, 0, 0, 255));
	EXPECT_TRUE(near(&tex[3 * (63 * 128 + 50)], 255, 255, 255));

	// drawn at one pixel a texel (font size 1), tinted green; only the
	// image's part of the texture is shown, so its blue column is a sliver
	// at the right edge
	t->setFontSize(1.0f);
	const float green[4] = {0.0f, 1.0f, 0.0f, 1.0f};
	t->setFgColor(green);
	drawFrame();
	EXPECT_EQ(t->m_width, 100.0);
	EXPECT_EQ(t->m_height, 60.0);
	std::vector<unsigned char> rgb = pixels();
	const int left = c_width / 2, top = c_height / 2;
	EXPECT_TRUE(near(pixel(rgb, left + 50, top - 30), 0, 255, 0));
	EXPECT_TRUE(near(pixel(rgb, left + 90, top - 30), 0, 255, 0));
	EXPECT_TRUE(near(pixel(rgb, left + 99, top - 30), 0, 0, 0) || pixel(rgb, left + 99, top - 30)[1] < 200);

	// a width of 200 keeps the aspect
	m_state->addTextObject(file.c_str(), e3ga(0.0), "img", LF_2D | LF_CX | LF_CY | LF_IMAGE | LF_WIDTH, 200);
	drawFrame();
	EXPECT_EQ(t->m_width, 200.0);
	EXPECT_EQ(t->m_height, 120.0);

	// made while no view was shown, the image waits for the first draw
	gui_state->m_glWindow = nullptr;
	m_state->addTextObject(file.c_str(), e3ga(0.0), "later", LF_2D | LF_IMAGE, -1);
	gui_state->m_glWindow = m_view;
	EXPECT_EQ(label("later")->m_textureName, textObject::NO_TEXTURE);
	drawFrame();
	EXPECT_NE(label("later")->m_textureName, textObject::NO_TEXTURE);
	EXPECT_EQ(label("later")->m_textureWidth, 128);
	m_state->removeObject("later");

	// a missing image shows its file name, as verbatim text
	testing::internal::CaptureStdout();
	m_state->addTextObject("/no/such/image.png", e3ga(0.0), "img", LF_2D | LF_IMAGE, -1);
	EXPECT_NE(testing::internal::GetCapturedStdout().find(
	              "textObject::initImage(): could not load image '/no/such/image.png': no such file or directory\n"),
	          std::string::npos);
	EXPECT_EQ(t->m_flags, LF_2D);
	EXPECT_STREQ(t->m_tsMode, "verbatim");
	EXPECT_EQ(t->m_textureName, textObject::NO_TEXTURE);
	drawFrame();
	EXPECT_NEAR(t->m_width, t->m_fontSize * oglfprintfWidth("%s", "/no/such/image.png"), 1e-4);
}

TEST_F(labelView, WindowAnchorsAndDragging)
{
	const double W = c_width, H = c_height;
	const struct {
		int flags;
		// expected left and top of the content, with the offset (10, 20)
		double left, top;
		bool right; // left is the right edge
		bool bottom; // top is the bottom edge
		bool centred; // the x offset is not used
	} cases[] = {
	    {LF_PX | LF_PY, 10, H - 20, false, false, false},
	    {LF_NX | LF_NY, W - 10, 20, true, true, false},
	    {LF_CX | LF_CY, W / 2 + 10, H / 2 + 20, false, false, false},
	    {LF_ACX | LF_PY, W / 2, H - 20, false, false, true},
	    {LF_PX | LF_NY, 10, 20, false, true, false},
	};
	for (const auto &c : cases) {
		m_state->addTextObject("anchored", e3ga(2, 10.0, 20.0, 0.0), "a", LF_2D | c.flags, -1);
		textObject *t = label("a");
		drawFrame();
		auto edges = [&]() {
			std::pair<double, double> tl = at(t, 0, 0), br = at(t, t->m_width, -t->m_height);
			double x = c.right ? br.first : c.centred ? (tl.first + br.first) / 2 : tl.first;
			double y = c.bottom ? br.second : tl.second;
			return std::make_pair(x, y);
		};
		std::pair<double, double> e = edges();
		EXPECT_NEAR(e.first, c.left, 1e-3) << c.flags;
		EXPECT_NEAR(e.second, c.top, 1e-3) << c.flags;
		// the mouse 5 pixels right and 7 down (motions are last minus now,
		// in window rows from the top): the label follows, every anchoring
		t->translate(m_view, 1.0, -5.0, -7.0);
		drawFrame();
		std::pair<double, double> moved = edges();
		EXPECT_NEAR(moved.first, c.left + (c.centred ? 0 : 5), 1e-3) << c.flags;
		EXPECT_NEAR(moved.second, c.top - 7, 1e-3) << c.flags;
		if (c.flags & LF_NX) {
			EXPECT_EQ(t->m_pos.coordinates(2)[0], 5.0);
		}
		m_state->removeObject("a");
	}
}

TEST_F(labelView, FollowingAPoint)
{
	type("x = 2 * e1; label(x);");
	textObject *t = label("x_label");
	ASSERT_NE(t, nullptr);
	auto projected = [&](double x, double y, double z) {
		m_view->setup3DProjection();
		m_view->setupEyeTransform();
		double mv[16], pj[16], wx, wy, wz;
		GLint vp[4];
		glGetDoublev(GL_MODELVIEW_MATRIX, mv);
		glGetDoublev(GL_PROJECTION_MATRIX, pj);
		glGetIntegerv(GL_VIEWPORT, vp);
		gluProject(x, y, z, mv, pj, vp, &wx, &wy, &wz);
		return std::make_pair(wx, wy);
	};
	const struct {
		const char *command;
		double x, y, z;
	} steps[] = {{"", 2, 0, 0}, {"x = e2 + e3;", 0, 1, 1}, {"removed", 0, 0, 0}};
	for (const auto &s : steps) {
		if (std::string(s.command) == "removed") m_state->removeObject("x");
		else if (*s.command) type(s.command);
		drawFrame();
		std::pair<double, double> want = projected(s.x, s.y, s.z), got = at(t, 0, 0);
		EXPECT_NEAR(got.first, want.first, 1e-6) << s.command;
		EXPECT_NEAR(got.second, want.second, 1e-6) << s.command;
		// its box's top left corner is there, 2 pixels out
		rect box = bounds(notCanvas);
		EXPECT_NEAR(box.minX, want.first - 2, 1.5) << s.command;
		EXPECT_NEAR(box.maxY, want.second + 2, 1.5) << s.command;
		if (s.x == 2) {
			// dragging the label drags the point: 120 pixels at depth 9.5
			// are a unit
			t->translate(m_view, 9.5, -120.0, 0.0);
			e3ga x;
			m_state->m_globalScope->externalLookupVariable("x", 1, x);
			EXPECT_NEAR(x.coordinates(2)[0], 3.0, 1e-9);
			type("x = 2 * e1;");
		}
	}
	// a label whose point is gone is not dragged
	t->translate(m_view, 9.5, -120.0, 0.0);
	drawFrame();
	EXPECT_NEAR(at(t, 0, 0).first, projected(0, 0, 0).first, 1e-6);
}

TEST_F(labelView, PickedWhereDrawn)
{
	m_state->addTextObject("pick me", e3ga(2, 100.0, 100.0, 0.0), "w", LF_2D | LF_PX | LF_PY, -1);
	m_state->addTextObject("world", e3ga(2, -1.0, -1.0, 0.0), "p", LF_3D, -1);
	textObject *w = label("w"), *p = label("p");
	// never drawn: nowhere
	EXPECT_EQ(picks(w, 110, c_height - 110), 0);
	drawFrame();
	const int width = (int)w->m_width, height = (int)w->m_height;
	EXPECT_EQ(picks(w, 100 + width / 2, c_height - 100 - height / 2), 1);
	EXPECT_EQ(picks(w, 100 + width + 6, c_height - 100 - height / 2), 0);
	std::pair<double, double> o = at(p, 0, 0);
	EXPECT_EQ(picks(p, (int)o.first + 5, (int)o.second - 5), 1);
	EXPECT_EQ(picks(p, (int)o.first + 5, (int)o.second + 8), 0);
	// the view's pick pass finds the label and grabs it at its depth
	EXPECT_EQ(m_view->pick(100 + width / 2, c_height - 100 - height / 2, 0, 1), w);
	EXPECT_GT(m_view->m_translationDepth, 0.0);
	// at text scale 2 the label is drawn twice as large, and picked so
	gui_state->setTextScale(2.0);
	drawFrame();
	EXPECT_EQ((int)w->m_width, width);
	EXPECT_EQ(picks(w, 100 + width + width / 2, c_height - 100 - height), 1);
	o = at(p, 0, 0);
	EXPECT_EQ(picks(p, (int)(o.first + 1.5 * p->m_width), (int)(o.second - 1.5 * p->m_height)), 1);
}

TEST_F(labelView, TypesetWhereTheRecordsSay)
{
	m_state->tsSetMode("equation");
	const char *text = "\\frac{1}{x}+\\sqrt{2}";
	m_state->addTextObject(text, e3ga(2, 40.0, 50.0, 0.0), "f", LF_2D | LF_PX | LF_PY, -1);
	textObject *t = label("f");
	// the layout the label makes: equation mode, regular, its font size
	// and colour
	oglffont(c_labelFontName);
	typesetState *ts = m_state->m_typesetState;
	ts->setInitialMode("equation");
	ts->setInitialFont("regular");
	ts->setInitialSize(20.0);
	ts->setColor("current", 1.0f, 0.0f, 0.0f);
	ts->setInitialColor(ts->getColor("current"));
	ASSERT_EQ(ts->typeset(text, -1.0), 0);
	std::vector<tsCharData_s> chars(ts->m_tsChar.m_item, ts->m_tsChar.m_item + ts->m_tsChar.m_nb);
	ASSERT_GE(ts->m_tsLine.m_nb, 1);
	const tsLineData_s &bar = ts->m_tsLine.m_item[0];
	const double barXY[4] = {bar.xy[0], bar.xy[1], bar.xy[2], bar.xy[3]};
	const double width = std::ceil(ts->m_width), height = std::ceil(ts->m_height);
	ts->clearDraw();

	glFeedback f = glFeedback::of([&]() { m_view->draw(); });
	EXPECT_EQ(t->m_width, width);
	EXPECT_EQ(t->m_height, height);
	EXPECT_EQ(ts->m_tsChar.m_nb, 0);
	// every glyph's quad has its bottom left corner at the record's
	// position, a quarter of its size below the baseline
	auto hasVertex = [&](double x, double y) {
		for (const auto &poly : f.polygons)
			for (const auto &v : poly)
				if (std::abs(v[0] - x) < 1e-2 && std::abs(v[1] - y) < 1e-2) return true;
		return false;
	};
	ASSERT_FALSE(chars.empty());
	for (const tsCharData_s &c : chars) {
		std::pair<double, double> w = at(t, c.x, c.y - 0.25 * c.size);
		EXPECT_TRUE(hasVertex(w.first, w.second)) << c.c;
	}
	// the fraction's bar
	std::pair<double, double> a = at(t, barXY[0], barXY[1]), b = at(t, barXY[2], barXY[3]);
	bool barFound = false;
	for (const auto &l : f.lines)
		barFound |= std::abs(l[0][0] - a.first) < 1e-2 && std::abs(l[0][1] - a.second) < 1e-2 &&
		            std::abs(l[1][0] - b.first) < 1e-2 && std::abs(l[1][1] - b.second) < 1e-2;
	EXPECT_TRUE(barFound);

	// the layout is made once per display list: a changed text shows when
	// the list is built again
	char *longer = strdup("\\frac{1}{x}+\\sqrt{2}+\\frac{abcdef}{2}");
	std::free(t->m_text);
	t->m_text = longer;
	drawFrame();
	EXPECT_EQ(t->m_width, width);
	t->textScaleChanged();
	drawFrame();
	EXPECT_GT(t->m_width, width);
}

TEST_F(labelView, TypesetDefinitionsAndFailures)
{
	// a command defined by the state's typesetter serves later labels
	m_state->tsSetMode("text");
	ASSERT_EQ(m_state->tsParse("\\newcommand{\\greet}{hello world}"), 0);
	m_state->addTextObject("\\greet", e3ga(0.0), "a", LF_2D, -1);
	m_state->addTextObject("hello world", e3ga(0.0), "b", LF_2D, -1);
	drawFrame();
	EXPECT_GT(label("a")->m_width, 0.0);
	EXPECT_EQ(label("a")->m_width, label("b")->m_width);
	// a width limit breaks the line
	m_state->addTextObject("hello world", e3ga(0.0), "c", LF_2D | LF_WIDTH, 60);
	drawFrame();
	EXPECT_LE(label("c")->m_width, 60.0);
	EXPECT_GT(label("c")->m_height, label("b")->m_height);

	// a mode or text the typesetter refuses draws nothing, and is tried
	// (and reported) again only once the text or the mode changed; after a
	// text that lays out, the old failure is news again
	const char *failure = "typesetState::typeset(): could not parse string.";
	const struct step {
		const char *text;
		int reports;
	} steps[] = {{"{a", 1}, {"{a", 0}, {"{b", 1}, {"fine", 0}, {"{b", 1}};
	for (const step &st : steps) {
		m_state->addTextObject(st.text, e3ga(0.0), "d", LF_2D, -1);
		testing::internal::CaptureStdout();
		for (int frame = 0; frame < 3; frame++) drawFrame();
		const std::string out = testing::internal::GetCapturedStdout();
		int n = 0;
		for (size_t at = out.find(failure); at != std::string::npos; at = out.find(failure, at + 1)) n++;
		EXPECT_EQ(n, st.reports) << st.text << ": " << out;
		EXPECT_EQ(label("d")->m_displayList == object::NO_DISPLAY_LIST, st.text[0] == '{') << st.text;
	}
	label("d")->m_tsMode = "unknown";
	drawFrame();
	EXPECT_EQ(label("d")->m_displayList, object::NO_DISPLAY_LIST);
}

} // namespace
