#pragma once
// textObject: a label in the scene.  It shows a text drawn glyph for glyph
// with the texture font (verbatim), a markup text laid out by the state's
// typesetter, or a PNG image as a texture.  It stands at a world position,
// follows a named point object, or sits in the view's window relative to an
// edge or the centre.  It always faces the viewer at a fixed pixel size: its
// drawing space has one unit per window pixel, x right, y up, the top left
// corner at the origin and the content towards +x, -y.
#include <GL/gl.h>

#include <string>

#include "e3ga/e3ga.h"
#include "scene/labelflags.h"
#include "scene/object.h"

// The texture font labels are drawn with; the view makes it current before
// it draws the scene.
constexpr const char *c_labelFontName = "verdana256x256";

class typesetState;

class textObject : public object {
public:
	// A label at a world position (label flags without LF_DYNAMIC).
	textObject(const char *text, const e3ga &pos, const std::string &name, int creationFlags, int labelFlags,
	           int width);
	// A label at the named point object: with LF_DYNAMIC it follows the
	// point at every draw, else it takes the point's place once (the origin
	// when there is no such point).
	textObject(const char *text, const std::string &pointName, const std::string &name, int creationFlags,
	           int labelFlags, int width);
	~textObject() override;

	void initToNothing();

	// Loads the image named by the text into a texture when the view's
	// OpenGL context can be made current; otherwise the first draw loads
	// it.  An image that cannot be used turns the label into verbatim text
	// showing the file name.  Always 0.
	int initImage();
	int freeImage();

	// out = the window coordinates of p, given in the label's drawing space,
	// with the matrices of the last draw.
	int windowCoordinates(const double p[3], double out[2]) const;
	// The scale that makes one drawing unit one window pixel.
	int wcUnitXY(double &ux, double &uy) const;

	// The label's rectangle where the last draw put it, for selection.
	int pick(glwindow *w) override;
	// Lays out, places and draws the label; 0, also when the typesetter
	// refuses the text (nothing is drawn then).
	int draw(glwindow *w) override;
	// 2 when the three alphas (fade included) add up to at most 2.99, else
	// 1; 2 more when labels are always on top.
	double drawSortValue() override;
	int description(char *buf, int bufLen, int full) override;
	// object::copy, then the text (OP_VALUE when it differs), the position,
	// the point followed, the flags, the maximum width, the typesetting mode
	// and font; the image is loaded again.
	int copy(const object *src, int &changed, int forceFlags) override;
	int setFontSize(float size) override;
	// The display list and the image's texture; the next draw reads the
	// image file again.
	void forgetGLObjects() override;
	// The common lines, the label's own typesetting mode and font, the label
	// line with its flag and width words, and a "hide" line for a hidden
	// label (the label line takes no object flag words).
	int writeToGeoFile(FILE *F) override;
	// A window label moves with the mouse; a world label moves by the world
	// vector of the motion at depth; a label following a point moves the point.
	int translate(glwindow *w, double depth, double dx, double dy) override;
	// The next draw builds the display list again.
	int textScaleChanged() override { return freeDisplayList(); }
	int colorFgChanged() override { return freeDisplayList(); }
	int colorBgChanged() override { return freeDisplayList(); }
	int colorOlChanged() override { return freeDisplayList(); }

	// Verbatim: mode null or beginning with "v" or "V".
	bool verbatim() const;

	// --- fields, in this order
	char *m_text; // owned copy: markup, verbatim text or PNG file name
	std::string m_pointName;
	e3ga m_pos; // world position; for a window label e1, e2 are pixel offsets
	int m_flags;
	double m_mvMatrix[16]; // of the last draw, column-major
	double m_pjMatrix[16];
	double m_viewport[4];
	double m_width, m_height; // content size in pixels at text scale 1
	int m_userWidth;          // LF_WIDTH: maximum typeset width, or image width in pixels
	const char *m_tsMode;     // shared with the state, not owned
	const char *m_tsFont;
	int m_imageWidth, m_imageHeight;
	int m_textureWidth, m_textureHeight;
	GLuint m_textureName;
	// made as an image label whose file could not be used: it shows the
	// file name as text, and is saved as the image label it was asked to
	// be, which shows the picture once the file is there
	bool m_imageFailed;

	// m_textureName of a label without a texture
	static constexpr GLuint NO_TEXTURE = ~0u;
	// Above this sum of its three alphas (fade included) a label is opaque.
	static constexpr float sc_opaqueAlphaSum = 2.99f;

private:
	// The parts both constructors share.
	void init(const char *text, int properties, int labelFlags, int width);
	// initImage's work in the current OpenGL context.
	int loadImage();
	// An image that cannot be shown: the label shows its file name instead.
	void imageFailed();
	// The size of the content in pixels before the scale s; false when the
	// typesetter refused the text.  A full-screen image sets s to 1.
	bool contentSize(glwindow *w, double &width, double &height, double &s);
	// The text laid out by the typesetter in the label's mode, font, size
	// and colour; false when a step refused it.
	bool typeset(typesetState *ts);
	// Parts of draw: the followed point's position, the anchoring in the
	// window, and the box, outline and content at scale s.
	void followPoint();
	void placeInWindow(glwindow *w, float width, float height);
	void drawContent(double s);
	// The scale the label is drawn at: the text scale, 1 for a full-screen image.
	double drawScale() const;
	// The vertices of the box around w x h pixels of content.
	static void boxVertices(int w, int h);
	// Point 0 of the named object; the origin when there is none.
	static e3ga pointOf(const std::string &name);
};
