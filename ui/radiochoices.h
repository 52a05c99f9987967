// A group of radio buttons as one choice: each radio stands for a value and has a name.
#pragma once

#include <QRadioButton>
#include <QSettings>
#include <QString>
#include <optional>
#include <vector>

namespace nosk::ui {

// The radios of one choice, each tied to the value it stands for, the name its setting is saved
// by, and its number in the design (rbnP1ReplaceMode3 is 3), by which older versions saved it.
template <class Value>
class RadioChoices {
 public:
  struct Choice {
    QRadioButton* radio;
    Value value;
    const char* name;
    int number;
  };

  void Add(QRadioButton* radio, Value value, const char* name, int number) {
    choices_.push_back({radio, value, name, number});
  }

  // The value of the first checked radio; nothing when none is checked.
  std::optional<Value> Checked() const {
    for (const Choice& choice : choices_) {
      if (choice.radio->isChecked()) return choice.value;
    }
    return std::nullopt;
  }

  QRadioButton* RadioOf(Value value) const {
    for (const Choice& choice : choices_) {
      if (choice.value == value) return choice.radio;
    }
    return nullptr;
  }

  const std::vector<Choice>& Choices() const { return choices_; }

  // The checked choice, saved by its name.
  void Save(QSettings& settings, const QString& key) const {
    for (const Choice& choice : choices_) {
      if (choice.radio->isChecked()) settings.setValue(key, QString::fromLatin1(choice.name));
    }
  }

  // Checks the choice a saved setting names, by its name or by its number in the design, when
  // it is enabled; anything else is left out.
  void Restore(const QSettings& settings, const QString& key) const {
    const QVariant saved = settings.value(key);
    const QString text = saved.toString();
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    for (const Choice& choice : choices_) {
      const bool named =
          text == QString::fromLatin1(choice.name) || (isNumber && number == choice.number);
      if (named && choice.radio->isEnabled()) {
        choice.radio->setChecked(true);
        return;
      }
    }
  }

 private:
  std::vector<Choice> choices_;
};

}  // namespace nosk::ui
