#pragma once
// The program's glyphs, drawn at run time so that the program carries no
// picture files of unknown origin.
#include <QIcon>
#include <QString>

// Names: "novo", "abrir", "salvar", "salvarComo", "fechar", "configurar",
// "impressora", "sobre", "ajuda", "sair", "visualizar", "programa", and
// "web:<letter>" (a globe with a letter badge). Unknown names give an empty icon.
QIcon Icone(const QString& nome);

// The drop-shaped emblem of the group, drawn in the given rectangle.
class QPainter;
class QRectF;
void DesenharGota(QPainter& p, const QRectF& caixa, const QColor& cor);
