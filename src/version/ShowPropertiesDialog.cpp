#include "ShowPropertiesDialog.h"

#include "CFileVersionInfo.h"
#include "VersionResource.h"

#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace parlanza::ShowPropertiesDialog {

namespace {

constexpr int kShown = 42;
constexpr int kFileNotFound = 2;

// Spanish names for the usual entries of a string table; others show under their own name.
QString entryName(const QString &key)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("FileDescription"), QStringLiteral("Descripción")},
        {QStringLiteral("ProductName"), QStringLiteral("Producto")},
        {QStringLiteral("ProductVersion"), QStringLiteral("Versión del producto")},
        {QStringLiteral("FileVersion"), QStringLiteral("Versión del archivo")},
        {QStringLiteral("CompanyName"), QStringLiteral("Empresa")},
        {QStringLiteral("LegalCopyright"), QStringLiteral("Derechos de autor")},
        {QStringLiteral("LegalTrademarks"), QStringLiteral("Marcas registradas")},
        {QStringLiteral("Comments"), QStringLiteral("Comentarios")},
        {QStringLiteral("InternalName"), QStringLiteral("Nombre interno")},
        {QStringLiteral("OriginalFilename"), QStringLiteral("Nombre original")},
    };
    return names.value(key, key);
}

// The Spanish name of a file type the reader gives in its own words.
QString typeName(const QString &fileType)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("Application"), QStringLiteral("Aplicación")},
        {QStringLiteral("DLL"), QStringLiteral("Biblioteca de vínculos dinámicos (DLL)")},
        {QStringLiteral("Driver"), QStringLiteral("Controlador")},
        {QStringLiteral("Font"), QStringLiteral("Fuente")},
        {QStringLiteral("VxD"), QStringLiteral("Controlador virtual (VxD)")},
        {QStringLiteral("Lib"), QStringLiteral("Biblioteca estática")},
        {QStringLiteral("Unknown"), QStringLiteral("Desconocido")},
    };
    return names.value(fileType, fileType);
}

// Sizes and dates in Spanish like the rest of the program: the user's own Spanish, or Spain's when the
// desktop speaks another language.
QLocale sheetLocale()
{
    const QLocale system = QLocale::system();
    return system.language() == QLocale::Spanish ? system : QLocale(QLocale::Spanish, QLocale::Spain);
}

void addRow(QFormLayout *form, const QString &name, const QString &value)
{
    auto *label = new QLabel(value);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    form->addRow(name + u':', label);
}

} // namespace

int ShowFileProperties(const QString &path, QWidget *owner)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return kFileNotFound;

    auto *sheet = new QDialog(owner);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->setObjectName(QStringLiteral("propiedades"));
    sheet->setWindowTitle(QStringLiteral("Propiedades de %1").arg(file.fileName()));
    sheet->setModal(false);
    auto *form = new QFormLayout;
    const QLocale locale = sheetLocale();
    addRow(form, QStringLiteral("Nombre"), file.fileName());
    addRow(form, QStringLiteral("Carpeta"), QDir::toNativeSeparators(file.absolutePath()));
    addRow(form, QStringLiteral("Tamaño"),
           QStringLiteral("%1 (%2 bytes)")
               .arg(locale.formattedDataSize(file.size()), locale.toString(file.size())));
    addRow(form, QStringLiteral("Modificado"), locale.toString(file.lastModified(), QLocale::LongFormat));
    addRow(form, QStringLiteral("Último acceso"), locale.toString(file.lastRead(), QLocale::LongFormat));

    CFileVersionInfo info;
    info.setFullPathName(path);
    if (info.Available()) {
        const QByteArray resource = versionresource::read(path);
        for (const auto &[key, value] : versionresource::firstStringTable(resource))
            addRow(form, entryName(key), value);
        addRow(form, QStringLiteral("Idioma"), info.LanguageName());
        addRow(form, QStringLiteral("Tipo"), typeName(info.FileType()));
    } else {
        addRow(form, QStringLiteral("Versión"),
               QStringLiteral("El archivo no tiene información de versión."));
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, sheet, &QDialog::close);
    auto *layout = new QVBoxLayout(sheet);
    layout->addLayout(form);
    layout->addWidget(buttons);
    sheet->show();
    return kShown;
}

} // namespace parlanza::ShowPropertiesDialog
