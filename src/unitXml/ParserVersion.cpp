// The version report: ten entries of the module's own version information.
#include "platform/ModulePath.h"
#include "unitXml/zelXMLParser.h"
#include "zelVersion/FileVersionInfo.h"

namespace {

struct TVersionProperty {
  const char* Name;
  std::string version::TFileVersionInfo::*Field;
};

// The properties in the order scripts see them; FileType is the shell's name for the file's
// type, not the type of the fixed version information.
constexpr TVersionProperty kVersionProperties[] = {
    {"FileType", &version::TFileVersionInfo::ShellTypeName},
    {"CompanyName", &version::TFileVersionInfo::CompanyName},
    {"FileDescription", &version::TFileVersionInfo::FileDescription},
    {"FileVersion", &version::TFileVersionInfo::FileVersion},
    {"InternalName", &version::TFileVersionInfo::InternalName},
    {"LegalCopyRight", &version::TFileVersionInfo::LegalCopyRight},
    {"LegalTradeMarks", &version::TFileVersionInfo::LegalTradeMarks},
    {"OriginalFileName", &version::TFileVersionInfo::OriginalFileName},
    {"ProductName", &version::TFileVersionInfo::ProductName},
    {"ProductVersion", &version::TFileVersionInfo::ProductVersion},
};

}  // namespace

// The result stays void until the list is made, and a failure of the host's list services
// leaves whatever part of the list was built.
void TzelXMLParser::xtraVersion(TDXResultSlot<Ref<IDXPropertyList>> result) {
  version::TFileVersionInfo info;
  version::ReadFileVersionInfo(platform::ModuleFileName(), info);
  const Ref<IDXPropertyList> list = NewPropertyList();
  result.Set(list);
  for (const TVersionProperty& property : kVersionProperties)
    list->SetPropByName(property.Name, *NewStringValue(info.*property.Field));
}
