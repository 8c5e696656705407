#include "platform/SystemCalls.h"

#include <windows.h>

#include <string>

namespace platform::sys {
namespace {

std::string LocaleText(LCTYPE type, const char* fallback) {
  char buffer[128];
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return length > 1 ? std::string(buffer, std::size_t(length - 1)) : std::string(fallback);
}

char LocaleChar(LCTYPE type, char fallback) {
  const std::string text = LocaleText(type, "");
  return text.empty() ? fallback : text[0];
}

}  // namespace

void ShowSystemMessageBox(std::string_view caption, std::string_view text) {
  const std::string captionZ(caption), textZ(text);
  MessageBoxA(nullptr, textZ.c_str(), captionZ.c_str(), MB_OK | MB_SYSTEMMODAL);
}

TLocalDateTime ReadLocalTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth,  now.wDay,         now.wHour,
          now.wMinute, now.wSecond, now.wMilliseconds};
}

TLocaleFormats ReadLocaleFormats() {
  TLocaleFormats formats;
  formats.DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, '.');
  formats.ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, ',');
  formats.DateSeparator = LocaleChar(LOCALE_SDATE, '/');
  formats.TimeSeparator = LocaleChar(LOCALE_STIME, ':');
  formats.ShortDateFormat = LocaleText(LOCALE_SSHORTDATE, "M/d/yyyy");
  formats.LongTimeFormat = LocaleText(LOCALE_STIMEFORMAT, "h:mm:ss");
  return formats;
}

}  // namespace platform::sys

namespace platform::sys {
namespace {

DWORD WINAPI ThreadEntry(LPVOID body) {
  (*static_cast<const std::function<void()>*>(body))();
  return 0;
}

}  // namespace

bool RunThread(std::size_t stackBytes, const std::function<void()>& body) {
  const HANDLE thread =
      CreateThread(nullptr, stackBytes, ThreadEntry, const_cast<std::function<void()>*>(&body),
                   STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (!thread) return false;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return true;
}

}  // namespace platform::sys
