#pragma once
// The state maps of the IDF database: 450 x 450 bitmaps "<code>.bmp" in the
// database folder with the state painted RGB(0, 0, 255), and the frame that maps
// their pixels to degrees (west and south as positive numbers):
//   latitude  = N + (S - N) * (Y - y0) / h
//   longitude = E + (W - E) * (w - (X - x0)) / w      (left edge = west)
// The Brazil map "Brasil.bmp" paints each state in its own colour.
#include <array>
#include <cstdint>
#include <string>

struct TMolduraMapa {
  const char* Sigla;  // "BA": the map file is Sigla + ".bmp"
  int Estado;         // index in the state table
  int X0, Y0, Largura, Altura;
  double LongitudeLeste, LongitudeOeste, LatitudeNorte, LatitudeSul;

  double LatitudeDoPixel(double y) const;
  double LongitudeDoPixel(double x) const;
  double XDaLongitude(double longitude) const;
  double YDaLatitude(double latitude) const;
};

// Bahia, Espírito Santo, Minas Gerais, Paraná, Rio de Janeiro, São Paulo, Tocantins.
extern const std::array<TMolduraMapa, 7> MoldurasMapas;

// The frame of a state, or nullptr for a state without a map.
const TMolduraMapa* MolduraDoEstado(int estado);

constexpr int LadoMapa = 450;
extern const char* const ArquivoMapaBrasil;  // "Brasil.bmp"

struct TCorEstado {
  uint8_t R, G, B;
  int Estado;
};

// Brazil map colours in the order the window tests them.
extern const std::array<TCorEstado, 23> CoresMapaBrasil;

// Colours that are no state (background, borders, and the four states
// without data); the pointer stays an arrow over them.
extern const std::array<std::array<uint8_t, 3>, 6> CoresSemEstado;

// The state painted in this colour on the Brazil map, or -1.
int EstadoDaCor(uint8_t r, uint8_t g, uint8_t b);
