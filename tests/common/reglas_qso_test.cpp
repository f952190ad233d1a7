// Shared rules of the contest layout: bands, modes, dates and times, QSO
// line tokens and positions, mail subject.
#include <gtest/gtest.h>

#include "common/reglas_qso.h"

using namespace reglas;

TEST(Bandas, PliegueDeFrecuencias) {
  struct Caso {
    const char* frecuencia;
    const char* banda;
  };
  const Caso casos[] = {
      {"1499", "1499"},   {"1500", "1800"},     {"1810", "1800"},   {"1999", "1800"},   {"2000", "2000"},
      {"3500", "3500"},   {"3999", "3500"},     {"4000", "4000"},   {"7000", "7000"},   {"7999", "7000"},
      {"10100", "10000"}, {"14000", "14000"},   {"14025", "14000"}, {"14250", "14000"}, {"14349", "14000"},
      {"14499", "14000"}, {"14500", "14500"},   {"15000", "15000"}, {"18100", "18000"}, {"21000", "21000"},
      {"24900", "24000"}, {"27000", "27500"},   {"27200", "27500"}, {"27555", "27500"}, {"28000", "28000"},
      {"29000", "28000"}, {"29999", "28000"},   {"31000", "31000"}, {"50", "50"},       {"144", "144"},
      {"432", "432"},     {"1.2", "1.2"},       {"1.2G", "1.2"},    {"222", "222"},     {"ABC", "ABC"},
      {"", ""},           {"14025.5", "14000"}, {"50000", "50000"},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(PliegaBanda(c.frecuencia), c.banda) << c.frecuencia;
    EXPECT_EQ(PliegaBandaVista(c.frecuencia), c.banda) << c.frecuencia;
  }
}

TEST(Bandas, ColumnaQuePermiteCadaBanda) {
  struct Caso {
    const char* frecuencia;
    PermisoBanda::Tabla tabla;
    const char* columna;
    int casilla;
  };
  using T = PermisoBanda::Tabla;
  const Caso casos[] = {
      {"1999", T::Concursos, "Banda1'8", 0},
      {"3600", T::Concursos, "Banda3'5", 1},
      {"14250", T::Concursos, "Banda14", 4},
      {"29999", T::Concursos, "Banda28", 8},
      {"27555", T::Concursos, "BandaUser", 13},
      {"50", T::Concursos, "Banda50", 9},
      {"1.2G", T::Concursos, "Banda1296", 12},
      {"1.2", T::Concursos, "Banda1296", 12},
      {"222", T::ResumenCabrillo, "M222", -1},
      {"902", T::ResumenCabrillo, "M902", -1},
      {"14500", T::Ninguna, "", -1},
      {"31000", T::Ninguna, "", -1},
      {"X", T::Ninguna, "", -1},
  };
  for (const Caso& c : casos) {
    PermisoBanda p = ColumnaDeBanda(PliegaBanda(c.frecuencia));
    EXPECT_EQ(p.tabla, c.tabla) << c.frecuencia;
    EXPECT_EQ(p.columna, c.columna) << c.frecuencia;
    EXPECT_EQ(p.casilla, c.casilla) << c.frecuencia;
  }
  // The band boxes and the Concursos ordinals agree.
  ASSERT_EQ(BandasConcurso().size(), 14u);
  EXPECT_EQ(BandasConcurso()[13].titulo, "27");
  EXPECT_EQ(BandasConcurso()[12].titulo, "1296");
}

TEST(Modos, PermisosDeLosTokensDeModo) {
  // Boxes: AM CW USB LSB SSB FM RY PS USER1..4.
  auto solo = [](int i) {
    std::array<bool, 12> m{};
    m[static_cast<std::size_t>(i)] = true;
    return m;
  };
  EXPECT_TRUE(ModoQsoAdmitido("PH", solo(3)));   // LSB alone
  EXPECT_TRUE(ModoQsoAdmitido("PH", solo(0)));   // AM alone
  EXPECT_FALSE(ModoQsoAdmitido("PH", solo(5)));  // FM
  EXPECT_TRUE(ModoQsoAdmitido("RY", solo(7)));   // PACKET alone
  EXPECT_TRUE(ModoQsoAdmitido("RY", solo(6)));
  EXPECT_FALSE(ModoQsoAdmitido("PS", solo(6)));  // RTTY alone
  EXPECT_TRUE(ModoQsoAdmitido("PS", solo(7)));
  EXPECT_TRUE(ModoQsoAdmitido("CW", solo(1)));
  EXPECT_FALSE(ModoQsoAdmitido("CW", solo(2)));
  EXPECT_TRUE(ModoQsoAdmitido("FM", solo(5)));
  std::array<bool, 12> todos{};
  todos.fill(true);
  EXPECT_FALSE(ModoQsoAdmitido("SSB", todos));  // not a Cabrillo mode token
  for (int u = 8; u < 12; ++u)
    for (const char* t : {"PH", "CW", "FM", "RY", "PS"}) EXPECT_FALSE(ModoQsoAdmitido(t, solo(u)));
}

TEST(Modos, ModoDeEstacionEspecial) {
  std::array<bool, 12> ninguno{};
  EXPECT_TRUE(ModoEspecialAdmitido("*", ninguno));
  std::array<bool, 12> rtty{};
  rtty[6] = true;
  EXPECT_TRUE(ModoEspecialAdmitido("PS", rtty));
  EXPECT_FALSE(ModoEspecialAdmitido("RY", rtty));
  std::array<bool, 12> usb{};
  usb[2] = true;
  EXPECT_TRUE(ModoEspecialAdmitido("PH", usb));
  EXPECT_FALSE(ModoEspecialAdmitido("CW", usb));
  EXPECT_FALSE(ModoEspecialAdmitido("SSB", usb));
}

TEST(Fechas, FormatosAdmitidosYRechazados) {
  struct Caso {
    const char* entrada;
    bool valida;
    const char* resultado;
  };
  const Caso casos[] = {
      {"05-03-2024", true, "05-03-2024"},
      {"05/03/2024", true, "05-03-2024"},
      {"05032024", true, "05-03-2024"},
      {"05-032024", true, "05-03-2024"},
      {"0503/2024", true, "05-03-2024"},
      {"29-02-2024", true, "29-02-2024"},
      {"29-02-2023", false, ""},
      {"31-04-2024", false, ""},
      {"00-01-2024", false, ""},
      {"01-13-2024", false, ""},
      {"5-3-2024", false, ""},
      {"05-03-24", false, ""},
      {"05.03.2024", false, ""},
      {"aa-bb-cccc", false, ""},
      {"05-03-2024x", false, ""},
      {"", false, ""},
  };
  for (const Caso& c : casos) {
    std::string campo = c.entrada;
    EXPECT_EQ(VerificaFormatoFecha(campo), c.valida) << c.entrada;
    EXPECT_EQ(campo, c.valida ? std::string(c.resultado) : std::string(c.entrada)) << c.entrada;
  }
}

TEST(Horas, FormatosAdmitidosYRechazados) {
  using R = ResultadoHora;
  struct Caso {
    const char* entrada;
    R resultado;
    const char* hora;
  };
  const Caso casos[] = {
      {"0", R::Correcta, "00:00"},     {"5", R::Correcta, "05:00"},     {"1230", R::Correcta, "12:30"},
      {"12:30", R::Correcta, "12:30"}, {"23:59", R::Correcta, "23:59"}, {"0000", R::Correcta, "00:00"},
      {"2400", R::ErrorConAviso, ""},  {"1260", R::ErrorConAviso, ""},  {"24:00", R::ErrorConAviso, ""},
      {"12.30", R::ErrorSinAviso, ""}, {"12300", R::ErrorSinAviso, ""}, {"24", R::ErrorConAviso, ""},
      {"930", R::ErrorConAviso, ""},   {"x", R::ErrorConAviso, ""},     {"ab:cd", R::ErrorConAviso, ""},
      {"", R::ErrorConAviso, ""},
  };
  for (const Caso& c : casos) {
    std::string hora = c.entrada;
    EXPECT_EQ(VerificaFormatoHora(hora), c.resultado) << c.entrada;
    EXPECT_EQ(hora, c.resultado == R::Correcta ? std::string(c.hora) : std::string(c.entrada)) << c.entrada;
  }
}

TEST(Horas, VeinticuatroHorasDeRepeticion) {
  std::string horas = HorasRepeticion("24");
  EXPECT_EQ(horas, "23:59");
  EXPECT_EQ(VerificaFormatoHora(horas), ResultadoHora::Correcta);
  EXPECT_EQ(horas, "23:59");
  EXPECT_EQ(HorasRepeticion("0600"), "0600");
}

namespace {

PerfilIntercambio RstNumeroYRstLetras() {
  PerfilIntercambio p;
  p.enviado.rst = p.enviado.numeral = true;
  p.recibido.rst = p.recibido.letras = true;
  return p;
}

}  // namespace

TEST(TokensQso, OrdenPorElPerfil) {
  using T = TokenQso;
  EXPECT_EQ(OrdenTokensQso(RstNumeroYRstLetras()),
            (std::vector<T>{T::Frecuencia, T::Modo, T::Fecha, T::Hora, T::MiIndicativo, T::MiRst, T::MiNumero,
                            T::SuIndicativo, T::SuRst, T::SusLetras}));
  // Points come before the locator although their flag came last.
  PerfilIntercambio p;
  p.enviado = {true, true, true, true, true};
  p.recibido = {true, false, true, true, true};
  EXPECT_EQ(OrdenTokensQso(p), (std::vector<T>{T::Frecuencia, T::Modo, T::Fecha, T::Hora, T::MiIndicativo, T::MiRst,
                                               T::MiNumero, T::MisLetras, T::MisPuntos, T::MiLocator, T::SuIndicativo,
                                               T::SuRst, T::SusLetras, T::SusPuntos, T::SuLocator}));
  EXPECT_EQ(OrdenTokensCaminoSantiago(true), (std::vector<T>{T::Frecuencia, T::Modo, T::Fecha, T::Hora, T::MiIndicativo,
                                                             T::MiRst, T::MisLetras, T::SuIndicativo, T::SuRst}));
  EXPECT_EQ(OrdenTokensCaminoSantiago(false),
            (std::vector<T>{T::Frecuencia, T::Modo, T::Fecha, T::Hora, T::MiIndicativo, T::SuIndicativo}));
}

TEST(TokensQso, AsignacionDeUnaLinea) {
  using T = TokenQso;
  auto partes = PartesLineaQso(" 14025 CW 2024-03-05\t1200 QQ1AAA 599 001 QQ2BBB 599  M ");
  TokensQso t = AsignaTokens(partes, OrdenTokensQso(RstNumeroYRstLetras()));
  EXPECT_EQ(t[T::Frecuencia], "14025");
  EXPECT_EQ(t[T::Hora], "1200");
  EXPECT_EQ(t[T::MiNumero], "001");
  EXPECT_EQ(t[T::SuIndicativo], "QQ2BBB");
  EXPECT_EQ(t[T::SusLetras], "M");
  EXPECT_EQ(t[T::MisLetras], "");
  // A short line leaves the missing tokens empty.
  TokensQso corta =
      AsignaTokens(PartesLineaQso("14025 CW 2024-03-05 1200 QQ1AAA 599"), OrdenTokensQso(RstNumeroYRstLetras()));
  EXPECT_EQ(corta[T::MiRst], "599");
  EXPECT_EQ(corta[T::MiNumero], "");
  EXPECT_EQ(corta[T::SuIndicativo], "");
}

TEST(TokensQso, DisposicionDeComarcas) {
  using T = TokenQso;
  auto esEa = [](std::string_view indicativo) { return indicativo.starts_with("EA"); };
  // Own station EA: letters and locator; worked station not EA, "-" then locator.
  TokensQso a =
      AsignaTokensComarcas(PartesLineaQso("7000 PH 2024-03-05 1200 EA3XX 59 BCN JN11 F5YY 59 - JN22"), esEa, esEa);
  EXPECT_EQ(a[T::MisLetras], "BCN");
  EXPECT_EQ(a[T::MiLocator], "JN11");
  EXPECT_EQ(a[T::SuIndicativo], "F5YY");
  EXPECT_EQ(a[T::SusLetras], "-");
  EXPECT_EQ(a[T::SuLocator], "JN22");
  // Not EA and a token other than "-": it is the locator.
  TokensQso b =
      AsignaTokensComarcas(PartesLineaQso("7000 PH 2024-03-05 1200 F5YY 59 JN22 EA3XX 59 GIR JN12"), esEa, esEa);
  EXPECT_EQ(b[T::MisLetras], "-");
  EXPECT_EQ(b[T::MiLocator], "JN22");
  EXPECT_EQ(b[T::SuIndicativo], "EA3XX");
  EXPECT_EQ(b[T::SusLetras], "GIR");
  EXPECT_EQ(b[T::SuLocator], "JN12");
}

TEST(PosicionesQso, CadenaDeColumnas) {
  PosicionesQso p = CalculaPosiciones(RstNumeroYRstLetras());
  EXPECT_EQ(p.miIndicativo, 31);
  EXPECT_EQ(p.miRst, 45);
  EXPECT_EQ(p.miNumero, 49);
  EXPECT_EQ(p.suIndicativo, 54);
  EXPECT_EQ(p.suRst, 68);
  EXPECT_EQ(p.susLetras, 72);
  EXPECT_EQ(p.misLetras, 0);
  EXPECT_EQ(p.miLocator, 0);
  EXPECT_EQ(p.suNumero, 0);
  EXPECT_EQ(p.suLocator, 0);

  // Every element: 31, +14, +4, +5, +7, then the call +7.
  PerfilIntercambio todo;
  todo.enviado = {true, true, true, false, true};
  todo.recibido = {true, true, true, false, true};
  PosicionesQso q = CalculaPosiciones(todo);
  EXPECT_EQ((std::vector<int>{q.miRst, q.miNumero, q.misLetras, q.miLocator, q.suIndicativo}),
            (std::vector<int>{45, 49, 54, 61, 68}));
  EXPECT_EQ((std::vector<int>{q.suRst, q.suNumero, q.susLetras, q.suLocator}), (std::vector<int>{82, 86, 91, 98}));

  // Nothing sent: the worked call is 14 after the own call.
  PerfilIntercambio vacio;
  vacio.recibido.locator = true;
  PosicionesQso v = CalculaPosiciones(vacio);
  EXPECT_EQ(v.suIndicativo, 45);
  EXPECT_EQ(v.suLocator, 59);
}

TEST(PosicionesQso, DisposicionesFijasPorNombre) {
  PerfilIntercambio perfil;
  perfil.enviado = {true, true, true, false, false};
  perfil.recibido = {true, true, true, false, false};
  PosicionesQso p = CalculaPosiciones(perfil);
  ASSERT_TRUE(AplicaDisposicionFija("VGE SPRINT", perfil, p));
  EXPECT_FALSE(perfil.enviado.numeral);
  EXPECT_FALSE(perfil.recibido.numeral);
  EXPECT_EQ(p.miNumero, 0);
  EXPECT_EQ(p.misLetras, 49);
  EXPECT_EQ((std::vector<int>{p.suIndicativo, p.suRst, p.susLetras}), (std::vector<int>{57, 71, 75}));
  PerfilIntercambio otro = perfil;
  ASSERT_TRUE(AplicaDisposicionFija("CONCURSO DIE", otro, p));
  EXPECT_EQ((std::vector<int>{p.suIndicativo, p.suRst, p.susLetras}), (std::vector<int>{58, 72, 76}));
  EXPECT_FALSE(AplicaDisposicionFija("vge sprint", otro, p));

  for (const char* nombre : {"SPRINT DCE 1.0", "SPRINT DCE 1.0 2024"}) {
    PerfilIntercambio dce;
    dce.enviado = {true, false, true, false, false};
    dce.recibido = {true, false, true, false, false};
    PosicionesQso d = CalculaPosiciones(dce);
    ASSERT_TRUE(AplicaDisposicionPuntos(nombre, dce, d)) << nombre;
    EXPECT_TRUE(dce.enviado.puntos);
    EXPECT_TRUE(dce.recibido.puntos);
    EXPECT_EQ((std::vector<int>{d.misLetras, d.misPuntos, d.suIndicativo, d.suRst, d.susLetras, d.susPuntos}),
              (std::vector<int>{49, 57, 60, 74, 78, 86}));
  }
  PerfilIntercambio nada;
  PosicionesQso n = CalculaPosiciones(nada);
  EXPECT_FALSE(AplicaDisposicionPuntos("SPRINT DCE 1", nada, n));
  EXPECT_FALSE(nada.enviado.puntos);
  EXPECT_EQ(n.misPuntos, -1);
}

TEST(Asunto, PatronConIndicativo) {
  EXPECT_EQ(SustituyeIndicativo("Log de $", "QQ0QQ"), "Log de QQ0QQ");
  EXPECT_EQ(SustituyeIndicativo("$ $", "QQ0QQ"), "QQ0QQ $");
  EXPECT_EQ(SustituyeIndicativo("Sin dolar", "QQ0QQ"), "Sin dolar");
  EXPECT_EQ(SustituyeIndicativo("Log de $", "Indicativo"), "Log de Indicativo");

  struct Caso {
    const char* patron;
    const char* asunto;
    bool coincide;
  };
  const Caso casos[] = {
      {"Log de $", "Log de QQ0QQ", true},
      {"Log de $", "  LOG DE qq0qq  ", true},
      {"Log de $", "Log de QQ0QR", false},
      {"Log de $", "Log de  QQ0QQ", false},
      {"Log de $", "", false},
      {"Log de $", "   ", false},
      {"Lista $ $", "lista qq0qq $", true},
      {"Lista $ $", "lista qq0qq qq0qq", false},
      {"CONCURSO", "concurso", true},
      {"Log del $ Año", "LOG DEL QQ0QQ AÑO", true},
  };
  for (const Caso& c : casos)
    EXPECT_EQ(AsuntoCoincide(c.patron, "QQ0QQ", c.asunto), c.coincide) << c.patron << " / " << c.asunto;
}
