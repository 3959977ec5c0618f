#include "toolkit/gui/Ajuda.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QPointer>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextStream>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "toolkit/PastasDados.h"
#include "toolkit/gui/Mensagens.h"

namespace toolkit::gui {

namespace {

const char* const kPropriedadeContexto = "contextoAjuda";

// Set by DefinirPastaAjuda (the tests point it at the source tree); empty
// means the folder beside the program.
QString pastaDefinida;
int ultimoContexto = -1;

class TJanelaAjuda : public QWidget {
 public:
  explicit TJanelaAjuda(QWidget* pai) : QWidget(pai, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Ajuda - ") + TituloAplicacao());
    resize(900, 620);

    auto* barra = new QToolBar(this);
    barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* aConteudo =
        barra->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Conteúdo"));
    QAction* aVoltar =
        barra->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Voltar"));
    QAction* aAvancar =
        barra->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Avançar"));

    abas_ = new QTabWidget;
    listaTopicos_ = new QListWidget;
    abas_->addTab(listaTopicos_, QStringLiteral("Conteúdo"));
    auto* paginaIndice = new QWidget;
    auto* li = new QVBoxLayout(paginaIndice);
    li->setContentsMargins(4, 4, 4, 4);
    auto* rotulo = new QLabel(QStringLiteral("&Digite a palavra procurada:"));
    busca_ = new QLineEdit;
    rotulo->setBuddy(busca_);
    listaPalavras_ = new QListWidget;
    li->addWidget(rotulo);
    li->addWidget(busca_);
    li->addWidget(listaPalavras_);
    abas_->addTab(paginaIndice, QStringLiteral("Índice"));

    navegador_ = new QTextBrowser;
    navegador_->setOpenExternalLinks(true);
    navegador_->setSearchPaths({PastaAjuda()});

    auto* divisor = new QSplitter;
    divisor->addWidget(abas_);
    divisor->addWidget(navegador_);
    divisor->setStretchFactor(1, 1);
    divisor->setSizes({240, 660});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(barra);
    layout->addWidget(divisor);

    topicos_ = LerMapaAjuda(PastaAjuda());
    QStringList vistos;
    for (const TTopicoAjuda& t : topicos_) {
      const QString arquivo = t.arquivo.section(QLatin1Char('#'), 0, 0);
      if (t.arquivo.contains(QLatin1Char('#')) || vistos.contains(arquivo)) continue;
      vistos << arquivo;
      auto* item = new QListWidgetItem(t.titulo, listaTopicos_);
      item->setData(Qt::UserRole, t.arquivo);
    }
    for (const TTopicoAjuda& t : topicos_)
      for (const QString& p : t.palavras) indice_.insert(p.toLower() + QLatin1Char('\t') + t.titulo, t);
    PreencherIndice(QString());

    connect(aConteudo, &QAction::triggered, this, [this] { Mostrar(0); });
    connect(aVoltar, &QAction::triggered, navegador_, &QTextBrowser::backward);
    connect(aAvancar, &QAction::triggered, navegador_, &QTextBrowser::forward);
    connect(navegador_, &QTextBrowser::backwardAvailable, aVoltar, &QAction::setEnabled);
    connect(navegador_, &QTextBrowser::forwardAvailable, aAvancar, &QAction::setEnabled);
    aVoltar->setEnabled(false);
    aAvancar->setEnabled(false);
    connect(listaTopicos_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Abrir(item->data(Qt::UserRole).toString()); });
    connect(listaTopicos_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Abrir(item->data(Qt::UserRole).toString()); });
    connect(busca_, &QLineEdit::textChanged, this, &TJanelaAjuda::PreencherIndice);
    connect(busca_, &QLineEdit::returnPressed, this, [this] {
      if (listaPalavras_->currentItem()) AbrirItemIndice(listaPalavras_->currentItem());
    });
    connect(listaPalavras_, &QListWidget::itemActivated, this, &TJanelaAjuda::AbrirItemIndice);
    connect(listaPalavras_, &QListWidget::itemClicked, this, &TJanelaAjuda::AbrirItemIndice);
  }

  void Mostrar(int contexto) {
    ultimoContexto = contexto;
    QString arquivo;
    for (const TTopicoAjuda& t : topicos_)
      if (t.contexto == contexto) {
        arquivo = t.arquivo;
        break;
      }
    if (arquivo.isEmpty()) {
      for (const TTopicoAjuda& t : topicos_)
        if (t.contexto == 0) {
          arquivo = t.arquivo;
          break;
        }
    }
    if (arquivo.isEmpty()) {
      navegador_->setHtml(
          QStringLiteral("<p>Os arquivos de ajuda não foram encontrados na pasta <b>%1</b>.</p>")
              .arg(PastaAjuda().toHtmlEscaped()));
      return;
    }
    abas_->setCurrentIndex(0);
    Abrir(arquivo);
  }

  void MostrarIndice() {
    ultimoContexto = 0;
    if (navegador_->source().isEmpty()) Mostrar(0);
    abas_->setCurrentIndex(1);
    busca_->clear();
    busca_->setFocus();
  }

 private:
  void Abrir(const QString& arquivo) {
    QUrl url = QUrl::fromLocalFile(PastaAjuda() + QLatin1Char('/') + arquivo.section(QLatin1Char('#'), 0, 0));
    const QString ancora = arquivo.section(QLatin1Char('#'), 1);
    if (!ancora.isEmpty()) url.setFragment(ancora);
    navegador_->setSource(url);
  }

  void PreencherIndice(const QString& filtro) {
    listaPalavras_->clear();
    const QString f = filtro.trimmed().toLower();
    for (auto it = indice_.cbegin(); it != indice_.cend(); ++it) {
      const QString palavra = it.key().section(QLatin1Char('\t'), 0, 0);
      if (!f.isEmpty() && !palavra.startsWith(f)) continue;
      auto* item = new QListWidgetItem(palavra + QStringLiteral(" — ") + it.value().titulo, listaPalavras_);
      item->setData(Qt::UserRole, it.value().arquivo);
    }
    if (listaPalavras_->count() > 0) listaPalavras_->setCurrentRow(0);
  }

  void AbrirItemIndice(QListWidgetItem* item) { Abrir(item->data(Qt::UserRole).toString()); }

  QList<TTopicoAjuda> topicos_;
  QMap<QString, TTopicoAjuda> indice_;
  QTabWidget* abas_;
  QListWidget* listaTopicos_;
  QLineEdit* busca_;
  QListWidget* listaPalavras_;
  QTextBrowser* navegador_;
};

QPointer<TJanelaAjuda> janela;

TJanelaAjuda* Janela() {
  // A modal dialog blocks every other window: help asked for from inside one
  // belongs to that dialog, so that it can be read and used.
  QWidget* modal = QApplication::activeModalWidget();
  if (janela && janela->parentWidget() != modal) {
    janela->hide();
    janela->deleteLater();
    janela = nullptr;
  }
  if (!janela) janela = new TJanelaAjuda(modal);
  janela->show();
  janela->raise();
  janela->activateWindow();
  return janela;
}

class TFiltroF1 : public QObject {
 protected:
  bool eventFilter(QObject* alvo, QEvent* evento) override {
    if (evento->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(evento)->key() == Qt::Key_F1 &&
        alvo->isWidgetType()) {
      // In an open menu, the topic of the highlighted item.
      if (auto* menu = qobject_cast<QMenu*>(alvo)) {
        const QAction* item = menu->activeAction();
        const QVariant contexto = item ? item->property(kPropriedadeContexto) : QVariant();
        if (contexto.isValid()) {
          MostrarAjuda(contexto.toInt());
          return true;
        }
      }
      QWidget* w = QApplication::focusWidget();
      if (!w) w = static_cast<QWidget*>(alvo);
      // The help window answers F1 with its own contents.
      if (janela && w->window() == janela) return false;
      MostrarAjuda(ContextoAjuda(w));
      return true;
    }
    return QObject::eventFilter(alvo, evento);
  }
};

}  // namespace

QList<TTopicoAjuda> LerMapaAjuda(const QString& pastaAjuda) {
  QList<TTopicoAjuda> topicos;
  QFile arquivo(pastaAjuda + QStringLiteral("/mapa.txt"));
  if (!arquivo.open(QIODevice::ReadOnly | QIODevice::Text)) return topicos;
  QTextStream entrada(&arquivo);
  entrada.setEncoding(QStringConverter::Utf8);
  while (!entrada.atEnd()) {
    const QString linha = entrada.readLine().trimmed();
    if (linha.isEmpty() || linha.startsWith(QLatin1Char('#'))) continue;
    const QStringList campos = linha.split(QLatin1Char(';'));
    bool ok = false;
    TTopicoAjuda t;
    t.contexto = campos.value(0).trimmed().toInt(&ok);
    if (!ok || campos.size() < 3) continue;
    t.arquivo = campos.at(1).trimmed();
    t.titulo = campos.at(2).trimmed();
    for (const QString& p : campos.value(3).split(QLatin1Char(','), Qt::SkipEmptyParts))
      if (!p.trimmed().isEmpty()) t.palavras << p.trimmed();
    topicos << t;
  }
  return topicos;
}

QString PastaAjuda() {
  if (!pastaDefinida.isEmpty()) return pastaDefinida;
  // Beside the program (the build tree), or in the installed data folder.
  return QString::fromStdString(
      toolkit::PastaDeDados("ajuda", "ajuda", QCoreApplication::applicationDirPath().toStdString()));
}

void DefinirPastaAjuda(const QString& pasta) {
  pastaDefinida = pasta;
  if (janela) janela->close();
}

void MostrarAjuda(int contexto) {
  Janela()->Mostrar(contexto);
}

void MostrarIndiceAjuda() {
  Janela()->MostrarIndice();
}

int ContextoAjudaMostrado() {
  return ultimoContexto;
}

void FecharAjuda() {
  if (janela) janela->close();
  ultimoContexto = -1;
}

void DefinirContextoAjuda(QWidget* widget, int contexto) {
  if (widget) widget->setProperty(kPropriedadeContexto, contexto);
}

int ContextoAjuda(const QWidget* widget) {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    const QVariant v = w->property(kPropriedadeContexto);
    if (v.isValid() && v.toInt() != 0) return v.toInt();
  }
  return 0;
}

void InstalarTeclaF1() {
  static QPointer<TFiltroF1> filtro;
  if (!filtro) {
    filtro = new TFiltroF1;
    filtro->setParent(qApp);
    qApp->installEventFilter(filtro);
  }
}

}  // namespace toolkit::gui
