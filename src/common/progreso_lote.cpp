#include "common/progreso_lote.h"

#include <algorithm>
#include <string_view>

namespace {

// The log named by a step text, or empty when the text names none.
std::string LogDelTexto(const std::string& texto) {
  for (std::string_view prefijo : {std::string_view("Procesando "), std::string_view("Calculando ")})
    if (texto.size() > prefijo.size() && std::string_view(texto).substr(0, prefijo.size()) == prefijo)
      return texto.substr(prefijo.size());
  return {};
}

}  // namespace

void ProgresoLote::Empieza(const std::vector<std::string>& entradas) {
  Empieza(entradas.size());
  por_nombre_ = true;
  lugares_.reserve(entradas.size());
  for (std::size_t i = 0; i < entradas.size(); ++i) lugares_.emplace(entradas[i], i + 1);
}

void ProgresoLote::Empieza(std::size_t total) {
  activo_ = true;
  por_nombre_ = false;
  lugares_.clear();
  total_ = total;
  actual_ = 0;
}

void ProgresoLote::Termina() {
  activo_ = false;
  lugares_.clear();
}

std::string ProgresoLote::Texto(const std::string& texto) {
  if (!activo_ || total_ == 0) return texto;
  // A text that names a log makes it the log in hand; every step text from
  // then on ("Generando LISTA VALIDA", the "FIN PROCESO" of that log) says
  // which log it is about.
  const std::string log = LogDelTexto(texto);
  if (!log.empty()) {
    if (por_nombre_) {
      const auto it = lugares_.find(log);
      if (it != lugares_.end()) actual_ = it->second;
    } else {
      actual_ = std::min(actual_ + 1, total_);
    }
  }
  if (actual_ == 0) return texto;
  return texto + " (" + std::to_string(actual_) + " de " + std::to_string(total_) + ")";
}

int ProgresoLote::Porcentaje(int del_log) const {
  if (!activo_ || total_ == 0) return del_log;
  const long long parte = std::clamp(del_log, 0, 100);
  const long long hechos = actual_ == 0 ? 0 : static_cast<long long>(actual_) - 1;
  return static_cast<int>((hechos * 100 + parte) / static_cast<long long>(total_));
}
