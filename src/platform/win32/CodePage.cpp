#include "platform/CodePage.h"

#include <windows.h>

namespace platform {

std::u16string AnsiToWide(std::string_view text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
  std::u16string wide(std::size_t(length > 0 ? length : 0), u'\0');
  if (length > 0)
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()),
                        reinterpret_cast<LPWSTR>(wide.data()), length);
  return wide;
}

std::string WideToAnsi(std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<LPCWCH>(text.data());
  const int length =
      WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), nullptr, 0, "?", nullptr);
  std::string narrow(std::size_t(length > 0 ? length : 0), '\0');
  if (length > 0)
    WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), narrow.data(), length, "?", nullptr);
  return narrow;
}

}  // namespace platform
