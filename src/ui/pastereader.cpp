// The reader of pastes that come in pieces.  A program that holds a long
// text answers a paste with a property of type "INCR" instead of the text;
// each deletion of the property by the receiver then asks for the next
// piece, and an empty piece ends the text.  Every answer passes here before
// the toolkit sees it: a paste in pieces is read, piece by piece as the
// events come, without holding up the event loop, then written back as one
// property, and the answer is sent again, so the toolkit reads the whole
// text as an answer of one piece and hands it to the widget that asked.
// Answers for the clipboard and the primary selection pass only while a
// paste of theirs is awaited: the pieces of two pastes at once would come
// into the one property of the one window and mix.
#include "ui/pastereader.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "os/osdep.h"

namespace {

// The property is read and written in slices of this many bytes: well below
// the smallest request a window system must take (256 KiB).
constexpr long c_sliceBytes = 64 * 1024;

// One paste in pieces.
struct pieceTransfer {
	bool active = false;
	// the answer that announced the pieces: its window and property carry
	// them, and it is sent again once they are whole
	XSelectionEvent answer{};
	// type and format of the pieces, taken from the first
	Atom type = None;
	int format = 0;
	// the pieces as the display library hands them over, and their length
	// in items and in bytes as the sending program counts them
	std::vector<unsigned char> data;
	unsigned long items = 0;
	unsigned long bytes = 0;
	// over the bound: the rest is read and dropped, so the sender finishes
	bool refused = false;
	// pieces of different kinds, or a piece that could not be read
	bool broken = false;
};

pieceTransfer s_transfer;

// The paste awaited: its selection (None when no paste is), a number that
// tells it from the pastes before it, and what runs when it ends without
// its text.
struct awaitedPaste {
	Atom selection = None;
	std::uintptr_t number = 0;
	void (*ended)() = nullptr;
};

awaitedPaste s_awaited;
std::uintptr_t s_pastesAsked = 0;

Atom incrAtom()
{
	static const Atom incr = XInternAtom(fl_display, "INCR", False);
	return incr;
}

Atom clipboardAtom()
{
	static const Atom clipboard = XInternAtom(fl_display, "CLIPBOARD", False);
	return clipboard;
}

Atom targetsAtom()
{
	static const Atom targets = XInternAtom(fl_display, "TARGETS", False);
	return targets;
}

// Bytes one item of format takes in what the display library hands over:
// it gives 16-bit items as shorts and 32-bit items as longs.
std::size_t clientItemSize(int format)
{
	return format == 32 ? sizeof(long) : format == 16 ? sizeof(short) : 1;
}

void refuse(unsigned long bytes)
{
	cprintf("Paste refused: %lu bytes, more than the %lu bytes a paste may hold\n", bytes,
	        static_cast<unsigned long>(ui_maxPasteBytes));
}

void waitEnded(void *);

// The wait for the next answer or piece starts again.
void armWait()
{
	Fl::remove_timeout(waitEnded);
	Fl::add_timeout(ui_pastePieceWait, waitEnded);
}

// The paste awaited ends without its text.
void endAwaited()
{
	Fl::remove_timeout(waitEnded);
	void (*ended)() = s_awaited.ended;
	s_awaited = awaitedPaste();
	if (ended != nullptr) ended();
}

void endIfStillAwaited(void *number)
{
	if (s_awaited.selection != None && s_awaited.number == reinterpret_cast<std::uintptr_t>(number)) endAwaited();
}

// The toolkit is handed the last answer of the paste awaited: it passes the
// text on to the receiver as it reads it, or drops an answer without text.
// Either way, the paste is over once the toolkit is done with it.
void endAfterToolkit()
{
	Fl::add_timeout(0.0, endIfStillAwaited, reinterpret_cast<void *>(s_awaited.number));
}

// The whole text as one property of the window that asked, in slices.
void writeBack(const pieceTransfer &t)
{
	const std::size_t itemSize = clientItemSize(t.format);
	const unsigned long sliceItems = static_cast<unsigned long>(c_sliceBytes / (t.format / 8));
	unsigned long done = 0;
	do {
		const unsigned long n = std::min(sliceItems, t.items - done);
		XChangeProperty(fl_display, t.answer.requestor, t.answer.property, t.type, t.format,
		                done == 0 ? PropModeReplace : PropModeAppend, t.data.data() + done * itemSize,
		                static_cast<int>(n));
		done += n;
	} while (done < t.items);
}

// The transfer is over: the text goes to the toolkit as an answer of one
// piece, or the console says why not.
void finish()
{
	Fl::remove_timeout(waitEnded);
	pieceTransfer t;
	std::swap(t, s_transfer);
	const bool awaited = t.answer.selection == s_awaited.selection;
	if (t.refused) refuse(t.bytes);
	else if (t.broken) cprintf("Paste given up: the program that holds it did not send it whole\n");
	if (t.refused || t.broken || t.items == 0) {
		if (awaited) endAwaited();
		return;
	}
	// the answer sent again is the paste's last
	if (awaited) armWait();
	writeBack(t);
	XEvent again{};
	again.xselection = t.answer;
	XSendEvent(fl_display, t.answer.requestor, False, NoEventMask, &again);
	XFlush(fl_display);
}

// No answer, or no next piece, came in time.
void waitEnded(void *)
{
	if (s_transfer.active) {
		s_transfer.broken = true;
		// the sender may still be waiting for the deletion
		XDeleteProperty(fl_display, s_transfer.answer.requestor, s_transfer.answer.property);
		finish();
		return;
	}
	if (s_awaited.selection == None) return;
	cprintf("Paste given up: the program that holds it did not send it whole\n");
	endAwaited();
}

// Appends n items of format from data to the transfer, or counts them only
// once it is refused.
void take(const unsigned char *data, unsigned long n, Atom type, int format)
{
	pieceTransfer &t = s_transfer;
	if (t.format == 0) {
		t.type = type;
		t.format = format;
	} else if (format != t.format || type != t.type) {
		t.broken = true;
	}
	t.items += n;
	t.bytes += n * (format / 8);
	if (t.bytes > ui_maxPasteBytes && !t.refused) {
		t.refused = true;
		std::vector<unsigned char>().swap(t.data);
	}
	if (!t.refused && !t.broken) t.data.insert(t.data.end(), data, data + n * clientItemSize(format));
}

// Reads the piece the sender has just put in the property, slice by slice,
// and deletes it, which asks for the next one.  False for the empty piece
// that ends the text, and for a property that is gone (the transfer is
// then broken).
bool readPiece()
{
	const XSelectionEvent &a = s_transfer.answer;
	long offset = 0;
	unsigned long pieceItems = 0;
	unsigned long after = 0;
	do {
		Atom type = None;
		int format = 0;
		unsigned long n = 0;
		unsigned char *data = nullptr;
		if (XGetWindowProperty(fl_display, a.requestor, a.property, offset, c_sliceBytes / 4, False,
		                       AnyPropertyType, &type, &format, &n, &after, &data) != Success ||
		    type == None) {
			if (data != nullptr) XFree(data);
			s_transfer.broken = true;
			return false;
		}
		if (data != nullptr && n > 0 && (format == 8 || format == 16 || format == 32)) take(data, n, type, format);
		if (data != nullptr) XFree(data);
		pieceItems += n;
		offset += static_cast<long>(n * (format / 8) / 4);
	} while (after > 0);
	XDeleteProperty(fl_display, a.requestor, a.property);
	XFlush(fl_display);
	return pieceItems > 0;
}

void startPieces(const XSelectionEvent &answer)
{
	s_transfer = pieceTransfer();
	s_transfer.active = true;
	s_transfer.answer = answer;
	// the pieces are announced by changes of the property
	XWindowAttributes attributes;
	if (XGetWindowAttributes(fl_display, answer.requestor, &attributes))
		XSelectInput(fl_display, answer.requestor, attributes.your_event_mask | PropertyChangeMask);
	// its deletion asks for the first piece
	XDeleteProperty(fl_display, answer.requestor, answer.property);
	XFlush(fl_display);
	armWait();
}

// 1 when the answer to a paste was taken from the toolkit.
int onAnswer(const XSelectionEvent &answer)
{
	const bool paste = answer.selection == XA_PRIMARY || answer.selection == clipboardAtom();
	// an answer to a paste no longer awaited (given up) is dropped
	if (paste && answer.selection != s_awaited.selection) return 1;
	if (paste) armWait();
	Atom type = None;
	int format = 0;
	unsigned long n = 0, bytes = 0;
	unsigned char *data = nullptr;
	// only its type and length: nothing of it is read
	if (answer.property == None ||
	    XGetWindowProperty(fl_display, answer.requestor, answer.property, 0, 0, False, AnyPropertyType, &type,
	                       &format, &n, &bytes, &data) != Success) {
		if (paste) endAfterToolkit();
		return 0;
	}
	if (data != nullptr) XFree(data);
	if (type == incrAtom()) {
		// a second text in pieces would come into the same property: the
		// one coming in can no longer be told from it
		if (s_transfer.active) s_transfer.broken = true;
		else startPieces(answer);
		return 1;
	}
	if (type != None && bytes > ui_maxPasteBytes) {
		XDeleteProperty(fl_display, answer.requestor, answer.property);
		refuse(bytes);
		if (paste) endAwaited();
		return 1;
	}
	// the list of the forms the text comes in is followed by the toolkit's
	// question for the text; any other answer is the last
	if (paste && type != targetsAtom() && type != XA_ATOM) endAfterToolkit();
	return 0;
}

// 1 when the change of a property belongs to the transfer running.
int onPropertyChange(const XPropertyEvent &change)
{
	const pieceTransfer &t = s_transfer;
	if (!t.active || change.window != t.answer.requestor || change.atom != t.answer.property) return 0;
	// the deletions are the reader's own
	if (change.state != PropertyNewValue) return 1;
	if (readPiece()) armWait();
	else finish();
	return 1;
}

int pasteEvent(void *event, void *)
{
	const XEvent *e = static_cast<const XEvent *>(event);
	if (e->type == SelectionNotify) return onAnswer(e->xselection);
	if (e->type == PropertyNotify) return onPropertyChange(e->xproperty);
	return 0;
}

} // namespace

void installPasteReader()
{
	Fl::add_system_handler(pasteEvent, nullptr);
}

void pasteAwaited(int clipboard, void (*ended)())
{
	s_awaited.selection = clipboard != 0 ? clipboardAtom() : XA_PRIMARY;
	s_awaited.number = ++s_pastesAsked;
	s_awaited.ended = ended;
	armWait();
}

void pasteNoLongerAwaited()
{
	s_awaited = awaitedPaste();
	if (!s_transfer.active) Fl::remove_timeout(waitEnded);
}
