#pragma once
// The typesetter's two growable containers: a stack of attribute values and
// a list of plain records.  Both hold their items in one malloc'ed array and
// copy them bytewise, so they take only trivially copyable types (numbers,
// pointers, plain records); what an item points to belongs to the owner of
// the container, never to the container.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

// A stack of int or double.  Reading or popping an empty stack gives -1, a
// value no attribute takes.
template <class T> class tsStack {
	static_assert(std::is_arithmetic<T>::value, "tsStack holds numbers");

public:
	tsStack() = default;
	~tsStack() { clear(); }
	// The array is owned: a copy would free it twice.
	tsStack(const tsStack &) = delete;
	tsStack &operator=(const tsStack &) = delete;

	// Grows the array to exactly one slot more than the stack holds and puts
	// v on top; 0, or -1 (stack unchanged) when the array cannot grow.
	int push(T v)
	{
		T *grown = static_cast<T *>(realloc(m_stack, (size_t)(m_top + 2) * sizeof(T)));
		if (!grown)
			return -1;
		m_stack = grown;
		m_stack[++m_top] = v;
		return 0;
	}

	// Removes and returns the top, or -1 when empty.
	T pop() { return m_top < 0 ? T(-1) : m_stack[m_top--]; }

	T top() const { return m_top < 0 ? T(-1) : m_stack[m_top]; }

	// Frees the array; the stack is empty afterwards.
	void clear()
	{
		free(m_stack);
		m_stack = nullptr;
		m_top = -1;
	}

	T *m_stack = nullptr;
	int m_top = -1; // index of the top element, -1 when empty
};

// Largest array a list may hold, in bytes: a failure reports the size as an
// int, and no label comes anywhere near it.
constexpr size_t sc_tsItemListMaxBytes = INT_MAX;

// A list of records whose capacity doubles as it fills; new slots are zero.
template <class T> class tsItemList {
	static_assert(std::is_trivially_copyable<T>::value, "tsItemList copies its items bytewise");

public:
	tsItemList() = default;
	~tsItemList() { clear(); }
	// The array is owned: a copy would free it twice.
	tsItemList(const tsItemList &) = delete;
	tsItemList &operator=(const tsItemList &) = delete;

	// Makes room for n items: nothing when they fit, else the capacity
	// doubles (from 2) until they do.  0, or -1 for a negative n or when the
	// array cannot grow (the list then keeps its items and capacity).
	int ensureMax(int n)
	{
		if (n < 0)
			return -1;
		if (n <= m_max)
			return 0;
		size_t capacity = m_max > 0 ? (size_t)m_max : 1;
		while (capacity < (size_t)n)
			capacity *= 2;
		if (m_max == 0 && capacity < 2)
			capacity = 2;
		size_t bytes = capacity * sizeof(T);
		T *grown = bytes <= sc_tsItemListMaxBytes ? static_cast<T *>(realloc(static_cast<void *>(m_item), bytes)) : nullptr;
		if (!grown) {
			printf("tsItemList::ensureMax(): memory allocation failure for '%d' bytes\n",
			       (int)(bytes <= sc_tsItemListMaxBytes ? bytes : sc_tsItemListMaxBytes));
			return -1;
		}
		memset(static_cast<void *>(grown + m_max), 0, (capacity - (size_t)m_max) * sizeof(T));
		m_item = grown;
		m_max = (int)capacity;
		return 0;
	}

	// Appends a copy of item; 0, or -1 when the list cannot grow.
	int add(const T &item)
	{
		if (m_nb == INT_MAX || ensureMax(m_nb + 1) < 0)
			return -1;
		m_item[m_nb++] = item;
		return 0;
	}

	// Replaces item i; -1 when there is no item i.
	int set(int i, const T &item)
	{
		if (i < 0 || i >= m_nb)
			return -1;
		m_item[i] = item;
		return 0;
	}

	// Frees the array (not what the items point to).
	void clear()
	{
		free(static_cast<void *>(m_item));
		m_item = nullptr;
		m_nb = m_max = 0;
	}

	int m_nb = 0;         // number of items
	T *m_item = nullptr;  // the items, m_max slots
	int m_max = 0;        // capacity
};
