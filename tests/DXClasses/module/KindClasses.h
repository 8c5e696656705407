#pragma once

// Classes of the kinds test module: one of each Xtra kind besides scripting, and a scripting
// class that drives the host object wrappers. What they see goes to the module's event log
// (dxWrappers' events method reads it).

#include <string>

#include "DXClasses/DXAsset.h"
#include "DXClasses/DXPropertyPage.h"
#include "DXClasses/DXScript.h"
#include "DXClasses/DXSprite.h"
#include "DXClasses/DXTool.h"
#include "DXClasses/DXTransition.h"

// Appends one entry to the module's event log; TakeEvents gives the log and empties it.
void LogEvent(const std::string& entry);
std::string TakeEvents();
// How the tool behaves: Execute raises, Enabled answers.
void SetToolState(bool throws, bool enabled);

// "KindAsset": keeps its own size (width in steps of 8, height at most 100), publishes property
// methods and functions, saves and loads its properties and media, and logs its hooks. Its
// property "throwIn" names a hook that raises from then on; getting "explosive" raises. The
// virtual function answers "virtualOnly", "get_hidden" and every name that begins with "long".
class TKindAsset : public TDXAsset {
 public:
  static void GetAssetInfo(TDXAssetInfo& info);
  static void InitializeClass(TDXInitializeClassInfo& info);

  TKindAsset();

 protected:
  std::span<const TDXPublishedHandler> PublishedHandlers() const override;
  void GetProperty(MoaMmSymbol property, IDXValue& result, bool& handled) override;
  void SetProperty(MoaMmSymbol property, const IDXValue& value, bool& handled) override;
  void CallFunction(MoaMmSymbol function, IDXArgList& args, bool& handled,
                    IDXValue& result) override;
  std::int32_t AdjustWidth(std::int32_t width) override;
  std::int32_t AdjustHeight(std::int32_t height) override;
  bool SaveProperties(IDXWriteStream& stream) override;
  bool LoadProperties(IDXReadStream& stream) override;
  bool SaveMedia(IDXWriteStream& stream) override;
  bool LoadMedia(IDXReadStream& stream) override;
  bool PropertiesValid() override;
  bool MediaValid() override;
  std::int32_t PropertiesVersion() override;
  std::int32_t MediaVersion() override;
  bool AcceptNotification(MoaLong code, MoaLong data) override;
  bool SetMediaState(bool needed, bool purgeable) override;
  const MoaClassID* SpriteClass() const override;
  void EditFlags(bool& inPlace, bool& external) override;
  void PlaybackFlags(bool& animates, bool& wantsIdle) override;
  void Edit() override;
  void ShowAbout() override;
  void Draw(platform::TDeviceContext context, const TDXRect& rect) override;

 private:
  void get_title(IDXValue& result, bool& handled);
  void set_title(IDXValue& value, bool& handled);
  void get_declined(IDXValue& result, bool& handled);
  void get_throwIn(IDXValue& result, bool& handled);
  void set_throwIn(IDXValue& value, bool& handled);
  void get_lastError(IDXValue& result, bool& handled);
  void get_media(IDXValue& result, bool& handled);
  void set_media(IDXValue& value, bool& handled);
  void get_ownMedia(IDXValue& result, bool& handled);
  void greet(IDXArgList& args, IDXValue& result, bool& handled);
  void recurse(IDXArgList& args, IDXValue& result, bool& handled);
  void explode(IDXArgList& args, IDXValue& result, bool& handled);
  void get_hidden(IDXArgList& args, IDXValue& result, bool& handled);
  void decline(IDXArgList& args, IDXValue& result, bool& handled);

  // Raises when hook is the one named by "throwIn".
  void MaybeThrow(const char* hook) const;
  std::string Name(MoaMmSymbol symbol) const { return SymbolName(symbol); }
  // Runs a load; a stream failure's message is kept as "lastError" and raised again.
  template <class TBody>
  bool Loading(TBody&& body);

  std::string title_ = "untitled";
  std::int32_t count_ = 0;
  double ratio_ = 0.5;
  std::uint8_t flag_ = 0xA5;
  std::uint16_t word_ = 0xBEEF;
  std::string media_;
  std::string throwIn_;
  std::string lastError_;
  bool valid_ = true;
  int depth_ = 0;
};

// "KindTransition": a transition type with its own colour icon only.
class TKindTransitionAsset : public TDXTransitionAsset {
 public:
  static void GetAssetInfo(TDXAssetInfo& info);
  static void GetTransitionInfo(TDXTransitionInfo& info);
};

// "PlainAsset": names icons the module does not have, and flag bits without caps.
class TPlainAsset : public TDXAsset {
 public:
  static void GetAssetInfo(TDXAssetInfo& info);
};

class TKindSprite : public TDXSprite {
 protected:
  std::span<const TDXPublishedHandler> PublishedHandlers() const override;
  bool MouseDown(TDXPoint at, std::int32_t modifiers) override;
  bool MouseUp(TDXPoint at, std::int32_t modifiers) override;
  bool KeyDown(std::int32_t key, std::int32_t modifiers) override;
  bool BeginSprite() override;
  bool Idle() override;
  void Draw(platform::TDeviceContext context, const TDXRect& rect) override;

 private:
  void get_label(IDXValue& result, bool& handled);
  void set_label(IDXValue& value, bool& handled);

  std::string label_ = "sprite";
};

class TKindTransition : public TDXTransition {
 protected:
  void Begin() override;
  bool Step(platform::TDeviceContext context, const TDXRect& area, double progress) override;
  void End() override;
};

class TKindTool : public TDXTool {
 public:
  static void GetToolInfo(TDXToolInfo& info);

 protected:
  void Execute() override;
  bool Enabled() override;
};

class TKindPage : public TDXPropertyPage {
 public:
  static void GetPropertyPageInfo(TDXPropertyPageInfo& info);

 protected:
  void DescribeProperties(std::string& propertyDescriptions,
                          std::string& itemDescriptions) override;
};

// "dxWrappers": Lingo methods that drive the movie, cast, member, media and dictionary
// wrappers against the host's own services and describe what came back.
class TWrapperProbe : public TDXScript {
 public:
  static void DeclareFunctions(TDXScriptInfo& info);

 protected:
  std::span<const TDXPublishedMethod> PublishedMethods() const override;

 private:
  void events(IDXArgList& args, IDXValue& result, bool& handled);
  void setTool(IDXArgList& args, IDXValue& result, bool& handled);
  void movieInfo(IDXArgList& args, IDXValue& result, bool& handled);
  void setFrame(IDXArgList& args, IDXValue& result, bool& handled);
  void labelOf(IDXArgList& args, IDXValue& result, bool& handled);
  void callHandler(IDXArgList& args, IDXValue& result, bool& handled);
  void callHandlerFor(IDXArgList& args, IDXValue& result, bool& handled);
  void castInfo(IDXArgList& args, IDXValue& result, bool& handled);
  void findCast(IDXArgList& args, IDXValue& result, bool& handled);
  void renameCast(IDXArgList& args, IDXValue& result, bool& handled);
  void memberInfo(IDXArgList& args, IDXValue& result, bool& handled);
  void findMember(IDXArgList& args, IDXValue& result, bool& handled);
  void memberProp(IDXArgList& args, IDXValue& result, bool& handled);
  void objectProp(IDXArgList& args, IDXValue& result, bool& handled);
  void setMemberProp(IDXArgList& args, IDXValue& result, bool& handled);
  void createMember(IDXArgList& args, IDXValue& result, bool& handled);
  void deleteMember(IDXArgList& args, IDXValue& result, bool& handled);
  void assignMember(IDXArgList& args, IDXValue& result, bool& handled);
  void commands(IDXArgList& args, IDXValue& result, bool& handled);
  void memberText(IDXArgList& args, IDXValue& result, bool& handled);
  void setMemberText(IDXArgList& args, IDXValue& result, bool& handled);
  void memberBytes(IDXArgList& args, IDXValue& result, bool& handled);
  void composite(IDXArgList& args, IDXValue& result, bool& handled);
  void image(IDXArgList& args, IDXValue& result, bool& handled);
  void dictionary(IDXArgList& args, IDXValue& result, bool& handled);

  MoaMmSymbol Symbol(const std::string& name) const;
  Ref<IDXCast> CastAt(IDXArgList& args, std::int32_t index);
  Ref<IDXCastMember> MemberAt(IDXArgList& args, std::int32_t index);
};
