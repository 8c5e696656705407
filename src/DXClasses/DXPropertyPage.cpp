#include "DXClasses/DXPropertyPage.h"

#include "DXClasses/DXGuard.h"
#include "DXInt/MoaIdentifiers.h"

TDXPropertyPage::TDXPropertyPage() : page_(*this) {}

TDXPropertyPage::~TDXPropertyPage() = default;

void TDXPropertyPage::DescribeProperties(std::string&, std::string&) {}

IMoaUnknown* TDXPropertyPage::FindInterface(const MoaInterfaceID& iid) noexcept {
  if (iid == kIID_IMoaPropertyPage) return &page_;
  return TDXClass::FindInterface(iid);
}

std::string TDXPropertyPage::PageText() {
  std::string properties;
  std::string items;
  Layout = TDXPageLayout();
  DescribeProperties(properties, items);
  const TDXPropertyPageInfo page = PropertyPageInfoOf(MetaClass());
  const TDXAssetInfo asset = page.AssetClass ? AssetInfoOf(*page.AssetClass) : TDXAssetInfo();
  std::string text = "[ #";
  text += asset.SymbolString;
  text += "PropPage";
  text += ": [ ";
  text += "#comment: \"";
  text += asset.DisplayName;
  text += "\", #propertyDescriptionList: [ ";
  text += properties;
  text += " ], #itemDescriptionList: [ ";
  text += items;
  text += " ]";
  text += " ] ]";
  return text;
}

MoaError MOA_CALL TDXPropertyPage::TPageInterface::GetPageDescription(MoaMmValue* out) noexcept {
  if (!out) return kDXErrInvalid;
  return DXGuarded(kDXErrCallFailed, [&] {
    const std::string text = static_cast<TDXPropertyPage&>(Owner()).PageText();
    const Ref<IMoaMmValue> values = Owner().ValueService();
    if (!values) return kDXErrCallFailed;
    return values->StringToValue(text.c_str(), out);
  });
}
