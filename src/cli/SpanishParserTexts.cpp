#include "SpanishParserTexts.h"

#include <QHash>

namespace parlanza {

QString SpanishParserTexts::translate(const char *context, const char *sourceText, const char *, int) const
{
    static const QHash<QByteArray, QString> texts = {
        {"Usage: %1", QStringLiteral("Uso: %1")},
        {"[options]", QStringLiteral("[opciones]")},
        {"Options:", QStringLiteral("Opciones:")},
        {"Arguments:", QStringLiteral("Argumentos:")},
        {"Displays help on commandline options.", QStringLiteral("Muestra esta ayuda.")},
        {"Displays help including Qt specific options.",
         QStringLiteral("Muestra la ayuda con las opciones de Qt.")},
        {"Displays version information.", QStringLiteral("Muestra la versión.")},
        {"Unknown option '%1'.", QStringLiteral("Opción desconocida: «%1».")},
        {"Unknown options: %1.", QStringLiteral("Opciones desconocidas: %1.")},
        {"Missing value after '%1'.", QStringLiteral("Falta el valor después de «%1».")},
        {"Unexpected value after '%1'.", QStringLiteral("Sobra el valor después de «%1».")},
    };
    if (qstrcmp(context, "QCommandLineParser") != 0)
        return {};
    return texts.value(QByteArray(sourceText));
}

} // namespace parlanza
