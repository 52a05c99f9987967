// The page "Format Conversion": which encoding scripts are read in, what they are written in,
// and their line ends.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/codepages.h"
#include "ui/anchoredgeometry.h"
#include "ui/mainform.h"
#include "ui/messagetext.h"
#include "ui/pagewidgets.h"

namespace nosk::ui {

void TMainForm::BuildFormatConversionPage(QWidget* page) {
  auto* source = Named(new QGroupBox(tr("Source encoding"), page), "grpP3Source");
  geometry_->Place(source, QRect(0, 0, 237, 52));
  cmbP3Source_ = Named(new QComboBox(source), "cmbP3Source");
  cmbP3Source_->setGeometry(8, 19, 221, 22);
  cmbP3Source_->addItem(tr("Detect"));
  for (const engine::CodePage& codePage : engine::LegacyCodePages()) {
    cmbP3Source_->addItem(QStringLiteral("%1 — %2").arg(
                              QString::fromUtf8(codePage.label.data(), codePage.label.size()),
                              Translated(script::Message(codePage.writing))),
                          QString::fromUtf8(codePage.name.data(), codePage.name.size()));
  }

  auto* target = Named(new QGroupBox(tr("Target encoding"), page), "grpP3Target");
  geometry_->Place(target, QRect(0, 58, 237, 56));
  rbnP3Target_[1] =
      Radio(target, "rbnP3Target1", tr("UTF-8 with mark (BOM)"), QRect(8, 16, 222, 17));
  rbnP3Target_[2] = Radio(target, "rbnP3Target2", tr("UTF-8 without mark"), QRect(8, 32, 222, 17));
  rbnP3Target_[1]->setChecked(true);

  auto* lineEnds = Named(new QGroupBox(tr("Line ends"), page), "grpP3LineEnds");
  geometry_->Place(lineEnds, QRect(0, 120, 237, 72));
  rbnP3LineEnds_[1] =
      Radio(lineEnds, "rbnP3LineEnds1", tr("Keep each line's own"), QRect(8, 16, 222, 17));
  rbnP3LineEnds_[2] =
      Radio(lineEnds, "rbnP3LineEnds2", tr("CR LF (Windows)"), QRect(8, 32, 222, 17));
  rbnP3LineEnds_[3] = Radio(lineEnds, "rbnP3LineEnds3", tr("LF (Unix)"), QRect(8, 48, 222, 17));
  rbnP3LineEnds_[1]->setChecked(true);

  // What a conversion does, where the other pages have their editors.
  auto* about = Named(new QGroupBox(tr("Conversion"), page), "grpP3About");
  geometry_->Place(about, QRect(243, 177, 461, 109), kAnchorLeft | kAnchorRight | kAnchorBottom);
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

  btnP3Preview_ = AddBottomButton(page, "btnP3Preview", tr("Preview..."), 466);
  btnP3Execute_ = AddBottomButton(page, "btnP3Execute", tr("Convert", "button"), 547);
  AddExitButton(page, "btnP3Exit");
}

void TMainForm::ReadConversionSettings() {
  settings_.SourceEncoding = cmbP3Source_->currentData().toString().toStdString();
  settings_.TargetEncodingMode = rbnP3Target_[2]->isChecked()
                                     ? engine::TargetEncoding::Utf8
                                     : engine::TargetEncoding::Utf8WithMark;
  settings_.LineEndsMode = rbnP3LineEnds_[2]->isChecked()   ? engine::LineEnds::CrLf
                           : rbnP3LineEnds_[3]->isChecked() ? engine::LineEnds::Lf
                                                            : engine::LineEnds::Keep;
}

}  // namespace nosk::ui
