#pragma once
// The contest used by the validation tests and benchmarks, as plain values:
// "CONCURSO PRUEBA", 20 m only (40 m refused), CW and SSB, operator
// SINGLE-OP (CHECKLOG admitted), band categories ALL and 20M, modes CW and
// SSB, power LOW; every other category group not applicable; the exchange
// is RST and serial number, sent and received. Its admitted-category table
// holds five entries.
#include "cabrillo/categorias_admitidas.h"
#include "cabrillo/datos_concurso.h"

namespace soporte {

inline cabrillo::DatosConcursoLog ConcursoPrueba() {
  cabrillo::DatosConcursoLog d;
  d.NumeroOrden = 7;
  d.Concurso = "CONCURSO PRUEBA";
  d.EnviarSiglas = false;
  d.RecibirSiglas = false;
  d.CadaProv = false;
  for (cabrillo::Logico* b : {&d.Banda1_8, &d.Banda3_5, &d.Banda7, &d.Banda10, &d.Banda18, &d.Banda21, &d.Banda24,
                              &d.BandaUser, &d.Banda28, &d.Banda50, &d.Banda144, &d.Banda432, &d.Banda1296})
    *b = false;
  d.Banda14 = true;
  for (cabrillo::Logico* m : {&d.ModoAM, &d.ModoLSB, &d.ModoUSB, &d.ModoFM, &d.ModoRTTY, &d.ModoPACKET}) *m = false;
  d.ModoCW = true;
  d.ModoSSB = true;

  d.HayResumen = true;
  cabrillo::FilaResumenCabrillo& r = d.Resumen;
  // Every Boolean column False, then what the contest admits.
  for (const char* c :
       {"SingleOp", "MultiOp", "ServerOp", "CheckLog", "ALL", "M160", "M80", "M40", "M30", "M20", "M15", "M16", "M12",
        "M10", "M6", "M2", "M222", "M432", "M902", "G12", "SSB", "CW", "FM", "RTTY", "MIXED", "High", "Low", "Qrp",
        "NonAssisted", "Assisted", "One", "Two", "Limited", "UnLimited", "Swl", "Fixed", "Mobile", "Portable",
        "HillTopper", "Rover", "Expedition", "Hq", "School", "Hours6", "Hours12", "Hours24", "Rookie", "TbWires",
        "NoviceTech", "Over50", "RstEnviado", "NumeralEnviado", "LetrasEnviadas", "PuntosEnviados", "LocatorEnviado",
        "RstRecibido", "NumeralRecibido", "LetrasRecibidas", "PuntosRecibidos", "LocatorRecibido"})
    *r.Campo(c) = false;
  r.SingleOp = r.CheckLog = true;
  r.BandaNoAplicable = false;
  r.ALL = r.M20 = true;
  r.ModoNoAplicable = false;
  r.CW = r.SSB = true;
  r.PotenciaNoAplicable = false;
  r.Low = true;
  r.AsistidoNoAplicable = r.TxNoAplicable = r.TipoEstacionNoAplicable = r.TimeNoAplicable = r.OverlayNoAplicable =
      true;
  r.RstEnviado = r.NumeralEnviado = r.RstRecibido = r.NumeralRecibido = true;
  return d;
}

inline cabrillo::CategoriasAdmitidas CategoriasPrueba(const cabrillo::DatosConcursoLog& d) {
  return cabrillo::GeneraCategoriasAdmitidas(d.Concurso, &d.Resumen);
}

}  // namespace soporte
