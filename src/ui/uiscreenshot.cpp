// A screenshot request: checked here, taken by the view a few redraws later.
#include <string>

#include "view/glwindow.h"
#include "os/osdep.h"
#include "ui/ui.h"

int UIstate::setupScreenshot(const std::string &filename, int width, int height, bool alsoNoLabels)
{
	// the area in 64 bits, so that no product of two ints overflows
	const long long area = (long long)width * height;
	if (area <= 0 || width < 0 || width > sc_maxScreenshotSide || height > sc_maxScreenshotSide) {
		cprintf("UIstate::setupScreenshot(): Invalid screenshot size: %d x %d\n", width, height);
		return 0;
	}
	// a pipe, a device or a directory is no file to write the image in; the
	// file without labels is written beside the first
	for (const std::string &name : {filename, screenShotNameWithoutLabels(filename)}) {
		const std::string why = u_notRegularFile(name.c_str());
		if (!why.empty()) {
			cprintf("Screenshot not taken: '%s' %s\n", name.c_str(), why.c_str());
			return 0;
		}
		if (!alsoNoLabels) break;
	}
	m_ssFilename = filename;
	m_ssWidth = width;
	m_ssHeight = height;
	m_ssAlsoNoLabels = alsoNoLabels;
	m_screenShotOnNextRedraw = sc_screenShotRedraws;
	uiRedrawView();
	return 0;
}
