// The result of an operation that can fail, with the reason to tell the user.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "script/message.h"

namespace nosk::script {

class [[nodiscard]] Outcome {
 public:
  static Outcome Success() { return Outcome(true, {}, false); }
  static Outcome Failure(Message reason) { return Outcome(false, std::move(reason), false); }
  // A failure serious enough that a window tells it at once, in a message box.
  static Outcome Serious(Message reason) { return Outcome(false, std::move(reason), true); }

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  // Why it failed; no message on success.
  const Message& message() const { return reason_; }
  // Why it failed, in English; empty on success.
  std::string reason() const { return English(reason_); }
  bool serious() const { return serious_; }

 private:
  Outcome(bool ok, Message reason, bool serious)
      : ok_(ok), reason_(std::move(reason)), serious_(serious) {}

  bool ok_;
  Message reason_;
  bool serious_;
};

// A path as text for messages and result lines: as it is, or, when it holds a control
// character, a double quote, a backslash or bytes that are not UTF-8, in double quotes with
// those written as git writes them (\t, \n, \", \\, \ooo ...), so that no file name can cut a
// message or forge a line of its own.
std::string PathText(const std::filesystem::path& path);
// Any text written as PathText writes a path.
std::string QuotedText(std::string_view text);
// The text that QuotedText gave `quoted`; a text not in quotes stands for itself.
std::string UnquotedText(std::string_view quoted);

// The system's description of an errno value ("No space left on device").
std::string ErrorText(int errorNumber);

}  // namespace nosk::script
