// The index of earlier QSOs answers as the searches over the stored QSOs
// of the log would: the same log is kept in `ListaQso` and every question
// is asked both ways.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "database/creacion.h"
#include "plataforma/dao.h"
#include "scoring/multiplicadores.h"
#include "scoring/paises_prueba.h"
#include "soporte/carpeta_temporal.h"

namespace scoring {
namespace {

TEST(QsosAnterioresFrenteALaBase, MismasRespuestas) {
  soporte::CarpetaTemporal tmp;
  database::CreaBaseConcursosVacia(tmp.En("Ledrima"));
  dao::Database base = dao::OpenDatabase(tmp.En("Ledrima"));
  const auto paises = PaisesPrueba();
  // Only the scopes the options ask for are kept: the questions about the
  // whole contest go to one index, those within the band to another.
  OpcionesMultiplicadores opciones;
  opciones.Multiplicadores = opciones.CadaBanda = opciones.CadaDia = opciones.CadaModo = true;
  opciones.Pais = opciones.Prov = {true, false, true, true};
  OpcionesMultiplicadores opcionesBanda = opciones;
  opcionesBanda.Pais = opcionesBanda.Otros = opcionesBanda.Cuadricula = {true, true, true, true};
  QsosAnteriores anteriores(*paises, opciones);
  QsosAnteriores porBanda(*paises, opcionesBanda);

  const std::vector<std::string> dxcc = {"Q1", "q1", "Q8", "EA", "ÑA", "ña"};
  const std::vector<std::string> bandas = {"14000", "7000"};
  const std::vector<std::string> modos = {"CW", "cw", "PH"};
  const std::vector<std::string> fechas = {"01-05-2016", "02-05-2016", "31-12-2016"};
  const std::vector<std::string> literales = {"M", "m", "XYZ", "O'B", "-", "", "Á1", "á1"};
  const std::vector<std::string> locators = {"IN80XY", "in80ab", "IN8", "IN81", "", "IO", "IN80"};
  std::mt19937 azar(29);
  auto uno = [&](const std::vector<std::string>& v) { return v[azar() % v.size()]; };

  for (int n = 0; n < 80; ++n) {
    DatosQso q;
    q.Dxcc = uno(dxcc);
    q.Banda = uno(bandas);
    q.Modo = uno(modos);
    q.FechaQso = uno(fechas);
    q.LiteralRecibido = uno(literales);
    q.QraLocatorRecibido = uno(locators);
    q.Indicativo = "QQ1ABC";
    const std::string fecha = QsosAnteriores::ClaveFecha(q.FechaQso);
    const dao::Variant dia(*dao::Fecha::Desde(q.FechaQso));

    dao::Recordset rs = base.OpenRecordset("Select * From ListaQso Order By NumeroQso");
    auto hay = [&](const std::string& criterio, const std::vector<dao::Variant>& valores) {
      if (rs.Eof()) return false;
      rs.FindFirst(criterio + " and Duplicado = Null", valores);
      return !rs.NoMatch();
    };
    auto P = [](const std::string& s) { return PliegaTexto(s); };
    const std::string cuatro = q.QraLocatorRecibido.substr(0, 4);
    struct Pregunta {
      bool indice;
      bool base;
      const char* que;
    };
    const Pregunta preguntas[] = {
        {anteriores.Tiene(Familia::Pais, Ambito::Concurso, P(q.Dxcc)), hay("Dxcc = ?", {q.Dxcc}), "pais"},
        {porBanda.Tiene(Familia::Pais, Ambito::BandaDia, P(q.Dxcc), P(q.Banda), fecha),
         hay("Dxcc = ? and Banda = ? and FechaQso = ?", {q.Dxcc, q.Banda, dia}), "pais banda dia"},
        {anteriores.Tiene(Familia::Pais, Ambito::Modo, P(q.Dxcc), {}, {}, P(q.Modo)),
         hay("Dxcc = ? and Modo = ?", {q.Dxcc, q.Modo}), "pais modo"},
        {porBanda.Tiene(Familia::Pais, Ambito::BandaModo, P(q.Dxcc), P(q.Banda), {}, P(q.Modo)),
         hay("Dxcc = ? and Banda = ? and Modo = ?", {q.Dxcc, q.Banda, q.Modo}), "pais banda modo"},
        {anteriores.Tiene(Familia::Literal, Ambito::Dia, P(q.LiteralRecibido), {}, fecha),
         hay("LiteralRecibido = ? and FechaQso = ?", {q.LiteralRecibido, dia}), "literal dia"},
        {porBanda.Tiene(Familia::Literal, Ambito::Banda, P(q.LiteralRecibido), P(q.Banda)),
         hay("LiteralRecibido = ? and Banda = ?", {q.LiteralRecibido, q.Banda}), "literal banda"},
        {anteriores.Tiene(Familia::Modo, Ambito::Concurso, P(q.Modo)), hay("Modo = ?", {q.Modo}), "modo"},
        {anteriores.Tiene(Familia::Fecha, Ambito::Concurso, fecha), hay("FechaQso = ?", {dia}), "fecha"},
    };
    // The engine never asks about an empty literal: a stored one is Null.
    for (const Pregunta& p : preguntas) {
      if (!q.LiteralRecibido.empty() || std::string(p.que).rfind("literal", 0) != 0) {
        EXPECT_EQ(p.indice, p.base) << "QSO " << n << ": " << p.que << " " << q.LiteralRecibido;
      }
    }
    if (!cuatro.empty()) {
      EXPECT_EQ(porBanda.Tiene(Familia::Cuadricula, Ambito::Banda, P(cuatro), P(q.Banda)),
                hay("QraLocatorRecibido Like ? and Banda = ?", {cuatro + "*", q.Banda}))
          << "QSO " << n << ": cuadricula " << cuatro;
    }
    rs.Close();

    // The QSO joins the earlier ones, in both places. Empty texts are
    // stored as the per-QSO pass finds them: Null.
    anteriores.Anade(q);
    porBanda.Anade(q);
    dao::Recordset tabla = base.OpenRecordset("ListaQso");
    tabla.AddNew();
    tabla["NumeroQso"] = n + 1;
    tabla["FechaQso"] = dia;
    tabla["Banda"] = q.Banda;
    tabla["Modo"] = q.Modo;
    tabla["Indicativo"] = q.Indicativo;
    tabla["Dxcc"] = q.Dxcc;
    if (!q.LiteralRecibido.empty()) tabla["LiteralRecibido"] = q.LiteralRecibido;
    if (!q.QraLocatorRecibido.empty()) tabla["QraLocatorRecibido"] = q.QraLocatorRecibido;
    tabla.Update();
    tabla.Close();
  }
  base.Close();
}

}  // namespace
}  // namespace scoring
