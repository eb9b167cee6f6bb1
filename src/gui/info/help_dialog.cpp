#include "gui/info/help_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace edid::gui {

HelpDialog::HelpDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmHelp"));
  setWindowTitle(QStringLiteral("Help"));

  auto* brand = new QLabel(QStringLiteral("Dravellin"), this);
  brand->setObjectName(QStringLiteral("Label1"));
  QFont serif(QStringLiteral("Times New Roman"));
  serif.setStyleHint(QFont::Serif);
  serif.setPointSize(24);
  serif.setBold(true);
  brand->setFont(serif);
  brand->setAlignment(Qt::AlignCenter);

  auto* pointer = new QLabel(this);
  pointer->setObjectName(QStringLiteral("Label2"));
  pointer->setWordWrap(true);
  pointer->setText(
      QStringLiteral("For detailed information regarding the use of this program, please refer "
                     "to the VESA\u00AE (Video Electronics Standards Association) EDID (Extended "
                     "Display Identification Data Standard) Version 1.1 and Version 1.2"));

  auto* address = new QLabel(this);
  address->setObjectName(QStringLiteral("Label3"));
  address->setText(
      QStringLiteral("Video Electronics Standards Association\n"
                     "860 Hillview Court, Suite 150\n"
                     "Milpitas, CA 95035\n"
                     "USA\n"
                     "About this program: " EDID_ISSUES_URL));
  address->setAlignment(Qt::AlignCenter);

  auto* web = new QLabel(this);
  web->setObjectName(QStringLiteral("Label4"));
  web->setTextFormat(Qt::RichText);
  web->setText(QStringLiteral("<a href=\"https://vesa.org/\">https://vesa.org/</a>"));
  web->setTextInteractionFlags(Qt::TextBrowserInteraction);
  web->setOpenExternalLinks(true);
  web->setAlignment(Qt::AlignCenter);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("Command1"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(brand);
  layout->addWidget(pointer);
  layout->addSpacing(8);
  layout->addWidget(address);
  layout->addWidget(web);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addStretch();
  layout->addLayout(buttons);
  setFixedWidth(440);
}

}  // namespace edid::gui
