// "dxWrappers": Lingo methods over the host object wrappers. Each answers a text that says
// what the wrappers gave back ("nothing" for an empty reference).

#include <cstdio>
#include <cstring>

#include "DXClasses/DXArgList.h"
#include "DXInt/MoaDirector.h"
#include "KindClasses.h"

namespace {

std::string ValueText(const Ref<IDXValue>& value) {
  if (!value) return "nothing";
  switch (value->ValueKind()) {
    case dvVoid:
      return "void";
    case dvInteger:
      return std::to_string(value->AsInteger());
    case dvString:
      return "\"" + value->AsString() + "\"";
    default:
      return "kind " + std::to_string(int(value->ValueKind()));
  }
}

std::string CastText(const Ref<IDXCast>& cast) {
  if (!cast) return "nothing";
  return "index=" + std::to_string(cast->CastIndex()) + " name=" + cast->GetName();
}

std::string MemberText(const Ref<IDXCastMember>& member) {
  if (!member) return "nothing";
  const TDXMemberRef ref = member->MemberRef();
  return "ref=" + std::to_string(ref.Cast) + "," + std::to_string(ref.Member) +
         " name=" + member->GetName();
}

const char* Flag(bool value) {
  return value ? "1" : "0";
}

std::string Hex(std::uint32_t color) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%06X", unsigned(color));
  return buffer;
}

// A 3 x 2 bitmap of six colours, 24 bits per pixel.
TDXBitmap SampleImage() {
  TDXBitmap image;
  image.Width = 3;
  image.Height = 2;
  image.BitCount = 24;
  // Bottom row first: blue, green, red; then the top row: white, black, grey.
  const unsigned char rows[] = {0xFF, 0,    0,    0, 0xFF, 0, 0,    0,    0xFF, 0, 0, 0,
                                0xFF, 0xFF, 0xFF, 0, 0,    0, 0x80, 0x80, 0x80, 0, 0, 0};
  image.Pixels.assign(reinterpret_cast<const char*>(rows), sizeof rows);
  return image;
}

}  // namespace

void TWrapperProbe::DeclareFunctions(TDXScriptInfo& info) {
  info.XtraName = "dxWrappers";
  IDXScriptFunctions& f = *info.Functions;
  f.AddMethod("events")->AddArgument("me", dvObject);
  f.AddMethod("setTool")
      ->AddArgument("me", dvObject)
      ->AddArgument("throws", dvInteger)
      ->AddArgument("enabled", dvInteger);
  f.AddMethod("movieInfo")->AddArgument("me", dvObject);
  f.AddMethod("setFrame")->AddArgument("me", dvObject)->AddArgument("frame", dvInteger);
  f.AddMethod("labelOf")->AddArgument("me", dvObject)->AddArgument("frame", dvInteger);
  f.AddMethod("callHandler")
      ->AddArgument("me", dvObject)
      ->AddArgument("name", dvString)
      ->AddArgument("a", dvInteger)
      ->AddArgument("b", dvInteger);
  f.AddMethod("callHandlerFor")
      ->AddArgument("me", dvObject)
      ->AddArgument("target", dvInteger)
      ->AddArgument("name", dvString)
      ->AddArgument("a", dvInteger);
  f.AddMethod("castInfo")->AddArgument("me", dvObject)->AddArgument("index", dvInteger);
  f.AddMethod("findCast")
      ->AddArgument("me", dvObject)
      ->AddArgument("how", dvString)
      ->AddArgument("name", dvString)
      ->AddArgument("extra", dvObject);
  f.AddMethod("renameCast")
      ->AddArgument("me", dvObject)
      ->AddArgument("index", dvInteger)
      ->AddArgument("name", dvString);
  f.AddMethod("memberInfo")
      ->AddArgument("me", dvObject)
      ->AddArgument("cast", dvInteger)
      ->AddArgument("number", dvInteger);
  f.AddMethod("findMember")
      ->AddArgument("me", dvObject)
      ->AddArgument("how", dvString)
      ->AddArgument("name", dvString)
      ->AddArgument("cast", dvInteger);
  f.AddMethod("memberProp")
      ->AddArgument("me", dvObject)
      ->AddArgument("cast", dvInteger)
      ->AddArgument("number", dvInteger)
      ->AddArgument("property", dvString);
  f.AddMethod("setMemberProp")
      ->AddArgument("me", dvObject)
      ->AddArgument("cast", dvInteger)
      ->AddArgument("number", dvInteger)
      ->AddArgument("property", dvString)
      ->AddArgument("value", dvObject);
  // A property of the movie (cast 0) or of a cast, set first unless value is void.
  f.AddMethod("objectProp")
      ->AddArgument("me", dvObject)
      ->AddArgument("cast", dvInteger)
      ->AddArgument("property", dvString)
      ->AddArgument("value", dvObject);
  f.AddMethod("createMember")
      ->AddArgument("me", dvObject)
      ->AddArgument("cast", dvInteger)
      ->AddArgument("number", dvInteger)
      ->AddArgument("type", dvString);
  f.AddMethod("deleteMember")
      ->AddArgument("me", dvObject)
      ->AddArgument("cast", dvInteger)
      ->AddArgument("number", dvInteger);
  f.AddMethod("assignMember")
      ->AddArgument("me", dvObject)
      ->AddArgument("cast", dvInteger)
      ->AddArgument("number", dvInteger)
      ->AddArgument("fromCast", dvInteger)
      ->AddArgument("fromNumber", dvInteger)
      ->AddArgument("flag", dvInteger);
  f.AddMethod("commands")
      ->AddArgument("me", dvObject)
      ->AddArgument("command", dvInteger)
      ->AddArgument("argument", dvInteger)
      ->AddArgument("cast", dvInteger)
      ->AddArgument("text", dvString);
  f.AddMethod("memberText")
      ->AddArgument("me", dvObject)
      ->AddArgument("cast", dvInteger)
      ->AddArgument("number", dvInteger);
  f.AddMethod("setMemberText")
      ->AddArgument("me", dvObject)
      ->AddArgument("cast", dvInteger)
      ->AddArgument("number", dvInteger)
      ->AddArgument("text", dvString);
  f.AddMethod("memberBytes")
      ->AddArgument("me", dvObject)
      ->AddArgument("cast", dvInteger)
      ->AddArgument("number", dvInteger)
      ->AddArgument("label", dvString)
      ->AddArgument("bytes", dvObject);
  f.AddMethod("composite")
      ->AddArgument("me", dvObject)
      ->AddArgument("cast", dvInteger)
      ->AddArgument("number", dvInteger);
  f.AddMethod("image")
      ->AddArgument("me", dvObject)
      ->AddArgument("cast", dvInteger)
      ->AddArgument("number", dvInteger)
      ->AddArgument("write", dvInteger);
  f.AddMethod("dictionary")
      ->AddArgument("me", dvObject)
      ->AddArgument("op", dvString)
      ->AddArgument("key", dvString)
      ->AddArgument("value", dvObject);
}

std::span<const TDXPublishedMethod> TWrapperProbe::PublishedMethods() const {
  static constexpr TDXPublishedMethod kMethods[] = {
      Publish<&TWrapperProbe::events>("events"),
      Publish<&TWrapperProbe::setTool>("setTool"),
      Publish<&TWrapperProbe::movieInfo>("movieInfo"),
      Publish<&TWrapperProbe::setFrame>("setFrame"),
      Publish<&TWrapperProbe::labelOf>("labelOf"),
      Publish<&TWrapperProbe::callHandler>("callHandler"),
      Publish<&TWrapperProbe::callHandlerFor>("callHandlerFor"),
      Publish<&TWrapperProbe::castInfo>("castInfo"),
      Publish<&TWrapperProbe::findCast>("findCast"),
      Publish<&TWrapperProbe::renameCast>("renameCast"),
      Publish<&TWrapperProbe::memberInfo>("memberInfo"),
      Publish<&TWrapperProbe::findMember>("findMember"),
      Publish<&TWrapperProbe::memberProp>("memberProp"),
      Publish<&TWrapperProbe::objectProp>("objectProp"),
      Publish<&TWrapperProbe::setMemberProp>("setMemberProp"),
      Publish<&TWrapperProbe::createMember>("createMember"),
      Publish<&TWrapperProbe::deleteMember>("deleteMember"),
      Publish<&TWrapperProbe::assignMember>("assignMember"),
      Publish<&TWrapperProbe::commands>("commands"),
      Publish<&TWrapperProbe::memberText>("memberText"),
      Publish<&TWrapperProbe::setMemberText>("setMemberText"),
      Publish<&TWrapperProbe::memberBytes>("memberBytes"),
      Publish<&TWrapperProbe::composite>("composite"),
      Publish<&TWrapperProbe::image>("image"),
      Publish<&TWrapperProbe::dictionary>("dictionary"),
  };
  return kMethods;
}

MoaMmSymbol TWrapperProbe::Symbol(const std::string& name) const {
  return NewSymbolManager()->StringToSymbol(name);
}

Ref<IDXCast> TWrapperProbe::CastAt(IDXArgList& args, std::int32_t index) {
  const Ref<IDXMovie> movie = GetMovie();
  return movie ? movie->GetCast(args.Item(index)->AsInteger()) : nullptr;
}

Ref<IDXCastMember> TWrapperProbe::MemberAt(IDXArgList& args, std::int32_t index) {
  const Ref<IDXMovie> movie = GetMovie();
  if (!movie) return nullptr;
  return movie->GetMember({args.Item(index)->AsInteger(), args.Item(index + 1)->AsInteger()});
}

void TWrapperProbe::events(IDXArgList&, IDXValue& result, bool&) {
  result.SetAsString(TakeEvents());
}

void TWrapperProbe::setTool(IDXArgList& args, IDXValue&, bool&) {
  SetToolState(args.Item(1)->AsBoolean(), args.Item(2)->AsBoolean());
}

void TWrapperProbe::movieInfo(IDXArgList&, IDXValue& result, bool&) {
  const Ref<IDXMovie> movie = GetMovie();
  if (!movie) return result.SetAsString("no movie");
  result.SetAsString(
      "frame=" + std::to_string(movie->GetFrame()) +
      " casts=" + std::to_string(movie->CastCount()) + " label5=" + movie->NameOfNumber(5) +
      " intro=" + std::to_string(movie->NumberOfName("INTRO")) +
      " missing=" + std::to_string(movie->NumberOfName("missing")) + "/" + movie->NameOfNumber(99));
}

void TWrapperProbe::setFrame(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXMovie> movie = GetMovie();
  movie->SetFrame(args.Item(1)->AsInteger());
  result.SetAsInteger(movie->GetFrame());
}

void TWrapperProbe::labelOf(IDXArgList& args, IDXValue& result, bool&) {
  result.SetAsString(GetMovie()->NameOfNumber(args.Item(1)->AsInteger()));
}

void TWrapperProbe::callHandler(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<TDXArgList> handlerArgs = MakeRef<TDXArgList>();
  handlerArgs->AddInteger(args.Item(2)->AsInteger());
  handlerArgs->AddString(std::to_string(args.Item(3)->AsInteger()));
  result.SetAsString(
      ValueText(GetMovie()->CallHandler(Symbol(args.Item(1)->AsString()), *handlerArgs)));
}

void TWrapperProbe::callHandlerFor(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<TDXArgList> handlerArgs = MakeRef<TDXArgList>();
  handlerArgs->AddInteger(args.Item(3)->AsInteger());
  result.SetAsString(ValueText(GetMovie()->CallHandlerFor(
      args.Item(1)->AsInteger(), Symbol(args.Item(2)->AsString()), *handlerArgs)));
}

void TWrapperProbe::castInfo(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXCast> cast = CastAt(args, 1);
  if (!cast) return result.SetAsString("nothing");
  const std::int32_t first = cast->QueryMemberNumberA(0);
  result.SetAsString(CastText(cast) + " used=" + std::to_string(first) + "," +
                     std::to_string(cast->QueryMemberNumberA(first)) + "," +
                     std::to_string(cast->QueryMemberNumberA(-1)) +
                     " free=" + std::to_string(cast->QueryMemberNumberB(0)) + "," +
                     std::to_string(cast->QueryMemberNumberB(1)) + "," +
                     std::to_string(cast->QueryMemberNumberB(-1)));
}

void TWrapperProbe::findCast(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXMovie> movie = GetMovie();
  const std::string& how = args.Item(1)->AsString();
  const std::string& name = args.Item(2)->AsString();
  Ref<IDXCast> cast;
  if (how == "byName") cast = movie->GetCastByName(name);
  if (how == "ofName") cast = movie->CastOfName(name, args.Item(3)->AsBoolean());
  if (how == "ofNameAndPath") cast = movie->CastOfNameAndPath(name, args.Item(3)->AsString());
  result.SetAsString(CastText(cast));
}

void TWrapperProbe::renameCast(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXCast> cast = CastAt(args, 1);
  cast->SetName(args.Item(2)->AsString());
  result.SetAsString(cast->GetName());
}

void TWrapperProbe::memberInfo(IDXArgList& args, IDXValue& result, bool&) {
  result.SetAsString(MemberText(MemberAt(args, 1)));
}

void TWrapperProbe::findMember(IDXArgList& args, IDXValue& result, bool&) {
  const std::string& how = args.Item(1)->AsString();
  const std::string& name = args.Item(2)->AsString();
  if (how == "movie") return result.SetAsString(MemberText(GetMovie()->GetMemberByName(name)));
  const Ref<IDXCast> cast = CastAt(args, 3);
  if (how == "cast") return result.SetAsString(MemberText(cast->GetMemberByName(name)));
  const std::int32_t number = cast->MemberNumberOfName(name);
  result.SetAsString(std::to_string(number) + " " + MemberText(cast->GetMember(number)));
}

void TWrapperProbe::memberProp(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXCastMember> member = MemberAt(args, 1);
  result.SetAsString(member ? ValueText(member->GetProp(Symbol(args.Item(3)->AsString())))
                            : "no member");
}

void TWrapperProbe::objectProp(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXMovie> movie = GetMovie();
  Ref<IDXObjectAccess> object = movie;
  if (movie && args.Item(1)->AsInteger() != 0) object = CastAt(args, 1);
  if (!object) return result.SetAsString("nothing");
  const MoaMmSymbol property = Symbol(args.Item(2)->AsString());
  std::string text;
  if (args.Item(3)->ValueKind() != dvVoid)
    text = std::string("set ") + Flag(object->SetProp(property, *args.Item(3))) + " ";
  result.SetAsString(text + ValueText(object->GetProp(property)));
}

void TWrapperProbe::setMemberProp(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXCastMember> member = MemberAt(args, 1);
  const std::string& property = args.Item(3)->AsString();
  if (property == "name") {
    member->SetName(args.Item(4)->AsString());
    return result.SetAsString(member->GetName());
  }
  result.SetAsString(Flag(member->SetProp(Symbol(property), *args.Item(4))));
}

void TWrapperProbe::createMember(IDXArgList& args, IDXValue& result, bool&) {
  const MoaMmSymbol type = Symbol(args.Item(3)->AsString());
  const Ref<IDXCastMember> member = CastAt(args, 1)->CreateMember(args.Item(2)->AsInteger(), type);
  if (!member) return result.SetAsString("nothing");
  const Ref<IDXValue> given = member->GetProp(Symbol("type"));
  result.SetAsString(MemberText(member) + " type " + Flag(given && given->AsSymbol() == type));
}

void TWrapperProbe::deleteMember(IDXArgList& args, IDXValue& result, bool&) {
  result.SetAsString(Flag(CastAt(args, 1)->DeleteMember(args.Item(2)->AsInteger())));
}

void TWrapperProbe::assignMember(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXCastMember> source = MemberAt(args, 3);
  Ref<IDXCastMember> assigned;
  const bool done = CastAt(args, 1)->AssignMember(args.Item(2)->AsInteger(), *source, assigned,
                                                  args.Item(5)->AsInteger());
  result.SetAsString(std::string(Flag(done)) + " " + MemberText(assigned));
}

void TWrapperProbe::commands(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXMovie> movie = GetMovie();
  const bool command = movie->MovieCommand(args.Item(1)->AsInteger(), args.Item(2)->AsInteger());
  const bool castIndex = movie->CastIndexCommand(args.Item(3)->AsInteger());
  const Ref<IDXCast> cast = CastAt(args, 3);
  const bool castCommand = cast && cast->CastCommand(args.Item(4)->AsString());
  result.SetAsString(std::string("movie=") + Flag(command) + " castIndex=" + Flag(castIndex) +
                     " cast=" + Flag(castCommand));
}

void TWrapperProbe::memberText(IDXArgList& args, IDXValue& result, bool&) {
  result.SetAsString(MemberAt(args, 1)->Media()->GetText());
}

void TWrapperProbe::setMemberText(IDXArgList& args, IDXValue& result, bool&) {
  result.SetAsString(Flag(MemberAt(args, 1)->Media()->SetText(args.Item(3)->AsString())));
}

void TWrapperProbe::memberBytes(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXCastMemberMedia> media = MemberAt(args, 1)->Media();
  const std::string& label = args.Item(3)->AsString();
  if (args.Item(4)->ValueKind() == dvString)
    return result.SetAsString(Flag(media->SetBytes(label, args.Item(4)->AsString())));
  std::string bytes = "stale";
  const bool read = media->GetBytes(label, bytes);
  result.SetAsString(std::string(Flag(read)) + " [" + bytes + "]");
}

void TWrapperProbe::composite(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXCastMemberMedia> media = MemberAt(args, 1)->Media();
  const Ref<IMoaHandleService> handles = HandleService();
  MoaHandle read = nullptr;
  std::string text = "none";
  if (media->GetComposite(read)) {
    const auto* data = static_cast<const char*>(handles->Lock(read));
    text.assign(data, handles->GetSize(read));
    handles->Unlock(read);
    handles->Free(read);
  }
  MoaHandle written = handles->Alloc(3);
  std::memcpy(handles->Lock(written), "xyz", 3);
  handles->Unlock(written);
  const bool stored = media->SetComposite(written);
  handles->Free(written);
  result.SetAsString(text + " " + Flag(stored));
}

void TWrapperProbe::image(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXCastMemberMedia> media = MemberAt(args, 1)->Media();
  if (args.Item(3)->AsBoolean()) return result.SetAsString(Flag(media->SetImage(SampleImage())));
  TDXBitmap image;
  if (!media->GetImage(image)) return result.SetAsString("no image");
  result.SetAsString(std::to_string(image.Width) + "x" + std::to_string(image.Height) + " bits " +
                     std::to_string(image.BitCount) + " top-left " + Hex(image.ColorAt(0, 0)) +
                     " bottom-right " + Hex(image.ColorAt(image.Width - 1, image.Height - 1)));
}

void TWrapperProbe::dictionary(IDXArgList& args, IDXValue& result, bool&) {
  const Ref<IDXDictionary> dictionary = GetRegistryDictionary();
  if (!dictionary) return result.SetAsString("no dictionary");
  const std::string& op = args.Item(1)->AsString();
  const std::string& key = args.Item(2)->AsString();
  const Ref<IDXValue> value = args.Item(3);
  if (op == "has") result.SetAsInteger(dictionary->HasKey(key));
  if (op == "getString") result.SetAsString(dictionary->GetString(key));
  if (op == "setString") dictionary->SetString(key, value->AsString());
  if (op == "getInteger") result.SetAsInteger(dictionary->GetInteger(key));
  if (op == "setInteger") dictionary->SetInteger(key, value->AsInteger());
}
