// The playlist: the scripts, with their arguments, that the user steps
// through one at a time.
#include <cstdio>
#include <cstdlib>

#include "files/gafile.h"
#include "os/osdep.h"
#include "state/state.h"
#include "os/stringarray.h"

int state::openPlayList(const char *name)
{
	// a playlist that cannot be read leaves the current one
	if (!GAfile::readable(name)) return -1;
	clearPlayList();
	// every "play" line of the file adds an entry, in one reading
	m_playListParse = 1;
	GAfile *list = new GAfile(this, name, -1, nullptr, 0, nullptr);
	if (list->filename() != nullptr) list->read(this);
	delete list;
	m_playListParse = 0;
	setPlayListPos(0);
	return 0;
}

int state::clearPlayList()
{
	for (int i = 0; i < m_playListLength; i++) {
		std::free(m_playList[i].filename);
		freeStringArray(m_playList[i].nbArg, m_playList[i].arg);
	}
	std::free(m_playList);
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
		cprintf("state::setPlayListPos(): playlist position '%d' is out of range\n", pos + 1);
		return -1;
	}
	m_playListPos = pos;
	// the entry's texts stay with the playlist, which the open keeps
	openGAfile(m_playList[pos].filename, m_playList[pos].nbArg, m_playList[pos].arg, -1);
	return 0;
}

int state::nextPlayListEntry()
{
	if (m_playListPos < 0) {
		cprintf("state::nextPlayListEntry(): no playlist open\n");
		return -1;
	}
	return setPlayListPos(m_playListPos + 1);
}

int state::previousPlayListEntry()
{
	if (m_playListPos < 0) {
		cprintf("state::previousPlayListEntry(): no playlist open\n");
		return -1;
	}
	return setPlayListPos(m_playListPos - 1);
}
