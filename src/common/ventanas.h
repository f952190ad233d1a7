#pragma once
// Small services every window uses: numeric-entry check, blank-field test
// and message, centring, rescaling on maximise/restore, printer choice and
// printing a list with a title.
#include <string>
#include <vector>

#include "plataforma/eleccion_impresora.h"

class QListWidget;
class QScrollArea;
class QWidget;

// Blank text becomes "0" and passes; a lone "-" passes; a number passes;
// anything else shows ".- ERROR en FORMATO NUMERICO" and fails (the text
// stays as typed).
bool VerificaFormatoNumerico(std::string& texto);
// True for an empty or all-blank text (an all-blank text becomes empty).
// Only the space counts as blank.
bool EsCampoEnBlanco(std::string& texto);
// Beep and "Este dato no se puede dejar en blanco" titled with the field's
// name.
void AvisaDatoEnBlanco(const std::string& titulo);
// Sizes a window whose controls sit in a scroll area so that it shows all of
// them when the screen is large enough, and no more than the screen's free
// area otherwise (the scroll area then scrolls; what is outside it, such as
// the command buttons, stays in sight).
void AjustaVentanaAPantalla(QWidget* ventana, QScrollArea* area);
// Centres a window on its screen.
void CentraFormulario(QWidget* ventana);
// Rescales a window's controls when it is maximised (maximizar = true) or
// restored: fonts follow the width factor, and controls that no layout
// places also scale their geometry. Each window keeps its own maximised
// size, so restoring one window never uses another window's size.
void RedimensionaControles(QWidget* ventana, int alturaNormal, int anchuraNormal, bool maximizar);
// Chooses the first installed printer whose name equals the caption of the
// chosen printer option; none matching leaves the choice as it was.
void EstableceImpresora(plataforma::EleccionImpresora& eleccion, const std::string& nombreImpresora);
// Prints on the chosen printer the title in upper case (bold), an empty line, then every item in a
// fixed-pitch 10-point font, with a forced page break after the 60th item.
// On a machine with no printer installed the same pages go to a PDF file in
// the working folder (RutaPdfSinImpresora) and a message says where and
// how to print on paper (TextoImpresoEnPdf). A printing failure cancels the
// document and shows TextoImpresoraNoDisponible with what failed.
void ImprimeLista(const plataforma::EleccionImpresora& eleccion, const std::vector<std::string>& lineas,
                  const std::string& titulo);
// The PDF file that stands in for the printer: "Impresion <title> <date
// time>.pdf" in the working folder (the current folder).
std::string RutaPdfSinImpresora(const std::string& titulo);
std::string TextoImpresoEnPdf(const std::string& ruta);
std::string TextoImpresoraNoDisponible(const std::string& motivo);
// The items of a list box, as above.
void ImprimeLista(const plataforma::EleccionImpresora& eleccion, const QListWidget& lista, const std::string& titulo);
