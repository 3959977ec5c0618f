#include "idf/gui/FoConsulta.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <stdexcept>

#include "idf/CitacoesIdf.h"
#include "idf/gui/FoAutor.h"
#include "idf/gui/FoRelatNimbora.h"
#include "idf/gui/FoSobreNimbora.h"
#include "toolkit/FormatoNumero.h"
#include "toolkit/gui/Ajuda.h"
#include "toolkit/gui/Mensagens.h"

// The Brazil map is part of the window; the resource lives in this static
// library and must be registered by hand.
static void RegistrarMapaBrasil() {
  Q_INIT_RESOURCE(MapaBrasil);
}

namespace {

using toolkit::gui::Protegido;

const char* const kMarcadorAtivacao = "FormActivate";
const char* const kNaoDefinida = "Não definida";
const char* const kTextoInterpolacao =
    "Interpolação realizada utilizando o Método do Inverso da Quinta Potência da Distância e "
    "considerando as informações de todas as localidades em que a equação de "
    "intensidade-duração-freqüência da precipitação é conhecida nos Estados da Bahia, Espírito "
    "Santo, Minas Gerais, Paraná, Rio de Janeiro, São Paulo e Tocantins.";

constexpr int kLadoMapa = LadoMapa;
constexpr QRgb kAzulEstado = 0x0000FF;
// The edge pixels of a frame compute its edge values up to rounding.
constexpr double kFolga = 1e-9;

// The missing state map, after which the previous state is selected again.
class EMapaAusente : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The four states without data: choosing one keeps the page and map shown.
bool EstadoSemDados(int estado) {
  return estado == 2 || estado == 6 || estado == 22 || estado == 25;  // AP, DF, RR, SE
}

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

std::string SemBrancosAFinal(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
  return s;
}

// The text of a masked input with its blanks as spaces, so that an
// unfinished coordinate fails as a blank one.
std::string TextoDaMascara(const QLineEdit* e) {
  QString t = e->displayText();
  t.replace(QLatin1Char('_'), QLatin1Char(' '));
  return t.toStdString();
}

// The list's current row, the one whose values the window shows. A mouse
// press makes the row current before it selects it, so the selection would
// still name the row clicked before.
int LinhaSelecionada(const QListWidget* lista) {
  return lista->currentRow();
}

void TirarSelecao(QListWidget* lista) {
  const QSignalBlocker bloqueio(lista);
  lista->clearSelection();
  lista->setCurrentRow(-1);
}

void Selecionar(QListWidget* lista, int linha) {
  if (linha < 0 || linha >= lista->count()) return;
  const QSignalBlocker bloqueio(lista);
  lista->setCurrentRow(linha);
}

// The map file of a state; the name's case does not matter.
QString ArquivoDoMapa(const std::string& pasta, const char* sigla) {
  const QString nome = QString::fromLatin1(sigla) + QStringLiteral(".bmp");
  const QDir dir(Q(pasta));
  if (QFileInfo(dir.filePath(nome)).isFile()) return dir.filePath(nome);
  const QStringList achados = dir.entryList({nome}, QDir::Files);  // case-insensitive by default
  return achados.isEmpty() ? QString() : dir.filePath(achados.first());
}

class CursorDeEspera {
 public:
  CursorDeEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CursorDeEspera() { Restaurar(); }
  void Restaurar() {
    if (ativo_) QApplication::restoreOverrideCursor();
    ativo_ = false;
  }

 private:
  bool ativo_ = true;
};

QLabel* Rotulo(QWidget* pai, const QString& texto, int x, int y, QWidget* parceiro = nullptr) {
  auto* l = new QLabel(texto, pai);
  l->move(x, y);
  l->adjustSize();
  if (parceiro) l->setBuddy(parceiro);
  return l;
}

template <class W>
W* Nomeado(W* w, const char* nome, const QString& acessivel, const QString& dica = QString()) {
  w->setObjectName(QLatin1String(nome));
  w->setAccessibleName(acessivel);
  if (!dica.isEmpty()) w->setToolTip(dica);
  return w;
}

// A label that shows a value: a screen reader reads the value, the caption
// goes in the description.
QLabel* ComValor(QLabel* l, const char* nome, const QString& legenda) {
  l->setObjectName(QLatin1String(nome));
  l->setAccessibleDescription(legenda);
  return l;
}

}  // namespace

double GrausDoTextoDigitado(const std::string& texto, TEixoCoordenada eixo) {
  const std::string motivo = VerificarCoordenada(texto, eixo);
  if (!motivo.empty()) throw std::runtime_error(motivo);
  return TextoParaGraus(texto);
}

// --- TAreaMapa -------------------------------------------------------------

TAreaMapa::TAreaMapa(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFixedSize(kLadoMapa, kLadoMapa);
}

void TAreaMapa::DefinirImagem(const QImage& imagem) {
  imagem_ = imagem.convertToFormat(QImage::Format_RGB32);
  update();
}

bool TAreaMapa::Cor(int x, int y, QRgb& cor) const {
  if (!imagem_.valid(x, y)) return false;
  cor = imagem_.pixel(x, y) & 0xFFFFFF;
  return true;
}

void TAreaMapa::DefinirPontos(const QVector<QPoint>& pontos, int destacado) {
  pontos_ = pontos;
  destacado_ = destacado;
  update();
}

void TAreaMapa::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, imagem_);
  if (pontos_.isEmpty()) return;
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.setBrush(QColor(255, 196, 0));
  for (const QPoint& pt : pontos_)
    if (rect().contains(pt)) p.drawEllipse(QPointF(pt) + QPointF(0.5, 0.5), 2.5, 2.5);
  if (destacado_ >= 0 && destacado_ < pontos_.size() && rect().contains(pontos_[destacado_])) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(220, 0, 0), 2));
    p.drawEllipse(QPointF(pontos_[destacado_]) + QPointF(0.5, 0.5), 6.5, 6.5);
  }
}

void TAreaMapa::mouseMoveEvent(QMouseEvent* evento) {
  const QPoint pt = evento->position().toPoint();
  emit Movido(pt.x(), pt.y());
}

void TAreaMapa::mouseReleaseEvent(QMouseEvent* evento) {
  const QPoint pt = evento->position().toPoint();
  emit Solto(pt.x(), pt.y());
}

// --- TfrmFoConsulta ----------------------------------------------------------

const QString TfrmFoConsulta::CoordenadaZero = QStringLiteral("00°00'00\"");

TfrmFoConsulta::TfrmFoConsulta(QWidget* parent, const std::string& pasta) : QDialog(parent) {
  RegistrarMapaBrasil();
  setObjectName(QStringLiteral("frmFoConsulta"));
  setWindowTitle(QStringLiteral("Nimbóra 2.1"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  CriarControles();
  Estados->setCurrentIndex(0);
  bd_ = std::make_unique<TBDPrecipitacao>(pasta);
  bd_->LerEstados();
  Autoria.clear();
}

TfrmFoConsulta::~TfrmFoConsulta() = default;

void TfrmFoConsulta::CriarControles() {
  auto* barra = new QMenuBar(this);
  MapadoBrasil1 = barra->addAction(QStringLiteral("&Mapa do Brasil"));
  MapadoBrasil1->setObjectName(QStringLiteral("MapadoBrasil1"));
  Relatrio1 = barra->addAction(QStringLiteral("&Relatório"));
  Relatrio1->setObjectName(QStringLiteral("Relatrio1"));
  QMenu* ajuda = barra->addMenu(QStringLiteral("&Ajuda"));
  Contedo1 = ajuda->addAction(QStringLiteral("&Conteúdo"));
  Contedo1->setObjectName(QStringLiteral("Contedo1"));
  ObterAjudaSobre1 = ajuda->addAction(QStringLiteral("Obter Ajuda Sobre ..."));
  ObterAjudaSobre1->setObjectName(QStringLiteral("ObterAjudaSobre1"));
  ajuda->addSeparator();
  Sobre1 = ajuda->addAction(QStringLiteral("&Sobre o Nimbóra 2.1"));
  Sobre1->setObjectName(QStringLiteral("Sobre1"));

  // Client area of 742 x 524 below the menu, controls at fixed places.
  auto* area = new QWidget(this);
  area->setFixedSize(742, 584);
  auto* raiz = new QVBoxLayout(this);
  raiz->setContentsMargins(0, 0, 0, 0);
  raiz->setSpacing(0);
  raiz->setMenuBar(barra);
  raiz->addWidget(area);

  Estados = Nomeado(new QComboBox(area), "Estados", QStringLiteral("Estados"), QStringLiteral("Estados"));
  for (const char* nome : NomesEstados) Estados->addItem(QString::fromUtf8(nome));
  Estados->setMaxVisibleItems(27);
  Estados->setGeometry(8, 22, 268, 24);
  Rotulo(area, QStringLiteral("&Estados :"), 8, 5, Estados);

  LBEstacao =
      Nomeado(new QListWidget(area), "LBEstacao", QStringLiteral("Estações"), QStringLiteral("Estações"));
  LBEstacao->setGeometry(8, 68, 268, 140);
  Rotulo(area, QStringLiteral("Es&tações :"), 8, 51, LBEstacao);

  LBLocalidade = Nomeado(new QListWidget(area), "LBLocalidade", QStringLiteral("Localidades"),
                         QStringLiteral("Localidades"));
  LBLocalidade->setGeometry(8, 230, 268, 106);
  LLocalidades = Rotulo(area, QStringLiteral("&Localidades :"), 8, 213, LBLocalidade);
  LLocalidades->setObjectName(QStringLiteral("LLocalidades"));
  LBLocalidade->hide();
  LLocalidades->hide();

  // Shares the place of the locality list, which Goiás never shows.
  lAviso = ComValor(
      new QLabel(QStringLiteral("Dados obtidos por desagragação da chuva de um dia em chuvas de menor "
                                "duração, segundo metodologia proposta pelo DAEE-CETESB."),
                 area),
      "lAviso", QStringLiteral("Aviso"));
  lAviso->setWordWrap(true);
  lAviso->setGeometry(8, 220, 268, 80);
  lAviso->setStyleSheet(QStringLiteral("color: #990000;"));
  lAviso->hide();

  auto* grupoIdf = new QGroupBox(QStringLiteral(" Parâmetros da Equação IDF "), area);
  grupoIdf->setObjectName(QStringLiteral("GroupBox1"));
  grupoIdf->setToolTip(
      QStringLiteral("Parâmetros da equação intensidade-duração-freqüência da precipitação"));
  grupoIdf->setGeometry(8, 342, 268, 80);
  const struct {
    QLineEdit** campo;
    const char* nome;
    const char* rotulo;
    int x, y;
  } coeficientes[] = {{&PrecK, "PrecK", "K:", 8, 22},
                      {&PrecA, "PrecA", "a:", 138, 22},
                      {&PrecB, "PrecB", "b:", 8, 50},
                      {&PrecC, "PrecC", "c:", 138, 50}};
  for (const auto& c : coeficientes) {
    auto* e = Nomeado(new QLineEdit(grupoIdf), c.nome, QString::fromLatin1(c.nome + 4),
                      QStringLiteral("Parâmetros da equação intensidade-duração-freqüência da precipitação"));
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignCenter);
    e->setStyleSheet(QStringLiteral("QLineEdit { background: white; }"));
    e->setGeometry(c.x + 20, c.y, 100, 22);
    e->setFocusPolicy(Qt::ClickFocus);
    Rotulo(grupoIdf, QString::fromLatin1(c.rotulo), c.x, c.y + 3, e);
    *c.campo = e;
  }

  auto* grupoLocal = new QGroupBox(QStringLiteral(" Localização "), area);
  grupoLocal->setObjectName(QStringLiteral("GroupBox2"));
  grupoLocal->setToolTip(QStringLiteral("Localização"));
  grupoLocal->setGeometry(8, 428, 268, 90);
  const QString mascara = QStringLiteral("00°00'00\";_");
  PrecLaAux =
      Nomeado(new QLineEdit(grupoLocal), "PrecLaAux", QStringLiteral("Latitude"), QStringLiteral("Latitude"));
  PrecLoAux = Nomeado(new QLineEdit(grupoLocal), "PrecLoAux", QStringLiteral("Longitude"),
                      QStringLiteral("Longitude"));
  PrecLaAux->setGeometry(86, 24, 86, 24);
  PrecLoAux->setGeometry(86, 56, 86, 24);
  Rotulo(grupoLocal, QStringLiteral("Latit&ude :"), 10, 28, PrecLaAux);
  Rotulo(grupoLocal, QStringLiteral("L&ongitude :"), 10, 60, PrecLoAux);
  for (QLineEdit* e : {PrecLaAux, PrecLoAux}) {
    e->setInputMask(mascara);
    e->setMaxLength(9);
    e->setText(CoordenadaZero);
    e->setEnabled(false);
    e->installEventFilter(this);
  }
  Calculalalo = Nomeado(new QPushButton(QStringLiteral("&Calcular"), grupoLocal), "Calculalalo",
                        QStringLiteral("Calcular"), QStringLiteral("Calcular interpolação"));
  Calculalalo->setGeometry(182, 38, 76, 28);
  Calculalalo->setEnabled(false);

  Notebook1 = Nomeado(new QStackedWidget(area), "Notebook1", QStringLiteral("Mapas"));
  Notebook1->setGeometry(284, 8, kLadoMapa, kLadoMapa);
  auto* paginaBrasil = new QWidget;
  paginaBrasil->setObjectName(QStringLiteral("Brasil"));
  auto* paginaEstado = new QWidget;
  paginaEstado->setObjectName(QStringLiteral("Estados"));
  Notebook1->addWidget(paginaBrasil);
  Notebook1->addWidget(paginaEstado);

  BrasilBMP = Nomeado(new TAreaMapa(paginaBrasil), "BrasilBMP", QStringLiteral("Mapa do Brasil"));
  BrasilBMP->DefinirImagem(QImage(QStringLiteral(":/idf/Brasil.bmp")));
  QFont negrito = font();
  negrito.setBold(true);
  NomeCid = ComValor(new QLabel(paginaBrasil), "NomeCid", QStringLiteral("Localidade"));
  NomeCid->setFont(negrito);
  NomeCid->setGeometry(10, 20, 300, 18);
  LatCid =
      Nomeado(new QLabel(QStringLiteral("Latitude:"), paginaBrasil), "LatCid", QStringLiteral("Latitude:"));
  LatCid->setGeometry(10, 43, 74, 15);
  LonCid =
      Nomeado(new QLabel(QStringLiteral("Longitude:"), paginaBrasil), "LonCid", QStringLiteral("Longitude:"));
  LonCid->setGeometry(10, 58, 74, 15);
  LabelLatitude =
      ComValor(new QLabel(paginaBrasil), "LabelLatitude", QStringLiteral("Latitude da localidade"));
  LabelLatitude->setGeometry(84, 43, 66, 15);
  LabelLongitude =
      ComValor(new QLabel(paginaBrasil), "LabelLongitude", QStringLiteral("Longitude da localidade"));
  LabelLongitude->setGeometry(84, 58, 66, 15);
  // Readable over the states' colours in the map's corner.
  for (QLabel* l : {NomeCid, LatCid, LonCid, LabelLatitude, LabelLongitude})
    l->setStyleSheet(QStringLiteral("background: rgba(255, 255, 255, 215);"));
  NomeCid->hide();
  LatCid->hide();
  LonCid->hide();

  EstadoBMP = Nomeado(new TAreaMapa(paginaEstado), "EstadoBMP", QStringLiteral("Mapa do estado"));
  EstadoBMP->setCursor(Qt::CrossCursor);
  EstadoBMP->hide();
  EixoX = Nomeado(new QFrame(paginaEstado), "EixoX", QStringLiteral("Linha da latitude"));
  EixoX->setGeometry(0, 0, kLadoMapa, 1);
  EixoY = Nomeado(new QFrame(paginaEstado), "EixoY", QStringLiteral("Linha da longitude"));
  EixoY->setGeometry(0, 0, 1, kLadoMapa);
  for (QFrame* eixo : {EixoX, EixoY}) {
    eixo->setAutoFillBackground(true);
    eixo->setStyleSheet(QStringLiteral("background: #e00000;"));
    eixo->setAttribute(Qt::WA_TransparentForMouseEvents);
    eixo->hide();
  }
  LabelLat = ComValor(new QLabel(paginaEstado), "LabelLat", QStringLiteral("Latitude do ponto"));
  LabelLon = ComValor(new QLabel(paginaEstado), "LabelLon", QStringLiteral("Longitude do ponto"));
  QFont negritoMenor = negrito;
  negritoMenor.setPointSizeF(negrito.pointSizeF() * 0.9);
  for (QLabel* l : {LabelLat, LabelLon}) {
    l->setFont(negritoMenor);
    l->resize(70, 15);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    l->hide();
  }

  auto* lFonte = new QLabel(QStringLiteral("Fonte da equação:"), area);
  lFonte->setGeometry(284, 466, 110, 20);
  // The button reads as the source it shows (its caption); what it is goes
  // in the description.
  Autor = Nomeado(new QPushButton(QStringLiteral("Autor"), area), "Autor", QStringLiteral("Autor"),
                  QStringLiteral("Autor"));
  Autor->setAccessibleDescription(QStringLiteral("Fonte da equação"));
  Autor->setGeometry(394, 463, 340, 26);
  Autor->setCursor(Qt::PointingHandCursor);
  Autor->setFlat(true);
  Autor->setStyleSheet(
      QStringLiteral("QPushButton { color: #000099; text-decoration: underline; text-align: left; "
                     "padding-left: 4px; } QPushButton:disabled { color: gray; }"));
  legendaAutor_ = "Autor";

  BtnRelat =
      Nomeado(new QPushButton(QStringLiteral("&Relatório"), area), "BtnRelat", QStringLiteral("Relatório"));
  BtnAjuda = Nomeado(new QPushButton(QStringLiteral("&Ajuda"), area), "BtnAjuda", QStringLiteral("Ajuda"));
  BtnOk = Nomeado(new QPushButton(QStringLiteral("&Fechar"), area), "BtnOk", QStringLiteral("Fechar"));
  BtnCancel =
      Nomeado(new QPushButton(QStringLiteral("&Cancelar"), area), "BtnCancel", QStringLiteral("Cancelar"));
  int x = 284;
  for (QPushButton* b : {BtnRelat, BtnAjuda, BtnOk, BtnCancel}) {
    b->setGeometry(x, 494, 105, 26);
    x += 115;
  }
  BtnOk->setDefault(true);
  BtnOk->setAutoDefault(true);

  GrupoEstimativa = new QGroupBox(QStringLiteral(" Estimativa no ponto interpolado "), area);
  GrupoEstimativa->setObjectName(QStringLiteral("GrupoEstimativa"));
  GrupoEstimativa->setAccessibleName(QStringLiteral("Estimativa no ponto interpolado"));
  GrupoEstimativa->setGeometry(8, 524, 726, 56);
  rbCoeficientes = Nomeado(new QRadioButton(QStringLiteral("Coeficientes &interpolados"), GrupoEstimativa),
                           "rbCoeficientes", QStringLiteral("Coeficientes interpolados"));
  rbIntensidades =
      Nomeado(new QRadioButton(QStringLiteral("Intensidades interpoladas (a&juste)"), GrupoEstimativa),
              "rbIntensidades", QStringLiteral("Intensidades interpoladas (ajuste)"));
  rbCoeficientes->setGeometry(10, 16, 170, 18);
  rbIntensidades->setGeometry(10, 34, 230, 18);
  lCoeficientes =
      ComValor(new QLabel(GrupoEstimativa), "lCoeficientes", QStringLiteral("Coeficientes interpolados"));
  lIntensidades = ComValor(new QLabel(GrupoEstimativa), "lIntensidades",
                           QStringLiteral("Intensidades interpoladas (ajuste)"));
  lCoeficientes->setGeometry(244, 16, 476, 18);
  lIntensidades->setGeometry(244, 34, 476, 18);
  rbCoeficientes->setChecked(true);
  GrupoEstimativa->setEnabled(false);

  setFixedSize(sizeHint());

  // Connections: every handler that can fail shows its message in the error box.
  auto ligar = [this](auto* emissor, auto sinal, void (TfrmFoConsulta::*handler)()) {
    connect(emissor, sinal, this, [this, handler] { Protegido([&] { (this->*handler)(); }); });
  };
  ligar(Estados, &QComboBox::activated, &TfrmFoConsulta::EstadosClick);
  connect(rbIntensidades, &QRadioButton::toggled, this, [this] { AplicarEstimativa(); });
  LigarLista(LBEstacao, &TfrmFoConsulta::LBEstacaoClick);
  LigarLista(LBLocalidade, &TfrmFoConsulta::LBLocalidadeClick);
  ligar(Calculalalo, &QPushButton::clicked, &TfrmFoConsulta::CalculalaloClick);
  ligar(Autor, &QPushButton::clicked, &TfrmFoConsulta::AutorClick);
  ligar(BtnOk, &QPushButton::clicked, &TfrmFoConsulta::BtnOkClick);
  ligar(BtnCancel, &QPushButton::clicked, &TfrmFoConsulta::BtnCancelClick);
  ligar(BtnRelat, &QPushButton::clicked, &TfrmFoConsulta::BtnRelatClick);
  ligar(BtnAjuda, &QPushButton::clicked, &TfrmFoConsulta::BtnAjudaClick);
  ligar(MapadoBrasil1, &QAction::triggered, &TfrmFoConsulta::MapadoBrasil1Click);
  ligar(Relatrio1, &QAction::triggered, &TfrmFoConsulta::BtnRelatClick);
  ligar(Contedo1, &QAction::triggered, &TfrmFoConsulta::Contedo1Click);
  ligar(ObterAjudaSobre1, &QAction::triggered, &TfrmFoConsulta::ObterAjudaSobre1Click);
  ligar(Sobre1, &QAction::triggered, &TfrmFoConsulta::Sobre1Click);
  connect(EstadoBMP, &TAreaMapa::Movido, this,
          [this](int px, int py) { Protegido([&] { EstadoBMPMouseMove(px, py); }); });
  connect(EstadoBMP, &TAreaMapa::Solto, this,
          [this](int px, int py) { Protegido([&] { EstadoBMPMouseUp(px, py); }); });
  connect(BrasilBMP, &TAreaMapa::Movido, this,
          [this](int px, int py) { Protegido([&] { BrasilBMPMouseMove(px, py); }); });
  connect(BrasilBMP, &TAreaMapa::Solto, this,
          [this](int px, int py) { Protegido([&] { BrasilBMPMouseUp(px, py); }); });
}

// A list handler runs when the user moves the selection (mouse or keys) and
// also when the user clicks the item already selected.
void TfrmFoConsulta::LigarLista(QListWidget* lista, void (TfrmFoConsulta::*handler)()) {
  lista->viewport()->installEventFilter(this);
  connect(lista, &QListWidget::currentRowChanged, this, [this, handler](int linha) {
    if (linha < 0) return;
    mudouNoClique_ = true;
    Protegido([&] { (this->*handler)(); });
  });
  connect(lista, &QListWidget::itemClicked, this, [this, handler](QListWidgetItem*) {
    if (mudouNoClique_) {
      mudouNoClique_ = false;
      return;
    }
    Protegido([&] { (this->*handler)(); });
  });
}

bool TfrmFoConsulta::eventFilter(QObject* alvo, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress && (alvo == PrecLaAux || alvo == PrecLoAux)) {
    // Typing, not moving between controls, takes the point off the map.
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    const QString texto = tecla->text();
    if ((!texto.isEmpty() && texto.at(0).isPrint()) || tecla->key() == Qt::Key_Backspace ||
        tecla->key() == Qt::Key_Delete)
      PrecLaAuxKeyPress();
  } else if (evento->type() == QEvent::MouseButtonPress &&
             (alvo == LBEstacao->viewport() || alvo == LBLocalidade->viewport())) {
    mudouNoClique_ = false;
  }
  return QDialog::eventFilter(alvo, evento);
}

void TfrmFoConsulta::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  if (ativada_) return;
  if (QScreen* tela = screen()) move(tela->availableGeometry().center() - rect().center());
  QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TfrmFoConsulta::DefinirContextoAjuda(int contexto) {
  toolkit::gui::DefinirContextoAjuda(this, contexto);
}

bool TfrmFoConsulta::MapaVisivel() const {
  return !EstadoBMP->isHidden() && Notebook1->currentIndex() == 1;
}

// --- Coordinates ---------------------------------------------------------------

void TfrmFoConsulta::DefinirLatitudeDigitada(const std::string& texto) {
  const double valor = GrausDoTextoDigitado(texto, TEixoCoordenada::Latitude);
  if (MapaVisivel() && moldura_ && (valor < moldura_->LatitudeNorte || valor > moldura_->LatitudeSul))
    throw std::runtime_error("Latitude " + texto + " não definida.");
  latitude_ = valor;
  latitudeTexto_ = texto;
}

void TfrmFoConsulta::DefinirLongitudeDigitada(const std::string& texto) {
  const double valor = GrausDoTextoDigitado(texto, TEixoCoordenada::Longitude);
  if (MapaVisivel() && moldura_ && (valor < moldura_->LongitudeLeste || valor > moldura_->LongitudeOeste))
    throw std::runtime_error("Longitude " + texto + " não definida.");
  longitude_ = valor;
  longitudeTexto_ = texto;
}

QPoint TfrmFoConsulta::PixelDe(double latitude, double longitude) const {
  if (!moldura_) return {-1, -1};
  return {qRound(moldura_->XDaLongitude(longitude)), qRound(moldura_->YDaLatitude(latitude))};
}

bool TfrmFoConsulta::AzulDoEstado(int x, int y) const {
  QRgb cor = 0;
  return EstadoBMP->Cor(x, y, cor) && cor == kAzulEstado;
}

// --- Display helpers -------------------------------------------------------------

void TfrmFoConsulta::DefinirLegendaAutor(const std::string& legenda) {
  legendaAutor_ = legenda;
  QString texto = Q(legenda);
  Autor->setAccessibleName(legenda.empty() ? QStringLiteral("Fonte da equação") : texto);
  Autor->setText(texto.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

void TfrmFoConsulta::MostrarCoeficientesGerais(const TEstacao& r) {
  PrecK->setText(Q(toolkit::FormatoGeral(r.K)));
  PrecA->setText(Q(toolkit::FormatoGeral(r.a)));
  PrecB->setText(Q(toolkit::FormatoGeral(r.b)));
  PrecC->setText(Q(toolkit::FormatoGeral(r.c)));
}

void TfrmFoConsulta::SemEstimativas() {
  textosClassicos_.clear();
  textosAjuste_.clear();
  lCoeficientes->clear();
  lIntensidades->clear();
  GrupoEstimativa->setEnabled(false);
}

void TfrmFoConsulta::MostrarEstimativas(const TEstacao& classica, const char* padraoK, const char* padraoB) {
  const auto f = [](const char* padrao, double v) { return Q(toolkit::FormatarNumero(padrao, v)); };
  const auto linha = [](const QStringList& t) {
    return QStringLiteral("K = %1   a = %2   b = %3   c = %4").arg(t[0], t[1], t[2], t[3]);
  };
  textosClassicos_ = {f(padraoK, classica.K), f("0.000", classica.a), f(padraoB, classica.b),
                      f("0.000", classica.c)};
  const TAjusteIdf ajuste = bd_->InterpolarIntensidades(latitudeTexto_, longitudeTexto_);
  const TEquacaoIdf& e = ajuste.Equacao;
  textosAjuste_ = {f("###0.000", e.K), f("0.000", e.a), f("#0.000", e.b), f("0.000", e.c)};
  lCoeficientes->setText(linha(textosClassicos_));
  lIntensidades->setText(linha(textosAjuste_) +
                         QStringLiteral("   (erro do ajuste: máximo %1 %, mediana %2 %)")
                             .arg(f("0.0", 100 * ajuste.ErroMaximo), f("0.0", 100 * ajuste.ErroMediano)));
  GrupoEstimativa->setEnabled(true);
  AplicarEstimativa();
}

void TfrmFoConsulta::AplicarEstimativa() {
  if (textosClassicos_.isEmpty()) return;
  const QStringList& t = rbIntensidades->isChecked() ? textosAjuste_ : textosClassicos_;
  PrecK->setText(t[0]);
  PrecA->setText(t[1]);
  PrecB->setText(t[2]);
  PrecC->setText(t[3]);
}

void TfrmFoConsulta::LimparCoeficientes() {
  for (QLineEdit* e : {PrecK, PrecA, PrecB, PrecC}) e->clear();
  SemEstimativas();
}

void TfrmFoConsulta::EsconderMira() {
  EixoX->hide();
  EixoY->hide();
  LabelLat->hide();
  LabelLon->hide();
}

void TfrmFoConsulta::EsconderTextosBrasil() {
  for (QLabel* l : {NomeCid, LatCid, LonCid, LabelLatitude, LabelLongitude}) l->hide();
}

void TfrmFoConsulta::PosicionarMira(int x, int y) {
  EixoY->move(x, 0);
  EixoX->move(0, y);
  LabelLon->move(kLadoMapa - x < 250 ? x - 62 : x + 5, y > 100 ? 15 : 420);
  LabelLat->move(x > 100 ? 10 : 385, y > 30 ? y - 20 : y + 10);
  for (QWidget* w : std::initializer_list<QWidget*>{EixoX, EixoY, LabelLat, LabelLon}) {
    w->show();
    w->raise();
  }
}

// The cross-hair and its texts at the current place; hidden when its pixel
// misses the state's blue.
void TfrmFoConsulta::MirarLugar() {
  const QPoint p = PixelDe(latitude_, longitude_);
  if (!AzulDoEstado(p.x(), p.y())) {
    EsconderMira();
    return;
  }
  LabelLat->setText(Q(latitudeTexto_));
  LabelLon->setText(Q(longitudeTexto_));
  PosicionarMira(p.x(), p.y());
}

void TfrmFoConsulta::AtualizarAviso() {
  const std::string chave = ChaveCitacaoAviso;
  lAviso->setVisible(Estado.Indice() == 8 && !chave.empty() && legendaAutor_ == chave);
}

// The stations of the map's state as dots; the selected one ringed.
void TfrmFoConsulta::AtualizarPontosEstacoes() {
  QVector<QPoint> pontos;
  int destacado = -1;
  if (moldura_) {
    for (const TEstacao& e : bd_->Estacoes(moldura_->Estado)) {
      try {
        pontos << PixelDe(TextoParaGraus(e.Latitude), TextoParaGraus(e.Longitude));
      } catch (const std::exception&) {
        pontos << QPoint(-1, -1);  // a station without coordinates has no dot
      }
    }
    if (Estado.Indice() == moldura_->Estado) destacado = LinhaSelecionada(LBEstacao);
  }
  EstadoBMP->DefinirPontos(pontos, destacado);
}

// --- Handlers ------------------------------------------------------------------------

void TfrmFoConsulta::EstadosClick() {
  const int anterior = Estado.Indice();
  try {
    SelecionarEstado();
  } catch (const EMapaAusente&) {
    if (anterior != Estados->currentIndex()) {
      Estado.SetIndice(static_cast<int16_t>(anterior));
      Estados->setCurrentIndex(anterior);
      try {
        SelecionarEstado();
      } catch (const std::exception&) {
        // The first message says what is wrong; the previous state stays chosen.
      }
    }
    throw;
  }
}

void TfrmFoConsulta::SelecionarEstado() {
  CursorDeEspera espera;
  EsconderMira();
  LabelLat->clear();
  LabelLon->clear();
  LimparCoeficientes();
  PrecLaAux->setText(CoordenadaZero);
  PrecLoAux->setText(CoordenadaZero);
  EsconderTextosBrasil();

  const int indice = Estados->currentIndex();
  const TMolduraMapa* mapa = MolduraDoEstado(indice);
  if (mapa) moldura_ = mapa;

  Estado.SetIndice(static_cast<int16_t>(indice));
  localidades_.clear();
  const std::string nome = Estado.Nome();
  setWindowTitle(QStringLiteral("Nimbóra 2.1 - Estado: ") + Q(nome) + QStringLiteral("     "));
  Autor->setEnabled(true);

  if (mapa) {
    Notebook1->setCurrentIndex(1);
    PrecLaAux->setEnabled(true);
    PrecLoAux->setEnabled(true);
    Calculalalo->setEnabled(true);
    const QString arquivo = ArquivoDoMapa(bd_->Pasta(), mapa->Sigla);
    const QImage imagem = arquivo.isEmpty() ? QImage() : QImage(arquivo);
    if (imagem.isNull()) {
      espera.Restaurar();
      throw EMapaAusente("Erro. Não foi possível localizar o arquivo BMP do estado selecinado (" + nome +
                         ").");
    }
    EstadoBMP->DefinirImagem(imagem);
    EstadoBMP->setCursor(Qt::CrossCursor);
    bd_->LerLocalidades(indice);
    localidades_ = bd_->Localidades();
    EstadoBMP->show();
  } else if (EstadoSemDados(indice)) {
    DefinirLegendaAutor("");
    Autor->setEnabled(false);
  } else {
    Notebook1->setCurrentIndex(0);
    PrecLaAux->setEnabled(false);
    PrecLoAux->setEnabled(false);
    Calculalalo->setEnabled(false);
    EsconderMira();
    LabelLat->clear();
    LabelLon->clear();
    EstadoBMP->hide();
  }

  {
    const QSignalBlocker b1(LBLocalidade);
    LBLocalidade->clear();
    if (!localidades_.empty()) {
      for (const TLocalidade& l : localidades_) LBLocalidade->addItem(Q(l.Nome));
      LBLocalidade->setCurrentRow(0);
    }
  }
  LBLocalidade->setVisible(!localidades_.empty());
  LLocalidades->setVisible(!localidades_.empty());
  const std::vector<TEstacao>& estacoes = bd_->Estacoes(indice);
  {
    const QSignalBlocker b2(LBEstacao);
    LBEstacao->clear();
    for (const TEstacao& e : estacoes) LBEstacao->addItem(Q(e.Nome));
    if (!estacoes.empty()) LBEstacao->setCurrentRow(0);
  }

  espera.Restaurar();
  AtualizarAviso();
  AtualizarPontosEstacoes();
  if (marcador_ != QLatin1String(kMarcadorAtivacao) && !estacoes.empty()) {
    Selecionar(LBEstacao, 0);
    LBEstacaoClick();
  }
}

void TfrmFoConsulta::LBEstacaoClick() {
  const int linha = LinhaSelecionada(LBEstacao);
  if (linha < 0) return;
  IndEstacao = static_cast<int16_t>(linha);
  TirarSelecao(LBLocalidade);
  const std::vector<TEstacao>& estacoes = bd_->Estacoes(Estado.Indice());
  if (linha >= static_cast<int>(estacoes.size())) return;
  registro_ = estacoes[static_cast<std::size_t>(linha)];
  nomeLocal_ = registro_.Nome;
  DefinirLatitudeDigitada(registro_.Latitude);
  DefinirLongitudeDigitada(registro_.Longitude);

  const QString lat = Q(latitudeTexto_), lon = Q(longitudeTexto_);
  // The caption always names the source of the coefficients shown, even when
  // the station's pixel misses the state's blue (a gauge on the border line).
  DefinirLegendaAutor(SemBrancosAFinal(registro_.Fonte));
  SemEstimativas();
  MostrarCoeficientesGerais(registro_);
  if (MapaVisivel()) {
    PrecLaAux->setText(lat);
    PrecLoAux->setText(lon);
    MirarLugar();
  } else {
    NomeCid->setText(Q(SemBrancosAFinal(registro_.Nome)));
    LabelLatitude->setText(lat);
    LabelLongitude->setText(lon);
    for (QLabel* l : {NomeCid, LatCid, LonCid, LabelLatitude, LabelLongitude}) l->show();
    EixoX->hide();
    EixoY->hide();
    LabelLat->move(71, 43);
    LabelLon->move(71, 58);
    LabelLat->show();
    LabelLon->show();
  }
  AtualizarAviso();
  AtualizarPontosEstacoes();
}

void TfrmFoConsulta::LBLocalidadeClick() {
  const int linha = LinhaSelecionada(LBLocalidade);
  if (linha < 0) return;
  IndLocalidade = static_cast<int16_t>(linha);
  TirarSelecao(LBEstacao);
  if (linha >= static_cast<int>(localidades_.size())) return;
  const TLocalidade& local = localidades_[static_cast<std::size_t>(linha)];
  nomeLocal_ = local.Nome;
  DefinirLatitudeDigitada(local.Latitude);
  DefinirLongitudeDigitada(local.Longitude);

  registro_ = bd_->Interpolar(latitudeTexto_, longitudeTexto_);
  const QString lat = Q(latitudeTexto_), lon = Q(longitudeTexto_);
  PrecLaAux->setText(lat);
  PrecLoAux->setText(lon);
  PrecK->setText(Q(toolkit::FormatarNumero("####.000", registro_.K)));
  PrecA->setText(Q(toolkit::FormatarNumero("0.000", registro_.a)));
  PrecB->setText(Q(toolkit::FormatarNumero("##.000", registro_.b)));
  PrecC->setText(Q(toolkit::FormatarNumero("0.000", registro_.c)));
  MostrarEstimativas(registro_, "####.000", "##.000");
  DefinirLegendaAutor(FonteInterpolacao);  // also for a locality just off the blue
  MirarLugar();
  AtualizarAviso();
  AtualizarPontosEstacoes();
}

void TfrmFoConsulta::EstadoBMPMouseMove(int x, int y) {
  if (AzulDoEstado(x, y) && moldura_) {
    EstadoBMP->setCursor(Qt::CrossCursor);
    PrecLaAux->setText(Q(GrausParaTexto(moldura_->LatitudeDoPixel(y))));
    PrecLoAux->setText(Q(GrausParaTexto(moldura_->LongitudeDoPixel(x))));
  } else {
    EstadoBMP->setCursor(Qt::ArrowCursor);
    PrecLaAux->setText(CoordenadaZero);
    PrecLoAux->setText(CoordenadaZero);
  }
}

void TfrmFoConsulta::EstadoBMPMouseUp(int x, int y) {
  if (EstadoBMP->cursor().shape() != Qt::CrossCursor || !moldura_) {
    EsconderMira();
    return;
  }
  nomeLocal_ = kNaoDefinida;
  TirarSelecao(LBEstacao);
  TirarSelecao(LBLocalidade);
  EsconderTextosBrasil();
  if (!pontoDigitado_) {
    // A value outside the frame keeps the previous value and text.
    const double lat = moldura_->LatitudeDoPixel(y);
    if (lat >= moldura_->LatitudeNorte - kFolga && lat <= moldura_->LatitudeSul + kFolga) {
      latitude_ = lat;
      latitudeTexto_ = GrausParaTexto(lat);
    }
    PrecLaAux->setText(Q(latitudeTexto_));
    LabelLat->setText(Q(latitudeTexto_));
    const double lon = moldura_->LongitudeDoPixel(x);
    if (lon >= moldura_->LongitudeLeste - kFolga && lon <= moldura_->LongitudeOeste + kFolga) {
      longitude_ = lon;
      longitudeTexto_ = GrausParaTexto(lon);
    }
    PrecLoAux->setText(Q(longitudeTexto_));
    LabelLon->setText(Q(longitudeTexto_));
  }
  const TEstacao r = bd_->Interpolar(latitudeTexto_, longitudeTexto_);
  LabelLat->setText(Q(latitudeTexto_));
  LabelLon->setText(Q(longitudeTexto_));
  PosicionarMira(x, y);
  PrecK->setText(Q(toolkit::FormatarNumero("###0.000", r.K)));
  PrecA->setText(Q(toolkit::FormatarNumero("0.000", r.a)));
  PrecB->setText(Q(toolkit::FormatarNumero("#0.000", r.b)));
  PrecC->setText(Q(toolkit::FormatarNumero("0.000", r.c)));
  MostrarEstimativas(r, "###0.000", "#0.000");
  DefinirLegendaAutor(FonteInterpolacao);
  AtualizarAviso();
  AtualizarPontosEstacoes();
}

void TfrmFoConsulta::BrasilBMPMouseMove(int x, int y) {
  QRgb cor = 0;
  bool estado = BrasilBMP->Cor(x, y, cor);
  if (estado) {
    for (const auto& c : CoresSemEstado)
      if (qRed(cor) == c[0] && qGreen(cor) == c[1] && qBlue(cor) == c[2]) estado = false;
  }
  BrasilBMP->setCursor(estado ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TfrmFoConsulta::BrasilBMPMouseUp(int x, int y) {
  QRgb cor = 0;
  if (BrasilBMP->Cor(x, y, cor)) {
    const int estado = EstadoDaCor(static_cast<uint8_t>(qRed(cor)), static_cast<uint8_t>(qGreen(cor)),
                                   static_cast<uint8_t>(qBlue(cor)));
    if (estado >= 0) Estados->setCurrentIndex(estado);
  }
  EstadosClick();
}

void TfrmFoConsulta::CalculalaloClick() {
  TirarSelecao(LBEstacao);
  TirarSelecao(LBLocalidade);
  DefinirLatitudeDigitada(TextoDaMascara(PrecLaAux));
  DefinirLongitudeDigitada(TextoDaMascara(PrecLoAux));
  const QPoint p = PixelDe(latitude_, longitude_);
  LabelLat->clear();
  LabelLon->clear();
  if (MapaVisivel() && AzulDoEstado(p.x(), p.y())) {
    EstadoBMP->setCursor(Qt::CrossCursor);
    pontoDigitado_ = true;
    try {
      EstadoBMPMouseUp(p.x(), p.y());
    } catch (...) {
      pontoDigitado_ = false;
      throw;
    }
    pontoDigitado_ = false;
  } else {
    LimparCoeficientes();
    EsconderMira();
  }
}

void TfrmFoConsulta::PrecLaAuxKeyPress() {
  EsconderTextosBrasil();
  EsconderMira();
}

void TfrmFoConsulta::AutorClick() {
  TfrmFoAutor dialogo(this);
  dialogo.Limpar();
  if (const TCitacao* c = ProcurarCitacao(legendaAutor_)) {
    dialogo.Preencher(Q(c->Autores), Q(c->Titulo), Q(c->Publicacao));
    dialogo.exec();
  } else {
    toolkit::gui::Mensagens().Informar(QStringLiteral("Informação"), QString::fromUtf8(kTextoInterpolacao));
  }
  dialogo.Limpar();
}

void TfrmFoConsulta::BtnOkClick() {
  Estimativa = GrupoEstimativa->isEnabled() && rbIntensidades->isChecked()
                   ? TNimbora21::TEstimativa::Intensidades
                   : TNimbora21::TEstimativa::Coeficientes;
  IndEstacao = static_cast<int16_t>(LinhaSelecionada(LBEstacao));
  IndLocalidade = static_cast<int16_t>(LinhaSelecionada(LBLocalidade));
  Autoria = legendaAutor_ == "Autor" ? std::string() : legendaAutor_;
  accept();
}

void TfrmFoConsulta::BtnCancelClick() {
  reject();
}

void TfrmFoConsulta::BtnRelatClick() {
  TfrmFoRelatNimbora relatorio(this);
  relatorio.setWindowState(Qt::WindowMaximized);
  relatorio.exec();
}

void TfrmFoConsulta::BtnAjudaClick() {
  toolkit::gui::MostrarAjuda(7);
}

void TfrmFoConsulta::MapadoBrasil1Click() {
  if (MolduraDoEstado(Estados->currentIndex())) {
    Estados->setCurrentIndex(0);
    EstadosClick();
  }
  Notebook1->setCurrentIndex(0);
}

void TfrmFoConsulta::Sobre1Click() {
  TfrmFoSobreNimbora sobre(this);
  sobre.exec();
}

void TfrmFoConsulta::Contedo1Click() {
  toolkit::gui::MostrarAjuda(0);
}

void TfrmFoConsulta::ObterAjudaSobre1Click() {
  toolkit::gui::MostrarIndiceAjuda();
}

// Runs once, when the window is first shown: later activations (after the
// report, the reference dialog or a message box) keep the user's choice.
void TfrmFoConsulta::FormActivate() {
  if (ativada_) return;
  ativada_ = true;
  (Estimativa == TNimbora21::TEstimativa::Intensidades ? rbIntensidades : rbCoeficientes)->setChecked(true);
  Protegido([&] {
    Estados->setCurrentIndex(Estado.Indice());
    marcador_ = QLatin1String(kMarcadorAtivacao);
    try {
      EstadosClick();
    } catch (...) {
      marcador_.clear();
      throw;
    }
    marcador_.clear();

    Selecionar(LBEstacao, IndEstacao);
    Selecionar(LBLocalidade, IndLocalidade);
    if (IndEstacao >= 0) {
      if (IndEstacao < LBEstacao->count()) LBEstacaoClick();
    } else if (IndLocalidade >= 0) {
      if (IndLocalidade < LBLocalidade->count()) LBLocalidadeClick();
    } else if (!latitudeTexto_.empty() && !longitudeTexto_.empty()) {
      PrecLaAux->setText(Q(latitudeTexto_));
      PrecLoAux->setText(Q(longitudeTexto_));
      CalculalaloClick();
    }
  });
  if (primeiraAtivacao_ && ShowAbout) Sobre1Click();
  primeiraAtivacao_ = false;
}
