#include "Hints.h"

#include "platform/Marks.h"

#include <QStringList>

namespace parlanza::hints {

namespace {

QString webLine(int blanks)
{
    return QString(blanks, u' ') + marks::kWebAddress.toString();
}

QString lines(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

QString Command1()
{
    return lines(
        {QStringLiteral(" Pulsando sobre este Comando o pulsando sobre -SPACE-, se obtiene nuevo discurso."),
         QStringLiteral(" También detinen el modo Automático, pasando a Manual. "),
         QStringLiteral("         Distribución GRATUITA! sin ningún tipo de limitación."), webLine(16)});
}

QString Command2()
{
    return lines({QStringLiteral(" Incrementa la pausa entre composición y composición"), webLine(16)});
}

QString Command3()
{
    return lines({QStringLiteral(" Disminuye la pausa entre composición y composición"), webLine(16)});
}

QString Command4()
{
    return QStringLiteral(" Permite visualizar los discursos anteriores por orden de aparción.");
}

QString Command8()
{
    return QStringLiteral(
        "  Permite disminuir el tamaño de la letra de la lista, hasta -4- , menos pasa a -4-, y cada "
        "vez que se pulse se resta uno.");
}

QString Command9()
{
    return QStringLiteral("  Permite aumentar el tamaño de la letra hasta -26- , pasando a -4-, cada vez que "
                          "se pulse se suma uno.");
}

QString Label3()
{
    return lines({QStringLiteral(" En esta ventana se presenta la nueva composición, el nuevo discurso."),
                  webLine(21)});
}

QString Label4()
{
    return lines(
        {QStringLiteral(" Da el número de composiciones generadas, los discursos generados."), webLine(21)});
}

QString Label5()
{
    return lines(
        {QStringLiteral(" Indica si el modo es Automático, los dialogos se suceden de forma automatica,"),
         QStringLiteral(" regidos por el tiempo de pausa asignado ó Manual."), webLine(21)});
}

QString Label7()
{
    return lines(
        {QStringLiteral(" Indica con números el tiempo de pausa entre composiciones."), webLine(21)});
}

} // namespace parlanza::hints
