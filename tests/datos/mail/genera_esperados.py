#!/usr/bin/env python3
"""Writes the logs of the intake fixture and the files the intake must leave
in the contest folder (Windows-1252, CR LF), from the texts of the answers."""
import os, shutil

AQUI = os.path.dirname(os.path.abspath(__file__))
VALIDACION = os.path.join(AQUI, '..', 'cabrillo', 'validacion')


def lee(nombre):
    with open(os.path.join(VALIDACION, nombre), 'rb') as f:
        return f.read().decode('cp1252')


def escribe(ruta, texto):
    ruta = os.path.join(AQUI, ruta)
    os.makedirs(os.path.dirname(ruta), exist_ok=True)
    with open(ruta, 'wb') as f:
        f.write(texto.encode('cp1252'))


def lineas(ls):
    return ''.join(l + '\r\n' for l in ls)


def hasta_fin(texto):
    out = []
    for l in texto.split('\r\n'):
        out.append(l)
        if l.strip(' ') == 'END-OF-LOG:':
            break
    return lineas(out)


BUENO = lee('v3_correcto.LOG')
MALO = lee('fecha_hora.LOG')


def log(indicativo, plantilla=BUENO):
    return plantilla.replace('QQ1ABC', indicativo)


def swl(indicativo):
    return log(indicativo).replace('CATEGORY-OPERATOR: SINGLE-OP', 'CATEGORY-OPERATOR: SWL')


def cabeza(fecha, asunto):
    return ['\tSU ENVÍO:', 'FECHA:' + fecha, 'ASUNTO:' + asunto.upper()]


def pie(concurso):
    return ['', 'Consulte las BASES del concurso para mayor precisión.',
            'Corrija los errores y vuelva a enviar la LISTA.',
            'La Organización del ' + concurso + ' agradece su colaboración.', '',
            'Procesado por el Vigilor de Brelmont, programa Universal de ', 'Trovalis en FORMATO CABRILLO.', '',
            '.- Para más información sobre el Vigilor diríjase a la Organización del concurso.', '']


def confirmacion(concurso, fecha, adjunto, asunto):
    return ['\tSU ENVÍO:', 'FECHA:   ' + fecha, 'ADJUNTO: ' + adjunto, 'ASUNTO:  ' + asunto, '', '',
            'Su lista ha sido verificada y admitida', 'Le deseamos una buena clasificación',
            'La Organización del ' + concurso + ' agradece su participación.', '',
            'Procesado por el Vigilor de Brelmont, programa Universal de ', 'Trovalis en FORMATO CABRILLO.', '',
            '.- Para más información sobre el programa diríjase a la Organización del concurso.', '']


SOLO_LOG = '.- Debe adjuntar UNICAMENTE su lista como INDICATIVO.LOG sin otros adjuntos (fotos,etc.)'
ERROR1 = ['.- ERROR 1: No se ha incluido ningún adjunto.', SOLO_LOG, '']
ERROR0 = ['.- ERROR 0: El fichero adjunto no es con extensión .LOG o .CBR.',
          '.- El fichero adjunto con la LISTA debe llamarse su INDICATIVO.LOG o INDICATIVO.CBR', SOLO_LOG, '']


def error2(e):
    return ['.- ERROR 2: El ASUNTO del E-MAIL no se corresponde con el exigido por las bases.',
            ".- En el ASUNTO del E-MAIL debe poner '" + e + "' solamente sin otros comentarios.", '']


def bloques_validacion(nombre, indicativo):
    # The validation's own blocks (after the report head and ADJUNTO line).
    texto = lee(nombre).replace('QQ1ABC', indicativo)
    return texto.split('\r\n')[4:-1]


C = 'CONCURSO PRUEBA'
F = '14-03-2026'

# The logs sent in the fixture inbox.
for nombre, texto in [('QQ3JKL.LOG', log('QQ3JKL')), ('QQ4MNO.LOG', log('QQ4MNO')), ('QQ1ABC.LOG', log('QQ1ABC')),
                      ('QQ5PQR.LOG', log('QQ5PQR')), ('QQ6STU.LOG', log('QQ6STU')), ('QQ7SWL.LOG', swl('QQ7SWL')),
                      ('QQ8BAD.LOG', log('QQ8BAD', MALO)), ('QQ9OTR.LOG', log('QQ9OTR'))]:
    escribe('logs/' + nombre, texto)

shutil.rmtree(os.path.join(AQUI, 'concurso'), ignore_errors=True)
E = 'concurso/'
escribe(E + 'FicherosErrores/ea1sin@example.org.ERR',
        lineas(cabeza(F, 'LISTA QQ1ABC') + ERROR1 + pie(C)))
escribe(E + 'FicherosErrores/FOTO.JPG.ERR',
        lineas(cabeza(F, 'LISTA QQ2XYZ') + ['ADJUNTO:FOTO.JPG'] + ERROR0 + pie(C)))
escribe(E + 'FicherosErrores/QQ4MNO.ERR',
        lineas(cabeza(F, 'LISTA QQ9ZZZ') + ['ADJUNTO:QQ4MNO.LOG'] + error2('LISTA QQ4MNO') + pie(C)))
escribe(E + 'FicherosErrores/QQ8BAD.ERR',
        lineas(cabeza(F, 'LISTA QQ8BAD') + ['ADJUNTO:QQ8BAD.LOG'] + bloques_validacion('fecha_hora.ERR', 'QQ8BAD')
               + pie(C)))
aceptados = [('QQ3JKL', 'QQ3JKL.LOG', 'Lista qq3jkl', 'qq3jkl@example.org', log('QQ3JKL')),
             ('QQ1ABC', 'QQ1ABC.LOG', 'LISTA QQ1ABC', 'qq1abc@example.org', log('QQ1ABC')),
             ('QQ5PQR', 'QQ5PQR.LOG', 'LISTA QQ5PQR', 'qq5pqr@example.org', log('QQ5PQR')),
             ('QQ6STU', 'QQ6STU.LOG', 'LISTA QQ6STU', 'qq6stu@example.org', log('QQ6STU')),
             ('QQ7SWL', 'QQ7SWL.LOG', 'LISTA QQ7SWL', 'qq7swl@example.org', swl('QQ7SWL'))]
for ind, nombre, asunto, remitente, texto in aceptados:
    escribe(E + 'FicherosRecibidos/' + nombre, texto)
    escribe(E + 'FicherosConfirmacion/' + ind + '.OK', lineas(confirmacion(C, F, nombre, asunto)))
    escribe(E + 'ListasEmail/' + ind + '.Email', remitente)
    if ind != 'QQ7SWL':
        escribe(E + 'ListasValidas/' + nombre, hasta_fin(texto))
escribe(E + 'FicherosRecibidos/QQ8BAD.LOG', log('QQ8BAD', MALO))
escribe(E + 'ListasDeSWL/ListasDeSWL.txt', lineas(['QQ7SWL']))

# The award: a first sending whose END-OF-LOG line has blanks before it, then
# a second one with one new QSO among the old ones and a new header.
D = 'ZEDAZIV OZIRUDUZ UV ERAZUDOZO'
primero = log('QQ2DIP').replace('END-OF-LOG:', '  END-OF-LOG:')
nueva = 'QSO: 14040 CW 2026-03-01 1010 QQ2DIP 599 004 QQ5NEW 599 004'
segundo = log('QQ2DIP').replace('NAME: ', 'NAME: Otra ').replace(
    'END-OF-LOG:', nueva + '\r\nEND-OF-LOG:')
escribe('logs/diploma_1.LOG', primero)
escribe('logs/diploma_2.LOG', segundo)
qsos = [l for l in segundo.split('\r\n') if l.startswith('QSO:')]
fusion = hasta_fin(primero).split('\r\n')[:-2] + [nueva, 'END-OF-LOG:']
A = 'diploma/'
shutil.rmtree(os.path.join(AQUI, 'diploma'), ignore_errors=True)
escribe(A + 'ListasAdmitidas/QQ2DIP.LOG', lineas(fusion))
escribe(A + 'FicherosRecibidos/QQ2DIP.LOG', segundo)
escribe(A + 'FicherosConfirmacion/QQ2DIP.OK', lineas(confirmacion(D, F, 'QQ2DIP.LOG', 'LISTA QQ2DIP')))
escribe(A + 'ListasEmail/QQ2DIP.Email', 'qq2dip@example.org')
