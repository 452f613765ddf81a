// A screenshot request: checked here, taken by the view a few redraws later.
#include <string>
#include <vector>

#include "view/glwindow.h"
#include "os/osdep.h"
#include "ui/ui.h"

int UIstate::setupScreenshot(const std::string &filename, int width, int height, bool alsoNoLabels, bool askFirst)
{
	// the area in 64 bits, so that no product of two ints overflows
	const long long area = (long long)width * height;
	if (area <= 0 || width < 0 || width > sc_maxScreenshotSide || height > sc_maxScreenshotSide) {
		cprintf("UIstate::setupScreenshot(): Invalid screenshot size: %d x %d\n", width, height);
		return 0;
	}
	// the file without labels is written beside the first
	std::vector<std::string> files{filename};
	if (alsoNoLabels) files.push_back(screenShotNameWithoutLabels(filename));
	// a pipe, a device, a directory, a file that may not be written or one
	// that holds no image is no file to write the image in: said at once,
	// before any question
	for (const std::string &name : files) {
		const std::string why = whyNoScreenShotIn(name);
		if (!why.empty()) {
			cprintf("Screenshot not taken: %s\n", u_quotedIs(name.c_str(), why).c_str());
			return 0;
		}
	}
	for (const std::string &name : files)
		if (askFirst && !mayReplace(name)) {
			cprintf("Screenshot not taken: '%s' exists\n", name.c_str());
			return 0;
		}
	m_ssFilename = filename;
	m_ssWidth = width;
	m_ssHeight = height;
	m_ssAlsoNoLabels = alsoNoLabels;
	m_screenShotOnNextRedraw = sc_screenShotRedraws;
	uiRedrawView();
	return 0;
}
