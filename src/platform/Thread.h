#pragma once

// Runs work on a new thread whose stack has exactly the given size, and waits for it. Used to
// prove that deep documents stay within the stack a host thread may have (1 MiB on Windows).

#include <cstddef>
#include <functional>

namespace platform {

// Returns false when the thread could not be started; an exception thrown by the work is
// carried back and rethrown here.
bool RunWithStackSize(std::size_t stackBytes, const std::function<void()>& work);

}  // namespace platform
