#include "DXClasses/DXCastMember.h"

#include <cstring>

#include "DXClasses/DXGuard.h"
#include "DXClasses/DXHostProperty.h"

namespace {

constexpr std::string_view kHandleFormat = "moaHandle";
constexpr std::string_view kCompositeLabel = "Composite";
constexpr std::string_view kTextLabel = "Text";
constexpr std::string_view kImageLabel = "Image";
constexpr std::string_view kImageFormat = "winDIB";

// A handle of the host's, freed when the scope ends.
class THeldHandle {
 public:
  THeldHandle(IMoaHandleService& handles, MoaHandle handle) : handles_(handles), handle_(handle) {}
  THeldHandle(const THeldHandle&) = delete;
  THeldHandle& operator=(const THeldHandle&) = delete;
  ~THeldHandle() {
    if (handle_) handles_.Free(handle_);
  }

  MoaHandle Get() const { return handle_; }

 private:
  IMoaHandleService& handles_;
  MoaHandle handle_;
};

// A handle's memory, locked for the scope.
class TLockedHandle {
 public:
  TLockedHandle(IMoaHandleService& handles, MoaHandle handle)
      : handles_(handles), handle_(handle), data_(handles.Lock(handle)) {}
  TLockedHandle(const TLockedHandle&) = delete;
  TLockedHandle& operator=(const TLockedHandle&) = delete;
  ~TLockedHandle() {
    if (data_) handles_.Unlock(handle_);
  }

  char* Data() const { return static_cast<char*>(data_); }

 private:
  IMoaHandleService& handles_;
  MoaHandle handle_;
  void* data_;
};

}  // namespace

// ---- TDXCastMember

Ref<IDXValue> TDXCastMember::GetProp(MoaMmSymbol property) const {
  return GetHostProperty(owner_.ValueService().Get(), *member_, property);
}

bool TDXCastMember::SetProp(MoaMmSymbol property, const IDXValue& value) {
  return SetHostProperty(owner_.ValueService().Get(), *member_, property, value);
}

std::string TDXCastMember::GetName() const {
  return GetHostName(owner_.ValueService().Get(), *member_);
}

void TDXCastMember::SetName(const std::string& name) {
  SetHostName(owner_.ValueService().Get(), *member_, name);
}

Ref<IDXCastMemberMedia> TDXCastMember::Media() {
  return MakeRef<TDXCastMemberMedia>(owner_, member_);
}

// ---- TDXCastMemberMedia

MoaMmSymbol TDXCastMemberMedia::Symbol(std::string_view name) const {
  const Ref<IMoaMmValue> values = owner_.ValueService();
  return values ? HostSymbol(*values, std::string(name).c_str()) : 0;
}

bool TDXCastMemberMedia::GetMedia(MoaMmSymbol label, MoaMmSymbol format, MoaHandle& media) {
  MoaDrMediaInfo info{label, format, nullptr, {}};
  if (member_->GetMedia(&info) != kMoaOk) return false;
  media = info.Media;
  return true;
}

bool TDXCastMemberMedia::SetMedia(MoaMmSymbol label, MoaMmSymbol format, MoaHandle media) {
  const MoaDrMediaInfo info{label, format, media, {}};
  return member_->SetMedia(&info) == kMoaOk;
}

bool TDXCastMemberMedia::GetComposite(MoaHandle& media) {
  return GetMedia(Symbol(kCompositeLabel), Symbol(kHandleFormat), media);
}

bool TDXCastMemberMedia::SetComposite(MoaHandle media) {
  return SetMedia(Symbol(kCompositeLabel), Symbol(kHandleFormat), media);
}

bool TDXCastMemberMedia::ReadBytes(std::string_view label, std::string_view format,
                                   std::string& bytes) {
  bytes.clear();
  const bool read = DXGuarded(false, [&] {
    const Ref<IMoaHandleService> handles = owner_.HandleService();
    MoaHandle media = nullptr;
    if (!handles || !GetMedia(Symbol(label), Symbol(format), media) || !media) return false;
    const THeldHandle held(*handles, media);
    const MoaUlong size = handles->GetSize(media);
    if (size == 0) return true;
    const TLockedHandle locked(*handles, media);
    if (!locked.Data()) return false;
    bytes.assign(locked.Data(), size);
    return true;
  });
  if (!read) bytes.clear();  // nothing of a read that failed half-way
  return read;
}

bool TDXCastMemberMedia::WriteBytes(std::string_view label, std::string_view format,
                                    std::string_view bytes) {
  const Ref<IMoaHandleService> handles = owner_.HandleService();
  if (!handles) return false;
  const THeldHandle held(*handles, handles->Alloc(MoaUlong(bytes.size())));
  if (!held.Get()) return false;
  if (!bytes.empty()) {
    const TLockedHandle locked(*handles, held.Get());
    if (!locked.Data()) return false;
    std::memcpy(locked.Data(), bytes.data(), bytes.size());
  }
  return SetMedia(Symbol(label), Symbol(format), held.Get());
}

bool TDXCastMemberMedia::GetBytes(std::string_view label, std::string& bytes) {
  return ReadBytes(label, kHandleFormat, bytes);
}

bool TDXCastMemberMedia::SetBytes(std::string_view label, std::string_view bytes) {
  return WriteBytes(label, kHandleFormat, bytes);
}

std::string TDXCastMemberMedia::GetText() {
  std::string bytes;
  // The stored text ends with a zero byte, which is not part of it.
  if (!GetBytes(kTextLabel, bytes) || bytes.empty()) return {};
  bytes.pop_back();
  return bytes;
}

bool TDXCastMemberMedia::SetText(std::string_view text) {
  std::string bytes(text);
  bytes += '\0';
  return SetBytes(kTextLabel, bytes);
}

bool TDXCastMemberMedia::GetImage(TDXBitmap& image) {
  std::string bytes;
  return ReadBytes(kImageLabel, kImageFormat, bytes) && ReadPackedBitmap(bytes, image);
}

bool TDXCastMemberMedia::SetImage(const TDXBitmap& image) {
  const std::string bytes = WritePackedBitmap(image);
  return !bytes.empty() && WriteBytes(kImageLabel, kImageFormat, bytes);
}
