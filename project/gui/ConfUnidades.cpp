#include "project/gui/ConfUnidades.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "toolkit/gui/Ajuda.h"
#include "toolkit/gui/Mensagens.h"

namespace {

const int kContextoControles = 1200;

}  // namespace

const QStringList& TFConfUnidades::Estados() {
  static const QStringList estados = [] {
    QStringList l;
    for (const std::string& nome : TUnidades::Estados()) l << QString::fromStdString(nome);
    return l;
  }();
  return estados;
}

TFConfUnidades::TFConfUnidades(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FConfUnidades"));
  setWindowTitle(QStringLiteral("Configuração do sistema"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowIcon(QApplication::windowIcon());

  Label1 = new QLabel(QStringLiteral("Unidade da &declividade:"));
  Label2 = new QLabel(QStringLiteral("Unidade da &VIB:"));
  Label3 = new QLabel(QStringLiteral("&Estado:"));
  UnidDecli = new QComboBox;
  UnidDecli->addItems({QStringLiteral("%"), QStringLiteral("m/m")});
  UnidVI = new QComboBox;
  UnidVI->addItems({QStringLiteral("m/h"), QStringLiteral("mm/h"), QStringLiteral("m/dia")});
  EstDefault = new QComboBox;
  EstDefault->addItems(Estados());
  EstDefault->setMaxVisibleItems(int(Estados().size()));
  Label1->setBuddy(UnidDecli);
  Label2->setBuddy(UnidVI);
  Label3->setBuddy(EstDefault);
  UnidDecli->setObjectName(QStringLiteral("UnidDecli"));
  UnidVI->setObjectName(QStringLiteral("UnidVI"));
  EstDefault->setObjectName(QStringLiteral("EstDefault"));

  // The original scheme stays the default so results match earlier projects.
  GrupoMetodo = new QGroupBox(QStringLiteral("Método numérico"));
  GrupoMetodo->setObjectName(QStringLiteral("GrupoMetodo"));
  GrupoMetodo->setAccessibleName(QStringLiteral("Método numérico"));
  MetodoOriginal = new QRadioButton(QStringLiteral("o&riginal"));
  MetodoOriginal->setObjectName(QStringLiteral("MetodoOriginal"));
  MetodoOriginal->setAccessibleName(QStringLiteral("Método numérico original"));
  MetodoConvergido = new QRadioButton(QStringLiteral("co&nvergido"));
  MetodoConvergido->setObjectName(QStringLiteral("MetodoConvergido"));
  MetodoConvergido->setAccessibleName(QStringLiteral("Método numérico convergido"));
  MetodoOriginal->setChecked(true);
  auto* metodos = new QHBoxLayout(GrupoMetodo);
  metodos->addWidget(MetodoOriginal);
  metodos->addWidget(MetodoConvergido);
  metodos->addStretch();

  ok = new QPushButton(QStringLiteral("&Ok"));
  ok->setDefault(true);
  Cancela = new QPushButton(QStringLiteral("&Cancelar"));
  BAjuda = new QPushButton(QStringLiteral("Aj&uda"));
  ok->setAutoDefault(true);
  Cancela->setAutoDefault(false);
  BAjuda->setAutoDefault(false);

  auto* grade = new QGridLayout;
  grade->addWidget(Label1, 0, 0);
  grade->addWidget(UnidDecli, 0, 1);
  grade->addWidget(Label2, 1, 0);
  grade->addWidget(UnidVI, 1, 1);
  grade->addWidget(Label3, 2, 0);
  grade->addWidget(EstDefault, 2, 1);
  grade->setColumnMinimumWidth(1, 170);

  auto* botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(ok);
  botoes->addWidget(Cancela);
  botoes->addWidget(BAjuda);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grade);
  layout->addWidget(GrupoMetodo);
  layout->addSpacing(8);
  layout->addLayout(botoes);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  for (QWidget* w :
       {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2), static_cast<QWidget*>(Label3),
        static_cast<QWidget*>(UnidDecli), static_cast<QWidget*>(UnidVI), static_cast<QWidget*>(EstDefault),
        static_cast<QWidget*>(GrupoMetodo), static_cast<QWidget*>(MetodoOriginal),
        static_cast<QWidget*>(MetodoConvergido), static_cast<QWidget*>(ok), static_cast<QWidget*>(Cancela),
        static_cast<QWidget*>(BAjuda)})
    toolkit::gui::DefinirContextoAjuda(w, kContextoControles);

  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(Cancela, &QPushButton::clicked, this, &QDialog::reject);
  connect(BAjuda, &QPushButton::clicked, this, [this] {
    toolkit::gui::Protegido([this] { toolkit::gui::MostrarAjuda(property("contextoDialogo").toInt()); });
  });
}

namespace {

bool Executar(TUnidades& unidades, TMetodoNumerico* metodo, QWidget* parent) {
  TFConfUnidades dialogo(parent);
  dialogo.GrupoMetodo->setVisible(metodo != nullptr);
  if (metodo)
    (*metodo == TMetodoNumerico::Convergido ? dialogo.MetodoConvergido : dialogo.MetodoOriginal)
        ->setChecked(true);
  dialogo.UnidDecli->setCurrentIndex(
      dialogo.UnidDecli->findText(QString::fromStdString(unidades.UnidadeDeclividade)));
  dialogo.UnidVI->setCurrentIndex(dialogo.UnidVI->findText(QString::fromStdString(unidades.UnidadeVI)));
  dialogo.EstDefault->setCurrentIndex(
      unidades.Estado >= 0 && unidades.Estado < TFConfUnidades::Estados().size() ? unidades.Estado : -1);
  dialogo.setProperty("contextoDialogo", unidades.HelpContext);

  const std::uint8_t declividade = unidades.IndDeclividade;
  const std::uint8_t vi = unidades.IndVI;
  const std::uint8_t comprimento = unidades.IndComprimento;
  const std::int32_t estado = unidades.Estado;

  QObject::connect(dialogo.UnidDecli, qOverload<int>(&QComboBox::currentIndexChanged), &dialogo,
                   [&unidades](int i) {
                     if (i < 0) return;
                     unidades.SetDeclividade(static_cast<std::uint8_t>(i));
                     toolkit::gui::Protegido([&] { unidades.MudouDeclividade(); });
                   });
  QObject::connect(dialogo.UnidVI, qOverload<int>(&QComboBox::currentIndexChanged), &dialogo,
                   [&unidades](int i) {
                     if (i < 0) return;
                     unidades.SetVI(static_cast<std::uint8_t>(i));
                     toolkit::gui::Protegido([&] { unidades.MudouVI(); });
                   });

  if (dialogo.exec() == QDialog::Accepted) {
    // A list left without a selection (a unit the dialog does not offer, such
    // as cm/dia) keeps its unit rather than storing an index of no row.
    if (dialogo.UnidDecli->currentIndex() >= 0)
      unidades.SetDeclividade(static_cast<std::uint8_t>(dialogo.UnidDecli->currentIndex()));
    if (dialogo.UnidVI->currentIndex() >= 0)
      unidades.SetVI(static_cast<std::uint8_t>(dialogo.UnidVI->currentIndex()));
    if (dialogo.EstDefault->currentIndex() >= 0) unidades.Estado = dialogo.EstDefault->currentIndex();
    if (metodo)
      *metodo =
          dialogo.MetodoConvergido->isChecked() ? TMetodoNumerico::Convergido : TMetodoNumerico::Original;
    return true;
  }
  unidades.SetDeclividade(declividade);
  unidades.SetVI(vi);
  unidades.SetComprimento(comprimento);
  unidades.Estado = estado;
  unidades.MudouDeclividade();
  unidades.MudouVI();
  return false;
}

}  // namespace

bool Configurar(TUnidades& unidades, QWidget* parent) {
  return Executar(unidades, nullptr, parent);
}

bool Configurar(TUnidades& unidades, TMetodoNumerico& metodo, QWidget* parent) {
  return Executar(unidades, &metodo, parent);
}

namespace {

bool MostrarUnidade(const std::string& unidade, const QList<QLabel*>& rotulos) {
  bool todos = true;
  for (QLabel* r : rotulos) {
    if (r)
      r->setText(QString::fromStdString(unidade));
    else
      todos = false;
  }
  return todos;
}

}  // namespace

bool MostrarUnidadeVI(const TUnidades& unidades, const QList<QLabel*>& rotulos) {
  return MostrarUnidade(unidades.UnidadeVI, rotulos);
}

bool MostrarUnidadeDeclividade(const TUnidades& unidades, const QList<QLabel*>& rotulos) {
  return MostrarUnidade(unidades.UnidadeDeclividade, rotulos);
}
