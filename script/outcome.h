// The result of an operation that can fail, with the reason to tell the user.
#pragma once

#include <filesystem>
#include <string>
#include <utility>

namespace nosk::script {

class [[nodiscard]] Outcome {
 public:
  static Outcome Success() { return Outcome(true, {}); }
  static Outcome Failure(std::string reason) { return Outcome(false, std::move(reason)); }

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  // Why it failed, as a sentence for the user; empty on success.
  const std::string& reason() const { return reason_; }

 private:
  Outcome(bool ok, std::string reason) : ok_(ok), reason_(std::move(reason)) {}

  bool ok_;
  std::string reason_;
};

// A path as UTF-8 text for messages.
inline std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// The system's description of an errno value ("No space left on device").
std::string ErrorText(int errorNumber);

}  // namespace nosk::script
