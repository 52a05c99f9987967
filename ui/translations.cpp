#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace nosk::ui {

Translations::Translations(const QLocale& locale) {
  // Nosk's translations are embedded in the program; Qt's come with the system's Qt.
  if (own_.load(locale, QStringLiteral("nosk"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
    ownInstalled_ = QCoreApplication::installTranslator(&own_);
  }
  if (qt_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    qtInstalled_ = QCoreApplication::installTranslator(&qt_);
  }
}

Translations::~Translations() {
  if (qtInstalled_) QCoreApplication::removeTranslator(&qt_);
  if (ownInstalled_) QCoreApplication::removeTranslator(&own_);
}

}  // namespace nosk::ui
