#include "KindClasses.h"

#include <cstdio>
#include <stdexcept>
#include <utility>

#include "DXClasses/DXStreams.h"
#include "DXInt/MoaIdentifiers.h"
#include "KindIds.h"

namespace {

std::string gEvents;
bool gToolThrows = false;
bool gToolEnabled = true;

std::string RectText(const TDXRect& rect) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%d,%d,%d,%d", int(rect.Left), int(rect.Top),
                int(rect.Right), int(rect.Bottom));
  return buffer;
}

std::string DrawText(const char* what, platform::TDeviceContext context, const TDXRect& rect) {
  return std::string(what) + " mode=" + std::to_string(platform::RasterMode(context)) +
         " rect=" + RectText(rect);
}

}  // namespace

void LogEvent(const std::string& entry) {
  gEvents += entry;
  gEvents += ';';
}

std::string TakeEvents() {
  return std::exchange(gEvents, {});
}

void SetToolState(bool throws, bool enabled) {
  gToolThrows = throws;
  gToolEnabled = enabled;
}

// ---- TKindAsset

void TKindAsset::GetAssetInfo(TDXAssetInfo& info) {
  info.SymbolString = "KindAsset";
  info.DisplayName = "Kind asset";
  info.DisplayCategory = "Test kinds";
  info.Flags = 0x5F;
  info.Events->AddEvent("kindClicked", "when clicked")
      ->AddArgument("me", dvObject)
      ->AddArgument("count", dvInteger);
  info.Events->AddEvent("kindReset");
}

void TKindAsset::InitializeClass(TDXInitializeClassInfo& info) {
  LogEvent("assetClass host=" + std::to_string(info.HostValue));
}

TKindAsset::TKindAsset() {
  KeepOwnSize(64, 32);
}

std::span<const TDXPublishedHandler> TKindAsset::PublishedHandlers() const {
  static constexpr TDXPublishedHandler kHandlers[] = {
      Publish<&TKindAsset::get_title>("get_title"),
      Publish<&TKindAsset::set_title>("SET_TITLE"),
      Publish<&TKindAsset::get_declined>("get_declined"),
      Publish<&TKindAsset::get_throwIn>("get_throwIn"),
      Publish<&TKindAsset::set_throwIn>("set_throwIn"),
      Publish<&TKindAsset::get_lastError>("get_lastError"),
      Publish<&TKindAsset::get_media>("get_media"),
      Publish<&TKindAsset::set_media>("set_media"),
      Publish<&TKindAsset::get_ownMedia>("get_ownMedia"),
      Publish<&TKindAsset::greet>("greet"),
      Publish<&TKindAsset::recurse>("recurse"),
      Publish<&TKindAsset::explode>("explode"),
      Publish<&TKindAsset::get_hidden>("get_hidden"),
      Publish<&TKindAsset::decline>("decline"),
  };
  return kHandlers;
}

void TKindAsset::GetProperty(MoaMmSymbol property, IDXValue& result, bool& handled) {
  const std::string name = Name(property);
  handled = true;
  if (name == "count") {
    result.SetAsInteger(count_);
  } else if (name == "declined") {
    result.SetAsString("from the virtual");
  } else if (name == "explosive") {
    result.SetAsString("half read");
    throw std::runtime_error("explosive");
  } else if (name == "width") {
    result.SetAsInteger(Width());
  } else if (name == "height") {
    result.SetAsInteger(Height());
  } else {
    handled = false;
  }
}

void TKindAsset::SetProperty(MoaMmSymbol property, const IDXValue& value, bool& handled) {
  const std::string name = Name(property);
  handled = true;
  if (name == "count") {
    count_ = value.AsInteger();
  } else if (name == "valid") {
    valid_ = value.AsBoolean();
  } else if (name != "width" && name != "height") {
    handled = false;
  }
}

void TKindAsset::CallFunction(MoaMmSymbol function, IDXArgList& args, bool& handled,
                              IDXValue& result) {
  const std::string name = Name(function);
  if (name != "virtualOnly" && name != "get_hidden" && !name.starts_with("long")) return;
  result.SetAsString("virtual " + name + " " + std::to_string(args.Count()));
  handled = true;
}

std::int32_t TKindAsset::AdjustWidth(std::int32_t width) {
  MaybeThrow("adjust");
  return (width + 7) / 8 * 8;
}

std::int32_t TKindAsset::AdjustHeight(std::int32_t height) {
  MaybeThrow("adjust");
  return height > 100 ? 100 : height;
}

template <class TBody>
bool TKindAsset::Loading(TBody&& body) {
  try {
    body();
    return true;
  } catch (const EDXStreamException& e) {
    lastError_ = e.what();
    throw;
  }
}

bool TKindAsset::SaveProperties(IDXWriteStream& stream) {
  MaybeThrow("saveProperties");
  stream.WriteString(title_);
  stream.WriteInteger(count_);
  stream.WriteFloat(ratio_);
  stream.WriteByte(flag_);
  stream.WriteWord(word_);
  return title_ != "unsaveable";
}

bool TKindAsset::LoadProperties(IDXReadStream& stream) {
  return Loading([&] {
    title_ = stream.ReadString();
    count_ = stream.ReadInteger();
    ratio_ = stream.ReadFloat();
    flag_ = stream.ReadByte();
    word_ = stream.ReadWord();
  });
}

bool TKindAsset::SaveMedia(IDXWriteStream& stream) {
  stream.WriteInteger(std::int32_t(media_.size()));
  stream.Write(media_.data(), std::int32_t(media_.size()));
  return true;
}

bool TKindAsset::LoadMedia(IDXReadStream& stream) {
  return Loading([&] {
    const std::int32_t size = stream.ReadInteger();
    if (size < 0 || size > (1 << 20)) throw std::runtime_error("not media of this asset");
    std::string media(std::size_t(size), '\0');
    stream.Read(media.data(), size);
    media_ = std::move(media);
  });
}

bool TKindAsset::PropertiesValid() {
  MaybeThrow("checkProperties");
  return valid_;
}

bool TKindAsset::MediaValid() {
  return !media_.empty();
}

std::int32_t TKindAsset::PropertiesVersion() {
  return 2;
}

std::int32_t TKindAsset::MediaVersion() {
  MaybeThrow("mediaVersion");
  return 3;
}

bool TKindAsset::AcceptNotification(MoaLong code, MoaLong data) {
  MaybeThrow("notify");
  LogEvent("notify " + std::to_string(code) + " " + std::to_string(data));
  return code == 7;
}

bool TKindAsset::SetMediaState(bool needed, bool purgeable) {
  LogEvent("mediaState " + std::to_string(needed) + " " + std::to_string(purgeable));
  return needed;
}

const MoaClassID* TKindAsset::SpriteClass() const {
  return &kKindSpriteClassID;
}

void TKindAsset::EditFlags(bool& inPlace, bool& external) {
  inPlace = true;
  external = false;
}

void TKindAsset::PlaybackFlags(bool& animates, bool& wantsIdle) {
  animates = false;
  wantsIdle = true;
}

void TKindAsset::Edit() {
  LogEvent("edit");
}

void TKindAsset::ShowAbout() {
  MaybeThrow("about");
  LogEvent("about");
}

void TKindAsset::Draw(platform::TDeviceContext context, const TDXRect& rect) {
  LogEvent(DrawText("draw", context, rect));
  platform::SetRasterMode(context, platform::kRasterXorPen);
  MaybeThrow("draw");
}

void TKindAsset::MaybeThrow(const char* hook) const {
  if (throwIn_ == hook) throw std::runtime_error(hook);
}

void TKindAsset::get_title(IDXValue& result, bool&) {
  result.SetAsString(title_);
}

void TKindAsset::set_title(IDXValue& value, bool&) {
  title_ = value.AsString();
}

void TKindAsset::get_declined(IDXValue& result, bool& handled) {
  result.SetAsString("from the published method");
  handled = false;
}

void TKindAsset::get_throwIn(IDXValue& result, bool&) {
  result.SetAsString(throwIn_);
}

void TKindAsset::set_throwIn(IDXValue& value, bool&) {
  throwIn_ = value.AsString();
}

void TKindAsset::get_lastError(IDXValue& result, bool&) {
  result.SetAsString(lastError_);
}

void TKindAsset::get_media(IDXValue& result, bool&) {
  result.SetAsString(media_);
}

void TKindAsset::set_media(IDXValue& value, bool&) {
  media_ = value.AsString();
}

void TKindAsset::get_ownMedia(IDXValue& result, bool&) {
  const Ref<IDXCastMemberMedia> media = OwnMedia();
  result.SetAsString(media ? media->GetText() : "none");
}

void TKindAsset::greet(IDXArgList& args, IDXValue& result, bool&) {
  result.SetAsString("hello " + args.Item(0)->AsString() + " of " + std::to_string(args.Count()));
}

void TKindAsset::recurse(IDXArgList&, IDXValue& result, bool&) {
  const int reached = ++depth_;
  auto* self = static_cast<IMoaAsset*>(FindInterface(kIID_IMoaAsset));
  MoaDrCallInfo call{};
  call.Selector = NewSymbolManager()->StringToSymbol("recurse");
  if (self->CallFunction(&call) != kMoaOk) LogEvent("refused at " + std::to_string(reached));
  ValueService()->ValueRelease(&call.Result);
  --depth_;
  result.SetAsString("reached " + std::to_string(reached));
}

void TKindAsset::explode(IDXArgList&, IDXValue& result, bool&) {
  result.SetAsString("half done");
  throw std::runtime_error("exploded");
}

void TKindAsset::get_hidden(IDXArgList&, IDXValue& result, bool&) {
  result.SetAsString("published get_hidden");
}

void TKindAsset::decline(IDXArgList&, IDXValue& result, bool& handled) {
  result.SetAsString("declined");
  handled = false;
}

// ---- TKindTransitionAsset and TPlainAsset

void TKindTransitionAsset::GetAssetInfo(TDXAssetInfo& info) {
  info.SymbolString = "KindTransition";
  info.DisplayName = "Kind transition";
  info.DisplayCategory = "Test kinds";
  info.IconName = "KIND_ICON";
  info.Flags = 0x5F;
  info.SafeForShockwave = false;
}

void TKindTransitionAsset::GetTransitionInfo(TDXTransitionInfo& info) {
  info.Flag1 = 1;
  info.Flag2 = 1;
  info.Flag3 = 0;
  info.DefaultDuration = 1500;
  info.DefaultChunkSize = 4;
  info.Flag4 = 1;
}

void TPlainAsset::GetAssetInfo(TDXAssetInfo& info) {
  info.SymbolString = "PlainAsset";
  info.DisplayName = "Plain asset";
  info.DisplayCategory = "Test kinds";
  info.IconName = "NO_SUCH_ICON";
  info.Flags = 0xA0;  // bits without caps
}

// ---- TKindSprite

std::span<const TDXPublishedHandler> TKindSprite::PublishedHandlers() const {
  static constexpr TDXPublishedHandler kHandlers[] = {
      Publish<&TKindSprite::get_label>("get_label"),
      Publish<&TKindSprite::set_label>("set_label"),
  };
  return kHandlers;
}

void TKindSprite::get_label(IDXValue& result, bool&) {
  result.SetAsString(label_);
}

void TKindSprite::set_label(IDXValue& value, bool&) {
  label_ = value.AsString();
}

bool TKindSprite::MouseDown(TDXPoint at, std::int32_t modifiers) {
  LogEvent("mouseDown " + std::to_string(at.X) + "," + std::to_string(at.Y) + " " +
           std::to_string(modifiers));
  return true;
}

bool TKindSprite::MouseUp(TDXPoint at, std::int32_t) {
  LogEvent("mouseUp " + std::to_string(at.X) + "," + std::to_string(at.Y));
  return false;
}

bool TKindSprite::KeyDown(std::int32_t key, std::int32_t modifiers) {
  LogEvent("keyDown " + std::to_string(key) + " " + std::to_string(modifiers));
  return true;
}

bool TKindSprite::BeginSprite() {
  LogEvent("beginSprite");
  return true;
}

bool TKindSprite::Idle() {
  throw std::runtime_error("idle failed");
}

void TKindSprite::Draw(platform::TDeviceContext context, const TDXRect& rect) {
  LogEvent(DrawText("spriteDraw", context, rect) + " bounds=" + RectText(Bounds()));
}

// ---- TKindTransition

void TKindTransition::Begin() {
  LogEvent("begin " + std::to_string(Duration()) + " " + std::to_string(ChunkSize()) + " " +
           std::to_string(WholeStage()));
}

bool TKindTransition::Step(platform::TDeviceContext context, const TDXRect& area, double progress) {
  char text[32];
  std::snprintf(text, sizeof text, "step %.2f", progress);
  LogEvent(DrawText(text, context, area));
  platform::SetRasterMode(context, platform::kRasterXorPen);
  return progress >= 0.75;
}

void TKindTransition::End() {
  LogEvent("end");
}

// ---- TKindTool

void TKindTool::GetToolInfo(TDXToolInfo& info) {
  info.DisplayName = "Kind tool";
  info.DisplayCategory = "Test kinds";
}

void TKindTool::Execute() {
  LogEvent("execute");
  if (gToolThrows) throw std::runtime_error("tool failed");
}

bool TKindTool::Enabled() {
  return gToolEnabled;
}

// ---- TKindPage

void TKindPage::GetPropertyPageInfo(TDXPropertyPageInfo& info) {
  info.AssetClass = &MetaClassOf<TKindAsset>();
  info.PageName = "Kind page";
}

void TKindPage::DescribeProperties(std::string& propertyDescriptions,
                                   std::string& itemDescriptions) {
  propertyDescriptions += "#title: [#format: #string, #default: \"untitled\"]";
  itemDescriptions += "[#type: #label, #text: \"Title:\", #loc: point(" +
                      std::to_string(Layout.Left) + ", " + std::to_string(Layout.Top) +
                      "), #width: " + std::to_string(Layout.Width) +
                      ", #height: " + std::to_string(Layout.LabelHeight) + "]";
  // The next description starts from the defaults again.
  Layout.Left = 99;
}
