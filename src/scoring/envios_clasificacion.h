#pragma once
// The three mailings the rankings window starts (result, annulled QSOs,
// communiqué). The mail subsystem implements them over its session; the
// window knows only this interface, so scoring never depends on mail.
//
// Each mailing adds the name of every sender-address file of the contest
// to `lista_por_email` (the window's list `ListaPorEmail`, emptied by the
// window before) and sends one mail per item, in list order. A failed mail
// is reported to the operator by the mailing, which goes on with the next.
#include <string>

class ListaVentana;

namespace scoring {

class EnviosClasificacion {
 public:
  virtual ~EnviosClasificacion() = default;
  virtual void EnviaResultadosPorEmail(ListaVentana& lista_por_email) = 0;
  virtual void EnviaQsoAnuladosPorEmail(ListaVentana& lista_por_email) = 0;
  virtual void EnviaComunicadoPorEmail(ListaVentana& lista_por_email, const std::string& asunto,
                                       const std::string& texto) = 0;
};

}  // namespace scoring
