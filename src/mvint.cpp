#include "mvint.h"

#include <cstring>

mvInt::mvInt(const mvInt *I)
{
	initToNothing();
	copy(I);
}

void mvInt::initToNothing()
{
	m_type = 0;
	std::memset(m_point, 0, sizeof(m_point));
	std::memset(m_vector, 0, sizeof(m_vector));
	std::memset(m_scalar, 0, sizeof(m_scalar));
	m_valid = 0;
	m_creationFlags = 0;
}

int mvInt::copy(const mvInt *I)
{
	if (I == nullptr) return -1;
	m_type = I->m_type;
	std::memcpy(m_point, I->m_point, sizeof(m_point));
	std::memcpy(m_vector, I->m_vector, sizeof(m_vector));
	std::memcpy(m_scalar, I->m_scalar, sizeof(m_scalar));
	return 0;
}
