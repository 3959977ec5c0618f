#include "idf/gui/FoAutor.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmFoAutor::TfrmFoAutor(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmFoAutor"));
  setWindowTitle(QStringLiteral("Autor"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  // The texts are what a screen reader reads; their captions describe them.
  Autor = new QLabel(this);
  Autor->setObjectName(QStringLiteral("Autor"));
  Autor->setAccessibleDescription(QStringLiteral("Autores"));
  Livro = new QLabel(this);
  Livro->setObjectName(QStringLiteral("Livro"));
  Livro->setAccessibleDescription(QStringLiteral("Título"));
  QFont negrito = Livro->font();
  negrito.setBold(true);
  Livro->setFont(negrito);
  Pagina = new QLabel(this);
  Pagina->setObjectName(QStringLiteral("Pagina"));
  Pagina->setAccessibleDescription(QStringLiteral("Publicação"));
  for (QLabel* l : {Autor, Livro, Pagina}) {
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setTextFormat(Qt::PlainText);
  }
  OK = new QPushButton(QStringLiteral("&Ok"), this);
  OK->setObjectName(QStringLiteral("OK"));
  OK->setAccessibleName(QStringLiteral("Ok"));
  OK->setDefault(true);
  connect(OK, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 10, 12, 10);
  layout->addWidget(Autor);
  layout->addWidget(Livro);
  layout->addWidget(Pagina);
  layout->addStretch(1);
  layout->addWidget(OK, 0, Qt::AlignHCenter);
  OK->setFixedWidth(90);
  setFixedSize(kLargura, kAltura);
}

void TfrmFoAutor::Preencher(const QString& autores, const QString& titulo, const QString& publicacao) {
  Autor->setText(autores);
  Livro->setText(titulo);
  Pagina->setText(publicacao);
  // Long references wrap to more lines than the design height holds.
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  const int altura = layout()->heightForWidth(kLargura);
  setFixedSize(kLargura, qMax(kAltura, altura));
}

void TfrmFoAutor::Limpar() {
  for (QLabel* l : {Autor, Livro, Pagina}) l->clear();
}
