// The OpenGL state from one object's drawing to the next, in a shown view:
// what an object looks like does not depend on what was drawn before it,
// every kind of object leaves the state as the view set it up, and switches
// lighting, which the view leaves to it, itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "console/consolegafile.h"
#include "view/glwindow.h"
#include "scene/object.h"
#include "image/pngwrapper.h"
#include "support/scratchfiles.h"
#include "support/shownview.h"

namespace {

const int c_width = 400, c_height = 300;

class objectState : public shownView<c_width, c_height> {
public:
	// Scene-file text, line by line; nothing may be reported.
	void scene(const std::string &text)
	{
		std::istringstream in(text);
		for (std::string line; std::getline(in, line);) {
			testing::internal::CaptureStdout();
			m_state->m_consoleGAfile->read(m_state, line.c_str());
			EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << line;
		}
	}
	using shownView::drawFrame;
};

// The lines of a mesh over the points 0, e1, e1 + e2 and e2 (that order),
// made with its flag words, and its faces.
std::string mesh(const std::string &name, const std::string &flags, const std::vector<std::string> &faces)
{
	const std::string n = "\"" + name + "\" ";
	std::string text = "mesh " + n + flags + "\n";
	const char *const corners[] = {"0", "e1", "e1 + e2", "e2"};
	for (int i = 0; i < 4; i++) text += "meshvertex " + n + std::to_string(i) + " [" + corners[i] + "]\n";
	for (const std::string &face : faces) text += "meshface " + n + face + "\n";
	return text;
}

// --- pixels

// A window region, x0 <= x < x1 and y0 <= y < y1 (rows from the bottom).
struct region {
	int x0, y0, x1, y1;
	bool empty() const { return x1 <= x0 || y1 <= y0; }
};

const unsigned char *pixel(const std::vector<unsigned char> &rgb, int x, int y)
{
	return &rgb[3 * ((size_t)y * c_width + x)];
}

bool samePixel(const unsigned char *a, const unsigned char *b)
{
	return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

// Whether a pixel differs from the canvas (the pixel at the bottom left).
bool drawn(const std::vector<unsigned char> &rgb, int x, int y)
{
	return !samePixel(pixel(rgb, x, y), pixel(rgb, 0, 0));
}

// The bounds of what is drawn in the columns x0 <= x < x1.
region drawnBetween(const std::vector<unsigned char> &rgb, int x0, int x1)
{
	region r{x1, c_height, x0, 0};
	for (int y = 0; y < c_height; y++)
		for (int x = x0; x < x1; x++)
			if (drawn(rgb, x, y))
				r = {std::min(r.x0, x), std::min(r.y0, y), std::max(r.x1, x + 1), std::max(r.y1, y + 1)};
	return r;
}

TEST_F(objectState, AWireframeMeshLeavesTheNextObjectFilled)
{
	// a one-point simplex at 1.5 e1 (its point hidden), drawn alone
	scene("fgcolor 0 0 1\n"
	      "e3ga \"pt\" [1.5*e1] hide\n"
	      "simplex \"s\" 1 \"pt\"\n");
	drawFrame();
	const std::vector<unsigned char> alone = pixels();
	const region sphere = drawnBetween(alone, c_width / 2, c_width);
	ASSERT_FALSE(sphere.empty());
	EXPECT_GT(sphere.x1 - sphere.x0, 20);
	// filled: no canvas shows within the middle of its disc
	const int cx = (sphere.x0 + sphere.x1) / 2, cy = (sphere.y0 + sphere.y1) / 2, r = (sphere.x1 - sphere.x0) / 3;
	for (int y = cy - r; y <= cy + r; y++)
		for (int x = cx - r; x <= cx + r; x++) ASSERT_TRUE(drawn(alone, x, y)) << x << ", " << y;

	// a wireframe unit square left of it, drawn before the simplex ("a") or
	// after it ("z", so before it in the next frame): the simplex's pixels
	// stay as they were alone
	EXPECT_TRUE(drawnBetween(alone, 0, sphere.x0).empty());
	for (const char *name : {"a", "z"}) {
		scene(mesh(name, "wireframe", {"0 1 2", "0 2 3"}));
		for (int frame = 0; frame < 2; frame++) {
			drawFrame();
			const std::vector<unsigned char> after = pixels();
			EXPECT_FALSE(drawnBetween(after, 0, sphere.x0).empty());
			int differing = 0;
			for (int y = sphere.y0; y < sphere.y1; y++)
				for (int x = sphere.x0; x < sphere.x1; x++)
					differing += !samePixel(pixel(after, x, y), pixel(alone, x, y));
			EXPECT_EQ(differing, 0) << "mesh " << name << ", frame " << frame;
		}
		m_state->removeObject(name);
	}
}

// --- the state

// The OpenGL state that drawing code may change, each piece by name: a
// capability (no count) or a value of so many numbers.  The bound texture
// and its environment are left out: whoever turns texturing on sets them;
// so is lighting, which every object switches itself.
const struct stateItem {
	const char *name;
	GLenum pname;
	int count;
} c_stateItems[] = {
    {"polygon mode", GL_POLYGON_MODE, 2},
    {"line width", GL_LINE_WIDTH, 1},
    {"line stipple", GL_LINE_STIPPLE, 0},
    {"line stipple pattern", GL_LINE_STIPPLE_PATTERN, 1},
    {"polygon stipple", GL_POLYGON_STIPPLE, 0},
    {"light 0", GL_LIGHT0, 0},
    {"light 1", GL_LIGHT1, 0},
    {"colour material", GL_COLOR_MATERIAL, 0},
    {"normalize", GL_NORMALIZE, 0},
    {"shade model", GL_SHADE_MODEL, 1},
    {"blending", GL_BLEND, 0},
    {"blend source", GL_BLEND_SRC, 1},
    {"blend destination", GL_BLEND_DST, 1},
    {"depth mask", GL_DEPTH_WRITEMASK, 1},
    {"depth test", GL_DEPTH_TEST, 0},
    {"depth function", GL_DEPTH_FUNC, 1},
    {"culling", GL_CULL_FACE, 0},
    {"culled face", GL_CULL_FACE_MODE, 1},
    {"front face", GL_FRONT_FACE, 1},
    {"texturing", GL_TEXTURE_2D, 0},
    {"alpha test", GL_ALPHA_TEST, 0},
    {"point size", GL_POINT_SIZE, 1},
    {"matrix mode", GL_MATRIX_MODE, 1},
    {"model-view matrix", GL_MODELVIEW_MATRIX, 16},
    {"model-view stack", GL_MODELVIEW_STACK_DEPTH, 1},
    {"projection matrix", GL_PROJECTION_MATRIX, 16},
    {"projection stack", GL_PROJECTION_STACK_DEPTH, 1},
    {"viewport", GL_VIEWPORT, 4},
};

typedef std::vector<std::vector<double>> glStateValues;

glStateValues currentState()
{
	glStateValues values;
	for (const stateItem &item : c_stateItems) {
		std::vector<double> v((size_t)std::max(item.count, 1));
		if (item.count == 0) v[0] = glIsEnabled(item.pname);
		else glGetDoublev(item.pname, v.data());
		values.push_back(v);
	}
	return values;
}

// The names of the pieces that differ, or "".
std::string changed(const glStateValues &before, const glStateValues &after)
{
	std::string names;
	for (size_t i = 0; i < before.size(); i++)
		if (before[i] != after[i]) names += std::string(names.empty() ? "" : ", ") + c_stateItems[i].name;
	return names;
}

// Every kind by its interpretations, draw methods and draw-mode bits,
// opaque and translucent (the automatic colouring makes trivectors, spheres
// and planes translucent and imaginary rounds stippled).  IMAGE stands for
// the name of a picture.
const char *const c_algebraObjects = R"(console v = show(e1 + e2);
console vw = show(wireframe(stipple(2 e2)));
console b0 = show(ori(e1 ^ e2));
console b1 = show(dm2(ori(wireframe(e2 ^ e3))));
console b3 = show(dm4(e1 ^ e3));
console b5 = show(dm6(stipple(e1 ^ e2)));
console t0 = show(ori(e1 ^ e2 ^ e3));
console t1 = show(dm2(-e1 ^ e2 ^ e3));
console t3 = show(dm4(ori(wireframe(e1 ^ e2 ^ e3))));
console r = show(ori(cos(0.4) - sin(0.4) * e1 ^ e2));
console pp = show(ori(p3ga_point(1, 2, 3)));
console pl = show(ori(p3ga_point(0, 0, 0) ^ p3ga_point(1, 0, 0)));
console pw = show(ori(wireframe(p3ga_point(0, 0, 0) ^ p3ga_point(1, 0, 0) ^ p3ga_point(0, 1, 0))));
console i = show((i2ga)e1);
console default_model(c3ga)
console cpt = show(wireframe(c3ga_point(1, 0, 0)));
console cpp = show(ori(c3ga_point(-1, 0, 0) ^ c3ga_point(1, 0, 0)));
console cps = show(dm4(c3ga_point(-1, 0, 0) ^ c3ga_point(1, 0, 0)));
console cc = show(ori(c3ga_point(1, 0, 0) ^ c3ga_point(0, 1, 0) ^ c3ga_point(-1, 0, 0)));
console cs = show(ori(wireframe(c3ga_point(0, 0, 0) - 0.5 ni)));
console ci = show(c3ga_point(0, 0, 0) + 0.5 ni);
console cl = show(ori(c3ga_point(0, 0, 0) ^ c3ga_point(1, 0, 0) ^ ni));
console cw = show(ori(wireframe(c3ga_point(0, 0, 0) ^ c3ga_point(1, 0, 0) ^ c3ga_point(0, 1, 0) ^ ni)));
console cf = show(ori(e1 ^ ni));
console ct = show(ori(no ^ e1 ^ e2));
)";
const char *const c_labels = R"(label "l1" [e1] "text"
label "l2" [10*e1 + 10*e2] "in the window" 2d px py
tsmode equation
label "l3" [e2] "x^2"
label "l4" [e3] "IMAGE" image 3d
fgcolor 0 0 0 0.2
label "l5" [-e1] "translucent"
)";
const char *const c_polygons = R"(e3ga "p1" [0] hide
e3ga "p2" [e1] hide
e3ga "p3" [e2] hide
fgcolor 0 0 1
polygon "pf" 3 "p1" "p2" "p3" outline orientation stipple
polygon "pk" 3 "p1" "p2" "p3" wireframe
polygon "ps" 3 "p1" "p2" "p3" dm2
polygon "po" 3 "p1" "p2" "p3" dm3
simplex "s1" 1 "p1"
simplex "s2" 2 "p1" "p2" stipple
simplex "s3" 3 "p1" "p2" "p3" orientation outline
fgcolor 1 0 0 0.5
polygon "pt" 3 "p1" "p2" "p3"
)";
// a dynamic mesh on the polygons' points
const char *const c_dynamicMesh = R"(mesh "md" dynamic
meshvertex "md" 0 "p1"
meshvertex "md" 1 "p2"
meshvertex "md" 2 "p3"
meshface "md" 0 1 2
)";

// The scene of every kind above, its picture in dir, drawn once: its
// objects in the order the view draws them.
std::vector<object *> everyKind(objectState &t, scratchDir &dir)
{
	const std::string image = dir.file("i.png");
	std::vector<unsigned char> grey(16 * 8 * 3, 200);
	EXPECT_EQ(savePNG(image.c_str(), grey.data(), 16, 8), 0);
	std::string labels = c_labels;
	labels.replace(labels.find("IMAGE"), 5, image);
	t.scene(c_algebraObjects);
	t.scene(labels);
	t.scene(c_polygons);
	// translucent, then opaque green meshes
	t.scene(mesh("mt", "", {"0 1 2", "0 2 3"}) + "fgcolor 0 1 0\n" + mesh("mw", "wireframe stipple", {"0 1 2", "0 2 3"}) +
	        mesh("mq", "compute_normals_gouraud", {"0 1 2 3"}) + mesh("mx", "specify_normals", {"0 1 2", "0 1 2 3"}) +
	        c_dynamicMesh);
	t.drawFrame();
	return glwindow::visibleObjectsInDrawOrder();
}

TEST_F(objectState, EveryKindLeavesTheStateAsTheViewSetItUp)
{
	scratchDir dir;
	const std::vector<object *> objects = everyKind(*this, dir);
	ASSERT_EQ(objects.size(), 42u);

	// drawn as the view draws them, the first time (a display list made),
	// again (the list called) and picked; lines as tubes and as OpenGL lines
	const glStateValues viewState = currentState();
	for (bool openGLLines : {false, true}) {
		gui_state->m_tubeDraw.setUseOpenGL(openGLLines);
		for (object *o : objects) {
			const std::string name = o->m_name + (openGLLines ? ", OpenGL lines" : ", tubes");
			o->freeDisplayList();
			m_view->drawObject(o);
			EXPECT_EQ(changed(viewState, currentState()), "") << name << ", first drawn";
			m_view->drawObject(o);
			EXPECT_EQ(changed(viewState, currentState()), "") << name << ", drawn again";
			GLuint hits[64];
			glSelectBuffer(64, hits);
			glRenderMode(GL_SELECT);
			m_view->pickObject(o);
			glRenderMode(GL_RENDER);
			EXPECT_EQ(changed(viewState, currentState()), "") << name << ", picked";
			EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << name;
		}
	}
}

// Lighting on or off before an object changes none of its pixels: each
// kind switches it itself, alone in a frame as the view begins one.
TEST_F(objectState, EveryKindSwitchesLightingItself)
{
	scratchDir dir;
	const std::vector<object *> objects = everyKind(*this, dir);
	ASSERT_EQ(objects.size(), 42u);
	int showing = 0;
	for (object *o : objects) {
		std::vector<unsigned char> seen[2];
		for (int lit = 0; lit < 2; lit++) {
			glDepthMask(GL_TRUE);
			glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
			glwindow::setupObjectState();
			m_view->setup3DProjection();
			m_view->setupEyeTransform();
			if (lit) glEnable(GL_LIGHTING);
			m_view->drawObject(o);
			glFinish();
			seen[lit] = pixels();
		}
		EXPECT_TRUE(seen[0] == seen[1]) << o->m_name;
		if (!drawnBetween(seen[0], 0, c_width).empty()) showing++;
	}
	// the few that show nothing alone here are no blades
	EXPECT_GE(showing, 36);
}

} // namespace
