// A chooser of its own for every question, its name field set up so that a
// bare name typed or pasted into it, also into a field emptied or wholly
// selected first, names a file in the directory it shows, and a name typed
// with "/" or "~" in front names that very file.  Every other character,
// "$" and "~" included, is the name's own, and so is a name longer than
// the toolkit's own buffers hold.
#include "ui/filechooser.h"
#include "ui/choosernames.h"

#include <FL/Fl.H>
#include <FL/Fl_File_Browser.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_File_Input.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Return_Button.H>
#include <FL/filename.H>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

using namespace choosername;

namespace {

// The toolkit's chooser reads the name in its field into buffers of
// FL_PATH_MAX bytes, completing it with a file's name of up to NAME_MAX
// bytes: a longer name it cuts, and it then loses what is typed or calls
// itself back without end.
constexpr size_t c_toolkitNameRoom = FL_PATH_MAX - NAME_MAX - 1;

// the directory the last answered chooser ended in, when it existed: the
// next one without a start file opens there, as the toolkit's own shared
// chooser does
std::string s_lastDirectory;
// the answer, kept until the next question
std::string s_chosen;

// The first widget of kind W that is w or lies inside it, or null.
template <class W> W *findIn(Fl_Widget *w)
{
	W *found = dynamic_cast<W *>(w);
	if (found != nullptr) return found;
	Fl_Group *g = w->as_group();
	for (int i = 0; g != nullptr && i < g->children(); i++)
		if ((found = findIn<W>(g->child(i))) != nullptr) return found;
	return nullptr;
}

// Whether the toolkit's chooser takes the name in its field as it is: it
// expands a "$" and a "~" anywhere in it (but a leading "~", a home
// directory asked for), and replaces the field's text and its selection
// even when nothing was expanded, so that the next letter typed replaces
// the whole name.
bool toolkitReads(const std::string &text)
{
	return text.find('$') == std::string::npos && text.find('~', 1) == std::string::npos &&
	       homeExpanded(text).size() < c_toolkitNameRoom;
}

// A chooser being shown: the toolkit's, its name field with the field's own
// callback and its data, the same of its OK button; the directory it shows,
// as the user named it, and the one the toolkit holds, which may be cut;
// the answer, when this file's code took the name rather than the toolkit.
struct shownChooser {
	Fl_File_Chooser *chooser = nullptr;
	Fl_File_Input *field = nullptr;
	Fl_Callback *nameCallback = nullptr;
	void *nameData = nullptr;
	Fl_Return_Button *ok = nullptr;
	Fl_Callback *okCallback = nullptr;
	void *okData = nullptr;
	bool directoryChooser = false;
	std::string directory;
	std::string toolkitDirectory;
	// true while the toolkit's callback runs, which may call itself
	bool inToolkit = false;
	bool answered = false;
	std::string answer;
};
shownChooser *s_shown = nullptr;

// Whether the toolkit holds the directory shown: else it lists nothing and
// makes no new folder, which it would list and make in the directory of
// the name it cut.
void toolkitHolds(shownChooser &c, bool holds)
{
	Fl_File_Browser *list = findIn<Fl_File_Browser>(c.chooser->previewButton->window());
	if (!holds && list != nullptr) list->clear();
	if (holds) c.chooser->newButton->activate();
	else c.chooser->newButton->deactivate();
}

// The toolkit's chooser went into another directory (a click in its list,
// a directory named in the field): the chooser shows that one.
void followToolkit(shownChooser &c)
{
	const char *now = c.chooser->directory();
	if (now == nullptr || c.toolkitDirectory == now) return;
	c.toolkitDirectory = now;
	c.directory = absoluteName(now);
	toolkitHolds(c, true);
}

// The toolkit shows the whole path selected with the cursor in front of it.
// A name typed over that is relative, which the chooser makes absolute
// while leaving the cursor at the start, so every further letter lands in
// front of a new copy of the directory.  Selecting only the name after the
// last "/" keeps what is typed behind the directory: the path stays
// absolute and the typed name replaces the start file's.
void selectNamePart(Fl_File_Input *field)
{
	const char *text = field->value();
	const char *slash = std::strrchr(text, '/');
	field->position(field->size(), slash != nullptr ? static_cast<int>(slash - text) + 1 : 0);
}

// The chooser shows directory name, which the toolkit lists when its name
// fits the toolkit's buffers (it takes a "$" or "~" in a directory's name
// as it is); the field keeps its text, cursor and selection.
void showDirectory(shownChooser &c, const std::string &name)
{
	c.directory = name;
	const bool holds = name.size() < c_toolkitNameRoom;
	if (holds) {
		const std::string text = c.field->value();
		const int position = c.field->position(), mark = c.field->mark();
		c.chooser->directory(name.c_str());
		c.toolkitDirectory = c.chooser->directory();
		c.field->value(text.c_str());
		c.field->position(position, mark);
	}
	toolkitHolds(c, holds);
}

// The name in the field, which the toolkit would not read as it is, taken
// as the toolkit takes one it reads: a directory other than the one shown
// (the one shown, in a directory chooser) is entered, any other name is
// the answer.
void takeName(shownChooser &c)
{
	const std::string name = absoluteName(c.field->value());
	if (isDirectory(name) && !(c.directoryChooser && name == c.directory)) {
		c.field->value((name == "/" ? name : name + "/").c_str());
		showDirectory(c, name);
		return;
	}
	c.answer = name;
	c.answered = true;
	c.chooser->hide();
}

bool enterPressed()
{
	return Fl::event() == FL_KEYBOARD && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter);
}

// The event dispatch in force before the chooser showed (the program's
// own takes the paste keys), or null for the toolkit's.
Fl_Event_Dispatch s_outerDispatch = nullptr;

int passOn(int event, Fl_Window *window)
{
	return s_outerDispatch != nullptr ? s_outerDispatch(event, window) : Fl::handle_(event, window);
}

// A "/" or "~" typed where a new name begins (into an empty field, or over
// the name after the shown directory, with nothing behind it) starts a name
// of its own: an absolute one or one from the home directory.  The chooser
// would join it behind the directory it shows.
int startOwnName(int event, Fl_Window *window)
{
	Fl_File_Input *field = s_shown != nullptr ? s_shown->field : nullptr;
	const char *typed = Fl::event_text();
	if (event != FL_KEYBOARD || field == nullptr || Fl::focus() != field || Fl::event_length() != 1 ||
	    (typed[0] != '/' && typed[0] != '~'))
		return passOn(event, window);
	const std::string text = field->value();
	const int from = std::min(field->position(), field->mark()), to = std::max(field->position(), field->mark());
	if (to < static_cast<int>(text.size()) || (from > 0 && text[from - 1] != '/')) return passOn(event, window);
	// the field holds what was typed alone; the chooser follows with the
	// next letter, when the name no longer ends at the root or at home
	field->value(typed, 1);
	field->position(1);
	return 1;
}

// The name field changed.  A bare name in it (typed into an emptied or
// wholly selected field, or pasted) names a file in the shown directory:
// the directory goes in front of it here, the cursor and the selection
// staying behind what was typed.  The chooser would make the name absolute
// itself, but with the cursor at the start, so that every further letter
// lands in front of a new copy of the directory.  A "$" or "~" in the name
// is the name's own; a name from home the chooser expands itself.  The
// toolkit's chooser then completes the name and follows the directories
// in it, when it reads the name as it is; else Return takes it here.
void nameChanged(Fl_Widget *w, void *)
{
	shownChooser *c = s_shown;
	if (c == nullptr || w != c->field) return;
	if (c->inToolkit) {
		c->nameCallback(w, c->nameData);
		return;
	}
	followToolkit(*c);
	Fl_File_Input *field = c->field;
	const std::string text = field->value();
	if (!text.empty() && text[0] != '/' && text[0] != '~') {
		std::string directory = c->directory;
		if (directory.back() != '/') directory += '/';
		const int moved = static_cast<int>(directory.size());
		const int position = field->position(), mark = field->mark();
		field->value((directory + text).c_str());
		field->position(position + moved, mark + moved);
	}
	if (toolkitReads(field->value())) {
		c->inToolkit = true;
		c->nameCallback(w, c->nameData);
		c->inToolkit = false;
		followToolkit(*c);
	} else if (enterPressed()) {
		takeName(*c);
	} else if (!text.empty() && text.back() == '/') {
		// a directory typed with "/" after it, which the toolkit follows
		// when it reads the name
		const std::string typed = absoluteName(field->value());
		if (typed != c->directory && isDirectory(typed)) showDirectory(*c, typed);
	}
}

// OK pressed: a name the toolkit would not read as it is is taken here.
void okPressed(Fl_Widget *w, void *)
{
	shownChooser *c = s_shown;
	if (c == nullptr || w != c->ok) return;
	if (toolkitReads(c->field->value())) c->okCallback(w, c->okData);
	else takeName(*c);
}

} // namespace

const char *askForFile(const char *title, const char *filter, const char *start, bool directory)
{
	// a start file in a directory that is gone starts where the previous
	// chooser ended too: a chooser in a missing directory lists nothing
	std::string from = start != nullptr ? start : "";
	if (from.empty() || !isDirectory(directoryOf(from))) from = s_lastDirectory.empty() ? "." : s_lastDirectory;
	const int type = directory ? Fl_File_Chooser::CREATE | Fl_File_Chooser::DIRECTORY : Fl_File_Chooser::CREATE;
	// a new chooser each time, so that no answer of an earlier question is
	// left in it
	Fl_File_Chooser chooser(from.c_str(), directory ? "*" : filter, type, title);
	chooser.show();
	shownChooser shown;
	shown.chooser = &chooser;
	shown.directoryChooser = directory;
	shown.toolkitDirectory = chooser.directory() != nullptr ? chooser.directory() : "";
	// the directory shown is the toolkit's, but for one whose name the
	// toolkit would cut or expand: the field then shows that name as given
	// (a directory's name may end in "/")
	const bool startsInDirectory = from.back() == '/' || isDirectory(homeExpanded(from));
	const std::string startDirectory = absoluteName(startsInDirectory ? from : directoryOf(from));
	shown.directory = toolkitReads(startDirectory) ? absoluteName(shown.toolkitDirectory) : startDirectory;
	Fl_Widget *window = chooser.previewButton->window();
	shown.field = chooserNameField(window);
	shown.ok = findIn<Fl_Return_Button>(window);
	if (shown.field != nullptr) {
		if (!toolkitReads(startDirectory)) {
			std::string named = startDirectory == "/" ? "/" : startDirectory + "/";
			if (!startsInDirectory) named += from.substr(from.rfind('/') + 1);
			shown.field->value(named.c_str());
			toolkitHolds(shown, startDirectory.size() < c_toolkitNameRoom);
		}
		selectNamePart(shown.field);
		shown.nameCallback = shown.field->callback();
		shown.nameData = shown.field->user_data();
		shown.field->callback(nameChanged);
	}
	if (shown.ok != nullptr) {
		shown.okCallback = shown.ok->callback();
		shown.okData = shown.ok->user_data();
		shown.ok->callback(okPressed);
	}
	// (a chooser asked for while one shows keeps the outer one's)
	shownChooser *outer = s_shown;
	s_shown = &shown;
	const Fl_Event_Dispatch dispatch = Fl::event_dispatch();
	if (dispatch != startOwnName) s_outerDispatch = dispatch;
	Fl::event_dispatch(startOwnName);
	while (chooser.shown()) Fl::wait();
	Fl::event_dispatch(dispatch);
	s_shown = outer;
	const char *name = shown.answered ? shown.answer.c_str() : chooser.value();
	if (name == nullptr || name[0] == '\0') return nullptr;
	s_chosen = name;
	// an answered chooser's directory is where the next one starts, when it
	// exists; with its "/": the chooser takes the last part of a start name
	// without one for a file in the directory above
	followToolkit(shown);
	if (shown.answered && !directory) shown.directory = directoryOf(shown.answer);
	if (isDirectory(shown.directory)) s_lastDirectory = shown.directory == "/" ? "/" : shown.directory + "/";
	return s_chosen.c_str();
}

Fl_File_Input *chooserNameField(Fl_Widget *w)
{
	return findIn<Fl_File_Input>(w);
}
