#pragma once

// The host's movie, casts, cast members, handles and streams.

#include <cstddef>

#include "DXInt/MoaReserved.h"
#include "DXInt/MoaValueServices.h"

// A cast member: the number of its cast in the movie, and its number in the cast.
struct MoaDrMemberRef {
  MoaLong Cast;
  MoaLong Member;
};
static_assert(sizeof(MoaDrMemberRef) == 8);

// A block of memory the host's handle service manages.
using MoaHandle = void*;

// Media of a member: which part (label) in which format, and the handle holding it. The host
// hands out a new handle on a read, which the reader frees; on a write it copies the handle.
struct MoaDrMediaInfo {
  MoaMmSymbol Label;
  MoaMmSymbol Format;
  MoaHandle Media;
  MoaLong Reserved[3];  // zero
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(MoaDrMediaInfo) == 24);
static_assert(offsetof(MoaDrMediaInfo, Media) == 8);
#endif

// Properties by symbol, the first two operations of movies, casts, members and of the
// objects of the asset and sprite kinds. A value read comes with one reference.
class IMoaPropertyAccess : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL GetProp(MoaMmSymbol property, MoaMmValue* out) = 0;  // 3
  virtual MoaError MOA_CALL SetProp(MoaMmSymbol property, const MoaMmValue* value) = 0;

 protected:
  ~IMoaPropertyAccess() = default;
};

class IMoaDrCast;
class IMoaDrCastMem;

class IMoaDrMovie : public IMoaPropertyAccess {
 public:
  MOA_RESERVED_SLOT(5);
  MOA_RESERVED_SLOT(6);
  MOA_RESERVED_SLOT(7);
  // Calls a movie handler with count arguments; the result comes with one reference.
  virtual MoaError MOA_CALL CallHandler(MoaMmSymbol handler, MoaLong count, MoaMmValue* args,
                                        MoaMmValue* result) = 0;  // 8
  virtual MoaError MOA_CALL GetCastCount(MoaLong* count) = 0;
  // Casts count from 1; the cast comes with one reference.
  virtual MoaError MOA_CALL GetNthCast(MoaLong index, IMoaDrCast** cast) = 0;  // 10
  virtual MoaError MOA_CALL GetCastFromName(const char* name, IMoaDrCast** cast) = 0;
  MOA_RESERVED_SLOT(12);
  virtual MoaError MOA_CALL GetCastIndexFromName(const char* name, MoaLong flag,
                                                 MoaLong* index) = 0;  // 13
  virtual MoaError MOA_CALL GetCastIndexFromNameAndPath(const char* name, const char* path,
                                                        MoaLong* index) = 0;
  virtual MoaError MOA_CALL CastIndexCommand(MoaLong index) = 0;  // 15
  virtual MoaError MOA_CALL GetMemberRefFromName(const char* name, MoaDrMemberRef* ref) = 0;
  // The member comes with one reference.
  virtual MoaError MOA_CALL GetMemberFromRef(const MoaDrMemberRef* ref,
                                             IMoaDrCastMem** member) = 0;  // 17
  MOA_RESERVED_SLOT(18);
  MOA_RESERVED_SLOT(19);
  MOA_RESERVED_SLOT(20);
  virtual MoaError MOA_CALL NumberOfName(const char* name, MoaLong* number) = 0;  // 21
  // The name, zero-terminated, at most size bytes in all.
  virtual MoaError MOA_CALL NameOfNumber(MoaLong number, char* buffer, MoaLong size) = 0;
  MOA_RESERVED_SLOT(23);
  MOA_RESERVED_SLOT(24);
  MOA_RESERVED_SLOT(25);
  // Calls a handler for a target; element 0 of args is the host's to fill.
  virtual MoaError MOA_CALL CallHandlerFor(MoaLong target, MoaMmSymbol handler, MoaLong count,
                                           MoaMmValue* args, MoaMmValue* result,
                                           MoaLong* handled) = 0;  // 26

 protected:
  ~IMoaDrMovie() = default;
};

// The movie's second interface; only its command slot is used.
class IMoaDrMovie2 : public IMoaUnknown {
 public:
  MOA_RESERVED_SLOT(3);
  MOA_RESERVED_SLOT(4);
  MOA_RESERVED_SLOT(5);
  MOA_RESERVED_SLOT(6);
  MOA_RESERVED_SLOT(7);
  MOA_RESERVED_SLOT(8);
  MOA_RESERVED_SLOT(9);
  MOA_RESERVED_SLOT(10);
  MOA_RESERVED_SLOT(11);
  MOA_RESERVED_SLOT(12);
  MOA_RESERVED_SLOT(13);
  MOA_RESERVED_SLOT(14);
  MOA_RESERVED_SLOT(15);
  MOA_RESERVED_SLOT(16);
  MOA_RESERVED_SLOT(17);
  MOA_RESERVED_SLOT(18);
  MOA_RESERVED_SLOT(19);
  MOA_RESERVED_SLOT(20);
  MOA_RESERVED_SLOT(21);
  MOA_RESERVED_SLOT(22);
  MOA_RESERVED_SLOT(23);
  MOA_RESERVED_SLOT(24);
  MOA_RESERVED_SLOT(25);
  MOA_RESERVED_SLOT(26);
  MOA_RESERVED_SLOT(27);
  MOA_RESERVED_SLOT(28);
  virtual MoaError MOA_CALL MovieCommand(MoaLong command, MoaLong argument) = 0;  // 29

 protected:
  ~IMoaDrMovie2() = default;
};

class IMoaDrCast : public IMoaPropertyAccess {
 public:
  // The cast's number in the given movie.
  virtual MoaError MOA_CALL GetIndex(IMoaDrMovie* movie, MoaLong* index) = 0;  // 5
  // Numbers of used members: the first, the next after a number, the last.
  virtual MoaError MOA_CALL FirstUsedMember(MoaLong* number) = 0;
  virtual MoaError MOA_CALL NextUsedMember(MoaLong after, MoaLong* number) = 0;
  virtual MoaError MOA_CALL LastUsedMember(MoaLong* number) = 0;  // 8
  // The same for free member numbers.
  virtual MoaError MOA_CALL FirstFreeMember(MoaLong* number) = 0;
  virtual MoaError MOA_CALL NextFreeMember(MoaLong after, MoaLong* number) = 0;  // 10
  virtual MoaError MOA_CALL LastFreeMember(MoaLong* number) = 0;
  virtual MoaError MOA_CALL MemberNumberOfName(const char* name, MoaLong* number) = 0;  // 12
  MOA_RESERVED_SLOT(13);
  virtual MoaError MOA_CALL CreateMember(MoaLong number, MoaMmSymbol type) = 0;  // 14
  virtual MoaError MOA_CALL DeleteMember(MoaLong number) = 0;
  // Member number becomes a copy of source.
  virtual MoaError MOA_CALL AssignMember(MoaLong number, IMoaDrCastMem* source,
                                         MoaLong flag) = 0;  // 16
  virtual MoaError MOA_CALL CastCommand(const char* text) = 0;

 protected:
  ~IMoaDrCast() = default;
};

class IMoaDrCastMem : public IMoaPropertyAccess {
 public:
  // Fills info.Media with a new handle of the media (label, format) of info.
  virtual MoaError MOA_CALL GetMedia(MoaDrMediaInfo* info) = 0;  // 5
  virtual MoaError MOA_CALL SetMedia(const MoaDrMediaInfo* info) = 0;

 protected:
  ~IMoaDrCastMem() = default;
};

class IMoaHandleService : public IMoaUnknown {
 public:
  // A new handle of size bytes, or null.
  virtual MoaHandle MOA_CALL Alloc(MoaUlong size) = 0;  // 3
  MOA_RESERVED_SLOT(4);
  virtual void MOA_CALL Free(MoaHandle handle) = 0;  // 5
  virtual MoaUlong MOA_CALL GetSize(MoaHandle handle) = 0;
  MOA_RESERVED_SLOT(7);
  virtual void* MOA_CALL Lock(MoaHandle handle) = 0;  // 8
  virtual void MOA_CALL Unlock(MoaHandle handle) = 0;

 protected:
  ~IMoaHandleService() = default;
};

// A stream the host opens for an Xtra to save into or load from.
class IMoaStream : public IMoaUnknown {
 public:
  MOA_RESERVED_SLOT(3);
  MOA_RESERVED_SLOT(4);
  // All count bytes, or a failure; actual (may be null) receives the count moved.
  virtual MoaError MOA_CALL Read(void* buffer, MoaLong count, MoaLong* actual) = 0;  // 5
  MOA_RESERVED_SLOT(6);
  virtual MoaError MOA_CALL Write(const void* buffer, MoaLong count, MoaLong* actual) = 0;  // 7

 protected:
  ~IMoaStream() = default;
};
