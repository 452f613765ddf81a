#pragma once
// Console controls: a widget of the scalar panel bound to a global variable
// of the console. Moving the widget assigns the variable and runs the
// dynamic statements again; assigning the variable anywhere marks the
// control (state::modified), and the next state::updateDynStmts sets the
// widget from the variable. A check button holds a truth value, a slider a
// number in a range, a menu one of several labelled numbers; each control
// has a "remove" button that deletes it.
//
// Without a user interface a control has no widgets: it still assigns its
// variable its initial value and is kept, replaced and removed by name.
// Widgets never point at their control: they carry the control's name, and
// consoleControlCallback finds the control by it.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

class consoleVariable;
class Fl_Button;
class Fl_Check_Button;
class Fl_Menu_Button;
class Fl_Value_Slider;
class Fl_Widget;
struct Fl_Menu_Item;

class consoleControl {
public:
	explicit consoleControl(const std::string &nm);
	virtual ~consoleControl();
	consoleControl(const consoleControl &) = delete;
	consoleControl &operator=(const consoleControl &) = delete;

	void initToNothing();

	// Places the control's row at y = py in a panel of usable width pw.
	virtual void setWidgetWY(int pw, int py);
	// Height of the control's row; 0 without widgets.
	virtual int widgetHeight() const;
	// The console line that makes the control again, as saved scenes hold
	// it; its numbers read back as exactly the same doubles.
	virtual void writeToGeoFile(FILE *F) = 0;
	void writeToGeoFileMemFun(FILE *F) { writeToGeoFile(F); }
	// Whether that console line assigns the global variable of that name:
	// the bound one, and a menu's options.
	virtual bool assigns(const std::string &name) const;
	// The widget w changed: the number it shows goes to the variable.
	virtual void widgetModified(Fl_Widget *w);
	// The number the widget shows; false without widgets.
	virtual bool shownValue(double *v) const;
	// The variable changed: its value goes to the widget.
	virtual void consoleVariableModified() = 0;

	void name(const std::string &nm);
	// The "remove" button at the row's left; the x at which the control's
	// own widgets start.
	int createRemoveButton();
	// A widget of this control was used.
	void callback(Fl_Widget *w);
	// The variable's scalar value and truth; 0 when there is no such variable.
	double lookupValue() const;
	int lookupValueBool() const;

	// --- fields, in this order
	// name of the bound global variable, heap copy; the key of the control
	char *m_name;
	// 1 while the control sets its own widget from the variable
	int m_selfModify;
	// set when the variable was assigned; never cleared
	int m_updateRequired;
	Fl_Button *m_removeButton;

	// the row's layout in the panel, in pixels
	static constexpr int sc_removeButtonX = 5;
	static constexpr int sc_removeButtonY = 2;
	static constexpr int sc_removeButtonWidth = 60;
	static constexpr int sc_removeButtonHeight = 20;
	// where the control's own widgets start, right of the remove button
	static constexpr int sc_widgetX = 70;
	// the gap between a control's widget and the panel's right edge
	static constexpr int sc_rightMargin = 5;

protected:
	// A copy of the variable, owned by the caller; null when there is none.
	consoleVariable *lookup() const;
	// v assigned to the variable (keeping its object's drawing attributes),
	// then the dynamic statements run; nothing without an application state.
	void assignVariable(double v);
	// Whether there is a scalar panel to hold widgets: without one a
	// control makes none.
	static bool hasPanel();
	// w put into the scalar panel.
	static void addToPanel(Fl_Widget *w);
	// w taken out of the panel and deleted once the toolkit is back in its
	// event loop: the widget may be the one whose callback is running.
	static void deleteWidget(Fl_Widget *w);
	// Runs f with m_selfModify set: widget changes made by f are not
	// taken as the user's.
	template <class F> void selfModify(F f)
	{
		m_selfModify = 1;
		f();
		m_selfModify = 0;
	}
};

// A check button for a truth value.
class consoleControlBool : public consoleControl {
public:
	consoleControlBool(const std::string &nm, int value);
	~consoleControlBool() override;
	void initToNothing();

	int widgetHeight() const override;
	void setWidgetWY(int pw, int py) override;
	void writeToGeoFile(FILE *F) override;
	bool shownValue(double *v) const override;
	void consoleVariableModified() override;

	Fl_Check_Button *m_checkButton;

	static constexpr int sc_height = 25;
};

// A horizontal value slider for a number in a range, its name printed under it.
class consoleControlRange : public consoleControl {
public:
	// A negative step is (maxValue - minValue) / 200, the two in either order.
	consoleControlRange(const std::string &nm, double value, double minValue, double maxValue, double step);
	~consoleControlRange() override;
	void initToNothing();

	int widgetHeight() const override;
	void setWidgetWY(int pw, int py) override;
	void writeToGeoFile(FILE *F) override;
	bool shownValue(double *v) const override;
	void consoleVariableModified() override;

	Fl_Value_Slider *m_valueSlider;

	static constexpr int sc_height = 25;
	// room under the slider for its name
	static constexpr int sc_labelHeight = 20;
	// the automatic step divides the range into this many steps
	static constexpr double sc_autoSteps = 200.0;
};

// A menu of labelled numbers, after a text label "name: ".
class consoleControlSelection : public consoleControl {
public:
	// The option chosen first is the last one whose number equals value,
	// else the first.
	consoleControlSelection(const std::string &nm, double value,
	                        const std::vector<std::pair<std::string, double>> &options);
	~consoleControlSelection() override;
	void initToNothing();

	int widgetHeight() const override;
	void setWidgetWY(int pw, int py) override;
	void writeToGeoFile(FILE *F) override;
	void widgetModified(Fl_Widget *w) override;
	bool shownValue(double *v) const override;
	void consoleVariableModified() override;

	int nbOptions() const;
	bool assigns(const std::string &name) const override;

	Fl_Menu_Button *m_menuButton;
	// one item per option and an all-zero end item; item texts are heap copies
	Fl_Menu_Item *m_menuItems;
	// the number of each option
	double *m_menuValues;
	Fl_Widget *m_label;
	// name followed by ": ", heap copy
	char *m_labelText;

	static constexpr int sc_height = 20;
	static constexpr int sc_labelWidth = 40;
	static constexpr int sc_menuX = 125;

protected:
	// The option of number v: the last equal one, else the first.
	int optionOf(double v) const;
	// Shows option i, its text as the menu's label.
	void show(int i);
};

// The toolkit callback of every control widget; name is the control's
// name. Nothing when no control has that name.
void consoleControlCallback(Fl_Widget *w, void *name);
