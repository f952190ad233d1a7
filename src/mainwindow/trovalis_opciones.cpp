// The option boxes of the contest editor: what a change of one box does to
// the others, to the list buttons and to the points and hours fields.
//
// Every change of a box's value runs its handler, whoever makes it (the
// operator, another handler, a clearing procedure, the record loader), so
// one click may run on in a chain; setting a box to the value it already has
// runs nothing, which ends every chain.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "mainwindow/estado_principal.h"
#include "mainwindow/trovalis.h"

namespace {

// Contests whose rules keep boxes that the interlocks would otherwise change.
constexpr const char* kConcursoProvinciasYOtros = "VGE SPRINT";
constexpr const char* kConcursoLocatorSinDistancia = "COMARCAS CATALANAS";

// One type of multiplier with its period variants, its list button and its
// exclude box (nullptr where it has none).
struct TipoMultiplicador {
  QCheckBox* Tipo;
  QCheckBox* PorBanda;
  QCheckBox* PorDia;
  QCheckBox* PorModo;
  QPushButton* Boton;
  QCheckBox* Excluir;
};

// The nine types.
std::vector<TipoMultiplicador> TiposMultiplicador(const Trovalis& v) {
  return {
      {v.CadaPais, v.PaisPorBanda, v.PaisPorDia, v.PaisPorModo, v.ConfPaisesExc, v.ExcluirPais},
      {v.CadaPrefijo, v.PrefijoPorBanda, v.PrefijoPorDia, v.PrefijoPorModo, v.ConfPrefijos, v.ExcluirPrefijo},
      {v.CadaProv, v.ProvPorBanda, v.ProvPorDia, v.ProvPorModo, v.ConfSiglasValidas, v.ExcluirProv},
      {v.CadaDistrito, v.DistritoPorBanda, v.DistritoPorDia, v.DistritoPorModo, v.ConfDistritosValidos,
       v.ExcluirDistrito},
      {v.CadaCq, v.CqPorBanda, v.CQPorDia, v.CqPorModo, v.ConfZonaExcluida, v.ExcluirCq},
      {v.CadaSufijo, v.SufijoPorBanda, v.SufijoPorDia, v.SufijoPorModo, v.ConfSufijo, nullptr},
      {v.CadaEstacion, v.EstacionPorBanda, v.EstacionPorDia, v.EstacionPorModo, v.ConfEstEsp, nullptr},
      {v.Otros, v.OtrosPorBanda, v.OtrosPorDia, v.OtrosPorModo, nullptr, nullptr},
      {v.CadaCuadricula, v.CuadriculaPorBanda, v.CuadriculaPorDia, v.CuadriculaPorModo, nullptr, nullptr},
  };
}

// The variants that a period box of the multipliers as a whole unticks:
// those of every type but the grid square and the multiplier stations.
std::vector<QCheckBox*> VariantesDelPeriodo(const Trovalis& v, const QCheckBox* periodo) {
  if (periodo == v.CadaBanda)
    return {v.PaisPorBanda, v.PrefijoPorBanda, v.ProvPorBanda, v.DistritoPorBanda, v.CqPorBanda,
            v.SufijoPorBanda, v.OtrosPorBanda};
  if (periodo == v.CadaDia)
    return {v.PaisPorDia, v.PrefijoPorDia, v.ProvPorDia, v.DistritoPorDia, v.CQPorDia, v.SufijoPorDia,
            v.OtrosPorDia};
  return {v.PaisPorModo, v.PrefijoPorModo, v.ProvPorModo, v.DistritoPorModo, v.CqPorModo, v.SufijoPorModo,
          v.OtrosPorModo};
}

void Desmarca(QCheckBox* casilla) { casilla->setChecked(false); }
void Marca(QCheckBox* casilla) { casilla->setChecked(true); }

}  // namespace

void Trovalis::OpcionCambiada(QCheckBox* casilla, bool valor) {
  // The focus moves serve the operator while he creates or modifies a
  // contest. In any other state only the program changes the boxes (the
  // record loader, the clearing procedures), and moving the focus then would
  // make the name box, left with the text of the previous contest, hand that
  // text to the name of the contest in hand when it loses the focus.
  const bool editando = OperacionRegistro == principal::OperacionEditor::Alta ||
                        OperacionRegistro == principal::OperacionEditor::Modificar;
  auto foco = [this, editando](int indice) {
    if (editando) Text3[static_cast<std::size_t>(indice)]->setFocus();
  };
  auto focoNombre = [&foco] { foco(1); };

  // ---- Exchange.
  if (casilla == EnviarNumeral || casilla == RecibirNumeral) {
    focoNombre();
    return;
  }
  if (casilla == EnviarLocator || casilla == RecibirLocator) {
    focoNombre();
    if (valor) {
      // A locator in the exchange: points per kilometre and grid squares.
      if (Contexto().NombreConcurso == kConcursoLocatorSinDistancia) return;
      Marca(Multiplicadores);
      Desmarca(RecibirPuntos);
      Desmarca(RecibirSiglas);
      Marca(RecibirPuntosPorKM);
      Marca(CadaCuadricula);
    } else {
      Marca(RecibirPuntos);
      Desmarca(RecibirPuntosPorKM);
      Desmarca(CadaCuadricula);
    }
    return;
  }
  if (casilla == EnviarSiglas || casilla == RecibirSiglas) {
    focoNombre();
    if (valor) {
      // Letters in the exchange: grid points, no locators.
      if (Contexto().NombreConcurso == kConcursoLocatorSinDistancia) return;
      Marca(RecibirPuntos);
      Desmarca(RecibirLocator);
      Desmarca(EnviarLocator);
    } else if (casilla == RecibirSiglas) {
      Desmarca(Otros);
    }
    return;
  }
  if (casilla == RecibirPuntos) {
    // The points grid: 1 point per QSO in every box, or empty and closed.
    for (int i = principal::kPrimerPunto; i <= principal::kUltimoPunto; ++i) {
      Text3[static_cast<std::size_t>(i)]->setText(valor ? QStringLiteral("1") : QString());
      PonBloqueo(i, !valor);
    }
    foco(valor ? principal::kPrimerPunto : 1);
    return;
  }
  if (casilla == SiglasONumeral || casilla == RecibirPuntosPorKM) return;

  // ---- Repeat rules.
  QLineEdit* horas = Text3[principal::kCampoHoras];
  auto cierraHoras = [this, horas] {
    horas->clear();
    horas->setEnabled(false);
    PonBloqueo(principal::kCampoHoras, true);
  };
  if (casilla == NoRepetir || casilla == RepetirEstacion) {
    if (!valor) return;
    for (QCheckBox* otra : {NoRepetir, RepetirEstacion, RepetirEnCadaBanda, RepetirEnCadaModo, RepetirCadaHoras})
      if (otra != casilla) Desmarca(otra);
    cierraHoras();
    return;
  }
  if (casilla == RepetirEnCadaBanda || casilla == RepetirEnCadaModo) {
    if (!valor) return;
    Desmarca(NoRepetir);
    Desmarca(RepetirEstacion);
    cierraHoras();
    return;
  }
  if (casilla == RepetirCadaHoras) {
    if (valor) {
      Desmarca(NoRepetir);
      Desmarca(RepetirEstacion);
      horas->clear();
      horas->setEnabled(true);
      PonBloqueo(principal::kCampoHoras, false);
      foco(principal::kCampoHoras);
    } else {
      horas->clear();
      PonBloqueo(principal::kCampoHoras, true);
      focoNombre();
    }
    return;
  }

  // ---- Multipliers.
  if (casilla == Multiplicadores) {
    if (valor) {
      HabilitaMultiplicadores(1);
    } else {
      DesmarcarMultiplicadores();
      HabilitaMultiplicadores(0);
    }
    return;
  }
  if (casilla == CadaBanda || casilla == CadaDia || casilla == CadaModo) {
    if (valor)
      for (QCheckBox* variante : VariantesDelPeriodo(*this, casilla)) Desmarca(variante);
    focoNombre();
    return;
  }
  if (casilla == ExcluirPais || casilla == ExcluirPrefijo || casilla == ExcluirProv || casilla == ExcluirDistrito ||
      casilla == ExcluirCq) {
    focoNombre();
    return;
  }

  // A period variant of a type: the period box of the same period no longer
  // applies to the multipliers as a whole.
  for (const TipoMultiplicador& t : TiposMultiplicador(*this)) {
    QCheckBox* periodo = casilla == t.PorBanda ? CadaBanda
                         : casilla == t.PorDia ? CadaDia
                         : casilla == t.PorModo ? CadaModo
                                                : nullptr;
    if (!periodo) continue;
    if (valor) Desmarca(periodo);
    ActualizaBotonesConfiguracion();
    focoNombre();
    return;
  }

  // The type boxes, with their rivals. The list buttons untick the band
  // variant of a type that is no longer ticked, so the exclude boxes are
  // recomputed once more after them: an exclude box never stays ticked
  // without its type.
  auto actualiza = [this] {
    ActualizaExclusiones();
    ActualizaBotonesConfiguracion();
    ActualizaExclusiones();
  };
  if (casilla == CadaPais) {
    actualiza();
  } else if (casilla == CadaPrefijo || casilla == CadaSufijo) {
    if (valor) Desmarca(casilla == CadaPrefijo ? CadaSufijo : CadaPrefijo);
    if (casilla == CadaPrefijo)
      actualiza();
    else
      ActualizaBotonesConfiguracion();
    focoNombre();
  } else if (casilla == CadaProv) {
    if (valor) {
      Desmarca(Otros);
      Marca(RecibirSiglas);
    }
    actualiza();
    focoNombre();
  } else if (casilla == Otros) {
    // That contest counts provinces and other letters together.
    if (valor && Contexto().NombreConcurso != kConcursoProvinciasYOtros) {
      Desmarca(CadaProv);
      Marca(RecibirSiglas);
    }
    ActualizaBotonesConfiguracion();
    focoNombre();
  } else if (casilla == CadaDistrito || casilla == CadaCq) {
    if (valor) Desmarca(casilla == CadaDistrito ? CadaCq : CadaDistrito);
    actualiza();
    focoNombre();
  } else if (casilla == CadaCuadricula) {
    ActualizaBotonesConfiguracion();
    focoNombre();
  } else if (casilla == CadaEstacion) {
    ActualizaBotonesConfiguracion();
  }
}

// Recomputes the exclude boxes from the type boxes and their band variants:
// with neither ticked the exclude box is unticked and disabled; otherwise it
// is enabled only while a contest is being created or modified.
void Trovalis::ActualizaExclusiones() {
  struct Exclusion {
    QCheckBox* Tipo;
    QCheckBox* PorBanda;
    QCheckBox* Excluir;
  };
  const Exclusion exclusiones[] = {{CadaPais, PaisPorBanda, ExcluirPais},
                                   {CadaPrefijo, PrefijoPorBanda, ExcluirPrefijo},
                                   {CadaProv, ProvPorBanda, ExcluirProv},
                                   {CadaDistrito, DistritoPorBanda, ExcluirDistrito},
                                   {CadaCq, CqPorBanda, ExcluirCq}};
  bool editando = OperacionRegistro == principal::OperacionEditor::Alta ||
                  OperacionRegistro == principal::OperacionEditor::Modificar;
  for (const Exclusion& e : exclusiones) {
    if (!e.Tipo->isChecked() && !e.PorBanda->isChecked()) {
      Desmarca(e.Excluir);
      e.Excluir->setEnabled(false);
    } else {
      e.Excluir->setEnabled(editando);
    }
  }
}

// Recomputes the list buttons and the period captions from the type boxes.
void Trovalis::ActualizaBotonesConfiguracion() {
  // The grid square excludes every other type but the multiplier stations.
  if (CadaCuadricula->isChecked()) {
    for (QCheckBox* c : {CadaPais, CadaPrefijo, CadaProv, CadaDistrito, CadaSufijo, CadaCq, Otros}) Desmarca(c);
  } else {
    for (QCheckBox* c : {CuadriculaPorBanda, CuadriculaPorDia, CuadriculaPorModo}) Desmarca(c);
  }

  bool ningunTipo = true;
  std::vector<TipoMultiplicador> tipos = TiposMultiplicador(*this);
  // The types with a list button, in this order, then the other letters.
  for (QCheckBox* conBoton : {CadaEstacion, CadaPais, CadaPrefijo, CadaProv, CadaDistrito, CadaSufijo, CadaCq, Otros}) {
    for (const TipoMultiplicador& t : tipos) {
      if (t.Tipo != conBoton) continue;
      if (t.Tipo->isChecked()) {
        if (t.Boton) t.Boton->setEnabled(true);
        ningunTipo = false;
      } else {
        if (t.Boton) t.Boton->setEnabled(false);
        Desmarca(t.PorBanda);
        Desmarca(t.PorDia);
        Desmarca(t.PorModo);
      }
    }
  }

  CadaBanda->setText(ningunTipo ? "x Banda" : "+ Banda");
  CadaDia->setText(ningunTipo ? "x Dia" : "+ Dia");
  CadaModo->setText(ningunTipo ? "x Modo" : "+ Modo");
}

void Trovalis::VerificaNombre_Click() { Contexto().VerificarNombreExacto = VerificaNombre->isChecked(); }
