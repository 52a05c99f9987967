// Small helpers the window's pages are built with.
#pragma once

#include <QRadioButton>
#include <QRect>
#include <QString>

class QComboBox;
class QFrame;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;

namespace nosk::ui {

class AnchoredGeometry;

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

// Where the buttons at the bottom right of a page begin, as designed.
inline constexpr int kButtonsTop = 292;

// A button of the row at the bottom right of a page.
QPushButton* AddBottomButton(AnchoredGeometry& geometry, QWidget* page, const char* name,
                             const QString& caption, int left);
// The page's "Exit", which ends the program.
QPushButton* AddExitButton(AnchoredGeometry& geometry, QWidget* page, const char* name);
// A plain-text editor for event lines, filling a group box.
QPlainTextEdit* AddEditor(QGroupBox* box, const char* name);
// Adds the legacy code pages a script may be in to a choice, each with the name iconv knows it
// by as its data: "Windows-1251 — Cyrillic".
void AddCodePageChoices(QComboBox* choice);
// A box with a flat border, holding a column of radio buttons.
QFrame* FlatPanel(QWidget* parent, const char* name, QRect bounds);

}  // namespace nosk::ui
