// Pure rules of the Cabrillo format: column positions, proposal of the
// exchange elements, category interlocks, keywords and checks.
#include <gtest/gtest.h>

#include "rules/perfil_cabrillo.h"
#include "rules/posiciones_intercambio.h"
#include "rules/verificacion_formato.h"

using namespace rules;

namespace {

// Columns in row order as one text ("31 45 - ..."), "-" for an empty field.
std::string Columnas(const EstadoIntercambio& e) {
  std::string r;
  for (const std::string& c : e.columna) r += (r.empty() ? "" : " ") + (c.empty() ? std::string("-") : c);
  return r;
}

EstadoIntercambio Propuesta(const OpcionesIntercambio& o, std::string_view nombre = "CONCURSO") {
  EstadoIntercambio e;
  AsignaControlesPorDefecto(e, o, nombre);
  return e;
}

}  // namespace

TEST(PosicionesIntercambio, PropuestasDesdeLasOpcionesDelConcurso) {
  struct Caso {
    const char* nombre;
    OpcionesIntercambio opciones;
    const char* columnas;  // MiIndicativo..MiLocator SuIndicativo..SuLocator
  };
  OpcionesIntercambio todas{true, true, true, true, true, true, false};
  const Caso casos[] = {
      {"sin opciones: RST a ambos lados", {}, "31 45 - - - 49 63 - - -"},
      {"numeral a ambos lados", {.EnviarNumeral = true, .RecibirNumeral = true}, "31 45 49 - - 54 68 72 - -"},
      {"numeral y siglas con SiglasONumeral: sin numeral",
       {.EnviarNumeral = true, .EnviarSiglas = true, .SiglasONumeral = true}, "31 45 - 49 - 56 70 - - -"},
      {"los cuatro elementos", todas, "31 45 49 54 61 68 82 86 91 98"},
      {"enviado numeral, recibido siglas",
       {.EnviarNumeral = true, .RecibirSiglas = true}, "31 45 49 - - 54 68 - 72 -"},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(Columnas(Propuesta(c.opciones)), c.columnas) << c.nombre;
  }
}

TEST(PosicionesIntercambio, CambiosDeElementosRecolocanTodo) {
  EstadoIntercambio e = Propuesta({.EnviarNumeral = true, .RecibirNumeral = true});
  // Unticking the sent RST moves the serial number to 45 and every received
  // column 4 to the left.
  CambiaElemento(e, kRstEnviado, false, "X");
  EXPECT_EQ(Columnas(e), "31 - 45 - - 50 64 68 - -");
  // Serial number alone on both sides.
  CambiaElemento(e, kRstRecibido, false, "X");
  EXPECT_EQ(Columnas(e), "31 - 45 - - 50 - 64 - -");
  // Every element unticked: only the two calls.
  CambiaElemento(e, kNumeralEnviado, false, "X");
  CambiaElemento(e, kNumeralRecibido, false, "X");
  EXPECT_EQ(Columnas(e), "31 - - - - 45 - - - -");

  // A hand-typed column lasts until the next change of an element box.
  e = Propuesta({});
  e.columna[kMiRst] = "50";
  CambiaElemento(e, kRstEnviado, true, "X");  // already ticked: nothing runs
  EXPECT_EQ(e.columna[kMiRst], "50");
  CambiaElemento(e, kLetrasEnviadas, true, "X");
  EXPECT_EQ(Columnas(e), "31 45 - 49 - 56 70 - - -");
}

TEST(PosicionesIntercambio, UnLadoConElementosNoSeCambiaAlProponer) {
  EstadoIntercambio e;
  e.marcado[kLocatorEnviado] = true;
  AsignaControlesPorDefecto(e, {.EnviarNumeral = true, .EnviarSiglas = true}, "X");
  EXPECT_FALSE(e.marcado[kRstEnviado]);
  EXPECT_FALSE(e.marcado[kNumeralEnviado]);
  EXPECT_TRUE(e.marcado[kRstRecibido]);
  EXPECT_EQ(Columnas(e), "31 - - - 45 52 66 - - -");
}

TEST(PosicionesIntercambio, ConcursosConColumnasFijas) {
  OpcionesIntercambio o{.EnviarNumeral = true, .EnviarSiglas = true, .RecibirNumeral = true, .RecibirSiglas = true};
  EstadoIntercambio vge = Propuesta(o, "VGE SPRINT");
  EXPECT_FALSE(vge.marcado[kNumeralEnviado]);
  EXPECT_FALSE(vge.marcado[kNumeralRecibido]);
  EXPECT_EQ(Columnas(vge), "31 45 - 49 - 57 71 - 75 -");

  EstadoIntercambio die = Propuesta(o, "CONCURSO DIE");
  EXPECT_EQ(Columnas(die), "31 45 - 49 - 58 72 - 76 -");
  // Ticking a serial number there is undone by the computation.
  CambiaElemento(die, kNumeralRecibido, true, "CONCURSO DIE");
  EXPECT_FALSE(die.marcado[kNumeralRecibido]);
  EXPECT_EQ(Columnas(die), "31 45 - 49 - 58 72 - 76 -");

  // Names compared exactly.
  for (const char* nombre : {"vge sprint", "VGE SPRINT 2026"}) {
    EstadoIntercambio otro = Propuesta(o, nombre);
    EXPECT_TRUE(otro.marcado[kNumeralEnviado]) << nombre;
    EXPECT_EQ(Columnas(otro), "31 45 49 54 - 61 75 79 84 -") << nombre;
  }
}

TEST(InterbloqueoCategorias, ReglasDeGrupo) {
  ResumenCabrillo f = PerfilInicial();
  for (auto b : {"M160", "M80", "ALL"}) CambiaCategoria(f, b, true);
  EXPECT_FALSE(f.Categoria("BandaNoAplicable"));
  CambiaCategoria(f, "BandaNoAplicable", true);
  for (auto b : {"M160", "M80", "ALL"}) EXPECT_FALSE(f.Categoria(b)) << b;

  // A value unticks only its group's "NO APLICABLE".
  CambiaCategoria(f, "M20", true);
  EXPECT_FALSE(f.Categoria("BandaNoAplicable"));
  EXPECT_TRUE(f.Categoria("ModoNoAplicable"));
  // Unticking "NO APLICABLE" ticks nothing.
  CambiaCategoria(f, "M20", false);
  EXPECT_FALSE(f.Categoria("BandaNoAplicable"));
  for (std::size_t i = 5; i <= 20; ++i) EXPECT_FALSE(f.categorias[i]);

  // Other groups keep their state.
  CambiaCategoria(f, "Swl", true);
  CambiaCategoria(f, "Hours6", true);
  CambiaCategoria(f, "Hours24", true);
  CambiaCategoria(f, "TimeNoAplicable", true);
  EXPECT_FALSE(f.Categoria("Hours6"));
  EXPECT_FALSE(f.Categoria("Hours24"));
  EXPECT_TRUE(f.Categoria("Swl"));

  for (auto t : {"One", "Two", "Limited", "Unlimited"}) CambiaCategoria(f, t, true);
  CambiaCategoria(f, "TxNoAplicable", true);
  for (auto t : {"One", "Two", "Limited", "UnLimited", "Swl"}) EXPECT_FALSE(f.Categoria(t)) << t;

  // The assisted group follows the same two rules.
  CambiaCategoria(f, "Assisted", true);
  EXPECT_FALSE(f.Categoria("AsistidoNoAplicable"));
  CambiaCategoria(f, "NonAssisted", true);
  EXPECT_TRUE(f.Categoria("Assisted"));
  CambiaCategoria(f, "AsistidoNoAplicable", true);
  EXPECT_FALSE(f.Categoria("Assisted"));
  EXPECT_FALSE(f.Categoria("NonAssisted"));

  // The operator group has no rule.
  for (auto o : {"SingleOp", "MultiOp", "ServerOp", "CheckLog"}) CambiaCategoria(f, o, true);
  for (auto o : {"SingleOp", "MultiOp", "ServerOp", "CheckLog"}) EXPECT_TRUE(f.Categoria(o));
  EXPECT_TRUE(CasillasQueDesmarca("CheckLog", true).empty());
  EXPECT_TRUE(CasillasQueDesmarca("BandaNoAplicable", false).empty());
}

TEST(ValorCategoria, PrimeraColumnaMarcadaDeCadaGrupo) {
  using Funcion = std::string (*)(const LectorCampoLogico&);
  struct Caso {
    Funcion funcion;
    std::vector<const char*> marcados;
    const char* esperado;
  };
  const Caso casos[] = {
      {ValorCategoriaBanda, {"BandaNoAplicable", "M40"}, ""},
      {ValorCategoriaBanda, {"M40", "M20"}, "40M"},
      {ValorCategoriaBanda, {"M16", "M15"}, "15M"},
      {ValorCategoriaBanda, {"M902", "ALL"}, "ALL"},
      {ValorCategoriaBanda, {"G12"}, "1.2G"},
      {ValorCategoriaBanda, {"M222"}, "222"},
      {ValorCategoriaBanda, {"M16"}, "16M"},
      {ValorCategoriaTipoEstacion, {"Rover", "HillTopper"}, "HILLTOPPER"},
      {ValorCategoriaTipoEstacion, {"Hq"}, "HQ"},
      {ValorCategoriaTransmisor, {"Swl", "UnLimited", "Limited"}, "LIMITED"},
      {ValorCategoriaOperador, {"CheckLog", "SingleOp"}, "SINGLE-OP"},
      {ValorCategoriaOperador, {"CheckLog"}, "CHECKLOG"},
      {ValorCategoriaOperador, {}, ""},
      {ValorCategoriaOverlay, {"Over50"}, "OVER-50"},
      {ValorCategoriaOverlay, {"TbWires"}, "TB-WIRES"},
      {ValorCategoriaAsistido, {"NonAssisted", "Assisted"}, "NON-ASSISTED"},
      {ValorCategoriaAsistido, {"AsistidoNoAplicable", "Assisted"}, ""},
      {ValorCategoriaModo, {"MIXED", "RTTY"}, "RTTY"},
      {ValorCategoriaPotencia, {"Qrp"}, "QRP"},
      {ValorCategoriaTiempo, {"Hours12", "Hours24"}, "12-HOURS"},
      {ValorCategoriaTiempo, {"TimeNoAplicable"}, ""},
  };
  for (const Caso& c : casos) {
    ResumenCabrillo f;
    std::string descripcion;
    for (const char* m : c.marcados) {
      f.PonCategoria(m, true);
      descripcion += std::string(m) + " ";
    }
    EXPECT_EQ(c.funcion(LectorDe(f)), c.esperado) << descripcion;
  }
  // A reader that sees no value (Null) as not set.
  LectorCampoLogico nulos = [](std::string_view) { return false; };
  EXPECT_EQ(ValorCategoriaBanda(nulos), "");
}

namespace {

// A window that passes every check: the initial categories, RST both ways.
FormularioCabrillo FormularioValido() {
  FormularioCabrillo f;
  f.categorias = PerfilInicial();
  AsignaControlesPorDefecto(f.intercambio, {}, "X");
  f.EMailConcurso = "log@concurso.es";
  f.AsuntoConcurso = "Log de $";
  return f;
}

}  // namespace

TEST(VerificaFormatoCabrillo, CadaComprobacionEnSuOrden) {
  struct Caso {
    const char* nombre;
    std::function<void(FormularioCabrillo&)> cambia;
    const char* mensaje;
    const char* foco;
  };
  const Caso casos[] = {
      {"solo CHECKLOG", [](auto& f) { f.categorias.PonCategoria("SingleOp", false); f.categorias.PonCategoria("CheckLog", true); },
       "Deberá seleccionar, al menos, SINGLE-OP, MULTI-OP o SERVER-OP", ""},
      {"sin buzón y sin banda", [](auto& f) { f.EMailConcurso.clear(); f.categorias.PonCategoria("BandaNoAplicable", false); },
       "Deberá introducir la dirección E-MAIL en donde se van a recibir los ficheros", "EMailConcurso"},
      {"buzón de 65", [](auto& f) { f.EMailConcurso = std::string(60, 'a') + "@x.es"; },
       "La dirección E-MAIL no puede tener más de 64 caracteres", "EMailConcurso"},
      {"sin asunto", [](auto& f) { f.AsuntoConcurso.clear(); },
       "Deberá introducir el ASUNTO que debe figurar en el E-MAIL del concursante", "AsuntoConcurso"},
      {"asunto de 65 caracteres", [](auto& f) { f.AsuntoConcurso = std::string(63, 'a') + "ñ$"; },
       "El ASUNTO no puede tener más de 64 caracteres", "AsuntoConcurso"},
      {"reclamaciones de 65", [](auto& f) { f.EMailReclamaciones = std::string(58, 'a') + "@x.es.á"; },
       "El E-MAIL de información o reclamaciones no puede tener más de 64 caracteres", "EMailReclamaciones"},
      {"web de 65", [](auto& f) { f.WEBConcurso = "https://" + std::string(57, 'w'); },
       "La WEB del concurso no puede tener más de 64 caracteres", "WEBConcurso"},
      {"banda", [](auto& f) { f.categorias.PonCategoria("BandaNoAplicable", false); },
       "Deberá seleccionar, al menos, una categoría de Banda.", ""},
      {"modo", [](auto& f) { f.categorias.PonCategoria("ModoNoAplicable", false); },
       "Deberá seleccionar, al menos, una categoría de Modo.", ""},
      {"potencia", [](auto& f) { f.categorias.PonCategoria("PotenciaNoAplicable", false); },
       "Deberá seleccionar, al menos, una categoría de Potencia.", ""},
      {"asistido", [](auto& f) { f.categorias.PonCategoria("AsistidoNoAplicable", false); },
       "Deberá seleccionar, al menos, una categoría de Asistido.", ""},
      {"transmisor", [](auto& f) { f.categorias.PonCategoria("TxNoAplicable", false); },
       "Deberá seleccionar, al menos, una categoría de Transmisor.", ""},
      {"tipo estación", [](auto& f) { f.categorias.PonCategoria("TipoEstacionNoAplicable", false); },
       "Deberá seleccionar, al menos, una categoría de Tipo Estación.", ""},
      {"horas", [](auto& f) { f.categorias.PonCategoria("TimeNoAplicable", false); },
       "Deberá seleccionar, al menos, una categoría de Horas activas.", ""},
      {"overlay", [](auto& f) { f.categorias.PonCategoria("OverlayNoAplicable", false); },
       "Deberá seleccionar, al menos, una categoría de Overlay.", ""},
      {"nada enviado", [](auto& f) { CambiaElemento(f.intercambio, kRstEnviado, false, "X"); },
       "Deberá indicar algún control a pasar o recibir", "CabrilloRstEnv"},
      {"nada recibido", [](auto& f) { CambiaElemento(f.intercambio, kRstRecibido, false, "X"); },
       "Deberá indicar algún control a pasar o recibir", "CabrilloRstRec"},
      {"columna vacía", [](auto& f) { f.intercambio.columna[kSuRst].clear(); },
       "Este Dato no se puede dejar en blanco", "CSuRst"},
      {"columna con letras", [](auto& f) { f.intercambio.columna[kMiRst] = "AB"; },
       ".- ERROR en FORMATO NUMERICO", "CMiRst"},
      {"columna de blancos", [](auto& f) { f.intercambio.columna[kMiRst] = "  "; },
       "La posición en columna debe ser un número entero entre 1 y 100", "CMiRst"},
      {"guion solo", [](auto& f) { f.intercambio.columna[kSuIndicativo] = "-"; },
       "La posición en columna debe ser un número entero entre 1 y 100", "CSuIndicativo"},
      {"fracción", [](auto& f) { f.intercambio.columna[kMiIndicativo] = "3.5"; },
       "La posición en columna debe ser un número entero entre 1 y 100", "CMiIndicativo"},
      {"más allá de la línea", [](auto& f) { f.intercambio.columna[kSuRst] = "101"; },
       "La posición en columna debe ser un número entero entre 1 y 100", "CSuRst"},
      {"fuera de un entero", [](auto& f) { f.intercambio.columna[kSuRst] = "99999999999"; },
       "La posición en columna debe ser un número entero entre 1 y 100", "CSuRst"},
      {"indicativo contacto antes que el propio", [](auto& f) { f.intercambio.columna[kSuIndicativo] = "0"; f.intercambio.columna[kMiIndicativo] = ""; },
       "La posición en columna debe ser un número entero entre 1 y 100", "CSuIndicativo"},
  };
  for (const Caso& c : casos) {
    FormularioCabrillo f = FormularioValido();
    c.cambia(f);
    auto fallo = VerificaFormatoCabrillo(f);
    ASSERT_TRUE(fallo) << c.nombre;
    EXPECT_EQ(fallo->mensaje, c.mensaje) << c.nombre;
    EXPECT_EQ(fallo->foco, c.foco) << c.nombre;
    bool numerico = fallo->titulo == "VERIFICAR NUMERO ";
    EXPECT_EQ(numerico, std::string(c.mensaje).starts_with(".- ERROR") || std::string(c.mensaje).starts_with("La posición"))
        << c.nombre;
  }
}

TEST(VerificaFormatoCabrillo, CasosQuePasan) {
  FormularioCabrillo f = FormularioValido();
  f.categorias.PonCategoria("SingleOp", false);
  f.categorias.PonCategoria("ServerOp", true);
  f.AsuntoConcurso = "$";
  f.EMailConcurso = "   ";
  f.EMailReclamaciones = std::string(62, 'a') + "éñ";  // 64 characters, more bytes
  f.WEBConcurso = std::string(64, 'w');
  f.intercambio.columna[kSuRst] = " 63 ";
  EXPECT_FALSE(VerificaFormatoCabrillo(f));
  // Unticked elements get "0"; the row stores 0 for them.
  EXPECT_EQ(f.intercambio.columna[kMiNumero], "0");
  EXPECT_EQ(f.intercambio.columna[kSuLocator], "0");
  ResumenCabrillo fila = ResumenDesdeFormulario(f, "X");
  EXPECT_EQ(fila.columnas, (std::array<int, 10>{31, 45, 0, 0, 0, 49, 63, 0, 0, 0}));
  EXPECT_FALSE(fila.PuntosEnviados.has_value());
  EXPECT_FALSE(fila.MisPuntos.has_value());

  // A group with "NO APLICABLE" unticked and one value passes.
  f = FormularioValido();
  CambiaCategoria(f.categorias, "M40", true);
  EXPECT_FALSE(VerificaFormatoCabrillo(f));
  // The unticked elements' fields are set to "0" even when a later check fails.
  f = FormularioValido();
  f.intercambio.columna[kMiIndicativo] = "";
  ASSERT_TRUE(VerificaFormatoCabrillo(f));
  EXPECT_EQ(f.intercambio.columna[kSuLocator], "0");
}

TEST(VerificaFormatoCabrillo, DisposicionDePuntos) {
  FormularioCabrillo f = FormularioValido();
  ASSERT_FALSE(VerificaFormatoCabrillo(f));
  ResumenCabrillo fila = ResumenDesdeFormulario(f, "SPRINT DCE 1.0 2026");
  EXPECT_EQ(fila.PuntosEnviados, true);
  EXPECT_EQ(fila.PuntosRecibidos, true);
  EXPECT_EQ(fila.MisPuntos, 57);
  EXPECT_EQ(fila.SusPuntos, 86);
  EXPECT_EQ(fila.columnas, (std::array<int, 10>{31, 45, 0, 49, 0, 60, 74, 0, 78, 0}));
  ResumenCabrillo minusculas = ResumenDesdeFormulario(f, "sprint dce 1.0");
  EXPECT_FALSE(minusculas.PuntosEnviados.has_value());
  EXPECT_EQ(minusculas.columnas[kSuIndicativo], 49);
}
