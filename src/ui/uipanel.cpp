// The object panel: the controls of the current object's properties,
// stacked without gaps, refreshed when the object changes, and acting on the
// object when used; the draw-method menu.
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Color_Chooser.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/Fl_Window.H>

#include <array>

#include "scene/object.h"
#include "state/state.h"
#include "ui/ui.h"
#include "ui/uimenu.h"

namespace {

// Bytes of an object's description: enough for the long form of any value.
constexpr int sc_descriptionBufferSize = 1024;

// The panel's rows: where stacking starts, the gap after the first buttons,
// and the heights of each group of controls.
constexpr int sc_stackTop = 5;
constexpr int sc_nameRows = 30;
constexpr int sc_buttonRow = 25;
constexpr int sc_colorsGap = 10;
constexpr int sc_colorRows = 60;
constexpr int sc_fontSizeRows = 35;
constexpr int sc_checkRow = 25;
constexpr int sc_drawModeRows = 135;
constexpr int sc_drawMethodRows = 60;

void placeAt(Fl_Widget *w, int y)
{
	w->position(w->x(), y);
	w->show();
}

void showIf(bool shown, std::initializer_list<Fl_Widget *> widgets)
{
	for (Fl_Widget *w : widgets) {
		if (shown) w->show();
		else w->hide();
	}
}

// A check button and the draw-mode bit it shows.
struct drawModeCheck_s {
	Fl_Check_Button *button;
	int bit;
};

// The panel's draw-mode check buttons, each with its bit.
std::array<drawModeCheck_s, 5> drawModeChecks(const UIstate &ui)
{
	return {{{ui.m_dmStippleButton, DM_STIPPLE},
	         {ui.m_dmOriButton, DM_ORI},
	         {ui.m_dmWireframeButton, DM_WIREFRAME},
	         {ui.m_dmShadeButton, DM_SHADE},
	         {ui.m_dmMagnitudeButton, DM_MAGNITUDE}}};
}

} // namespace

void UIstate::stackControls()
{
	const object *obj = m_currentObject;
	Fl_Widget *others[] = {m_removeButton, m_hideButton, m_fgColorButton, m_fgAlphaLabel, m_fgAlphaSlider,
	                       m_bgColorButton, m_bgAlphaLabel, m_bgAlphaSlider, m_olColorButton, m_olAlphaLabel,
	                       m_olAlphaSlider, m_fontSizeLabel, m_fontSizeSlider, m_dmStippleButton, m_dmOriButton,
	                       m_dmWireframeButton, m_dmShadeButton, m_dmMagnitudeButton, m_drawMethodLabel,
	                       m_drawMethodMenu, m_descriptionLabel, m_descriptionOutput};
	if (obj == nullptr) {
		placeAt(m_nameLabel, sc_stackTop);
		placeAt(m_nameOutput, sc_stackTop);
		m_nameOutput->value("no object selected");
		for (Fl_Widget *w : others) w->hide();
		return;
	}
	const int P = obj->m_properties;
	int y = sc_stackTop;
	// 1. the name
	showIf(P & OP_NAME, {m_nameLabel, m_nameOutput});
	if (P & OP_NAME) {
		placeAt(m_nameLabel, y);
		placeAt(m_nameOutput, y);
		y += sc_nameRows;
	}
	// 2. remove, and hide for what is drawn by its interpretation
	placeAt(m_removeButton, y);
	y += sc_buttonRow;
	showIf(P & OP_INTERPRETATION, {m_hideButton});
	if (P & OP_INTERPRETATION) {
		placeAt(m_hideButton, y);
		y += sc_buttonRow;
	}
	// 3. the colours, each with its alpha below
	y += sc_colorsGap;
	const int colorBits[3] = {OP_FG_COLOR, OP_BG_COLOR, OP_OL_COLOR};
	Fl_Widget *colorRows[3][3] = {{m_fgColorButton, m_fgAlphaLabel, m_fgAlphaSlider},
	                              {m_bgColorButton, m_bgAlphaLabel, m_bgAlphaSlider},
	                              {m_olColorButton, m_olAlphaLabel, m_olAlphaSlider}};
	for (int i = 0; i < 3; i++) {
		const bool has = P & colorBits[i];
		showIf(has, {colorRows[i][0], colorRows[i][1], colorRows[i][2]});
		if (!has) continue;
		placeAt(colorRows[i][0], y);
		placeAt(colorRows[i][1], y + sc_buttonRow);
		placeAt(colorRows[i][2], y + sc_buttonRow);
		y += sc_colorRows;
	}
	// 4. the font size
	showIf(P & OP_FONT_SIZE, {m_fontSizeLabel, m_fontSizeSlider});
	if (P & OP_FONT_SIZE) {
		placeAt(m_fontSizeLabel, y);
		placeAt(m_fontSizeSlider, y);
		y += sc_fontSizeRows;
	}
	// 5. the draw-mode bits
	Fl_Widget *checks[] = {m_dmStippleButton, m_dmOriButton, m_dmWireframeButton, m_dmShadeButton, m_dmMagnitudeButton};
	showIf(P & OP_DRAW_MODE, {checks[0], checks[1], checks[2], checks[3], checks[4]});
	if (P & OP_DRAW_MODE) {
		for (int i = 0; i < 5; i++) placeAt(checks[i], y + i * sc_checkRow);
		y += sc_drawModeRows;
	}
	// 6. the draw method
	showIf(P & OP_DRAW_METHOD, {m_drawMethodLabel, m_drawMethodMenu});
	if (P & OP_DRAW_METHOD) {
		placeAt(m_drawMethodLabel, y);
		placeAt(m_drawMethodMenu, y + sc_buttonRow);
		y += sc_drawMethodRows;
	}
	// 7. the description
	showIf(P & OP_VALUE, {m_descriptionLabel, m_descriptionOutput});
	if (P & OP_VALUE) {
		placeAt(m_descriptionLabel, y);
		placeAt(m_descriptionOutput, y + sc_buttonRow);
	}
}

int UIstate::setCurrentObject(object *obj)
{
	m_currentObject = obj;
	if (m_controlGroup == nullptr) return 0;
	stackControls();
	updateControls(-1);
	if (m_controlGroupVisible) m_controlGroup->redraw();
	if (m_alwaysObjectDescriptionInStatusBar || !m_controlGroupVisible) {
		char buf[sc_descriptionBufferSize] = "";
		if (obj != nullptr) obj->description(buf, sc_descriptionBufferSize - 1, 1);
		setStatus(buf);
	}
	return 0;
}

int UIstate::setCurrentObjectByName(const std::string &name)
{
	return setCurrentObject(g_state != nullptr ? g_state->getObjectPtrByName(name) : nullptr);
}

int UIstate::updateControls(int propertiesChanged)
{
	object *obj = m_currentObject;
	if (obj == nullptr || m_controlGroup == nullptr) return 0;
	const int P = propertiesChanged & obj->m_properties;
	if (P & OP_NAME) {
		m_nameOutput->value(obj->m_name.c_str());
		m_nameOutput->redraw();
	}
	if (P & OP_DRAW_MODE) {
		m_hideButton->label((obj->m_drawMode & DM_HIDE) ? "show this object" : "hide this object");
		m_hideButton->redraw();
		for (const drawModeCheck_s &c : drawModeChecks(*this)) {
			c.button->value((obj->m_drawMode & c.bit) != 0);
			c.button->redraw();
		}
	}
	// the alphas as shown, fade included
	if (P & OP_FG_COLOR) m_fgAlphaSlider->value(obj->fgColor(3));
	if (P & OP_BG_COLOR) m_bgAlphaSlider->value(obj->bgColor(3));
	if (P & OP_OL_COLOR) m_olAlphaSlider->value(obj->olColor(3));
	if (P & OP_FONT_SIZE) m_fontSizeSlider->value(obj->m_fontSize);
	if ((P & OP_DRAW_METHOD) && obj->m_dmMenu != nullptr) setDrawMethodMenu(obj->m_dmMenu, obj->m_dmMenuIdx);
	if (P & OP_VALUE) {
		char buf[sc_descriptionBufferSize] = "";
		obj->description(buf, sc_descriptionBufferSize - 1, 0);
		m_descriptionOutput->value(buf);
		m_descriptionOutput->redraw();
	}
	return 0;
}

int UIstate::setDrawMethodMenu(const Fl_Menu_Item *items, int index)
{
	if (index < 0 || index >= menuTableLength(items)) return -1;
	if (m_drawMethodMenu == nullptr) return 0;
	// a chosen item reaches the button's callback (ui_drawMethodMenuCallback),
	// which reads the item's method from it; the shared table stays as it is
	m_drawMethodMenu->menu(items);
	m_drawMethodMenu->label(items[index].text);
	m_drawMethodMenu->redraw();
	return 0;
}

void UIstate::ui_controlCallback(Fl_Widget *w)
{
	if (m_currentObject == nullptr) return;
	object *obj = m_currentObject;
	if (w == m_removeButton) {
		if (g_state != nullptr) g_state->removeObject(obj);
	} else if (w == m_hideButton) {
		obj->toggleHide();
		setCurrentObject(obj);
	} else if (w == m_fgColorButton || w == m_bgColorButton || w == m_olColorButton) {
		const int which = w == m_fgColorButton ? 0 : (w == m_bgColorButton ? 1 : 2);
		const char *const titles[3] = {"Set foreground color", "Set background color", "Set outline color"};
		const float *colors[3] = {obj->fgColor(), obj->bgColor(), obj->olColor()};
		double r = colors[which][0], g = colors[which][1], b = colors[which][2];
		// the chooser runs the event loop: a script or a network command
		// may remove the object meanwhile, so it is taken again afterwards
		const int chosen = fl_color_chooser(titles[which], r, g, b);
		obj = m_currentObject;
		if (!chosen || obj == nullptr) return;
		const float alphas[3] = {obj->fgColor(3), obj->bgColor(3), obj->olColor(3)};
		const double c[4] = {r, g, b, alphas[which]};
		if (which == 0) obj->setFgColor(c);
		else if (which == 1) obj->setBgColor(c);
		else obj->setOlColor(c);
	} else if (w == m_fgAlphaSlider) {
		obj->setFgAlpha(static_cast<float>(m_fgAlphaSlider->value()));
	} else if (w == m_bgAlphaSlider) {
		obj->setBgAlpha(static_cast<float>(m_bgAlphaSlider->value()));
	} else if (w == m_olAlphaSlider) {
		obj->setOlAlpha(static_cast<float>(m_olAlphaSlider->value()));
	} else if (w == m_fontSizeSlider) {
		obj->setFontSize(static_cast<float>(m_fontSizeSlider->value()));
	} else {
		for (const drawModeCheck_s &c : drawModeChecks(*this)) {
			if (w != c.button) continue;
			obj->m_drawMode ^= c.bit;
			c.button->value((obj->m_drawMode & c.bit) != 0);
		}
	}
	uiRedrawView();
}

void ui_controlCallback(Fl_Widget *w, void *)
{
	if (gui_state != nullptr) gui_state->ui_controlCallback(w);
}

void ui_drawMethodMenuCallback(Fl_Widget *menu, void *)
{
	UIstate *ui = gui_state;
	if (ui == nullptr || ui->m_currentObject == nullptr) return;
	Fl_Menu_Button *button = static_cast<Fl_Menu_Button *>(menu);
	const Fl_Menu_Item *chosen = button->mvalue();
	const Fl_Menu_Item *table = button->menu();
	if (chosen == nullptr || table == nullptr) return;
	// the first item of the method the chosen item stands for
	const int position = menuTablePosition(table, chosen->user_data());
	if (position < 0) return;
	ui->m_currentObject->m_dmMenuIdx = position;
	button->label(table[position].text);
	button->redraw();
	uiRedrawView();
}
