#include "ui/messagetext.h"

#include <QCoreApplication>
#include <string>
#include <vector>

#include "script/outcome.h"

namespace nosk::ui {
namespace {

// Where the window's translations of the engine's sentences are: the catalogue's context.
constexpr const char* kContext = "EngineText";

QString Part(const script::MessageArgument& argument) {
  switch (argument.kind()) {
    case script::MessageArgument::Kind::Text:
      return QString::fromStdString(argument.text());
    case script::MessageArgument::Kind::Path:
      return QString::fromStdString(script::PathText(std::filesystem::path(argument.text())));
    case script::MessageArgument::Kind::Number:
      return QString::number(argument.number());
    case script::MessageArgument::Kind::Message:
      return Translated(argument.message());
  }
  return {};
}

}  // namespace

QString Translated(const script::Message& message) {
  if (message.empty()) return {};
  if (message.id() == script::MessageId::SystemError ||
      message.id() == script::MessageId::Verbatim) {
    // The system's words, or a text given whole: translated where the catalogue has them.
    const std::string text = script::English(message);
    return QCoreApplication::translate(kContext, text.c_str());
  }
  const QString sentence =
      QCoreApplication::translate(kContext, std::string(script::EnglishText(message.id())).c_str());
  std::vector<std::string> parts;
  for (const script::MessageArgument& hole : message.Holes()) {
    parts.push_back(Part(hole).toStdString());
  }
  return QString::fromStdString(script::FillHoles(sentence.toStdString(), parts));
}

}  // namespace nosk::ui
