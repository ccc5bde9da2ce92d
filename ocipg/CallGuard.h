#pragma once

// The C boundary: nothing thrown inside an entry point leaves it. The call
// fails with OCI_ERROR and, where it has an error handle, a record of why.

#include "ocipg/Errors.h"

#include <exception>
#include <new>

namespace ocipg {

// record: the call's error record, null when the call has none.
template <class Fn>
sword Guard(ErrorRecord* record, Fn&& fn) noexcept
{
    try {
        return fn();
    } catch (const std::bad_alloc&) {
        if (record)
            record->SetOutOfMemory();
    } catch (const std::exception& e) {
        if (record)
            record->SetInternal(e.what());
    } catch (...) {
        if (record)
            record->SetInternal("");
    }
    return OCI_ERROR;
}

}  // namespace ocipg
