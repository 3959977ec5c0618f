#pragma once
// What the report windows share: the toolbar buttons with the caption under
// the icon, and printing with a page range that defaults to the whole page.
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QString>
#include <QToolBar>
#include <QToolButton>

namespace toolkit::gui {

// The last page a report offers; without a range chosen every page prints.
inline constexpr int kUltimaPaginaRelatorio = 9999;

// A button added to a report's toolbar; its accessible name is the caption
// without the access-key mark.
inline QToolButton* BotaoDeRelatorio(QToolBar* barra, const char* nome, const QString& texto,
                                     const QString& dica, const QImage& icone) {
  auto* b = new QToolButton(barra);
  b->setObjectName(QLatin1String(nome));
  b->setText(texto);
  b->setToolTip(dica);
  b->setAccessibleName(QString(texto).remove(QLatin1Char('&')));
  b->setIcon(QIcon(QPixmap::fromImage(icone)));
  b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  b->setAutoRaise(true);
  b->setMinimumSize(48, 36);
  barra->addWidget(b);
  return b;
}

// The print dialog over pai, with a page range. False when cancelled.
inline bool EscolherImpressao(QPrinter& impressora, QWidget* pai) {
  QPrintDialog dialogo(&impressora, pai);
  dialogo.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialogo.setMinMax(1, kUltimaPaginaRelatorio);
  return dialogo.exec() == QDialog::Accepted;
}

// Without a page range chosen, the printer is set to print every page.
inline void PaginasDoRelatorio(QPrinter& impressora) {
  if (impressora.printRange() != QPrinter::PageRange) impressora.setFromTo(1, kUltimaPaginaRelatorio);
}

}  // namespace toolkit::gui
