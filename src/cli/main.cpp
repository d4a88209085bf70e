#include "Companion.h"
#include "SpanishParserTexts.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("parlanza-discurso"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PARLANZA_VERSION));
    parlanza::SpanishParserTexts spanish;
    QCoreApplication::installTranslator(&spanish);
    return parlanza::runCompanion(QCoreApplication::arguments());
}
