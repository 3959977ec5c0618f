#include "toolkit/gui/Mensagens.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "toolkit/Versao.h"

namespace toolkit::gui {

namespace {

// The window a box belongs to. A box raised at start-up must neither sit
// behind the splash screen, which stays on top, nor belong to it, as the
// splash closes and frees itself after a few seconds: the splash goes first.
QWidget* DonoDaCaixa() {
  for (QWidget* janela : QApplication::topLevelWidgets())
    if (janela->isVisible() && janela->windowType() == Qt::SplashScreen) janela->close();
  return QApplication::activeWindow();
}

class TMensagensPadrao : public IServicoMensagens {
 public:
  void Informar(const QString& titulo, const QString& texto) override {
    QMessageBox::information(DonoDaCaixa(), titulo, texto);
  }
  void Erro(const QString& titulo, const QString& texto) override {
    QMessageBox::critical(DonoDaCaixa(), titulo, texto);
  }
  void Avisar(const QString& titulo, const QString& texto) override {
    QMessageBox::warning(DonoDaCaixa(), titulo, texto);
  }
  Resposta Perguntar(const QString& titulo, const QString& texto, Botoes botoes) override {
    QMessageBox caixa(QMessageBox::Question, titulo, texto, QMessageBox::NoButton, DonoDaCaixa());
    QPushButton* sim = caixa.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
    QPushButton* nao = caixa.addButton(QStringLiteral("&Não"), QMessageBox::NoRole);
    QPushButton* cancelar = nullptr;
    if (botoes == Botoes::SimNaoCancelar) {
      cancelar = caixa.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
      caixa.setEscapeButton(cancelar);
    } else {
      caixa.setEscapeButton(nao);
    }
    caixa.setDefaultButton(sim);
    caixa.exec();
    QAbstractButton* escolhido = caixa.clickedButton();
    if (escolhido == sim) return Resposta::Sim;
    if (escolhido == nao) return Resposta::Nao;
    return cancelar ? Resposta::Cancelar : Resposta::Nao;
  }
};

// Set by DefinirMensagens (the program never does; tests do), read by Mensagens().
IServicoMensagens* servicoAtual = nullptr;

// Set once by the main window at start-up.
QString tituloAplicacao = QStringLiteral(CAUDALENTE_TITULO);

}  // namespace

IServicoMensagens& Mensagens() {
  static TMensagensPadrao padrao;
  return servicoAtual ? *servicoAtual : padrao;
}

void DefinirMensagens(IServicoMensagens* servico) {
  servicoAtual = servico;
}

QString TituloAplicacao() {
  return tituloAplicacao;
}

void DefinirTituloAplicacao(const QString& titulo) {
  tituloAplicacao = titulo;
}

void Informar(const QString& texto) {
  Mensagens().Informar(TituloAplicacao(), texto);
}

void MostrarErro(const QString& texto) {
  Mensagens().Erro(TituloAplicacao(), texto);
}

void Avisar(const QString& texto) {
  Mensagens().Avisar(TituloAplicacao(), texto);
}

Resposta Perguntar(const QString& texto, Botoes botoes) {
  return Mensagens().Perguntar(TituloAplicacao(), texto, botoes);
}

QString TextoDoErro(const QString& mensagem) {
  if (!mensagem.isEmpty() && mensagem.back() > QLatin1Char('.')) return mensagem + QLatin1Char('.');
  return mensagem;
}

void MostrarExcecao(std::exception_ptr excecao) {
  QString mensagem;
  try {
    std::rethrow_exception(excecao);
  } catch (const std::exception& e) {
    mensagem = QString::fromUtf8(e.what());
  } catch (...) {
    mensagem = QStringLiteral("Ocorreu um erro inesperado");
  }
  MostrarErro(TextoDoErro(mensagem));
}

}  // namespace toolkit::gui
