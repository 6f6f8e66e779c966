#include "common/help.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/i18n.h"

namespace common {

void ShowShortcuts(QWidget* owner, const QList<ShortcutRow>& rows) {
  auto* dialog = new QDialog(owner);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setObjectName(QStringLiteral("shortcuts"));
  dialog->setWindowTitle(Tr("common", "Keyboard Shortcuts"));
  auto* table = new QTableWidget(static_cast<int>(rows.size()), 2, dialog);
  table->setHorizontalHeaderLabels({Tr("common", "Command"), Tr("common", "Keys")});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  for (int row = 0; row < rows.size(); ++row) {
    table->setItem(row, 0, new QTableWidgetItem(rows[row].command));
    table->setItem(row, 1, new QTableWidgetItem(rows[row].keys));
  }
  table->resizeColumnsToContents();
  table->horizontalHeader()->setStretchLastSection(true);
  // Every row in view, as far as the screen allows: a list to scroll hides
  // the commands it is there to show.
  const int frame = 2 * table->frameWidth();
  const int screenHeight = owner ? owner->screen()->availableGeometry().height() : 600;
  table->setMinimumSize(table->horizontalHeader()->length() + frame,
                        std::min(table->horizontalHeader()->sizeHint().height() +
                                     table->verticalHeader()->length() + frame,
                                 screenHeight * 3 / 4));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
  auto* column = new QVBoxLayout(dialog);
  column->addWidget(table);
  column->addWidget(buttons);
  dialog->resize(dialog->sizeHint().expandedTo(QSize(420, 0)));
  dialog->show();
}

void ShowAbout(QWidget* owner, const QString& name, const QString& sentence) {
  auto* box = new QMessageBox(owner);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setObjectName(QStringLiteral("about"));
  box->setWindowTitle(Tr("common", "About %1").arg(name));
  // The installed menu icon, or the window's own where there is none.
  const QIcon icon =
      QIcon::fromTheme(QGuiApplication::desktopFileName(), owner ? owner->windowIcon() : QIcon());
  if (!icon.isNull()) box->setIconPixmap(icon.pixmap(64, 64));
  box->setText(QStringLiteral("<b>%1 %2</b>")
                   .arg(name.toHtmlEscaped(), QCoreApplication::applicationVersion()));
  box->setInformativeText(sentence + QStringLiteral("\n\n") + Tr("common", "Licence: MIT") + u'\n' +
                          Tr("common", "Qt version: %1").arg(QString::fromLatin1(qVersion())));
  box->setStandardButtons(QMessageBox::Close);
  box->show();
}

}  // namespace common
