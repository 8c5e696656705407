#pragma once

// One XML reader measured by the load benchmark: it loads a document into a tree of its own
// (or, for an event parser, just walks it), from a text in memory or from a file on disk, writes
// its tree back as text, and drops it.

#include <memory>
#include <string>
#include <vector>

class TEngine {
 public:
  virtual ~TEngine() = default;
  virtual std::string Name() const = 0;
  // True when the engine reads our binary form instead of the XML text.
  virtual bool ReadsBinary() const { return false; }
  // Loads a document held in memory (the text, or the binary form for ReadsBinary engines).
  virtual void Load(const std::string& content) = 0;
  // Loads the file the way the engine's own API does it, reading the file included.
  virtual void LoadFile(const std::string& path) = 0;
  // Writes the loaded tree as text and returns its size; engines without a tree return 0.
  virtual std::size_t Save() { return 0; }
  virtual void Clear() = 0;
};

std::vector<std::unique_ptr<TEngine>> MakePeerEngines();
// Our library; empty until it is linked into the benchmark.
std::vector<std::unique_ptr<TEngine>> MakeOwnEngines();
// Our binary form of an XML text, or an empty string without our library.
std::string MakeOwnBinaryForm(const std::string& text);

// Every engine, ours first, in the order the report lists them.
std::vector<std::unique_ptr<TEngine>> MakeAllEngines();
