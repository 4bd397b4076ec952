// Runs code that may allocate; a failed allocation becomes the framework's out-of-memory
// exception, which callers of the framework catch, instead of the standard library's.
#pragma once
#include "CMemoryException.h"

#include <new>
#include <stdexcept>

template <typename F>
void AfxGuardAllocation(F f)
{
    try {
        f();
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    } catch (const std::length_error&) {
        AfxThrowMemoryException();
    }
}
