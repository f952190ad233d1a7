#pragma once
// What the work windows have in common: their command keys, the text of
// their controls from the program's UTF-8 strings and the fixed-pitch face.
#include <QFont>
#include <QString>
#include <Qt>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>

class QListWidget;
class QPushButton;
class QWidget;

// A control's text from a UTF-8 string.
QString Q(std::string_view texto);

// The platform's fixed-pitch face, for lists and texts whose characters
// must line up in columns.
QFont FuenteFija();

// Empties a list box and puts the texts in, in one insertion: the box takes
// them in at once, not one by one (a viewer gets a whole log).
void LlenaLista(QListWidget* caja, std::span<const std::string> textos);

// Gives every list box below a window an item delegate that measures the
// size of each plain text once (see DelegadoTexto): a list box measures all
// its items again each time it lays them out, and measuring is what costs.
void MideTextosUnaVez(QWidget* ventana);

// A window's command keys: with no Shift, Ctrl or Alt held, a key of the
// table takes the focus to its button and clicks it if it is enabled; the key
// is used up either way. False for any other key.
bool PulsaBotonDeTecla(int tecla, Qt::KeyboardModifiers modificadores,
                       std::initializer_list<std::pair<int, QPushButton*>> teclas);
