#include "script/message.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace nosk::script {
namespace {

// A message in English: each part in its hole, a path quoted as result lines quote it, the
// cause last, nested messages in turn.
TEST(Messages, AreSaidInEnglishWithTheirParts) {
  const struct {
    const char* name;
    Message message;
    std::string english;
  } cases[] = {
      {"no parts", Message(MessageId::NoFiles), "No files."},
      {"a path and a cause",
       Message(MessageId::CantReadFrom, {std::filesystem::path("/s/a.ass")})
           .Because(Message::System(ENOENT)),
       "Can't read from /s/a.ass. No such file or directory."},
      {"a cause the sentence has no hole for",
       Message(MessageId::NoFileAtPath).Because(Message(MessageId::WithReason)),
       "no file at this path"},
      {"a quoted path", Message(MessageId::SameFileAs, {std::filesystem::path("/s/a\nError.ass")}),
       "the same file as \"/s/a\\nError.ass\", which this run works on already"},
      {"numbers and nested messages",
       Message(MessageId::ShiftSummary, {"+0:00:01.50", Message(MessageId::AffectEveryScript),
                                         Message(MessageId::TimesStart)}),
       "Shift Times +0:00:01.50: every script, start times"},
      {"a part that looks like a hole", Message(MessageId::TwoNotes, {"%2 stays", "and this"}),
       "%2 stays; and this"},
      {"a line number", Message(MessageId::InvalidUtf8AfterMark, {3, "FF"}),
       "line 3: the bytes FF are not UTF-8 text, though the script begins with the UTF-8 mark; "
       "it was not converted"},
      {"none", Message(), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(English(c.message), c.english);
  }
}

// The journal keeps messages as text: what MessageCode writes reads back as the same message,
// whatever its texts and paths hold; anything else reads as no message.
TEST(Messages, ReadBackWhatTheirCodeWrote) {
  const Message messages[] = {
      Message(MessageId::NoFiles),
      Message(MessageId::ShiftSummary,
              {"-0:00:01.50", Message(MessageId::AffectRowsAfter), Message(MessageId::TimesEnd)}),
      Message(MessageId::UndoSummary, {"20261210-043512-7f3a9c0e", "2026-12-10 04:35:12 UTC"}),
      Message(MessageId::CantReadFrom, {std::filesystem::path("/s/\"a\",(b)\\c\n\xE9.ass")})
          .Because(Message::System(EACCES)),
      Message(MessageId::WithReason, {""}).Because(Message(MessageId::UnknownUser, {-1234})),
      Message::Verbatim("Shift Times +0:00:01.50: every script, start and end times"),
  };
  for (const Message& message : messages) {
    const std::string code = MessageCode(message);
    SCOPED_TRACE(code);
    EXPECT_EQ(code.find('\n'), std::string::npos);
    const std::optional<Message> read = MessageFromCode(code);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, message);
  }
  for (const char* nonsense :
       {"", "NoSuchMessage", "NoFiles(", "ShiftSummary(\"a\"", "NoFiles)", "WithReason(#)",
        "WithReason(\"a\" \"b\")", "Verbatim(\"unclosed)"}) {
    EXPECT_FALSE(MessageFromCode(nonsense)) << nonsense;
  }
}

}  // namespace
}  // namespace nosk::script
