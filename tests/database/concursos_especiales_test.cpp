#include "database/concursos_especiales.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "database/estado.h"

namespace concursos {
namespace {

// The flags of the profile, by name, to show which ones a contest sets.
const std::vector<std::pair<std::string, bool PerfilConcurso::*>>& Banderas() {
  static const std::vector<std::pair<std::string, bool PerfilConcurso::*>> banderas = {
      {"categorias_con_guion", &PerfilConcurso::categorias_con_guion},
      {"estacion_fija", &PerfilConcurso::estacion_fija},
      {"multi_sin_potencia", &PerfilConcurso::multi_sin_potencia},
      {"modo_por_categoria", &PerfilConcurso::modo_por_categoria},
      {"solo_ibericos", &PerfilConcurso::solo_ibericos},
      {"puntos_en_intercambio", &PerfilConcurso::puntos_en_intercambio},
      {"log_por_banda", &PerfilConcurso::log_por_banda},
      {"repeticion_estacion_especial", &PerfilConcurso::repeticion_estacion_especial},
      {"km_doble_en_cw", &PerfilConcurso::km_doble_en_cw},
      {"expedicion_recibe_uno", &PerfilConcurso::expedicion_recibe_uno},
      {"pais_por_prefijo", &PerfilConcurso::pais_por_prefijo},
      {"clave_ea_o_dx", &PerfilConcurso::clave_ea_o_dx},
      {"clave_seccion_o_club", &PerfilConcurso::clave_seccion_o_club},
      {"clave_con_siglas", &PerfilConcurso::clave_con_siglas},
      {"operador_de_tabla", &PerfilConcurso::operador_de_tabla},
      {"asunto_libre", &PerfilConcurso::asunto_libre},
      {"ayuda_cabrillo", &PerfilConcurso::ayuda_cabrillo},
      {"locator_sin_distancia", &PerfilConcurso::locator_sin_distancia},
      {"provincias_y_otros", &PerfilConcurso::provincias_y_otros},
      {"diploma", &PerfilConcurso::diploma},
  };
  return banderas;
}

std::string BanderasDe(std::string_view nombre) {
  std::string r;
  for (const auto& [texto, bandera] : Banderas())
    if (Tiene(nombre, bandera)) r += (r.empty() ? "" : " ") + texto;
  return r;
}

std::string Une(std::span<const std::string_view> tabla) {
  std::string r;
  for (std::string_view e : tabla) r += (r.empty() ? "" : "|") + std::string(e);
  return r;
}

TEST(ConcursosEspeciales, CadaNombreDaSuPerfilYNingunoSeRepite) {
  std::set<std::string_view> nombres;
  for (const PerfilConcurso* p : kPerfiles) {
    EXPECT_EQ(PerfilDe(p->nombre), p) << p->nombre;
    EXPECT_TRUE(nombres.insert(p->nombre).second) << p->nombre;
  }
}

TEST(ConcursosEspeciales, LosNombresCorrientesNoTienenPerfil) {
  // Case and blanks count, as in the contest row.
  for (std::string_view nombre : {"", "CONCURSO PRUEBA", "vge sprint", "VGE SPRINT ", " VGE SPRINT", "VGE  SPRINT",
                                  "Concurso DIE", "URS RTTY 2021", "SPRINT DCE 1.0 B", "X ANIVERSARIO ZUROZI ",
                                  "ZEDAZIV OZIRUDUZ UV ERAZUDOZ", "naranja", "A1A  CLUB", "CAMINO DE SANTIAGO 2010"}) {
    EXPECT_EQ(PerfilDe(nombre), nullptr) << nombre;
    EXPECT_EQ(BanderasDe(nombre), "") << nombre;
    EXPECT_EQ(OperadorDe(nombre), ReglaOperador::DeLaFila) << nombre;
    EXPECT_EQ(ReescrituraOperadorDe(nombre), ReescrituraOperador::Ninguna) << nombre;
    EXPECT_EQ(ClaveDe(nombre), ReglaClave::DeLaFila) << nombre;
    EXPECT_EQ(LetrasDe(nombre), ReglaLetras::Ninguna) << nombre;
    EXPECT_EQ(MultiplicadoresDe(nombre), ReglaMultiplicadores::Ninguna) << nombre;
    EXPECT_TRUE(CategoriasDe(nombre).empty()) << nombre;
    EXPECT_TRUE(CategoriasBasesDe(nombre).empty()) << nombre;
    EXPECT_EQ(ColumnasFijasDe(nombre).indicativo, 0) << nombre;
    EXPECT_EQ(DisposicionDe(nombre), Disposicion::PorOpciones) << nombre;
    EXPECT_FALSE(EsDiploma(nombre)) << nombre;
  }
}

// What each special contest changes, read through the questions the
// subsystems ask.
struct Caso {
  std::string_view nombre;
  ReglaOperador operador;
  ReescrituraOperador reescritura;
  ReglaClave clave;
  ReglaLetras letras;
  ReglaMultiplicadores multiplicadores;
  ReglaPuntos puntos;
  Disposicion disposicion;
  std::string banderas;
  std::string categorias;
};

TEST(ConcursosEspeciales, LasReglasDeCadaPerfil) {
  using O = ReglaOperador;
  using RO = ReescrituraOperador;
  using C = ReglaClave;
  using L = ReglaLetras;
  using M = ReglaMultiplicadores;
  using P = ReglaPuntos;
  using D = Disposicion;
  const Caso casos[] = {
      {"VGE SPRINT", O::SoloTabla, RO::Ninguna, C::OperadorEscrito, L::ReferenciaVg, M::Vge, P::CwTriple,
       D::PorOpciones, "modo_por_categoria operador_de_tabla asunto_libre provincias_y_otros",
       "VG-MONO-LP|VG-MONO-LP-PH|VG-MONO-QRP|VG-MONO-QRP-PH|VG-MULTI-LP|VG-MULTI-QRP|GENERAL|CHECKLOG"},
      {"CONCURSO DIE", O::TablaYPais, RO::Ninguna, C::DeLaFila, L::Die, M::Die, P::Die, D::PorOpciones,
       "categorias_con_guion operador_de_tabla",
       "ISLA-RESIDENTE|ISLA-EXPEDICION|FARO|GENERAL-PENINSULAR|GENERAL-NO-EA|SWL|CHECKLOG"},
      {"SPRINT DCE 1.0", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::Dce, M::Dce, P::DelLog, D::PorOpciones,
       "puntos_en_intercambio expedicion_recibe_uno ayuda_cabrillo",
       "SINGLE-OP 40M SSB FIXED|SINGLE-OP 40M SSB EXPEDITION|MULTI-OP 40M SSB EXPEDITION|CHECKLOG"},
      {"COMARCAS CATALANAS", O::SinOperador, RO::Ninguna, C::Ea3, L::SiglasOGuion, M::Club, P::Ninguna, D::PorPais,
       "km_doble_en_cw locator_sin_distancia", ""},
      {"LA PALMA ISLA BONITA HF", O::DeLaFila, RO::SoloChecklog, C::Insular, L::Ninguna, M::Ninguna, P::Ninguna,
       D::PorOpciones, "repeticion_estacion_especial", ""},
      {"X ANIVERSARIO ZUROZI", O::DeLaFila, RO::Ninguna, C::SociosDelClub, L::Ninguna, M::Ninguna, P::SociosDelClub,
       D::PorOpciones, "", ""},
      {"SPRINT ZUROZI RTTY", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::Ninguna, M::Ninguna, P::Ninguna, D::PorOpciones,
       "multi_sin_potencia", ""},
      {"ZEDAZIV OZIRUDUZ UV ERAZUDOZO", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::Dme, M::Ninguna, P::Ninguna,
       D::PorOpciones, "diploma", ""},
      {"URS RTTY", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::UrsRtty, M::Ninguna, P::EspanolasRtty, D::PorOpciones,
       "clave_ea_o_dx", ""},
      {"XYL TEST", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::OmYl, M::Ninguna, P::Ninguna, D::PorOpciones,
       "clave_con_siglas", ""},
      {"SPRINT ANDALUCIA", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::Andalucia, M::Ninguna, P::Ninguna, D::PorOpciones,
       "clave_seccion_o_club", ""},
      // Its layout is told by the log's CONTEST line, not by the name.
      {"CAMINO DE SANTIAGO", O::DeLaFila, RO::GeneralYGrupo, C::DeLaFila, L::Ninguna, M::Ninguna, P::Referencias,
       D::PorOpciones, "", ""},
      {"NARANJA", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::Iberica, M::Ninguna, P::Ninguna, D::PorOpciones,
       "solo_ibericos", ""},
      {"A1A CLUB", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::SiglasONumero, M::Distrito, P::NumeroCinco, D::PorOpciones,
       "", ""},
      {"AT WW PSK TEST", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::Ninguna, M::Ninguna, P::Psk, D::PorOpciones,
       "pais_por_prefijo", ""},
      {"SEGOVIA-QQ1TLM", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::Ninguna, M::Ninguna, P::Ninguna, D::PorOpciones,
       "estacion_fija log_por_banda", ""},
      // Families: the profile's text anywhere in the name.
      {"TROFEO NARANJA CW", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::Iberica, M::Ninguna, P::Ninguna, D::PorOpciones,
       "solo_ibericos", ""},
      {"XV A1A CLUB NARANJA", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::SiglasONumero, M::Distrito, P::NumeroCinco,
       D::PorOpciones, "solo_ibericos", ""},
      // Rules that reach further than their profile: the points.
      {"URS RTTY 2021", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::Ninguna, M::Ninguna, P::EspanolasRtty, D::PorOpciones,
       "", ""},
      {"II ANIVERSARIO ZUROZI", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::Ninguna, M::Ninguna, P::SociosDelClub,
       D::PorOpciones, "", ""},
      {"VIII CAMINO DE SANTIAGO", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::Ninguna, M::Ninguna, P::Referencias,
       D::PorOpciones, "", ""},
      // Several families in one name: the points rule of the first in order.
      {"CAMINO DE SANTIAGO A1A CLUB URS RTTY ANIVERSARIO ZUROZI", O::DeLaFila, RO::Ninguna, C::DeLaFila,
       L::SiglasONumero, M::Distrito, P::Referencias, D::PorOpciones, "", ""},
      {"A1A CLUB URS RTTY", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::SiglasONumero, M::Distrito, P::NumeroCinco,
       D::PorOpciones, "", ""},
      {"URS RTTY ANIVERSARIO ZUROZI", O::DeLaFila, RO::Ninguna, C::DeLaFila, L::Ninguna, M::Ninguna, P::EspanolasRtty,
       D::PorOpciones, "", ""},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.nombre));
    EXPECT_EQ(OperadorDe(c.nombre), c.operador);
    EXPECT_EQ(ReescrituraOperadorDe(c.nombre), c.reescritura);
    EXPECT_EQ(ClaveDe(c.nombre), c.clave);
    EXPECT_EQ(LetrasDe(c.nombre), c.letras);
    EXPECT_EQ(MultiplicadoresDe(c.nombre), c.multiplicadores);
    EXPECT_EQ(PuntosDe(c.nombre), c.puntos);
    EXPECT_EQ(DisposicionDe(c.nombre), c.disposicion);
    EXPECT_EQ(BanderasDe(c.nombre), c.banderas);
    EXPECT_EQ(Une(CategoriasDe(c.nombre)), c.categorias);
  }
}

// The values the rules text, the layouts and the award read of a profile.
TEST(ConcursosEspeciales, TextosYColumnasDeLosPerfiles) {
  struct CasoTexto {
    std::string_view nombre;
    std::string bases;
    std::string_view titulo;
    int nota;
    int columna_indicativo;
    std::string_view modo;
    std::string ejemplo;  // sent|received|points|worked call
  };
  const CasoTexto casos[] = {
      {"SEGOVIA-QQ1TLM", "SINGLE-OP FIXED|SINGLE-OP PORTABLE|MULTI-OP PORTABLE|CHECKLOG", "", 0, 0, "", "|||"},
      {"URS RTTY",
       "SINGLE-OP ALL|SINGLE-OP 80M|SINGLE-OP 40M|SINGLE-OP 20M|SINGLE-OP 15M|SINGLE-OP 10M|MULTI-OP ALL|CHECKLOG",
       "Categorías en FICHERO CABRILLO (Para estaciones EA y estaciones DX) :", 0, 0, "", "|||"},
      {"COMARCAS CATALANAS", "ESTACION NO EA3|ESTACION EA3", "", 0, 0, "", "|||"},
      {"CONCURSO DIE", "", "", 4, 58, "", "M-XXX|023||"},
      {"VGE SPRINT", "", "", 0, 57, "", "VGMAxxx|0223||"},
      {"SPRINT DCE 1.0", "", "", 0, 0, "", "-     |CA-001 |01|"},
      {"ZEDAZIV OZIRUDUZ UV ERAZUDOZO", "", "", 0, 0, "", "28131|39020||"},
      {"TROFEO NARANJA", "", "", 0, 0, "", "|CT1   ||CT1xxx"},
      {"TROFEO NARANJA PSK63", "", "", 0, 0, "PS", "|CT1   ||CT1xxx"},
      {"NARANJA CW", "", "", 0, 0, "CW", "|CT1   ||CT1xxx"},
      // The last suffix that the name holds decides.
      {"NARANJA CW NARANJA PSK63", "", "", 0, 0, "CW", "|CT1   ||CT1xxx"},
      {"NARANJA  CW", "", "", 0, 0, "", "|CT1   ||CT1xxx"},
      {"CONCURSO PRUEBA", "", "", 0, 0, "", "|||"},
  };
  for (const CasoTexto& c : casos) {
    SCOPED_TRACE(std::string(c.nombre));
    EXPECT_EQ(Une(CategoriasBasesDe(c.nombre)), c.bases);
    EXPECT_EQ(TituloCategoriasDe(c.nombre), c.titulo);
    EXPECT_EQ(NotaCategoriaDe(c.nombre).entrada, static_cast<std::size_t>(c.nota));
    EXPECT_EQ(ColumnasFijasDe(c.nombre).indicativo, c.columna_indicativo);
    EXPECT_EQ(ModoEjemploDe(c.nombre), c.modo);
    const EjemploQso e = EjemploDe(c.nombre);
    EXPECT_EQ(std::string(e.letras_enviadas) + "|" + std::string(e.letras_recibidas) + "|" + std::string(e.puntos) +
                  "|" + std::string(e.indicativo_trabajado),
              c.ejemplo);
  }
}

TEST(ConcursosEspeciales, ReglasQueNoSeReconocenPorElNombreExacto) {
  // The editor lays out the points of every contest whose name begins with
  // the profile's; the log checks only for the name itself.
  EXPECT_TRUE(PuntosEnIntercambioAlGuardar("SPRINT DCE 1.0"));
  EXPECT_TRUE(PuntosEnIntercambioAlGuardar("SPRINT DCE 1.0 2012"));
  EXPECT_FALSE(PuntosEnIntercambioAlGuardar("XX SPRINT DCE 1.0"));
  EXPECT_FALSE(Tiene("SPRINT DCE 1.0 2012", &PerfilConcurso::puntos_en_intercambio));

  // The pilgrimage layout is told by the log's CONTEST line.
  EXPECT_EQ(DisposicionDeLog("CONCURSO PRUEBA", "CONTEST: VIII CAMINO DE SANTIAGO"), Disposicion::CaminoSantiago);
  EXPECT_EQ(DisposicionDeLog("CAMINO DE SANTIAGO", "CONTEST: CAMINO  DE SANTIAGO"), Disposicion::PorOpciones);
  EXPECT_EQ(DisposicionDeLog("COMARCAS CATALANAS", "CONTEST: CAMINO DE SANTIAGO"), Disposicion::CaminoSantiago);
  EXPECT_EQ(DisposicionDeLog("COMARCAS CATALANAS", "CONTEST: COMARCAS"), Disposicion::PorPais);
}

TEST(ConcursosEspeciales, ElDiplomaSeNombraUnaVez) {
  EXPECT_TRUE(EsDiploma(NombreDiploma()));
  EXPECT_EQ(NombreDiploma(), std::string_view(NombreConcursoDiploma));
  EstadoConcurso estado;
  estado.NombreConcurso = std::string(NombreDiploma());
  EXPECT_TRUE(estado.EsConcursoDiploma());
  estado.NombreConcurso += " ";
  EXPECT_FALSE(estado.EsConcursoDiploma());
}

}  // namespace
}  // namespace concursos
