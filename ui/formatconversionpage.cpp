#include "ui/formatconversionpage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/anchoredgeometry.h"
#include "ui/pagewidgets.h"

namespace nosk::ui {

using engine::LineEnds;
using engine::TargetEncoding;

FormatConversionPage::FormatConversionPage(AnchoredGeometry& geometry, QWidget* parent)
    : RunPage(parent) {
  setObjectName(QStringLiteral("pg3"));
  resize(geometry.DesignedSize());
  auto* source = Named(new QGroupBox(tr("Source encoding"), this), "grpP3Source");
  geometry.Place(source, QRect(0, 0, 237, 52));
  cmbP3Source_ = Named(new QComboBox(source), "cmbP3Source");
  cmbP3Source_->setGeometry(8, 19, 221, 22);
  cmbP3Source_->addItem(tr("Detect"));
  AddCodePageChoices(cmbP3Source_);
  cmbP3Source_->setToolTip(
      tr("The code page of scripts that are neither UTF-8 nor marked "
         "UTF-16: Detect guesses it for each script, and the Result's hint "
         "names the guess"));

  auto* target = Named(new QGroupBox(tr("Target encoding"), this), "grpP3Target");
  geometry.Place(target, QRect(0, 58, 237, 56));
  QRadioButton* withMark =
      Radio(target, "rbnP3Target1", tr("UTF-8 with mark (BOM)"), QRect(8, 16, 222, 17));
  withMark->setToolTip(tr("Write UTF-8 that begins with the mark, as players expect of .ass"));
  QRadioButton* withoutMark =
      Radio(target, "rbnP3Target2", tr("UTF-8 without mark"), QRect(8, 32, 222, 17));
  withoutMark->setToolTip(tr("Write UTF-8 without the mark"));
  targets_.Add(withMark, TargetEncoding::Utf8WithMark, "utf-8-bom", 1);
  targets_.Add(withoutMark, TargetEncoding::Utf8, "utf-8", 2);
  withMark->setChecked(true);

  auto* lineEnds = Named(new QGroupBox(tr("Line ends"), this), "grpP3LineEnds");
  geometry.Place(lineEnds, QRect(0, 120, 237, 72));
  const struct {
    const char* name;
    QString caption;
    LineEnds mode;
    const char* setting;
    QString hint;
  } lineEndRadios[] = {
      {"rbnP3LineEnds1", tr("Keep each line's own"), LineEnds::Keep, "keep",
       tr("Leave every line end as it is")},
      {"rbnP3LineEnds2", tr("CR LF (Windows)"), LineEnds::CrLf, "crlf",
       tr("End every line with CR LF")},
      {"rbnP3LineEnds3", tr("LF (Unix)"), LineEnds::Lf, "lf", tr("End every line with LF alone")},
  };
  int number = 1;
  for (const auto& radio : lineEndRadios) {
    QRadioButton* button =
        Radio(lineEnds, radio.name, radio.caption, QRect(8, 16 * number, 222, 17));
    button->setToolTip(radio.hint);
    lineEnds_.Add(button, radio.mode, radio.setting, number++);
  }
  lineEnds_.RadioOf(LineEnds::Keep)->setChecked(true);

  // What a conversion does, where the other pages have their editors.
  auto* about = Named(new QGroupBox(tr("Conversion"), this), "grpP3About");
  geometry.Place(about, QRect(243, 177, 461, 109), kAnchorLeft | kAnchorRight | kAnchorBottom);
  auto* text = Named(
      new QLabel(tr("Each checked script is written in UTF-8 with the chosen line ends, and "
                    "nothing else about it changes. UTF-8 and UTF-16 scripts are recognised; "
                    "any other is read in the source encoding. A script already in that form "
                    "gets 0 and is left alone; one whose bytes are not valid text gets Error and "
                    "is not written. Previous versions go to Nosk_backup."),
                 about),
      "lblP3About");
  text->setWordWrap(true);
  text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* layout = new QVBoxLayout(about);
  layout->setContentsMargins(8, 4, 8, 6);
  layout->addWidget(text);

  btnP3Preview_ = AddBottomButton(geometry, this, "btnP3Preview", tr("&Preview..."), 466);
  btnP3Preview_->setToolTip(tr("See what Convert would change, and apply it from there"));
  btnP3Execute_ = AddBottomButton(geometry, this, "btnP3Execute", tr("&Convert", "button"), 547);
  btnP3Execute_->setToolTip(
      tr("Convert every checked script; the previous versions go to Nosk_backup"));
  AddExitButton(geometry, this, "btnP3Exit");
  connect(btnP3Execute_, &QPushButton::clicked, this,
          [this] { emit RunClicked(engine::RunMode::Write); });
  connect(btnP3Preview_, &QPushButton::clicked, this, &FormatConversionPage::PreviewClicked);
}

bool FormatConversionPage::ReadSettings(engine::BatchSettings& settings, bool) const {
  settings.SourceEncoding = cmbP3Source_->currentData().toString().toStdString();
  settings.TargetEncodingMode = targets_.Checked().value_or(TargetEncoding::Utf8WithMark);
  settings.LineEndsMode = lineEnds_.Checked().value_or(LineEnds::Keep);
  return true;
}

void FormatConversionPage::Redraw(bool listed) {
  btnP3Execute_->setEnabled(listed);
  btnP3Preview_->setEnabled(btnP3Execute_->isEnabled());
}

void FormatConversionPage::SaveSettings(QSettings& settings) const {
  settings.setValue("convert/source", cmbP3Source_->currentData().toString());
  targets_.Save(settings, QStringLiteral("convert/target"));
  lineEnds_.Save(settings, QStringLiteral("convert/lineEnds"));
}

void FormatConversionPage::RestoreSettings(const QSettings& settings) {
  // A code page no longer offered leaves "Detect".
  if (const int source = cmbP3Source_->findData(settings.value("convert/source").toString());
      source > 0) {
    cmbP3Source_->setCurrentIndex(source);
  }
  targets_.Restore(settings, QStringLiteral("convert/target"));
  lineEnds_.Restore(settings, QStringLiteral("convert/lineEnds"));
}

engine::RunRequest FormatConversionPage::Request(const engine::BatchSettings& settings,
                                                 engine::RunMode mode) const {
  return engine::FormatConversionRequest(settings, mode);
}

QString FormatConversionPage::RunName() const { return tr("Convert"); }

}  // namespace nosk::ui
