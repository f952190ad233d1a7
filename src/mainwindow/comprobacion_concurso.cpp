#include "mainwindow/comprobacion_concurso.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "common/reglas_qso.h"
#include "database/carpetas.h"
#include "mainwindow/validacion_concurso.h"
#include "plataforma/lenguaje.h"

namespace principal {

namespace {

constexpr const char* kBlanco = "Este dato no se puede dejar en blanco";

// An empty or all-blank text (only the space counts); an all-blank text
// becomes empty.
bool EnBlanco(std::string& texto) {
  if (texto.find_first_not_of(' ') != std::string::npos) return false;
  texto.clear();
  return true;
}

// The checks in their order; each failure fills the result and answers
// false.
class Comprobacion {
 public:
  Comprobacion(ConcursoEnEdicion& c, const EntornoComprobacion& e, ConsultasComprobacion& q) : c_(c), e_(e), q_(q) {}

  ResultadoComprobacion Ejecuta() {
    r_.Correcto = CamposConTipo() && DatosConcurso() && Listas();
    return r_;
  }

 private:
  bool Falla(int foco, std::optional<AvisoComprobacion> aviso) {
    r_.Foco = foco;
    r_.Aviso = std::move(aviso);
    return false;
  }
  bool Falla(int foco, std::string texto, std::string titulo, IconoAviso icono, bool pitido = false) {
    return Falla(foco, AvisoComprobacion{std::move(texto), std::move(titulo), icono, pitido});
  }
  bool FallaBlanco(int foco, const char* titulo) { return Falla(foco, kBlanco, titulo, IconoAviso::Pregunta, true); }

  // A date: blank passes (emptied), else it must normalise.
  std::optional<AvisoComprobacion> Fecha(std::string& texto) {
    if (EnBlanco(texto) || NormalizaFecha(texto)) return std::nullopt;
    return AvisoComprobacion{std::string(reglas::kMensajeFecha), std::string(reglas::kTituloFecha),
                             IconoAviso::Pregunta};
  }
  // A time: empty passes; an error may come without a notice.
  bool Hora(std::string& texto, int foco) {
    if (texto.empty()) return true;
    switch (reglas::VerificaFormatoHora(texto)) {
      case reglas::ResultadoHora::Correcta: return true;
      case reglas::ResultadoHora::ErrorSinAviso: return Falla(foco, std::nullopt);
      case reglas::ResultadoHora::ErrorConAviso: break;
    }
    return Falla(foco, std::string(reglas::kMensajeHora), std::string(reglas::kTituloHora), IconoAviso::Informacion);
  }

  // The typed fields from box 1 on: the points grid as whole numbers, the
  // rest by the types of their columns. Shown normalised only when all pass.
  bool CamposConTipo() {
    std::array<std::string, kNumeroCamposTexto> campos = c_.Textos;
    for (int i = 1; i < kNumeroCamposTexto; ++i) {
      std::string& texto = campos[static_cast<std::size_t>(i)];
      if (i >= kPrimerPunto && i <= kUltimoPunto) {
        EnBlanco(texto);
        if (!EsPuntuacionValida(texto)) return FallaNumero(i);
        continue;
      }
      if (i >= static_cast<int>(e_.Tipos.size())) continue;
      switch (e_.Tipos[static_cast<std::size_t>(i)]) {
        case TipoColumna::Fecha:
          if (auto aviso = Fecha(texto)) return Falla(i, std::move(aviso));
          break;
        case TipoColumna::Entero16:
        case TipoColumna::Entero32:
        case TipoColumna::Doble:
          if (EnBlanco(texto)) {
            texto.assign(1, '0');
          } else if (texto != "-" && !plataforma::EsNumerico(texto)) {
            return FallaNumero(i);
          }
          break;
        default: break;
      }
    }
    c_.Textos = campos;
    return true;
  }
  bool FallaNumero(int foco) {
    return Falla(foco, ".- ERROR en FORMATO NUMERICO", "VERIFICAR NUMERO ", IconoAviso::Pregunta);
  }

  std::int32_t Numero() const { return NumeroDeCaja(c_.Textos[0]); }

  bool DatosConcurso() {
    std::array<std::string, kNumeroCamposTexto> campos = c_.Textos;
    const std::string& nombre = campos[1];
    const std::string& edicion = campos[2];

    // Name and edition, which also name the contest's folder.
    if (EnBlanco(campos[1])) return FallaBlanco(1, "Concurso");
    if (!TextoValidoParaCarpeta(nombre))
      return Falla(1,
                   ".- El nombre del concurso no puede contener \"/\", \"\\\", \"..\" ni caracteres de control, "
                   "porque da nombre a la carpeta del concurso",
                   "VERIFICAR NOMBRE DEL CONCURSO", IconoAviso::Error);
    if (EnBlanco(campos[2])) return FallaBlanco(2, "Edicion");
    if (!TextoValidoParaCarpeta(edicion))
      return Falla(2,
                   ".- La edición del concurso no puede contener \"/\", \"\\\", \"..\" ni caracteres de control, "
                   "porque da nombre a la carpeta del concurso",
                   "VERIFICAR EDICION DEL CONCURSO", IconoAviso::Error);

    // Another contest with the name typed and the same edition.
    if (c_.Textos[1] != e_.NombreEnCurso && q_.HayConNombreYEdicion(c_.Textos[1], c_.Textos[2]))
      return Falla(2, "Ya existe otro Concurso con la misma Edición", ".- ERROR EN NUEVA EDICIÖN)", IconoAviso::Error);

    // Another contest whose folder would be this one's (names that differ
    // only in case, blanks or control characters, or in where the "_"
    // falls): their logs and results would mix.
    if (auto otro = q_.OtroEnLaMismaCarpeta(nombre, edicion, Numero()))
      return Falla(1, MensajeCarpetaDeOtroConcurso(NombreCarpetaConcurso(nombre, edicion), otro->Nombre, otro->Edicion),
                   std::string(kTituloCarpetaDeOtroConcurso), IconoAviso::Error);

    // The period.
    struct Paso {
      int indice;
      bool esFecha;
      const char* tituloBlanco;
    };
    static constexpr Paso kPeriodo[] = {{3, true, "FECHA DEL CONCURSO"},
                                        {4, false, "HORA DEL COMIENZO CONCURSO"},
                                        {5, true, "FECHA DEL CONCURSO"},
                                        {6, false, "HORA DEL FINAL CONCURSO"}};
    for (const Paso& p : kPeriodo) {
      std::string& campo = campos[static_cast<std::size_t>(p.indice)];
      if (EnBlanco(campo)) return FallaBlanco(p.indice, p.tituloBlanco);
      if (p.esFecha) {
        if (auto aviso = Fecha(campo)) return Falla(p.indice, std::move(aviso));
      } else if (!Hora(campo, p.indice)) {
        return false;
      }
    }
    for (std::size_t i = 0; i <= 6; ++i) c_.Textos[i] = campos[i];
    if (!ComienzoAnteriorAlFinal(c_.Textos[3], c_.Textos[4], c_.Textos[5], c_.Textos[6]))
      return Falla(5, "Fecha y Hora de comienzo del CONCURSO mayor o igual que la fecha final", ".- ERROR EN FECHAS",
                   IconoAviso::Pregunta, true);

    if (!c_.HayBanda()) return Falla(1, "No hay ninguna BANDA configurada", "VERIFICAR BANDA", IconoAviso::Error);
    if (!c_.HayModo()) return Falla(1, "No hay ningún MODO configurado", "VERIFICAR MODO", IconoAviso::Error);

    // The repeat interval, only under "Repetir cada".
    if (c_.Valor(Opcion::RepetirCadaHoras)) {
      std::string horas = campos[kCampoHoras];
      bool correcto;
      if (EnBlanco(horas)) {
        correcto = Falla(kCampoHoras,
                         "Falta el número de horas en que se puede REPETIR ESTACIÓN (Poner 24 para repetir "
                         "contacto por dia )",
                         "VERIFICAR HORAS DE REPETICION", IconoAviso::Error);
      } else {
        horas = reglas::HorasRepeticion(horas);
        correcto = Hora(horas, kCampoHoras);
      }
      if (!correcto) {
        // Ticking "Distinta Banda" or "Distinto Modo" after "Repetir cada"
        // closes the hours box; the operator must be able to type them.
        r_.AbreHoras = true;
        return false;
      }
      c_.Textos[kCampoHoras] = horas;
    }

    if (c_.Valor(Opcion::Multiplicadores)) {
      bool algunTipo = false;
      for (Opcion o : {Opcion::CadaCuadricula, Opcion::CadaEstacion, Opcion::CadaPais, Opcion::CadaPrefijo,
                       Opcion::CadaProv, Opcion::CadaDistrito, Opcion::CadaCq, Opcion::CadaSufijo, Opcion::Otros})
        algunTipo = algunTipo || c_.Valor(o);
      if (!algunTipo)
        return Falla(kFocoMultiplicadores,
                     "Se ha configurado 'Multiplicadores Por' y no se ha definido ningún tipo de multiplicador",
                     "VERIFICAR MULTIPLICADORES", IconoAviso::Error);
    }
    return true;
  }

  // The reference lists and the categories the options ask for.
  bool Listas() {
    EstadoListasConcurso e;
    c_.PonOpcionesEn(e);
    e.OpcionExcluirMismoPais = e_.ExcluirMismoPais;
    // A number box that is not a number names no contest.
    const std::string& numero = c_.Textos[0];
    char* fin = nullptr;
    const long valor = std::strtol(numero.c_str(), &fin, 10);
    if (!numero.empty() && fin && *fin == '\0') e.HayCategorias = q_.HayCategorias(valor);
    const int fallo = PrimeraListaQueFalta(e);
    if (fallo == 0) return true;
    const AvisoListaConcurso& aviso = AvisoListaQueFalta(fallo);
    return Falla(1, aviso.Texto(), std::string(aviso.Titulo), IconoAviso::Error);
  }

  ConcursoEnEdicion& c_;
  const EntornoComprobacion& e_;
  ConsultasComprobacion& q_;
  ResultadoComprobacion r_;
};

}  // namespace

std::int32_t NumeroDeCaja(std::string_view texto) {
  const auto blanco = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
  while (!texto.empty() && blanco(texto.front())) texto.remove_prefix(1);
  while (!texto.empty() && blanco(texto.back())) texto.remove_suffix(1);
  const std::string s(texto);
  if (s.empty()) return 0;
  char* fin = nullptr;
  errno = 0;
  const long long valor = std::strtoll(s.c_str(), &fin, 10);
  if (errno != 0 || !fin || *fin != '\0' || std::isspace(static_cast<unsigned char>(s[0])) || valor < INT32_MIN ||
      valor > INT32_MAX)
    return 0;
  return static_cast<std::int32_t>(valor);
}

ResultadoComprobacion CompruebaConcurso(ConcursoEnEdicion& concurso, const EntornoComprobacion& entorno,
                                        ConsultasComprobacion& consultas) {
  return Comprobacion(concurso, entorno, consultas).Ejecuta();
}

}  // namespace principal
