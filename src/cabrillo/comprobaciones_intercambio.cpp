#include "cabrillo/comprobaciones_intercambio.h"

#include "cabrillo/indicativo_base.h"
#include "plataforma/lenguaje.h"
#include "plataforma/texto.h"

namespace cabrillo {

namespace {

bool BuscaProvincia(const DatosConcursoLog& concurso, const Logico& lleva_siglas, std::string_view codigo) {
  if (!(EsCierto(lleva_siglas) && EsCierto(concurso.CadaProv))) return true;
  return concurso.Provincias.find(codigo) != concurso.Provincias.end();
}

// The suffix of a call of area 7 stands for its code when it is exactly the
// code and three characters long.
bool SufijoComoSiglas(std::string_view sufijo_de, std::string_view codigo) {
  const std::string sufijo = plataforma::Medio(sufijo_de, 4);
  return plataforma::Longitud(sufijo) == 3 && sufijo == codigo;
}

}  // namespace

bool VerificaSiglasEnviadas(const DatosConcursoLog& concurso, std::string_view codigo) {
  return BuscaProvincia(concurso, concurso.EnviarSiglas, codigo);
}

bool VerificaSiglasRecibidas(const DatosConcursoLog& concurso, std::string_view codigo) {
  return BuscaProvincia(concurso, concurso.RecibirSiglas, codigo);
}

bool VerificaSiglasEnviadasEspeciales(const DatosConcursoLog& concurso, std::string_view codigo,
                                      std::string_view indicativo) {
  if (plataforma::Like(indicativo, "E?7*") && SufijoComoSiglas(indicativo, codigo)) return true;
  return VerificaSiglasEnviadas(concurso, codigo);
}

bool VerificaSiglasRecibidasEspeciales(const DatosConcursoLog& concurso, std::string_view codigo,
                                       std::string_view indicativo) {
  if (plataforma::Like(indicativo, "E?7*") && SufijoComoSiglas(IndicativoBase(indicativo), codigo)) return true;
  return VerificaSiglasRecibidas(concurso, codigo);
}

bool VerificaLocator(std::string_view locator) {
  const std::string l = plataforma::Mayusculas(locator);
  if (l.size() != 6) return false;
  auto entre = [](char c, char desde, char hasta) { return c >= desde && c <= hasta; };
  return entre(l[0], 'A', 'S') && entre(l[1], 'A', 'S') && entre(l[2], '0', '9') && entre(l[3], '0', '9') &&
         entre(l[4], 'A', 'X') && entre(l[5], 'A', 'X');
}

void SeparaProvinciaLiteral(std::string_view literal, std::string& provincia, std::string& resto) {
  resto.clear();
  if (literal.empty() || literal == "-" || literal.front() != 'C') return;
  provincia.clear();
  const std::size_t guion = literal.find('-');
  if (guion == std::string_view::npos) return;
  provincia = std::string(literal.substr(1, guion - 1));
  resto = std::string(literal.substr(guion + 1));
}

void SeparaReferenciaVG(std::string_view referencia, std::string& letras, std::string& digitos) {
  digitos.clear();
  if (referencia.empty()) return;
  letras.clear();
  const std::size_t vg = referencia.find("VG");
  if (vg == std::string_view::npos) return;
  for (char c : referencia.substr(vg + 2)) {
    if (c >= '0' && c <= '9')
      digitos += c;
    else
      letras += c;
  }
}

bool EsDistritoPortugues(std::string_view codigo, std::string_view pais, std::string_view indicativo) {
  if (pais != "CT") return true;
  return codigo == "CT" + plataforma::Medio(indicativo, 3, 1);
}

}  // namespace cabrillo
