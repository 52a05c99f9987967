// A check of a script's content: its SHA-256.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "script/bytesink.h"

namespace nosk::engine {

// The SHA-256 of some bytes. Strong: nobody can make other content with the same check, so a
// check that matches means the content is the very one checked before.
struct ContentHash {
  std::array<unsigned char, 32> bytes{};
  bool known = false;

  // "sha256:" and 64 hexadecimal digits, as the journal writes it.
  std::string Text() const;
  // Reads what Text wrote; an unknown hash for anything else.
  static ContentHash FromText(std::string_view text);
  bool operator==(const ContentHash&) const = default;
};

// Computes a ContentHash from bytes given piece by piece.
class ContentHasher {
 public:
  ContentHasher();
  ~ContentHasher();
  ContentHasher(const ContentHasher&) = delete;
  ContentHasher& operator=(const ContentHasher&) = delete;

  void Update(std::string_view bytes);
  // The hash of everything given; the hasher starts afresh.
  ContentHash Finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The hash of one piece of bytes.
ContentHash HashOf(std::string_view bytes);

// Passes bytes on to another sink, or to none, and hashes them on the way.
class HashingSink : public script::ByteSink {
 public:
  explicit HashingSink(script::ByteSink* next) : next_(next) {}
  bool Write(std::string_view bytes) override;
  ContentHash Finish() { return hasher_.Finish(); }

 private:
  script::ByteSink* next_;
  ContentHasher hasher_;
};

}  // namespace nosk::engine
