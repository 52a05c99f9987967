#include "ui/pagewidgets.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
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

namespace {

// Ctrl+Tab puts a tab in an editor whose Tab moves the focus.
class TabInserter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
      return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Tab || key->modifiers() != Qt::ControlModifier) return false;
    if (event->type() == QEvent::ShortcutOverride) {
      event->accept();  // the editor's, not the page control's
      return true;
    }
    static_cast<QPlainTextEdit*>(watched)->insertPlainText(QStringLiteral("\t"));
    return true;
  }
};

}  // namespace

QPlainTextEdit* AddEditor(QGroupBox* box, const char* name) {
  auto* editor = Named(new QPlainTextEdit(box), name);
  // Event lines never hold a tab: Tab goes on to the next control, as in every other box.
  editor->setTabChangesFocus(true);
  editor->installEventFilter(new TabInserter(editor));
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
