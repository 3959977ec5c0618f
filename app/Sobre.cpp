#include "app/Sobre.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

#include "app/Icones.h"
#include "toolkit/Versao.h"
#include "toolkit/gui/Desenho.h"
#include "toolkit/gui/Mensagens.h"

namespace {

using toolkit::gui::FonteQueCabe;

const QColor kMarinho(0, 0, 128);

void DesenharHidrograma(QPainter& p) {
  // The large drop behind the chart.
  p.save();
  p.setOpacity(0.55);
  DesenharGota(p, QRectF(20, 12, 235, 316), QColor(70, 150, 220));
  p.restore();

  const QRectF grade(48, 88, 200, 170);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 215));
  p.drawRect(grade);
  p.setPen(QPen(QColor(170, 185, 205), 1, Qt::DotLine));
  for (int i = 1; i < 8; ++i) {
    const qreal x = grade.left() + i * grade.width() / 8;
    p.drawLine(QPointF(x, grade.top()), QPointF(x, grade.bottom()));
  }
  for (int i = 1; i < 6; ++i) {
    const qreal y = grade.top() + i * grade.height() / 6;
    p.drawLine(QPointF(grade.left(), y), QPointF(grade.right(), y));
  }
  p.setPen(QPen(QColor(40, 40, 40), 1.5));
  p.drawLine(grade.bottomLeft(), grade.bottomRight());
  p.drawLine(grade.bottomLeft(), grade.topLeft());

  // Rising limb, peak, recession: the shape of a runoff hydrograph.
  QPainterPath curva;
  const qreal x0 = grade.left(), y0 = grade.bottom();
  curva.moveTo(x0, y0);
  curva.lineTo(x0 + 18, y0 - 1);
  curva.cubicTo(x0 + 45, y0 - 8, x0 + 55, grade.top() + 18, x0 + 70, grade.top() + 16);
  curva.cubicTo(x0 + 85, grade.top() + 14, x0 + 95, y0 - 70, x0 + 120, y0 - 38);
  curva.cubicTo(x0 + 145, y0 - 12, x0 + 170, y0 - 5, grade.right(), y0 - 3);
  QPainterPath area = curva;
  area.lineTo(grade.right(), y0);
  area.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 110, 200, 60));
  p.drawPath(area);
  p.setPen(QPen(QColor(20, 70, 170), 2.5));
  p.setBrush(Qt::NoBrush);
  p.drawPath(curva);

  QFont f = QApplication::font();
  f.setPixelSize(11);
  p.setFont(f);
  p.setPen(QColor(30, 30, 30));
  p.drawText(QRectF(grade.left() - 40, grade.top() - 20, 80, 16), Qt::AlignCenter, QStringLiteral("Q (L/s)"));
  p.drawText(QRectF(grade.right() - 50, grade.bottom() + 4, 60, 16), Qt::AlignCenter,
             QStringLiteral("t (min)"));
}

}  // namespace

QPixmap TFSobre::DesenharImagem() {
  QPixmap imagem(kLargura, kAltura);
  QPainter p(&imagem);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient fundo(0, 0, kLargura, kAltura);
  fundo.setColorAt(0, QColor(250, 252, 255));
  fundo.setColorAt(1, QColor(206, 226, 244));
  p.fillRect(imagem.rect(), fundo);
  p.setPen(QPen(QColor(120, 150, 190), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1, 1, kLargura - 2, kAltura - 2));

  DesenharHidrograma(p);

  QFont base = QApplication::font();
  // Title over lCaudalente (288, 18, 259, 40).
  QFont titulo = base;
  titulo.setBold(true);
  const QString textoTitulo = QStringLiteral(CAUDALENTE_TITULO);
  titulo = FonteQueCabe(titulo, textoTitulo, 245, 38);
  p.setFont(titulo);
  p.setPen(kMarinho);
  p.drawText(QRectF(288, 16, 259, 42), Qt::AlignCenter, textoTitulo);

  // What the program is.
  QFont frase = base;
  frase.setPixelSize(16);
  frase.setItalic(true);
  p.setFont(frase);
  p.setPen(QColor(30, 50, 80));
  p.drawText(QRectF(296, 86, 244, 130), Qt::AlignCenter | Qt::TextWordWrap,
             QStringLiteral("Modelo para a obtenção de hidrogramas de escoamento superficial "
                            "em áreas agrícolas"));
  p.setPen(QPen(QColor(120, 150, 190), 1));
  p.drawLine(QPointF(300, 236), QPointF(540, 236));

  // The group's emblem under lGota (289, 261, 60, 62).
  DesenharGota(p, QRectF(299, 263, 40, 56), QColor(30, 110, 200));
  QPainterPath onda;
  onda.moveTo(305, 302);
  onda.cubicTo(312, 296, 318, 308, 325, 301);
  onda.cubicTo(329, 297, 332, 300, 334, 302);
  p.setPen(QPen(Qt::white, 2));
  p.drawPath(onda);

  // Group names under lGrupo (364, 258, 180, 39): two lines underlined at 277 and 297.
  QFont grupo = base;
  grupo.setBold(true);
  grupo.setPixelSize(15);
  p.setFont(grupo);
  p.setPen(kMarinho);
  p.drawText(QRectF(364, 259, 180, 18), Qt::AlignCenter, QStringLiteral("Equipe Caudalente"));
  QFont sub = base;
  sub.setPixelSize(13);
  p.setFont(sub);
  p.drawText(QRectF(364, 279, 180, 18), Qt::AlignCenter, QStringLiteral("Hidrologia agrícola"));
  // Department under lDepartamento (408, 301, 89, 16), institution below it.
  QFont depto = base;
  depto.setPixelSize(11);
  p.setFont(FonteQueCabe(depto, QStringLiteral("Eng. Agrícola"), 84, 12));
  p.drawText(QRectF(408, 301, 89, 15), Qt::AlignCenter, QStringLiteral("Eng. Agrícola"));
  depto.setPixelSize(10);
  p.setFont(depto);
  p.setPen(QColor(60, 70, 90));
  p.drawText(QRectF(364, 319, 180, 14), Qt::AlignCenter, QStringLiteral("Universidade"));
  p.end();
  return imagem;
}

TFSobre::TFSobre(const TLigacoesSobre& ligacoes, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ligacoes_(ligacoes) {
  setObjectName(QStringLiteral("FSobre"));
  setWindowTitle(QStringLiteral("Sobre o ") + toolkit::gui::TituloAplicacao());
  setFixedSize(kLargura, kAltura);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(0, 0, kLargura, kAltura);
  Image1->setPixmap(DesenharImagem());
  Image1->setMouseTracking(true);
  Image1->installEventFilter(this);

  lCaudalente = AreaQuente(QRect(288, 18, 259, 40), QStringLiteral("lCaudalente"));
  sCaudalente = Sublinhado(QRect(295, 59, 248, 1), QStringLiteral("sCaudalente"));
  lGrupo = AreaQuente(QRect(364, 258, 180, 39), QStringLiteral("lGrupo"));
  lGota = AreaQuente(QRect(289, 261, 60, 62), QStringLiteral("lGota"));
  sGrupo1 = Sublinhado(QRect(369, 277, 172, 1), QStringLiteral("sGrupo1"));
  sGrupo2 = Sublinhado(QRect(386, 297, 142, 1), QStringLiteral("sGrupo2"));
  lDepartamento = AreaQuente(QRect(408, 301, 89, 16), QStringLiteral("lDepartamento"));
  sDepartamento = Sublinhado(QRect(415, 316, 80, 1), QStringLiteral("sDepartamento"));
  sGrupo1->setContextMenuPolicy(Qt::DefaultContextMenu);
  sCaudalente->setContextMenuPolicy(Qt::DefaultContextMenu);

  Timer1 = new QTimer(this);
  Timer1->setInterval(5000);
  Timer1->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this, &QDialog::close);

  if (const QScreen* tela = QGuiApplication::primaryScreen())
    move(tela->availableGeometry().center() - rect().center());
}

QLabel* TFSobre::AreaQuente(const QRect& caixa, const QString& nome) {
  auto* area = new QLabel(this);
  area->setObjectName(nome);
  area->setGeometry(caixa);
  area->setAttribute(Qt::WA_TranslucentBackground);
  area->setCursor(Qt::PointingHandCursor);
  area->installEventFilter(this);
  return area;
}

QFrame* TFSobre::Sublinhado(const QRect& caixa, const QString& nome) {
  auto* linha = new QFrame(this);
  linha->setObjectName(nome);
  linha->setGeometry(caixa);
  linha->setAutoFillBackground(true);
  QPalette paleta = linha->palette();
  paleta.setColor(QPalette::Window, kMarinho);
  linha->setPalette(paleta);
  linha->setCursor(Qt::PointingHandCursor);
  linha->hide();
  linha->installEventFilter(this);
  return linha;
}

void TFSobre::Status(const QString& texto) {
  if (ligacoes_.MostrarStatus) ligacoes_.MostrarStatus(texto);
}

void TFSobre::Abrir(int pagina) {
  if (ligacoes_.AbrirPagina) toolkit::gui::Protegido([&] { ligacoes_.AbrirPagina(pagina); });
}

bool TFSobre::eventFilter(QObject* alvo, QEvent* evento) {
  const auto endereco = [this](int pagina) {
    return ligacoes_.Endereco ? ligacoes_.Endereco(pagina) : QString();
  };
  switch (evento->type()) {
    case QEvent::MouseMove:
      if (alvo == Image1) {
        for (QFrame* s : {sCaudalente, sGrupo1, sGrupo2, sDepartamento}) s->hide();
        Status(QString());
      }
      break;
    case QEvent::Enter:
      if (alvo == lGrupo || alvo == lGota) {
        sGrupo1->show();
        sGrupo2->show();
        sDepartamento->hide();
        sCaudalente->hide();
        Status(endereco(kPaginaGrupo));
      } else if (alvo == lDepartamento) {
        sDepartamento->show();
        sGrupo1->hide();
        sGrupo2->hide();
        sCaudalente->hide();
        Status(endereco(kPaginaDepartamento));
      } else if (alvo == lCaudalente) {
        sCaudalente->show();
        Status(endereco(kPaginaCaudalente));
      }
      break;
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(evento)->button() != Qt::LeftButton) break;
      if (alvo == Image1) {
        close();
        return true;
      }
      if (alvo == lGrupo || alvo == lGota) {
        Abrir(kPaginaGrupo);
        return true;
      }
      if (alvo == lDepartamento) {
        Abrir(kPaginaDepartamento);
        return true;
      }
      if (alvo == lCaudalente) {
        Abrir(kPaginaCaudalente);
        return true;
      }
      break;
    case QEvent::ContextMenu:
      if (alvo == sGrupo1 || alvo == sCaudalente) {
        Abrir(kPaginaGrupo);
        return true;
      }
      break;
    default:
      break;
  }
  return QDialog::eventFilter(alvo, evento);
}

void TFSobre::keyPressEvent(QKeyEvent* evento) {
  evento->accept();
  close();
}

void TFSobre::mousePressEvent(QMouseEvent* evento) {
  evento->accept();
  close();
}

TFSobre* TFSobre::MostrarAbertura(const TLigacoesSobre& ligacoes) {
  auto* janela = new TFSobre(ligacoes);
  janela->setAttribute(Qt::WA_DeleteOnClose);
  janela->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  janela->show();
  janela->repaint();
  janela->Timer1->start();
  return janela;
}

void TFSobre::MostrarSobre(const TLigacoesSobre& ligacoes, QWidget* parent) {
  TFSobre janela(ligacoes, parent);
  janela.exec();
}
