#pragma once
// Answers the modal windows that the code under test opens and waits on (file
// choosers, message and question boxes) from inside their own event loops:
// each queued answer waits for a modal window that was not the top one when
// it was queued, records what that window showed, and acts on it.  A window
// shown again after it was hidden (the toolkit reuses its choosers and
// message boxes) counts as a new one.  An answer that finds no window in
// time fails the test, names the window it waited for, and closes the modal
// window that keeps the code under test waiting.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_File_Browser.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_File_Input.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <algorithm>
#include <chrono>
#include <deque>
#include <string>
#include <vector>

#include "ui/filechooser.h"

class modalAnswers {
public:
	// What a modal window showed: its title and the labels of its widgets,
	// one a line; for a file chooser also the filters it offers (each
	// followed by a tab), the file it started from, the directory it showed,
	// and its name field as a name typed at once would leave it, the name
	// written "<typed>".
	struct seen_s {
		std::string title;
		std::string texts;
		std::string filter;
		std::string value;
		std::string directory;
		std::string typed;
		// Whether a bare name typed at once names a file in the directory shown.
		bool typedNameIsInItsDirectory() const { return typed == directory + "/<typed>"; }
	};
	std::vector<seen_s> seen;

	~modalAnswers() { Fl::remove_timeout(poll, this); }

	// A file chooser gets name and its OK button.
	void chooseFile(const std::string &name) { queue({CHOOSE, name}); }
	// The button of that label is pressed ("Cancel", "Yes", "No", "Close").
	void press(const std::string &button) { queue({PRESS, button}); }
	bool allAnswered() const { return m_answers.empty(); }

private:
	enum kind_e { CHOOSE, PRESS };
	using clock = std::chrono::steady_clock;
	struct answer_s {
		kind_e kind;
		std::string text;
		// the modal window when the answer was queued, and its window on the
		// X server: shown again after being hidden, it gets another one
		Fl_Window *before = nullptr;
		Window beforeXid = 0;
	};
	std::deque<answer_s> m_answers;
	// since when the answer at the front has waited
	clock::time_point m_frontSince;
	// the window seen last and how many looks in a row saw it
	Fl_Window *m_seenWindow = nullptr;
	int m_sightings = 0;
	// how often a modal window is looked for
	static constexpr double sc_pollPeriod = 0.01;
	// A window is answered once this many looks in a row saw it: a file
	// chooser runs the event loop inside its own show(), and what is done
	// there is undone when show() goes on.
	static constexpr int sc_sightingsBeforeAnswer = 5;
	// How long an answer waits for its window before the test fails: far
	// longer than any window takes to come, far shorter than the test's own
	// time limit, so that the failure names the window.
	static constexpr double sc_watchdogSeconds = 15.0;

	void queue(answer_s a)
	{
		// a modal window that has gone may still be the toolkit's modal one
		a.before = Fl::modal() != nullptr && Fl::modal()->shown() ? Fl::modal() : nullptr;
		a.beforeXid = a.before != nullptr ? fl_xid(a.before) : 0;
		if (m_answers.empty()) {
			m_frontSince = clock::now();
			Fl::add_timeout(sc_pollPeriod, poll, this);
		}
		m_answers.push_back(a);
	}

	// The window that answer waits for, in words.
	static std::string awaited(const answer_s &a)
	{
		return a.kind == CHOOSE ? "a file chooser to choose '" + a.text + "'"
		                        : "a modal window with the button '" + a.text + "'";
	}

	// Whether w is a modal window that answer a may act on: shown, and not
	// the one that was modal when the answer was queued, unless that one has
	// been hidden and shown again since.
	static bool isNew(Fl_Window *w, const answer_s &a)
	{
		return w != nullptr && w->shown() && (w != a.before || fl_xid(w) != a.beforeXid);
	}

	// The watchdog: when the answer at the front has waited too long, the
	// test fails and the modal window is closed so the code under test goes
	// on.  Whether it fired.
	bool overdue(Fl_Window *w)
	{
		const answer_s &a = m_answers.front();
		if (std::chrono::duration<double>(clock::now() - m_frontSince).count() < sc_watchdogSeconds) return false;
		const bool shown = w != nullptr && w->shown();
		const std::string modal = shown ? "'" + std::string(w->label() != nullptr ? w->label() : "") + "'" : "none";
		ADD_FAILURE() << "waited " << sc_watchdogSeconds << " s for " << awaited(a) << "; the modal window: " << modal;
		if (shown) w->hide();
		m_answers.pop_front();
		m_frontSince = clock::now();
		m_sightings = 0;
		m_seenWindow = nullptr;
		return true;
	}

	static void collect(Fl_Widget *w, std::string &texts)
	{
		if (w->label() != nullptr && w->label()[0] != '\0') texts += std::string(w->label()) + "\n";
		Fl_Group *g = w->as_group();
		if (g != nullptr)
			for (int i = 0; i < g->children(); i++) collect(g->child(i), texts);
	}

	// Whether w (or a widget in it) is a file chooser's list of files.
	static bool holdsFileBrowser(Fl_Widget *w)
	{
		if (dynamic_cast<Fl_File_Browser *>(w) != nullptr) return true;
		Fl_Group *g = w->as_group();
		if (g != nullptr)
			for (int i = 0; i < g->children(); i++)
				if (holdsFileBrowser(g->child(i))) return true;
		return false;
	}

	// The items of the chooser's choice of filters.
	static const Fl_Menu_Item *chooserFilters(Fl_Widget *w)
	{
		Fl_Choice *c = dynamic_cast<Fl_Choice *>(w);
		if (c != nullptr) return c->menu();
		Fl_Group *g = w->as_group();
		if (g != nullptr)
			for (int i = 0; i < g->children(); i++) {
				const Fl_Menu_Item *m = chooserFilters(g->child(i));
				if (m != nullptr) return m;
			}
		return nullptr;
	}

	// The field's text with its selection replaced by "<typed>".
	static std::string typedInto(Fl_File_Input *f)
	{
		const std::string v = f->value();
		const size_t from = std::min(f->position(), f->mark()), to = std::max(f->position(), f->mark());
		return v.substr(0, from) + "<typed>" + v.substr(to);
	}

	static Fl_Button *button(Fl_Widget *w, const std::string &label)
	{
		Fl_Button *b = dynamic_cast<Fl_Button *>(w);
		if (b != nullptr && b->label() != nullptr && label == b->label()) return b;
		Fl_Group *g = w->as_group();
		if (g != nullptr)
			for (int i = 0; i < g->children(); i++)
				if ((b = button(g->child(i), label)) != nullptr) return b;
		return nullptr;
	}

	static void poll(void *data)
	{
		modalAnswers *self = static_cast<modalAnswers *>(data);
		Fl_Window *w = Fl::modal();
		if (self->m_answers.empty()) return;
		const answer_s a = self->m_answers.front();
		const bool candidate = isNew(w, a);
		self->m_sightings = candidate && w == self->m_seenWindow ? self->m_sightings + 1 : candidate ? 1 : 0;
		self->m_seenWindow = candidate ? w : nullptr;
		if (self->m_sightings < sc_sightingsBeforeAnswer) {
			if (!self->overdue(w) || !self->m_answers.empty()) Fl::repeat_timeout(sc_pollPeriod, poll, data);
			return;
		}
		self->m_sightings = 0;
		self->m_seenWindow = nullptr;
		seen_s s;
		s.title = w->label() != nullptr ? w->label() : "";
		collect(w, s.texts);
		// a file chooser's window carries the chooser as its user data
		Fl_File_Chooser *chooser = holdsFileBrowser(w) ? static_cast<Fl_File_Chooser *>(w->user_data()) : nullptr;
		if (chooser != nullptr) {
			s.value = chooser->value() != nullptr ? chooser->value() : "";
			s.directory = chooser->directory() != nullptr ? chooser->directory() : "";
			Fl_File_Input *field = chooserNameField(w);
			if (field != nullptr) s.typed = typedInto(field);
			const Fl_Menu_Item *filters = chooserFilters(w);
			for (int i = 0; filters != nullptr && filters[i].text != nullptr; i++) s.filter += std::string(filters[i].text) + "\t";
		}
		if (a.kind == CHOOSE && chooser != nullptr) {
			chooser->value(a.text.c_str());
			chooser->hide();
		} else {
			Fl_Button *b = button(w, a.text);
			if (b != nullptr) b->do_callback();
			else w->hide();
		}
		self->seen.push_back(s);
		self->m_answers.pop_front();
		self->m_frontSince = clock::now();
		if (!self->m_answers.empty()) Fl::repeat_timeout(sc_pollPeriod, poll, data);
	}
};
