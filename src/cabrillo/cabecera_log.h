#pragma once
// The header of the log in hand, as the header checks find it. Each
// `Linea...` field holds the whole header line as written in the log, or is
// empty when the log does not carry it. The mail intake empties it before
// every log; the header and category checks fill it; the QSO-line checks
// and the intake read it.
#include <string>

namespace cabrillo {

struct CabeceraLog {
  std::string LineaCallsign;
  std::string IndicativoParticipante;  // the callsign's value, base call only
  std::string LineaCategory;           // version 2.0
  std::string LineaCategoryOperator;   // version 3.0 ...
  std::string LineaCategoryBand;
  std::string LineaCategoryMode;
  std::string LineaCategoryPower;
  std::string LineaCategoryStation;
  std::string LineaCategoryTime;
  std::string LineaCategoryTransmitter;
  std::string LineaCategoryOverlay;
  std::string LineaCategoryAssisted;  // both versions ...
  std::string LineaContest;
  std::string LineaClub;
  std::string LineaOperators;
  std::string MarcaSwl;  // "SWL" for a listener log, else empty

  void Limpia() { *this = CabeceraLog{}; }
  bool EsListaSwl() const { return MarcaSwl == "SWL"; }
};

}  // namespace cabrillo
