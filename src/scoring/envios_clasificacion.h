#pragma once
// The three mailings the rankings window starts (result, annulled QSOs,
// communiqué). The mail subsystem implements them over its session; the
// window knows only this interface, so scoring never depends on mail.
//
// The recipients of a mailing are the names of the contest's sender-address
// files (`Destinatarios`), which the window shows in its list `ListaPorEmail`
// and then hands to the mailing; it sends one mail per name, in that order.
// A failed mail is reported to whoever made the mailings (the window shows
// it to the operator), and the mailing goes on with the next.
#include <string>
#include <vector>

namespace scoring {

class EnviosClasificacion {
 public:
  virtual ~EnviosClasificacion() = default;
  // The names of every sender-address file of the contest, in folder order.
  virtual std::vector<std::string> Destinatarios() = 0;
  virtual void EnviaResultadosPorEmail(const std::vector<std::string>& destinatarios) = 0;
  virtual void EnviaQsoAnuladosPorEmail(const std::vector<std::string>& destinatarios) = 0;
  virtual void EnviaComunicadoPorEmail(const std::vector<std::string>& destinatarios, const std::string& asunto,
                                       const std::string& texto) = 0;
};

}  // namespace scoring
