#include "Companion.h"

#include "core/BaseFileTarget.h"
#include "core/PlainLists.h"
#include "core/PremiseBase.h"
#include "core/PremiseBaseCheck.h"
#include "core/SpeechCore.h"
#include "platform/Clock.h"
#include "platform/Failure.h"
#include "platform/NumberText.h"
#include "platform/ProgramFiles.h"
#include "platform/RandomSource.h"
#include "platform/TextFile.h"
#include "speech/Declaimer.h"
#include "speech/Phrases.h"
#include "speech/VoiceSettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <cmath>
#include <memory>
#include <optional>
#include <tuple>

namespace parlanza {

namespace {

class Console
{
public:
    Console()
    {
        m_out.open(stdout, QIODevice::WriteOnly);
        m_err.open(stderr, QIODevice::WriteOnly);
    }
    void out(QStringView text) { m_out.write(text.toLocal8Bit()); }
    void outBytes(const QByteArray &bytes) { m_out.write(bytes); }
    void flush() { m_out.flush(); }
    void err(const QString &text)
    {
        m_out.flush();
        m_err.write(text.toLocal8Bit());
        m_err.flush();
    }

private:
    QFile m_out;
    QFile m_err;
};

// Gathers speeches into large blocks and writes each block with one conversion and one write: per speech, the
// conversion and the write cost more than composing it.
class SpeechWriter
{
public:
    SpeechWriter(Console &console, bool raw)
        : m_console(console), m_raw(raw), m_lineEnd(raw ? u"\r\n" : u"\n")
    {
        m_block.reserve(kBlock + 4096);
    }
    void add(const QString &speech)
    {
        m_block += speech;
        m_block += m_lineEnd;
        if (m_block.size() >= kBlock)
            flush();
    }
    void flush()
    {
        if (m_raw)
            m_console.outBytes(TextFile::encodeWindows1252(m_block));
        else
            m_console.out(m_block);
        m_block.resize(0);
    }

private:
    // About a hundred speeches: large enough to make the writes few, small enough to stay in the processor's
    // cache and below the size at which every allocation maps fresh pages.
    static constexpr qsizetype kBlock = 1 << 15;
    Console &m_console;
    const bool m_raw;
    const QStringView m_lineEnd;
    QString m_block;
};

struct Options
{
    QString file;
    int base = -1;
    int count = 1;
    bool joined = false;
    bool seeded = false;
    quint64 seed = 0;
    bool history = false;
    bool raw = false;
    bool list = false;
    bool check = false;
    bool voice = false;
    bool finished = false;    // help or version already written
    bool defaultFile = false; // no -f: the premise base the program reads
    QString newBase;          // --nueva-base: the lists file
    int exportBase = -1;      // --exporta-listas
    int replaceBase = -1;     // --sustituye-base
    QString replacementLists; // its lists file
    QString output;           // -o

    bool listVoices = false;    // --voces
    QString voiceName;          // --voz-nombre; empty: the saved choice
    std::optional<int> rate;    // --velocidad
    std::optional<int> pitch;   // --tono
    std::optional<int> pauseMs; // --pausa
};

Options finishedOptions()
{
    Options options;
    options.finished = true;
    return options;
}

const QString kHelpHint = QStringLiteral("Use «--help» para ver las opciones.\n");

// Reads the options; on a bad one writes the reason and gives no options.
std::optional<Options> parseOptions(const QStringList &arguments, Console &console)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Compone discursos de broma con las bases de premisas de Parlanza: toma al azar una premisa de cada "
        "grupo de la base y las encadena.\n\n"
        "Estado de salida: 0 si todo va bien; 1 si una opción no es válida (también una voz que no existe), "
        "la base no se puede usar, la comprobación encuentra errores o las listas no sirven; 2 si un archivo "
        "no se puede leer; 3 si el archivo de bases no se ha podido escribir (el anterior queda intacto); 4 "
        "si se pide «--voz» o «--voces» y no hay servicio de voz o voz en español.\n\n"
        "Listas sencillas (para «--nueva-base», «--sustituye-base» y «--exporta-listas»): la primera línea "
        "con texto es el título de la base; después, los grupos en orden, una premisa por línea y una línea "
        "vacía entre grupo y grupo. Las líneas que empiezan por «#» son comentarios."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Muestra esta ayuda."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Muestra la versión."));
    const QCommandLineOption file(
        {QStringLiteral("f"), QStringLiteral("file")},
        QStringLiteral("Archivo de bases de premisas (por omisión, dialogo.soy de la carpeta de datos del "
                       "usuario si lo tiene, y si no el del programa)."),
        QStringLiteral("RUTA"));
    const QCommandLineOption base(
        {QStringLiteral("b"), QStringLiteral("base")},
        QStringLiteral("La base con el número N en su cabecera (por omisión, la primera "
                       "del archivo)."),
        QStringLiteral("N"));
    const QCommandLineOption count({QStringLiteral("n"), QStringLiteral("count")},
                                   QStringLiteral("Cuántos discursos componer (por omisión, 1)."),
                                   QStringLiteral("N"));
    const QCommandLineOption joined(
        {QStringLiteral("j"), QStringLiteral("joined")},
        QStringLiteral("Premisas seguidas, unidas por un blanco, en lugar de una por "
                       "línea."));
    const QCommandLineOption seed(
        {QStringLiteral("s"), QStringLiteral("seed")},
        QStringLiteral("Salida repetible: el azar parte de N y no se usa el reloj."), QStringLiteral("N"));
    const QCommandLineOption history(
        QStringLiteral("history"),
        QStringLiteral("Escribe cada discurso como en el historial: su número y el "
                       "discurso."));
    const QCommandLineOption raw(
        QStringLiteral("raw"),
        QStringLiteral("Escribe los bytes exactos del programa (Windows-1252, fin de línea "
                       "CR LF) en lugar del juego de caracteres del terminal."));
    const QCommandLineOption list({QStringLiteral("l"), QStringLiteral("list")},
                                  QStringLiteral("Una línea por base: número, título, tamaños de los grupos, "
                                                 "premisas utilizables y discursos distintos posibles."));
    const QCommandLineOption check(
        {QStringLiteral("c"), QStringLiteral("check")},
        QStringLiteral("Comprueba el archivo y escribe cada problema como "
                       "RUTA:LÍNEA: error: mensaje o RUTA:LÍNEA: aviso: mensaje."));
    const QCommandLineOption newBase(
        QStringLiteral("nueva-base"),
        QStringLiteral(
            "Añade las listas sencillas de LISTAS como una base nueva, con el número siguiente al de la "
            "última, al final del archivo de bases (lo crea si no existe) y escribe su número, su "
            "título y cuántos discursos distintos puede componer."),
        QStringLiteral("LISTAS"));
    const QCommandLineOption exportLists(
        QStringLiteral("exporta-listas"),
        QStringLiteral(
            "Escribe la base N como listas sencillas: el título y las premisas que se pueden elegir, "
            "grupo a grupo."),
        QStringLiteral("N"));
    const QCommandLineOption replace(
        QStringLiteral("sustituye-base"),
        QStringLiteral(
            "Pone en lugar de la base N las listas sencillas del archivo LISTAS que sigue a la opción "
            "(«--sustituye-base N LISTAS»); el resto del archivo de bases no cambia."),
        QStringLiteral("N"));
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral(
            "Con «--exporta-listas», escribe las listas en RUTA, con la codificación y los finales "
            "de línea del archivo de bases, en lugar de la salida estándar."),
        QStringLiteral("RUTA"));
    const QCommandLineOption voice(
        QStringLiteral("voz"),
        QStringLiteral(
            "Lee en voz alta cada discurso, uno tras otro, con una voz en español (speech-dispatcher); "
            "el texto se escribe igualmente. Salvo lo que elijan las opciones siguientes, lee con la voz, "
            "la velocidad, el tono y la pausa elegidos en la ventana («Voz…»)."));
    const QCommandLineOption voices(
        QStringLiteral("voces"),
        QStringLiteral("Escribe las voces en español del servicio de voz, una por línea: el nombre, un "
                       "tabulador y el idioma."));
    const QCommandLineOption voiceName(
        QStringLiteral("voz-nombre"),
        QStringLiteral("Con «--voz», lee con la voz NOMBRE, uno de los nombres que escribe «--voces»."),
        QStringLiteral("NOMBRE"));
    const QCommandLineOption rate(
        QStringLiteral("velocidad"),
        QStringLiteral("Con «--voz», la velocidad de lectura: de -100 (la más lenta) a 100 (la más rápida); "
                       "0 es la del servicio de voz."),
        QStringLiteral("N"));
    const QCommandLineOption pitch(
        QStringLiteral("tono"),
        QStringLiteral("Con «--voz», el tono de la voz: de -100 (el más grave) a 100 (el más agudo); 0 es el "
                       "del servicio de voz."),
        QStringLiteral("N"));
    const QCommandLineOption pause(
        QStringLiteral("pausa"),
        QStringLiteral("Con «--voz», los segundos de pausa entre premisa y premisa: de 0,2 a 2."),
        QStringLiteral("S"));
    parser.addPositionalArgument(QStringLiteral("LISTAS"),
                                 QStringLiteral("Con «--sustituye-base N», el archivo de listas sencillas."),
                                 QStringLiteral("[LISTAS]"));
    parser.addOptions({help, version, file, base, count, joined, seed, history, raw, list, check, newBase,
                       exportLists, replace, output, voice});
    parser.addOptions({voices, voiceName, rate, pitch, pause});

    if (!parser.parse(arguments)) {
        console.err(parser.errorText() + u'\n' + kHelpHint);
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        console.out(parser.helpText());
        return finishedOptions();
    }
    if (parser.isSet(version)) {
        console.out(QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() +
                    u'\n');
        return finishedOptions();
    }
    QStringList positional = parser.positionalArguments();
    Options options;
    if (parser.isSet(replace) && !positional.isEmpty())
        options.replacementLists = positional.takeFirst();
    if (!positional.isEmpty()) {
        console.err(QStringLiteral("Sobran argumentos: %1.\n").arg(positional.join(u' ')) + kHelpHint);
        return std::nullopt;
    }

    options.defaultFile = !parser.isSet(file);
    options.file =
        parser.isSet(file) ? parser.value(file) : ProgramFiles::forThisProcess().readPath(u"dialogo.soy");
    bool ok = true;
    if (parser.isSet(base)) {
        options.base = parser.value(base).toInt(&ok);
        if (!ok || options.base < 0 || options.base > 99) {
            console.err(QStringLiteral("El número de base («%1») debe ser un entero de 0 a 99.\n")
                            .arg(parser.value(base)));
            return std::nullopt;
        }
    }
    if (parser.isSet(count)) {
        options.count = parser.value(count).toInt(&ok);
        if (!ok || options.count < 1) {
            console.err(QStringLiteral("El número de discursos («%1») debe ser un entero mayor que 0.\n")
                            .arg(parser.value(count)));
            return std::nullopt;
        }
    }
    if (parser.isSet(seed)) {
        options.seed = parser.value(seed).toULongLong(&ok);
        options.seeded = true;
        if (!ok) {
            console.err(
                QStringLiteral("La semilla («%1») debe ser un entero sin signo.\n").arg(parser.value(seed)));
            return std::nullopt;
        }
    }
    options.joined = parser.isSet(joined);
    options.history = parser.isSet(history);
    options.raw = parser.isSet(raw);
    options.list = parser.isSet(list);
    options.check = parser.isSet(check);
    options.newBase = parser.value(newBase);
    options.output = parser.value(output);
    for (const auto &[option, number] :
         {std::pair{&exportLists, &options.exportBase}, {&replace, &options.replaceBase}}) {
        if (!parser.isSet(*option))
            continue;
        *number = parser.value(*option).toInt(&ok);
        if (!ok || *number < 0 || *number > 99) {
            console.err(QStringLiteral("El número de base («%1») debe ser un entero de 0 a 99.\n")
                            .arg(parser.value(*option)));
            return std::nullopt;
        }
    }
    const int commands =
        int(parser.isSet(newBase)) + int(parser.isSet(exportLists)) + int(parser.isSet(replace));
    if (commands > 1 || (commands == 1 && (options.check || options.list))) {
        console.err(
            QStringLiteral("«--nueva-base», «--exporta-listas», «--sustituye-base», «--check» y «--list» "
                           "no se pueden usar juntas.\n"));
        return std::nullopt;
    }
    if (parser.isSet(replace) && options.replacementLists.isEmpty()) {
        console.err(QStringLiteral("Falta el archivo de listas: «--sustituye-base N LISTAS».\n"));
        return std::nullopt;
    }
    if (parser.isSet(output) && !parser.isSet(exportLists)) {
        console.err(QStringLiteral("«-o» solo sirve con «--exporta-listas».\n"));
        return std::nullopt;
    }
    options.voice = parser.isSet(voice);
    options.listVoices = parser.isSet(voices);
    options.voiceName = parser.value(voiceName).trimmed();
    for (const auto &[option, count, what] :
         {std::tuple{&rate, &options.rate, "La velocidad"}, {&pitch, &options.pitch, "El tono"}}) {
        if (!parser.isSet(*option))
            continue;
        *count = parser.value(*option).toInt(&ok);
        if (!ok || !VoiceChoice::inRange(**count)) {
            console.err(QStringLiteral("%1 («%2») debe ser un entero de -100 a 100.\n")
                            .arg(QLatin1String(what), parser.value(*option)));
            return std::nullopt;
        }
    }
    if (parser.isSet(pause)) {
        QString seconds = parser.value(pause).trimmed();
        const double value = seconds.replace(u',', u'.').toDouble(&ok);
        options.pauseMs = ok && std::isfinite(value) ? qRound(value * 1000) : -1;
        if (!VoiceChoice::pauseInRange(*options.pauseMs)) {
            console.err(QStringLiteral("La pausa («%1») debe ser un número de segundos de 0,2 a 2.\n")
                            .arg(parser.value(pause)));
            return std::nullopt;
        }
    }
    if (!options.voice &&
        (parser.isSet(voiceName) || parser.isSet(rate) || parser.isSet(pitch) || parser.isSet(pause))) {
        console.err(QStringLiteral("«--voz-nombre», «--velocidad», «--tono» y «--pausa» solo sirven con "
                                   "«--voz».\n"));
        return std::nullopt;
    }
    return options;
}

QString counted(qsizetype count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

int runCheckAndList(const Options &options, const TextFile &file, Console &console)
{
    const PremiseBaseReport report = checkPremiseBase(file);
    if (options.check) {
        for (const Finding &finding : report.findings) {
            const QString kind = finding.severity == Finding::Severity::Error ? QStringLiteral("error")
                                                                              : QStringLiteral("aviso");
            console.out(QStringLiteral("%1:%2: %3: %4\n")
                            .arg(options.file, QString::number(finding.line), kind, finding.message));
        }
        console.out(QStringLiteral("%1: %2, %3, %4.\n")
                        .arg(options.file, counted(report.bases.size(), "base", "bases"),
                             counted(report.count(Finding::Severity::Error), "error", "errores"),
                             counted(report.count(Finding::Severity::Warning), "aviso", "avisos")));
    }
    if (options.list) {
        for (const BaseSummary &base : report.bases) {
            QStringList sizes;
            QStringList usable;
            for (const GroupSummary &group : base.groups) {
                sizes.append(QString::number(group.size));
                usable.append(QString::number(group.usable));
            }
            QString line = QStringLiteral("%1  «%2»").arg(base.number, base.title);
            if (base.loadable)
                line += QStringLiteral("  grupos: %1  utilizables: %2  discursos distintos: %3")
                            .arg(sizes.join(u' '), usable.join(u' '), base.speechVariety());
            else
                line += QStringLiteral("  no se puede cargar");
            console.out(line + u'\n');
        }
    }
    return options.check && report.count(Finding::Severity::Error) > 0 ? kExitFailed : kExitOk;
}

// Reads a speech aloud and returns when it has been said.
void declaim(Declaimer &declaimer, const QString &speech, const QStringList &premises)
{
    QEventLoop loop;
    QObject::connect(&declaimer, &Declaimer::finished, &loop, &QEventLoop::quit);
    declaimer.read(phrasesOf(speech, premises));
    if (declaimer.isReading())
        loop.exec();
}

// The speech engine, prepared; none (the reason written) when there is no speech service or Spanish voice.
std::unique_ptr<Declaimer> preparedDeclaimer(Console &console)
{
    auto declaimer = std::make_unique<Declaimer>(Declaimer::defaultEngine());
    declaimer->prepare();
    if (declaimer->isAvailable())
        return declaimer;
    console.err(declaimer->problem() + u'\n');
    return nullptr;
}

int listVoices(Console &console)
{
    const std::unique_ptr<Declaimer> declaimer = preparedDeclaimer(console);
    if (!declaimer)
        return kExitNoVoice;
    QString lines;
    for (const SpeechVoice &voice : declaimer->voices())
        lines += voice.name + u'\t' + voice.language() + u'\n';
    console.out(lines);
    return kExitOk;
}

// The user's saved choice, with what the options choose for this run in its place; none when the voice asked
// for is not offered.
std::optional<VoiceChoice> choiceForRun(const Options &options, const Declaimer &declaimer, Console &console)
{
    VoiceChoice choice = VoiceSettings::load();
    if (!options.voiceName.isEmpty()) {
        if (!declaimer.offers(options.voiceName)) {
            console.err(QStringLiteral("El servicio de voz no tiene ninguna voz en español llamada «%1». Use "
                                       "«parlanza-discurso --voces» para ver las que tiene.\n")
                            .arg(options.voiceName));
            return std::nullopt;
        }
        choice.voice = options.voiceName;
    } else if (!choice.voice.isEmpty() && !declaimer.offers(choice.voice)) {
        console.err(QStringLiteral("Aviso: la voz elegida, «%1», ya no está instalada; se lee con la voz en "
                                   "español del servicio de voz.\n")
                        .arg(choice.voice));
        choice.voice.clear();
    }
    choice.rate = options.rate.value_or(choice.rate);
    choice.pitch = options.pitch.value_or(choice.pitch);
    choice.pauseMs = options.pauseMs.value_or(choice.pauseMs);
    return choice;
}

int composeSpeeches(const Options &options, const TextFile &file, Console &console)
{
    std::unique_ptr<Declaimer> declaimer;
    if (options.voice) {
        declaimer = preparedDeclaimer(console);
        if (!declaimer)
            return kExitNoVoice;
        const std::optional<VoiceChoice> choice = choiceForRun(options, *declaimer, console);
        if (!choice)
            return kExitFailed;
        declaimer->choose(*choice);
    }
    std::unique_ptr<Clock> clock;
    if (options.seeded)
        clock = std::make_unique<FixedClock>();
    else
        clock = std::make_unique<SystemClock>();
    UniformRandom random(options.seeded ? options.seed : QRandomGenerator::system()->generate64());
    SpeechCore core(*clock, random);
    // The file was read once already; a pipe would give nothing the second time.
    core.setPremiseText(file);
    core.state.separator = (options.joined ? kJoinedPremises : kSeparatedPremises).toString();
    // On a terminal a line ends with LF alone: composing with it saves converting every line end afterwards.
    if (!options.raw)
        core.state.separator.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    try {
        core.countLines();
    } catch (const Failure &failure) {
        // Like the program, go on with the lines counted when the file was only too long.
        console.err(failure.description() + u'\n');
        if (core.state.lineCount == 0)
            return kExitUnreadable;
    }
    try {
        core.toggleBaseList();
    } catch (const Failure &failure) {
        console.err(failure.description() + u'\n');
        return kExitUnreadable;
    }

    BaseList &bases = core.controls.bases;
    core.state.firstBasePending = options.base < 0;
    if (options.base >= 0) {
        const QString wanted = formatNumber(options.base, u"00");
        QStringList available;
        for (qsizetype i = 0; i < bases.entries.size(); ++i) {
            const QString number = premise::baseNumberText(bases.entries[i]);
            available.append(number);
            if (number == wanted && bases.current < 0)
                bases.current = static_cast<int>(i);
        }
        if (bases.current < 0) {
            console.err(QStringLiteral("El archivo %1 no tiene la base %2. Bases: %3.\n")
                            .arg(Failure::quoted(options.file), wanted,
                                 available.isEmpty() ? QStringLiteral("ninguna")
                                                     : available.join(QStringLiteral(", "))));
            return kExitFailed;
        }
    }

    SpeechWriter writer(console, options.raw);
    auto write = [&] {
        writer.add(options.history ? core.controls.history.constLast() : core.controls.speech);
        // The companion keeps no history of its own: dropping each entry keeps the memory of a long run flat.
        core.controls.history.removeLast();
        if (declaimer) {
            writer.flush();
            console.flush();
            declaim(*declaimer, core.controls.speech, core.controls.premises.entries());
        }
    };
    try {
        core.selectBase();
        write();
        for (int i = 1; i < options.count; ++i) {
            core.compose();
            write();
        }
        writer.flush();
    } catch (const Failure &failure) {
        writer.flush();
        console.err(failure.description() + u'\n');
        return kExitFailed;
    }
    return kExitOk;
}

// The plain-list commands: export a base, add one, or put one in the place of another.
int runListCommand(const Options &options, Console &console)
{
    QByteArray bytes;
    TextFile lists;
    const QString listsPath = options.replaceBase >= 0 ? options.replacementLists : options.newBase;
    const BaseFileTarget target(ProgramFiles::forThisProcess(),
                                options.defaultFile ? QString() : options.file);
    try {
        bytes = target.readBytes(options.exportBase < 0 && options.replaceBase < 0);
        if (!listsPath.isEmpty())
            lists = TextFile::read(listsPath);
    } catch (const Failure &failure) {
        console.err(failure.description() + u'\n');
        return kExitUnreadable;
    }
    QString path = options.file;
    if (options.exportBase < 0) {
        try {
            path = target.writePath();
        } catch (const Failure &failure) {
            console.err(failure.description() + u'\n');
            return kExitUnwritable;
        }
    }
    BaseEdit edit;
    try {
        if (options.exportBase >= 0) {
            const PlainLists exported =
                exportBase(TextFile::fromBytes(bytes, options.file), options.exportBase);
            if (options.output.isEmpty()) {
                const QString text = plainListsText(exported, options.raw ? u"\r\n" : u"\n");
                if (options.raw)
                    console.outBytes(TextFile::encodeWindows1252(text));
                else
                    console.out(text);
                return kExitOk;
            }
            path = options.output;
            edit.bytes = plainListsBytes(exported, bytes);
        } else if (options.replaceBase >= 0) {
            edit = replaceBase(options.file, bytes, options.replaceBase, readPlainLists(lists));
        } else {
            edit = appendBase(options.file, bytes, readPlainLists(lists));
        }
    } catch (const Failure &failure) {
        console.err(failure.description() + u'\n');
        return kExitFailed;
    }
    try {
        TextFile::replaceWhole(path, edit.bytes);
    } catch (const Failure &failure) {
        console.err(failure.description() + u'\n');
        return kExitUnwritable;
    }
    if (options.exportBase < 0)
        console.out(
            QStringLiteral("Base %1 %2 %3: «%4»; %5.\n")
                .arg(formatNumber(edit.number, u"00"),
                     options.replaceBase >= 0 ? QStringLiteral("sustituida en") : QStringLiteral("añadida a"),
                     Failure::quoted(path), edit.title,
                     edit.speechVariety == u"1"
                         ? QStringLiteral("puede componer 1 discurso")
                         : QStringLiteral("puede componer %1 discursos distintos").arg(edit.speechVariety)));
    return kExitOk;
}

} // namespace

int runCompanion(const QStringList &arguments)
{
    Console console;
    const std::optional<Options> options = parseOptions(arguments, console);
    if (!options)
        return kExitFailed;
    if (options->finished)
        return kExitOk;
    if (options->listVoices)
        return listVoices(console);
    if (!options->newBase.isEmpty() || options->exportBase >= 0 || options->replaceBase >= 0)
        return runListCommand(*options, console);

    TextFile file;
    try {
        file = TextFile::read(options->file);
    } catch (const Failure &failure) {
        console.err(failure.description() + u'\n');
        return kExitUnreadable;
    }
    if (options->check || options->list)
        return runCheckAndList(*options, file, console);
    return composeSpeeches(*options, file, console);
}

} // namespace parlanza
