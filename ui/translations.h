// The window's language: the system's, where Nosk has a translation for it.
#pragma once

#include <QLocale>
#include <QTranslator>

namespace nosk::ui {

// The translation of Nosk's texts, and of Qt's own (the buttons of its dialogs), into the
// language of a locale, installed in the application while this lives. English, the language of
// the sources, needs none; a language without a translation stays English.
class Translations {
 public:
  // The program passes QLocale::system(): LANGUAGE, LC_ALL, LC_MESSAGES, LANG.
  explicit Translations(const QLocale& locale);
  ~Translations();
  Translations(const Translations&) = delete;
  Translations& operator=(const Translations&) = delete;

  // Whether Nosk's own texts have a translation into the locale's language.
  bool Translated() const { return ownInstalled_; }

 private:
  QTranslator own_;
  QTranslator qt_;
  bool ownInstalled_ = false;
  bool qtInstalled_ = false;
};

}  // namespace nosk::ui
