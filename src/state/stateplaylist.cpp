// The playlist: the scripts, with their arguments, that the user steps
// through one at a time.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "files/gafile.h"
#include "os/osdep.h"
#include "state/state.h"
#include "os/stringarray.h"

namespace {

// The texts of a playlist's entries.
void freeEntries(state::playList_s *list, int length)
{
	for (int i = 0; i < length; i++) {
		std::free(list[i].filename);
		freeStringArray(list[i].nbArg, list[i].arg);
	}
	std::free(list);
}

// The reader's level for a playlist: that of an import, which begins no
// scene of its own.
constexpr int sc_playListReadLevel = 1;

// The playlists that one playlist may play in its place, those they play
// included. A talk made of parts plays a few; playlists that each play
// another several times over would be read a number of times that grows
// with every level, and the program would freeze reading them.
constexpr int sc_maxNestedPlayLists = 64;

// Whether the two names are one file (a link, "." or ".." in a name).
bool sameFile(const std::string &a, const std::string &b)
{
	std::error_code error;
	return a == b || std::filesystem::equivalent(a, b, error);
}

// Why a playlist plays nothing: lines that could not be read (each said as
// it was read), when they are the cause, else that no line names a file
// that opens.
void sayNothingPlayable(const std::string &file, int unreadLines, bool nothingRead)
{
	const char *kept = "; the playlist stays as it was";
	if (unreadLines > 0 && nothingRead)
		cprintf("state::openPlayList(): '%s': its 'play' lines could not be read%s\n", file.c_str(), kept);
	else if (unreadLines > 0)
		cprintf("state::openPlayList(): '%s': %d of its 'play' lines could not be read, and the others name no file "
		        "that can be opened%s\n",
		        file.c_str(), unreadLines, kept);
	else
		cprintf("state::openPlayList(): '%s' holds no 'play' line of a file that can be opened%s\n", file.c_str(), kept);
}

void sayOutOfRange(int pos) { cprintf("state::setPlayListPos(): playlist position '%d' is out of range\n", pos + 1); }

} // namespace

int state::openPlayList(const char *name)
{
	// a playlist that cannot be read leaves the current one
	if (!GAfile::readable(name)) return -1;
	const std::string file(name);
	// reading it moves the folder that names are read from, which a
	// refused playlist leaves as it was
	const std::string keptDirectory = m_workingDirectory;
	// the new entries come into an empty list; the current one waits aside
	playList_s *kept = m_playList;
	const int keptLength = m_playListLength, keptPos = m_playListPos;
	m_playList = nullptr;
	m_playListLength = 0;
	m_playListPos = -1;
	// every "play" line of the file adds an entry, in one reading; what the
	// reading says of the playlist is said once the scene that it opens
	// has read its first lines, which may clear the console
	std::string said;
	{
		consoleOutputHold held;
		m_playListParse = 1;
		m_nestedPlayLists = 0;
		m_unreadPlayListLines = 0;
		readPlayListFile(file, 0, nullptr);
		m_playListParse = 0;
		said = held.take();
	}
	const int first = firstPlayableEntry();
	if (first < 0) {
		const bool nothingRead = m_playListLength == 0;
		clearPlayList();
		m_playList = kept;
		m_playListLength = keptLength;
		m_playListPos = keptPos;
		m_workingDirectory = keptDirectory;
		cprintf("%s", said.c_str());
		sayNothingPlayable(file, m_unreadPlayListLines, nothingRead);
		return -1;
	}
	freeEntries(kept, keptLength);
	if (setPlayListPos(first) == 0) m_heldPlayListMessages += said;
	else cprintf("%s", said.c_str());
	return 0;
}

void state::readPlayListFile(const std::string &file, int nbArg, char **args)
{
	m_playListsReading.push_back(file);
	GAfile *list = new GAfile(this, file.c_str(), sc_playListReadLevel, nullptr, nbArg, args);
	if (list->filename() != nullptr) list->read(this);
	delete list;
	m_playListsReading.pop_back();
}

int state::addPlayListLine(const char *file, int nbArg, char **args)
{
	if (file == nullptr || !u_hasExtension(file, sc_playListExtension)) return addPlayListEntry(file, nbArg, args);
	// a playlist is never played as a scene: its entries come in its place
	const char *holder = m_playListsReading.empty() ? "" : m_playListsReading.back().c_str();
	for (const std::string &reading : m_playListsReading)
		if (sameFile(reading, file)) {
			cprintf("state::openPlayList(): '%s' plays '%s', which is being read: that line is skipped, else the "
			        "playlist would never end\n",
			        holder, file);
			return -1;
		}
	if (m_nestedPlayLists >= sc_maxNestedPlayLists) {
		cprintf("state::openPlayList(): '%s' plays '%s': a playlist plays at most %d playlists in its place, "
		        "theirs included; that line is skipped\n",
		        holder, file, sc_maxNestedPlayLists);
		return -1;
	}
	m_nestedPlayLists++;
	// the holder's later lines name files relative to its own directory
	const std::string directory = m_workingDirectory;
	readPlayListFile(file, nbArg, args);
	m_workingDirectory = directory;
	return 0;
}

int state::firstPlayableEntry() const
{
	// the check of an open, said nothing of: entries not played are not
	// reported before the user steps to them
	std::string why;
	for (int i = 0; i < m_playListLength; i++)
		if (u_readableTextFile(m_playList[i].filename, why)) return i;
	return -1;
}

int state::clearPlayList()
{
	freeEntries(m_playList, m_playListLength);
	m_playList = nullptr;
	m_playListLength = 0;
	m_playListPos = -1;
	return 0;
}

int state::addPlayListEntry(const char *file, int nbArg, char **args)
{
	if (file == nullptr) return -1;
	if (nbArg < 0) nbArg = 0;
	const int length = m_playListLength < 0 ? 0 : m_playListLength;
	playList_s *grown = static_cast<playList_s *>(std::realloc(m_playList, sizeof(playList_s) * (length + 1)));
	if (grown == nullptr) {
		std::puts("state::addPlayListEntry(): memory allocation error");
		return -1;
	}
	m_playList = grown;
	playList_s &entry = m_playList[length];
	entry.filename = copyString(file);
	entry.arg = copyStringArray(nbArg, args);
	entry.nbArg = nbArg;
	if (entry.filename == nullptr || (nbArg > 0 && entry.arg == nullptr)) {
		std::free(entry.filename);
		freeStringArray(nbArg, entry.arg);
		std::puts("state::addPlayListEntry(): memory allocation error");
		return -1;
	}
	m_playListLength = length + 1;
	return 0;
}

int state::setPlayListPos(int pos)
{
	if (m_playListLength <= 0) {
		cprintf("state::setPlayListPos(): no playlist loaded\n");
		return -1;
	}
	if (pos < 0 || pos >= m_playListLength) {
		sayOutOfRange(pos);
		return -1;
	}
	// the entry's texts stay with the playlist, which the open keeps; the
	// position is that of the scene shown, so it moves only with an open
	if (openGAfile(m_playList[pos].filename, m_playList[pos].nbArg, m_playList[pos].arg, -1) != 0) return -1;
	m_playListPos = pos;
	return 0;
}

int state::stepPlayList(int step)
{
	// the entries passed over are said once the new scene has read its
	// first lines, which may clear the console; at once when none opens
	std::string passed;
	int pos = m_playListPos + step;
	for (; pos >= 0 && pos < m_playListLength; pos += step) {
		const std::string refused = GAfile::refusal(m_playList[pos].filename);
		if (refused.empty() && setPlayListPos(pos) == 0) break;
		passed += refused;
	}
	if (pos >= 0 && pos < m_playListLength) {
		m_heldPlayListMessages += passed;
		return 0;
	}
	// the entries that did not open say why nothing else did
	if (passed.empty()) sayOutOfRange(pos);
	else cprintf("%s", passed.c_str());
	return -1;
}

void state::sayHeldPlayListMessages()
{
	// a playlist being read, or a file about to open, is not the scene's
	// first pause
	if (m_heldPlayListMessages.empty() || m_playListParse || m_openFilename != nullptr) return;
	std::string said;
	said.swap(m_heldPlayListMessages);
	cprintf("%s", said.c_str());
}

int state::nextPlayListEntry()
{
	if (m_playListPos < 0) {
		cprintf("state::nextPlayListEntry(): no playlist open\n");
		return -1;
	}
	return stepPlayList(1);
}

int state::previousPlayListEntry()
{
	if (m_playListPos < 0) {
		cprintf("state::previousPlayListEntry(): no playlist open\n");
		return -1;
	}
	return stepPlayList(-1);
}
