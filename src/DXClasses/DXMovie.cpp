#include "DXClasses/DXMovie.h"

#include "DXClasses/DXCast.h"
#include "DXClasses/DXCastMember.h"
#include "DXClasses/DXHostInterface.h"
#include "DXClasses/DXHostProperty.h"
#include "DXClasses/DXHostValue.h"
#include "DXInt/MoaIdentifiers.h"

namespace {

constexpr MoaLong kNameBufferSize = 64;

// The items of an argument list written into host values from place first on.
void WriteArguments(IMoaMmValue& values, const IDXArgList& args, TDXHostValueArray& array,
                    std::size_t first) {
  for (std::int32_t k = 0; k < args.Count(); ++k)
    WriteValueToHost(*args.Item(k), values, array[first + std::size_t(k)]);
}

Ref<IDXValue> ReadResult(IMoaMmValue& values, const TDXHostValue& result) {
  const Ref<TDXValue> value = MakeRef<TDXValue>();
  value->ReadFromHost(values, result.Value());
  return value;
}

}  // namespace

Ref<IDXValue> TDXMovie::GetProp(MoaMmSymbol property) const {
  return GetHostProperty(owner_.ValueService().Get(), *movie_, property);
}

bool TDXMovie::SetProp(MoaMmSymbol property, const IDXValue& value) {
  return SetHostProperty(owner_.ValueService().Get(), *movie_, property, value);
}

std::int32_t TDXMovie::GetFrame() const {
  const Ref<IMoaMmValue> values = owner_.ValueService();
  if (!values) return 0;
  const Ref<TDXValue> frame = GetHostProperty(*values, *movie_, ModuleFrameSymbols().Frame);
  return frame ? frame->AsInteger() : 0;
}

void TDXMovie::SetFrame(std::int32_t frame) {
  const Ref<IMoaMmValue> values = owner_.ValueService();
  if (!values) return;
  TDXValue value;
  value.SetAsInteger(frame);
  SetHostProperty(*values, *movie_, ModuleFrameSymbols().Frame, value);
}

std::int32_t TDXMovie::NumberOfName(const std::string& name) const {
  MoaLong number = 0;
  movie_->NumberOfName(name.c_str(), &number);
  return number;
}

std::string TDXMovie::NameOfNumber(std::int32_t number) const {
  char buffer[kNameBufferSize + 1] = {};
  movie_->NameOfNumber(number, buffer, kNameBufferSize);
  return buffer;  // the last byte is never written: always terminated
}

Ref<IDXValue> TDXMovie::CallHandler(MoaMmSymbol handler, const IDXArgList& args) {
  const Ref<IMoaMmValue> values = owner_.ValueService();
  if (!values) return nullptr;
  TDXHostValueArray array(*values, std::size_t(args.Count()));
  WriteArguments(*values, args, array, 0);
  TDXHostValue result(*values);
  if (movie_->CallHandler(handler, args.Count(), array.Data(), result.Receive()) != kMoaOk)
    return nullptr;
  return ReadResult(*values, result);
}

Ref<IDXValue> TDXMovie::CallHandlerFor(std::int32_t target, MoaMmSymbol handler,
                                       const IDXArgList& args) {
  const Ref<IMoaMmValue> values = owner_.ValueService();
  if (!values) return nullptr;
  // Place 0 is the host's.
  TDXHostValueArray array(*values, std::size_t(args.Count()) + 1);
  WriteArguments(*values, args, array, 1);
  TDXHostValue result(*values);
  MoaLong handled = 0;
  movie_->CallHandlerFor(target, handler, args.Count() + 1, array.Data(), result.Receive(),
                         &handled);
  return ReadResult(*values, result);
}

Ref<IDXCast> TDXMovie::WrapCast(IMoaDrCast* cast) {
  if (!cast) return nullptr;
  return MakeRef<TDXCast>(owner_, Ref<IMoaDrCast>::Adopt(cast));
}

// A host may hand back an interface together with a failure code. That interface carries a
// reference all the same: it is taken over here and given back, so that a refused lookup
// neither yields the interface nor keeps the host's object alive for good.
Ref<IDXCast> TDXMovie::GetCast(std::int32_t index) {
  IMoaDrCast* cast = nullptr;
  const MoaError result = movie_->GetNthCast(index, &cast);
  Ref<IDXCast> wrapped = WrapCast(cast);
  return result == kMoaOk ? wrapped : nullptr;
}

Ref<IDXCast> TDXMovie::GetCastByName(const std::string& name) {
  IMoaDrCast* cast = nullptr;
  movie_->GetCastFromName(name.c_str(), &cast);
  return WrapCast(cast);
}

std::int32_t TDXMovie::CastCount() const {
  MoaLong count = 0;
  movie_->GetCastCount(&count);
  return count;
}

Ref<IDXCastMember> TDXMovie::GetMember(const TDXMemberRef& member) {
  const MoaDrMemberRef ref{member.Cast, member.Member};
  IMoaDrCastMem* found = nullptr;
  const MoaError result = movie_->GetMemberFromRef(&ref, &found);
  // Held before the result is looked at: a member handed back with a failure code is given
  // back too (see GetCast).
  Ref<IMoaDrCastMem> held = Ref<IMoaDrCastMem>::Adopt(found);
  if (result != kMoaOk || !held) return nullptr;
  return MakeRef<TDXCastMember>(owner_, std::move(held), member);
}

Ref<IDXCastMember> TDXMovie::GetMemberByName(const std::string& name) {
  MoaDrMemberRef ref{};
  if (movie_->GetMemberRefFromName(name.c_str(), &ref) != kMoaOk) return nullptr;
  return GetMember({ref.Cast, ref.Member});
}

bool TDXMovie::MovieCommand(std::int32_t command, std::int32_t argument) {
  const Ref<IMoaDrMovie2> movie = QueryHostInterface<IMoaDrMovie2>(movie_.Get(), kIID_IMoaDrMovie2);
  return movie && movie->MovieCommand(command, argument) == kMoaOk;
}

Ref<IDXCast> TDXMovie::CastOfName(const std::string& name, bool flag) {
  MoaLong index = 0;
  if (movie_->GetCastIndexFromName(name.c_str(), flag ? -1 : 0, &index) != kMoaOk) return nullptr;
  return GetCast(index);
}

Ref<IDXCast> TDXMovie::CastOfNameAndPath(const std::string& name, const std::string& path) {
  MoaLong index = 0;
  if (movie_->GetCastIndexFromNameAndPath(name.c_str(), path.c_str(), &index) != kMoaOk)
    return nullptr;
  return GetCast(index);
}

bool TDXMovie::CastIndexCommand(std::int32_t index) {
  return movie_->CastIndexCommand(index) == kMoaOk;
}
