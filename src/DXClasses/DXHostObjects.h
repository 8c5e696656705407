#pragma once

// The framework's view of the host's movie, casts, members, member media and streams: Xtra
// code reaches them in terms of strings, integers and values. A lookup the host refuses gives
// an empty reference or false and raises nothing; the streams raise EDXStreamException.

#include <string_view>

#include "DXClasses/DXInterfaces.h"
#include "DXGraphics/DXBitmap.h"
#include "DXInt/MoaDirector.h"

// A cast member: the number of its cast in the movie and its number in the cast.
struct TDXMemberRef {
  std::int32_t Cast = 0;
  std::int32_t Member = 0;
  friend bool operator==(const TDXMemberRef&, const TDXMemberRef&) = default;
};

class IDXCast;
class IDXCastMember;
class IDXCastMemberMedia;
class TDXMovie;
class TDXCast;
class TDXCastMember;

// A host object's properties by symbol: the movie's, a cast's, a member's.
class IDXObjectAccess : public TRefCounted {
 public:
  // Empty when the host refuses.
  virtual Ref<IDXValue> GetProp(MoaMmSymbol property) const = 0;
  // False when the host refuses.
  virtual bool SetProp(MoaMmSymbol property, const IDXValue& value) = 0;
};

class IDXMovie : public IDXObjectAccess {
 public:
  virtual std::int32_t GetFrame() const = 0;
  virtual void SetFrame(std::int32_t frame) = 0;
  virtual std::int32_t NumberOfName(const std::string& name) const = 0;
  virtual std::string NameOfNumber(std::int32_t number) const = 0;
  // A movie handler's result; empty when the host refuses the call.
  virtual Ref<IDXValue> CallHandler(MoaMmSymbol handler, const IDXArgList& args) = 0;
  // A handler called for a target; the value the host left, whatever it answered.
  virtual Ref<IDXValue> CallHandlerFor(std::int32_t target, MoaMmSymbol handler,
                                       const IDXArgList& args) = 0;
  // Casts count from 1.
  virtual Ref<IDXCast> GetCast(std::int32_t index) = 0;
  virtual Ref<IDXCast> GetCastByName(const std::string& name) = 0;
  virtual std::int32_t CastCount() const = 0;
  virtual Ref<IDXCastMember> GetMember(const TDXMemberRef& member) = 0;
  virtual Ref<IDXCastMember> GetMemberByName(const std::string& name) = 0;
  virtual bool MovieCommand(std::int32_t command, std::int32_t argument) = 0;
  virtual Ref<IDXCast> CastOfName(const std::string& name, bool flag) = 0;
  virtual Ref<IDXCast> CastOfNameAndPath(const std::string& name, const std::string& path) = 0;
  virtual bool CastIndexCommand(std::int32_t index) = 0;
  // The wrapper object behind the interface.
  virtual TDXMovie& MovieObject() = 0;
};

class IDXCast : public IDXObjectAccess {
 public:
  // The cast's number in the owner's active movie (0 when the host does not tell).
  virtual std::int32_t CastIndex() const = 0;
  virtual std::string GetName() const = 0;
  virtual void SetName(const std::string& name) = 0;
  virtual Ref<IDXCastMember> GetMember(std::int32_t number) = 0;
  virtual Ref<IDXCastMember> GetMemberByName(const std::string& name) = 0;
  // Used member numbers (A) and free ones (B): for n = 0 the first, for n > 0 the next after
  // n, for n < 0 the last.
  virtual std::int32_t QueryMemberNumberA(std::int32_t n) const = 0;
  virtual std::int32_t QueryMemberNumberB(std::int32_t n) const = 0;
  virtual std::int32_t MemberNumberOfName(const std::string& name) const = 0;
  // The new member, or empty when the host refuses.
  virtual Ref<IDXCastMember> CreateMember(std::int32_t number, MoaMmSymbol type) = 0;
  virtual bool DeleteMember(std::int32_t number) = 0;
  // Member number becomes a copy of source; assigned receives it.
  virtual bool AssignMember(std::int32_t number, IDXCastMember& source,
                            Ref<IDXCastMember>& assigned, std::int32_t flag) = 0;
  virtual bool CastCommand(const std::string& text) = 0;
  virtual TDXCast& CastObject() = 0;
};

class IDXCastMember : public IDXObjectAccess {
 public:
  virtual std::string GetName() const = 0;
  virtual void SetName(const std::string& name) = 0;
  virtual TDXMemberRef MemberRef() const = 0;
  virtual Ref<IDXCastMemberMedia> Media() = 0;
  virtual TDXCastMember& MemberObject() = 0;
};

// A member's media, by label and format. Handles read are the caller's to free through the
// host's handle service; handles written stay the caller's.
class IDXCastMemberMedia : public TRefCounted {
 public:
  virtual bool GetMedia(MoaMmSymbol label, MoaMmSymbol format, MoaHandle& media) = 0;
  virtual bool SetMedia(MoaMmSymbol label, MoaMmSymbol format, MoaHandle media) = 0;
  virtual bool GetComposite(MoaHandle& media) = 0;
  virtual bool SetComposite(MoaHandle media) = 0;
  // The bytes of the media of label; false (bytes emptied) when anything fails.
  virtual bool GetBytes(std::string_view label, std::string& bytes) = 0;
  virtual bool SetBytes(std::string_view label, std::string_view bytes) = 0;
  // The "Text" media without the zero byte it ends with.
  virtual std::string GetText() = 0;
  virtual bool SetText(std::string_view text) = 0;
  // The "Image" media as a device-independent bitmap.
  virtual bool GetImage(TDXBitmap& image) = 0;
  virtual bool SetImage(const TDXBitmap& image) = 0;
};

// Reading what a write stream wrote: integers little-endian as stored in memory; a string as a
// 16-bit length and its bytes.
class IDXReadStream : public TRefCounted {
 public:
  virtual std::uint8_t ReadByte() = 0;
  // All count bytes into buffer; raises when they cannot be read.
  virtual bool Read(void* buffer, std::int32_t count) = 0;
  virtual double ReadFloat() = 0;
  virtual std::int32_t ReadInteger() = 0;
  virtual std::string ReadString() = 0;
  virtual std::uint16_t ReadWord() = 0;
};

class IDXWriteStream : public TRefCounted {
 public:
  // Bytes written (or counted) so far.
  virtual std::int32_t Total() const = 0;
  virtual void WriteByte(std::uint8_t value) = 0;
  // Raises when the bytes cannot be written.
  virtual bool Write(const void* buffer, std::int32_t count) = 0;
  virtual void WriteFloat(double value) = 0;
  virtual void WriteInteger(std::int32_t value) = 0;
  // At most 65535 bytes: a longer text raises, nothing of it written.
  virtual void WriteString(std::string_view value) = 0;
  virtual void WriteWord(std::uint16_t value) = 0;
};
