#pragma once
// A table from texts to values for the answers a run keeps by callsign
// (country, prefix and district): a contest's logs name tens of thousands
// of stations, each asked about once per QSO, while the answers are few
// (a few hundred countries).
//
// Each slot holds its text when the text is short (a callsign is) and the
// number of its value; each distinct value is kept once, in a deque, so
// that a look-up mostly touches one slot and a value that is kept hot, and
// a value keeps its place while the table grows. A longer text is kept
// apart and compared there.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scoring {

// The hash of a short text (a call, a band, a prefix): FNV-1a, then mixed so
// that its low bits can pick the slot of a table a power of two long.
inline std::uint64_t HashTexto(std::string_view texto) {
  std::uint64_t h = 0xCBF29CE484222325ull;
  for (unsigned char c : texto) h = (h ^ c) * 0x100000001B3ull;
  h ^= h >> 31;
  h *= 0x94D049BB133111EBull;
  return h ^ (h >> 29);
}

// `V` is ordered (operator<): equal values are kept once.
template <typename V>
class TablaTextos {
 public:
  // The value of the text; nullptr when it has none.
  const V* Busca(std::string_view texto) const {
    if (cuantos_ == 0) return nullptr;
    const Hueco& h = huecos_[Sitio(texto, HashTexto(texto))];
    return h.valor == 0 ? nullptr : &valores_[h.valor - 1];
  }
  // Gives the text its value (the text has none yet).
  const V& Pon(std::string_view texto, V valor) {
    if ((cuantos_ + 1) * 4 > huecos_.size() * 3) Crece();
    const std::uint64_t hash = HashTexto(texto);
    Hueco& h = huecos_[Sitio(texto, hash)];
    auto [it, nuevo] = numeros_.emplace(std::move(valor), static_cast<std::uint32_t>(valores_.size() + 1));
    if (nuevo) valores_.push_back(it->first);
    h.valor = it->second;
    h.huella = static_cast<std::uint32_t>(hash >> 32);
    if (texto.size() <= kCorto) {
      h.largo = static_cast<std::uint8_t>(texto.size());
      std::copy(texto.begin(), texto.end(), h.texto);
    } else {
      h.largo = kLargo;
      const auto n = static_cast<std::uint32_t>(largos_.size());
      largos_.emplace_back(texto);
      std::memcpy(h.texto, &n, sizeof n);
    }
    ++cuantos_;
    return valores_[h.valor - 1];
  }
  std::size_t Cuantos() const { return cuantos_; }
  void Vacia() {
    huecos_.clear();
    largos_.clear();
    valores_.clear();
    numeros_.clear();
    cuantos_ = 0;
  }

 private:
  static constexpr std::size_t kCorto = 22;
  static constexpr std::uint8_t kLargo = 0xFF;
  struct Hueco {
    std::uint32_t valor = 0;  // 1 + the place of the value; 0: an empty slot
    std::uint32_t huella = 0;
    std::uint8_t largo = 0;  // of the text, or kLargo: the text is largos_[the number in `texto`]
    char texto[kCorto + 1] = {};
  };
  static_assert(sizeof(Hueco) == 32);

  std::string_view Texto(const Hueco& h) const {
    if (h.largo != kLargo) return std::string_view(h.texto, h.largo);
    std::uint32_t n = 0;
    std::memcpy(&n, h.texto, sizeof n);
    return largos_[n];
  }

  // The slot of the text, or the empty slot where it would go.
  std::size_t Sitio(std::string_view texto, std::uint64_t hash) const {
    const std::size_t mascara = huecos_.size() - 1;
    const auto huella = static_cast<std::uint32_t>(hash >> 32);
    for (std::size_t i = static_cast<std::size_t>(hash) & mascara;; i = (i + 1) & mascara) {
      const Hueco& h = huecos_[i];
      if (h.valor == 0) return i;
      if (h.huella == huella && Texto(h) == texto) return i;
    }
  }

  void Crece() {
    std::vector<Hueco> antes(huecos_.empty() ? 1024 : huecos_.size() * 2);
    antes.swap(huecos_);
    const std::size_t mascara = huecos_.size() - 1;
    for (const Hueco& h : antes) {
      if (h.valor == 0) continue;
      std::size_t i = static_cast<std::size_t>(HashTexto(Texto(h))) & mascara;
      while (huecos_[i].valor != 0) i = (i + 1) & mascara;
      huecos_[i] = h;
    }
  }

  std::vector<Hueco> huecos_;  // a power of two long, at most three quarters full
  std::vector<std::string> largos_;
  std::deque<V> valores_;
  std::map<V, std::uint32_t> numeros_;  // each value, with its number
  std::size_t cuantos_ = 0;
};

}  // namespace scoring
