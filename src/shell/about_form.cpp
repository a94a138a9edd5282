#include "shell/about_form.h"

#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

#include "shell/app_state.h"
#include "shell/program_title.h"

namespace vt::shell {

AboutPicture::AboutPicture(QWidget* parent) : QWidget(parent) {
  setObjectName("aboutPicture");
  setAccessibleName(kAboutCaption);
}

void AboutPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), Qt::white);
  QSvgRenderer drawing(QStringLiteral(":/icons/about.svg"));
  drawing.render(&painter, QRectF(rect()));

  const QRect text = rect().adjusted(150, 40, -16, 0);
  QFont title = font();
  title.setBold(true);
  // The largest size up to 18 points at which the name fits on one line.
  for (int size = 18; size >= 8; --size) {
    title.setPointSize(size);
    if (QFontMetrics(title).horizontalAdvance(kProgramTitle) <= text.width()) break;
  }
  painter.setFont(title);
  painter.setPen(QColor(0x00, 0x4d, 0x4d));
  painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, kProgramTitle);

  QFont body = font();
  body.setPointSize(10);
  painter.setFont(body);
  painter.setPen(Qt::black);
  painter.drawText(text.adjusted(0, 44, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   QStringLiteral("Version %1\n\nInvoices, customers, products,\n"
                                  "inventory, reports and labels\nfor the small business.")
                       .arg(kProgramVersion));
}

TAboutForm::TAboutForm(const AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), state_(state) {
  setObjectName("AboutForm");
  setFixedSize(kWidth, kHeight);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);

  auto* picture = new AboutPicture(this);
  picture->setGeometry(0, 0, kWidth, kHeight);

  okButton = new QPushButton(tr("OK"), this);
  okButton->setObjectName("okButton");
  okButton->setDefault(true);
  okButton->adjustSize();
  okButton->move(kWidth - okButton->width() - 12, kHeight - okButton->height() - 12);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutForm::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TAboutForm::FormShow() {
  setWindowTitle(kAboutCaption);
  okButton->setVisible(!state_.Starting);
}

}  // namespace vt::shell
