#include "cli_support.h"
#include "commands.h"

#include "canvas/render_tree.h"
#include "document/item_store.h"
#include "platform/imagecodec.h"
#include "platform/save_file.h"

#include <QImage>
#include <QImageWriter>
#include <QBuffer>

namespace kinloom::cli {

namespace {
const char kRenderHelp[] =
    "usage: kinloom-cli render [OPTIONS] TREE OUT.png|OUT.gif\n"
    "\n"
    "Draws a tree file (.kl3, .kl2 or .kl) as the canvas shows it and saves the picture as PNG or GIF.\n"
    "Without --zoom and --offset the whole tree is fitted into the picture (at most 100 %). A GIF\n"
    "without --size, --zoom or --offset is the whole tree at 100 %, as Reports > Save tree as GIF\n"
    "image saves it (smaller when that would pass 64 million pixels).\n"
    "\n"
    "  --zoom Z           zoom in percent, 0.00001 to 10000 (with no --offset the tree is centred)\n"
    "  --offset X,Y       scroll offset in canvas units (the view's OffsetX, OffsetY)\n"
    "  --size WxH         picture size in pixels (default 1024x768)\n"
    "  --colour-code none|gender|notes|picture   box colours as the View menu's colour codes\n"
    "  --font NAME        tree font (default Times New Roman)\n"
    "  --font-size N      tree font cell height in canvas units (default 16)\n"
    "  --no-date-standardization  copy the dates of a .kl2 file as they are\n";

constexpr int kMaxSide = 20000;

}  // namespace

int runRender(const QStringList& args) {
    if (wantsHelp(args)) {
        printOut(QByteArray(kRenderHelp));
        return 0;
    }
    RenderOptions options;
    bool sizeGiven = false;
    bool dates = true;
    QStringList operands;
    const auto usage = [](const QString& what) {
        return fail("render", what + QStringLiteral(" (see kinloom-cli render --help)"));
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        QString v;
        if (a == QLatin1String("--")) {
            operands += args.mid(i + 1);
            break;
        }
        if (!a.startsWith(QLatin1String("--"))) {
            operands << a;
        } else if (a == QLatin1String("--no-date-standardization")) {
            dates = false;
        } else if (takeValue(args, i, QStringLiteral("--zoom"), v)) {
            bool ok = false;
            const double z = v.toDouble(&ok);
            // Below 0.00001 % a picture's width in canvas units no longer fits the view's arithmetic.
            if (!ok || !(z >= 0.00001) || z > 10000)
                return usage(QStringLiteral("--zoom needs a number from 0.00001 to 10000"));
            options.zoom = z;
        } else if (takeValue(args, i, QStringLiteral("--offset"), v)) {
            const QStringList xy = v.split(QLatin1Char(','));
            bool okX = false, okY = false;
            if (xy.size() == 2) options.offset = QPoint(xy[0].trimmed().toInt(&okX), xy[1].trimmed().toInt(&okY));
            if (!okX || !okY) return usage(QStringLiteral("--offset needs X,Y in canvas units"));
        } else if (takeValue(args, i, QStringLiteral("--size"), v)) {
            const QStringList wh = v.toLower().split(QLatin1Char('x'));
            bool okW = false, okH = false;
            const int w = wh.size() == 2 ? wh[0].toInt(&okW) : 0, h = wh.size() == 2 ? wh[1].toInt(&okH) : 0;
            if (!okW || !okH || w < 1 || h < 1 || w > kMaxSide || h > kMaxSide)
                return usage(QStringLiteral("--size needs WxH, each 1 to %1").arg(kMaxSide));
            options.size = QSize(w, h);
            sizeGiven = true;
        } else if (takeValue(args, i, QStringLiteral("--colour-code"), v) ||
                   takeValue(args, i, QStringLiteral("--color-code"), v)) {
            const QString c = v.toLower();
            if (c == QLatin1String("none")) options.settings.colourCodeMode = ColourCode::None;
            else if (c == QLatin1String("gender")) options.settings.colourCodeMode = ColourCode::Gender;
            else if (c == QLatin1String("notes")) options.settings.colourCodeMode = ColourCode::Notes;
            else if (c == QLatin1String("picture")) options.settings.colourCodeMode = ColourCode::Picture;
            else return usage(QStringLiteral("--colour-code is none, gender, notes or picture"));
        } else if (takeValue(args, i, QStringLiteral("--font"), v)) {
            options.settings.screenFontName = v;
        } else if (takeValue(args, i, QStringLiteral("--font-size"), v)) {
            bool ok = false;
            const int n = v.toInt(&ok);
            if (!ok || n < 1 || n > 1000) return usage(QStringLiteral("--font-size needs a number from 1 to 1000"));
            options.settings.screenFontSize = n;
        } else {
            return usage(QStringLiteral("unknown option %1").arg(a));
        }
    }
    if (operands.size() != 2) return usage(QStringLiteral("expects TREE and OUT.png or OUT.gif"));
    if (!acceptOutputFile("render", operands[0], operands[1], {QStringLiteral("png"), QStringLiteral("gif")})) return 1;
    const bool gif = operands[1].endsWith(QLatin1String(".gif"), Qt::CaseInsensitive);

    auto& [prompts, store] = commandTree();
    if (!loadTreeFile("render", operands[0], store, prompts, dates)) return 1;
    // The picture shows the tree itself: no item is picked.
    store.currentItem = nullptr;
    // A GIF without a size or view is the whole tree at 100 %, as Reports > Save tree as GIF image saves it.
    if (gif && !sizeGiven && !options.zoom && !options.offset) options.size = wholeTreeImageSize(store);
    PaintResult painted;
    const QImage image = renderTree(store, options, &painted);
    if (!painted.ok) return fail("render", painted.error);
    QByteArray bytes;
    QString error;
    if (gif) {
        bytes = encodeGif(image);
        if (bytes.isEmpty()) error = QStringLiteral("the picture could not be encoded");
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(image)) error = writer.errorString();
    }
    if (error.isEmpty() && writeFileAtomically(operands[1], bytes, &error)) return 0;
    return fail("render", QStringLiteral("could not write %1: %2").arg(operands[1], error));
}

}  // namespace kinloom::cli
