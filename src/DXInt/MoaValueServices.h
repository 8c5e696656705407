#pragma once

// The host's value services: values, symbols and strings; linear and property lists; colours;
// pairs. Values handed back by the host carry one reference that the receiver releases.

#include "DXInt/MoaUnknown.h"

// Point and rectangle records as the host stores them: vertical word first.
struct MoaPointRecord {
  MoaLong V;
  MoaLong H;
};
struct MoaRectRecord {
  MoaLong Top;
  MoaLong Left;
  MoaLong Bottom;
  MoaLong Right;
};
// The two words the pair service exchanges.
struct MoaPairRecord {
  MoaUlong First;
  MoaUlong Second;
};

// Type codes of host values (value service slot 5).
enum MoaValueType : MoaLong {
  kMoaValueVoid = 0,
  kMoaValueInteger = 1,
  kMoaValueSymbol = 2,
  kMoaValueString = 3,
  kMoaValueFloat = 6,
  kMoaValueList = 7,
  kMoaValuePoint = 8,
  kMoaValueRect = 9,
  kMoaValuePropertyList = 10,
  kMoaValuePair = 11,
  kMoaValueColor = 18,
};

// Colour words: a palette index below 256, or 0x01RRGGBB for a direct colour.
inline constexpr MoaUlong kMoaColorRGBFlag = 0x01000000;

class IMoaMmValue : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL StringToSymbol(const char* name, MoaMmSymbol* symbol) = 0;  // 3
  // Fills the buffer with the zero-terminated name, at most size bytes with the terminator.
  virtual MoaError MOA_CALL SymbolToString(MoaMmSymbol symbol, char* buffer, MoaLong size) = 0;
  virtual MoaError MOA_CALL ValueType(const MoaMmValue* value, MoaLong* type) = 0;  // 5
  virtual MoaError MOA_CALL ValueAddRef(const MoaMmValue* value) = 0;
  virtual MoaError MOA_CALL ValueRelease(MoaMmValue* value) = 0;
  virtual MoaError MOA_CALL ValueToInteger(const MoaMmValue* value, MoaLong* out) = 0;  // 8
  virtual MoaError MOA_CALL ValueToSymbol(const MoaMmValue* value, MoaMmSymbol* out) = 0;
  virtual MoaError MOA_CALL ValueToFloat(const MoaMmValue* value, double* out) = 0;  // 10
  // Length in bytes without the terminator.
  virtual MoaError MOA_CALL StringLength(const MoaMmValue* value, MoaLong* length) = 0;
  // Bytes and terminator, at most size bytes in all.
  virtual MoaError MOA_CALL ValueToString(const MoaMmValue* value, char* buffer,
                                          MoaLong size) = 0;  // 12
  virtual MoaError MOA_CALL Reserved13() = 0;
  virtual MoaError MOA_CALL Reserved14() = 0;
  virtual MoaError MOA_CALL ValueToPoint(const MoaMmValue* value, MoaPointRecord* out) = 0;  // 15
  virtual MoaError MOA_CALL ValueToRect(const MoaMmValue* value, MoaRectRecord* out) = 0;
  virtual MoaError MOA_CALL IntegerToValue(MoaLong integer, MoaMmValue* out) = 0;  // 17
  virtual MoaError MOA_CALL SymbolToValue(MoaMmSymbol symbol, MoaMmValue* out) = 0;
  virtual MoaError MOA_CALL FloatToValue(double number, MoaMmValue* out) = 0;
  virtual MoaError MOA_CALL StringToValue(const char* text, MoaMmValue* out) = 0;  // 20
  virtual MoaError MOA_CALL Reserved21() = 0;
  virtual MoaError MOA_CALL PointToValue(const MoaPointRecord* point, MoaMmValue* out) = 0;
  virtual MoaError MOA_CALL RectToValue(const MoaRectRecord* rect, MoaMmValue* out) = 0;  // 23

 protected:
  ~IMoaMmValue() = default;
};

// Lists. Positions count from 1.
class IMoaMmList : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL Reserved3() = 0;
  virtual MoaError MOA_CALL AppendValue(MoaMmValue* list, const MoaMmValue* value) = 0;  // 4
  // The count itself, not a result code.
  virtual MoaLong MOA_CALL CountElements(const MoaMmValue* list) = 0;
  virtual MoaError MOA_CALL GetValueByIndex(const MoaMmValue* list, MoaLong position,
                                            MoaMmValue* out) = 0;  // 6
  virtual MoaError MOA_CALL SetValueByIndex(MoaMmValue* list, MoaLong position,
                                            const MoaMmValue* value) = 0;
  virtual MoaError MOA_CALL NewPropertyList(MoaMmValue* out) = 0;  // 8
  virtual MoaError MOA_CALL AppendProperty(MoaMmValue* list, const MoaMmValue* name,
                                           const MoaMmValue* value) = 0;
  virtual MoaError MOA_CALL GetValueByProperty(const MoaMmValue* list, const MoaMmValue* name,
                                               MoaMmValue* out) = 0;  // 10
  // Fails when the list has no such property.
  virtual MoaError MOA_CALL SetValueByProperty(MoaMmValue* list, const MoaMmValue* name,
                                               const MoaMmValue* value) = 0;
  virtual MoaError MOA_CALL GetPropertyNameByIndex(const MoaMmValue* list, MoaLong position,
                                                   MoaMmValue* out) = 0;  // 12

 protected:
  ~IMoaMmList() = default;
};

class IMoaColorService : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL ValueToColor(const MoaMmValue* value, MoaUlong* color) = 0;  // 3
  virtual MoaError MOA_CALL ColorToValue(MoaUlong color, MoaMmValue* out) = 0;
  virtual MoaError MOA_CALL Reserved5() = 0;
  virtual MoaError MOA_CALL PaletteIndexToColor(std::uint8_t index, MoaUlong* color) = 0;  // 6

 protected:
  ~IMoaColorService() = default;
};

class IMoaPairService : public IMoaUnknown {
 public:
  virtual MoaError MOA_CALL ValueToPair(const MoaMmValue* value, MoaPairRecord* pair) = 0;  // 3
  virtual MoaError MOA_CALL PairToValue(const MoaPairRecord* pair, MoaMmValue* out) = 0;

 protected:
  ~IMoaPairService() = default;
};
