#include "common/RecordDocument.h"

#include <array>
#include <string_view>

namespace testing_support {
namespace {

class TRandom {
 public:
  explicit TRandom(std::uint32_t seed) : state_(seed ? seed : 1) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  std::uint32_t Below(std::uint32_t bound) { return Next() % bound; }

 private:
  std::uint32_t state_;
};

constexpr std::array<std::string_view, 16> kWords = {
    "alpha", "bravo",  "charlie", "delta", "echo", "foxtrot",  "golf",  "hotel",
    "india", "juliet", "kilo",    "lima",  "mike", "november", "oscar", "papa"};

void AppendWords(std::string& out, TRandom& random, int count) {
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += ' ';
    out += kWords[random.Below(kWords.size())];
  }
}

void AppendNumber(std::string& out, std::uint32_t value) {
  out += std::to_string(value);
}

void AppendItem(std::string& out, TRandom& random, std::uint32_t id) {
  out += "  <!-- record ";
  AppendNumber(out, id);
  out += " -->\n  <item id=\"";
  AppendNumber(out, id);
  out += "\" code='C";
  AppendNumber(out, random.Below(100000));
  out += "' price=\"";
  AppendNumber(out, random.Below(10000));
  out += '.';
  AppendNumber(out, 10 + random.Below(90));
  out += "\" active=\"";
  out += random.Below(2) ? "true" : "false";
  out += "\" created=\"2026-";
  AppendNumber(out, 10 + random.Below(3));
  out += "-1";
  AppendNumber(out, random.Below(10));
  out += "T12-30-00\">\n    <name>";
  AppendWords(out, random, 2);
  out += " &amp; ";
  AppendWords(out, random, 1);
  out += "</name>\n    <description>";
  AppendWords(out, random, 8 + int(random.Below(16)));
  out += " &lt;";
  AppendNumber(out, random.Below(1000));
  out += "&gt; &#65;&#x42;</description>\n";
  if (random.Below(4) == 0) {
    out += "    <note><![CDATA[raw <text> & ";
    AppendWords(out, random, 3);
    out += "]]></note>\n";
  }
  out += "    <tags>";
  const int tags = 1 + int(random.Below(4));
  for (int t = 0; t < tags; ++t) {
    out += "<tag>";
    AppendWords(out, random, 1);
    out += "</tag>";
  }
  out += "</tags>\n    <parts>\n";
  const int parts = int(random.Below(4));
  for (int p = 0; p < parts; ++p) {
    out += "      <part n=\"";
    AppendNumber(out, std::uint32_t(p + 1));
    out += "\" qty=\"";
    AppendNumber(out, 1 + random.Below(20));
    out += "\"><label>";
    AppendWords(out, random, 2);
    out += "</label><size w=\"";
    AppendNumber(out, random.Below(500));
    out += "\" h=\"";
    AppendNumber(out, random.Below(500));
    out += "\"/></part>\n";
  }
  out += "    </parts>\n  </item>\n";
}

}  // namespace

std::string GenerateRecordDocument(std::size_t approximateBytes, std::uint32_t seed) {
  TRandom random(seed);
  std::string out;
  out.reserve(approximateBytes + 4096);
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<?catalog-style href=\"records.css\"?>\n<catalog generator=\"zelXML tests\">\n";
  std::uint32_t id = 0;
  while (out.size() < approximateBytes) AppendItem(out, random, ++id);
  out += "</catalog>\n";
  return out;
}

}  // namespace testing_support
