#include "XmlDom/XmlDateTime.h"

#include <chrono>
#include <cmath>
#include <cstdint>

namespace xmldom {

namespace {

using namespace std::chrono;

constexpr std::int64_t kMsPerDay = 86400000;
// Day numbers of 1 January 0001 and 31 December 9999.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958465;

constexpr sys_days kEpoch = sys_days(year(1899) / December / 30);

}  // namespace

bool DecodeXmlDateTime(TXmlDateTime value, TXmlCivilDateTime& fields) noexcept {
  if (!(value > kFirstDay - 1 && value < kLastDay + 1)) return false;
  const auto ms = static_cast<std::int64_t>(std::nearbyint(value * double(kMsPerDay)));
  // Days count towards zero and the time of day is the distance from midnight, so -1.25 is
  // 29 December 1899, 06:00.
  const std::int64_t dayNumber = ms / kMsPerDay;
  std::int64_t time = (ms < 0 ? -ms : ms) % kMsPerDay;
  const year_month_day date{kEpoch + days(dayNumber)};
  if (int(date.year()) < 1 || int(date.year()) > 9999) return false;
  fields.Year = int(date.year());
  fields.Month = int(unsigned(date.month()));
  fields.Day = int(unsigned(date.day()));
  fields.Millisecond = int(time % 1000);
  time /= 1000;
  fields.Second = int(time % 60);
  time /= 60;
  fields.Minute = int(time % 60);
  fields.Hour = int(time / 60);
  return true;
}

bool EncodeXmlDateTime(const TXmlCivilDateTime& f, TXmlDateTime& value) noexcept {
  if (f.Year < 1 || f.Year > 9999 || f.Month < 1 || f.Month > 12 || f.Day < 1) return false;
  if (f.Hour < 0 || f.Hour > 23 || f.Minute < 0 || f.Minute > 59 || f.Second < 0 || f.Second > 59 ||
      f.Millisecond < 0 || f.Millisecond > 999)
    return false;
  const year_month_day date{year(f.Year), month(unsigned(f.Month)), day(unsigned(f.Day))};
  if (!date.ok()) return false;
  const double dayNumber = double((sys_days(date) - kEpoch).count());
  const double time =
      double(((f.Hour * 60 + f.Minute) * 60 + f.Second) * 1000 + f.Millisecond) / kMsPerDay;
  value = dayNumber < 0 ? dayNumber - time : dayNumber + time;
  return true;
}

}  // namespace xmldom
