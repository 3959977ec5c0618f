#pragma once
// Test helpers of the IDF database, written from the packed layout alone (not
// from the reader): a writer of fixture files and an independent reader of
// the delivered files. Texts are given and returned in Windows-1252 bytes.
#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace teste_idf {

struct Estacao {
  std::string nome;
  double K, a, b, c;
  std::string fonte, lat, lon;
};

struct Localidade {
  std::string nome, lat, lon;
};

using Bytes = std::vector<unsigned char>;

inline void Curto(Bytes& b, const std::string& t, std::size_t cap, unsigned char enchimento = 0) {
  b.push_back(static_cast<unsigned char>(t.size()));
  for (std::size_t i = 0; i < cap; ++i)
    b.push_back(i < t.size() ? static_cast<unsigned char>(t[i]) : enchimento);
}

inline void Real(Bytes& b, double v) {
  unsigned char x[8];
  std::memcpy(x, &v, 8);  // tests run on little-endian hosts, as the files are
  b.insert(b.end(), x, x + 8);
}

inline void Contagem(Bytes& b, std::size_t n) {
  b.push_back(static_cast<unsigned char>(n & 0xFF));
  b.push_back(static_cast<unsigned char>(n >> 8));
}

// enchimento: the bytes after each text, which the reader must ignore.
inline Bytes ArquivoEstacoes(const std::array<std::vector<Estacao>, 27>& estados,
                             unsigned char enchimento = 0) {
  Bytes b{0x2A};
  for (const auto& lista : estados) {
    Contagem(b, lista.size());
    for (const Estacao& e : lista) {
      Curto(b, e.nome, 68, enchimento);
      Real(b, e.K);
      Real(b, e.a);
      Real(b, e.b);
      Real(b, e.c);
      Curto(b, e.fonte, 30, enchimento);
      Curto(b, e.lat, 9, enchimento);
      Curto(b, e.lon, 9, enchimento);
    }
  }
  return b;
}

inline Bytes ArquivoLocalidades(const std::array<std::vector<Localidade>, 27>& estados) {
  Bytes b{0x2A};
  for (const auto& lista : estados) {
    Contagem(b, lista.size());
    for (const Localidade& l : lista) {
      Curto(b, l.nome, 68);
      Curto(b, l.lat, 9);
      Curto(b, l.lon, 9);
    }
  }
  return b;
}

inline void Gravar(const std::filesystem::path& caminho, const Bytes& b) {
  std::ofstream f(caminho, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

inline Bytes Ler(const std::filesystem::path& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  if (!f) throw std::runtime_error("cannot open " + caminho.string());
  return Bytes(std::istreambuf_iterator<char>(f), {});
}

// Independent reader: offsets 0, 69, 77, 85, 93, 101, 132, 142 of a 152-byte
// station record; 0, 69, 79 of an 89-byte locality record. Throws when the
// file is not exactly one byte + 27 counted lists or a length is over capacity.
class Independente {
 public:
  static std::array<std::vector<Estacao>, 27> Estacoes(const Bytes& b) {
    std::array<std::vector<Estacao>, 27> r;
    std::size_t p = 1;
    for (auto& lista : r) {
      const std::size_t n = U16(b, p);
      p += 2;
      for (std::size_t i = 0; i < n; ++i, p += 152) {
        Exigir(b, p + 152);
        lista.push_back({Texto(b, p + 0, 68), D(b, p + 69), D(b, p + 77), D(b, p + 85), D(b, p + 93),
                         Texto(b, p + 101, 30), Texto(b, p + 132, 9), Texto(b, p + 142, 9)});
      }
    }
    if (p != b.size()) throw std::runtime_error("trailing bytes");
    return r;
  }

  static std::array<std::vector<Localidade>, 27> Localidades(const Bytes& b) {
    std::array<std::vector<Localidade>, 27> r;
    std::size_t p = 1;
    for (auto& lista : r) {
      const std::size_t n = U16(b, p);
      p += 2;
      for (std::size_t i = 0; i < n; ++i, p += 89) {
        Exigir(b, p + 89);
        lista.push_back({Texto(b, p + 0, 68), Texto(b, p + 69, 9), Texto(b, p + 79, 9)});
      }
    }
    if (p != b.size()) throw std::runtime_error("trailing bytes");
    return r;
  }

 private:
  static void Exigir(const Bytes& b, std::size_t fim) {
    if (fim > b.size()) throw std::runtime_error("short file");
  }
  static std::size_t U16(const Bytes& b, std::size_t p) {
    Exigir(b, p + 2);
    return b[p] | (b[p + 1] << 8);
  }
  static double D(const Bytes& b, std::size_t p) {
    double v;
    std::memcpy(&v, &b[p], 8);
    return v;
  }
  static std::string Texto(const Bytes& b, std::size_t p, std::size_t cap) {
    if (b[p] > cap) throw std::runtime_error("length over capacity");
    return std::string(reinterpret_cast<const char*>(&b[p + 1]), b[p]);
  }
};

// Pixel of a 24-bit bottom-up Windows bitmap.
struct Bitmap {
  int largura = 0, altura = 0;
  Bytes dados;
  explicit Bitmap(const std::filesystem::path& caminho) : dados(Ler(caminho)) {
    if (dados.size() < 54 || dados[0] != 'B' || dados[1] != 'M') throw std::runtime_error("not a BMP");
    largura = I32(18);
    altura = I32(22);
    if (I16(28) != 24 || I32(30) != 0) throw std::runtime_error("not 24-bit uncompressed");
  }
  std::array<int, 3> Rgb(int x, int y) const {
    const std::size_t linha = (static_cast<std::size_t>(largura) * 3 + 3) / 4 * 4;
    const std::size_t p = static_cast<std::size_t>(I32(10)) +
                          static_cast<std::size_t>(altura - 1 - y) * linha + static_cast<std::size_t>(x) * 3;
    return {dados.at(p + 2), dados.at(p + 1), dados.at(p)};
  }

 private:
  int I32(std::size_t p) const {
    return static_cast<int>(dados[p] | (dados[p + 1] << 8) | (dados[p + 2] << 16) |
                            (static_cast<unsigned>(dados[p + 3]) << 24));
  }
  int I16(std::size_t p) const { return dados[p] | (dados[p + 1] << 8); }
};

}  // namespace teste_idf
