#pragma once

// One XML reader measured by the load benchmark: it loads a text into a tree of its own (or,
// for an event parser, just walks it), writes its tree back as text, and drops it.

#include <memory>
#include <string>
#include <vector>

class TEngine {
 public:
  virtual ~TEngine() = default;
  virtual std::string Name() const = 0;
  virtual void Load(const std::string& text) = 0;
  // Writes the loaded tree as text and returns its size; engines without a tree return 0.
  virtual std::size_t Save() { return 0; }
  virtual void Clear() = 0;
};

std::vector<std::unique_ptr<TEngine>> MakePeerEngines();
// Our own library; empty until it is linked into the benchmark.
std::vector<std::unique_ptr<TEngine>> MakeOwnEngines(const std::string& text);
