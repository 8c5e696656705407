#include "host/HostMovie.h"

#include <algorithm>
#include <cstring>

#include "host/HostSlots.h"
#include "host/HostText.h"

namespace dxhost {

THostMovie::THostMovie(THostValues& values, THostFaults& faults, THostHandles& handles)
    : THostInterface(kIID_IMoaDrMovie),
      values_(values),
      faults_(faults),
      handles_(handles),
      properties_(values),
      commands_(*this) {
  properties_.Set("frame", values_.Integer(1));
}

MoaError MOA_CALL THostMovie::GetProp(MoaMmSymbol property, MoaMmValue* out) {
  if (MoaError fault = Check(kMovieGetProp)) return fault;
  return properties_.Get(property, out);
}

MoaError MOA_CALL THostMovie::SetProp(MoaMmSymbol property, const MoaMmValue* value) {
  if (MoaError fault = Check(kMovieSetProp)) return fault;
  if (!value) return kHostErrBadValue;
  return properties_.Set(property, *value);
}

MoaError MOA_CALL THostMovie::CallHandler(MoaMmSymbol handler, MoaLong count, MoaMmValue* args,
                                          MoaMmValue* result) {
  if (MoaError fault = Check(kMovieCallHandler)) return fault;
  if (!result || count < 0 || (count > 0 && !args)) return kHostErrBadValue;
  const auto found = handlers_.find(handler);
  if (found == handlers_.end()) return kHostErrNotFound;
  *result = found->second(std::span<const MoaMmValue>(args, std::size_t(count))).Detach();
  return kMoaOk;
}

MoaError MOA_CALL THostMovie::GetCastCount(MoaLong* count) {
  if (MoaError fault = Check(kMovieGetCastCount)) return fault;
  if (!count) return kHostErrBadValue;
  *count = MoaLong(casts_.size());
  return kMoaOk;
}

MoaError THostMovie::HandOut(MoaLong index, IMoaDrCast** cast) {
  if (!cast) return kHostErrBadValue;
  THostCast* found = Cast(index);
  if (!found) return kHostErrNotFound;
  found->AddRef();
  *cast = found;
  return kMoaOk;
}

MoaError MOA_CALL THostMovie::GetNthCast(MoaLong index, IMoaDrCast** cast) {
  if (MoaError fault = Check(kMovieGetNthCast)) return fault;
  return faults_.AfterWork(kMovieGetNthCast, HandOut(index, cast));
}

MoaError MOA_CALL THostMovie::GetCastFromName(const char* name, IMoaDrCast** cast) {
  if (MoaError fault = Check(kMovieGetCastFromName)) return fault;
  if (!name) return kHostErrBadValue;
  return HandOut(CastNumber(name), cast);
}

MoaError MOA_CALL THostMovie::GetCastIndexFromName(const char* name, MoaLong flag, MoaLong* index) {
  if (MoaError fault = Check(kMovieGetCastIndexFromName)) return fault;
  if (!name || !index) return kHostErrBadValue;
  Record("castIndexFromName " + std::string(name) + " flag " + std::to_string(flag));
  *index = CastNumber(name);
  return *index > 0 ? kMoaOk : kHostErrNotFound;
}

MoaError MOA_CALL THostMovie::GetCastIndexFromNameAndPath(const char* name, const char* path,
                                                          MoaLong* index) {
  if (MoaError fault = Check(kMovieGetCastIndexFromNameAndPath)) return fault;
  if (!name || !path || !index) return kHostErrBadValue;
  *index = CastNumber(name, path);
  return *index > 0 ? kMoaOk : kHostErrNotFound;
}

MoaError MOA_CALL THostMovie::CastIndexCommand(MoaLong index) {
  if (MoaError fault = Check(kMovieCastIndexCommand)) return fault;
  if (!Cast(index)) return kHostErrNotFound;
  Record("castIndexCommand " + std::to_string(index));
  return kMoaOk;
}

MoaError MOA_CALL THostMovie::GetMemberRefFromName(const char* name, MoaDrMemberRef* ref) {
  if (MoaError fault = Check(kMovieGetMemberRefFromName)) return fault;
  if (!name || !ref) return kHostErrBadValue;
  for (std::size_t i = 0; i < casts_.size(); ++i) {
    if (const MoaLong number = casts_[i]->NumberNamed(name); number > 0) {
      *ref = {MoaLong(i + 1), number};
      return kMoaOk;
    }
  }
  return kHostErrNotFound;
}

MoaError MOA_CALL THostMovie::GetMemberFromRef(const MoaDrMemberRef* ref, IMoaDrCastMem** member) {
  if (MoaError fault = Check(kMovieGetMemberFromRef)) return fault;
  if (!ref || !member) return kHostErrBadValue;
  THostCast* cast = Cast(ref->Cast);
  THostCastMember* found = cast ? cast->Member(ref->Member) : nullptr;
  if (!found) return kHostErrNotFound;
  found->AddRef();
  *member = found;
  return faults_.AfterWork(kMovieGetMemberFromRef, kMoaOk);
}

MoaError MOA_CALL THostMovie::NumberOfName(const char* name, MoaLong* number) {
  if (MoaError fault = Check(kMovieNumberOfName)) return fault;
  if (!name || !number) return kHostErrBadValue;
  const auto found = labels_.find(LowerAscii(name));
  if (found == labels_.end()) return kHostErrNotFound;
  *number = found->second.second;
  return kMoaOk;
}

MoaError MOA_CALL THostMovie::NameOfNumber(MoaLong number, char* buffer, MoaLong size) {
  if (MoaError fault = Check(kMovieNameOfNumber)) return fault;
  if (!buffer || size <= 0) return kHostErrBadValue;
  for (const auto& [key, label] : labels_) {
    const auto& [name, frame] = label;
    if (frame != number) continue;
    const std::size_t count = std::min(name.size(), std::size_t(size - 1));
    std::memcpy(buffer, name.data(), count);
    buffer[count] = '\0';
    return kMoaOk;
  }
  return kHostErrNotFound;
}

MoaError MOA_CALL THostMovie::CallHandlerFor(MoaLong target, MoaMmSymbol handler, MoaLong count,
                                             MoaMmValue* args, MoaMmValue* result,
                                             MoaLong* handled) {
  if (MoaError fault = Check(kMovieCallHandlerFor)) return fault;
  if (!result || count < 1 || !args) return kHostErrBadValue;
  const std::string* name = values_.SymbolName(handler);
  Record("handlerFor " + std::to_string(target) + " " + (name ? *name : "?") + " " +
         std::to_string(count) + (values_.IsVoid(args[0]) ? " first void" : " first set"));
  if (handled) *handled = 0;
  const auto found = handlers_.find(handler);
  if (found == handlers_.end()) return kHostErrNotFound;
  *result = found->second(std::span<const MoaMmValue>(args + 1, std::size_t(count - 1))).Detach();
  if (handled) *handled = 1;
  return kMoaOk;
}

IMoaUnknown* THostMovie::FindOther(const MoaInterfaceID& iid) {
  if (iid == kIID_IMoaDrMovie2) return &commands_;
  return nullptr;
}

MoaError MOA_CALL THostMovie::TCommands::MovieCommand(MoaLong command, MoaLong argument) {
  if (MoaError fault = movie_.Faults().Check(kMovieMovieCommand)) return fault;
  movie_.Record("movieCommand " + std::to_string(command) + " " + std::to_string(argument));
  return kMoaOk;
}

THostCast& THostMovie::AddCast(std::string_view name, std::string path) {
  casts_.push_back(std::make_unique<THostCast>(*this, std::move(path)));
  casts_.back()->Properties().SetName(name);
  return *casts_.back();
}

THostCast* THostMovie::Cast(MoaLong index) {
  if (index < 1 || std::size_t(index) > casts_.size()) return nullptr;
  return casts_[std::size_t(index) - 1].get();
}

MoaLong THostMovie::IndexOf(const THostCast& cast) const {
  for (std::size_t i = 0; i < casts_.size(); ++i)
    if (casts_[i].get() == &cast) return MoaLong(i + 1);
  return 0;
}

MoaLong THostMovie::CastNumber(std::string_view name, const char* path) const {
  for (std::size_t i = 0; i < casts_.size(); ++i)
    if (SameName(casts_[i]->Properties().Name(), name) && (!path || casts_[i]->Path() == path))
      return MoaLong(i + 1);
  return 0;
}

void THostMovie::DefineHandler(std::string_view name, THostHandler handler) {
  handlers_[values_.Intern(name)] = std::move(handler);
}

void THostMovie::SetLabel(std::string_view name, MoaLong frame) {
  labels_[LowerAscii(name)] = {std::string(name), frame};
}

MoaLong THostMovie::Frame() {
  MoaMmValue frame{};
  if (properties_.Get(values_.Intern("frame"), &frame) != kMoaOk) return 0;
  const THostValue held(values_, frame);
  const THostBox* box = values_.Find(frame);
  return box && box->Type == kMoaValueInteger ? box->Integer : 0;
}

THostCastMember* THostMovie::FindMember(const IMoaDrCastMem* member) {
  for (const auto& cast : casts_)
    if (const MoaLong number = cast->NumberOf(member)) return cast->Member(number);
  return nullptr;
}

int THostMovie::OutstandingAll() const {
  int outstanding = Outstanding() + commands_.Outstanding() + ForeignReferences();
  for (const auto& cast : casts_) outstanding += cast->OutstandingAll();
  return outstanding;
}

THostProperties::THolders THostMovie::Holders() const {
  THostProperties::THolders holders;
  properties_.CollectHolders(holders);
  for (const auto& cast : casts_) cast->CollectHolders(holders);
  return holders;
}

int THostMovie::ForeignReferences() const {
  int foreign = 0;
  for (const auto& [index, held] : Holders()) {
    const auto& [value, holds] = held;
    if (const THostBox* box = values_.Find(value)) foreign += box->References - holds;
  }
  return foreign;
}

}  // namespace dxhost
