// A chooser of its own for every question, its name field set up so that a
// bare name typed or pasted into it, also into a field emptied or wholly
// selected first, names a file in the directory it shows, and a name typed
// with "/" or "~" in front names that very file.
#include "ui/filechooser.h"

#include <FL/Fl.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_File_Input.H>
#include <FL/Fl_Group.H>
#include <FL/filename.H>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// the directory the last answered chooser ended in, when it existed: the
// next one without a start file opens there, as the toolkit's own shared
// chooser does
std::string s_lastDirectory;
// the answer, kept until the next question
std::string s_chosen;

// The toolkit shows the whole path selected with the cursor in front of it.
// A name typed over that is relative, which the chooser makes absolute
// while leaving the cursor at the start, so every further letter lands in
// front of a new copy of the directory.  Selecting only the name after the
// last "/" keeps what is typed behind the directory: the path stays
// absolute and the typed name replaces the start file's.
void selectNamePart(Fl_File_Chooser &chooser)
{
	Fl_File_Input *field = chooserNameField(chooser.previewButton->window());
	if (field == nullptr) return;
	const char *text = field->value();
	const char *slash = std::strrchr(text, '/');
	field->position(field->size(), slash != nullptr ? static_cast<int>(slash - text) + 1 : 0);
}

// The directory part of a file name: all before its last "/" ("/" for a
// file in the root, "." for a bare name); a name from home counts as a
// name in home.
std::string directoryOf(const char *name)
{
	char expanded[FL_PATH_MAX];
	fl_filename_expand(expanded, sizeof expanded, name);
	const char *slash = std::strrchr(expanded, '/');
	if (slash == nullptr) return ".";
	if (slash == expanded) return "/";
	return std::string(expanded, static_cast<size_t>(slash - expanded));
}

// The name field of the chooser being shown, or null.
Fl_File_Input *s_nameField = nullptr;
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
	Fl_File_Input *field = s_nameField;
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

// The chooser being shown, and its own callback of the name field with
// that callback's data.
Fl_File_Chooser *s_chooser = nullptr;
Fl_Callback *s_nameCallback = nullptr;
void *s_nameCallbackData = nullptr;

// The name field changed.  A bare name in it (typed into an emptied or
// wholly selected field, or pasted) names a file in the shown directory:
// the directory goes in front of it here, the cursor and the selection
// staying behind what was typed.  The chooser would make the name absolute
// itself, but with the cursor at the start, so that every further letter
// lands in front of a new copy of the directory.  A name from home or with
// a variable in it the chooser expands itself.
void nameChanged(Fl_Widget *w, void *)
{
	Fl_File_Input *field = static_cast<Fl_File_Input *>(w);
	const std::string text = field->value();
	const char *shown = s_chooser != nullptr ? s_chooser->directory() : nullptr;
	if (!text.empty() && text[0] != '/' && text[0] != '~' && text.find('$') == std::string::npos &&
	    shown != nullptr && shown[0] == '/') {
		std::string directory = shown;
		if (directory.back() != '/') directory += '/';
		const int moved = static_cast<int>(directory.size());
		const int position = field->position(), mark = field->mark();
		field->value((directory + text).c_str());
		field->position(position + moved, mark + moved);
	}
	if (s_nameCallback != nullptr) s_nameCallback(w, s_nameCallbackData);
}

} // namespace

const char *askForFile(const char *title, const char *filter, const char *start, bool directory)
{
	// a start file in a directory that is gone starts where the previous
	// chooser ended too: a chooser in a missing directory lists nothing
	if (start == nullptr || start[0] == '\0' || !fl_filename_isdir(directoryOf(start).c_str()))
		start = s_lastDirectory.empty() ? "." : s_lastDirectory.c_str();
	const int type = directory ? Fl_File_Chooser::CREATE | Fl_File_Chooser::DIRECTORY : Fl_File_Chooser::CREATE;
	// a new chooser each time, so that no answer of an earlier question is
	// left in it
	Fl_File_Chooser chooser(start, directory ? "*" : filter, type, title);
	chooser.show();
	selectNamePart(chooser);
	s_nameField = chooserNameField(chooser.previewButton->window());
	s_chooser = &chooser;
	if (s_nameField != nullptr) {
		s_nameCallback = s_nameField->callback();
		s_nameCallbackData = s_nameField->user_data();
		s_nameField->callback(nameChanged);
	}
	const Fl_Event_Dispatch dispatch = Fl::event_dispatch();
	// (a chooser asked for while one shows keeps the outer one's)
	if (dispatch != startOwnName) s_outerDispatch = dispatch;
	Fl::event_dispatch(startOwnName);
	while (chooser.shown()) Fl::wait();
	Fl::event_dispatch(dispatch);
	s_nameField = nullptr;
	s_chooser = nullptr;
	const char *name = chooser.value();
	if (name == nullptr || name[0] == '\0') return nullptr;
	// an answered chooser's directory is where the next one starts, when it
	// exists; with its "/": the chooser takes the last part of a start name
	// without one for a file in the directory above
	const char *ended = chooser.directory();
	if (ended != nullptr && ended[0] != '\0' && fl_filename_isdir(ended)) {
		s_lastDirectory = ended;
		if (s_lastDirectory.back() != '/') s_lastDirectory += '/';
	}
	s_chosen = name;
	return s_chosen.c_str();
}

Fl_File_Input *chooserNameField(Fl_Widget *w)
{
	Fl_File_Input *field = dynamic_cast<Fl_File_Input *>(w);
	if (field != nullptr) return field;
	Fl_Group *g = w->as_group();
	for (int i = 0; g != nullptr && i < g->children(); i++)
		if ((field = chooserNameField(g->child(i))) != nullptr) return field;
	return nullptr;
}
