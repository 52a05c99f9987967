#include "script/message.h"

#include <cctype>
#include <cerrno>

#include "script/outcome.h"

namespace nosk::script {
namespace {

struct CatalogueEntry {
  MessageId id;
  std::string_view name;
  std::string_view english;
};

constexpr CatalogueEntry kCatalogue[] = {
#define NOSK_MESSAGE(id, text) {MessageId::id, #id, text},
#define NOSK_SYSTEM_ERROR(number, text)
#include NOSK_MESSAGE_CATALOGUE
#undef NOSK_SYSTEM_ERROR
#undef NOSK_MESSAGE
    {MessageId::SystemError, "SystemError", "%1"},
    {MessageId::Verbatim, "Verbatim", "%1"},
};

constexpr SystemErrorText kSystemErrors[] = {
#define NOSK_MESSAGE(id, text)
#define NOSK_SYSTEM_ERROR(number, text) {number, text},
#include NOSK_MESSAGE_CATALOGUE
#undef NOSK_SYSTEM_ERROR
#undef NOSK_MESSAGE
};

const CatalogueEntry* EntryOf(MessageId id) {
  // The catalogue lists the ids in their order, from the first after None.
  const auto index = static_cast<std::size_t>(id) - 1;
  return id == MessageId::None || index >= std::size(kCatalogue) ? nullptr : &kCatalogue[index];
}

std::string EnglishPart(const MessageArgument& argument) {
  switch (argument.kind()) {
    case MessageArgument::Kind::Text:
      return argument.text();
    case MessageArgument::Kind::Path:
      return PathText(std::filesystem::path(argument.text()));
    case MessageArgument::Kind::Number:
      return std::to_string(argument.number());
    case MessageArgument::Kind::Message:
      return English(argument.message());
  }
  return {};
}

// A text in double quotes, escaped as QuotedText escapes what it must.
std::string Quoted(std::string_view text) {
  const std::string quoted = QuotedText(text);
  return quoted.size() > text.size() && quoted.starts_with('"') ? quoted : '"' + quoted + '"';
}

void AppendCode(std::string& code, const Message& message);

void AppendCode(std::string& code, const MessageArgument& argument) {
  switch (argument.kind()) {
    case MessageArgument::Kind::Text:
      code += Quoted(argument.text());
      break;
    case MessageArgument::Kind::Path:
      code += '@' + Quoted(argument.text());
      break;
    case MessageArgument::Kind::Number:
      code += '#' + std::to_string(argument.number());
      break;
    case MessageArgument::Kind::Message:
      AppendCode(code, argument.message());
      break;
  }
}

void AppendCode(std::string& code, const Message& message) {
  code += MessageName(message.id());
  if (message.arguments().empty() && message.cause() == nullptr) return;
  code += '(';
  bool first = true;
  for (const MessageArgument& argument : message.arguments()) {
    if (!first) code += ',';
    first = false;
    AppendCode(code, argument);
  }
  if (message.cause() != nullptr) {
    if (!first) code += ',';
    code += '<';
    AppendCode(code, *message.cause());
  }
  code += ')';
}

// Reads what AppendCode wrote, from the front of `code`.
class CodeReader {
 public:
  explicit CodeReader(std::string_view code) : code_(code) {}

  std::optional<Message> ReadMessage() {
    std::size_t end = 0;
    while (end < code_.size() && (std::isalnum(static_cast<unsigned char>(code_[end])) != 0)) ++end;
    const std::optional<MessageId> id = MessageIdNamed(code_.substr(0, end));
    if (!id) return std::nullopt;
    code_.remove_prefix(end);
    Message message(*id);
    if (!Take('(')) return message;
    std::vector<MessageArgument> arguments;
    for (bool first = true; !Take(')'); first = false) {
      if (!first && !Take(',')) return std::nullopt;
      if (Take('<')) {
        std::optional<Message> cause = ReadMessage();
        if (!cause || !Take(')')) return std::nullopt;
        message = Message(*id, std::move(arguments));
        message.Because(std::move(*cause));
        return message;
      }
      std::optional<MessageArgument> argument = ReadArgument();
      if (!argument) return std::nullopt;
      arguments.push_back(std::move(*argument));
    }
    return Message(*id, std::move(arguments));
  }

  bool AtEnd() const { return code_.empty(); }

 private:
  bool Take(char c) {
    if (!code_.starts_with(c)) return false;
    code_.remove_prefix(1);
    return true;
  }

  std::optional<std::string> ReadQuoted() {
    if (!code_.starts_with('"')) return std::nullopt;
    for (std::size_t i = 1; i < code_.size(); ++i) {
      if (code_[i] == '\\') {
        ++i;
      } else if (code_[i] == '"') {
        std::string text = UnquotedText(code_.substr(0, i + 1));
        code_.remove_prefix(i + 1);
        return text;
      }
    }
    return std::nullopt;
  }

  std::optional<MessageArgument> ReadArgument() {
    if (code_.starts_with('"')) {
      std::optional<std::string> text = ReadQuoted();
      if (!text) return std::nullopt;
      return MessageArgument(std::move(*text));
    }
    if (Take('@')) {
      std::optional<std::string> path = ReadQuoted();
      if (!path) return std::nullopt;
      return MessageArgument(std::filesystem::path(*path));
    }
    if (Take('#')) {
      std::size_t end = code_.starts_with('-') ? 1 : 0;
      const std::size_t digits = end;
      while (end < code_.size() && code_[end] >= '0' && code_[end] <= '9' && end < 19) ++end;
      if (end == digits) return std::nullopt;
      const long long number = std::stoll(std::string(code_.substr(0, end)));
      code_.remove_prefix(end);
      return MessageArgument(number);
    }
    std::optional<Message> message = ReadMessage();
    if (!message) return std::nullopt;
    return MessageArgument(std::move(*message));
  }

  std::string_view code_;
};

}  // namespace

MessageArgument::MessageArgument(Message message)
    : kind_(Kind::Message), message_(std::make_shared<const Message>(std::move(message))) {}

bool MessageArgument::operator==(const MessageArgument& other) const {
  if (kind_ != other.kind_) return false;
  switch (kind_) {
    case Kind::Text:
    case Kind::Path:
      return text_ == other.text_;
    case Kind::Number:
      return number_ == other.number_;
    case Kind::Message:
      return *message_ == *other.message_;
  }
  return false;
}

Message& Message::Because(Message cause) & {
  cause_ = std::make_shared<const Message>(std::move(cause));
  return *this;
}

Message&& Message::Because(Message cause) && {
  cause_ = std::make_shared<const Message>(std::move(cause));
  return std::move(*this);
}

std::vector<MessageArgument> Message::Holes() const {
  std::vector<MessageArgument> holes = arguments_;
  if (cause_) holes.emplace_back(*cause_);
  return holes;
}

bool Message::Names(const std::filesystem::path& path) const {
  for (const MessageArgument& argument : arguments_) {
    if (argument.kind() == MessageArgument::Kind::Path && argument.text() == path.native()) {
      return true;
    }
    if (argument.kind() == MessageArgument::Kind::Message && argument.message().Names(path)) {
      return true;
    }
  }
  return cause_ && cause_->Names(path);
}

bool Message::operator==(const Message& other) const {
  if (id_ != other.id_ || arguments_ != other.arguments_) return false;
  if (!cause_ || !other.cause_) return !cause_ && !other.cause_;
  return *cause_ == *other.cause_;
}

Message Joined(Message first, Message second) {
  if (second.empty()) return first;
  if (first.empty()) return second;
  return Message(MessageId::TwoNotes, {std::move(first), std::move(second)});
}

std::string_view EnglishText(MessageId id) {
  const CatalogueEntry* entry = EntryOf(id);
  return entry == nullptr ? std::string_view() : entry->english;
}

std::string_view MessageName(MessageId id) {
  const CatalogueEntry* entry = EntryOf(id);
  return entry == nullptr ? std::string_view() : entry->name;
}

std::optional<MessageId> MessageIdNamed(std::string_view name) {
  for (const CatalogueEntry& entry : kCatalogue) {
    if (entry.name == name) return entry.id;
  }
  return std::nullopt;
}

std::vector<MessageId> AllMessageIds() {
  std::vector<MessageId> ids;
  for (const CatalogueEntry& entry : kCatalogue) ids.push_back(entry.id);
  return ids;
}

std::vector<SystemErrorText> TranslatedSystemErrors() {
  return {std::begin(kSystemErrors), std::end(kSystemErrors)};
}

std::string FillHoles(std::string_view sentence, const std::vector<std::string>& parts) {
  std::string filled;
  filled.reserve(sentence.size());
  for (std::size_t i = 0; i < sentence.size(); ++i) {
    const char c = sentence[i];
    if (c == '%' && i + 1 < sentence.size() && sentence[i + 1] >= '1' && sentence[i + 1] <= '9') {
      const auto hole = static_cast<std::size_t>(sentence[i + 1] - '1');
      if (hole < parts.size()) {
        filled += parts[hole];
        ++i;
        continue;
      }
    }
    filled.push_back(c);
  }
  return filled;
}

std::string English(const Message& message) {
  if (message.empty()) return {};
  if (message.id() == MessageId::SystemError) {
    const auto& arguments = message.arguments();
    return arguments.empty() ? std::string() : ErrorText(static_cast<int>(arguments[0].number()));
  }
  std::vector<std::string> parts;
  for (const MessageArgument& hole : message.Holes()) parts.push_back(EnglishPart(hole));
  return FillHoles(EnglishText(message.id()), parts);
}

}  // namespace nosk::script

namespace nosk::script {

std::string MessageCode(const Message& message) {
  std::string code;
  AppendCode(code, message);
  return code;
}

std::optional<Message> MessageFromCode(std::string_view code) {
  CodeReader reader(code);
  std::optional<Message> message = reader.ReadMessage();
  if (!message || !reader.AtEnd()) return std::nullopt;
  return message;
}

}  // namespace nosk::script
