#include "cabrillo/datos_concurso.h"

#include <array>
#include <cctype>
#include <utility>

#include "plataforma/dao.h"

namespace cabrillo {

bool OrdenComoLaBase::operator()(std::string_view a, std::string_view b) const {
  return dao::ComparaTextos(a, b) < 0;
}

namespace {

bool MismoNombre(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

using CampoResumen = Logico FilaResumenCabrillo::*;
#define CAMPO(n) std::pair<std::string_view, CampoResumen>{#n, &FilaResumenCabrillo::n}
constexpr std::array kCamposResumen = {
    CAMPO(SingleOp), CAMPO(MultiOp), CAMPO(ServerOp), CAMPO(CheckLog),
    CAMPO(BandaNoAplicable), CAMPO(ALL), CAMPO(M160), CAMPO(M80), CAMPO(M40), CAMPO(M30), CAMPO(M20),
    CAMPO(M15), CAMPO(M16), CAMPO(M12), CAMPO(M10), CAMPO(M6), CAMPO(M2), CAMPO(M222), CAMPO(M432),
    CAMPO(M902), CAMPO(G12),
    CAMPO(ModoNoAplicable), CAMPO(SSB), CAMPO(CW), CAMPO(FM), CAMPO(RTTY), CAMPO(MIXED),
    CAMPO(PotenciaNoAplicable), CAMPO(High), CAMPO(Low), CAMPO(Qrp),
    CAMPO(AsistidoNoAplicable), CAMPO(NonAssisted), CAMPO(Assisted),
    CAMPO(TxNoAplicable), CAMPO(One), CAMPO(Two), CAMPO(Limited), CAMPO(UnLimited), CAMPO(Swl),
    CAMPO(TipoEstacionNoAplicable), CAMPO(Fixed), CAMPO(Mobile), CAMPO(Portable), CAMPO(HillTopper),
    CAMPO(Rover), CAMPO(Expedition), CAMPO(Hq), CAMPO(School),
    CAMPO(TimeNoAplicable), CAMPO(Hours6), CAMPO(Hours12), CAMPO(Hours24),
    CAMPO(OverlayNoAplicable), CAMPO(Rookie), CAMPO(TbWires), CAMPO(NoviceTech), CAMPO(Over50),
    CAMPO(RstEnviado), CAMPO(NumeralEnviado), CAMPO(LetrasEnviadas), CAMPO(PuntosEnviados),
    CAMPO(LocatorEnviado), CAMPO(RstRecibido), CAMPO(NumeralRecibido), CAMPO(LetrasRecibidas),
    CAMPO(PuntosRecibidos), CAMPO(LocatorRecibido),
};
#undef CAMPO

using CampoConcursoLog = Logico DatosConcursoLog::*;
#define CAMPO(t, n) std::pair<std::string_view, CampoConcursoLog>{t, &DatosConcursoLog::n}
constexpr std::array kCamposConcurso = {
    CAMPO("EnviarSiglas", EnviarSiglas), CAMPO("RecibirSiglas", RecibirSiglas), CAMPO("CadaProv", CadaProv),
    CAMPO("Banda1'8", Banda1_8), CAMPO("Banda3'5", Banda3_5), CAMPO("Banda7", Banda7),
    CAMPO("Banda10", Banda10), CAMPO("Banda14", Banda14), CAMPO("Banda18", Banda18),
    CAMPO("Banda21", Banda21), CAMPO("Banda24", Banda24), CAMPO("BandaUser", BandaUser),
    CAMPO("Banda28", Banda28), CAMPO("Banda50", Banda50), CAMPO("Banda144", Banda144),
    CAMPO("Banda432", Banda432), CAMPO("Banda1296", Banda1296),
    CAMPO("ModoAM", ModoAM), CAMPO("ModoSSB", ModoSSB), CAMPO("ModoLSB", ModoLSB), CAMPO("ModoUSB", ModoUSB),
    CAMPO("ModoCW", ModoCW), CAMPO("ModoFM", ModoFM), CAMPO("ModoRTTY", ModoRTTY),
    CAMPO("ModoPACKET", ModoPACKET),
};
#undef CAMPO

}  // namespace

Logico* FilaResumenCabrillo::Campo(std::string_view nombre) {
  for (const auto& [texto, miembro] : kCamposResumen)
    if (MismoNombre(texto, nombre)) return &(this->*miembro);
  return nullptr;
}

const Logico* FilaResumenCabrillo::Campo(std::string_view nombre) const {
  return const_cast<FilaResumenCabrillo*>(this)->Campo(nombre);
}

Logico* DatosConcursoLog::CampoConcurso(std::string_view nombre) {
  for (const auto& [texto, miembro] : kCamposConcurso)
    if (MismoNombre(texto, nombre)) return &(this->*miembro);
  return nullptr;
}

}  // namespace cabrillo
