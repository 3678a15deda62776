// quorvel-bank: builds, inspects and checks the game's coded question bank with the game's own code.
#include "tools/quorvel-bank/Commands.h"

#include <QGuiApplication>
#include <algorithm>
#include <array>

namespace {

struct Command {
    const char* name;
    int minArgs;
    int maxArgs;
    int (*run)(const QStringList& operands, const QStringList& optionValues);
    const char* help;
    const char* valueOption = nullptr;  // an option that takes a value, may be repeated
};

constexpr std::array<Command, 5> commands{{
    {"encode", 2, 2, encodeCommand,
     "Usage: quorvel-bank encode PLAIN CODED\n"
     "Codes the plain bank PLAIN into the bank CODED that the game reads, as the game's own\n"
     "conversion does: line 1 is copied as it is; every other line loses its leading and trailing\n"
     "blanks; a separator (''' and at least one more character) is kept as it is; any other line\n"
     "is coded. CODED is replaced only once it is completely written.\n"},
    {"decode", 2, 2, decodeCommand,
     "Usage: quorvel-bank decode CODED PLAIN\n"
     "Writes the plain text of the coded bank CODED to PLAIN, so it can be edited and encoded\n"
     "again: line 1 as it is, separators as they are, every other line decoded. Separators that\n"
     "the next encode would code as text are reported on stderr.\n"},
    {"dump", 1, 2, dumpCommand,
     "Usage: quorvel-bank dump CODED [N]\n"
     "Prints each question of CODED (or question N only) as one line of JSON with the keys\n"
     "number, kind, extraAnswer, rightAnswer, clip, question, answers, extra: exactly what the\n"
     "game reads, with clipComment for words written after the clip's name. The first question\n"
     "of a whole bank also carries the bank's two header lines as header. Exit 1 when a question\n"
     "cannot be read.\n"},
    {"check", 1, 1, checkCommand,
     "Usage: quorvel-bank check [--screen WIDTHxHEIGHT]... CODED\n"
     "Reads every question of CODED as the game will and prints each problem as\n"
     "FILE:LINE: message. Exit 1 when there is any problem.\n"
     "Each question, answer and remark is also measured with the game's fonts and layout on a\n"
     "screen of the given size (by default 800x600 and 1024x768); a text wider than the window,\n"
     "or running into the picture, the Close button or below the window, is a problem.\n",
     "--screen"},
    {"import", 2, 2, importCommand,
     "Usage: quorvel-bank import JSON CODED\n"
     "Writes the coded bank CODED from JSON, one question a line as dump prints them (the key\n"
     "number is not needed; the questions are numbered in the order of the lines). The header\n"
     "lines are those a line gives as header, else the standard ones, so dump then import gives\n"
     "back byte for byte a bank whose separators read \"''' N\", as encode, import and the\n"
     "editor write them. Exit 2 naming the line of a question it cannot take.\n"},
}};

constexpr const char* overview =
    "Usage: quorvel-bank COMMAND ARGUMENTS...\n"
    "The quiz author's tool for the question bank of The Quorvel Challenge.\n"
    "\n"
    "Commands:\n"
    "  encode PLAIN CODED   code a plain bank into the bank the game reads\n"
    "  decode CODED PLAIN   turn a coded bank back into plain text\n"
    "  dump CODED [N]       print the questions as JSON lines\n"
    "  check CODED          report every problem the game would meet\n"
    "  import JSON CODED    write a bank from JSON lines as dump prints them\n"
    "\n"
    "quorvel-bank COMMAND --help describes a command. After \"--\" every argument is a file\n"
    "name, even one that begins with '-'.\n"
    "Exit codes: 0 fine, 1 problems found, 2 usage or I/O error.\n";

bool isHelp(const QString& arg) { return arg == "--help" || arg == "-h"; }

struct Arguments {
    QStringList options;
    QStringList optionValues;  // the values of the command's value option, in order
    QStringList files;         // and numbers
    bool valueMissing = false; // the value option stood last, without its value
};

// An argument starting with '-' is an option, up to a "--" that ends the options: what follows
// it is taken as it is, so a file whose name begins with '-' can be given. A lone "-" is a name.
// The command's value option takes the argument after it as its value.
Arguments splitOptions(const QStringList& args, const char* valueOption)
{
    Arguments given;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (!optionsEnded && arg == QLatin1String("--"))
            optionsEnded = true;
        else if (!optionsEnded && valueOption && arg == QLatin1String(valueOption)) {
            if (i + 1 < args.size())
                given.optionValues.append(args.at(++i));
            else
                given.valueMissing = true;
        } else if (!optionsEnded && arg.startsWith('-') && arg.size() > 1)
            given.options.append(arg);
        else
            given.files.append(arg);
    }
    return given;
}

int usageError(const QString& message)
{
    printError(message + QStringLiteral("\nTry 'quorvel-bank --help'."));
    return ExitCode::failure;
}

int run(QStringList args)
{
    if (args.isEmpty())
        return usageError(QStringLiteral("quorvel-bank: no command given"));
    const QString name = args.takeFirst();
    if (isHelp(name)) {
        printOut(overview);
        return ExitCode::fine;
    }
    for (const Command& command : commands) {
        if (name != QLatin1String(command.name))
            continue;
        const Arguments given = splitOptions(args, command.valueOption);
        if (std::any_of(given.options.begin(), given.options.end(), isHelp)) {
            printOut(command.help);
            return ExitCode::fine;
        }
        if (given.valueMissing)
            return usageError(QStringLiteral("quorvel-bank %1: %2 needs a value").arg(name, command.valueOption));
        if (!given.options.isEmpty())
            return usageError(QStringLiteral("quorvel-bank %1: unknown option %2").arg(name, given.options.first()));
        if (given.files.size() < command.minArgs || given.files.size() > command.maxArgs)
            return usageError(QStringLiteral("quorvel-bank %1: wrong number of arguments\n%2")
                                  .arg(name, QString::fromLatin1(command.help).section('\n', 0, 0)));
        return command.run(given.files, given.optionValues);
    }
    return usageError(QStringLiteral("quorvel-bank: unknown command %1").arg(name));
}

// Without a desktop session (scripts, build machines) Qt's start-up warns that it has no
// runtime folder; the tool never uses one, and an author's stderr is for the tool's own messages.
void quietWithoutRuntimeFolder(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    qt_message_output(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    // check measures texts with the game's fonts, which need a GUI application but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QtMessageHandler standardOutput = qInstallMessageHandler(quietWithoutRuntimeFolder);
    QGuiApplication app(argc, argv);
    qInstallMessageHandler(standardOutput);
    QStringList args = app.arguments();
    args.removeFirst();
    return run(args);
}
