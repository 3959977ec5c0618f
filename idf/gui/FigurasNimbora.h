#pragma once
// Pictures of the IDF query drawn by the program itself: the about-box
// picture and the banner of the IDF report (saved once as
// "Cabecalho_Nimbora21.jpg" in the database folder by tools/idf).
#include <QImage>

// 559 x 340.
QImage DesenharSobreNimbora();
// 550 x 73.
QImage DesenharCabecalhoNimbora();

// Toolbar pictures of the IDF report, 24 x 24.
QImage DesenharIconeImprimir();
QImage DesenharIconeFechar();
