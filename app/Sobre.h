#pragma once
// The about picture, shown twice: as the splash screen while the program
// starts (closes itself after 5 s) and as the modal about box. Three regions
// of the picture link to web pages and are underlined while the mouse is over them.
#include <QDialog>
#include <QPixmap>
#include <functional>

class QLabel;
class QFrame;
class QTimer;

// What the about box needs from its owner.
struct TLigacoesSobre {
  std::function<void(const QString&)> MostrarStatus;  // status panel 0 of the main window
  std::function<void(int pagina)> AbrirPagina;        // web page 1..4
  std::function<QString(int pagina)> Endereco;        // address shown in the status panel
};

class TFSobre : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kLargura = 558;
  static constexpr int kAltura = 340;
  // Web pages behind the hot areas (numbers of the main window's pages).
  static constexpr int kPaginaDepartamento = 2;
  static constexpr int kPaginaGrupo = 3;
  static constexpr int kPaginaCaudalente = 4;

  TFSobre(const TLigacoesSobre& ligacoes, QWidget* parent = nullptr);

  // Splash screen: shown without waiting, on top, closes and frees itself
  // after 5 s. Returns the window (for tests).
  static TFSobre* MostrarAbertura(const TLigacoesSobre& ligacoes);
  // About box, modal; freed when it closes.
  static void MostrarSobre(const TLigacoesSobre& ligacoes, QWidget* parent);

  // The about picture, 558 x 340.
  static QPixmap DesenharImagem();

  QLabel* Image1;
  QLabel* lCaudalente;
  QFrame* sCaudalente;
  QLabel* lGrupo;
  QLabel* lGota;
  QFrame* sGrupo1;
  QFrame* sGrupo2;
  QLabel* lDepartamento;
  QFrame* sDepartamento;
  QTimer* Timer1;

 protected:
  bool eventFilter(QObject* alvo, QEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  void mousePressEvent(QMouseEvent* evento) override;

 private:
  QLabel* AreaQuente(const QRect& caixa, const QString& nome);
  QFrame* Sublinhado(const QRect& caixa, const QString& nome);
  void Status(const QString& texto);
  void Abrir(int pagina);

  TLigacoesSobre ligacoes_;
};
