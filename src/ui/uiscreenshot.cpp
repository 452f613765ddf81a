// A screenshot request: checked here, taken by the view a few redraws later.
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
	m_ssFilename = filename;
	m_ssWidth = width;
	m_ssHeight = height;
	m_ssAlsoNoLabels = alsoNoLabels;
	m_screenShotOnNextRedraw = sc_screenShotRedraws;
	uiRedrawView();
	return 0;
}
