#include "soporte/mensajes_guion.h"

#include <gtest/gtest.h>

namespace soporte {

void MensajeroGuion::Espera(plataforma::Respuesta respuesta, std::optional<std::string> texto) {
  cola_.push_back({respuesta, std::move(texto)});
}

plataforma::Respuesta MensajeroGuion::Muestra(const std::string& texto, const std::string& titulo,
                                              plataforma::Icono icono,
                                              plataforma::Botones botones) {
  CajaMostrada caja{texto, titulo, icono, botones, plataforma::RespuestaPorDefecto(botones)};
  if (cola_.empty()) {
    ADD_FAILURE() << "Caja de mensaje no esperada: \"" << texto << "\" (título \"" << titulo
                  << "\", " << plataforma::NombreIcono(icono) << ", "
                  << plataforma::NombreBotones(botones) << ")";
  } else {
    const Respuesta r = cola_.front();
    cola_.pop_front();
    if (r.texto && *r.texto != texto)
      ADD_FAILURE() << "Caja de mensaje con otro texto: se esperaba \"" << *r.texto
                    << "\" y se mostró \"" << texto << "\"";
    if (plataforma::RespuestaPosible(botones, r.respuesta))
      caja.respuesta = r.respuesta;
    else
      ADD_FAILURE() << "La respuesta " << plataforma::NombreRespuesta(r.respuesta)
                    << " no es un botón de la caja \"" << texto << "\" ("
                    << plataforma::NombreBotones(botones) << ")";
  }
  cajas_.push_back(caja);
  return caja.respuesta;
}

void MensajeroGuion::Reinicia() {
  cola_.clear();
  cajas_.clear();
}

MensajeroGuion& Mensajes() {
  static MensajeroGuion m;
  return m;
}

namespace {

class OyenteMensajes : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    Mensajes().Reinicia();
    plataforma::InstalaMensajero(&Mensajes());
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    if (Mensajes().Pendientes() > 0)
      ADD_FAILURE() << Mensajes().Pendientes()
                    << " respuesta(s) de caja de mensaje esperada(s) y no usada(s)";
    Mensajes().Reinicia();
  }
};

}  // namespace

void InstalaMensajesDePrueba() {
  plataforma::InstalaMensajero(&Mensajes());
  ::testing::UnitTest::GetInstance()->listeners().Append(new OyenteMensajes);
}

}  // namespace soporte
