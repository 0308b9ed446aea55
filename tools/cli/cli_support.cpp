#include "cli_support.h"

#include "document/item_store.h"
#include "document/legacy_file.h"
#include "document/tree_file.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <cstdio>
#include <optional>

namespace kinloom::cli {

// "--name value" or "--name=value".
bool takeValue(const QStringList& args, int& i, const QString& name, QString& value) {
    const QString& a = args[i];
    if (a == name) {
        if (i + 1 >= args.size()) return false;
        value = args[++i];
        return true;
    }
    if (a.startsWith(name + QLatin1Char('='))) {
        value = a.mid(name.size() + 1);
        return true;
    }
    return false;
}

bool wantsHelp(const QStringList& args) {
    for (const QString& a : args) {
        if (a == QLatin1String("--")) break;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) return true;
    }
    return false;
}

void printOut(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

void printOut(const QString& text) { printOut(text.toUtf8()); }

int fail(const char* command, const QString& message) {
    std::fprintf(stderr, "kinloom-cli %s: %s\n", command, message.toUtf8().constData());
    return 1;
}

ParsedArgs splitArgs(const QStringList& args) {
    ParsedArgs out;
    bool optionsDone = false;
    for (const QString& a : args) {
        if (!optionsDone && a == QLatin1String("--")) {
            optionsDone = true;
        } else if (!optionsDone && a.startsWith(QLatin1String("--"))) {
            out.options << a;
        } else {
            out.operands << a;
        }
    }
    return out;
}

bool takeArrangeStyle(const char* command, QStringList& args, const QString& name, ArrangeStyle& style) {
    for (int i = 0; i < args.size() && args[i] != QLatin1String("--"); ++i) {
        if (args[i] != name && !args[i].startsWith(name + QLatin1Char('='))) continue;
        const int at = i;
        QString word;
        const std::optional<ArrangeStyle> chosen = takeValue(args, i, name, word) ? arrangeStyleFromWord(word) : std::nullopt;
        if (!chosen) {
            fail(command, QStringLiteral("%1 takes chart or rows").arg(name));
            return false;
        }
        style = *chosen;
        args.erase(args.begin() + at, args.begin() + i + 1);
        i = at - 1;
    }
    return true;
}

bool parseTreeCommandArgs(const char* command, const QStringList& args, int operandCount,
                          const char* operandNames, QStringList& operands, bool& dateStandardization) {
    const ParsedArgs parsed = splitArgs(args);
    dateStandardization = true;
    for (const QString& o : parsed.options) {
        if (o != QLatin1String("--no-date-standardization")) {
            fail(command, QStringLiteral("unknown option %1 (see kinloom-cli %2 --help)").arg(o, QLatin1String(command)));
            return false;
        }
        dateStandardization = false;
    }
    if (parsed.operands.size() != operandCount) {
        fail(command, QStringLiteral("expects %1 (see kinloom-cli %2 --help)")
                          .arg(QLatin1String(operandNames), QLatin1String(command)));
        return false;
    }
    operands = parsed.operands;
    return true;
}

namespace {
bool sameFile(const QString& a, const QString& b) {
    struct stat sa {}, sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
}  // namespace

bool acceptOutputFile(const char* command, const QString& in, const QString& out, const QStringList& extensions) {
    if (sameFile(in, out)) {
        fail(command, QStringLiteral("%1 is the input file; choose another name for the output").arg(out));
        return false;
    }
    const QString suffix = QFileInfo(out).suffix();
    for (const QString& e : extensions)
        if (suffix.compare(e, Qt::CaseInsensitive) == 0) return true;
    QStringList dotted;
    for (const QString& e : extensions) dotted << QLatin1Char('.') + e;
    fail(command, QStringLiteral("%1: the output file must end in %2").arg(out, dotted.join(QLatin1String(" or "))));
    return false;
}

CommandTree& commandTree() {
    static CommandTree* tree = new CommandTree;
    return *tree;
}

bool loadTreeFile(const char* command, const QString& path, ItemStore& store, ConsolePrompts& prompts,
                  bool dateStandardization) {
    // The window size only matters for centring the home item, which a batch command never shows.
    ViewState view;
    const WindowSize window{};
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("kl3"))
        // A file cut short is refused: a batch command never works on part of a tree.
        return readFromFile(store, path, view, window, prompts, CutShortFiles::Refuse) == ReadStatus::Ok;
    if (suffix == QLatin1String("kl2"))
        return readVersion15File(store, path, view, window, prompts, dateStandardization);
    if (suffix == QLatin1String("kl"))
        return readVersion10File(store, path, view, window, prompts, dateStandardization);
    fail(command, QStringLiteral("%1: not a tree file (the name must end in .kl3, .kl2 or .kl)").arg(path));
    return false;
}

}  // namespace kinloom::cli
