// A chooser of its own for every question, its name field set up so that a
// bare name typed into it names a file in the directory it shows.
#include "ui/filechooser.h"

#include <FL/Fl.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_File_Input.H>
#include <FL/Fl_Group.H>

#include <cstring>
#include <string>

namespace {

// the directory the previous chooser ended in: the next one without a
// start file opens there, as the toolkit's own shared chooser does
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

} // namespace

const char *askForFile(const char *title, const char *filter, const char *start, bool directory)
{
	if (start == nullptr || start[0] == '\0') start = s_lastDirectory.empty() ? "." : s_lastDirectory.c_str();
	const int type = directory ? Fl_File_Chooser::CREATE | Fl_File_Chooser::DIRECTORY : Fl_File_Chooser::CREATE;
	// a new chooser each time, so that no answer of an earlier question is
	// left in it
	Fl_File_Chooser chooser(start, directory ? "*" : filter, type, title);
	chooser.show();
	selectNamePart(chooser);
	while (chooser.shown()) Fl::wait();
	// with its "/": the chooser takes the last part of a start name without
	// one for a file in the directory above
	const char *ended = chooser.directory();
	if (ended != nullptr && ended[0] != '\0') {
		s_lastDirectory = ended;
		if (s_lastDirectory.back() != '/') s_lastDirectory += '/';
	}
	const char *name = chooser.value();
	if (name == nullptr || name[0] == '\0') return nullptr;
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
