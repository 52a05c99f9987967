#include "ui/pagewidgets.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/codepages.h"
#include "ui/anchoredgeometry.h"
#include "ui/messagetext.h"

namespace nosk::ui {

QPushButton* AddBottomButton(AnchoredGeometry& geometry, QWidget* page, const char* name,
                             const QString& caption, int left) {
  auto* button = Named(new QPushButton(caption, page), name);
  geometry.Place(button, QRect(left, kButtonsTop, 75, 23), kAnchorRight | kAnchorBottom);
  return button;
}

QPushButton* AddExitButton(AnchoredGeometry& geometry, QWidget* page, const char* name) {
  QPushButton* exit =
      AddBottomButton(geometry, page, name, QApplication::translate("Page", "Exit"), 628);
  exit->setToolTip(QApplication::translate("Page", "Close Nosk"));
  QObject::connect(exit, &QPushButton::clicked, qApp, &QApplication::quit);
  return exit;
}

QPlainTextEdit* AddEditor(QGroupBox* box, const char* name) {
  auto* editor = Named(new QPlainTextEdit(box), name);
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(8);
  editor->setFont(font);
  editor->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(4, 2, 4, 4);
  layout->addWidget(editor);
  return editor;
}

void AddCodePageChoices(QComboBox* choice) {
  for (const engine::CodePage& page : engine::LegacyCodePages()) {
    choice->addItem(
        QStringLiteral("%1 — %2").arg(QString::fromUtf8(page.label.data(), page.label.size()),
                                      Translated(script::Message(page.writing))),
        QString::fromUtf8(page.name.data(), page.name.size()));
  }
}

QFrame* FlatPanel(QWidget* parent, const char* name, QRect bounds) {
  auto* panel = Named(new QFrame(parent), name);
  panel->setFrameStyle(QFrame::Box | QFrame::Plain);
  panel->setGeometry(bounds);
  return panel;
}

}  // namespace nosk::ui
