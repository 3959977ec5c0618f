#pragma once
// The IDF query window: a state, then a station (its own coefficients), a
// locality or a point of the state map (coefficients interpolated by the
// inverse fifth power of the distance), with the source of the equation and
// the place's coordinates. Shown modally by the IDF component, which fills it
// before showing it and reads the choice back after "&Fechar".
//
// Coordinates are texts DD°MM'SS" (south and west positive); map pixels are
// those of the 450 x 450 state bitmap, mapped to degrees by the state's frame.
#include <QDialog>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "idf/MapasEstados.h"
#include "idf/Nimbora21Comp.h"
#include "idf/UnBD.h"

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;

// A picture area of the query window: shows a 450 x 450 bitmap, reports the
// pointer in bitmap pixels and gives read access to the bitmap's colours.
// Station dots are painted over the picture, never into the bitmap, so that
// colour picking reads the map alone.
class TAreaMapa : public QWidget {
  Q_OBJECT

 public:
  explicit TAreaMapa(QWidget* parent = nullptr);

  void DefinirImagem(const QImage& imagem);
  const QImage& Imagem() const { return imagem_; }
  // The colour of a pixel; false outside the bitmap.
  bool Cor(int x, int y, QRgb& cor) const;

  // Dots at these pixels; the one at `destacado` (an index into pontos, -1:
  // none) is ringed.
  void DefinirPontos(const QVector<QPoint>& pontos, int destacado);
  const QVector<QPoint>& Pontos() const { return pontos_; }
  int Destacado() const { return destacado_; }

 signals:
  void Movido(int x, int y);
  void Solto(int x, int y);

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;
  void mouseReleaseEvent(QMouseEvent* evento) override;

 private:
  QImage imagem_;
  QVector<QPoint> pontos_;
  int destacado_ = -1;
};

// Decimal degrees of a coordinate text typed by the user or stored in a
// project, checked whole first. Throws the reason on a text that is not one.
double GrausDoTextoDigitado(const std::string& texto, TEixoCoordenada eixo);

class TfrmFoConsulta : public QDialog {
  Q_OBJECT

 public:
  // pasta: the database folder (ending with '/'); the station file is read
  // at once (EArquivoNaoExiste, EArquivoCorrompido).
  explicit TfrmFoConsulta(QWidget* parent = nullptr, const std::string& pasta = PastaBancoDados());
  ~TfrmFoConsulta() override;

  static const QString CoordenadaZero;  // 00°00'00"

  // Controls.
  QComboBox* Estados;
  QListWidget* LBEstacao;
  QListWidget* LBLocalidade;
  QLabel* LLocalidades;
  QLabel* lAviso;
  QPushButton* Autor;
  QLineEdit *PrecK, *PrecA, *PrecB, *PrecC;
  QLineEdit *PrecLaAux, *PrecLoAux;
  QPushButton* Calculalalo;
  QStackedWidget* Notebook1;
  TAreaMapa* BrasilBMP;
  QLabel *NomeCid, *LatCid, *LonCid, *LabelLatitude, *LabelLongitude;
  TAreaMapa* EstadoBMP;
  QFrame* EixoX;  // horizontal cross-hair line, 450 x 1
  QFrame* EixoY;  // vertical cross-hair line, 1 x 450
  QLabel *LabelLat, *LabelLon;
  QPushButton *BtnRelat, *BtnAjuda, *BtnOk, *BtnCancel;
  // The two estimates at an interpolated point, side by side; the checked one
  // is shown in the coefficient boxes and goes to the project.
  QGroupBox* GrupoEstimativa;
  QRadioButton *rbCoeficientes, *rbIntensidades;
  QLabel *lCoeficientes, *lIntensidades;
  QAction *MapadoBrasil1, *Relatrio1, *Contedo1, *ObterAjudaSobre1, *Sobre1;

  // What the component gives before showing the window and reads back after.
  TEstado Estado;
  int16_t IndEstacao = -1;
  int16_t IndLocalidade = -1;
  // The estimate chosen for an interpolated point; given before showing,
  // read back after "&Fechar" (the classic one for a station).
  TNimbora21::TEstimativa Estimativa = TNimbora21::TEstimativa::Coeficientes;
  bool ShowAbout = false;
  std::string Autoria;  // set by "&Fechar": the source caption, empty for "Autor"
  const std::string& LatitudeTexto() const { return latitudeTexto_; }
  const std::string& LongitudeTexto() const { return longitudeTexto_; }
  double Latitude() const { return latitude_; }
  double Longitude() const { return longitude_; }
  const std::string& NomeLocal() const { return nomeLocal_; }
  void DefinirContextoAjuda(int contexto);

  // Typed coordinates: with the state map visible, a value outside the
  // frame fails with "Latitude <texto> não definida." (or "Longitude ...").
  void DefinirLatitudeDigitada(const std::string& texto);
  void DefinirLongitudeDigitada(const std::string& texto);

  // The source button's caption ("Autor" at start).
  const std::string& LegendaAutor() const { return legendaAutor_; }
  // The state map's frame in force, nullptr before any map state.
  const TMolduraMapa* Moldura() const { return moldura_; }
  // The state map is shown on its page (stays so while a state without data
  // is selected after a map state).
  bool MapaVisivel() const;
  // Whether the activation sequence has run.
  bool Ativada() const { return ativada_; }
  const TBDPrecipitacao& BancoDados() const { return *bd_; }

  // Event handlers; they throw the messages the user sees (the controls'
  // connections show them in the error box).
  void FormActivate();
  void EstadosClick();
  void LBEstacaoClick();
  void LBLocalidadeClick();
  void EstadoBMPMouseMove(int x, int y);
  void EstadoBMPMouseUp(int x, int y);
  void BrasilBMPMouseMove(int x, int y);
  void BrasilBMPMouseUp(int x, int y);
  void CalculalaloClick();
  void PrecLaAuxKeyPress();
  void AutorClick();
  void BtnOkClick();
  void BtnCancelClick();
  void BtnRelatClick();
  void BtnAjudaClick();
  void MapadoBrasil1Click();
  void Sobre1Click();
  void Contedo1Click();
  void ObterAjudaSobre1Click();

 protected:
  void showEvent(QShowEvent* evento) override;
  bool eventFilter(QObject* alvo, QEvent* evento) override;

 private:
  void CriarControles();
  void SelecionarEstado();
  void DefinirLegendaAutor(const std::string& legenda);
  void MostrarCoeficientesGerais(const TEstacao& r);
  void LimparCoeficientes();
  void PosicionarMira(int x, int y);
  void MirarLugar();
  void EsconderMira();
  void EsconderTextosBrasil();
  void AtualizarPontosEstacoes();
  void AtualizarAviso();
  bool AzulDoEstado(int x, int y) const;
  QPoint PixelDe(double latitude, double longitude) const;
  void LigarLista(QListWidget* lista, void (TfrmFoConsulta::*handler)());
  // Both estimates at the current place (an interpolated one), then the
  // chosen one in the coefficient boxes.
  void MostrarEstimativas(const TEstacao& classica, const char* padraoK, const char* padraoB);
  void AplicarEstimativa();
  void SemEstimativas();

  std::unique_ptr<TBDPrecipitacao> bd_;
  std::vector<TLocalidade> localidades_;
  std::string latitudeTexto_, longitudeTexto_;
  double latitude_ = 0.0, longitude_ = 0.0;
  std::string nomeLocal_;
  TEstacao registro_;
  std::string legendaAutor_;
  const TMolduraMapa* moldura_ = nullptr;
  bool primeiraAtivacao_ = true;
  bool ativada_ = false;
  bool pontoDigitado_ = false;
  QString marcador_;
  QStringList textosClassicos_, textosAjuste_;  // K, a, b, c of each estimate
  bool mudouNoClique_ = false;
};
