#pragma once
// A table from texts to values for the answers a run keeps by callsign
// (country, prefix and district): a contest's logs name tens of thousands
// of stations, each asked about once per QSO.
//
// The slots are small (a fragment of the hash and the place of the entry)
// and open-addressed, so that a look-up mostly touches one slot and one
// entry; the entries are kept in a deque, so that a value keeps its place
// while the table grows.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scoring {

template <typename V>
class TablaTextos {
 public:
  using Entrada = std::pair<std::string, V>;  // a text and its value

  // The entry of the text; nullptr when it has none.
  const Entrada* Busca(std::string_view texto) const {
    if (entradas_.empty()) return nullptr;
    const std::size_t i = Sitio(texto, Hash(texto));
    return huecos_[i].entrada == 0 ? nullptr : &entradas_[huecos_[i].entrada - 1];
  }
  // Gives the text its value (the text has none yet).
  const Entrada& Pon(std::string_view texto, V valor) {
    if ((entradas_.size() + 1) * 2 > huecos_.size()) Crece();
    const std::uint64_t hash = Hash(texto);
    Hueco& h = huecos_[Sitio(texto, hash)];
    entradas_.emplace_back(std::string(texto), std::move(valor));
    h.huella = Huella(hash);
    h.entrada = static_cast<std::uint32_t>(entradas_.size());
    return entradas_.back();
  }
  std::size_t Cuantos() const { return entradas_.size(); }
  void Vacia() {
    entradas_.clear();
    huecos_.clear();
  }

 private:
  struct Hueco {
    std::uint32_t huella = 0;
    std::uint32_t entrada = 0;  // 1 + the place of the entry; 0: an empty slot
  };

  static std::uint64_t Hash(std::string_view texto) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (unsigned char c : texto) h = (h ^ c) * 0x100000001B3ull;
    h ^= h >> 31;
    h *= 0x94D049BB133111EBull;
    return h ^ (h >> 29);
  }
  static std::uint32_t Huella(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

  // The slot of the text, or the empty slot where it would go.
  std::size_t Sitio(std::string_view texto, std::uint64_t hash) const {
    const std::size_t mascara = huecos_.size() - 1;
    const std::uint32_t huella = Huella(hash);
    for (std::size_t i = static_cast<std::size_t>(hash) & mascara;; i = (i + 1) & mascara) {
      const Hueco& h = huecos_[i];
      if (h.entrada == 0) return i;
      if (h.huella == huella && entradas_[h.entrada - 1].first == texto) return i;
    }
  }

  void Crece() {
    huecos_.assign(huecos_.empty() ? 1024 : huecos_.size() * 2, Hueco{});
    const std::size_t mascara = huecos_.size() - 1;
    for (std::size_t e = 0; e < entradas_.size(); ++e) {
      const std::uint64_t hash = Hash(entradas_[e].first);
      std::size_t i = static_cast<std::size_t>(hash) & mascara;
      while (huecos_[i].entrada != 0) i = (i + 1) & mascara;
      huecos_[i] = {Huella(hash), static_cast<std::uint32_t>(e + 1)};
    }
  }

  std::vector<Hueco> huecos_;  // a power of two long, at most half full
  std::deque<Entrada> entradas_;
};

}  // namespace scoring
