// Small helpers the window's pages are built with.
#pragma once

#include <QRadioButton>
#include <QRect>
#include <QString>

namespace nosk::ui {

// A widget with its design name as its object name, so that tests find it.
template <class Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

inline QRadioButton* Radio(QWidget* parent, const char* name, const QString& caption,
                           QRect bounds) {
  auto* radio = Named(new QRadioButton(caption, parent), name);
  radio->setGeometry(bounds);
  return radio;
}

}  // namespace nosk::ui
