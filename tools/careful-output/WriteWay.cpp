#include "WriteWay.h"

namespace careful_output {

TWriteWay ChooseWriteWay(std::string_view name, const platform::TFileFacts& facts) {
  if (name == "-") return TWriteWay::StandardOutput;
  switch (facts.Kind) {
    case platform::TFileKind::Missing:
      return TWriteWay::Replace;
    case platform::TFileKind::Regular:
      return facts.Links > 1 ? TWriteWay::InPlace : TWriteWay::Replace;
    case platform::TFileKind::Directory:
    case platform::TFileKind::Device:
    case platform::TFileKind::Fifo:
    case platform::TFileKind::Socket:
      break;
  }
  return TWriteWay::Into;
}

}  // namespace careful_output
