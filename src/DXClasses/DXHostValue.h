#pragma once

// A temporary host value the framework made: released when the scope ends, whatever happens
// in between.

#include <vector>

#include "DXInt/MoaValueServices.h"

class TDXHostValue {
 public:
  explicit TDXHostValue(IMoaMmValue& values) : values_(values) {}
  TDXHostValue(const TDXHostValue&) = delete;
  TDXHostValue& operator=(const TDXHostValue&) = delete;
  ~TDXHostValue() {
    if (filled_) values_.ValueRelease(&value_);
  }

  // The place for the host to write the value into; from now on it is released at the end.
  MoaMmValue* Receive() {
    filled_ = true;
    return &value_;
  }
  const MoaMmValue& Value() const { return value_; }

 private:
  IMoaMmValue& values_;
  MoaMmValue value_{};
  bool filled_ = false;
};

// Host values the framework made to pass arguments, zero-filled at first: all released when the
// scope ends, except places still zero (nothing was written there).
class TDXHostValueArray {
 public:
  TDXHostValueArray(IMoaMmValue& values, std::size_t count) : values_(values), array_(count) {}
  TDXHostValueArray(const TDXHostValueArray&) = delete;
  TDXHostValueArray& operator=(const TDXHostValueArray&) = delete;
  ~TDXHostValueArray() {
    for (MoaMmValue& value : array_)
      if (value.Word[0] != 0 || value.Word[1] != 0) values_.ValueRelease(&value);
  }

  MoaMmValue* Data() { return array_.data(); }
  MoaMmValue& operator[](std::size_t index) { return array_[index]; }
  std::size_t Size() const { return array_.size(); }

 private:
  IMoaMmValue& values_;
  std::vector<MoaMmValue> array_;
};
