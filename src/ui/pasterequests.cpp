// The paste keys and the middle button of every field, the pastes waiting
// for the one asked for, and the hand-over of a text that has come.  The
// toolkit hands a paste to the widget that asked for it; Korimbel asks for
// it for a receiver of its own, which passes the text on to the field.
#include "ui/pasterequests.h"

#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input_.H>
#include <FL/Fl_Text_Editor.H>
#include <FL/Fl_Value_Input.H>
#include <FL/Fl_Window.H>

#include <cctype>
#include <cstdlib>
#include <list>

#include "os/osdep.h"
#include "ui/pastereader.h"

namespace {

// A paste asked for while another comes.
struct waitingPaste {
	Fl_Widget *field;
	int clipboard;
};

// The pastes waiting, oldest first; each field is watched, so that one
// deleted meanwhile reads as null.
std::list<waitingPaste> s_waiting;
// Whether a paste is asked for, and its field (watched).
bool s_asking = false;
Fl_Widget *s_askedFor = nullptr;

// The event dispatch that was there before: the toolkit's own, unless
// another was set.
Fl_Event_Dispatch s_nextDispatch = nullptr;

int passOn(int event, Fl_Window *window)
{
	return s_nextDispatch != nullptr ? s_nextDispatch(event, window) : Fl::handle_(event, window);
}

// Whether an input can hold the text of the paste being handed over in
// place of its selection, beside what it keeps; the console says when it
// cannot.  The toolkit would keep the first bytes of a longer text without
// a word.
bool holds(Fl_Input_ *input)
{
	const char *text = Fl::event_text();
	int length = Fl::event_length();
	// the toolkit drops the blanks at the end of a paste into one line
	if (input->input_type() != FL_MULTILINE_INPUT)
		while (length > 0 && std::isspace(static_cast<unsigned char>(text[length - 1]))) length--;
	const int kept = input->size() - std::abs(input->position() - input->mark());
	if (length <= input->maximum_size() - kept) return true;
	cprintf("Paste refused: %d bytes would make the field longer than the %d bytes it may hold\n",
	        Fl::event_length(), input->maximum_size());
	return false;
}

void askNext();
void askNextLater(void *) { askNext(); }

// The paste asked for has ended, with its text or without.  The next one
// is asked for from the event loop: the toolkit may still be handing over
// the text of this one.
void endAsked()
{
	if (!s_asking) return;
	s_asking = false;
	s_askedFor = nullptr;
	pasteNoLongerAwaited();
	if (s_waiting.empty()) return;
	Fl::remove_timeout(askNextLater);
	Fl::add_timeout(0.0, askNextLater);
}

// The text of the paste asked for has come: it replaces the selection of
// the field, when the field is still there and can hold it; a text for no
// paste asked for is dropped.
void arrived()
{
	if (!s_asking) return;
	Fl_Widget *field = s_askedFor;
	Fl_Input_ *input = dynamic_cast<Fl_Input_ *>(field);
	if (field != nullptr && field->visible_r() && Fl::event_length() > 0 && (input == nullptr || holds(input)))
		field->handle(FL_PASTE);
	endAsked();
}

// The widget the toolkit hands every paste of Korimbel's to; it is never
// shown.
class pasteReceiver : public Fl_Widget {
public:
	pasteReceiver() : Fl_Widget(0, 0, 0, 0) {}
	void draw() override {}
	int handle(int event) override
	{
		if (event != FL_PASTE) return 0;
		arrived();
		return 1;
	}
};

pasteReceiver &receiver()
{
	static pasteReceiver *made = nullptr;
	if (made == nullptr) {
		// in no window
		Fl_Group *current = Fl_Group::current();
		Fl_Group::current(nullptr);
		made = new pasteReceiver();
		Fl_Group::current(current);
	}
	return *made;
}

// Asks for the oldest waiting paste whose field is still there, unless a
// paste is asked for already.
void askNext()
{
	while (!s_asking && !s_waiting.empty()) {
		const waitingPaste next = s_waiting.front();
		Fl::release_widget_pointer(s_waiting.front().field);
		s_waiting.pop_front();
		if (next.field == nullptr) continue;
		s_asking = true;
		s_askedFor = next.field;
		pasteAwaited(next.clipboard, endAsked);
		// a text that Korimbel holds itself is handed over at once
		Fl::paste(receiver(), next.clipboard);
		return;
	}
}

// Ctrl+V (also with Shift) and Shift+Insert, as the toolkit's inputs read
// them.
bool isInputPasteKey()
{
	const int key = Fl::event_key();
	const int mods = Fl::event_state() & (FL_CTRL | FL_ALT | FL_META);
	return (key == 'v' && mods == FL_CTRL) || (key == FL_Insert && mods == 0 && Fl::event_shift() != 0);
}

// Whether the toolkit's own handling of the middle button on w asks for a
// paste: inputs (also read-only ones, which then refuse it), the input
// inside a value input, and text editors.
bool asksForPastes(const Fl_Widget *w)
{
	return dynamic_cast<const Fl_Input_ *>(w) != nullptr || dynamic_cast<const Fl_Value_Input *>(w) != nullptr ||
	       dynamic_cast<const Fl_Text_Editor *>(w) != nullptr;
}

// The field that takes the pastes asked for on w, or null when w takes
// none (read-only, inactive).
Fl_Widget *pasteField(Fl_Widget *w)
{
	if (w == nullptr || !w->active_r()) return nullptr;
	if (Fl_Value_Input *value = dynamic_cast<Fl_Value_Input *>(w)) return &value->input;
	if (Fl_Input_ *input = dynamic_cast<Fl_Input_ *>(w)) return input->readonly() ? nullptr : input;
	return dynamic_cast<Fl_Text_Editor *>(w);
}

// The innermost widget of g at (x, y), as the toolkit finds the one a
// press goes to: the last child that takes events and holds the point.  A
// window inside (the console's) places its children from its own corner.
Fl_Widget *widgetAt(Fl_Group *g, int x, int y)
{
	for (int i = g->children(); i-- > 0;) {
		Fl_Widget *c = g->child(i);
		if (!c->takesevents() || x < c->x() || y < c->y() || x >= c->x() + c->w() || y >= c->y() + c->h())
			continue;
		const bool window = c->as_window() != nullptr;
		Fl_Widget *inner =
		    c->as_group() != nullptr ? widgetAt(c->as_group(), window ? x - c->x() : x, window ? y - c->y() : y) : nullptr;
		return inner != nullptr ? inner : c;
	}
	return nullptr;
}

// The field that the middle button was pressed on (watched), while it is
// held down.
bool s_middleHeld = false;
Fl_Widget *s_middleField = nullptr;

// The event passed on as one of the left button: the widget places the
// cursor as for a click, and asks for no paste.
int asLeftButton(int event, Fl_Window *window)
{
	const int keysym = Fl::e_keysym, state = Fl::e_state, clicks = Fl::e_clicks;
	Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
	if ((state & FL_BUTTON2) != 0) Fl::e_state = (state & ~FL_BUTTON2) | FL_BUTTON1;
	// a press of its own, never a double click that picks a word
	Fl::e_clicks = 0;
	const int used = passOn(event, window);
	Fl::e_keysym = keysym;
	Fl::e_state = state;
	Fl::e_clicks = clicks;
	return used;
}

// Sees every event before the widgets do.
int pasteDispatch(int event, Fl_Window *window)
{
	// 1. a paste key in an input with the keyboard (text editors have it
	//    bound, see editorPasteKeys)
	if (event == FL_KEYBOARD && Fl::grab() == nullptr && isInputPasteKey()) {
		Fl_Widget *field = pasteField(Fl::focus());
		if (dynamic_cast<Fl_Input_ *>(field) != nullptr) {
			requestPaste(field, 1);
			return 1;
		}
	}
	// 2. the middle button pressed on a field: the cursor goes where it was
	//    pressed
	if (event == FL_PUSH && Fl::event_button() == FL_MIDDLE_MOUSE && Fl::grab() == nullptr && window != nullptr) {
		Fl_Widget *hit = widgetAt(window, Fl::event_x(), Fl::event_y());
		if (asksForPastes(hit)) {
			const int used = asLeftButton(event, window);
			s_middleHeld = true;
			s_middleField = Fl::pushed() == hit ? pasteField(hit) : nullptr;
			return used;
		}
	}
	// 3. while it is held, moves select nothing; let go, it asks for the
	//    primary selection
	if (s_middleHeld && event == FL_DRAG && Fl::event_button2() != 0) return 1;
	if (s_middleHeld && event == FL_RELEASE && Fl::event_button() == FL_MIDDLE_MOUSE) {
		s_middleHeld = false;
		const int used = asLeftButton(event, window);
		Fl_Widget *field = s_middleField;
		s_middleField = nullptr;
		if (field != nullptr) requestPaste(field, 0);
		return used;
	}
	return passOn(event, window);
}

int kfPaste(int, Fl_Text_Editor *editor)
{
	requestPaste(editor, 1);
	return 1;
}

// Every text editor reads these bindings before its own, whichever way the
// key comes to it (the main window hands keys to the command line).
struct editorPasteKeys : Fl_Text_Editor {
	static void install()
	{
		static Key_Binding shiftInsert{FL_Insert, FL_SHIFT, kfPaste, nullptr};
		static Key_Binding ctrlV{'v', FL_CTRL, kfPaste, &shiftInsert};
		shiftInsert.next = global_key_bindings;
		global_key_bindings = &ctrlV;
	}
};

} // namespace

void installPasteRequests()
{
	Fl::watch_widget_pointer(s_askedFor);
	Fl::watch_widget_pointer(s_middleField);
	s_nextDispatch = Fl::event_dispatch();
	Fl::event_dispatch(pasteDispatch);
	editorPasteKeys::install();
}

void requestPaste(Fl_Widget *field, int clipboard)
{
	if (field == nullptr) return;
	s_waiting.push_back(waitingPaste{field, clipboard});
	Fl::watch_widget_pointer(s_waiting.back().field);
	askNext();
}
