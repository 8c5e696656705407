#pragma once

// TDXPropertyPage: the base of a property page of an asset type. A subclass names its asset
// class in a static GetPropertyPageInfo and describes the page's properties and items in
// DescribeProperties; the page's description for the host is built around them.

#include <string>

#include "DXClasses/DXClass.h"
#include "DXClasses/DXClassInfo.h"
#include "DXInt/MoaXtraKinds.h"

// Measures a page description may use for its items, preset before DescribeProperties.
struct TDXPageLayout {
  std::int32_t Left = 8;
  std::int32_t Top = 8;
  std::int32_t Width = 184;
  std::int32_t LabelHeight = 12;
  std::int32_t LineHeight = 20;
  std::int32_t FieldHeight = 22;
  std::int32_t CheckHeight = 14;
  std::int32_t PopupHeight = 22;
  std::int32_t Spacing = 24;
};

class TDXPropertyPage : public TDXClass {
 public:
  static constexpr TDXClassKind kDXClassKind = TDXClassKind::PropertyPage;

  // Every page class names its asset class.
  static void GetPropertyPageInfo(TDXPropertyPageInfo& info) = delete;

  // "[ #<symbol>PropPage: [ #comment: "<display name>", #propertyDescriptionList: [ ... ],
  // #itemDescriptionList: [ ... ] ] ]", with the asset class's symbol and display name and
  // what DescribeProperties gives.
  std::string PageText();

 protected:
  TDXPropertyPage();
  ~TDXPropertyPage() override;

  // Fills the two lists' contents (both empty when called); nothing by default.
  virtual void DescribeProperties(std::string& propertyDescriptions, std::string& itemDescriptions);

  IMoaUnknown* FindInterface(const MoaInterfaceID& iid) noexcept override;

  TDXPageLayout Layout;

 private:
  class TPageInterface final : public TDXEmbeddedInterface<IMoaPropertyPage> {
   public:
    using TDXEmbeddedInterface::TDXEmbeddedInterface;
    MoaError MOA_CALL GetPageDescription(MoaMmValue* out) noexcept override;
  };

  TPageInterface page_;
};
