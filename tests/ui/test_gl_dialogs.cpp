// The dialogs of the main menu and the console window in a shown main window
// on a virtual X server: the screenshot dialog, the select windows, the
// dynamic-statement window, and the drag of the console's top edge.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Int_Input.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Text_Editor.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "console/consoleglobalscope.h"
#include "console/consolewindow.h"
#include "ui/dynstmtrows.h"
#include "ui/dynstmtwindow.h"
#include "view/glwindow.h"
#include "ui/mainwindow.h"
#include "ui/modalanswers.h"
#include "ui/screenshotdialog.h"
#include "ui/selectwindow.h"
#include "support/shownui.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

class dialogs : public shownUI {
protected:
	modalAnswers m_answers;

	// The labels of the select window's entries, in order.
	std::vector<std::string> entries(const selectWindow *w) const
	{
		std::vector<std::string> names;
		const Fl_Group *scroll = w->children() > 1 ? w->child(0)->as_group() : nullptr;
		if (scroll != nullptr)
			for (int i = 0; i < scroll->children(); i++)
				if (dynamic_cast<Fl_Button *>(scroll->child(i)) != nullptr) names.push_back(scroll->child(i)->label());
		return names;
	}
	Fl_Button *entry(const selectWindow *w, int i) const
	{
		return static_cast<Fl_Button *>(w->child(0)->as_group()->child(i));
	}
	// Clicks a button as the toolkit does.
	static void click(Fl_Widget *w)
	{
		Fl_Button *b = dynamic_cast<Fl_Button *>(w);
		if (b != nullptr && b->type() == FL_TOGGLE_BUTTON) b->value(!b->value());
		w->do_callback();
		Fl::check();
	}
	std::string editorText(const dynStmtWidgets &row) const
	{
		char *t = row.editor->buffer()->text();
		std::string s(t);
		std::free(t);
		return s;
	}
	static double scalarOf(const char *name)
	{
		e3ga value;
		g_state->m_globalScope->externalLookupVariable(name, 1, value);
		return value.scalar();
	}
	void hideObjects(std::initializer_list<const char *> names)
	{
		for (const char *n : names) g_state->addE3gaObject(e3ga(e3gai::e1), n, DM_HIDE, 0, 0);
	}
};

TEST_F(dialogs, TheScreenshotDialogOffersTheViewOrThePreviousRequest)
{
	m_ui->createScreenshotDialog();
	screenShotDialog *d = m_ui->m_screenShotDialog;
	ASSERT_NE(d, nullptr);
	EXPECT_STREQ(d->label(), "Screen shot:");
	EXPECT_TRUE(d->modal());
	const mainWindow *m = m_ui->m_mainWindow;
	EXPECT_EQ(boxOf(d), (box_s{m->x() + 1024 / 2 - 140, m->y() + 30 + 445 + 50, 600, 150}));
	// the labels' column is as wide as their longest text with the margins
	// an input keeps on either side; the inputs stand beside it
	const int L = d->m_storeLabel->w(), X = 5 + L + 5;
	struct widget_s {
		Fl_Widget *w;
		box_s box;
		const char *text;
	} widgets[] = {
	    {d->m_storeLabel, {5, 5, L, 25}, "filename: "},  {d->m_filenameInput, {X, 5, 560 - X, 25}, "default.png"},
	    {d->m_browseButton, {565, 5, 30, 25}, "..."},     {d->m_widthLabel, {5, 40, L, 25}, "width: "},
	    {d->m_widthInput, {X, 40, 100, 25}, "724"},       {d->m_heightLabel, {5, 70, L, 25}, "height: "},
	    {d->m_heightInput, {X, 70, 100, 25}, "445"},      {d->m_OKButton, {5, 105, 100, 25}, "OK"},
	    {d->m_cancelButton, {115, 105, 100, 25}, "Cancel"},
	    {d->m_noLabelsCheckButton, {X + 120, 40, 300, 25}, "Render second screenshot without labels"},
	};
	for (const widget_s &w : widgets) {
		EXPECT_EQ(boxOf(w.w), w.box) << w.text;
		Fl_Input_ *input = dynamic_cast<Fl_Input_ *>(w.w);
		EXPECT_STREQ(input != nullptr ? input->value() : w.w->label(), w.text);
	}
	int widest = 0;
	for (Fl_Output *label : {d->m_storeLabel, d->m_widthLabel, d->m_heightLabel}) {
		fl_font(label->textfont(), label->textsize());
		widest = std::max(widest, static_cast<int>(std::ceil(fl_width(label->value()))));
	}
	EXPECT_EQ(L, widest + 2 * 3);
	EXPECT_EQ(d->m_noLabelsCheckButton->value(), 0);
	EXPECT_EQ(d->m_storeLabel->color(), 49u);

	// a negative size becomes 0
	d->m_widthInput->value("-20");
	click(d->m_widthInput);
	EXPECT_STREQ(d->m_widthInput->value(), "0");

	// "..." asks for the file
	m_answers.chooseFile("/tmp/chosen.png");
	click(d->m_browseButton);
	ASSERT_EQ(m_answers.seen.size(), 1u);
	EXPECT_EQ(m_answers.seen[0].title, "Save screenshot (.png):");
	EXPECT_EQ(m_answers.seen[0].filter.find("*.png\t"), 0u);
	EXPECT_TRUE(m_answers.seen[0].typedNameIsInItsDirectory()) << m_answers.seen[0].typed;
	EXPECT_STREQ(d->m_filenameInput->value(), "/tmp/chosen.png");

	// OK requests the shot and closes the dialog
	d->m_widthInput->value("300");
	d->m_heightInput->value("200");
	d->m_noLabelsCheckButton->value(1);
	click(d->m_OKButton);
	EXPECT_EQ(m_ui->m_screenShotDialog, nullptr);
	EXPECT_EQ(m_ui->m_ssFilename, "/tmp/chosen.png");
	EXPECT_EQ(m_ui->m_ssWidth, 300);
	EXPECT_EQ(m_ui->m_ssHeight, 200);
	EXPECT_TRUE(m_ui->m_ssAlsoNoLabels);
	EXPECT_GT(m_ui->m_screenShotOnNextRedraw, 0);
	m_ui->m_screenShotOnNextRedraw = 0;

	// the next dialog shows that request; Cancel changes nothing
	m_ui->createScreenshotDialog();
	d = m_ui->m_screenShotDialog;
	EXPECT_STREQ(d->m_filenameInput->value(), "/tmp/chosen.png");
	EXPECT_STREQ(d->m_widthInput->value(), "300");
	EXPECT_STREQ(d->m_heightInput->value(), "200");
	EXPECT_EQ(d->m_noLabelsCheckButton->value(), 1);
	click(d->m_cancelButton);
	EXPECT_EQ(m_ui->m_screenShotDialog, nullptr);
	EXPECT_EQ(m_ui->m_screenShotOnNextRedraw, 0);
}

TEST_F(dialogs, ShowingHiddenObjectsOneAfterTheOther)
{
	hideObjects({"b", "a"});
	m_ui->createSelectWindow(3);
	selectWindow *w = m_ui->m_selectWindow;
	ASSERT_NE(w, nullptr);
	EXPECT_STREQ(w->label(), "Show hidden objects:");
	EXPECT_EQ(w->w(), 200);
	EXPECT_EQ(w->h(), 2 * 25 + 35);
	// never the camera: it is the program's own
	EXPECT_EQ(entries(w), (std::vector<std::string>{"a", "b"}));
	EXPECT_EQ(boxOf(entry(w, 1)), (box_s{5, 30, 190, 20}));
	EXPECT_NE(dynamic_cast<Fl_Check_Button *>(entry(w, 0)), nullptr);
	object *a = g_state->getObjectPtrByName("a");
	click(entry(w, 0));
	EXPECT_FALSE(a->hidden());
	EXPECT_EQ(m_ui->m_currentObject, a);
	EXPECT_EQ(m_ui->m_selectWindow, w);
	// again: hidden again, and the window stays
	click(entry(w, 0));
	EXPECT_TRUE(a->hidden());
	click(entry(w, 1));
	EXPECT_FALSE(g_state->getObjectPtrByName("b")->hidden());
	EXPECT_EQ(m_ui->m_selectWindow, w);
	// a script removes an object: its entry finds nothing
	g_state->removeObject("a");
	click(entry(w, 0));
	EXPECT_EQ(m_ui->m_selectWindow, w);
	// closed, the window is hidden and forgotten; the toolkit deletes it
	// once its callback has returned
	w->child(1)->do_callback();
	EXPECT_FALSE(w->shown());
	EXPECT_EQ(m_ui->m_selectWindow, nullptr);
	Fl::check();
}

TEST_F(dialogs, SelectingAnObjectClosesTheWindow)
{
	hideObjects({"h"});
	g_state->addE3gaObject(e3ga(e3gai::e2), "v", 0, 0, 0);
	struct case_s {
		int mode;
		const char *title;
		std::vector<std::string> names;
		const char *pick;
	} cases[] = {{1, "Select hidden object:", {"h"}, "h"},
	             {2, "Select object:", {"autocolor", "camori", "campos", "h", "v"}, "v"}};
	for (const case_s &c : cases) {
		m_ui->createSelectWindow(c.mode);
		selectWindow *w = m_ui->m_selectWindow;
		ASSERT_NE(w, nullptr);
		EXPECT_STREQ(w->label(), c.title);
		std::vector<std::string> names = entries(w);
		EXPECT_EQ(names, c.names);
		EXPECT_EQ(w->h(), 25 * (int)c.names.size() + 35);
		// plain buttons to select a hidden object, check buttons otherwise
		EXPECT_EQ(dynamic_cast<Fl_Check_Button *>(entry(w, 0)) == nullptr, c.mode == 1);
		for (size_t i = 0; i < names.size(); i++)
			if (names[i] == c.pick) click(entry(w, (int)i));
		EXPECT_EQ(m_ui->m_selectWindow, nullptr);
		EXPECT_EQ(m_ui->m_currentObject, g_state->getObjectPtrByName(c.pick));
		EXPECT_STREQ(m_ui->m_nameOutput->value(), c.pick);
	}
	// nothing to list
	g_state->removeObject("h");
	m_ui->createSelectWindow(1);
	EXPECT_STREQ(m_ui->m_selectWindow->label(), "No hidden objects");
	EXPECT_EQ(boxOf(m_ui->m_selectWindow).w, 200);
	EXPECT_EQ(boxOf(m_ui->m_selectWindow).h, 30);
	EXPECT_EQ(m_ui->m_selectWindow->children(), 1);
	EXPECT_STREQ(m_ui->m_selectWindow->child(0)->label(), "close window");
	click(m_ui->m_selectWindow->child(0));
	EXPECT_EQ(m_ui->m_selectWindow, nullptr);
}

TEST_F(dialogs, WithoutDynamicStatementsTheWindowOnlyCloses)
{
	m_ui->createDynStmtWindow();
	dynStmtWindow *w = m_ui->m_dynStmtWindow;
	ASSERT_NE(w, nullptr);
	EXPECT_STREQ(w->label(), "Dynamic statements:");
	EXPECT_EQ(w->w(), 600);
	EXPECT_EQ(w->h(), 60);
	ASSERT_EQ(w->children(), 1);
	EXPECT_STREQ(w->child(0)->label(), "close (no dynamic statements)");
	EXPECT_EQ(boxOf(w->child(0)), (box_s{0, 35, 600, 25}));
	click(w->child(0));
	EXPECT_EQ(m_ui->m_dynStmtWindow, nullptr);
}

TEST_F(dialogs, EditingUpdatingAndRemovingDynamicStatements)
{
	g_state->consoleCommandCallback("a = 1; dynamic{b = a * 2;} dynamic{twice: c = a + a;}");
	ASSERT_EQ(g_state->m_dynStmt.size(), 2u);
	m_ui->createDynStmtWindow();
	dynStmtWindow *w = m_ui->m_dynStmtWindow;
	ASSERT_EQ(w->m_rows.size(), 2u);
	EXPECT_EQ(w->h(), 2 * 91 + 60);
	dynStmtWidgets &first = w->m_rows[0], &second = w->m_rows[1];
	EXPECT_STREQ(first.name->value(), "anonymous");
	EXPECT_STREQ(second.name->value(), "twice");
	EXPECT_FALSE(first.name->active());
	EXPECT_EQ(boxOf(second.remove), (box_s{10, 5 + 91 + 30, 90, 20}));
	EXPECT_EQ(boxOf(second.editor), (box_s{105, 5 + 91 + 5, 465, 76}));
	EXPECT_EQ(editorText(first), "b = a * 2;");
	EXPECT_FALSE(first.update->active());

	// an edit makes "update" active; "update" puts it in force
	first.editor->buffer()->text("b = a * 3;");
	EXPECT_TRUE(first.update->active());
	click(first.update);
	EXPECT_FALSE(first.update->active());
	EXPECT_NE(consoleText().find("Update successful\n"), std::string::npos);
	g_state->consoleCommandCallback("a = 5;");
	EXPECT_EQ(scalarOf("b"), 15.0);

	// a text that does not parse keeps the statement and the edit
	first.editor->buffer()->text("b = a # 3;");
	m_answers.press("Close");
	click(first.update);
	ASSERT_EQ(m_answers.seen.size(), 1u);
	EXPECT_NE(m_answers.seen[0].texts.find("Parse error\n(see error message on console)"), std::string::npos);
	EXPECT_TRUE(first.update->active());
	// as does a text with a syntax error, of which some statements parse
	first.editor->buffer()->text("b = a * 7; c = ) 1;");
	m_answers.press("Close");
	click(first.update);
	ASSERT_EQ(m_answers.seen.size(), 2u);
	EXPECT_NE(m_answers.seen[1].texts.find("Parse error\n(see error message on console)"), std::string::npos);
	EXPECT_TRUE(first.update->active());
	g_state->consoleCommandCallback("a = 2;");
	EXPECT_EQ(scalarOf("b"), 6.0);

	// "remove" ends the statement and the row's controls
	click(second.remove);
	EXPECT_EQ(g_state->m_dynStmt.size(), 1u);
	EXPECT_EQ(editorText(second).rfind(" -- Removed --\n\n", 0), 0u);
	EXPECT_FALSE(second.editor->active());
	EXPECT_FALSE(second.remove->active());
	EXPECT_FALSE(second.update->active());
	EXPECT_EQ(dynStmtEntryOf(second), nullptr);

	// closing with an edit pending asks; no discards it
	first.editor->buffer()->text("b = a * 4;");
	m_answers.press("No");
	click(w->child(w->children() - 1));
	ASSERT_EQ(m_answers.seen.size(), 3u);
	EXPECT_NE(m_answers.seen[2].texts.find("Update modified dynamic statements?"), std::string::npos);
	EXPECT_EQ(m_ui->m_dynStmtWindow, nullptr);
	g_state->consoleCommandCallback("a = 1;");
	EXPECT_EQ(scalarOf("b"), 3.0);

	// yes applies it
	m_ui->createDynStmtWindow();
	w = m_ui->m_dynStmtWindow;
	w->m_rows[0].editor->buffer()->text("b = a * 4;");
	m_answers.press("Yes");
	click(w->child(w->children() - 1));
	EXPECT_EQ(scalarOf("b"), 4.0);
	EXPECT_EQ(m_ui->m_dynStmtWindow, nullptr);

	// the rows follow the list: one removed here stays marked, one holding
	// an edit stays though its statement went, the others leave, new ones come
	g_state->consoleCommandCallback("dynamic{n: d = a;} dynamic{m: e = a;}");
	m_ui->createDynStmtWindow();
	w = m_ui->m_dynStmtWindow;
	click(w->m_rows[0].remove);
	w->m_rows[1].editor->buffer()->text("d = a + 2;");
	g_state->consoleCommandCallback("cld(n); cld(m); dynamic{k: f = a;}");
	w->followList();
	ASSERT_EQ(w->m_rows.size(), 3u);
	EXPECT_EQ(w->h(), 3 * 91 + 60);
	EXPECT_TRUE(w->m_rows[0].removed);
	EXPECT_STREQ(w->m_rows[1].remove->label(), "removed");
	EXPECT_FALSE(w->m_rows[1].remove->active());
	EXPECT_STREQ(w->m_rows[2].name->value(), "k");
	EXPECT_EQ(boxOf(w->m_rows[2].editor), (box_s{105, 5 + 2 * 91 + 5, 465, 76}));
	click(w->m_rows[1].update);
	EXPECT_NE(consoleText().find("Not updated: dynamic statement 'n' was removed meanwhile.\n"), std::string::npos);
	m_answers.press("No");
	click(w->child(w->children() - 1));
	EXPECT_EQ(m_ui->m_dynStmtWindow, nullptr);
}

TEST_F(dialogs, DraggingTheConsolesTopEdge)
{
	consoleWindow *c = m_ui->m_consoleGroup;
	const box_s before = boxOf(c);
	const int viewHeight = m_ui->m_glWindow->h();
	// a press on the edge, a drag 50 pixels up, a release
	Fl::e_x = 100;
	Fl::e_y = 1;
	EXPECT_EQ(c->handle(FL_MOVE), 1);
	EXPECT_EQ(c->m_currentCursor, FL_CURSOR_NS);
	EXPECT_EQ(c->handle(FL_PUSH), 1);
	EXPECT_EQ(c->m_dragging, 1);
	Fl::e_y = -50;
	c->handle(FL_DRAG);
	Fl::e_y = 0;
	c->handle(FL_RELEASE);
	EXPECT_EQ(c->m_dragging, 0);
	EXPECT_EQ(boxOf(c), (box_s{before.x, before.y - 50, before.w, before.h + 50}));
	EXPECT_EQ(m_ui->m_glWindow->h(), viewHeight - 50);
	// below the edge the console has the mouse as usual
	Fl::e_y = 10;
	c->handle(FL_MOVE);
	EXPECT_EQ(c->m_currentCursor, FL_CURSOR_DEFAULT);
	c->handle(FL_PUSH);
	EXPECT_EQ(c->m_dragging, 0);
	c->handle(FL_RELEASE);
	EXPECT_EQ(boxOf(c).h, before.h + 50);
}

} // namespace
