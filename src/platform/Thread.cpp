#include "platform/Thread.h"

#include <exception>

#include "platform/SystemCalls.h"

namespace platform {

bool RunWithStackSize(std::size_t stackBytes, const std::function<void()>& work) {
  std::exception_ptr failure;
  const auto body = [&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
  };
  if (!sys::RunThread(stackBytes, body)) return false;
  if (failure) std::rethrow_exception(failure);
  return true;
}

}  // namespace platform
