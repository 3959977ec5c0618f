// Frames and colours of the IDF database maps (pixel <-> degrees).
#include "idf/MapasEstados.h"

const std::array<TMolduraMapa, 7> MoldurasMapas = {{
    {"BA", 4, 16, 5, 414, 436, 37.339722, 46.629028, 8.532272, 18.349041},
    {"ES", 7, 86, 10, 278, 429, 39.664805, 41.879249, 17.891117, 21.301478},
    {"MG", 12, 16, 64, 420, 327, 39.856471, 51.04622, 14.232664, 22.922378},
    {"PR", 15, 27, 101, 420, 267, 48.023056, 54.618958, 22.516105, 26.715944},
    {"RJ", 18, 10, 82, 430, 284, 40.956445, 44.888529, 20.763474, 23.36849},
    {"SP", 24, 10, 92, 430, 265, 44.160556, 53.109609, 19.779323, 25.311931},
    {"TO", 26, 93, 7, 266, 437, 45.695667, 50.741611, 5.168047, 13.467389},
}};

const char* const ArquivoMapaBrasil = "Brasil.bmp";

const std::array<TCorEstado, 23> CoresMapaBrasil = {{
    {0, 0, 255, 12},    {0, 255, 255, 7},   {0, 153, 255, 18},   {0, 0, 153, 24},     {102, 0, 0, 20},
    {153, 0, 0, 23},    {204, 0, 0, 15},    {161, 161, 161, 10}, {67, 67, 67, 11},    {102, 102, 102, 8},
    {255, 255, 153, 4}, {255, 255, 0, 1},   {204, 204, 0, 16},   {255, 204, 102, 14}, {255, 153, 0, 19},
    {204, 102, 0, 5},   {153, 102, 0, 17},  {102, 51, 0, 9},     {0, 51, 0, 0},       {0, 102, 0, 3},
    {0, 153, 0, 13},    {102, 255, 51, 21}, {153, 255, 153, 26},
}};

const std::array<std::array<uint8_t, 3>, 6> CoresSemEstado = {
    {{0, 0, 0}, {255, 255, 255}, {13, 13, 13}, {102, 102, 0}, {51, 204, 0}, {0, 204, 0}}};

double TMolduraMapa::LatitudeDoPixel(double y) const {
  return LatitudeNorte + (LatitudeSul - LatitudeNorte) * (y - Y0) / Altura;
}

double TMolduraMapa::LongitudeDoPixel(double x) const {
  return LongitudeLeste + (LongitudeOeste - LongitudeLeste) * (Largura - (x - X0)) / Largura;
}

double TMolduraMapa::XDaLongitude(double longitude) const {
  return X0 + Largura - Largura * (LongitudeLeste - longitude) / (LongitudeLeste - LongitudeOeste);
}

double TMolduraMapa::YDaLatitude(double latitude) const {
  return Y0 + Altura * (latitude - LatitudeNorte) / (LatitudeSul - LatitudeNorte);
}

const TMolduraMapa* MolduraDoEstado(int estado) {
  for (const TMolduraMapa& m : MoldurasMapas)
    if (m.Estado == estado) return &m;
  return nullptr;
}

int EstadoDaCor(uint8_t r, uint8_t g, uint8_t b) {
  for (const TCorEstado& c : CoresMapaBrasil)
    if (c.R == r && c.G == g && c.B == b) return c.Estado;
  return -1;
}
