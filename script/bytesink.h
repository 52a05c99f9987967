// Where written bytes go: a file, or memory.
#pragma once

#include <string>
#include <string_view>

namespace nosk::script {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Appends bytes; false once writing has failed.
  virtual bool Write(std::string_view bytes) = 0;
};

// Bytes gathered in memory.
class StringSink : public ByteSink {
 public:
  bool Write(std::string_view bytes) override {
    text.append(bytes);
    return true;
  }
  std::string text;
};

}  // namespace nosk::script
