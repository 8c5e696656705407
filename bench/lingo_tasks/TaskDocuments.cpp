#include "TaskDocuments.h"

#include <cstdint>

namespace {

class TRandom {
 public:
  std::uint32_t Below(std::uint32_t bound) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_ % bound;
  }

 private:
  std::uint32_t state_ = 2463534242u;
};

void AppendRecord(std::string& out, TRandom& random, int id) {
  const std::string number = std::to_string(id);
  out += "<record id=\"" + number + "\" code=\"C" + std::to_string(10000 + random.Below(90000)) +
         "\" qty=\"" + std::to_string(1 + random.Below(20)) + "\"><name>name " + number + "</name>";
  for (std::uint32_t t = 1 + random.Below(3); t > 0; --t)
    out += "<tag>t" + std::to_string(random.Below(100)) + "</tag>";
  for (std::uint32_t p = random.Below(3), n = 1; n <= p; ++n)
    out += "<part n=\"" + std::to_string(n) + "\"/>";
  if (id % 3 == 0) out += "<note>checked on delivery</note>";
  out += "</record>\n";
}

}  // namespace

std::string RecordsDocument(int records) {
  TRandom random;
  std::string out = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<records>\n";
  for (int id = 1; id <= records; ++id) AppendRecord(out, random, id);
  return out += "</records>\n";
}

std::string WideRecordsDocument(int records) {
  std::string filler;
  for (int i = 1; i < kWideRecordChildren; ++i) filler += "<f/>";
  std::string out = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<records>\n";
  for (int id = 1; id <= records; ++id) {
    const std::string number = std::to_string(id);
    out += "<record id=\"" + number + "\">" + filler + "<last>" + number + "</last></record>\n";
  }
  return out += "</records>\n";
}
