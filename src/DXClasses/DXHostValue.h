#pragma once

// A temporary host value the framework made: released when the scope ends, whatever happens
// in between.

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
