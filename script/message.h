// A sentence for the user as a value: which sentence (an id of the catalogue), the parts that go
// into its holes, and what caused it. The command line and the journal render it in English; the
// window translates it by its id. A path is always a part, never a piece of a sentence's text,
// so that no file name can change which sentence it is.
#pragma once

#include <concepts>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The catalogue is included by name through a macro: the window's translation tools then read it
// as a file of its own, not as part of whatever includes this header.
#define NOSK_MESSAGE_CATALOGUE "script/messagecatalogue.h"

namespace nosk::script {

enum class MessageId : std::uint16_t {
  None,
// Qt's moc, which reads this header for the window's classes, needs no ids.
#ifndef Q_MOC_RUN
#define NOSK_MESSAGE(id, text) id,
#define NOSK_SYSTEM_ERROR(number, text)
#include NOSK_MESSAGE_CATALOGUE
#undef NOSK_SYSTEM_ERROR
#undef NOSK_MESSAGE
#endif
  // The system's words for an errno value, its one part: the English of the C library.
  SystemError,
  // A text given whole, in the language it was written in (a record of an older version).
  Verbatim,
};

class Message;

// What goes into one hole of a sentence: a text that stands as it is (a name, a label, bytes in
// hexadecimal), a path, a number, or a message of its own.
class MessageArgument {
 public:
  enum class Kind : std::uint8_t { Text, Path, Number, Message };

  MessageArgument(std::string text) : kind_(Kind::Text), text_(std::move(text)) {}
  MessageArgument(std::string_view text) : kind_(Kind::Text), text_(text) {}
  MessageArgument(const char* text) : kind_(Kind::Text), text_(text) {}
  MessageArgument(const std::filesystem::path& path) : kind_(Kind::Path), text_(path.native()) {}
  template <std::integral Number>
  MessageArgument(Number number) : kind_(Kind::Number), number_(static_cast<long long>(number)) {}
  MessageArgument(Message message);

  Kind kind() const { return kind_; }
  // A text's text; a path's bytes.
  const std::string& text() const { return text_; }
  long long number() const { return number_; }
  const Message& message() const { return *message_; }

  bool operator==(const MessageArgument& other) const;

 private:
  Kind kind_;
  std::string text_;
  long long number_ = 0;
  std::shared_ptr<const Message> message_;
};

class Message {
 public:
  // No message.
  Message() = default;
  Message(MessageId id, std::vector<MessageArgument> arguments = {})
      : id_(id), arguments_(std::move(arguments)) {}
  // The system's words for an errno value.
  static Message System(int errorNumber) { return Message(MessageId::SystemError, {errorNumber}); }
  // A text that is no sentence of the catalogue, shown as it is.
  static Message Verbatim(std::string text) {
    return Message(MessageId::Verbatim, {std::move(text)});
  }

  // The cause fills the sentence's last hole, after the parts.
  Message& Because(Message cause) &;
  Message&& Because(Message cause) &&;

  MessageId id() const { return id_; }
  bool empty() const { return id_ == MessageId::None; }
  const std::vector<MessageArgument>& arguments() const { return arguments_; }
  // What caused it, or nothing.
  const Message* cause() const { return cause_.get(); }
  // The parts and then the cause, in the order of the holes %1, %2, ...
  std::vector<MessageArgument> Holes() const;
  // Whether `path` is one of its parts, or of its cause's and nested messages'.
  bool Names(const std::filesystem::path& path) const;

  bool operator==(const Message& other) const;

 private:
  MessageId id_ = MessageId::None;
  std::vector<MessageArgument> arguments_;
  std::shared_ptr<const Message> cause_;
};

// Two things to know about one script as one message ("A; B"); either alone when the other is
// no message.
Message Joined(Message first, Message second);

// The catalogue's English sentence of an id, with holes %1, %2, ... ("%1" for the system's words
// and for a verbatim text).
std::string_view EnglishText(MessageId id);
// The catalogue's name of an id ("NoFiles"), as the journal writes messages; empty for None.
std::string_view MessageName(MessageId id);
std::optional<MessageId> MessageIdNamed(std::string_view name);
// Every id of the catalogue, for the checks that the window has each in its languages.
std::vector<MessageId> AllMessageIds();
// The English text of the errno values whose words the window translates: the C library's.
struct SystemErrorText {
  int number;
  std::string_view english;
};
std::vector<SystemErrorText> TranslatedSystemErrors();

// `sentence` with each hole %1 ... %9 filled by its part, all at once: a part that holds "%2" is
// not taken for a hole.
std::string FillHoles(std::string_view sentence, const std::vector<std::string>& parts);

// The message in English: paths quoted as PathText quotes them, numbers in decimal, causes and
// nested messages in English in turn.
std::string English(const Message& message);

// The message as one line of text that MessageFromCode reads back, for records kept on disk: ids
// by name, texts and paths quoted ("ShiftSummary(\"+0:00:01.50\",AffectEveryScript,...)").
std::string MessageCode(const Message& message);
// The message MessageCode wrote; nothing for a text that is not one, or that names an id this
// version does not know.
std::optional<Message> MessageFromCode(std::string_view code);

}  // namespace nosk::script
