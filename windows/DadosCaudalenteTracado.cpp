// Page 2 of the data-entry window: the matrix division of the hillslope
// (lines across the slope, counted from the top) and of the channel (1-m
// columns), and the trace of a hydrograph at a chosen line or column.
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <cmath>

#include "idf/Nimbora21Comp.h"
#include "model/channel/uCanalCinematico.h"
#include "model/channel/uTracado.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "toolkit/FormatoNumero.h"
#include "toolkit/gui/Ajuda.h"
#include "toolkit/gui/Mensagens.h"
#include "windows/Acompanhamento.h"
#include "windows/DadosCaudalente.h"
#include "windows/VazoPlot31.h"

namespace {

using toolkit::gui::Protegido;

const QColor kCinza(212, 208, 200);

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QString Geral(double valor) {
  return Q(toolkit::FormatoGeral(valor));
}

QLineEdit* Leitura(const char* nome, const QString& rotulo, QWidget* pai, int x, int y, int largura = 60,
                   const QString& unidade = QString()) {
  auto* e = new QLineEdit(pai);
  e->setObjectName(QLatin1String(nome));
  e->setGeometry(x, y, largura, 21);
  e->setReadOnly(true);
  e->setFocusPolicy(Qt::ClickFocus);
  QPalette cinza = e->palette();
  cinza.setColor(QPalette::Base, kCinza);
  e->setPalette(cinza);
  auto* r = new QLabel(rotulo, pai);
  r->adjustSize();
  r->move(x - 6 - r->width(), y + (21 - r->height()) / 2);
  r->setBuddy(e);
  e->setAccessibleName(QString(rotulo).remove(QLatin1Char('&')));
  if (!unidade.isEmpty()) {
    auto* u = new QLabel(unidade, pai);
    u->adjustSize();
    u->move(x + largura + 4, y + (21 - u->height()) / 2);
  }
  return e;
}

QSpinBox* Giro(const char* nome, const QString& rotulo, QWidget* pai, int x, int y, int maximo) {
  auto* s = new QSpinBox(pai);
  s->setObjectName(QLatin1String(nome));
  s->setGeometry(x, y, 79, 22);
  s->setRange(1, maximo);
  s->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  auto* r = new QLabel(rotulo, pai);
  r->adjustSize();
  r->move(x - 6 - r->width(), y + (22 - r->height()) / 2);
  r->setBuddy(s);
  s->setAccessibleName(QString(rotulo).remove(QLatin1Char('&')));
  return s;
}

QLineEdit* EditDoGiro(QSpinBox* s) {
  return s->findChild<QLineEdit*>();
}

bool TemTexto(QSpinBox* s) {
  return !EditDoGiro(s)->text().trimmed().isEmpty();
}

// Plan view of the hillslope as a grid of cells: lines are strips across the
// slope counted down from the top edge, columns are positions along the
// channel, which runs in blue along the foot.
class TDivisaoMatricial : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const QColor traco(90, 90, 90);
    const QRectF grade(46, 44, width() - 76, height() - 110);
    const double canalAltura = 22;
    const int colunas = 12, linhas = 8;
    const double lc = grade.width() / colunas, ll = grade.height() / linhas;

    // The hillslope: cells, one line highlighted, one column highlighted.
    p.fillRect(grade, QColor(226, 214, 170));
    p.fillRect(QRectF(grade.left(), grade.top() + 5 * ll, grade.width(), ll), QColor(240, 190, 120));
    p.fillRect(QRectF(grade.left() + 8 * lc, grade.top(), lc, grade.height() + canalAltura),
               QColor(150, 190, 120, 130));
    p.setPen(QPen(traco, 1));
    for (int i = 0; i <= colunas; ++i)
      p.drawLine(QPointF(grade.left() + i * lc, grade.top()), QPointF(grade.left() + i * lc, grade.bottom()));
    for (int j = 0; j <= linhas; ++j)
      p.drawLine(QPointF(grade.left(), grade.top() + j * ll), QPointF(grade.right(), grade.top() + j * ll));

    // The channel at the foot.
    const QRectF canal(grade.left(), grade.bottom(), grade.width(), canalAltura);
    p.fillRect(canal, QColor(70, 130, 220));
    p.setPen(QPen(QColor(20, 60, 140), 1));
    p.drawRect(canal);
    QFont fonte = font();
    fonte.setPointSizeF(std::max(6.0, fonte.pointSizeF() - 0.5));
    p.setFont(fonte);
    p.setPen(Qt::white);
    p.drawText(canal, Qt::AlignCenter, QStringLiteral("Canal de terraço ou dreno superficial"));

    auto seta = [&p](QPointF a, QPointF b, const QColor& cor) {
      p.setPen(QPen(cor, 1.5));
      p.setBrush(cor);
      p.drawLine(a, b);
      const QPointF d = b - a;
      const double n = std::hypot(d.x(), d.y());
      if (n <= 0) return;
      const QPointF u = d / n, v(-u.y(), u.x());
      p.drawPolygon(QPolygonF{b, b - u * 8 + v * 4, b - u * 8 - v * 4});
    };
    p.setPen(Qt::black);
    // X along the top edge: the columns.
    seta(QPointF(grade.left(), grade.top() - 10), QPointF(grade.right() + 14, grade.top() - 10), Qt::black);
    p.setPen(Qt::black);
    p.drawText(QRectF(grade.left(), 4, grade.width(), 20), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Número de colunas (X)"));
    // Y down the left edge: the lines.
    seta(QPointF(grade.left() - 10, grade.top()), QPointF(grade.left() - 10, grade.bottom() + 12), Qt::black);
    p.save();
    p.translate(14, grade.center().y());
    p.rotate(-90);
    p.setPen(Qt::black);
    p.drawText(QRectF(-grade.height() / 2, -8, grade.height(), 16), Qt::AlignCenter,
               QStringLiteral("Número de linhas (Y)"));
    p.restore();
    // St down the slope, Sc along the channel.
    const QColor vermelho(180, 30, 30);
    const double xs = grade.left() + 3.5 * lc;
    seta(QPointF(xs, grade.top() + 0.6 * ll), QPointF(xs, grade.top() + 3.6 * ll), vermelho);
    p.setPen(vermelho);
    p.drawText(QRectF(xs + 5, grade.top() + 1.6 * ll, 30, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("St"));
    const double yc = canal.bottom() + 12;
    seta(QPointF(grade.left() + 2 * lc, yc), QPointF(grade.left() + 6 * lc, yc), vermelho);
    p.setPen(vermelho);
    p.drawText(QRectF(grade.left() + 6 * lc + 6, yc - 8, 30, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Sc"));
    // Legend of the highlights.
    p.setPen(Qt::black);
    p.drawText(QRectF(grade.left(), height() - 22, grade.width(), 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Linha: faixa da encosta;  coluna: posição no canal"));
  }
};

}  // namespace

void TFDadosCaudalente::CriarTracado() {
  QWidget* pagina = PaginaCaudalente;
  pagina->setGeometry(0, 0, 615, 360);

  GroupBox6 = new QGroupBox(QStringLiteral(" Caudalente na &encosta "), pagina);
  GroupBox6->setObjectName(QStringLiteral("GroupBox6"));
  GroupBox6->setGeometry(16, 11, 205, 190);
  toolkit::gui::DefinirContextoAjuda(GroupBox6, 2400);
  spLinha = Giro("spLinha", QStringLiteral("L&inha"), GroupBox6, 70, 25, 10000);
  edtTrecho = Leitura("edtTrecho", QStringLiteral("Trecho"), GroupBox6, 70, 54);
  EmY = Leitura("EmY", QStringLiteral("Em Y"), GroupBox6, 70, 83, 60, QStringLiteral("m"));
  Cota = Leitura("Cota", QStringLiteral("Desnível"), GroupBox6, 70, 112, 60, QStringLiteral("m"));
  bTracarCaudalenteEncosta = new QPushButton(QStringLiteral("Traçar caudalente na encosta"), GroupBox6);
  bTracarCaudalenteEncosta->setObjectName(QStringLiteral("bTracarCaudalenteEncosta"));
  bTracarCaudalenteEncosta->setGeometry(20, 146, 165, 28);
  GroupBox6->setFocusProxy(spLinha);

  GroupBox4 = new QGroupBox(QStringLiteral(" Caudalente no &canal "), pagina);
  GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
  GroupBox4->setGeometry(16, 214, 205, 138);
  toolkit::gui::DefinirContextoAjuda(GroupBox4, 2400);
  spColuna = Giro("spColuna", QStringLiteral("C&oluna"), GroupBox4, 70, 27, 1000);
  EmX = Leitura("EmX", QStringLiteral("Em X"), GroupBox4, 70, 56, 60, QStringLiteral("m"));
  ColunaAux = new QSpinBox(GroupBox4);
  ColunaAux->setObjectName(QStringLiteral("ColunaAux"));
  ColunaAux->setAccessibleName(QStringLiteral("Passo da coluna"));
  ColunaAux->setRange(1, 10000);
  ColunaAux->setValue(1);
  ColunaAux->setGeometry(128, 56, 19, 21);
  ColunaAux->setFocusPolicy(Qt::ClickFocus);
  EditDoGiro(ColunaAux)->setReadOnly(true);
  // The unit label of EmX sits under the arrows; they step the column.
  for (QLabel* r : GroupBox4->findChildren<QLabel*>())
    if (r->text() == QStringLiteral("m")) r->move(150, r->y());
  bTracarCaudalenteCanal = new QPushButton(QStringLiteral("Traçar caudalente no canal"), GroupBox4);
  bTracarCaudalenteCanal->setObjectName(QStringLiteral("bTracarCaudalenteCanal"));
  bTracarCaudalenteCanal->setGeometry(20, 93, 165, 28);
  GroupBox4->setFocusProxy(spColuna);

  GroupBox7 = new QGroupBox(QStringLiteral(" Divisão matricial da encosta "), pagina);
  GroupBox7->setObjectName(QStringLiteral("GroupBox7"));
  GroupBox7->setGeometry(250, 11, 358, 60);
  toolkit::gui::DefinirContextoAjuda(GroupBox7, 2401);
  // The labels are wider in this font than the design allowed: the first edit
  // moves right to keep its label whole.
  TotalLinhas = Leitura("TotalLinhas", QStringLiteral("Número de linhas"), GroupBox7, 110, 22);
  TotalColunas = Leitura("TotalColunas", QStringLiteral("Número de colunas"), GroupBox7, 284, 22);
  // Its label starts a gap after the first edit, whatever the font; the edit
  // follows it and gives up width rather than leave the frame.
  for (QLabel* r : GroupBox7->findChildren<QLabel*>())
    if (r->buddy() == TotalColunas) {
      r->move(TotalLinhas->geometry().right() + 14, r->y());
      const int x = r->geometry().right() + 7;
      TotalColunas->setGeometry(x, 22, qMin(60, GroupBox7->width() - 8 - x), 21);
    }

  auto* Panel1 = new QFrame(pagina);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setGeometry(250, 86, 358, 266);
  Image2 = new TDivisaoMatricial(Panel1);
  Image2->setObjectName(QStringLiteral("Image2"));
  Image2->setAccessibleName(QStringLiteral("Divisão matricial da encosta e do canal"));
  Image2->setGeometry(3, 3, 352, 260);

  // The spin boxes' own signal misses an emptied text, their edit's misses a
  // value set by program: both run the handlers.
  connect(spLinha, &QSpinBox::valueChanged, this, [this] { Protegido([&] { spLinhaChange(); }); });
  connect(spColuna, &QSpinBox::valueChanged, this, [this] { Protegido([&] { spColunaChange(); }); });
  connect(EditDoGiro(spLinha), &QLineEdit::textChanged, this,
          [this] { Protegido([&] { spLinhaChange(); }); });
  connect(EditDoGiro(spColuna), &QLineEdit::textChanged, this,
          [this] { Protegido([&] { spColunaChange(); }); });
  connect(ColunaAux, &QSpinBox::valueChanged, this, [this] { Protegido([&] { ColunaAuxChange(); }); });
  connect(bTracarCaudalenteEncosta, &QPushButton::clicked, this,
          [this] { Protegido([&] { bTracarCaudalenteEncostaClick(false); }); });
  connect(bTracarCaudalenteCanal, &QPushButton::clicked, this,
          [this] { Protegido([&] { bTracarCaudalenteEncostaClick(true); }); });
}

void TFDadosCaudalente::DivisaoMatricial() {
  const TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  const bool irregular = pcEncosta->currentWidget() == tsIrregular;
  int linhas = 0;
  if (irregular)
    linhas = encosta.SomaLinhas();
  else if (encosta.Count() > 0)
    linhas = encosta.Trechos(encosta.Count() - 1).NumeroLinhas();
  spLinha->setMaximum(std::max(1, linhas));
  TotalLinhas->setText(QString::number(linhas));
  spLinha->setValue(spLinha->maximum());
  spLinhaChange();

  const TCanalCinematico& canal = *dados_.Canal;
  const int colunas =
      canal.DeltaX > 0 ? static_cast<int>(std::nearbyint(canal.Comprimento() / canal.DeltaX + 0.4)) : 0;
  spColuna->setMaximum(std::max(1, colunas));
  TotalColunas->setText(QString::number(colunas));
  spColuna->setValue(spColuna->maximum());
  spColunaChange();
}

void TFDadosCaudalente::spLinhaChange() {
  const TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  const bool irregular = pcEncosta->currentWidget() == tsIrregular;
  if (encosta.Count() > 0 && !irregular) {
    const TEncostaCinematica& t = encosta.Trechos(encosta.Count() - 1);
    const int v = spLinha->value();
    const double L = t.Comprimento();
    // A regular hillslope is one segment, whatever an irregular one showed before.
    edtTrecho->setText(QStringLiteral("1"));
    EmY->setText(Geral(L > 50 ? v * 0.5 : v * L / 100));
    double emY = 0;
    toolkit::TextoParaReal(EmY->text().toStdString(), emY);
    Cota->setText(Geral((L - emY) * t.St()));
    return;
  }
  if (encosta.Count() > 0) {
    if (!TemTexto(spLinha)) {
      EmY->clear();
      Cota->clear();
      edtTrecho->clear();
    } else {
      const int v = spLinha->value();
      int acumuladas = 0;
      double comprimentoAcima = 0, desnivelAcima = 0;
      int i = 0;
      for (; i < encosta.Count() - 1; ++i) {
        const TEncostaCinematica& t = encosta.Trechos(i);
        if (v <= acumuladas + t.NumeroLinhas()) break;
        acumuladas += t.NumeroLinhas();
        comprimentoAcima += t.Comprimento();
        desnivelAcima += t.Comprimento() * t.St();
      }
      const TEncostaCinematica& t = encosta.Trechos(i);
      const double s = t.DeltaX();
      edtTrecho->setText(QString::number(i + 1));
      EmY->setText(Geral(comprimentoAcima + (v - acumuladas) * s));
      Cota->setText(
          Q(toolkit::FormatarNumero("0.0##", DesnivelTotal - desnivelAcima - (v - acumuladas) * s * t.St())));
    }
  }
  bTracarCaudalenteEncosta->setEnabled(TemTexto(spLinha));
}

void TFDadosCaudalente::spColunaChange() {
  if (TemTexto(spColuna)) {
    EmX->setText(Geral(spColuna->value() * dados_.Canal->DeltaX));
    // The arrows beside EmX step from the column shown.
    const QSignalBlocker bloqueio(ColunaAux);
    ColunaAux->setValue(spColuna->value());
  } else {
    EmX->clear();
  }
  bTracarCaudalenteCanal->setEnabled(TemTexto(spColuna));
}

void TFDadosCaudalente::ColunaAuxChange() {
  spColuna->setValue(std::clamp(ColunaAux->value(), spColuna->minimum(), spColuna->maximum()));
}

namespace {

// The caption's note on the converged method: its estimated errors of the
// peak and the volume (relative) and of the time the outflow nears its peak.
QString NotaDoMetodo(const TCaudalente& serie, const TErroEstimado& erro) {
  if (!(std::isfinite(erro.Pico) && std::isfinite(erro.TempoPico) && std::isfinite(erro.Volume)) ||
      !(serie.VazaoMaxima > 0) || !(serie.Volume > 0))
    return QStringLiteral(" (método convergido)");
  auto numero = [](const char* padrao, double v) {
    return QString::fromStdString(toolkit::FormatarNumero(padrao, v));
  };
  return QStringLiteral(" (método convergido; erro estimado: pico ") +
         numero("0.000", 100 * erro.Pico / serie.VazaoMaxima) + QStringLiteral(" %, tempo ") +
         numero("0.000", erro.TempoPico) + QStringLiteral(" min, volume ") +
         numero("0.000", 100 * erro.Volume / serie.Volume) + QStringLiteral(" %)");
}

}  // namespace

void TFDadosCaudalente::bTracarCaudalenteEncostaClick(bool canal) {
  QMdiSubWindow* moldura = Moldura();
  QMdiArea* area = moldura ? moldura->mdiArea() : nullptr;
  QWidget* principal = area ? area->window() : window();
  const auto linha = static_cast<uint16_t>(spLinha->value());
  const int coluna = canal ? spColuna->value() : 0;

  principal->setEnabled(false);
  TFAcompanhamento* progresso = TFAcompanhamento::Criar(principal);
  auto restaurar = [&] {
    delete progresso;
    progresso = nullptr;
    principal->setEnabled(true);
  };
  const TMetodoNumerico metodo = dados_.Metodo ? *dados_.Metodo : TMetodoNumerico::Original;
  std::unique_ptr<TCaudalente> resultado;
  QString titulo;
  bool convergiu = true;
  TErroEstimado erro;
  try {
    const TProgressoTracado caixas{&progresso->CaixaEncosta, &progresso->CaixaTrecho,
                                   canal ? &progresso->CaixaCanal : nullptr};
    // The regular form is the last segment alone, whatever an earlier
    // irregular hillslope left above it.
    const TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
    const bool regular = pcEncosta->currentWidget() != tsIrregular && encosta.Count() > 1;
    const double comprimento =
        regular ? encosta.Trechos(encosta.Count() - 1).Comprimento() : ComprimentoTotal;
    resultado = TracarCaudalente(*dados_.Encosta, *dados_.Canal, dados_.Nimbora->Precipitacao(), linha,
                                 coluna, comprimento, caixas, regular, metodo, &convergiu, &erro);
    titulo = canal ? QStringLiteral("Caudalente no canal para um comprimento de ") + EmX->text() +
                         QStringLiteral(" m")
                   : QStringLiteral("Caudalente na encosta para um comprimento de ") + EmY->text() +
                         QStringLiteral(" m");
    if (metodo == TMetodoNumerico::Convergido) titulo += NotaDoMetodo(*resultado, erro);
  } catch (const ETracadoCancelado&) {
    restaurar();
    // Said where the main window says what happened.
    QStatusTipEvent aviso(QString::fromUtf8("Traçado cancelado."));
    QCoreApplication::sendEvent(principal, &aviso);
    return;
  } catch (...) {
    restaurar();
    throw;
  }
  delete progresso;
  progresso = nullptr;
  try {
    MostrarCaudalente(*resultado, titulo, SolicitarRelatorio, area);
  } catch (...) {
    principal->setEnabled(true);
    throw;
  }
  principal->setEnabled(true);
  // The chart is there; the user should know how far to trust its peak.
  if (!convergiu && resultado->Count() >= 3) toolkit::gui::Avisar(QString::fromUtf8(kMetodoNaoConvergiu));
}
