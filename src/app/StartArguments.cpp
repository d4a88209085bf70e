#include "StartArguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace parlanza {

StartArguments readStartArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Compone discursos de broma que valen para cualquier ocasión, en una ventana.\n\n"
        "Lee dialogo.soy y parlanzaguia.ans de la carpeta de datos del usuario ($XDG_DATA_HOME/parlanza, por "
        "omisión ~/.local/share/parlanza) cuando están allí, y si no de la carpeta del programa. «Pasa a "
        "File» "
        "añade el historial a Lhistorial.TXT en la carpeta de datos del usuario si el programa está "
        "instalado "
        "para todo el sistema, y junto al programa si no.\n\n"
        "Estado de salida: 0 al cerrar la ventana; 1 si no hay pantalla o la línea de órdenes no es "
        "válida."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Muestra esta ayuda."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Muestra la versión."));
    parser.addOptions({help, version});
    parser.addPositionalArgument(
        QStringLiteral("RUTA"),
        QStringLiteral("Archivo de bases de premisas con el que empezar, en lugar de dialogo.soy; "
                       "«Inicia Discursos» lo vuelve a leer."),
        QStringLiteral("[RUTA]"));

    StartArguments result;
    if (!parser.parse(arguments)) {
        result.action = StartArguments::Action::Refuse;
        result.text = parser.errorText();
        result.unknownOption = !parser.unknownOptionNames().isEmpty();
    } else if (parser.isSet(help)) {
        result.action = StartArguments::Action::Answer;
        result.text = parser.helpText();
    } else if (parser.isSet(version)) {
        result.action = StartArguments::Action::Answer;
        result.text = QStringLiteral("parlanza %1\n").arg(QCoreApplication::applicationVersion());
    } else if (parser.positionalArguments().size() > 1) {
        result.action = StartArguments::Action::Refuse;
        result.text = QStringLiteral("Sobran argumentos: se abre un solo archivo de bases de premisas.");
    } else if (!parser.positionalArguments().isEmpty()) {
        // Made absolute, so that every restart reads the same file.
        result.premiseFile = QFileInfo(parser.positionalArguments().constFirst()).absoluteFilePath();
    }
    if (result.action == StartArguments::Action::Refuse)
        result.text += QStringLiteral("\nUse «parlanza --help» para ver las opciones.\n");
    return result;
}

QString noDisplayMessage()
{
    return QStringLiteral(
        "parlanza: no se encuentra ninguna pantalla en la que abrir la ventana.\n"
        "Inicie Parlanza desde una sesión de escritorio. En un terminal, «parlanza-discurso» compone "
        "discursos sin ventana.\n");
}

} // namespace parlanza
