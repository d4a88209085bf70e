// parlanza-version RUTA: every member of the version reader for a file, and its first string table.
#include "CFileVersionInfo.h"
#include "VersionResource.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

using namespace parlanza;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 || args[1] == u"-h" || args[1] == u"--help") {
        std::fputs(
            "Uso: parlanza-version RUTA\n"
            "Escribe la información de versión del archivo, una línea «Nombre: valor» por dato.\n"
            "Estado de salida: 0 con información de versión, 1 sin ella, 2 si el archivo no se puede leer.\n",
            args.size() == 2 ? stdout : stderr);
        return args.size() == 2 ? 0 : 2;
    }
    const QFileInfo file(args[1]);
    if (!file.isFile() || !file.isReadable()) {
        std::fprintf(
            stderr, "%s\n",
            qPrintable(QStringLiteral("No se puede leer el archivo «%1».").arg(args[1]).toLocal8Bit()));
        return 2;
    }
    CFileVersionInfo info;
    info.setFullPathName(args[1]);
    const std::pair<const char *, QString> members[] = {
        {"Available", info.Available() ? QStringLiteral("True") : QStringLiteral("False")},
        {"StructureVersion", info.StructureVersion()},
        {"FixedFileVersion", info.FixedFileVersion()},
        {"FixedProductVersion", info.FixedProductVersion()},
        {"FileFlags", info.FileFlags()},
        {"FileOS", info.FileOS()},
        {"FileType", info.FileType()},
        {"FileSubtype", info.FileSubtype()},
        {"LanguageName", info.LanguageName()},
        {"ProductVersion", info.ProductVersion()}};
    QString out;
    for (const auto &[name, value] : members)
        out += QLatin1String(name) + QStringLiteral(": ") + value + u'\n';
    for (const auto &[name, value] : versionresource::firstStringTable(versionresource::read(args[1])))
        out += name + QStringLiteral(": ") + value + u'\n';
    std::fputs(out.toLocal8Bit().constData(), stdout);
    return info.Available() ? 0 : 1;
}
