#include "DXClasses/DXCast.h"

#include "DXClasses/DXCastMember.h"
#include "DXClasses/DXHostProperty.h"
#include "DXClasses/DXMovie.h"

Ref<IDXValue> TDXCast::GetProp(MoaMmSymbol property) const {
  return GetHostProperty(owner_.ValueService().Get(), *cast_, property);
}

bool TDXCast::SetProp(MoaMmSymbol property, const IDXValue& value) {
  return SetHostProperty(owner_.ValueService().Get(), *cast_, property, value);
}

std::int32_t TDXCast::CastIndex() const {
  const Ref<IDXMovie> movie = owner_.GetMovie();
  MoaLong index = 0;
  cast_->GetIndex(movie ? &movie->MovieObject().HostMovie() : nullptr, &index);
  return index;
}

std::string TDXCast::GetName() const {
  return GetHostName(owner_.ValueService().Get(), *cast_);
}

void TDXCast::SetName(const std::string& name) {
  SetHostName(owner_.ValueService().Get(), *cast_, name);
}

Ref<IDXCastMember> TDXCast::GetMember(std::int32_t number) {
  const Ref<IDXMovie> movie = owner_.GetMovie();
  return movie ? movie->GetMember({CastIndex(), number}) : nullptr;
}

Ref<IDXCastMember> TDXCast::GetMemberByName(const std::string& name) {
  MoaLong number = 0;
  if (cast_->MemberNumberOfName(name.c_str(), &number) != kMoaOk) return nullptr;
  return GetMember(number);
}

std::int32_t TDXCast::QueryMemberNumberA(std::int32_t n) const {
  return QueryMemberNumber(n, &IMoaDrCast::FirstUsedMember, &IMoaDrCast::NextUsedMember,
                           &IMoaDrCast::LastUsedMember);
}

std::int32_t TDXCast::QueryMemberNumberB(std::int32_t n) const {
  return QueryMemberNumber(n, &IMoaDrCast::FirstFreeMember, &IMoaDrCast::NextFreeMember,
                           &IMoaDrCast::LastFreeMember);
}

std::int32_t TDXCast::QueryMemberNumber(std::int32_t n, TEnd first, TNext next, TEnd last) const {
  MoaLong number = 0;
  if (n == 0) {
    (cast_.Get()->*first)(&number);
  } else if (n > 0) {
    (cast_.Get()->*next)(n, &number);
  } else {
    (cast_.Get()->*last)(&number);
  }
  return number;
}

std::int32_t TDXCast::MemberNumberOfName(const std::string& name) const {
  MoaLong number = 0;
  cast_->MemberNumberOfName(name.c_str(), &number);
  return number;
}

Ref<IDXCastMember> TDXCast::CreateMember(std::int32_t number, MoaMmSymbol type) {
  // A refused create gives nothing, not whatever member already stands at that number: the
  // caller would take that other member for the one it asked for, and change or fill it.
  if (cast_->CreateMember(number, type) != kMoaOk) return nullptr;
  return GetMember(number);
}

bool TDXCast::DeleteMember(std::int32_t number) {
  return cast_->DeleteMember(number) == kMoaOk;
}

bool TDXCast::AssignMember(std::int32_t number, IDXCastMember& source, Ref<IDXCastMember>& assigned,
                           std::int32_t flag) {
  assigned.Reset();
  if (cast_->AssignMember(number, &source.MemberObject().HostMember(), flag) != kMoaOk)
    return false;
  assigned = GetMember(number);
  return true;
}

bool TDXCast::CastCommand(const std::string& text) {
  return cast_->CastCommand(text.c_str()) == kMoaOk;
}
