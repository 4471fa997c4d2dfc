#include "framework/exceptions.h"

#include "framework/format.h"

void Abort() { throw EAbort(); }

void ListIndexError(long long index) { throw EListError(Format("List index out of bounds (%d)", index)); }
