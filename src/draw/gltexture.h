#pragma once
// Textures of the scene's text and images: clamped at their edges, filtered
// linearly, and filled from rows packed byte by byte.
#include <GL/gl.h>

// A new texture, bound, clamped in both directions, with linear filters.
inline GLuint glNewClampedTexture()
{
	GLuint name = 0;
	glGenTextures(1, &name);
	glBindTexture(GL_TEXTURE_2D, name);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
	return name;
}

// Runs upload with rows read at any byte length (no padding to 4 bytes),
// then restores the unpack alignment; upload's result.
template <class F> auto glUploadPackedRows(F upload)
{
	GLint alignment = 4;
	glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
	glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
	auto result = upload();
	glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
	return result;
}
