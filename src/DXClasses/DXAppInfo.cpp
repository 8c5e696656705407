#include "DXClasses/DXAppInfo.h"

#include "DXClasses/DXHostInterface.h"
#include "DXInt/MoaIdentifiers.h"
#include "DXInt/MoaValueServices.h"

namespace {

constexpr MoaLong kInfoBufferSize = 256;
constexpr MoaLong kInfoOrder[9] = {1, 0, 2, 3, 4, 5, 6, 7, 8};

struct TModuleInfo {
  bool Read = false;
  TDXAppInfo AppInfo;
  TDXFrameSymbols Symbols;
};

TModuleInfo& Info() {
  static TModuleInfo info;
  return info;
}

std::string InfoString(IMoaAppInfo& appInfo, MoaLong index) {
  char buffer[kInfoBufferSize + 1] = {};
  appInfo.GetInfoString(index, buffer, kInfoBufferSize);
  return buffer;  // the last byte is never written: always terminated
}

MoaMmSymbol Symbol(IMoaMmValue& values, const char* name) {
  MoaMmSymbol symbol = 0;
  values.StringToSymbol(name, &symbol);
  return symbol;
}

}  // namespace

void ReadAppInfoOnce(const MoaObjectRecord& record) {
  TModuleInfo& info = Info();
  if (info.Read) return;
  info.Read = true;
  if (const Ref<IMoaAppInfo> appInfo =
          QueryHostInterface<IMoaAppInfo>(record.HostServices, kIID_IMoaAppInfo))
    for (std::size_t i = 0; i < info.AppInfo.Fields.size(); ++i)
      info.AppInfo.Fields[i] = InfoString(*appInfo, kInfoOrder[i]);
  if (const Ref<IMoaMmValue> values =
          QueryHostInterface<IMoaMmValue>(record.HostServices, kIID_IMoaMmValue))
    info.Symbols = {Symbol(*values, "width"), Symbol(*values, "height"), Symbol(*values, "frame")};
}

const TDXAppInfo& ModuleAppInfo() {
  return Info().AppInfo;
}

const TDXFrameSymbols& ModuleFrameSymbols() {
  return Info().Symbols;
}
